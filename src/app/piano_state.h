#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_toolkit.h"

namespace vesko {

// The numbered-notation display: the digit line shown in 乐谱 and the four
// lines of octave dots around it.
struct NotationLines {
  std::string digits;  // 乐谱
  std::string high2;   // 高2
  std::string high1;   // 高1
  std::string low1;    // 低1
  std::string low2;    // 低2
};

// Everything the handlers share. Texts are byte strings; arrays that the
// program indexes by note or keyboard position keep index 0 unused so that
// slot n is note n.
struct PianoState {
  int recordingOn = 0;
  int mappedKeyDown = 0;
  int keyboardNote = 0;
  std::array<std::string, 256> durationSlots{};  // slots 1 to 255
  std::string scoreText;
  std::uint8_t lastNote = 0;
  int knobDragging = 0;
  int knobDragY = 0;
  int playMode = 0;
  int timedNote = 0;
  std::vector<int> keyCodes;
  std::vector<int> keyNotes;
  std::vector<int> keyDown;
  int keyRepeat = 0;
  Ctl litKey = kNoControl;
  int litKeyIsBlack = 0;
  int closedByPress = 0;
  int mediaPaused = 0;
  NotationLines notationLines;
  std::string importedScore;
  int mediaPlaying = 0;
  std::uint8_t transpose = 0;
  std::vector<std::string> playTokens;
  std::vector<int> blackKeyNotes;
  int transposeChanged = 0;
  int playPos = 0;
  std::vector<int> whiteKeyNotes;
  std::array<Ctl, 72> keyButtons{};  // by keyboard position 1 to 71
  int waveLevel = 0;
  std::vector<int> waveBars;
};

void initProgramState(PianoState& st);
void releaseProgramState(PianoState& st);

}  // namespace vesko
