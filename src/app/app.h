#pragma once
#include "app/piano_state.h"
#include "platform/media_player_service.h"
#include "platform/midi_out_service.h"
#include "platform/mixer_service.h"
#include "platform/window_toolkit.h"

namespace vesko {

// What every handler reaches: the platform contracts, the shared state and
// the windows that exist.
struct App {
  WindowToolkit& tk;
  MidiOutService& midi;
  MixerService& mixer;
  MediaPlayerService& media;
  PianoState st;
  Win main = kNoWindow;
  Win splash = kNoWindow;
  Win settings = kNoWindow;
  Win about = kNoWindow;

  App(WindowToolkit& toolkit, MidiOutService& midiOut, MixerService& mixerService, MediaPlayerService& player)
      : tk(toolkit), midi(midiOut), mixer(mixerService), media(player) {}

  // A control of the main window by its name in the window definition.
  Ctl ctl(const char* name) const { return tk.control(main, name); }
  // A control of the settings window.
  Ctl settingsCtl(const char* name) const { return tk.control(settings, name); }
};

// Binds every handler to its window, control and event, then routes the
// toolkit's events to them.
void connectHandlers(App& app);

// The program up to its message loop: state, handlers, the main window
// (whose created handler runs the start-up sequence).
void startProgram(App& app);
// The program entry: startProgram, the message loop, the state released;
// returns the exit code.
int runProgram(App& app);

}  // namespace vesko
