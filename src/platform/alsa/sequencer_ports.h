#pragma once
#include <memory>
#include <vector>

#include "platform/midi_out_service.h"

namespace vesko {

// One device per writable port of the ALSA sequencer (external synthesizers,
// MIDI interfaces, "Midi Through"), named as RtMidi names the port. None when
// the sequencer is missing or cannot be read.
std::vector<std::unique_ptr<MidiDevice>> sequencerPortDevices();

}  // namespace vesko
