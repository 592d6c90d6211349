#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vesko {

// Texts shown to the user (captions, titles, message boxes) are UTF-8.

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

enum class Kind {
  Window, PicBtn, Timer, DrawPanel, Label, ShapeBox, ComboBox, SliderBar, GroupBox,
  Button, HyperLinker, PicBox, TransLabel, CommonDlg, MIDIPlay, SysVolume, MediaPlay
};

enum class ButtonStyle { Push, Check };

// One row of a window definition. Both toolkits build their controls from
// these rows, so a control is found by the same name in either.
struct ControlDef {
  std::string name;
  Kind kind = Kind::Label;
  std::string parent;  // empty: the window itself
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  std::string tag;
  std::string picture;         // art name, drawn from :/art/<name>.svg
  std::string pressedPicture;  // shown while held down (push) or checked (check)
  std::optional<Rgb> transparent;
  ButtonStyle style = ButtonStyle::Push;
  std::string caption;
  int period = 0;
  int minimum = 0, maximum = 0, position = 0;  // slider
  Rgb background{255, 255, 255};               // canvas background, label text colour
  Rgb brush{0, 0, 0};                          // canvas fill
  int fontPixels = 0;                          // 0: the toolkit's default
  bool monospace = false;
  std::string link;  // hyperlink target
};

// A row with its name, kind, place and size; the rest as ControlDef starts it.
ControlDef controlDef(std::string name, Kind kind, int left, int top, int width, int height);

struct WindowDef {
  std::string name;
  std::string title;
  int left = 0, top = 0, width = 0, height = 0;
  std::string background;  // art name, or empty
  bool frameless = false;
  bool centred = false;
  bool onTop = false;  // stays above the program's other windows (the splash)
  std::vector<ControlDef> controls;
};

using Ctl = int;  // a control; 0 is none
using Win = int;  // a window; 0 is none
inline constexpr Ctl kNoControl = 0;
inline constexpr Win kNoWindow = 0;

enum class EventKind {
  Created, KeyPressed, KeyReleased, Clicked, LeftPressed, LeftReleased, MouseMoved,
  TimerTick, SliderChanged
};

struct Event {
  EventKind kind = EventKind::Created;
  Win window = kNoWindow;
  Ctl control = kNoControl;  // none for the window's own events
  int x = 0, y = 0;          // pointer position inside the control
  int key = 0;               // virtual-key code
};

enum class Prop { Left, Top, Width, Height, Visible, Disabled, Checked, Period, CurrentItem, SliderPosition };

enum class FileDialogMode { Open, Save };

// Message box flags.
enum : int { kMbError = 16, kMbWarning = 48, kMbInformation = 64, kMbOkCancel = 65 };
// Message box results.
enum : int { kMbOk = 0, kMbCancel = 1 };

// Windows, their controls and events, on one thread. The control model (every
// property, clone order, tags, timer counting) lives here; the real toolkit
// mirrors it onto widgets and the headless one keeps it in memory.
class WindowToolkit {
 public:
  using Handler = std::function<void(const Event&)>;

  virtual ~WindowToolkit();

  void setEventHandler(Handler handler) { handler_ = std::move(handler); }

  // Builds the window and its controls, then delivers its Created event.
  // Modal: returns when the window has been destroyed.
  virtual Win loadWindow(const WindowDef& def, bool modal) = 0;
  virtual void destroyWindow(Win w);
  bool isWindowCreated(Win w) const;
  const std::string& windowName(Win w) const;
  const WindowDef* windowDef(Win w) const;
  virtual void focusWindow(Win w) = 0;
  virtual void shapeWindow(Win w, const std::string& picture, Rgb transparent) = 0;
  virtual void setMinimised(Win w, bool minimised);
  bool isMinimised(Win w) const;
  virtual void endProgram() = 0;
  virtual int runMessageLoop() = 0;
  virtual void processPendingEvents() = 0;
  // Flags 16, 48, 64 or 65; caption "信息：". Returns kMbOk or kMbCancel.
  virtual int messageBox(const std::string& text, int flags) = 0;
  // True when the user confirmed; the name is then the dialog's file name.
  virtual bool showFileDialog(Ctl dialog, FileDialogMode mode) = 0;

  Ctl control(Win w, const std::string& name) const;
  Win windowOf(Ctl c) const;
  const std::string& nameOf(Ctl c) const;
  Kind kindOf(Ctl c) const;
  bool isCreated(Ctl c) const;
  Ctl parentOf(Ctl c) const;
  // The controls of a window in model order: design-time, then clones.
  std::vector<Ctl> controlsOf(Win w) const;
  Ctl eventControl() const { return eventControl_; }
  // The first control whose tag, read as a whole number from its leading
  // digits (none: 0), equals n: design-time controls first, then clones in
  // the order they were made.
  Ctl findByTag(Win w, int n) const;
  virtual Ctl cloneControl(Ctl templ);
  virtual void raise(Ctl c);
  virtual void capture(Ctl c);
  virtual void releaseCapture();
  Ctl captured() const { return captured_; }

  int get(Ctl c, Prop p) const;
  void set(Ctl c, Prop p, int value);

