#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_toolkit.h"

namespace vesko {

// The window toolkit in memory, with a manual clock. Tests drive it the way
// a user would (clicks, mouse, keys, answers to dialogs) and advance time;
// timers fire in due order with no waiting.
class HeadlessToolkit : public WindowToolkit {
 public:
  struct MessageBoxShown {
    std::string text;
    int flags = 0;
    std::string caption;
    int answer = kMbOk;
  };
  struct FileDialogShown {
    FileDialogMode mode;
    bool confirmed = false;
  };

  Win loadWindow(const WindowDef& def, bool modal) override;
  void destroyWindow(Win w) override;
  void focusWindow(Win w) override { focused_ = w; }
  void shapeWindow(Win w, const std::string& picture, Rgb transparent) override;
  void endProgram() override { ended_ = true; }
  int runMessageLoop() override { return 0; }
  void processPendingEvents() override { ++pendingEventRuns_; }
  int messageBox(const std::string& text, int flags) override;
  bool showFileDialog(Ctl dialog, FileDialogMode mode) override;
  void raise(Ctl c) override;

  // --- the clock ---
  // Moves the clock on by ms, firing every timer that comes due on the way,
  // each at its due time.
  void advance(double ms);
  std::int64_t clockNs() const { return now_; }

  // --- a user at the controls ---
  // Each returns false when the user could not have done it: the control is
  // gone, hidden, disabled or behind a modal window.
  bool click(Ctl c);
  bool mousePress(Ctl c, int x, int y);
  // The pointer moves to (x, y) relative to c; with the mouse captured the
  // event goes to the capturing control, in its own coordinates.
  bool mouseMove(Ctl c, int x, int y);
  bool mouseRelease(Ctl c, int x, int y);
  bool keyPress(Win w, int virtualKey);
  bool keyRelease(Win w, int virtualKey);
  bool moveSlider(Ctl slider, int position);
  bool chooseItem(Ctl combo, int index);

  // --- answers the test gives in advance ---
  void answerMessageBox(int answer) { messageAnswers_.push_back(answer); }
  // A confirmed file dialog choosing this name; nullopt cancels it.
  void answerFileDialog(std::optional<std::string> name) { fileAnswers_.push_back(std::move(name)); }

  // --- what a user would see ---
  const std::vector<MessageBoxShown>& messageBoxes() const { return messageBoxes_; }
  const std::vector<FileDialogShown>& fileDialogs() const { return fileDialogs_; }
  std::vector<CanvasRect> canvasRects(Ctl canvas) const;
  std::string windowShape(Win w) const;
  Win focusedWindow() const { return focused_; }
  bool ended() const { return ended_; }
  int pendingEventRuns() const { return pendingEventRuns_; }
  // Stacking order among siblings: later in the list is on top.
  std::vector<Ctl> stackingOf(Ctl parent, Win w) const;
  // The window's position relative to the screen, and a control's relative to its window.
  int absoluteLeft(Ctl c) const;
  int absoluteTop(Ctl c) const;

  using WindowToolkit::CanvasRect;

 protected:
  std::int64_t nowNs() const override { return now_; }

 private:
  bool canUse(Ctl c) const;
  bool blockedByModal(Win w) const;

  std::int64_t now_ = 0;
  Win focused_ = kNoWindow;
  bool ended_ = false;
  int pendingEventRuns_ = 0;
  std::deque<int> messageAnswers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::vector<MessageBoxShown> messageBoxes_;
  std::vector<FileDialogShown> fileDialogs_;
  std::vector<Ctl> raised_;  // in the order they were raised
};

}  // namespace vesko
