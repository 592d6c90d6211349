#include "files/midi_writer.h"

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/file_io.h"
#include "score/score_text.h"

namespace vesko {

int durationTicks(std::string_view symbol) {
  struct Entry {
    std::string_view symbol;
    int ticks;
  };
  static constexpr Entry table[] = {{"1.", 96}, {"1", 72}, {"2.", 64}, {"2", 48}, {"4.", 36},
                                    {"4", 24},  {"8.", 18}, {"8", 12},  {"16", 6}, {"32", 3}};
  for (const Entry& e : table)
    if (e.symbol == symbol) return e.ticks;
  return -1;
}

namespace {

// Calls the callback when about 5 ms have passed since its last call; the
// clock is looked at only every few hundred tokens so that it costs nothing.
class Throttle {
 public:
  explicit Throttle(const std::function<void()>& callback) : callback_(callback) {}
  void tick() {
    if (!callback_ || (++count_ & 255u) != 1u) return;
    const auto now = std::chrono::steady_clock::now();
    if (called_ && now - last_ < std::chrono::milliseconds(5)) return;
    called_ = true;
    callback_();
    last_ = std::chrono::steady_clock::now();
  }

 private:
  const std::function<void()>& callback_;
  std::uint32_t count_ = 0;
  bool called_ = false;
  std::chrono::steady_clock::time_point last_{};
};

void putBigEndian32(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v >> 24));
  out.push_back(static_cast<char>(v >> 16));
  out.push_back(static_cast<char>(v >> 8));
  out.push_back(static_cast<char>(v));
}

}  // namespace

std::string midiFileBytes(std::string_view score, const std::function<void()>& betweenTokens) {
  const std::string own(score);
  std::vector<std::string_view> tokens;
  forEachPiece(own, " ", [&](std::string_view token) {
    tokens.push_back(token);
    return true;
  });

  Throttle throttle(betweenTokens);
  std::uint64_t notes = 0;
  for (std::string_view token : tokens) {
    if (readTokenParts(token).kind == TokenKind::Note) ++notes;
    throttle.tick();
  }

  std::string out;
  out.reserve(27 + 6 * notes);
  out.append("MThd\0\0\0\x06\0\x01\0\x01\0\x30MTrk", 18);
  putBigEndian32(out, static_cast<std::uint32_t>(6 * notes + 5));
  out.append("\0\x90", 2);

  int ticks = 0;
  for (std::string_view token : tokens) {
    const TokenParts parts = readTokenParts(token);
    if (parts.kind == TokenKind::Note) {
      const char note = static_cast<char>(readWholeNumber(parts.first) & 0xFF);
      const int known = durationTicks(parts.symbol);
      if (known >= 0) ticks = known;
      const char record[6] = {note, 0x40, static_cast<char>(ticks), note, 0, 0};
      out.append(record, 6);
    }
    throttle.tick();
  }
  out.append("\xFF\x2F\0", 3);
  return out;
}

bool exportMidiFile(std::string_view score, const std::string& path,
                    const std::function<void()>& betweenTokens) {
  return replaceFileContent(path, midiFileBytes(score, betweenTokens));
}

}  // namespace vesko
