#include "platform/headless/memory_mixer.h"

namespace vesko {

MemoryMixerLine::MemoryMixerLine(std::shared_ptr<MemoryLineState> state) : state_(std::move(state)) {
  ++state_->opens;
}

MemoryMixerLine::~MemoryMixerLine() { ++state_->closes; }

int MemoryMixerLine::channels() const { return state_->channels == 1 ? 1 : 2; }

bool MemoryMixerLine::get(int& left, int& right) {
  if (state_->failReads) return false;
  left = state_->left;
  if (channels() == 2) right = state_->right;
  return true;
}

bool MemoryMixerLine::set(int left, int right) {
  if (channels() == 1) {
    state_->writes.emplace_back(left, -1);
    state_->left = left;
  } else {
    state_->writes.emplace_back(left, right);
    state_->left = left;
    state_->right = right;
  }
  return true;
}

std::shared_ptr<MemoryLineState> addMemoryLine(Mixer& mixer, int componentType,
                                               std::shared_ptr<MemoryLineState> state) {
  mixer.addLine(componentType, [state]() -> std::unique_ptr<MixerLine> {
    if (!state->available) return nullptr;
    return std::make_unique<MemoryMixerLine>(state);
  });
  return state;
}

}  // namespace vesko
