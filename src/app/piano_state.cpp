#include "app/piano_state.h"

namespace vesko {

void initProgramState(PianoState& st) { st = PianoState{}; }

void releaseProgramState(PianoState& st) {
  for (std::string& slot : st.durationSlots) std::string().swap(slot);
  std::string().swap(st.scoreText);
  std::string().swap(st.importedScore);
  std::vector<std::string>().swap(st.playTokens);
  st.notationLines = NotationLines{};
  std::vector<int>().swap(st.keyCodes);
  std::vector<int>().swap(st.keyNotes);
  std::vector<int>().swap(st.keyDown);
  std::vector<int>().swap(st.blackKeyNotes);
  std::vector<int>().swap(st.whiteKeyNotes);
  std::vector<int>().swap(st.waveBars);
}

}  // namespace vesko
