#pragma once
#include <string>

namespace vesko {

// The General MIDI SoundFont the built-in synthesizer and the MIDI-file
// player load: FluidR3 when installed, else whatever the system's default-GM
// alternative points at, else TimGM6mb. Empty when none is installed.
std::string findGeneralMidiSoundFont();

}  // namespace vesko
