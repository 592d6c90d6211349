#pragma once
#include "app/app.h"

namespace vesko {

// Draws the bars of the earlier ticks, newest at the left, then stores
// level (a bar top in pixels) as the newest.
void drawWaveBars(App& app, int level);
// 时钟4: a new bar from the note playback sounded last.
void waveTick(App& app, const Event& e);
// 音值 clicked: the notation takes the display. 音波 clicked: the bars do.
void noteValuesClicked(App& app, const Event& e);
void soundWaveClicked(App& app, const Event& e);

}  // namespace vesko
