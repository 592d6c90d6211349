#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vesko {

// The import reads back the layout that midiFileBytes writes: a 24-byte
// start, then six bytes per note (note number first, ticks third). Other
// one-track files go through the same steps without error.

// The header's track count (16 bits at offset 10); nullopt for fewer than 12 bytes.
std::optional<int> trackCountOf(std::string_view file);

// The working copy: the file with every byte 0x81, 0x82 or 0x83 after
// offset 23 dropped and the track length lowered by their number. nullopt
// for fewer than 22 bytes (no complete track length).
std::optional<std::string> strippedCopy(std::string_view file);

// The score of a working copy: one note token per six bytes from offset 24,
// and "p@2" for a shorter tail.
std::string scoreFromStrippedCopy(std::string_view copy);

// The same over files. midiTrackCount gives -1 for a file that cannot be
// read or is too short. stripMidiFile writes path + ".bak". importMidiFile
// reads that copy, writes the score as the score text file path + ".txt"
// with `instrument`, deletes the copy and gives the score; nullopt when the
// copy cannot be read.
int midiTrackCount(const std::string& path);
bool stripMidiFile(const std::string& path);
std::optional<std::string> importMidiFile(const std::string& path, int instrument);

}  // namespace vesko
