// The sheet's text rules: reading a box's text as a number, showing a result.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "runtime/text.h"

namespace {

using saiha::rt::formatResult;
using saiha::rt::leadingNumber;
using saiha::rt::readNumber;

struct ReadRow {
  const char* name;
  std::string text;
  std::optional<double> expected;  // nothing: the text has no leading number

  friend void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }
};

const ReadRow kReadRows[] = {
    {"Integer", "10", 10.0},
    {"Decimal", "1.5", 1.5},
    {"LeadingPoint", ".5", 0.5},
    {"TrailingPoint", "5.", 5.0},
    {"Negative", "-30", -30.0},
    {"ExplicitPlus", "+2", 2.0},
    {"BlanksAround", "  42  ", 42.0},
    {"BlanksInside", "1 2", 12.0},
    {"TabsAndLineFeeds", "\t1\n.\t5\n", 1.5},
    {"BlankAfterSign", "- 5", -5.0},
    {"UnitAfterNumber", "12 m", 12.0},
    {"CommaEndsNumber", "1,5", 1.0},
    {"SecondPointEndsNumber", "1.2.3", 1.2},
    {"ExponentLowerE", "2e1", 20.0},
    {"ExponentUpperD", "1D2", 100.0},
    {"ExponentLowerD", "5d-1", 0.5},
    {"ExponentWithBlanks", "1 e - 2", 0.01},
    {"ExponentWithoutDigits", "3e", 3.0},
    {"ExponentSignWithoutDigits", "3e+", 3.0},
    {"ExponentThenLetters", "3ex", 3.0},
    {"ManyDigitsRoundOnce", "0.1000000000000000055511151231257827", 0.1},
    {"NearestDouble", "9.81", 9.81},
    {"BeyondDoubleRange", "1e400", std::numeric_limits<double>::infinity()},
    {"NegativeBeyondRange", "-1e400", -std::numeric_limits<double>::infinity()},
    {"LongMantissaBeyondRange", "123456789e302", std::numeric_limits<double>::infinity()},
    {"BelowDoubleRange", "1e-400", 0.0},
    {"SmallMantissaBelowRange", "0.0001e-320", 0.0},
    {"ZeroWithHugeExponent", "0e99999", 0.0},
    {"PlainDigitsBeyondRange", "1" + std::string(400, '0'), std::numeric_limits<double>::infinity()},
    {"PlainDecimalBelowRange", "-0." + std::string(400, '0') + "1", -0.0},
    {"ExponentAfterPlainDigits", "1.5D1", 15.0},
    {"CarriageReturnEndsNumber", "7\r8", 7.0},
    {"SecondSignEndsNumber", "-5-3", -5.0},
    {"Empty", "", std::nullopt},
    {"OnlyBlanks", "   ", std::nullopt},
    {"Letters", "abc", std::nullopt},
    {"SignOnly", "-", std::nullopt},
    {"PointOnly", ".", std::nullopt},
    {"DoubleSign", "+-5", std::nullopt},
    {"FullWidthDigits", "１０", std::nullopt},
    {"HexPrefixNotSupported", "&H10", std::nullopt},
};

class ReadNumber : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadNumber, ReadsLeadingNumber) {
  const ReadRow& row = GetParam();
  const auto number = leadingNumber(row.text);
  ASSERT_EQ(number.has_value(), row.expected.has_value());
  if (row.expected) {
    EXPECT_EQ(*number, *row.expected);
    EXPECT_EQ(readNumber(row.text), *row.expected);
  } else {
    EXPECT_EQ(readNumber(row.text), 0.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadNumber, testing::ValuesIn(kReadRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadNumber, PlainDecimalsAreTheNearestDouble) {
  // Digit strings of every length around the 15 a double holds exactly, the
  // point anywhere, read as the nearest double (from_chars rounds once).
  std::uint64_t state = 16;
  for (int i = 0; i < 100000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const int digits = 1 + static_cast<int>(state >> 59) % 18;
    std::string text;
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + (state >> (4 + 3 * d)) % 10);
    text.insert(static_cast<std::size_t>(state >> 40) % (text.size() + 1), ".");
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(*leadingNumber(text)),
              std::bit_cast<std::uint64_t>(expected)) << text;
    ASSERT_EQ(*leadingNumber("-" + text), -expected) << text;
  }
}

TEST(ReadNumber, KeepsSignOfZero) {
  EXPECT_TRUE(std::signbit(readNumber("-0")));
  EXPECT_TRUE(std::signbit(readNumber("-1e-400")));
}

struct FormatRow {
  const char* name;
  float value;
  const char* expected;

