// 400 cases computed independently from the same formulas, in another
// language and with its own emulation of single precision, compared by the
// exact texts the user sees.  Any change in the order or precision of a step
// shows up here as a changed digit.
//
// Three kinds of row now differ from the table on purpose: a wave steeper
// than Ho/L0 = 0.142 is refused; a wave whose onset lies shoreward of the
// point where the nonlinear law meets the limit breaks where its linear
// height first meets the limit, checked against linear theory here; and low
// swell that the table finds no breaking point for on 0.001 ≤ h/L0 ≤ 1
// breaks shoreward of h/L0 = 0.001, checked against a fine scan of the
// nonlinear law against the limit (35, 14 and 15 rows).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/calc.h"
#include "sheet/sheet.h"
#include "shore/engine.h"
#include "../shore/first_crossing.h"

namespace {

using namespace saiha::sheet;
namespace shore = saiha::shore;

// The table's columns: five inputs, the depth box after the calculation, the
// twelve results in writing order, and the kind of error (empty when none).
constexpr std::size_t kColumns = 19;

std::vector<std::vector<std::string>> readTable(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream fields(line);
    std::string cell;
    while (std::getline(fields, cell, ',')) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    rows.push_back(cells);
  }
  return rows;
}

std::string kindOf(const CalcOutcome& outcome) {
  if (outcome.ok()) return "";
  using saiha::shore::Error;
  switch (outcome.error->code) {
    case Error::InvalidHeight:
    case Error::InvalidPeriod:
    case Error::InvalidAngle:
    case Error::InvalidSlope:
    case Error::InvalidDepth: return "input";
    case Error::OnsetNotFound:
    case Error::BreakingNotFound: return "no-crossing";
    case Error::DivisionByZero:
    case Error::InvalidOperation:
    case Error::Overflow: return "fault";
    case Error::SteepnessLimit: return "steep";
    default: return "guard";
  }
}

constexpr double kG = 9.81, kPi = 3.141592;

double deepWaterLength(double T) { return kG * T * T / (2 * kPi); }

// Where the linearly refracted and shoaled height first reaches Goda's limit
// 0.17·L0·(1 − exp(−1.5π·(h/L0)·(1 + 15·tanβ^(4/3)))) coming from h = L0/2,
// in steps of L0/20000, all in double precision: {Hb, hb}.
std::pair<double, double> firstCrossing(const shore::Wave& w) {
  const double L0 = deepWaterLength(w.T), omega2 = std::pow(2 * kPi / w.T, 2);
  const double ao = w.alpha0 * kPi / 180, slope = 1 + 15 * std::pow(1 / w.n, 4.0 / 3);
  double k = 2 * kPi / L0;  // each depth's iteration starts from the last one's
  for (double h = L0 / 2; h > 0; h -= L0 / 20000) {
    for (int i = 0; i < 40; ++i) k = omega2 / kG / std::tanh(k * h);
    const double Ks = 1 / std::sqrt(std::tanh(k * h) * (1 + 2 * k * h / std::sinh(2 * k * h)));
    const double a = std::asin(2 * kPi / k / L0 * std::sin(ao));
    const double H = w.Ho * Ks * std::sqrt(std::cos(ao) / std::cos(a));
    const double limit = 0.17 * L0 * (1 - std::exp(-1.5 * kPi * h / L0 * slope));
    if (H >= limit) return {limit, h};
  }
  return {NAN, NAN};
}

TEST(CrossCheck, EveryCaseMatchesToTheLastDigit) {
  const auto rows = readTable(SAIHA_SOURCE_DIR "/tests/sheet/data/cross_check.csv");
  ASSERT_EQ(rows.size(), 400u);
  int mismatches = 0, steep = 0, mended = 0, belowFloor = 0;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), kColumns);
    Sheet sheet;
    loadDefaults(sheet);
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) sheet.setText(kInputBoxes[i], row[i]);
    const shore::Wave wave = waveOf(sheet);
    const CalcOutcome outcome = calc(sheet);
    const bool validInputs = row.back() != "input";
    if (validInputs && wave.Ho / deepWaterLength(wave.T) > 0.142) {
      EXPECT_EQ(kindOf(outcome), "steep") << row[0] << " | " << row[1];
      EXPECT_TRUE(outcome.written.none());
      ++steep;
      continue;
    }
    if (const shore::Breaking b = shore::findBreaking(wave);
        validInputs && b.ok() && b.onsetShorewardOfBreaking()) {
      const auto [Hb, hb] = firstCrossing(wave);
      EXPECT_NEAR(b.Hb / Hb, 1, 0.01) << row[0] << " | " << row[1] << " | " << row[3];
      EXPECT_NEAR(b.hb / hb, 1, 0.01) << row[0] << " | " << row[1] << " | " << row[3];
      ++mended;
      continue;
    }
    if (const shore::Breaking b = shore::findBreaking(wave);
        row.back() == "no-crossing" && b.warnings.has(shore::Warning::BelowSearchFloor)) {
      EXPECT_TRUE(outcome.ok()) << row[0] << " | " << row[1];
      saiha::testing::CrossingScan scan(wave, {});
      const auto crossing = scan.firstCrossing();
      ASSERT_TRUE(crossing) << row[0] << " | " << row[1];
      EXPECT_NEAR(b.Hb / (crossing->first * scan.L0()), 1, 0.005) << row[0] << " | " << row[1];
      ++belowFloor;
      continue;
    }

    std::vector<std::string> shown = {sheet.text(kDepthBox)};
    for (Box box : kResultBoxes) {
      shown.push_back(outcome.written.test(index(box)) ? sheet.text(box) : "");
    }
    shown.push_back(kindOf(outcome));
    const std::vector<std::string> expected(row.begin() + 5, row.end());
    if (shown != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "inputs " << row[0] << " | " << row[1] << " | " << row[2] << " | "
                    << row[3] << " | " << row[4] << ": depth " << shown[0] << " vs "
                    << expected[0] << ", H " << shown[8] << " vs " << expected[8];
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(steep, 35);
  EXPECT_EQ(mended, 14);
  EXPECT_EQ(belowFloor, 15);
}

}  // namespace
