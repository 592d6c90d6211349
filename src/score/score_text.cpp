#include "score/score_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace vesko {

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  forEachPiece(text, separator, [&](std::string_view piece) {
    pieces.emplace_back(piece);
    return true;
  });
  return pieces;
}

std::vector<std::string> splitScore(std::string_view text) { return splitText(text, " "); }

namespace {

struct Char {
  char ascii;  // '\0' when the character has no ASCII form
  std::size_t length;
};

// The character at i, with full-width forms folded to ASCII.
inline Char charAt(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return {static_cast<char>(lead), 1};
  if (i + 1 >= text.size()) return {'\0', 1};
  const auto trail = static_cast<unsigned char>(text[i + 1]);
  if (lead == 0xA1 && trail == 0xA1) return {' ', 2};
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return {static_cast<char>(trail - 0x80), 2};
  return {'\0', 2};
}

inline bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double readNumber(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  Char c{};
  auto peek = [&] { c = i < n ? charAt(text, i) : Char{'\0', 0}; return c.ascii; };

  while (i < n && isSpace(peek())) i += c.length;

  bool negative = false;
  if (peek() == '+' || c.ascii == '-') {
    negative = c.ascii == '-';
    i += c.length;
  }

  // The normalised digits go into a bounded copy so that from_chars sees
  // exactly the number and nothing of the locale.
  std::string digits;
  long long magnitude = 0;  // decimal exponent of the leading non-zero digit, roughly
  bool seenNonZero = false;
  bool anyDigit = false;
  while (isDigit(peek())) {
    digits.push_back(c.ascii);
    anyDigit = true;
    if (c.ascii != '0') seenNonZero = true;
    if (seenNonZero && magnitude < LLONG_MAX / 4) ++magnitude;
    i += c.length;
  }
  if (peek() == '.') {
    std::size_t afterPoint = i + c.length;
    std::size_t j = afterPoint;
    std::string fraction;
    while (j < n) {
      const Char d = charAt(text, j);
      if (!isDigit(d.ascii)) break;
      fraction.push_back(d.ascii);
      if (!seenNonZero) {
        if (d.ascii != '0') seenNonZero = true;
        else if (magnitude > LLONG_MIN / 4) --magnitude;
      }
      j += d.length;
    }
    if (anyDigit || !fraction.empty()) {
      digits.push_back('.');
      digits += fraction;
      anyDigit = true;
      i = j;
    }
  }
  if (!anyDigit) return 0.0;

  if (peek() == 'e' || c.ascii == 'E') {
    std::size_t j = i + c.length;
    std::string exponent = "e";
    long long exponentValue = 0;
    bool exponentNegative = false;
    if (j < n) {
      const Char s = charAt(text, j);
      if (s.ascii == '+' || s.ascii == '-') {
        exponentNegative = s.ascii == '-';
        exponent.push_back(s.ascii);
        j += s.length;
      }
    }
    bool exponentDigits = false;
    while (j < n) {
      const Char d = charAt(text, j);
      if (!isDigit(d.ascii)) break;
      exponent.push_back(d.ascii);
      exponentDigits = true;
      if (exponentValue < LLONG_MAX / 20) exponentValue = exponentValue * 10 + (d.ascii - '0');
      j += d.length;
    }
    if (exponentDigits) {
      digits += exponent;
      magnitude += exponentNegative ? -exponentValue : exponentValue;
    }
  }

  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = (seenNonZero && magnitude > 0) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

int readWholeNumber(std::string_view text) {
  const double value = readNumber(text);
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

std::string trimEnd(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t keep = 0;
  std::size_t i = 0;
  while (i < n) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = (lead >= 0x80 && i + 1 < n) ? 2 : 1;
    const bool space = length == 1 ? lead == ' '
                                    : (lead == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1);
    i += length;
    if (!space) keep = i;
  }
  return std::string(text.substr(0, keep));
}

TokenParts readTokenParts(std::string_view token) {
  TokenParts parts;
  if (token == "|" || token == "||") {
    parts.kind = TokenKind::Bar;
    return parts;
  }
  if (token.empty()) return parts;
  int count = 0;
  forEachPiece(token, "@", [&](std::string_view piece) {
    if (count == 0) parts.first = piece;
    else if (count == 1) parts.symbol = piece;
    ++count;
    return count < 3;  // a third part already decides the kind
  });
  if (parts.first == "p") {
    parts.kind = TokenKind::Rest;
    parts.hasSymbol = count >= 2;
  } else if (count == 2) {
    parts.kind = TokenKind::Note;
    parts.hasSymbol = true;
  } else {
    parts.symbol = {};
  }
  return parts;
}

ScoreToken readToken(std::string_view token) {
  const TokenParts parts = readTokenParts(token);
  ScoreToken result;
  result.kind = parts.kind;
  if (parts.kind == TokenKind::Note) result.note = readWholeNumber(parts.first);
  result.symbol = std::string(parts.symbol);
  result.hasSymbol = parts.hasSymbol;
  return result;
}

namespace {

// True when the last character is an ASCII '.', not the second byte of a
// two-byte character. A run of high bytes right before it starts on a
// character boundary, so an odd run means the dot is a trail byte.
bool endsWithDot(std::string_view symbol) {
  if (symbol.empty() || symbol.back() != '.') return false;
  std::size_t run = 0;
  for (std::size_t k = symbol.size() - 1; k > 0 && static_cast<unsigned char>(symbol[k - 1]) >= 0x80; --k)
    ++run;
  return run % 2 == 0;
}

long long wholeMilliseconds(double quotient) {
  if (!(quotient < static_cast<double>(INT_MAX))) return INT_MAX;
  return static_cast<long long>(quotient);
}

}  // namespace

int tokenPeriod(TokenKind kind, std::string_view symbol) {
  if (kind != TokenKind::Note && kind != TokenKind::Rest) return 0;
  const double n = readNumber(symbol);
  if (!(n > 0.0) || std::isinf(n)) return 0;
  long long period = wholeMilliseconds(960.0 / n);
  if (kind == TokenKind::Note && endsWithDot(symbol)) period += wholeMilliseconds(960.0 / (n / 2.0));
  return period > INT_MAX ? INT_MAX : static_cast<int>(period);
}

}  // namespace vesko
