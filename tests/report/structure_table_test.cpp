// The structure texts every face shares: stable names read back as the
// values they name, each value has a window name in both languages (the
// English free of Japanese), results line up with their headers, and a
// discharge too small to mean anything is shown as negligible.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "report/structure_table.h"

namespace {

namespace report = saiha::report;
namespace structure = saiha::structure;
using report::Language;

bool hasJapanese(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0xE3) return true;
  }
  return false;
}

template <class Enum, std::size_t N, class Name, class Display>
void checkNames(const std::array<std::string_view, N>& names, Name name, Display display,
                bool emptyFirst = false) {
  std::set<std::string_view> english;
  for (std::size_t i = 0; i < N; ++i) {
    const auto value = static_cast<Enum>(i);
    EXPECT_EQ(name(value), names[i]) << i;
    if (emptyFirst && i == 0) continue;
    EXPECT_FALSE(display(value, Language::Japanese).empty()) << names[i];
    const std::string_view en = display(value, Language::English);
    EXPECT_FALSE(en.empty()) << names[i];
    EXPECT_FALSE(hasJapanese(en)) << en;
    EXPECT_TRUE(english.insert(en).second) << "two values named " << en;
  }
  EXPECT_EQ(name(static_cast<Enum>(N)), "") << "a value beyond the names has none";
}

TEST(StructureTable, StableNamesAndWindowNames) {
  checkNames<structure::Structure>(report::kStructureNames, report::structureName,
                                   report::structureDisplayName);
  checkNames<structure::Approach>(report::kApproachNames, report::approachName,
                                  report::approachDisplayName);
  checkNames<structure::Regime>(report::kRegimeNames, report::regimeName,
                                report::regimeDisplayName);
  checkNames<structure::ArmourMethod>(report::kArmourMethodNames, report::armourMethodName,
                                      report::armourMethodDisplayName);
  checkNames<structure::ArmourBreaker>(report::kArmourBreakerNames, report::armourBreakerName,
                                       report::armourBreakerDisplayName, true);
}

TEST(StructureTable, NamesReadBack) {
  for (const std::string_view name : report::kStructureNames) {
    ASSERT_TRUE(report::structureNamed(name));
    EXPECT_EQ(report::structureName(*report::structureNamed(name)), name);
  }
  for (const std::string_view name : report::kApproachNames) {
    EXPECT_EQ(report::approachName(*report::approachNamed(name)), name);
  }
  for (const std::string_view name : report::kArmourMethodNames) {
    EXPECT_EQ(report::armourMethodName(*report::armourMethodNamed(name)), name);
  }
  for (const std::string_view wrong : {"", "Slope", "dike", "design "}) {
    EXPECT_FALSE(report::structureNamed(wrong)) << wrong;
    EXPECT_FALSE(report::approachNamed(wrong)) << wrong;
    EXPECT_FALSE(report::armourMethodNamed(wrong)) << wrong;
  }
}

TEST(StructureTable, ValuesLineUpWithTheirHeaders) {
  structure::CaissonInput in;
  in.Hmax = 10, in.H13 = 5.6, in.T = 12, in.h = 16, in.hPrime = 12, in.d = 9, in.hc = 5;
  in.B = 18, in.n = 50, in.berm = 10;
  const structure::CaissonResult r = structure::caisson(in);
  ASSERT_TRUE(r.ok());
  const auto values = report::caissonValues(r);
  const auto at = [&](std::string_view name) {
    for (std::size_t i = 0; i < report::kCaissonResultHeader.size(); ++i) {
      if (report::kCaissonResultHeader[i] == name) return values[i];
    }
    ADD_FAILURE() << name;
    return NAN;
  };
  EXPECT_EQ(at("p1"), r.p1);
  EXPECT_EQ(at("pu"), r.pu);
  EXPECT_EQ(at("eta_star"), r.eta_star);
  EXPECT_EQ(at("alphaI"), r.alphaI);
  EXPECT_EQ(at("Mu"), r.Mu);
  EXPECT_EQ(at("W"), r.W);
  EXPECT_EQ(at("heel_pressure"), r.heel_pressure);
  std::set<std::string_view> all(report::kCaissonResultHeader.begin(),
                                 report::kCaissonResultHeader.end());
  EXPECT_EQ(all.size(), report::kCaissonResultHeader.size()) << "a result named twice";
  for (const std::string_view input : report::kCaissonInputHeader) EXPECT_FALSE(all.count(input));
}

TEST(StructureTable, NegligibleDischargeIsShownAsSuch) {
  const auto tiny = static_cast<float>(structure::kNegligibleDischarge / 2);
  EXPECT_EQ(report::dischargeCell(tiny, true), report::kNegligibleDischargeCell);
  EXPECT_NE(report::dischargeCell(tiny, false), report::kNegligibleDischargeCell);
  EXPECT_EQ(std::stof(report::dischargeCell(tiny, false)), tiny);
  EXPECT_EQ(report::dischargeCell(0.0493f, true), "0.0493");  // significant digits, not two decimals
  EXPECT_EQ(report::dischargeCell(NAN, true), "");
}

}  // namespace
