#include "report/structure_table.h"

#include <cmath>
#include <cstddef>

#include "runtime/text.h"

namespace saiha::report {

namespace {

// The stable name at an enumeration's value in `names`, "" beyond them.
template <class Names, class Enum>
std::string_view nameOf(const Names& names, Enum value) {
  const auto i = static_cast<std::size_t>(value);
  return i < names.size() ? names[i] : std::string_view();
}

// The enumeration value whose stable name is `name`.
template <class Enum, class Names>
std::optional<Enum> valueNamed(const Names& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<Enum>(i);
  }
  return std::nullopt;
}

template <class Texts, class Enum>
std::string_view displayOf(const Texts& texts, Enum value, Language language) {
  const auto i = static_cast<std::size_t>(value);
  return i < texts.size() ? texts[i].in(language) : std::string_view();
}

constexpr std::array<Text, 3> kStructureTexts = {{
    {"傾斜堤・護岸", "sloping structure"},
    {"直立壁", "vertical wall"},
    {"混成堤（マウンド上の直立壁）", "composite wall (vertical wall on a mound)"},
}};
constexpr std::array<Text, 2> kApproachTexts = {{
    {"平均値法", "mean value approach"},
    {"設計・照査法", "design or assessment approach"},
}};
constexpr std::array<Text, 6> kRegimeTexts = {{
    {"砕波", "breaking waves"},
    {"非砕波（最大値）", "non-breaking waves (the maximum)"},
    {"極浅海域の前浜", "very shallow foreshore"},
    {"前浜の影響なし", "no influential foreshore"},
    {"非衝撃的", "non-impulsive"},
    {"衝撃的", "impulsive"},
}};
constexpr std::array<Text, 3> kArmourMethodTexts = {{
    {"Van der Meer (1988)", "Van der Meer (1988)"},
    {"Van Gent ほか (2003)", "Van Gent et al. (2003)"},
    {"Hudson (1959)", "Hudson (1959)"},
}};
constexpr std::array<Text, 3> kArmourBreakerTexts = {{
    {"", ""},
    {"巻き波型", "plunging"},
    {"砕け寄せ波型", "surging"},
}};

}  // namespace

std::array<float, kCaissonResultHeader.size()> caissonValues(const structure::CaissonResult& r) {
  return {r.p1,     r.p2,     r.p3,     r.p4,     r.pu, r.eta_star, r.hb, r.L,
          r.alpha1, r.alpha2, r.alpha3, r.alphaI, r.P,  r.U,        r.Mp, r.Mu,
          r.W,      r.SF_sliding, r.SF_overturning, r.heel_pressure};
}

std::array<float, kDesignWaveResultHeader.size()> designWaveValues(const structure::DesignWave& w) {
  return {w.H13_h, w.Hmax_h, w.hb, w.H13_hb, w.Hmax_hb, w.Hmax, w.H13, w.T};
}

std::array<float, 7> armourValues(const structure::ArmourResult& r) {
  return {r.Dn50, r.M50, r.Delta, r.Ns, r.xi, r.xiCritical, r.steepness};
}

std::string_view structureName(structure::Structure kind) { return nameOf(kStructureNames, kind); }
std::string_view approachName(structure::Approach approach) {
  return nameOf(kApproachNames, approach);
}
std::string_view regimeName(structure::Regime regime) { return nameOf(kRegimeNames, regime); }
std::optional<structure::Structure> structureNamed(std::string_view name) {
  return valueNamed<structure::Structure>(kStructureNames, name);
}
std::optional<structure::Approach> approachNamed(std::string_view name) {
  return valueNamed<structure::Approach>(kApproachNames, name);
}

std::string_view structureDisplayName(structure::Structure kind, Language language) {
  return displayOf(kStructureTexts, kind, language);
}
std::string_view approachDisplayName(structure::Approach approach, Language language) {
  return displayOf(kApproachTexts, approach, language);
}
std::string_view regimeDisplayName(structure::Regime regime, Language language) {
  return displayOf(kRegimeTexts, regime, language);
}

std::string dischargeCell(float q, bool shown) {
  if (std::isnan(q)) return {};
  if (shown && q < structure::kNegligibleDischarge) return std::string(kNegligibleDischargeCell);
  return rt::formatShortest(q);
}

std::string_view armourMethodName(structure::ArmourMethod method) {
  return nameOf(kArmourMethodNames, method);
}
std::optional<structure::ArmourMethod> armourMethodNamed(std::string_view name) {
  return valueNamed<structure::ArmourMethod>(kArmourMethodNames, name);
}
std::string_view armourBreakerName(structure::ArmourBreaker breaker) {
  return nameOf(kArmourBreakerNames, breaker);
}
std::string_view armourMethodDisplayName(structure::ArmourMethod method, Language language) {
  return displayOf(kArmourMethodTexts, method, language);
}
std::string_view armourBreakerDisplayName(structure::ArmourBreaker breaker, Language language) {
  return displayOf(kArmourBreakerTexts, breaker, language);
}

}  // namespace saiha::report
