// 400 cases computed independently from the same formulas, in another
// language and with its own emulation of single precision, compared by the
// exact texts the user sees.  Any change in the order or precision of a step
// shows up here as a changed digit.  In the six rows whose onset of nonlinear
// shoaling lies shoreward of the breaking point, the depth (the breaking depth
// as shown) lies in the surf zone, so their height and orbit cells are those
// of the breaking limit: H equals Hb as shown, give or take the rounding of
// the depth.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/calc.h"
#include "sheet/sheet.h"

namespace {

using namespace saiha::sheet;

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
    default: return "guard";
  }
}

TEST(CrossCheck, EveryCaseMatchesToTheLastDigit) {
  const auto rows = readTable(SAIHA_SOURCE_DIR "/tests/sheet/data/cross_check.csv");
  ASSERT_EQ(rows.size(), 400u);
  int mismatches = 0;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), kColumns);
    Sheet sheet;
    loadDefaults(sheet);
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) sheet.setText(kInputBoxes[i], row[i]);
    const CalcOutcome outcome = calc(sheet);

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
}

}  // namespace
