#pragma once
#include <functional>
#include <map>
#include <memory>

namespace vesko {

// The system mixer as the volume knobs use it: open one line by component
// type (4 the master output, 4100 the synthesizer), read or set it, close it.
class MixerService {
 public:
  virtual ~MixerService() = default;
  virtual bool openLine(int componentType) = 0;
  // Left and right, 0 to 65535; right is -1 for a one-channel line and both
  // are -1 when no line is open.
  virtual void getLineVolume(int& left, int& right) = 0;
  virtual bool setLineVolume(int left, int right) = 0;
  virtual void closeLine() = 0;
};

enum : int { kMasterLine = 4, kSynthLine = 4100 };

// One opened line of a mixer.
class MixerLine {
 public:
  virtual ~MixerLine() = default;
  virtual int channels() const = 0;  // 1 or 2
  // Volumes 0 to 65535; a one-channel line reads its one channel as left and
  // leaves right as it finds it.
  virtual bool get(int& left, int& right) = 0;
  // A one-channel line takes left and ignores right.
  virtual bool set(int left, int right) = 0;
};

// MixerService over line openers by component type; an opener returns null
// when the line cannot be had (no server, no card, no such element).
class Mixer : public MixerService {
 public:
  using Opener = std::function<std::unique_ptr<MixerLine>()>;
  void addLine(int componentType, Opener opener);

  bool openLine(int componentType) override;
  void getLineVolume(int& left, int& right) override;
  bool setLineVolume(int left, int right) override;
  void closeLine() override;
  bool isLineOpen() const;

 private:
  std::map<int, Opener> openers_;
  std::unique_ptr<MixerLine> line_;
};

}  // namespace vesko
