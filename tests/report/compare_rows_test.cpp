// The comparison of every model on one wave, as rows of texts, and the
// messages of the newer codes.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <string_view>

#include "report/compare_table.h"
#include "report/messages.h"
#include "shore/comparison.h"
#include "shore/engine.h"

namespace {

namespace shore = saiha::shore;
namespace report = saiha::report;
using shore::Error;
using shore::Model;

Model modelNamed(std::string_view breaker, std::string_view shoaling) {
  return {shore::parseBreaker(breaker).value(), shore::parseShoaling(shoaling).value()};
}

TEST(Compare, EveryModelThenTheEmpiricalRowAsTexts) {
  const shore::Wave wave{1, 10, 30, 60};
  const auto rows = shore::compare(wave);
  ASSERT_EQ(rows.size(), 11u);
  const shore::Breaking def = shore::findBreaking(wave);
  EXPECT_EQ(rows[0].model, Model{});
  EXPECT_EQ(rows[0].Hb, def.Hb);
  EXPECT_EQ(rows[0].hb, def.hb);
  EXPECT_EQ(rows[3].model, modelNamed("goda2010", "shuto"));
  const shore::Transport t = shore::longshoreTransport(def.Hb, def.gamma, def.thetaB);
  EXPECT_EQ(rows[0].Q, t.perSecond);
  EXPECT_GT(rows[0].Q, 0);  // αo > 0 gives θb > 0

  const auto first = report::compareRow(rows[0]);
  EXPECT_EQ(first[0], "goda1970");
  EXPECT_EQ(first[1], "two-regime");
  EXPECT_EQ(first[2], "1.7060733");  // shortest text of the default Hb
  EXPECT_EQ(first[8], "");
  const auto last = report::compareRow(rows[10]);
  EXPECT_EQ(last[0], "komar-gaughan");
  EXPECT_EQ(last[1], "weggel");
  EXPECT_EQ(report::rowDisplayName(rows[3]), "合田 (2010)・首藤 (1974)");
}

TEST(Compare, ErrorsKeepWhatWasReachedAndSayWhy) {
  const auto bad = shore::compare({1, 10, 30, 60}, {.rhoS = 1000});
  for (const auto& row : bad) {
    EXPECT_EQ(row.error, Error::InvalidSedimentDensity);
    EXPECT_FALSE(std::isnan(row.Hb));
    EXPECT_TRUE(std::isnan(row.Q));
  }
  const auto cells = report::compareRow(shore::compare({0, 10, 30, 60}).back());
  EXPECT_EQ(cells[2], "");
  EXPECT_EQ(cells[8], report::errorText(Error::InvalidHeight));
}

TEST(Messages, EveryNewCodeHasItsOwnMessage) {
  std::set<std::string> seen;
  for (std::size_t code = 15; code < shore::kErrorCount; ++code) {
    const std::string text = report::errorText(static_cast<Error>(code));
    EXPECT_TRUE(seen.insert(text).second) << code << " " << text;
    EXPECT_EQ(text.find("計算中にエラー"), std::string::npos) << code;
  }
}

}  // namespace
