// One whole calculation over a sheet, compared by the exact texts the user sees.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sheet/calc.h"
#include "sheet/sheet.h"

namespace {

using namespace saiha::sheet;

struct Inputs {
  std::string Ho = "1", T = "10", degrees = "30", n = "60", depth = "";
};

Sheet sheetWith(const Inputs& in) {
  Sheet sheet;
  loadDefaults(sheet);
  sheet.setText(kHeightBox, in.Ho);
  sheet.setText(kPeriodBox, in.T);
  sheet.setText(kAngleBox, in.degrees);
  sheet.setText(kSlopeBox, in.n);
  sheet.setText(kDepthBox, in.depth);
  return sheet;
}

const std::map<Box, std::string> kDefaultResults = {
    {Box::BreakerHeight, "1.71"},  {Box::BreakingDepth, "2.07"},  {Box::BreakerIndex, "0.82"}, {Box::BreakingAngle, "8.18"},
    {Box::Depth, "2.07"},  {Box::Wavelength, "44.44"}, {Box::Direction, "8.18"}, {Box::Celerity, "4.44"},
    {Box::WaveHeight, "1.71"}, {Box::BottomAmplitude, "2.87"},  {Box::BottomSpeed, "1.80"},  {Box::SurfaceAmplitude, "3.00"},
    {Box::SurfaceSpeed, "1.88"},
};

struct ResultRow {
  const char* name;
  Inputs inputs;
  std::map<Box, std::string> expected;  // boxes not listed are not checked

