#pragma once
#include <cstdint>

#include "app/app.h"

namespace vesko {

// Sounds note + transpose (mod 256) on channel 0 and remembers it as lastNote.
void soundNote(App& app, std::uint8_t note);
// Note-off for lastNote; lastNote stays as it is.
void silenceLastNote(App& app);
// Clears the lit key and lights the key of this note, if there is one.
void highlightKey(App& app, std::uint8_t note);
void clearHighlight(App& app);

// Opens the device that 设备名组合框 shows as current (device 0 unless the
// settings chose another). Every place that reopens the MIDI output goes
// through here, so the sound never moves to a device the settings don't show.
void reopenMidiDevice(App& app);

}  // namespace vesko
