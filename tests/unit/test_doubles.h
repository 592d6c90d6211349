#pragma once
// Small doubles of the mixer and the media player, for tests and probes.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/media_player_service.h"
#include "platform/mixer_service.h"

namespace vesko::testing {

// Mixer lines by component type, as the test sets them up.
class TestMixer : public MixerService {
 public:
  struct Line {
    bool available = true;
    int channels = 2;
    int left = 0, right = 0;
    std::vector<std::pair<int, int>> writes;
  };
  std::map<int, Line> lines;
  int opens = 0;

  // Both lines there, at full volume: the knobs start at the top.
  void addFullLines() {
    lines[kMasterLine] = {true, 2, 65535, 65535, {}};
    lines[kSynthLine] = {true, 2, 59392, 59392, {}};
  }

  bool openLine(int type) override {
    ++opens;
    auto it = lines.find(type);
    open_ = (it != lines.end() && it->second.available) ? &it->second : nullptr;
    return open_ != nullptr;
  }
  void getLineVolume(int& l, int& r) override {
    if (!open_) {
      l = r = -1;
      return;
    }
    l = open_->left;
    r = open_->channels == 1 ? -1 : open_->right;
  }
  bool setLineVolume(int l, int r) override {
    if (!open_) return false;
    open_->left = l;
    if (open_->channels == 2) open_->right = r;
    open_->writes.emplace_back(l, open_->channels == 2 ? r : -1);
    return true;
  }
  void closeLine() override { open_ = nullptr; }

 private:
  Line* open_ = nullptr;
};

// A media player that only writes down what it is asked; the test sets
// position and length.
class TestMedia : public MediaPlayerService {
 public:
  std::vector<std::string> calls;
  int positionMs = -1;
  int lengthMs = 0;
  bool open(const std::string& f) override { calls.push_back("open " + f); return true; }
  bool play(int start) override { calls.push_back("play " + std::to_string(start)); return true; }
  bool pauseOrResume() override { calls.push_back("pause"); return true; }
  bool stop() override { calls.push_back("stop"); return true; }
  bool close() override { calls.push_back("close"); return true; }
  int position() override { return positionMs; }
  int length() override { return lengthMs; }
};

}  // namespace vesko::testing
