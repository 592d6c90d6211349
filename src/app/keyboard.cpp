#include "app/keyboard.h"

#include <string>

namespace vesko {

const std::array<int, 35> kWhiteKeyNotes = {36, 38, 40, 41, 43, 45, 47, 48, 50, 52, 53, 55, 57, 59, 60, 62, 64, 65,
                                            67, 69, 71, 72, 74, 76, 77, 79, 81, 83, 84, 86, 88, 89, 91, 93, 95};

const std::array<int, 54> kKeyCodes = {
    90, 88, 67, 86, 66, 78, 77,     // Z X C V B N M
    65, 83, 68, 70, 71, 72, 74,     // A S D F G H J
    81, 87, 69, 82, 84, 89, 85,     // Q W E R T Y U
    49, 50, 51, 52, 53, 54, 55,     // 1 2 3 4 5 6 7
    56, 57, 48, 189, 187, 220, 8,   // 8 9 0 - = \ Backspace
    46, 35, 34, 45, 36, 33, 8,      // Delete End PageDown Insert Home PageUp Backspace
    73, 79, 80, 219, 221,           // I O P [ ]
    188, 190, 191,                  // , . /
    75, 76, 186, 222};              // K L ; '

const std::array<int, 54> kKeyNotes = {
    36, 38, 40, 41, 43, 45, 47,
    48, 50, 52, 53, 55, 57, 59,
    60, 62, 64, 65, 67, 69, 71,
    72, 74, 76, 77, 79, 81, 83,
    84, 86, 88, 89, 91, 93, 95,
    84, 86, 88, 89, 91, 93, 95,
    72, 74, 76, 77, 79,
    48, 50, 52,
    60, 62, 64, 65};

bool isSkippedPosition(int position) {
  switch (position) {
    case 6: case 14: case 20: case 28: case 34: case 42: case 48: case 56: case 62: case 70:
      return true;
    default:
      return false;
  }
}

void buildKeyboard(App& app) {
  WindowToolkit& tk = app.tk;
  PianoState& st = app.st;
  const Ctl whiteTemplate = app.ctl("琴键1");
  const Ctl blackTemplate = app.ctl("琴键2");

  st.keyButtons.fill(kNoControl);
  int k = 0;
  for (int p = 1; p <= kKeyboardPositions; ++p) {
    if (isSkippedPosition(p)) continue;
    ++k;
    const Ctl key = tk.cloneControl(whiteTemplate);
    st.keyButtons[p] = key;
    const int note = k + 35;
    const int w = tk.width(whiteTemplate);
    if (p % 2 == 1) {
      tk.setVisible(key, true);
      tk.setTag(key, std::to_string(note));
      tk.setLeft(key, tk.left(whiteTemplate) + w * (p / 2));
    } else {
      tk.setWidth(key, 12);
      tk.setHeight(key, 70);
      tk.setTop(key, 0);
      tk.setPicture(key, tk.picture(blackTemplate));
      tk.setPressedPicture(key, tk.pressedPicture(blackTemplate));
      tk.setTransparentColour(key, Rgb{255, 255, 255});
      tk.raise(key);
      tk.setVisible(key, true);
      tk.setTag(key, std::to_string(note));
      st.blackKeyNotes.push_back(note);
      tk.setLeft(key, tk.left(blackTemplate) + w * (p / 2 - 1));
    }
  }
}

}  // namespace vesko
