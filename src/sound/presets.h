#pragma once
#include "app/app.h"

namespace vesko {

// The instrument of each preset button 效果1 to 效果12.
extern const int kPresetInstruments[12];

void selectPreset(App& app, Ctl button, int n);
// The click handler of every preset button.
void presetClicked(App& app, const Event& e);

}  // namespace vesko
