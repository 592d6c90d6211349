#include "platform/window_toolkit.h"

#include <climits>

namespace vesko {

namespace {

const std::string kEmpty;

}  // namespace

int tagNumber(const std::string& tag) {
  long long n = 0;
  for (char ch : tag) {
    if (ch < '0' || ch > '9') break;
    n = n * 10 + (ch - '0');
    if (n > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(n);
}

ControlDef controlDef(std::string name, Kind kind, int left, int top, int width, int height) {
  ControlDef c;
  c.name = std::move(name);
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

WindowToolkit::~WindowToolkit() = default;

Win WindowToolkit::createWindowModel(const WindowDef& def, bool modal) {
  auto w = std::make_unique<WindowState>();
  w->id = static_cast<Win>(windows_.size() + 1);
  w->def = def;
  w->modal = modal;
  const Win id = w->id;
  windows_.push_back(std::move(w));
  WindowState& win = *windows_.back();
  for (const ControlDef& cd : def.controls) {
    auto c = std::make_unique<ControlState>();
    c->id = static_cast<Ctl>(controls_.size() + 1);
    c->window = id;
    c->def = cd;
    if (!cd.parent.empty()) c->parent = control(id, cd.parent);
    c->currentItem = -1;
    const Ctl cid = c->id;
    controls_.push_back(std::move(c));
    win.controls.push_back(cid);
    controlCreated(cid);
  }
  // Timers that have a period in the definition run from the moment the
  // window exists (the splash window's timer).
  for (Ctl c : win.controls) {
    ControlState& st = state(c);
    if (st.def.kind == Kind::Timer && st.def.period > 0) {
      st.period = 0;
      set(c, Prop::Period, st.def.period);
    }
  }
  return id;
}

void WindowToolkit::destroyWindow(Win w) {
  WindowState* win = findWindow(w);
  if (!win || !win->alive) return;
  win->alive = false;
  for (Ctl c : win->controls) {
    ControlState& st = state(c);
    if (st.def.kind == Kind::Timer && st.period > 0) disarmTimer(c);
    st.alive = false;
    if (captured_ == c) captured_ = kNoControl;
  }
}

bool WindowToolkit::isWindowCreated(Win w) const {
  const WindowState* win = findWindow(w);
  return win && win->alive;
}

const std::string& WindowToolkit::windowName(Win w) const {
  const WindowState* win = findWindow(w);
  return win ? win->def.name : kEmpty;
}

const WindowDef* WindowToolkit::windowDef(Win w) const {
  const WindowState* win = findWindow(w);
  return win ? &win->def : nullptr;
}

void WindowToolkit::setMinimised(Win w, bool minimised) {
  if (WindowState* win = findWindow(w)) win->minimised = minimised;
}

bool WindowToolkit::isMinimised(Win w) const {
  const WindowState* win = findWindow(w);
  return win && win->minimised;
}

Ctl WindowToolkit::control(Win w, const std::string& name) const {
  const WindowState* win = findWindow(w);
  if (!win) return kNoControl;
  for (Ctl c : win->controls) {
    const ControlState* st = findState(c);
    if (st && st->alive && st->def.name == name) return c;
  }
  return kNoControl;
}

Win WindowToolkit::windowOf(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->window : kNoWindow;
}

const std::string& WindowToolkit::nameOf(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.name : kEmpty;
}

Kind WindowToolkit::kindOf(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.kind : Kind::Window;
}

bool WindowToolkit::isCreated(Ctl c) const {
  const ControlState* st = findState(c);
  return st && st->alive;
}

Ctl WindowToolkit::parentOf(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->parent : kNoControl;
}

std::vector<Ctl> WindowToolkit::controlsOf(Win w) const {
  const WindowState* win = findWindow(w);
  return win ? win->controls : std::vector<Ctl>{};
}

Ctl WindowToolkit::findByTag(Win w, int n) const {
  const WindowState* win = findWindow(w);
  if (!win) return kNoControl;
  for (Ctl c : win->controls) {
    const ControlState* st = findState(c);
    if (st && st->alive && tagNumber(st->def.tag) == n) return c;
  }
  return kNoControl;
}

Ctl WindowToolkit::cloneControl(Ctl templ) {
  const ControlState* t = findState(templ);
  if (!t || !t->alive) return kNoControl;
  auto c = std::make_unique<ControlState>(*t);
  c->id = static_cast<Ctl>(controls_.size() + 1);
  c->isClone = true;
  c->held = false;
  c->filled.clear();
  const Ctl id = c->id;
  const Win w = c->window;
  controls_.push_back(std::move(c));
  findWindow(w)->controls.push_back(id);
  controlCreated(id);
  return id;
}

void WindowToolkit::raise(Ctl c) {
  // Stacking is the real toolkit's business; the model keeps no z-order.
  (void)c;
}

void WindowToolkit::capture(Ctl c) {
  if (isCreated(c)) captured_ = c;
}

void WindowToolkit::releaseCapture() { captured_ = kNoControl; }

int WindowToolkit::get(Ctl c, Prop p) const {
  const ControlState* st = findState(c);
  if (!st) return 0;
  switch (p) {
    case Prop::Left: return st->def.left;
    case Prop::Top: return st->def.top;
    case Prop::Width: return st->def.width;
    case Prop::Height: return st->def.height;
    case Prop::Visible: return st->def.visible ? 1 : 0;
    case Prop::Disabled: return st->disabled ? 1 : 0;
    case Prop::Checked: return st->checked ? 1 : 0;
    case Prop::Period: return st->period;
    case Prop::CurrentItem: return st->currentItem;
    case Prop::SliderPosition: return st->def.position;
  }
  return 0;
}

void WindowToolkit::set(Ctl c, Prop p, int value) {
  if (!isCreated(c)) return;
  ControlState& st = state(c);
  switch (p) {
    case Prop::Left: st.def.left = value; break;
    case Prop::Top: st.def.top = value; break;
    case Prop::Width: st.def.width = value; break;
    case Prop::Height: st.def.height = value; break;
    case Prop::Visible: st.def.visible = value != 0; break;
    case Prop::Disabled: st.disabled = value != 0; break;
    case Prop::Checked: st.checked = value != 0; break;
    case Prop::Period: {
      const int period = value > 0 ? value : 0;
      if (period == st.period) return;
      st.period = period;
      if (period == 0) {
        disarmTimer(c);
      } else {
        // Counted from the due time of the tick being handled, so a timer
        // that sets its next period in every tick does not drift.
        const std::int64_t from = (tickingTimer_ == c) ? tickDueNs_ : nowNs();
        st.dueNs = from + static_cast<std::int64_t>(period) * 1000000;
        armTimer(c, st.dueNs);
      }
      break;
    }
    case Prop::CurrentItem:
      st.currentItem = (value >= 0 && value < static_cast<int>(st.items.size())) ? value : -1;
      break;
    case Prop::SliderPosition:
      st.def.position = value < st.def.minimum ? st.def.minimum
                        : value > st.def.maximum ? st.def.maximum
                                                 : value;
      break;
  }
  changed(c, p);
}

std::string WindowToolkit::tag(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.tag : std::string();
}

void WindowToolkit::setTag(Ctl c, const std::string& tag) {
  if (!isCreated(c)) return;
  state(c).def.tag = tag;
}

std::string WindowToolkit::picture(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.picture : std::string();
}

void WindowToolkit::setPicture(Ctl c, const std::string& art) {
  if (!isCreated(c)) return;
  state(c).def.picture = art;
  changedText(c);
}

std::string WindowToolkit::pressedPicture(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.pressedPicture : std::string();
}

void WindowToolkit::setPressedPicture(Ctl c, const std::string& art) {
  if (!isCreated(c)) return;
  state(c).def.pressedPicture = art;
  changedText(c);
}

std::string WindowToolkit::shownPicture(Ctl c) const {
  const ControlState* st = findState(c);
  if (!st) return {};
  const bool down = st->checked || st->held;
  if (down && !st->def.pressedPicture.empty()) return st->def.pressedPicture;
  return st->def.picture;
}

std::optional<Rgb> WindowToolkit::transparentColour(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.transparent : std::nullopt;
}

void WindowToolkit::setTransparentColour(Ctl c, std::optional<Rgb> colour) {
  if (!isCreated(c)) return;
  state(c).def.transparent = colour;
  changedText(c);
}

std::string WindowToolkit::caption(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->def.caption : std::string();
}

void WindowToolkit::setCaption(Ctl c, const std::string& text) {
  if (!isCreated(c)) return;
  state(c).def.caption = text;
  changedText(c);
}

std::string WindowToolkit::fileName(Ctl dialog) const {
  const ControlState* st = findState(dialog);
  return st ? st->fileName : std::string();
}

void WindowToolkit::setFileName(Ctl dialog, const std::string& name) {
  if (!isCreated(dialog)) return;
  state(dialog).fileName = name;
}

void WindowToolkit::addItem(Ctl combo, const std::string& text, int value) {
  if (!isCreated(combo)) return;
  state(combo).items.emplace_back(text, value);
  changedText(combo);
}

int WindowToolkit::itemCount(Ctl combo) const {
  const ControlState* st = findState(combo);
  return st ? static_cast<int>(st->items.size()) : 0;
}

std::string WindowToolkit::itemText(Ctl combo, int index) const {
  const ControlState* st = findState(combo);
  if (!st || index < 0 || index >= static_cast<int>(st->items.size())) return {};
  return st->items[index].first;
}

int WindowToolkit::itemValue(Ctl combo, int index) const {
  const ControlState* st = findState(combo);
  if (!st || index < 0 || index >= static_cast<int>(st->items.size())) return 0;
  return st->items[index].second;
}

void WindowToolkit::canvasClear(Ctl canvas) {
  if (!isCreated(canvas)) return;
  state(canvas).filled.clear();
  canvasChanged(canvas);
}

void WindowToolkit::canvasFillRect(Ctl canvas, int x1, int y1, int x2, int y2) {
  if (!isCreated(canvas)) return;
  state(canvas).filled.push_back({x1, y1, x2, y2});
  canvasChanged(canvas);
}

void WindowToolkit::deliver(const Event& e) {
  const Ctl outer = eventControl_;
  eventControl_ = e.control;
  if (handler_) handler_(e);
  eventControl_ = outer;
}

void WindowToolkit::deliverControlEvent(EventKind kind, Ctl c, int x, int y) {
  Event e;
  e.kind = kind;
  e.window = windowOf(c);
  e.control = c;
  e.x = x;
  e.y = y;
  deliver(e);
}

void WindowToolkit::fireTimer(Ctl timer) {
  if (!isCreated(timer)) return;
  ControlState& st = state(timer);
  if (st.period <= 0) return;
  const std::int64_t due = st.dueNs;
  // Every tick is counted from the one before it: after a stall the late
  // ticks come at once, and a timer that plays one thing per tick catches up
  // with its schedule instead of falling behind for good.
  st.dueNs = due + static_cast<std::int64_t>(st.period) * 1000000;
  armTimer(timer, st.dueNs);

  const Ctl outerTimer = tickingTimer_;
  const std::int64_t outerDue = tickDueNs_;
  tickingTimer_ = timer;
  tickDueNs_ = due;
  Event e;
  e.kind = EventKind::TimerTick;
  e.window = st.window;
  e.control = timer;
  deliver(e);
  tickingTimer_ = outerTimer;
  tickDueNs_ = outerDue;
}

WindowToolkit::ControlState& WindowToolkit::state(Ctl c) { return *controls_[c - 1]; }

const WindowToolkit::ControlState* WindowToolkit::findState(Ctl c) const {
  if (c < 1 || c > static_cast<Ctl>(controls_.size())) return nullptr;
  return controls_[c - 1].get();
}

WindowToolkit::WindowState* WindowToolkit::findWindow(Win w) {
  if (w < 1 || w > static_cast<Win>(windows_.size())) return nullptr;
  return windows_[w - 1].get();
}

const WindowToolkit::WindowState* WindowToolkit::findWindow(Win w) const {
  if (w < 1 || w > static_cast<Win>(windows_.size())) return nullptr;
  return windows_[w - 1].get();
}

}  // namespace vesko
