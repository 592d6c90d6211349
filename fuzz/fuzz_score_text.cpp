#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "score/quantise.h"
#include "score/score_text.h"

using namespace vesko;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// For plain ASCII without hex, infinity or NaN spellings, readNumber must agree
// with strtod in the C locale (the fuzzer never calls setlocale).
void compareWithStrtod(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return;
  const std::string copy(text);
  std::size_t i = 0;
  while (i < copy.size() && (copy[i] == ' ' || (copy[i] >= '\t' && copy[i] <= '\r'))) ++i;
  if (i < copy.size() && (copy[i] == '+' || copy[i] == '-')) ++i;
  if (i < copy.size() && (copy[i] == 'i' || copy[i] == 'I' || copy[i] == 'n' || copy[i] == 'N')) return;
  if (i + 1 < copy.size() && copy[i] == '0' && (copy[i + 1] == 'x' || copy[i + 1] == 'X')) return;
  const double expected = std::strtod(copy.c_str(), nullptr);
  const double got = readNumber(text);
  if (std::fabs(expected) < 1e-300 && std::fabs(got) < 1e-300) return;  // denormals may read as 0
  check(got == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const auto tokens = splitScore(text);
  std::size_t total = 0;
  for (const auto& token : tokens) total += token.size() + 1;
  check(total <= size + 1);

  for (const auto& token : tokens) {
    const ScoreToken t = readToken(token);
    const TokenParts parts = readTokenParts(token);
    check(parts.kind == t.kind && parts.symbol == t.symbol && parts.hasSymbol == t.hasSymbol);
    check(tokenPeriod(t.kind, t.symbol) >= 0);
    check(!std::isnan(readNumber(token)));
    readWholeNumber(token);
    const std::string q = quantiseTicks(token);
    check(q == "8" || q == "4." || q == "4" || q == "2." || q == "2" || q == "1" || q == "1.");
  }

  compareWithStrtod(text);
  const std::string trimmed = trimEnd(text);
  check(text.substr(0, trimmed.size()) == trimmed);
  check(trimEnd(trimmed) == trimmed);
  splitText(text, "\r\n");
  splitText(text, "@");
  return 0;
}
