#pragma once
// The whole program on the headless toolkit: recording MIDI devices, an
// in-memory mixer and media player, a manual clock.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/main_window.h"
#include "platform/headless/headless_toolkit.h"
#include "platform/headless/recording_midi_device.h"

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

struct ProgramOptions {
  int devices = 2;  // recording devices "dev0", "dev1", ...
  bool masterLine = true;
  bool synthLine = true;
  int masterChannels = 2;
  int masterLevel = 65535;
  int synthLevel = 59392;
};

class ProgramTest : public ::testing::Test {
 protected:
  HeadlessToolkit tk;
  std::shared_ptr<MidiLog> log = std::make_shared<MidiLog>();
  std::unique_ptr<MidiOut> midi;
  TestMixer mixer;
  TestMedia media;
  std::unique_ptr<App> app;
  std::vector<std::string> startupSent;    // what the start-up sequence sent
  std::vector<std::string> startupEvents;  // and did to the devices

  // Starts the program as its entry does, without running a message loop.
  void start(const ProgramOptions& o = {}) {
    std::vector<std::unique_ptr<MidiDevice>> devices;
    for (int i = 0; i < o.devices; ++i)
      devices.push_back(std::make_unique<RecordingMidiDevice>("dev" + std::to_string(i), log));
    midi = std::make_unique<MidiOut>(std::move(devices));
    mixer.lines[kMasterLine] = {o.masterLine, o.masterChannels, o.masterLevel, o.masterLevel, {}};
    mixer.lines[kSynthLine] = {o.synthLine, 2, o.synthLevel, o.synthLevel, {}};
    app = std::make_unique<App>(tk, *midi, mixer, media);
    initProgramState(app->st);
    connectHandlers(*app);
    app->main = tk.loadWindow(mainWindowDef(), false);
    startupSent = log->hex();
    startupEvents = log->events;
    log->clear();
  }

  Ctl ctl(const char* name) const { return tk.control(app->main, name); }
  Ctl key(int note) const { return tk.findByTag(app->main, note); }
  PianoState& st() { return app->st; }
  std::vector<std::string> sent() const { return log->hex(); }
};

}  // namespace vesko::testing
