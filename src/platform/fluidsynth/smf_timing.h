#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vesko {

// The timing of a Standard MIDI File: its division, the tick of its last
// event over all tracks and its tempo map, to turn ticks into milliseconds.
struct SmfTiming {
  int format = 0;
  int tracks = 0;    // track chunks read
  int division = 0;  // ticks per quarter note
  std::int64_t totalTicks = 0;
  // Tempo changes (tick, microseconds per quarter note) in tick order; the
  // file starts at 120 bpm.
  std::vector<std::pair<std::int64_t, int>> tempos;

  double msAt(std::int64_t tick) const;
  std::int64_t tickAt(double ms) const;  // the last tick at or before ms
  double lengthMs() const { return msAt(totalTicks); }
};

// Reads the whole file structure: header, every track and every event. Null
// for anything fluidsynth could not play as a file, with a reason in *error:
// a bad header, no tracks, time-code division, a chunk or event cut short,
// data without a status byte.
std::optional<SmfTiming> readSmfTiming(const std::vector<unsigned char>& bytes, std::string* error = nullptr);

}  // namespace vesko
