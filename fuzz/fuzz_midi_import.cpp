#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/midi_import.h"
#include "files/midi_writer.h"

using namespace vesko;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

unsigned byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const auto tracks = trackCountOf(file);
  check(tracks.has_value() == (size >= 12));

  const auto copy = strippedCopy(file);
  check(copy.has_value() == (size >= 22));
  if (!copy) {
    scoreFromStrippedCopy(file);
    return 0;
  }
  check(copy->size() <= size);
  for (std::size_t i = 24; i < copy->size(); ++i) check(byteAt(*copy, i) < 0x81 || byteAt(*copy, i) > 0x83);

  // Writing the imported score gives back the note numbers and the ticks of
  // the copy's records (ticks outside the table come back as a quarter).
  const std::string score = scoreFromStrippedCopy(*copy);
  const std::string midi = midiFileBytes(score);
  const std::size_t records = copy->size() > 24 ? (copy->size() - 24) / 6 : 0;
  check(midi.size() == 27 + 6 * records);
  for (std::size_t k = 0; k < records; ++k) {
    const std::size_t in = 24 + 6 * k;
    const unsigned note = byteAt(*copy, in);
    const unsigned ticks = byteAt(*copy, in + 2);
    const bool known = ticks == 3 || ticks == 6 || ticks == 12 || ticks == 18 || ticks == 24 || ticks == 36 ||
                       ticks == 48 || ticks == 64 || ticks == 72 || ticks == 96;
    check(byteAt(midi, in) == note && byteAt(midi, in + 1) == 0x40 && byteAt(midi, in + 2) == (known ? ticks : 24) &&
          byteAt(midi, in + 3) == note && byteAt(midi, in + 4) == 0 && byteAt(midi, in + 5) == 0);
  }
  return 0;
}
