// Plays a MIDI file through the real audio output for a while and prints
// "length L" then one "t position" line every 100 ms of wall time:
//   media_player_probe file.mid [milliseconds]
// Prints "refused: why" when the file cannot be opened.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/fluidsynth/midi_file_player.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  int total = argc > 2 ? std::atoi(argv[2]) : 1000;
  vesko::MidiFilePlayer player;
  if (!player.open(argv[1])) {
    std::printf("refused: %s\n", player.lastError().c_str());
    return 0;
  }
  std::printf("length %d\n", player.length());
  player.play(-1);
  auto start = std::chrono::steady_clock::now();
  for (int t = 100; t <= total; t += 100) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(t));
    std::printf("%d %d\n", t, player.position());
    std::fflush(stdout);
  }
  player.close();
  return 0;
}
