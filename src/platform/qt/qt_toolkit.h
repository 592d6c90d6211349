#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <vector>

#include "platform/window_toolkit.h"

class QApplication;
class QEventLoop;
class QTimer;

namespace vesko {

class KeyAdapter;

// The window toolkit on Qt Widgets: every control of the model gets a
// widget, and the model's changes are mirrored onto it. Timers are
// single-shot precise timers armed for the model's absolute due times.
class QtToolkit : public QObject, public WindowToolkit {
 public:
  explicit QtToolkit(QApplication& app);
  ~QtToolkit() override;

  Win loadWindow(const WindowDef& def, bool modal) override;
  void destroyWindow(Win w) override;
  void focusWindow(Win w) override;
  void shapeWindow(Win w, const std::string& picture, Rgb transparent) override;
  void setMinimised(Win w, bool minimised) override;
  void endProgram() override;
  int runMessageLoop() override;
  void processPendingEvents() override;
  int messageBox(const std::string& text, int flags) override;
  bool showFileDialog(Ctl dialog, FileDialogMode mode) override;
  void raise(Ctl c) override;

  QWidget* widgetOf(Ctl c) const;
  QWidget* windowWidget(Win w) const;

  // Used by the widgets.
  void userClicked(Ctl c);
  void userPressed(Ctl c, int x, int y);
  void userReleased(Ctl c, int x, int y);
  void userMoved(Ctl c, int x, int y);
  void userSlider(Ctl c, int position);
  void userChoseItem(Ctl c, int index);
  void userKey(Win w, bool pressed, quint32 scanCode, int qtKey, quint64 timestamp);
  void userFocusLost(Win w);
  void userClosed(Win w);
  bool isHeld(Ctl c) const;
  const ControlDef& defOf(Ctl c) const;
  std::vector<CanvasRect> canvasRectsOf(Ctl c) const;

 protected:
  std::int64_t nowNs() const override { return clock_.nsecsElapsed(); }
  void changed(Ctl c, Prop p) override;
  void changedText(Ctl c) override;
  void armTimer(Ctl c, std::int64_t dueNs) override;
  void disarmTimer(Ctl c) override;
  void canvasChanged(Ctl c) override;
  void controlCreated(Ctl c) override;

 private:
  QWidget* ensureWindowWidget(Win w);
  void placeWidget(Ctl c);
  void timerFired(Ctl c);

  QApplication& app_;
  QElapsedTimer clock_;
  std::map<Ctl, QPointer<QWidget>> widgets_;
  std::map<Win, QPointer<QWidget>> windowWidgets_;
  std::map<Win, QEventLoop*> modalLoops_;
  std::map<Win, KeyAdapter*> keyAdapters_;
  std::map<Ctl, QTimer*> timers_;
  std::map<Ctl, std::int64_t> timerDue_;
  std::map<QWidget*, std::vector<QPointer<QWidget>>> raised_;  // per parent, in raise order
  bool syncing_ = false;  // mirroring the model onto a widget: no user events
};

}  // namespace vesko
