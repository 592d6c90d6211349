#include "platform/mixer_service.h"

#include <utility>

namespace vesko {

void Mixer::addLine(int componentType, Opener opener) { openers_[componentType] = std::move(opener); }

bool Mixer::openLine(int componentType) {
  line_.reset();
  auto it = openers_.find(componentType);
  if (it == openers_.end() || !it->second) return false;
  line_ = it->second();
  return line_ != nullptr;
}

void Mixer::getLineVolume(int& left, int& right) {
  left = right = -1;
  if (!line_) return;
  int l = -1, r = -1;
  if (!line_->get(l, r)) return;
  left = l;
  right = line_->channels() == 1 ? -1 : r;
}

bool Mixer::setLineVolume(int left, int right) {
  if (!line_) return false;
  return line_->set(left, line_->channels() == 1 ? left : right);
}

void Mixer::closeLine() { line_.reset(); }

bool Mixer::isLineOpen() const { return line_ != nullptr; }

}  // namespace vesko
