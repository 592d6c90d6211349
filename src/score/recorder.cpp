#include "score/recorder.h"

#include <string>

#include "score/quantise.h"
#include "score/score_text.h"

namespace vesko {

namespace {

constexpr int kTickMs = 100;

Ctl recorderTimer(App& app) { return app.ctl("时钟3"); }

void clearSlots(PianoState& st) {
  for (std::string& slot : st.durationSlots) slot.clear();
}

}  // namespace

void recordClicked(App& app, const Event&) {
  if (app.tk.checked(app.ctl("录音")))
    startRecording(app);
  else
    stopRecording(app);
}

void startRecording(App& app) {
  PianoState& st = app.st;
  WindowToolkit& tk = app.tk;
  clearSlots(st);
  st.scoreText.clear();
  // A note timed before recording started counts on in its fresh slot.
  tk.setPeriod(recorderTimer(app), kTickMs);
  tk.focusWindow(app.main);
  st.recordingOn = 1;
  st.playMode = 0;
  const Ctl play = app.ctl("播放");
  tk.setDisabled(play, !tk.disabled(play));
}

void stopRecording(App& app) {
  PianoState& st = app.st;
  WindowToolkit& tk = app.tk;
  tk.setPeriod(recorderTimer(app), 0);
  if (st.timedNote != 0) {
    closeTimedNote(app, st.timedNote);
    st.durationSlots[st.timedNote].clear();
  }
  st.recordingOn = 0;
  const Ctl play = app.ctl("播放");
  tk.setDisabled(play, !tk.disabled(play));
}

void recorderTick(App& app, const Event&) {
  PianoState& st = app.st;
  if (st.timedNote <= 0 || st.timedNote > 255) return;
  std::string& slot = st.durationSlots[st.timedNote];
  // A slot that holds a symbol counts on from that symbol's number.
  slot = std::to_string(readWholeNumber(slot) + 1);
}

void closeTimedNote(App& app, int n) {
  PianoState& st = app.st;
  if (n <= 0 || n > 255) return;
  std::string& slot = st.durationSlots[n];
  slot = quantiseTicks(slot);
  st.scoreText += slot;
  st.scoreText += ' ';
}

void beginTimedNote(App& app, int n) {
  app.st.timedNote = n;
  app.tk.setPeriod(recorderTimer(app), kTickMs);
  app.st.scoreText += std::to_string(n);
  app.st.scoreText += '@';
}

void recorderKeyPressStep(App& app) {
  PianoState& st = app.st;
  app.tk.setPeriod(recorderTimer(app), 0);
  if (st.recordingOn == 1) {
    if (st.timedNote > 0) {
      closeTimedNote(app, st.timedNote);
      st.durationSlots[st.timedNote].clear();
      st.closedByPress = 1;
    }
    beginTimedNote(app, st.keyboardNote);
  }
}

void recorderKeyReleaseStep(App& app) {
  PianoState& st = app.st;
  st.keyboardNote = st.timedNote;
  // The slot keeps its symbol and the timer keeps running: a first note is
  // closed once more, with the gap, at the next press.
  if (st.recordingOn == 1 && st.mappedKeyDown == 1 && st.timedNote > 0 && st.closedByPress == 0)
    closeTimedNote(app, st.timedNote);
  st.closedByPress = 0;
}

void recorderMousePressStep(App& app, int note) {
  PianoState& st = app.st;
  if (st.recordingOn == 1) {
    app.tk.setPeriod(recorderTimer(app), kTickMs);
    st.scoreText += std::to_string(note);
    st.scoreText += '@';
  }
  st.timedNote = note;
}

void recorderMouseReleaseStep(App& app) {
  PianoState& st = app.st;
  app.tk.setPeriod(recorderTimer(app), 0);
  // Each click is measured from its own press: the note is closed with its
  // count and its slot emptied for the next click.
  if (st.recordingOn == 1 && st.timedNote > 0) {
    closeTimedNote(app, st.timedNote);
    st.durationSlots[st.timedNote].clear();
  }
}

}  // namespace vesko
