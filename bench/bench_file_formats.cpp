// The file formats over a score of a million notes: writing the MIDI file,
// importing it back, and the same through files on disk. Median of 5 runs.
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "files/midi_import.h"
#include "files/midi_writer.h"
#include "platform/file_io.h"

using namespace vesko;

namespace {

constexpr int kNotes = 1'000'000;
constexpr int kRuns = 5;

std::string bigScore() {
  static const char* const symbols[] = {"8", "4.", "4", "2.", "2", "1", "1.", "16", "32", "8."};
  std::string score;
  score.reserve(kNotes * 6);
  for (int i = 0; i < kNotes; ++i) {
    score += std::to_string(36 + i % 61);
    score += '@';
    score += symbols[i % 10];
    score += ' ';
  }
  return score + "p@2";
}

double medianSeconds(const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

void figure(const char* name, double value, const char* unit, const char* goal) {
  std::printf("FIGURE\t%s\t%.3f\t%s\t%s\n", name, value, unit, goal);
}

void require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "bench_file_formats: %s\n", what);
    std::exit(1);
  }
}

}  // namespace

int main() {
  const std::string score = bigScore();
  const std::string expectedScore = score.substr(0, score.size() - 3) + "p@2";

  std::string midi;
  int callbacks = 0;
  figure("midi write 1M notes (midiFileBytes)",
         medianSeconds([&] { midi = midiFileBytes(score, [&] { ++callbacks; }); }), "s", "< 1 s");
  require(midi.size() == 27u + 6u * kNotes, "wrong MIDI size");

  std::string imported;
  figure("midi import 1M notes (track count, strip, score)", medianSeconds([&] {
           require(trackCountOf(midi) == 1, "track count");
           const auto copy = strippedCopy(midi);
           require(copy.has_value(), "strip");
           imported = scoreFromStrippedCopy(*copy);
         }),
         "s", "< 1 s");
  require(imported == expectedScore, "import does not give the score back");

  QTemporaryDir dir;
  require(dir.isValid(), "no temporary folder");
  const std::string path = dir.path().toStdString() + "/big.mid";
  figure("midi export file 1M notes (exportMidiFile)",
         medianSeconds([&] { require(exportMidiFile(score, path), "export"); }), "s", "< 1 s");
  figure("midi strip file 1M notes (midiTrackCount + stripMidiFile)", medianSeconds([&] {
           require(midiTrackCount(path) == 1, "file track count");
           require(stripMidiFile(path), "file strip");
         }),
         "s", "< 1 s");
  std::optional<std::string> fromFile;
  figure("midi import file 1M notes (importMidiFile)", medianSeconds([&] {
           require(stripMidiFile(path), "file strip");
           fromFile = importMidiFile(path, 1);
         }),
         "s", "< 1 s");
  require(fromFile == expectedScore, "file import does not give the score back");

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  figure("file formats peak RSS (1M notes)", usage.ru_maxrss / 1024.0, "MiB", "-");
  std::fprintf(stderr, "betweenTokens calls in %d writes: %d\n", kRuns, callbacks);
  return 0;
}
