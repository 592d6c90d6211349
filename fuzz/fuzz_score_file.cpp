#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "files/score_file.h"
#include "score/score_text.h"

using namespace vesko;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  parseScoreFile(bytes);

  // Round trip: the first four bytes are the instrument, the rest the score.
  if (size < 4) return 0;
  std::int32_t instrument;
  std::memcpy(&instrument, data, 4);
  const std::string_view score = bytes.substr(4);
  if (score.find("\r\n") != std::string_view::npos || score.find('\0') != std::string_view::npos) return 0;

  const ScoreFileContent content = parseScoreFile(scoreFileBytes(instrument, score));
  const std::string trimmed = trimEnd(score);
  if (!content.isScoreFile || !content.hasInstrument || content.instrument != instrument ||
      content.score != trimmed || content.hasScore != !trimmed.empty())
    std::abort();
  return 0;
}
