#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vesko {

// Texts are GBK byte strings: a byte of 0x80 or more and the byte after it
// form one character, so separators and trailing spaces are only ever found
// on character boundaries.

// Visits the pieces of `text` between occurrences of `separator` (an empty
// piece between two separators counts, a trailing empty piece is dropped,
// an empty text has no pieces). `visit(std::string_view piece)` returns false
// to stop early. The views point into `text`.
template <class Visit>
void forEachPiece(std::string_view text, std::string_view separator, Visit&& visit) {
  if (text.empty()) return;
  if (separator.empty()) {
    visit(text);
    return;
  }
  const std::size_t n = text.size();
  const std::size_t m = separator.size();
  const char first = separator.front();
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < n) {
    if (text[i] == first && n - i >= m && text.compare(i, m, separator) == 0) {
      if (!visit(text.substr(start, i - start))) return;
      i += m;
      start = i;
    } else if (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < n) {
      i += 2;
    } else {
      ++i;
    }
  }
  if (start < n) visit(text.substr(start));
}

std::vector<std::string> splitText(std::string_view text, std::string_view separator);
std::vector<std::string> splitScore(std::string_view text);

// The leading decimal number of a text as a double (0 when there is none).
// GBK full-width digits, signs, point and exponent letters, and the
// full-width space, count as their ASCII forms. Independent of the C locale.
// Out of range values come back as +-infinity or 0, never NaN.
double readNumber(std::string_view text);
// readNumber truncated toward zero and saturated to the int range.
int readWholeNumber(std::string_view text);

// Removes trailing ASCII spaces and full-width spaces (0xA1 0xA1).
std::string trimEnd(std::string_view text);

enum class TokenKind { Bar, Rest, Note, Filler };

struct ScoreToken {
  TokenKind kind = TokenKind::Filler;
  int note = 0;
  std::string symbol;
  bool hasSymbol = false;
};

// The same reading without copies: `first` and `symbol` point into the token.
struct TokenParts {
  TokenKind kind = TokenKind::Filler;
  std::string_view first;
  std::string_view symbol;
  bool hasSymbol = false;
};

TokenParts readTokenParts(std::string_view token);
ScoreToken readToken(std::string_view token);

// Milliseconds a note or rest token plays. Symbols that read as 0 or less,
// or as infinity, give 0 (played as one silent tick); very small positive
// symbols saturate at the int maximum instead of overflowing.
int tokenPeriod(TokenKind kind, std::string_view symbol);

}  // namespace vesko
