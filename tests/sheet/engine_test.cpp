// The numeric engine against the sheet: the same inputs give the same values
// whether typed into boxes or handed over as numbers, and the profile's
// stations are those of the sheet at their depths.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "runtime/text.h"
#include "sheet/calc.h"
#include "sheet/sheet.h"
#include "shore/engine.h"
#include "shore/reference.h"

namespace {

using namespace saiha;
using shore::Error;

// The twelve result texts of the sheet at depth h given as shortest text.
std::string sheetTexts(const shore::Wave& w, float h) {
  sheet::Sheet s;
  sheet::loadDefaults(s);
  s.setText(sheet::kHeightBox, rt::formatShortest(float(w.Ho)));
  s.setText(sheet::kPeriodBox, rt::formatShortest(float(w.T)));
  s.setText(sheet::kAngleBox, rt::formatShortest(float(w.alpha0)));
  s.setText(sheet::kSlopeBox, rt::formatShortest(float(w.n)));
  s.setText(sheet::kDepthBox, rt::formatShortest(h));
  EXPECT_TRUE(sheet::calc(s).ok());
  std::string texts;
  for (sheet::Box box : sheet::kResultBoxes) texts += s.text(box) + ' ';
  return texts;
}

std::string engineTexts(const shore::Breaking& b, const shore::State& s) {
  std::string texts;
  for (float v : {b.Hb, b.hb, b.gamma, b.thetaB}) texts += rt::formatResult(v) + ' ';
  for (float v : s.results()) texts += rt::formatResult(v) + ' ';
  return texts;
}

struct ProfileCase {
  const char* name;
  shore::Wave wave;
};

class Profile : public testing::TestWithParam<ProfileCase> {};

TEST_P(Profile, StationsAreTheSheetsValuesAtTheirDepths) {
  const shore::Wave wave = GetParam().wave;
  const shore::Profile p = shore::profile(wave);
  ASSERT_TRUE(p.ok());
  // 200 stations and the two marks, one of which may fall on a station (the
  // default seaward end is twice the onset depth, so station 100 is the onset).
  ASSERT_GE(p.stations.size(), 201u);
  ASSERT_LE(p.stations.size(), 202u);
  const float onset = p.breaking.onsetDepth();
  int onsetMarks = 0, breakingMarks = 0;
  for (std::size_t i = 0; i < p.stations.size(); ++i) {
    const shore::Station& st = p.stations[i];
    if (i > 0) {
      EXPECT_LT(st.state.h, p.stations[i - 1].state.h);  // no station twice
    }
    EXPECT_GT(st.state.h, 0.0f);
    EXPECT_EQ(st.x, float(wave.n * double(st.state.h)));
    if (st.mark == shore::Mark::Onset) {
      ++onsetMarks;
      EXPECT_EQ(st.state.h, onset);
    }
    if (st.mark == shore::Mark::Breaking) {
      ++breakingMarks;
      EXPECT_EQ(st.state.h, p.breaking.hb);
    }
    if (i % 23 == 0 || st.mark != shore::Mark::None) {
      ASSERT_TRUE(st.state.ok()) << st.state.h;
      EXPECT_EQ(engineTexts(p.breaking, st.state), sheetTexts(wave, st.state.h)) << st.state.h;
    }
  }
  EXPECT_EQ(onsetMarks, 1);
  EXPECT_EQ(breakingMarks, 1);
  // The seaward end: twice the onset depth, or twice the breaking depth.
  EXPECT_FLOAT_EQ(p.stations.front().state.h, std::max(2 * onset, 2 * p.breaking.hb));
}

INSTANTIATE_TEST_SUITE_P(
    Waves, Profile,
    testing::Values(ProfileCase{"DefaultSwell", {1, 10, 30, 60}},
                    ProfileCase{"SteepWaveOnsetShorewardOfBreaking", {4, 6, 0, 100}},
                    ProfileCase{"ObliqueLongSwell", {2.5, 16, -50, 150}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Engine, InputsAreCheckedInTheOrderTheSheetReadsThem) {
  EXPECT_EQ(shore::findBreaking({-1, 0, 90, 0}).error, Error::InvalidHeight);
  EXPECT_EQ(shore::findBreaking({1, NAN, 90, 0}).error, Error::InvalidPeriod);
  EXPECT_EQ(shore::findBreaking({1, 10, -90, 0}).error, Error::InvalidAngle);
  EXPECT_EQ(shore::findBreaking({1, 10, 30, INFINITY}).error, Error::InvalidSlope);
  EXPECT_EQ(shore::findBreaking({1e39, 10, 30, 60}).error, Error::InvalidHeight);  // beyond single
  const shore::Breaking b = shore::findBreaking({});
  EXPECT_EQ(shore::stateAt(b, 0).error, Error::InvalidDepth);
  EXPECT_EQ(shore::stateAt(b, 0).reached, 0);
  EXPECT_TRUE(std::isnan(shore::stateAt(b, -3).L));
}

TEST(Engine, ProfileReachesIntoDeepWater) {
  // From 400 m at T 2 s (h/L0 ≈ 64, where e^(2kh) overflows) every station
  // computes, with the deep-water wavelength L0 = 9.81·4/(2π) and no orbit at
  // the bottom at the seaward end.
  shore::ProfileOptions options;
  options.fromDepth = 400.0;
  const shore::Profile p = shore::profile({1, 2, 0, 60}, options);
  ASSERT_TRUE(p.ok());
  for (const auto& st : p.stations) EXPECT_TRUE(st.state.ok()) << st.state.h;
  const shore::State& seaward = p.stations.front().state;
  EXPECT_NEAR(seaward.L, 9.81 * 4 / (2 * 3.141592), 1e-5);
  EXPECT_EQ(seaward.aBottom, 0.0f);
  EXPECT_EQ(seaward.rule, shore::HeightRule::Linear);
}

TEST(Engine, ReferenceHeights) {
  // The breaking-height limit drawn beside the curve is the height the surf
  // rule gives, bit for bit; the Ursell-50 height is 50·h²/(gT²).
  const shore::Breaking b = shore::findBreaking({1, 10, 30, 60});
  for (double h : {0.3, 1.0, 2.0}) EXPECT_EQ(shore::referenceHeights(b, h).limit, shore::stateAt(b, h).H);
  EXPECT_NEAR(shore::referenceHeights(b, 5).ursell50, 50 * 25 / (9.81 * 100), 1e-3);
  EXPECT_TRUE(std::isnan(shore::referenceHeights(b, -1).limit));
}

TEST(Engine, ProfileOptionsSetTheStations) {
  const shore::Wave wave{};
  shore::ProfileOptions options;
  options.fromDepth = 1.0;  // inside the surf zone: no marks
  options.stations = 10;
  const shore::Profile p = shore::profile(wave, options);
  ASSERT_EQ(p.stations.size(), 10u);
  EXPECT_FLOAT_EQ(p.stations.back().state.h, 0.1f);
  for (const auto& st : p.stations) EXPECT_EQ(st.state.rule, shore::HeightRule::Surf);
  options.spacing = 15.0;  // 60 m of x in steps of 15 m
  EXPECT_EQ(shore::profile(wave, options).stations.size(), 4u);
  // A spacing that does not divide the range: exactly 7 m apart from the
  // shoreline seaward, the seaward end short of a step left out.
  options.spacing = 7.0;
  const shore::Profile spaced = shore::profile(wave, options);
  ASSERT_EQ(spaced.stations.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(spaced.stations[i].x, float(7 * (8 - i))) << i;
  // No stations, too many, or x beyond single precision: refused as a whole.
  for (auto [from, spacing] : {std::pair{1.0, 61.0}, {1.0, 1e-9}, {1e37, 0.0}, {1e-46, 0.0}}) {
    options.fromDepth = from;
    options.spacing = spacing > 0 ? std::optional(spacing) : std::nullopt;
    EXPECT_EQ(shore::profile(wave, options).error, Error::InvalidDepth) << from << " " << spacing;
  }
  EXPECT_EQ(shore::profile({1, 0.01, 0, 60}).error, Error::OnsetNotFound);
}

}  // namespace
