// Plays one note through the built-in synthesizer's real audio output:
// 0.5 s of silence, note 60 for 0.5 s, then 1 s more with the output alive
// so that a capture of the sink gets all of it.
//   synth_sound_probe            exit 0 when device 0 opened and played
//   synth_sound_probe --no-audio exit 0 when device 0 refused to open
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/fluidsynth/synth_device.h"
#include "platform/system_midi.h"

using namespace std::chrono_literals;

int main(int argc, char** argv) {
  const bool expectNoAudio = argc > 1 && std::strcmp(argv[1], "--no-audio") == 0;
  vesko::SystemMidi midi = vesko::makeSystemMidi();
  if (!midi.synth->hasSoundFont()) {
    std::fprintf(stderr, "no General MIDI SoundFont installed\n");
    return 77;
  }
  const bool opened = midi.out->openDevice(0);
  std::printf("device 0 \"%s\": %s, driver \"%s\"\n", midi.out->deviceName(0).c_str(),
              opened ? "open" : "not open", midi.synth->audioDriver().c_str());
  if (expectNoAudio) return opened || midi.out->isDeviceOpen() ? 1 : 0;
  if (!opened) return 1;
  midi.out->setInstrument(1);
  std::this_thread::sleep_for(500ms);
  midi.out->noteOn(60);
  std::this_thread::sleep_for(500ms);
  midi.out->noteOff(60);
  std::this_thread::sleep_for(1000ms);
  midi.out->closeDevice();
  return 0;
}