  friend void PrintTo(const ResultRow& row, std::ostream* os) { *os << row.name; }
};

const ResultRow kResultRows[] = {
    {"DefaultInputs", {}, kDefaultResults},
    {"ChosenDepthSeawardOfOnset",
     {.depth = "10"},
     {{Box::Wavelength, "92.38"}, {Box::Celerity, "9.24"}, {Box::Direction, "17.21"},
      {Box::WaveHeight, "0.94"}, {Box::Depth, "10"}}},
    {"ChosenDepthInsideSurfZone", {.depth = "2.0"}, {{Box::WaveHeight, "1.65"}, {Box::Depth, "2.0"}}},
    {"NormalIncidence", {.degrees = "0"}, {{Box::BreakingAngle, "0.00"}, {Box::Direction, "0.00"}}},
    {"NegativeAngleMirrorsDirections",
     {.degrees = "-30"},
     {{Box::BreakerHeight, "1.71"}, {Box::BreakingDepth, "2.07"}, {Box::BreakerIndex, "0.82"}, {Box::BreakingAngle, "-8.18"},
      {Box::Wavelength, "44.44"}, {Box::Direction, "-8.18"}, {Box::Celerity, "4.44"},
      {Box::WaveHeight, "1.71"}, {Box::SurfaceSpeed, "1.88"}}},
    {"CommaEndsTheHeight", {.Ho = "1,5"}, kDefaultResults},
    {"UnitsAfterNumbers", {.Ho = "1 m", .T = "10 s", .degrees = "30deg"}, kDefaultResults},
};

class Calc : public testing::TestWithParam<ResultRow> {};

TEST_P(Calc, ShowsExactTexts) {
  Sheet sheet = sheetWith(GetParam().inputs);
  const CalcOutcome outcome = calc(sheet);
  ASSERT_TRUE(outcome.ok()) << errorText(*outcome.error);
  for (const auto& [box, text] : GetParam().expected) {
    EXPECT_EQ(sheet.text(box), text) << boxName(box);
  }
  EXPECT_EQ(outcome.written.count(), kResultBoxes.size());
}

INSTANTIATE_TEST_SUITE_P(Sheets, Calc, testing::ValuesIn(kResultRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Records every write, to check the order in which boxes are filled.
class RecordingSheet final : public SheetAccess {
 public:
  std::string text(Box box) const override { return sheet.text(box); }
  void setText(Box box, const std::string& text) override {
    writes.push_back(box);
    sheet.setText(box, text);
  }
  Sheet sheet;
  std::vector<Box> writes;
};

TEST(Calc, WritesEachBoxOnceInOrder) {
  RecordingSheet recording;
  loadDefaults(recording.sheet);
  ASSERT_TRUE(calc(recording).ok());
  const std::vector<Box> expected = {Box::BreakerHeight,  Box::BreakingDepth,  Box::BreakerIndex, Box::BreakingAngle,
                                     Box::Depth,  Box::Wavelength, Box::Direction, Box::Celerity,
                                     Box::WaveHeight, Box::BottomAmplitude,  Box::BottomSpeed,  Box::SurfaceAmplitude,
                                     Box::SurfaceSpeed};
  EXPECT_EQ(recording.writes, expected);
}

TEST(Calc, CopiedDepthStaysForTheNextCalculation) {
  Sheet sheet = sheetWith({});
  ASSERT_TRUE(calc(sheet).ok());
  ASSERT_EQ(sheet.text(kDepthBox), "2.07");
  // A larger wave breaks deeper, but the depth box keeps 2.07 m, now inside
  // the surf zone, until the user empties it.
  sheet.setText(kHeightBox, "2");
  ASSERT_TRUE(calc(sheet).ok());
  EXPECT_EQ(sheet.text(kDepthBox), "2.07");
  EXPECT_NE(sheet.text(Box::BreakingDepth), "2.07");
  Sheet fresh = sheetWith({.Ho = "2", .depth = "2.07"});
  ASSERT_TRUE(calc(fresh).ok());
  for (Box box : kResultBoxes) EXPECT_EQ(sheet.text(box), fresh.text(box)) << boxName(box);
}

// An error: its message, and which result boxes still show "????".
struct ErrorRow {
  const char* name;
  Inputs inputs;
  std::string message;
  std::optional<Box> box;  // the input box the error concerns
  std::size_t written;     // result boxes written before the error

  friend void PrintTo(const ErrorRow& row, std::ostream* os) { *os << row.name; }
};

const std::string kDepthMessage = "水深には 0 より大きい数値を入力するか，空欄にしてください．";
const std::string kHeightMessage = "波高Ho には 0 より大きい数値を入力してください．";
const std::string kPeriodMessage = "周期T には 0 より大きい数値を入力してください．";
const std::string kAngleMessage =
    "波向αo には -90 より大きく 90 より小さい数値を入力してください．";
const std::string kSlopeMessage = "海底勾配の分母には 0 より大きい数値を入力してください．";

const ErrorRow kErrorRows[] = {
    {"HeightZero", {.Ho = "0"}, kHeightMessage, kHeightBox, 0},
    {"HeightNegative", {.Ho = "-1"}, kHeightMessage, kHeightBox, 0},
    {"HeightNotANumber", {.Ho = "abc"}, kHeightMessage, kHeightBox, 0},
    {"HeightBeyondSingleRange", {.Ho = "1e39"}, kHeightMessage, kHeightBox, 0},
    {"HeightBelowSingleRange", {.Ho = "1e-50"}, kHeightMessage, kHeightBox, 0},
    {"PeriodZero", {.T = "0"}, kPeriodMessage, kPeriodBox, 0},
    {"PeriodEmpty", {.T = ""}, kPeriodMessage, kPeriodBox, 0},
    {"AngleRightAngle", {.degrees = "90"}, kAngleMessage, kAngleBox, 0},
    {"AngleMinusRightAngle", {.degrees = "-90"}, kAngleMessage, kAngleBox, 0},
    {"AngleNotANumber", {.degrees = "abc"}, kAngleMessage, kAngleBox, 0},
    {"AngleEmpty", {.degrees = ""}, kAngleMessage, kAngleBox, 0},
    {"SlopeZero", {.n = "0"}, kSlopeMessage, kSlopeBox, 0},
    {"SlopeNegative", {.n = "-60"}, kSlopeMessage, kSlopeBox, 0},
    {"SlopeEmpty", {.n = ""}, kSlopeMessage, kSlopeBox, 0},
    {"SlopeBeyondDoubleRange", {.n = "1e400"}, kSlopeMessage, kSlopeBox, 0},
    {"SlopeSoSmallItsInverseOverflows",
     {.n = "1e-320"},
     "計算中に数値演算エラー（オーバーフロー）が発生しました．入力値を確認してください．",
     std::nullopt, 0},
    {"DepthBlanks", {.depth = "   "}, kDepthMessage, kDepthBox, 4},
    {"DepthZero", {.depth = "0"}, kDepthMessage, kDepthBox, 4},
    {"DepthNotANumber", {.depth = "abc"}, kDepthMessage, kDepthBox, 4},
    {"DepthNarrowsToZero", {.depth = "1e-50"}, kDepthMessage, kDepthBox, 4},
    // Goda's limit before a 100:1 wall stays near 0.17·L0, which a 1 cm
    // wave never reaches down to h/L0 = 0.00001.
    {"NoBreakingPoint",
     {.Ho = "0.01", .T = "20", .degrees = "0", .n = "0.01"},
     "砕波点が，水深と沖波波長の比 0.00001～1 の範囲に見つかりません．入力値を確認してください．",
     std::nullopt, 0},
    {"NoOnset",
     {.Ho = "0.0001", .T = "20"},
     "非線形浅水変形の始まる水深が，水深と沖波波長の比 0.001～1 "
     "の範囲に見つかりません．入力値を確認してください．",
     std::nullopt, 0},
    // Ho/L0 = 0.48: refused before its nonlinear shoaling could fail.
    {"SteeperThanAnyDeepWaterWave",
     {.Ho = "3", .T = "2", .degrees = "0"},
     "沖波波形勾配 Ho/L0 が 0.142 を超えています．波高Ho または周期T を確認してください．",
     kHeightBox, 0},
};

class CalcFailure : public testing::TestWithParam<ErrorRow> {};

TEST_P(CalcFailure, ReportsAndLeavesNoStaleResult) {
  const ErrorRow& row = GetParam();
  // Fill every result box first, so that a stale text would show.
  Sheet sheet = sheetWith({.depth = "5"});
  ASSERT_TRUE(calc(sheet).ok());
  const Sheet inputs = sheetWith(row.inputs);
  for (Box box : kInputBoxes) sheet.setText(box, inputs.text(box));

  const CalcOutcome outcome = calc(sheet);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(errorText(*outcome.error), row.message);
  EXPECT_EQ(outcome.error->box, row.box);
  EXPECT_EQ(outcome.written.count(), row.written);
  std::size_t unknown = 0;
  for (Box box : kResultBoxes) {
    if (outcome.written.test(index(box))) {
      EXPECT_NE(sheet.text(box), kNoResult) << boxName(box);
    } else {
      EXPECT_EQ(sheet.text(box), kNoResult) << boxName(box);
      ++unknown;
    }
  }
  EXPECT_EQ(unknown, kResultBoxes.size() - row.written);
}

INSTANTIATE_TEST_SUITE_P(Sheets, CalcFailure, testing::ValuesIn(kErrorRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalcFailure, BreakingDepthShownAsZeroIsNotCopied) {
  // A breaking depth below 0.005 m shows as "0.00", which is no depth: the
  // box stays empty, the breaking point stays shown, and a second press
  // meets the same message instead of a spoilt "0.00".
  Sheet sheet = sheetWith({.Ho = "0.001", .T = "0.1"});
  for (int press = 0; press < 2; ++press) {
    const CalcOutcome outcome = calc(sheet);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->code, saiha::shore::Error::BreakingDepthTooSmall);
    EXPECT_EQ(outcome.error->box, kDepthBox);
    EXPECT_EQ(sheet.text(Box::BreakingDepth), "0.00");
    EXPECT_NE(sheet.text(Box::BreakerHeight), std::string(kNoResult));
    EXPECT_EQ(sheet.text(kDepthBox), "");
    EXPECT_EQ(sheet.text(Box::WaveHeight), std::string(kNoResult));
    EXPECT_EQ(errorText(*outcome.error),
              "砕波水深が小さすぎるため，砕波水深での値を計算できません．水深を入力してください．");
  }
}

// The mends of the height rule and of deep water, against values derived
// independently of the code.
TEST(CalcMends, SurfZoneTakesTheBreakingLimitBeforeTheOnset) {
  // A steep wave whose onset lies shoreward of its breaking point: at 5.2 m,
  // inside the surf zone, the height is the breaking limit
  // 0.17·L0·(1 − exp(−1.5π·(h/L0)·(1 + 15·0.01^(4/3)))) = 3.46 m (L0 = 56.21 m),
  // not the larger linearly shoaled height.  It breaks where its linear
  // height first meets that limit coming from deep water: 3.726 m at
  // 5.710 m (linear theory in double precision, scanned in 0.5 mm steps).
  Sheet sheet = sheetWith({.Ho = "4", .T = "6", .degrees = "0", .n = "100", .depth = "5.2"});
  ASSERT_TRUE(calc(sheet).ok());
  EXPECT_EQ(sheet.text(Box::BreakerHeight), "3.73");
  EXPECT_EQ(sheet.text(Box::BreakingDepth), "5.71");
  EXPECT_EQ(sheet.text(Box::WaveHeight), "3.46");
}

TEST(CalcMends, DeepWaterGivesDeepWaterValues) {
  // T 2 s at 350 m (h/L0 ≈ 56): L = L0 = 9.81·4/(2π) = 6.25 m, C = 3.12 m/s,
  // no orbit at the bottom, and at the surface a = H/2, u = πH/T with the
  // deep-water height Ho·Kr·Ks (Ks = 1 in deep water, Kr = 1 at 0°).  Ho is
  // 0.8 m: 1 m would be steeper than 0.142.
  Sheet sheet = sheetWith({.Ho = "0.8", .T = "2", .degrees = "0", .depth = "350"});
  ASSERT_TRUE(calc(sheet).ok());
  EXPECT_EQ(sheet.text(Box::Wavelength), "6.25");
  EXPECT_EQ(sheet.text(Box::Celerity), "3.12");
  EXPECT_EQ(sheet.text(Box::WaveHeight), "0.80");
  EXPECT_EQ(sheet.text(Box::BottomAmplitude), "0.00");
  EXPECT_EQ(sheet.text(Box::BottomSpeed), "0.00");
  EXPECT_EQ(sheet.text(Box::SurfaceAmplitude), "0.40");
  EXPECT_EQ(sheet.text(Box::SurfaceSpeed), "1.26");
}

TEST(CalcFailure, EveryKindHasItsOwnMessage) {
  using saiha::shore::Error;
  const CalcError errors[] = {
      {Error::CoefficientDivisor, std::nullopt},
      {Error::WaveLengthLimit, std::nullopt},
      {Error::DivisionByZero, std::nullopt},
      {Error::InvalidOperation, std::nullopt},
  };
  EXPECT_EQ(errorText(errors[0]),
            "屈折係数または浅水係数を計算できませんでした．入力値を確認してください．");
  EXPECT_EQ(errorText(errors[1]), "波長の計算が収束しませんでした．入力値を確認してください．");
  EXPECT_EQ(errorText(errors[2]),
            "計算中に数値演算エラー（0 による除算）が発生しました．入力値を確認してください．");
  EXPECT_EQ(errorText(errors[3]),
            "計算中に数値演算エラー（無効な演算）が発生しました．入力値を確認してください．");
}

}  // namespace

namespace {

TEST(CalcRobustness, AnyInputEndsWithResultsOrAnError) {
  // Extreme, tiny, negative and malformed texts in every box: each
  // calculation returns, and the boxes agree with what it says it wrote.
  const std::vector<std::string> texts = {
      "1",    "10",    "30",   "60",  "",      "0",     "-1",     "1e-45", "1e-30", "3e38",
      "1e39", "1e308", "1e400", "abc", "0.005", "89.999", "-89.999", "1e-7",  "5000",  " ",
      "2e1",  "0.3",   "25",   "1,5", "-0",    ".",     "1e10",   "7.5",   "200",   "0.01"};
  std::uint64_t state = 12345;
  const auto pick = [&]() -> const std::string& {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return texts[(state >> 33) % texts.size()];
  };
  for (int i = 0; i < 3000; ++i) {
    Sheet sheet = sheetWith({.Ho = pick(), .T = pick(), .degrees = pick(), .n = pick(),
                             .depth = pick()});
    const CalcOutcome outcome = calc(sheet);
    if (outcome.ok()) {
      ASSERT_EQ(outcome.written.count(), kResultBoxes.size());
    }
    for (Box box : kResultBoxes) {
      const bool written = outcome.written.test(index(box));
      ASSERT_EQ(sheet.text(box) == kNoResult, !written) << boxName(box);
      if (written) {
        ASSERT_NE(sheet.text(box).find('.'), std::string::npos) << sheet.text(box);
      }
    }
  }
}

}  // namespace
