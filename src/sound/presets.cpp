#include "sound/presets.h"

#include <string>

namespace vesko {

const int kPresetInstruments[12] = {4, 9, 10, 11, 15, 117, 17, 19, 113, 26, 39, 56};

namespace {

std::string presetName(int i) { return "效果" + std::to_string(i); }

}  // namespace

void selectPreset(App& app, Ctl button, int n) {
  WindowToolkit& tk = app.tk;
  for (int i = 1; i <= 12; ++i) tk.setChecked(app.ctl(presetName(i).c_str()), false);
  tk.setCurrentItem(app.ctl("乐器名组合框"), n - 1);
  app.midi.setInstrument(n);
  tk.setChecked(button, true);
}

void presetClicked(App& app, const Event& e) {
  for (int i = 1; i <= 12; ++i) {
    if (app.tk.nameOf(e.control) == presetName(i)) {
      selectPreset(app, e.control, kPresetInstruments[i - 1]);
      return;
    }
  }
}

}  // namespace vesko
