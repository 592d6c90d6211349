#include "score/play_commands.h"

#include <string>

#include "files/midi_import.h"
#include "files/score_file.h"
#include "platform/file_io.h"
#include "playing/notes.h"
#include "score/playback.h"

namespace vesko {

namespace {

constexpr int kMediaPollMs = 50;
constexpr int kBlinkMs = 350;
// Appended to a recording before it plays: a recorded score ends with a
// space, so this becomes a closing rest of 480 ms.
constexpr const char* kRecordingTail = "p@2";
// A track count and a complete track length.
constexpr std::size_t kShortestMidiFile = 22;

std::string currentFile(App& app) { return app.tk.fileName(app.ctl("通用对话框1")); }

void refusePlay(App& app, const char* text, int flags) {
  app.tk.messageBox(text, flags);
  app.tk.setChecked(app.ctl("播放"), false);
}

// True when the play command ends here, leaving 音波 as it is.
bool playMidiFile(App& app) {
  const std::string name = currentFile(app);
  // A file that cannot be read, or has no track count and track length,
  // is neither imported nor handed to the media player.
  const auto bytes = readWholeFile(name);
  if (!bytes || bytes->size() < kShortestMidiFile) {
    refusePlay(app, "无法读取MIDI文件！", kMbError);
    return true;
  }
  if (trackCountOf(*bytes).value_or(-1) == 1) {
    openMidiIfClosed(app);
    if (stripMidiFile(name)) {
      // A working copy gone before it could be read plays as an empty score.
      app.st.importedScore = importMidiFile(name, app.midi.getInstrument()).value_or("");
      startPlayback(app, app.st.importedScore);
      return true;
    }
    return false;
  }
  if (app.tk.messageBox("本MIDI音乐暂不支持模拟按键效果，您确定继续播放吗？", kMbOkCancel) == kMbOk) {
    app.midi.closeDevice();
    app.media.open(name);
    app.media.play(-1);
    app.st.mediaPlaying = 1;
    app.tk.setPeriod(app.ctl("时钟1"), kBlinkMs);
    app.tk.setPeriod(app.ctl("时钟5"), kMediaPollMs);
  }
  return false;
}

// True when the file was refused.
bool playScoreFile(App& app) {
  const std::string name = currentFile(app);
  if (name.empty()) {
    refusePlay(app, "没有要播放的曲目！", kMbWarning);
    return true;
  }
  openMidiIfClosed(app);
  const ScoreFileContent file = readScoreFile(name);
  if (!file.isScoreFile) {
    refusePlay(app, "不是VeskoMIDI音乐文本文件！", kMbError);
    return true;
  }
  // A file cut short plays what it has: no instrument line keeps the
  // instrument, no score line plays an empty score.
  if (file.hasInstrument) app.midi.setInstrument(file.instrument);
  startPlayback(app, file.score);
  return false;
}

void stopPlaybackTimers(App& app) {
  app.tk.setPeriod(app.ctl("时钟1"), 0);
  app.tk.setPeriod(app.ctl("时钟2"), 0);
  app.tk.setPeriod(app.ctl("时钟4"), 0);
}

void playChecked(App& app) {
  PianoState& st = app.st;
  // The labels keep the old notation until the first note is played.
  st.notationLines = NotationLines{};
  switch (st.playMode) {
    case 0:
      if (!st.scoreText.empty()) {
        openMidiIfClosed(app);
        startPlayback(app, st.scoreText + kRecordingTail);
      }
      break;
    case 1:
      if (playMidiFile(app)) return;
      break;
    case 2:
      if (playScoreFile(app)) return;
      break;
    default:
      break;
  }
  // Only the look of 音波: its click handler does not run.
  app.tk.setChecked(app.ctl("音波"), true);
}

void playUnchecked(App& app) {
  PianoState& st = app.st;
  stopPlaybackTimers(app);
  if (st.mediaPlaying == 1) {
    app.media.pauseOrResume();
    app.tk.setChecked(app.ctl("播放"), false);
    st.mediaPlaying = 0;
    st.mediaPaused = 1;
    app.tk.setPeriod(app.ctl("时钟5"), 0);
  } else {
    clearHighlight(app);
    silenceLastNote(app);
    // playPos stays, so checking 播放 again goes on with the next token.
  }
}

}  // namespace

void openMidiIfClosed(App& app) {
  if (!app.midi.isDeviceOpen()) reopenMidiDevice(app);
}

void playClicked(App& app, const Event&) {
  WindowToolkit& tk = app.tk;
  tk.focusWindow(app.main);
  if (app.st.mediaPaused == 1) {
    // Plays on whatever the click did to 播放; the end of the file clears
    // mediaPaused.
    app.media.play(-1);
    tk.setPeriod(app.ctl("时钟5"), kMediaPollMs);
    return;
  }
  if (tk.checked(app.ctl("播放")))
    playChecked(app);
  else
    playUnchecked(app);
}

void stopClicked(App& app, const Event&) {
  WindowToolkit& tk = app.tk;
  PianoState& st = app.st;
  const Ctl record = app.ctl("录音");
  if (tk.disabled(record)) tk.setDisabled(record, false);
  // Closing ends every note still sounding.
  app.midi.closeDevice();
  tk.setChecked(app.ctl("播放"), false);
  tk.setChecked(record, false);
  tk.setVisible(app.ctl("音波画板"), false);
  stopPlaybackTimers(app);
  if (st.mediaPlaying == 1) {
    app.media.stop();
    st.mediaPlaying = 0;
  } else {
    clearHighlight(app);
  }
  // Back on the device the settings show, not always device 0, so that a
  // stop never moves the sound away from the chosen output.
  reopenMidiDevice(app);
  app.midi.setInstrument(tk.currentItem(app.ctl("乐器名组合框")) + 1);
  st.playPos = 0;
  tk.focusWindow(app.main);
}

void pictureBlink(App& app, const Event&) {
  WindowToolkit& tk = app.tk;
  const Ctl left = app.ctl("图形按钮1");
  const Ctl right = app.ctl("图形按钮2");
  const bool show = !tk.visible(left);
  tk.setVisible(left, show);
  tk.setVisible(right, show);
}

void mediaProgressTick(App& app, const Event&) {
  PianoState& st = app.st;
  const int position = app.media.position();
  const int length = app.media.length();
  // A player that cannot tell gives -1 and 0, which never meet: it is asked again.
  if (position != length) return;
  WindowToolkit& tk = app.tk;
  tk.setPeriod(app.ctl("时钟1"), 0);
  tk.setPeriod(app.ctl("时钟5"), 0);
  app.media.close();
  tk.setChecked(app.ctl("播放"), false);
  st.mediaPaused = 0;
}

}  // namespace vesko
