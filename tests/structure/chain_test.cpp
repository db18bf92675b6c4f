// The hindcast chain: the transform's sea at the toe, then runup and
// overtopping, and the record's statistics.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "structure/chain.h"

namespace {

namespace st = saiha::structure;
namespace shore = saiha::shore;
using shore::Error;

// A plane beach 1/100 from z = −12 m, 161 points 10 m apart.
struct Beach {
  std::vector<double> x, z;
  Beach() {
    for (int i = 0; i <= 160; ++i) {
      x.push_back(10.0 * i);
      z.push_back(-12 + 0.01 * 10.0 * i);
    }
  }
  shore::BedProfile view() const { return {x, z}; }
};

st::ChainOptions dike() {
  st::ChainOptions o;
  o.xToe = 905;  // between two profile points, z = −2.95 m
  o.crest = 4;
  o.structure.cotAlpha = 3;
  return o;
}

TEST(Chain, TheToeWaveAndTheStructureFormulas) {
  const Beach beach;
  const std::vector<shore::SeaCondition> sea = {
      {.Hrms0 = 1.5, .Tp = 9, .tide = 0.5}, {.Hrms0 = 2.5, .Tp = 11, .tide = 1.0},
      {.Hrms0 = 0.5, .Tp = 6, .tide = -0.5}};
  std::vector<st::ChainRow> rows(sea.size());
  const st::ChainOptions o = dike();
  st::overtoppingChain(beach.view(), sea, rows, o);
  for (std::size_t i = 0; i < sea.size(); ++i) {
    SCOPED_TRACE(i);
    const shore::TransformResult t = shore::transform(beach.view(), sea[i]);
    ASSERT_TRUE(t.ok());
    // Halfway between points 90 and 91.
    const st::ToeWave toe = st::waveAt(beach.view(), t, o.xToe);
    ASSERT_TRUE(toe.ok());
    EXPECT_FLOAT_EQ(toe.Hm0, 0.5f * (t.Hm0[90] + t.Hm0[91]));
    EXPECT_NEAR(toe.level, sea[i].tide + 0.5 * (t.eta[90] + t.eta[91]), 1e-5);
    const st::ChainRow& row = rows[i];
    ASSERT_TRUE(row.ok()) << int(row.error);
    EXPECT_EQ(row.Hm0, toe.Hm0);
    EXPECT_FLOAT_EQ(row.Tm10, float(sea[i].Tp / 1.1));
    EXPECT_FLOAT_EQ(row.Rc, float(o.crest - toe.level));
    st::OvertoppingInput in = o.structure;
    in.Hm0 = row.Hm0;
    in.Tm10 = sea[i].Tp / 1.1;
    in.Rc = o.crest - double(row.level);
    in.h = row.depth;
    EXPECT_EQ(row.q, st::overtopping(in).q);
    EXPECT_GT(row.Ru2, 0.0f);
    // One row alone gives the same as the record.
    const st::ChainRow one = st::chainRow(beach.view(), sea[i], t, o);
    EXPECT_EQ(one.q, row.q);
  }
  EXPECT_GT(rows[1].q, rows[0].q);

  const double limits[] = {1e-3, 1e-2};
  const st::ChainSummary s = st::summarize(rows, limits);
  EXPECT_EQ(s.rows, 3u);
  EXPECT_EQ(s.computed, 3u);
  EXPECT_EQ(s.qMax, rows[1].q);
  EXPECT_EQ(s.qMaxIndex, 1u);
  for (std::size_t k = 0; k < 2; ++k) {
    std::size_t above = 0;
    for (const auto& r : rows) above += double(r.q) > limits[k];
    EXPECT_EQ(s.above[k], above);
  }
  // Blocks merged give the record's summary.
  st::ChainSummary a = st::summarize(std::span(rows).first(1), limits);
  a.merge(st::summarize(std::span(rows).subspan(1), limits, 1));
  EXPECT_EQ(a.qMaxIndex, s.qMaxIndex);
  EXPECT_EQ(a.above, s.above);
}

TEST(Chain, FaultsOfTheOptionsAndOfTheWater) {
  const Beach beach;
  st::ChainOptions o = dike();
  o.xToe = 2000;
  EXPECT_EQ(st::checkChain(beach.view(), o), Error::InvalidToe);
  o = dike();
  o.periodRatio = 0;
  EXPECT_EQ(st::checkChain(beach.view(), o), Error::InvalidStructureOption);
  o = dike();
  o.crest = std::nan("");
  EXPECT_EQ(st::checkChain(beach.view(), o), Error::InvalidCrestHeight);

  // A toe on the dry beach, and a crest below the water.
  const shore::SeaCondition calm{.Hrms0 = 0.5, .Tp = 6};
  const shore::TransformResult t = shore::transform(beach.view(), calm);
  o = dike();
  o.xToe = 1500;
  EXPECT_EQ(st::chainRow(beach.view(), calm, t, o).error, Error::ToeNotReached);
  o = dike();
  o.crest = -1;
  const st::ChainRow drowned = st::chainRow(beach.view(), calm, t, o);
  EXPECT_EQ(drowned.error, Error::NegativeFreeboard);
  EXPECT_TRUE(std::isnan(drowned.q));
  // A failed transform keeps its own error.
  const shore::SeaCondition bad{.Hrms0 = -1, .Tp = 6};
  std::vector<st::ChainRow> rows(1);
  st::overtoppingChain(beach.view(), std::span(&bad, 1), rows, dike());
  EXPECT_EQ(rows[0].error, Error::InvalidHeight);
  const double limits[] = {0.0};
  EXPECT_EQ(st::summarize(rows, limits).failed, 1u);
}

}  // namespace
