#include "score/playback.h"

#include <algorithm>
#include <cstdint>

#include "playing/notes.h"
#include "score/score_text.h"

namespace vesko {

namespace {

constexpr int kFirstTickMs = 50;
constexpr int kBlinkMs = 350;
constexpr int kWaveMs = 150;
// A digit line holds 11 two-character cells.
constexpr std::size_t kDigitLineFull = 22;

void endScore(App& app) {
  WindowToolkit& tk = app.tk;
  PianoState& st = app.st;
  tk.setPeriod(app.ctl("时钟1"), 0);
  tk.setPeriod(app.ctl("时钟2"), 0);
  tk.setPeriod(app.ctl("时钟4"), 0);
  tk.setVisible(app.ctl("音波画板"), false);
  st.playPos = 0;
  st.lastNote = 0;
  tk.setChecked(app.ctl("播放"), false);
  tk.setDisabled(app.ctl("录音"), false);
  // The last key stays lit: it shows where the score ended.
}

// The octave dots of one note: 高2, 高1, 低1, 低2.
struct MarkCells {
  const char* high2;
  const char* high1;
  const char* low1;
  const char* low2;
};

MarkCells marksFor(int n) {
  constexpr const char* kBlank = "  ";
  constexpr const char* kDot = " .";
  if (n <= 47) return {kBlank, kBlank, kDot, kDot};
  if (n <= 59) return {kBlank, kBlank, kDot, kBlank};
  if (n <= 71) return {kBlank, kBlank, kBlank, kBlank};
  if (n <= 83) return {kBlank, kDot, kBlank, kBlank};
  if (n <= 95) return {kDot, kDot, kBlank, kBlank};
  return {kBlank, kBlank, kBlank, kBlank};
}

void updateNotation(App& app, int n) {
  PianoState& st = app.st;
  NotationLines& lines = st.notationLines;
  const auto& white = st.whiteKeyNotes;
  // Black keys and notes off the white-key table take position 36, which
  // shows as 1 with the dots of the note's octave.
  const auto it = std::find(white.begin(), white.end(), n);
  const int p = it == white.end() ? 36 : static_cast<int>(it - white.begin()) + 1;
  const char digit = p % 7 == 0 ? '7' : static_cast<char>('0' + p % 7);

  const std::string cell = std::string(" ") + digit;
  if (lines.digits.size() >= kDigitLineFull)
    lines.digits = cell;
  else
    lines.digits += cell;

  // The 11th note of a line empties the mark lines, so that the first note
  // of the next line finds them aligned with its digit.
  if (lines.digits.size() >= kDigitLineFull) {
    lines.high2.clear();
    lines.high1.clear();
    lines.low1.clear();
    lines.low2.clear();
  } else {
    const MarkCells m = marksFor(n);
    lines.high2 += m.high2;
    lines.high1 += m.high1;
    lines.low1 += m.low1;
    lines.low2 += m.low2;
  }

  WindowToolkit& tk = app.tk;
  tk.setCaption(app.ctl("乐谱"), lines.digits);
  tk.setCaption(app.ctl("低1"), lines.low1);
  tk.setCaption(app.ctl("低2"), lines.low2);
  tk.setCaption(app.ctl("高2"), lines.high2);
  tk.setCaption(app.ctl("高1"), lines.high1);
}

}  // namespace

void startPlayback(App& app, std::string_view score) {
  WindowToolkit& tk = app.tk;
  app.st.playTokens = splitScore(score);
  tk.setPeriod(app.ctl("时钟2"), kFirstTickMs);
  tk.setPeriod(app.ctl("时钟1"), kBlinkMs);
  tk.setPeriod(app.ctl("时钟4"), kWaveMs);
  tk.setVisible(app.ctl("音波画板"), true);
}

void playbackTick(App& app, const Event&) {
  PianoState& st = app.st;
  if (st.playPos != 0) silenceLastNote(app);

  // playPos can point past a shorter score started after a paused longer one;
  // that ends the score too rather than reading past the tokens.
  if (st.playPos < 0 || st.playPos >= static_cast<int>(st.playTokens.size())) {
    endScore(app);
    return;
  }

  ++st.playPos;
  const ScoreToken token = readToken(st.playTokens[st.playPos - 1]);
  // Bars, fillers and tokens the format has no period for (a rest without a
  // symbol, a symbol reading as 0 or less) play one silent tick at the
  // period already running. A zero period would stop 时钟2 for good and
  // leave 播放 checked with nothing playing.
  const bool timed = (token.kind == TokenKind::Rest || token.kind == TokenKind::Note) && token.hasSymbol;
  const int period = timed ? tokenPeriod(token.kind, token.symbol) : 0;
  if (period > 0) {
    if (token.kind == TokenKind::Note) {
      const int n = token.note;
      // Scores play as written: live playing's transposition is not applied.
      app.midi.noteOn(n);
      highlightKey(app, static_cast<std::uint8_t>(n));
      st.waveLevel = n;
      st.lastNote = static_cast<std::uint8_t>(n);
      app.tk.setPeriod(app.ctl("时钟2"), period);
      updateNotation(app, n);
    } else {
      app.tk.setPeriod(app.ctl("时钟2"), period);
    }
  }
}

}  // namespace vesko
