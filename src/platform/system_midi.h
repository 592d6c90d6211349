#pragma once
#include <memory>

#include "platform/midi_out_service.h"

namespace vesko {

class SynthDevice;

// The program's MIDI output: device 0 the built-in synthesizer, then the
// writable ALSA sequencer ports. `synth` points into `out` (for the
// synthesizer line of the mixer) and lives as long as it.
struct SystemMidi {
  std::unique_ptr<MidiOut> out;
  SynthDevice* synth = nullptr;
};

SystemMidi makeSystemMidi();

}  // namespace vesko
