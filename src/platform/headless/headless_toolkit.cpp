#include "platform/headless/headless_toolkit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vesko {

Win HeadlessToolkit::loadWindow(const WindowDef& def, bool modal) {
  const Win w = createWindowModel(def, modal);
  Event e;
  e.kind = EventKind::Created;
  e.window = w;
  deliver(e);
  // A modal window would block here until closed; the test goes on instead
  // and the window keeps the others from taking input while it exists.
  return w;
}

void HeadlessToolkit::destroyWindow(Win w) {
  WindowToolkit::destroyWindow(w);
  if (focused_ == w) focused_ = kNoWindow;
}

void HeadlessToolkit::shapeWindow(Win w, const std::string& picture, Rgb) {
  if (WindowState* win = findWindow(w)) win->shapePicture = picture;
}

std::string HeadlessToolkit::windowShape(Win w) const {
  const WindowState* win = findWindow(w);
  return win ? win->shapePicture : std::string();
}

int HeadlessToolkit::messageBox(const std::string& text, int flags) {
  // Only a box with OK and Cancel takes an answer from the test; the others
  // have a single button.
  int answer = kMbOk;
  if (flags == kMbOkCancel && !messageAnswers_.empty()) {
    answer = messageAnswers_.front();
    messageAnswers_.pop_front();
  }
  messageBoxes_.push_back({text, flags, "信息：", answer});
  return answer;
}

bool HeadlessToolkit::showFileDialog(Ctl dialog, FileDialogMode mode) {
  std::optional<std::string> answer;
  if (!fileAnswers_.empty()) {
    answer = fileAnswers_.front();
    fileAnswers_.pop_front();
  }
  fileDialogs_.push_back({mode, answer.has_value()});
  if (!answer) return false;
  setFileName(dialog, *answer);
  return true;
}

void HeadlessToolkit::raise(Ctl c) {
  if (!isCreated(c)) return;
  raised_.erase(std::remove(raised_.begin(), raised_.end(), c), raised_.end());
  raised_.push_back(c);
}

std::vector<Ctl> HeadlessToolkit::stackingOf(Ctl parent, Win w) const {
  std::vector<Ctl> order;
  for (Ctl c : controlsOf(w))
    if (isCreated(c) && parentOf(c) == parent) order.push_back(c);
  for (Ctl r : raised_) {
    auto it = std::find(order.begin(), order.end(), r);
    if (it == order.end()) continue;
    order.erase(it);
    order.push_back(r);
  }
  return order;
}

int HeadlessToolkit::absoluteLeft(Ctl c) const {
  int x = 0;
  for (Ctl p = c; p != kNoControl; p = parentOf(p)) x += left(p);
  return x;
}

int HeadlessToolkit::absoluteTop(Ctl c) const {
  int y = 0;
  for (Ctl p = c; p != kNoControl; p = parentOf(p)) y += top(p);
  return y;
}

void HeadlessToolkit::advance(double ms) {
  const std::int64_t target = now_ + static_cast<std::int64_t>(std::llround(ms * 1e6));
  for (;;) {
    Ctl next = kNoControl;
    std::int64_t due = std::numeric_limits<std::int64_t>::max();
    for (const auto& st : controls_) {
      if (!st->alive || st->def.kind != Kind::Timer || st->period <= 0) continue;
      if (st->dueNs < due) {
        due = st->dueNs;
        next = st->id;
      }
    }
    if (next == kNoControl || due > target) break;
    if (due > now_) now_ = due;
    fireTimer(next);
  }
  now_ = target;
}

std::vector<HeadlessToolkit::CanvasRect> HeadlessToolkit::canvasRects(Ctl canvas) const {
  const ControlState* st = findState(canvas);
  return st ? st->filled : std::vector<CanvasRect>{};
}

bool HeadlessToolkit::blockedByModal(Win w) const {
  for (const auto& win : windows_)
    if (win->alive && win->modal && win->id > w) return true;  // a modal window loaded later
  return false;
}

bool HeadlessToolkit::canUse(Ctl c) const {
  if (!isCreated(c) || blockedByModal(windowOf(c))) return false;
  for (Ctl p = c; p != kNoControl; p = parentOf(p))
    if (!visible(p) || disabled(p)) return false;
  return true;
}

bool HeadlessToolkit::click(Ctl c) {
  if (!canUse(c)) return false;
  ControlState& st = state(c);
  if (st.def.kind == Kind::PicBtn && st.def.style == ButtonStyle::Check) {
    st.checked = !st.checked;
    changed(c, Prop::Checked);
  }
  deliverControlEvent(EventKind::Clicked, c);
  return true;
}

bool HeadlessToolkit::mousePress(Ctl c, int x, int y) {
  if (!canUse(c)) return false;
  state(c).held = true;
  deliverControlEvent(EventKind::LeftPressed, c, x, y);
  return true;
}

bool HeadlessToolkit::mouseMove(Ctl c, int x, int y) {
  Ctl target = c;
  if (captured_ != kNoControl && captured_ != c) {
    x += absoluteLeft(c) - absoluteLeft(captured_);
    y += absoluteTop(c) - absoluteTop(captured_);
    target = captured_;
  } else if (!canUse(c)) {
    return false;
  }
  deliverControlEvent(EventKind::MouseMoved, target, x, y);
  return true;
}

bool HeadlessToolkit::mouseRelease(Ctl c, int x, int y) {
  Ctl target = c;
  if (captured_ != kNoControl && captured_ != c) {
    x += absoluteLeft(c) - absoluteLeft(captured_);
    y += absoluteTop(c) - absoluteTop(captured_);
    target = captured_;
  } else if (!isCreated(c)) {
    return false;
  }
  state(target).held = false;
  deliverControlEvent(EventKind::LeftReleased, target, x, y);
  return true;
}

bool HeadlessToolkit::keyPress(Win w, int virtualKey) {
  if (!isWindowCreated(w) || blockedByModal(w)) return false;
  Event e;
  e.kind = EventKind::KeyPressed;
  e.window = w;
  e.key = virtualKey;
  deliver(e);
  return true;
}

bool HeadlessToolkit::keyRelease(Win w, int virtualKey) {
  if (!isWindowCreated(w) || blockedByModal(w)) return false;
  Event e;
  e.kind = EventKind::KeyReleased;
  e.window = w;
  e.key = virtualKey;
  deliver(e);
  return true;
}

bool HeadlessToolkit::moveSlider(Ctl slider, int position) {
  if (!canUse(slider)) return false;
  setSliderPosition(slider, position);
  deliverControlEvent(EventKind::SliderChanged, slider);
  return true;
}

bool HeadlessToolkit::chooseItem(Ctl combo, int index) {
  if (!canUse(combo)) return false;
  setCurrentItem(combo, index);
  return true;
}

}  // namespace vesko
