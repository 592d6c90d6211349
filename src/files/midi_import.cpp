#include "files/midi_import.h"

#include <cstdint>

#include "files/score_file.h"
#include "platform/file_io.h"

namespace vesko {

namespace {

inline unsigned byteAt(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

std::string_view symbolForTicks(unsigned ticks) {
  switch (ticks) {
    case 3: return "32";
    case 6: return "16";
    case 12: return "8";
    case 18: return "8.";
    case 24: return "4";
    case 36: return "4.";
    case 48: return "2";
    case 64: return "2.";
    case 72: return "1";
    case 96: return "1.";
    default: return "4";
  }
}

}  // namespace

std::optional<int> trackCountOf(std::string_view file) {
  if (file.size() < 12) return std::nullopt;
  return static_cast<int>(byteAt(file, 10) << 8 | byteAt(file, 11));
}

std::optional<std::string> strippedCopy(std::string_view file) {
  if (file.size() < 22) return std::nullopt;
  std::string copy;
  copy.reserve(file.size());
  copy.append(file.substr(0, 18));
  copy.append(4, '\0');  // the track length, known once the rest is stripped
  copy.append(file.substr(22, 2));

  std::uint32_t dropped = 0;
  const std::size_t n = file.size();
  for (std::size_t i = 24; i < n; ++i) {
    const unsigned b = byteAt(file, i);
    if (b >= 0x81 && b <= 0x83) ++dropped;
    else copy.push_back(file[i]);
  }

  const std::uint32_t length = (std::uint32_t{byteAt(file, 18)} << 24) | (byteAt(file, 19) << 16) |
                               (byteAt(file, 20) << 8) | byteAt(file, 21);
  const std::uint32_t stripped = length - dropped;  // wraps like the 32-bit field it is
  copy[18] = static_cast<char>(stripped >> 24);
  copy[19] = static_cast<char>(stripped >> 16);
  copy[20] = static_cast<char>(stripped >> 8);
  copy[21] = static_cast<char>(stripped);
  return copy;
}

std::string scoreFromStrippedCopy(std::string_view copy) {
  std::string score;
  if (copy.size() <= 24) return score;
  const std::size_t n = copy.size();
  score.reserve((n - 24) / 6 * 7 + 3);
  std::size_t i = 24;
  for (; n - i >= 6; i += 6) {
    score += std::to_string(byteAt(copy, i));
    score += '@';
    score += symbolForTicks(byteAt(copy, i + 2));
    score += ' ';
  }
  if (i < n) score += "p@2";
  return score;
}

int midiTrackCount(const std::string& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes) return -1;
  return trackCountOf(*bytes).value_or(-1);
}

bool stripMidiFile(const std::string& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes) return false;
  const auto copy = strippedCopy(*bytes);
  return copy && replaceFileContent(path + ".bak", *copy);
}

std::optional<std::string> importMidiFile(const std::string& path, int instrument) {
  const std::string workingCopy = path + ".bak";
  const auto bytes = readWholeFile(workingCopy);
  if (!bytes) return std::nullopt;
  std::string score = scoreFromStrippedCopy(*bytes);
  writeScoreFile(path + ".txt", instrument, score);
  removeFile(workingCopy);
  return score;
}

}  // namespace vesko
