#pragma once
// The whole program on the headless toolkit: recording MIDI devices, an
// in-memory mixer and media player, a manual clock.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/main_window.h"
#include "platform/headless/headless_toolkit.h"
#include "platform/headless/recording_midi_device.h"
#include "test_doubles.h"

namespace vesko::testing {

struct ProgramOptions {
  int devices = 2;  // recording devices "dev0", "dev1", ...
  bool masterLine = true;
  bool synthLine = true;
  int masterChannels = 2;
  int masterLevel = 65535;
  int synthLevel = 59392;
};

class ProgramTest : public ::testing::Test {
 protected:
  HeadlessToolkit tk;
  std::shared_ptr<MidiLog> log = std::make_shared<MidiLog>();
  std::unique_ptr<MidiOut> midi;
  TestMixer mixer;
  TestMedia media;
  std::unique_ptr<App> app;
  std::vector<std::string> startupSent;    // what the start-up sequence sent
  std::vector<std::string> startupEvents;  // and did to the devices

  // Starts the program as its entry does, without running a message loop.
  void start(const ProgramOptions& o = {}) {
    std::vector<std::unique_ptr<MidiDevice>> devices;
    for (int i = 0; i < o.devices; ++i)
      devices.push_back(std::make_unique<RecordingMidiDevice>("dev" + std::to_string(i), log));
    midi = std::make_unique<MidiOut>(std::move(devices));
    mixer.lines[kMasterLine] = {o.masterLine, o.masterChannels, o.masterLevel, o.masterLevel, {}};
    mixer.lines[kSynthLine] = {o.synthLine, 2, o.synthLevel, o.synthLevel, {}};
    app = std::make_unique<App>(tk, *midi, mixer, media);
    startProgram(*app);
    startupSent = log->hex();
    startupEvents = log->events;
    log->clear();
  }

  Ctl ctl(const char* name) const { return tk.control(app->main, name); }
  Ctl key(int note) const { return tk.findByTag(app->main, note); }
  PianoState& st() { return app->st; }
  std::vector<std::string> sent() const { return log->hex(); }
};

}  // namespace vesko::testing
