#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace vesko {

// A format-1, one-track Standard MIDI File of the note tokens of `score`,
// division 48, six bytes per note with running status. Rests, bars and
// fillers write nothing; an unknown duration symbol keeps the ticks of the
// previous note (0 before the first known one); the low 8 bits of the note
// number are written.
//
// `betweenTokens` lets the caller keep its event loop alive during a long
// score; it is called between tokens of both passes, at most about every
// 5 ms. The score is copied first, so the callback may change the caller's
// score freely.
std::string midiFileBytes(std::string_view score, const std::function<void()>& betweenTokens = {});

bool exportMidiFile(std::string_view score, const std::string& path,
                    const std::function<void()>& betweenTokens = {});

// MIDI ticks of a duration symbol, or -1 for a symbol outside the table.
int durationTicks(std::string_view symbol);

}  // namespace vesko
