// Many cases at once against one case at a time: the chosen depth, whether
// it was defaulted, every result's bits and the error, for given depths,
// empty ones, refused ones and breaking points that failed.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "report/case.h"

namespace {

namespace shore = saiha::shore;
namespace report = saiha::report;

std::vector<std::uint32_t> bitsOf(const report::CaseResult& r) {
  std::vector<std::uint32_t> bits = {std::uint32_t(r.error), std::uint32_t(r.depthDefaulted),
                                     std::uint32_t(r.state.reached),
                                     std::bit_cast<std::uint32_t>(r.state.h)};
  for (float v : r.state.results()) bits.push_back(std::bit_cast<std::uint32_t>(v));
  return bits;
}

TEST(CalcCases, EachAsCalcCaseGivesIt) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Waves that break, one too steep, one at a grazing angle, one with no
  // period; depths in the surf zone, the nonlinear and linear regimes,
  // empty, and refused.
  const shore::Wave waves[] = {{1, 10, 30, 60}, {3, 8, -20, 10}, {2, 12, 0, 100},
                               {5, 3, 0, 30},   {1, 10, 89.9, 50}, {1, 0, 0, 30}};
  const std::optional<double> depths[] = {std::nullopt, 0.5, 2.0, 6.0, 40.0, nan, -1, 0};
  std::vector<shore::Breaking> breakings;
  std::vector<std::optional<double>> given;
  for (const shore::Wave& w : waves) {
    for (const std::optional<double>& d : depths) {
      breakings.push_back(shore::findBreaking(w));
      given.push_back(d);
    }
  }
  std::vector<report::CaseResult> together(breakings.size());
  report::calcCases(breakings, given, together);
  std::size_t defaulted = 0, failed = 0;
  for (std::size_t i = 0; i < breakings.size(); ++i) {
    const report::CaseResult alone = report::calcCase(breakings[i], given[i]);
    EXPECT_EQ(bitsOf(together[i]), bitsOf(alone)) << "case " << i;
    defaulted += alone.depthDefaulted;
    failed += !alone.ok();
  }
  EXPECT_GT(defaulted, 0u);
  EXPECT_GT(failed, 0u);
}

// A cell's number as the sheet reads its box, and whether text goes on
// after it: the reading --strict refuses and --warnings flags.
struct CellCase {
  const char* name;
  const char* text;
  bool decimalComma;
  double value;  // NaN: no number
  bool trailing;
};

class ReadCellTest : public testing::TestWithParam<CellCase> {};

TEST_P(ReadCellTest, ReadsTheLeadingNumberAndSeesWhatFollows) {
  const CellCase& c = GetParam();
  const report::CellNumber got = report::readCell(c.text, c.decimalComma);
  if (std::isnan(c.value)) {
    EXPECT_TRUE(std::isnan(got.value)) << got.value;
  } else {
    EXPECT_EQ(got.value, c.value);
  }
  EXPECT_EQ(got.trailingText, c.trailing);
  // The test alone, as the batch asks it of every cell, gives the same answer.
  EXPECT_EQ(report::saysMoreThanNumber(c.text, c.decimalComma), c.trailing);
  if (!c.decimalComma) {  // the window's own reading, bit for bit
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got.value),
              std::bit_cast<std::uint64_t>(report::inputNumber(c.text)));
  }
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cells, ReadCellTest,
    testing::Values(CellCase{"plain", "2.5", false, 2.5, false},
                    CellCase{"blanks_anywhere", " 1 2 \t", false, 12, false},
                    CellCase{"unit", "12 m", false, 12, true},
                    CellCase{"unit_glued", "3ft", false, 3, true},
                    CellCase{"comma_under_point", "1,5", false, 1, true},
                    CellCase{"exponent", "-1.5e+2", false, -150, false},
                    // Fortran's D exponent: read as the box reads it, flagged.
                    CellCase{"exponent_in_d", "2D1", false, 20, true},
                    CellCase{"exponent_in_d_negative", "1d-1", false, 0.1, true},
                    CellCase{"marker_without_digits", "1e", false, 1, true},
                    CellCase{"second_point", "1.2.3", false, 1.2, true},
                    CellCase{"no_number", "abc", false, kNaN, false},
                    CellCase{"empty", "", false, kNaN, false},
                    CellCase{"decimal_comma", "1,5", true, 1.5, false},
                    CellCase{"point_under_comma", "1.5", true, 1, true},
                    CellCase{"comma_exponent", "2,5e1", true, 25, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