  friend void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.name; }
};

const FormatRow kFormatRows[] = {
    {"RoundsDown", 0.004f, "0.00"},
    {"RoundsUp", 2.069f, "2.07"},
    {"KeepsTrailingZeros", 1234.5f, "1234.50"},
    {"Negative", -8.18f, "-8.18"},
    {"Zero", 0.0f, "0.00"},
    {"NoGrouping", 1234567.0f, "1234567.00"},
    {"ExactBinaryValueDecides", 1.005f, "1.00"},  // 1.005f is 1.00499999523…
    {"TieToEven", 0.125f, "0.12"},
    {"LargestSingle", 3.40282347e38f,
     "340282346638528859811704183484516925440.00"},
    {"SmallestNormal", 1.17549435e-38f, "0.00"},
};

class FormatResult : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatResult, ShowsTwoDecimals) {
  EXPECT_EQ(formatResult(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatResult, testing::ValuesIn(kFormatRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextRules, FormattedResultReadsBackAsShown) {
  // An empty depth box takes the breaking depth as text; reading it must give
  // the value shown, whatever the process locale says.
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  for (float v : {2.0699f, 0.005f, 1234.567f, 44.444f}) {
    const std::string shown = formatResult(v);
    EXPECT_EQ(formatResult(static_cast<float>(readNumber(shown))), shown) << shown;
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace

namespace {

// The exact decimal expansion of a float's binary value, to two decimals.
std::string exactTwoDecimals(float v) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v),
                               std::chars_format::fixed, 2);
  return std::string(buffer, r.ptr);
}

TEST(FormatResult, AgreesWithExactDecimalExpansion) {
  // Every magnitude from tiny to huge, and the ties at odd multiples of
  // 1/2^k that a rounding shortcut could get wrong.
  std::uint32_t bits = 0x00000001;
  for (int i = 0; i < 200000; ++i) {
    bits = bits * 1664525u + 1013904223u;  // full-period LCG over all patterns
    const float f = std::bit_cast<float>(bits & 0x7fffffffu);
    if (!std::isfinite(f)) continue;
    for (float v : {f, -f}) ASSERT_EQ(formatResult(v), exactTwoDecimals(v)) << v;
  }
  for (float tie : {0.125f, 0.375f, 2.625f, 1024.875f, -0.125f, 0.005f, -0.004f, -0.0f}) {
    EXPECT_EQ(formatResult(tie), exactTwoDecimals(tie)) << tie;
  }
}

TEST(FormatResult, AgreesWithExactDecimalExpansionWhereResultsLie) {
  // Results (heights, depths, angles, currents) mostly lie below 10^5 in
  // magnitude: a spread of every binade there, and the values whose whole
  // part gains a digit as the hundredths round (9.995 → 10.00, 99.999 →
  // 100.00).
  const auto top = std::bit_cast<std::uint32_t>(1e5f);
  for (std::uint32_t bits = 0; bits < top; bits += 9973) {
    const float f = std::bit_cast<float>(bits);
    for (float v : {f, -f}) ASSERT_EQ(formatResult(v), exactTwoDecimals(v)) << v;
  }
  for (float v : {0.995f, 0.9951f, 9.995f, 9.9951f, 9.999f, 99.995f, 99.999f, 999.995f, 1e4f,
                  -9.999f, -99.999f, -0.004999f, 0.00499f}) {
    EXPECT_EQ(formatResult(v), exactTwoDecimals(v)) << v;
    EXPECT_EQ(formatResult(std::nextafter(v, 0.0f)), exactTwoDecimals(std::nextafter(v, 0.0f)));
    EXPECT_EQ(formatResult(std::nextafter(v, 1e6f)), exactTwoDecimals(std::nextafter(v, 1e6f)));
  }
}

}  // namespace

TEST(FormatShortest, ReadsBackAsTheSameSingle) {
  EXPECT_EQ(saiha::rt::formatShortest(2.07f), "2.07");
  EXPECT_EQ(saiha::rt::formatShortest(200.0f), "200");
  EXPECT_EQ(saiha::rt::formatShortest(-0.5f), "-0.5");
  // Every float of a wide sweep of magnitudes reads back through the sheet's
  // reading rule as itself.
  std::uint32_t bits = 0x00800000;  // smallest normal
  int mismatches = 0;
  for (int i = 0; i < 200000; ++i, bits += 10427) {
    const float value = std::bit_cast<float>(bits);
    if (!std::isfinite(value)) break;
    const auto back = saiha::rt::leadingNumber(saiha::rt::formatShortest(value));
    if (!back || static_cast<float>(*back) != value) ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
}
