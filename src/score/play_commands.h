#pragma once
#include "app/app.h"

namespace vesko {

// 播放 clicked: plays what playMode names when the click checked it, pauses
// when it unchecked it; after a media pause every click plays on.
void playClicked(App& app, const Event& e);
// 停止播放 clicked: ends any playback and resets the sound device.
void stopClicked(App& app, const Event& e);
// 时钟1: the two side pictures blink while something plays.
void pictureBlink(App& app, const Event& e);
// 时钟5: ends media playback once the player's position reaches its length.
void mediaProgressTick(App& app, const Event& e);

// Reopens the MIDI output shown in the settings when none is open; the
// instrument is left as it is.
void openMidiIfClosed(App& app);

}  // namespace vesko