  int left(Ctl c) const { return get(c, Prop::Left); }
  int top(Ctl c) const { return get(c, Prop::Top); }
  int width(Ctl c) const { return get(c, Prop::Width); }
  int height(Ctl c) const { return get(c, Prop::Height); }
  bool visible(Ctl c) const { return get(c, Prop::Visible) != 0; }
  bool disabled(Ctl c) const { return get(c, Prop::Disabled) != 0; }
  bool checked(Ctl c) const { return get(c, Prop::Checked) != 0; }
  int period(Ctl c) const { return get(c, Prop::Period); }
  int currentItem(Ctl c) const { return get(c, Prop::CurrentItem); }
  int sliderPosition(Ctl c) const { return get(c, Prop::SliderPosition); }
  void setLeft(Ctl c, int v) { set(c, Prop::Left, v); }
  void setTop(Ctl c, int v) { set(c, Prop::Top, v); }
  void setWidth(Ctl c, int v) { set(c, Prop::Width, v); }
  void setHeight(Ctl c, int v) { set(c, Prop::Height, v); }
  void setVisible(Ctl c, bool v) { set(c, Prop::Visible, v ? 1 : 0); }
  void setDisabled(Ctl c, bool v) { set(c, Prop::Disabled, v ? 1 : 0); }
  void setChecked(Ctl c, bool v) { set(c, Prop::Checked, v ? 1 : 0); }
  // Same period: nothing changes. Another: the count restarts (from the due
  // time of the tick being handled when set from that timer's own tick).
  // 0 or less: stopped.
  void setPeriod(Ctl c, int ms) { set(c, Prop::Period, ms); }
  void setCurrentItem(Ctl c, int v) { set(c, Prop::CurrentItem, v); }
  void setSliderPosition(Ctl c, int v) { set(c, Prop::SliderPosition, v); }

  std::string tag(Ctl c) const;
  void setTag(Ctl c, const std::string& tag);
  std::string picture(Ctl c) const;
  void setPicture(Ctl c, const std::string& art);
  std::string pressedPicture(Ctl c) const;
  void setPressedPicture(Ctl c, const std::string& art);
  std::optional<Rgb> transparentColour(Ctl c) const;
  void setTransparentColour(Ctl c, std::optional<Rgb> colour);
  std::string caption(Ctl c) const;
  void setCaption(Ctl c, const std::string& text);
  // The picture a user sees on a picture button now: the pressed picture
  // while it is held down or checked, else the normal one.
  std::string shownPicture(Ctl c) const;
  std::string fileName(Ctl dialog) const;
  void setFileName(Ctl dialog, const std::string& name);

  void addItem(Ctl combo, const std::string& text, int value = 0);
  int itemCount(Ctl combo) const;
  std::string itemText(Ctl combo, int index) const;
  int itemValue(Ctl combo, int index) const;

  void canvasClear(Ctl canvas);
  // Fills x1 <= x < x2, y1 <= y < y2 with the canvas's brush.
  void canvasFillRect(Ctl canvas, int x1, int y1, int x2, int y2);

  // Milliseconds on the toolkit's clock (manual in the headless toolkit).
  double nowMs() const { return static_cast<double>(nowNs()) / 1e6; }

 protected:
  struct CanvasRect {
    int x1, y1, x2, y2;
    bool operator==(const CanvasRect&) const = default;
  };
  struct ControlState {
    Ctl id = kNoControl;
    Win window = kNoWindow;
    Ctl parent = kNoControl;
    bool alive = true;
    bool isClone = false;
    ControlDef def;  // current left/top/size/visible/tag/pictures/caption
    bool disabled = false;
    bool checked = false;
    bool held = false;  // a push button held down with the mouse
    int currentItem = -1;
    std::vector<std::pair<std::string, int>> items;
    std::string fileName;
    // timers
    int period = 0;
    std::int64_t dueNs = 0;
    // canvases: what has been filled since the last clear
    std::vector<CanvasRect> filled;
  };
  struct WindowState {
    Win id = kNoWindow;
    WindowDef def;
    bool alive = true;
    bool modal = false;
    bool minimised = false;
    std::vector<Ctl> controls;  // design-time first, then clones in cloning order
    std::string shapePicture;
  };

  // Creates the model of a window from its definition (no events).
  Win createWindowModel(const WindowDef& def, bool modal);
  void deliver(const Event& e);
  // An event of a control, in its window, with the pointer at (x, y).
  void deliverControlEvent(EventKind kind, Ctl c, int x = 0, int y = 0);
  // Runs one tick of a timer whose due time has come.
  void fireTimer(Ctl timer);

  ControlState& state(Ctl c);
  const ControlState* findState(Ctl c) const;
  WindowState* findWindow(Win w);
  const WindowState* findWindow(Win w) const;

  virtual std::int64_t nowNs() const = 0;
  // Hooks for the real toolkit: a property of a control changed, a timer
  // must fire at dueNs (or no longer), a control was made.
  virtual void changed(Ctl, Prop) {}
  virtual void changedText(Ctl) {}  // tag, pictures, caption, items
  virtual void armTimer(Ctl, std::int64_t /*dueNs*/) {}
  virtual void disarmTimer(Ctl) {}
  virtual void canvasChanged(Ctl) {}
  virtual void controlCreated(Ctl) {}

  std::vector<std::unique_ptr<ControlState>> controls_;  // index = id - 1
  std::vector<std::unique_ptr<WindowState>> windows_;    // index = id - 1
  Ctl captured_ = kNoControl;

 private:
  Handler handler_;
  Ctl eventControl_ = kNoControl;
  Ctl tickingTimer_ = kNoControl;
  std::int64_t tickDueNs_ = 0;
};

// A tag read as a whole number: its leading decimal digits, none giving 0.
int tagNumber(const std::string& tag);

}  // namespace vesko
