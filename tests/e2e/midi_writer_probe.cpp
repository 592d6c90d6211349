// Writes the score given as the first argument to the MIDI file named by the
// second, as the save command does. Exit status 0 on success.
#include <cstdio>

#include "files/midi_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <score> <file.mid>\n", argv[0]);
    return 2;
  }
  if (!vesko::exportMidiFile(argv[1], argv[2])) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
