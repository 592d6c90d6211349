#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "platform/mixer_service.h"

namespace vesko {

// A mixer line kept in memory. The test sets what the line is like and reads
// back what the program did to it.
struct MemoryLineState {
  bool available = true;  // false: opening the line fails
  int channels = 2;       // 1 or 2
  int left = 0;
  int right = 0;           // unused by a one-channel line
  bool failReads = false;  // get() reports failure
  // Every set() in order; a one-channel line records right as -1.
  std::vector<std::pair<int, int>> writes;
  int opens = 0;   // successful opens
  int closes = 0;  // lines released
  bool isOpen() const { return opens > closes; }
};

class MemoryMixerLine : public MixerLine {
 public:
  explicit MemoryMixerLine(std::shared_ptr<MemoryLineState> state);
  ~MemoryMixerLine() override;

  int channels() const override;
  bool get(int& left, int& right) override;
  bool set(int left, int right) override;

 private:
  std::shared_ptr<MemoryLineState> state_;
};

// Registers the line for the component type and gives its state to the test.
std::shared_ptr<MemoryLineState> addMemoryLine(Mixer& mixer, int componentType,
                                               std::shared_ptr<MemoryLineState> state =
                                                   std::make_shared<MemoryLineState>());

}  // namespace vesko
