#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "score/quantise.h"
#include "score/score_text.h"

using namespace vesko;
using Pieces = std::vector<std::string>;

namespace {

struct SplitCase {
  std::string text;
  std::string separator;
  Pieces pieces;
};

TEST(ScoreTextSplit, FollowsTheSplittingRule) {
  const SplitCase cases[] = {
      {"", " ", {}},
      {" ", " ", {""}},
      {"60@4 62@8 ", " ", {"60@4", "62@8"}},
      {"60@4  62@8", " ", {"60@4", "", "62@8"}},
      {" 60@4", " ", {"", "60@4"}},
      {"60@4  ", " ", {"60@4", ""}},
      {"60@4 62@8 p@2", " ", {"60@4", "62@8", "p@2"}},
      {"p@4@x", "@", {"p", "4", "x"}},
      {"60@", "@", {"60"}},
      {"@4", "@", {"", "4"}},
      // The space is the second byte of a two-byte character, not a separator.
      {"\x81  b", " ", {"\x81 ", "b"}},
      {"\xB0\xA1 \xB0\xA2", " ", {"\xB0\xA1", "\xB0\xA2"}},
      // A lone lead byte at the end is just a byte.
      {"a \x81", " ", {"a", "\x81"}},
      {"vmid\r\n1\r\n60@4", "\r\n", {"vmid", "1", "60@4"}},
      {"vmid\r\n1\r\n", "\r\n", {"vmid", "1"}},
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      {"a\nb\r", "\r\n", {"a\nb\r"}},
      {"\x81\r\nb", "\r\n", {"\x81\r\nb"}},
      {"x\r\r\ny", "\r\n", {"x\r", "y"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("text '" + c.text + "' at '" + c.separator + "'");
    EXPECT_EQ(splitText(c.text, c.separator), c.pieces);
  }
  EXPECT_EQ(splitScore("60@4 62@8 "), (Pieces{"60@4", "62@8"}));
}

struct NumberCase {
  std::string text;
  double value;
};

TEST(ScoreTextNumber, ReadsTheLeadingDecimalNumber) {
  const NumberCase cases[] = {
      {"", 0},
      {"p", 0},
      {"4.", 4},
      {"60", 60},
      {"4.5", 4.5},
      {".5", 0.5},
      {"-3", -3},
      {"+2", 2},
      {"  \t12.5e1x", 125},
      {"1E2", 100},
      {"1e", 1},
      {"1e+", 1},
      {"2e-1", 0.2},
      {".", 0},
      {"-", 0},
      {"-.", 0},
      {"12abc", 12},
      {"1 2", 1},
      {"0x10", 0},
      {"inf", 0},
      {"nan", 0},
      {"--1", 0},
      {"1e-400", 0},
      {"00000000000000000000000000000000000000012", 12},
      // Full-width digits, signs, point, exponent and space.
      {"\xA3\xB6\xA3\xB0", 60},
      {"\xA1\xA1" "5", 5},
      {"\xA3\xAD\xA3\xB2", -2},
      {"\xA3\xAB\xA3\xB3", 3},
      {"1\xA3\xAE" "5", 1.5},
      {"1\xA3\xC5" "2", 100},
      {"1\xA3\xE5" "2", 100},
      // A two-byte character whose second byte is an ASCII digit is no digit.
      {"\x81" "5", 0},
      {"5\xA3", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("text '" + c.text + "'");
    EXPECT_DOUBLE_EQ(readNumber(c.text), c.value);
  }
  EXPECT_EQ(readNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(readNumber("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(readNumber(std::string(400, '9') + "e-50"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(readNumber("0." + std::string(5000, '0') + "1"), 0.0);
}

TEST(ScoreTextNumber, WholeNumbersTruncateAndSaturate) {
  const std::pair<std::string, int> cases[] = {
      {"12", 12},         {"12.9", 12},          {"-12.9", -12},     {"abc", 0},
      {"1e10", INT_MAX},  {"-1e10", INT_MIN},    {"1e400", INT_MAX}, {"-1e400", INT_MIN},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"0.9999", 0},
  };
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(readWholeNumber(text), value);
  }
}

TEST(ScoreTextTrim, RemovesTrailingSpacesOnCharacterBoundaries) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"   ", ""},
      {"60@4 62@8 ", "60@4 62@8"},
      {"60@4  62@8   ", "60@4  62@8"},
      {"60@4\xA1\xA1 \xA1\xA1", "60@4"},
      {" 60@4", " 60@4"},
      {"60@4\t", "60@4\t"},
      // The pair A1 A1 here straddles two characters and is no space.
      {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},
      {"\xA3\xA1\xA1\xA1 ", "\xA3\xA1"},
      // A space right after a lone high byte is that character's second byte.
      {"\xA3\xA1\xA1 ", "\xA3\xA1\xA1 "},
  };
  for (const auto& [text, trimmed] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(trimEnd(text), trimmed);
  }
}

struct TokenCase {
  std::string token;
  TokenKind kind;
  int note;
  std::string symbol;
  bool hasSymbol;
};

TEST(ScoreTextToken, ReadsKindNoteAndSymbol) {
  using K = TokenKind;
  const TokenCase cases[] = {
      {"|", K::Bar, 0, "", false},
      {"||", K::Bar, 0, "", false},
      {"|||", K::Filler, 0, "", false},
      {"60@4", K::Note, 60, "4", true},
      {"60@4.", K::Note, 60, "4.", true},
      {"2.", K::Filler, 0, "", false},
      {"60", K::Filler, 0, "", false},
      {"60@62@4", K::Filler, 0, "", false},
      {"60@", K::Filler, 0, "", false},
      {"@", K::Filler, 0, "", false},
      {"", K::Filler, 0, "", false},
      {"p@2", K::Rest, 0, "2", true},
      {"p@4@x", K::Rest, 0, "4", true},
      {"p", K::Rest, 0, "", false},
      {"p@", K::Rest, 0, "", false},
      {"p@@4", K::Rest, 0, "", true},
      {"P@2", K::Note, 0, "2", true},
      {"@4", K::Note, 0, "4", true},
      {"x@4", K::Note, 0, "4", true},
      {"12.9@8", K::Note, 12, "8", true},
      {"\xA3\xB6\xA3\xB0@4", K::Note, 60, "4", true},
      // "@" inside a two-byte character does not split.
      {"\x81@4", K::Filler, 0, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("token '" + c.token + "'");
    const ScoreToken t = readToken(c.token);
    EXPECT_EQ(t.kind, c.kind);
    EXPECT_EQ(t.note, c.note);
    EXPECT_EQ(t.symbol, c.symbol);
    EXPECT_EQ(t.hasSymbol, c.hasSymbol);
  }
}

struct PeriodCase {
  TokenKind kind;
  std::string symbol;
  int period;
};

TEST(ScoreTextPeriod, NoteAndRestPeriods) {
  using K = TokenKind;
  const PeriodCase cases[] = {
      {K::Note, "32", 30},    {K::Rest, "32", 30},   {K::Note, "16", 60},   {K::Rest, "16", 60},
      {K::Note, "8", 120},    {K::Rest, "8", 120},   {K::Note, "8.", 360},  {K::Rest, "8.", 120},
      {K::Note, "4", 240},    {K::Rest, "4", 240},   {K::Note, "4.", 720},  {K::Rest, "4.", 240},
      {K::Note, "2", 480},    {K::Rest, "2", 480},   {K::Note, "2.", 1440}, {K::Rest, "2.", 480},
      {K::Note, "1", 960},    {K::Rest, "1", 960},   {K::Note, "1.", 2880}, {K::Rest, "1.", 960},
      {K::Note, "4.5", 213},  {K::Note, "3", 320},   {K::Note, "3.", 960},  {K::Note, "7.", 411},
      // Out of the format: harmless 0 (one silent tick) or saturation.
      {K::Note, "0", 0},      {K::Rest, "0", 0},     {K::Note, ".", 0},     {K::Note, "", 0},
      {K::Rest, "", 0},       {K::Note, "-4", 0},    {K::Note, "x", 0},     {K::Note, "0.", 0},
      {K::Note, "1e400", 0},  {K::Note, "2000", 0},
      {K::Note, "1e-300", INT_MAX}, {K::Note, "1e-300.", INT_MAX}, {K::Rest, "1e-320", INT_MAX},
      {K::Bar, "4", 0},       {K::Filler, "4", 0},
      // The last character is a two-byte character, not a dot.
      {K::Note, "4\x81.", 240},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("symbol '" + c.symbol + "' kind " + std::to_string(static_cast<int>(c.kind)));
    EXPECT_EQ(tokenPeriod(c.kind, c.symbol), c.period);
  }
}

TEST(ScoreTextPeriod, RecordedScoreWithTailEndsInAHalfRest) {
  const auto tokens = splitScore(std::string("60@4 62@8 ") + "p@2");
  ASSERT_EQ(tokens.size(), 3u);
  const ScoreToken last = readToken(tokens[2]);
  EXPECT_EQ(last.kind, TokenKind::Rest);
  EXPECT_EQ(tokenPeriod(last.kind, last.symbol), 480);
}

TEST(QuantiseTicks, PicksTheFirstMatchingRow) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "8"},       {"0", "8"},      {"1", "8"},       {"2", "8"},      {"-1", "8"},
      {"3", "4."},     {"4", "4"},      {"4.", "4"},      {"5", "2."},     {"6", "2."},
      {"7", "2"},      {"8", "2"},      {"9", "1."},      {"10", "1."},    {"11", "1"},
      {"12", "1"},     {"13", "1."},    {"100", "1."},    {"2.5", "1."},   {"3.5", "1."},
      {"2.00000005", "8"}, {"2.99999995", "4."}, {"4.00000005", "4"}, {"6.00000005", "2."},
      {"8.0000002", "1."}, {"10.00000005", "1."}, {"12.00000005", "1"}, {"1e400", "1."},
  };
  for (const auto& [slot, symbol] : cases) {
    SCOPED_TRACE("slot '" + slot + "'");
    EXPECT_EQ(quantiseTicks(slot), symbol);
  }
}

}  // namespace
