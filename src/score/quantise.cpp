#include "score/quantise.h"

#include "score/score_text.h"

namespace vesko {

std::string quantiseTicks(std::string_view slot) {
  constexpr double tolerance = 1e-7;
  const double d = readNumber(slot);
  auto equals = [&](double v) { return d >= v - tolerance && d <= v + tolerance; };
  auto within = [&](double above, double upTo) { return d > above + tolerance && d <= upTo + tolerance; };
  if (d <= 2 + tolerance) return "8";
  if (equals(3)) return "4.";
  if (equals(4)) return "4";
  if (within(4, 6)) return "2.";
  if (within(6, 8)) return "2";
  if (within(10, 12)) return "1";
  return "1.";
}

}  // namespace vesko
