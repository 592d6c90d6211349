#pragma once
#include <string>
#include <string_view>

namespace vesko {

// A score text file: "vmid", CR LF, the instrument in decimal, CR LF, the
// score without its trailing spaces.
std::string scoreFileBytes(int instrument, std::string_view score);

// What a score text file holds. Lines that are missing leave their has*
// flag false; the instrument and score are read only after a right magic.
struct ScoreFileContent {
  bool isScoreFile = false;
  bool hasInstrument = false;
  int instrument = 0;
  bool hasScore = false;
  std::string score;
};

ScoreFileContent parseScoreFile(std::string_view bytes);

bool writeScoreFile(const std::string& path, int instrument, std::string_view score);
// A file that cannot be read reads as no bytes (not a score text file).
ScoreFileContent readScoreFile(const std::string& path);

}  // namespace vesko
