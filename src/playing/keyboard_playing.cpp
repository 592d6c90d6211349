#include "playing/keyboard_playing.h"

#include "playing/notes.h"
#include "score/recorder.h"

namespace vesko {

void keyDownHandler(App& app, const Event& e) {
  PianoState& st = app.st;
  const int c = e.key;
  // 1.
  st.mappedKeyDown = 0;
  // 2. The held scan. A key already held is an auto-repeat: its note was
  // silenced just above, and nothing sounds again until a new press.
  for (std::size_t i = 0; i < st.keyCodes.size(); ++i) {
    if (st.keyCodes[i] != c) continue;
    st.mappedKeyDown = 1;
    silenceLastNote(app);
    if (st.keyDown[i] == 1) {
      st.keyRepeat = 1;
      break;
    }
    st.keyDown[i] = 1;
  }
  // 3.
  if (st.keyRepeat == 0 && st.mappedKeyDown == 1) {
    for (std::size_t j = 0; j < st.keyCodes.size(); ++j) {
      if (st.keyCodes[j] == c) {
        st.keyboardNote = st.keyNotes[j];
        break;
      }
    }
    highlightKey(app, static_cast<std::uint8_t>(st.keyboardNote));
    soundNote(app, static_cast<std::uint8_t>(st.keyboardNote));
    recorderKeyPressStep(app);
  }
}

void keyUpHandler(App& app, const Event& e) {
  PianoState& st = app.st;
  const int c = e.key;
  st.mappedKeyDown = 0;
  for (std::size_t i = 0; i < st.keyCodes.size(); ++i) {
    if (st.keyCodes[i] == c && st.keyDown[i] == 1) {
      st.keyDown[i] = 0;
      st.keyRepeat = 0;
      st.mappedKeyDown = 1;
    }
  }
  // Every release silences, mapped key or not.
  silenceLastNote(app);
  clearHighlight(app);
  recorderKeyReleaseStep(app);
}

}  // namespace vesko
