#include "platform/system_midi.h"

#include "platform/alsa/sequencer_ports.h"
#include "platform/fluidsynth/synth_device.h"

namespace vesko {

SystemMidi makeSystemMidi() {
  std::vector<std::unique_ptr<MidiDevice>> devices;
  auto synth = std::make_unique<SynthDevice>();
  SystemMidi midi;
  midi.synth = synth.get();
  devices.push_back(std::move(synth));
  for (auto& port : sequencerPortDevices()) devices.push_back(std::move(port));
  midi.out = std::make_unique<MidiOut>(std::move(devices));
  return midi;
}

}  // namespace vesko
