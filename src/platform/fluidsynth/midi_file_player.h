#pragma once
#include <memory>
#include <string>

#include "platform/media_player_service.h"

namespace vesko {

// Plays a Standard MIDI File through fluidsynth's file player, with a
// synthesizer and an audio output of its own that live from open to close.
// Position and length come from the file's own tempo map, so the position is
// exactly the length once the last event has played.
//
// Called from one thread (the UI); the audio output renders on its own thread
// and both meet under one lock.
class MidiFilePlayer : public MediaPlayerService {
 public:
  struct Options {
    std::string soundFont;     // empty: the system's General MIDI SoundFont
    bool audioOutput = true;   // false: nothing plays by itself, renderMs() moves time on
    double sampleRate = 44100;
  };

  MidiFilePlayer();
  explicit MidiFilePlayer(Options options);
  ~MidiFilePlayer() override;
  MidiFilePlayer(const MidiFilePlayer&) = delete;
  MidiFilePlayer& operator=(const MidiFilePlayer&) = delete;

  // Closes any file before; false for a file that cannot be read or is not a
  // playable Standard MIDI File, or when no audio output can be had.
  bool open(const std::string& fileName) override;
  // startMs -1 goes on from where it stands (after the end: from the start);
  // otherwise it plays from that time.
  bool play(int startMs) override;
  bool pauseOrResume() override;
  bool stop() override;  // stops and rewinds to the start
  bool close() override;
  int position() override;  // -1 when nothing is open
  int length() override;    // 0 when nothing is open

  // Without audio output only: renders ms of sound into a scratch buffer,
  // which moves the player on exactly as an audio device would. Gives the
  // loudest sample rendered (0 when nothing is open).
  float renderMs(int ms);
  // Whether the open file sounds (a SoundFont was loaded).
  bool hasSoundFont() const;
  // Why the last open failed.
  const std::string& lastError() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vesko
