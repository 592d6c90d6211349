#include "files/score_file.h"

#include "platform/file_io.h"
#include "score/score_text.h"

namespace vesko {

std::string scoreFileBytes(int instrument, std::string_view score) {
  std::string bytes = "vmid\r\n";
  bytes += std::to_string(instrument);
  bytes += "\r\n";
  bytes += trimEnd(score);
  return bytes;
}

ScoreFileContent parseScoreFile(std::string_view bytes) {
  const std::size_t zero = bytes.find('\0');
  if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);

  ScoreFileContent content;
  int line = 0;
  forEachPiece(bytes, "\r\n", [&](std::string_view text) {
    ++line;
    if (line == 1) {
      content.isScoreFile = text == "vmid";
      return content.isScoreFile;
    }
    if (line == 2) {
      content.hasInstrument = true;
      content.instrument = readWholeNumber(text);
      return true;
    }
    content.hasScore = true;
    content.score = std::string(text);
    return false;  // later lines are not ours
  });
  return content;
}

bool writeScoreFile(const std::string& path, int instrument, std::string_view score) {
  return replaceFileContent(path, scoreFileBytes(instrument, score));
}

ScoreFileContent readScoreFile(const std::string& path) {
  const auto bytes = readWholeFile(path);
  return parseScoreFile(bytes ? std::string_view(*bytes) : std::string_view());
}

}  // namespace vesko
