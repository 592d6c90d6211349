#include "playing/notes.h"

#include <algorithm>

namespace vesko {

namespace {

constexpr const char* kWhiteKey = "key_white";
constexpr const char* kWhiteKeyLit = "key_white_lit";
constexpr const char* kBlackKey = "key_black";
constexpr const char* kBlackKeyLit = "key_black_lit";

}  // namespace

void soundNote(App& app, std::uint8_t note) {
  const std::uint8_t n = static_cast<std::uint8_t>(note + app.st.transpose);
  app.midi.noteOn(n);
  app.st.lastNote = n;
}

void silenceLastNote(App& app) { app.midi.noteOff(app.st.lastNote); }

void highlightKey(App& app, std::uint8_t note) {
  PianoState& st = app.st;
  const auto& black = st.blackKeyNotes;
  const int isBlack = std::find(black.begin(), black.end(), note) != black.end() ? 1 : 0;
  clearHighlight(app);
  Ctl key = kNoControl;
  if (note != 0 && note != 255) key = app.tk.findByTag(app.main, note);
  if (app.tk.isCreated(key)) app.tk.setPicture(key, isBlack ? kBlackKeyLit : kWhiteKeyLit);
  st.litKey = key;
  st.litKeyIsBlack = isBlack;
}

void clearHighlight(App& app) {
  PianoState& st = app.st;
  if (app.tk.isCreated(st.litKey)) app.tk.setPicture(st.litKey, st.litKeyIsBlack ? kBlackKey : kWhiteKey);
}

void reopenMidiDevice(App& app) { app.midi.openDevice(app.tk.currentItem(app.ctl("设备名组合框"))); }

}  // namespace vesko
