// The structure formulas as texts every face shares: the column names of
// `saiha-calc caisson`, `overtopping` and `armour` (which are Python's field
// names too), the results of each in the order they are written, the stable
// names of the options and outcomes (structure kinds, approaches, regimes,
// armour methods, breaker types) and their names for the window in both
// languages, and how a mean discharge too small to mean anything is shown.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "saiha/export.h"
#include "saiha/report/language.h"
#include "saiha/structure/armour.h"
#include "saiha/structure/caisson.h"
#include "saiha/structure/chain.h"
#include "saiha/structure/overtopping.h"

namespace saiha::report {

// ------------------------------------------------------------------ caisson

// The caisson's inputs, each a column of its own: the design wave and the
// section (required), then the quantities a face may take as one constant
// for every row (an option) or per row (a column): the seabed slope 1/n,
// the angle β (degrees), the berm width BM (m), Goda's λ1 λ2 λ3, the water
// density ρ (kg/m³), the caisson's mean density (kg/m³) or its weight in
// still water per metre (N/m), the friction coefficient μ.
inline constexpr std::array<std::string_view, 8> kCaissonInputHeader = {
    "Hmax", "H13", "T", "h", "h_prime", "d", "hc", "B"};
inline constexpr std::array<std::string_view, 10> kCaissonSettingHeader = {
    "n", "beta", "berm", "lambda1", "lambda2", "lambda3", "rho", "density", "weight", "mu"};
// Goda's pressures (Pa), η* (m), hb (m), L (m), the coefficients, the forces
// (N/m) and moments (N·m/m), the weight W (N/m), the safety factors and the
// heel pressure (Pa), in the order they are written.
inline constexpr std::array<std::string_view, 20> kCaissonResultHeader = {
    "p1",     "p2",     "p3",     "p4", "pu", "eta_star", "hb", "L",
    "alpha1", "alpha2", "alpha3", "alphaI", "P", "U", "Mp", "Mu",
    "W",      "SF_sliding", "SF_overturning", "heel_pressure"};
// The results of one caisson in the order of kCaissonResultHeader.
SAIHA_API std::array<float, kCaissonResultHeader.size()> caissonValues(
    const structure::CaissonResult& r);

// The design wave from the offshore sea (structure::designWave): inputs and
// results in their order.
inline constexpr std::array<std::string_view, 4> kDesignWaveInputHeader = {"H0p", "T13", "n", "h"};
inline constexpr std::array<std::string_view, 8> kDesignWaveResultHeader = {
    "H13_h", "Hmax_h", "hb", "H13_hb", "Hmax_hb", "Hmax", "H13", "T"};
SAIHA_API std::array<float, kDesignWaveResultHeader.size()> designWaveValues(
    const structure::DesignWave& w);

// ------------------------------------------------- runup and overtopping

// The wave at the toe and the freeboard (required), then the quantities of
// the structure a face may take as a constant or per row: cot α, γf, γb,
// γv, β (degrees), the toe depth h (m), the depth over a composite wall's
// mound d (m), a rubble mound's armoured crest width Gc (m).
inline constexpr std::array<std::string_view, 3> kOvertoppingInputHeader = {"Hm0", "Tm10", "Rc"};
inline constexpr std::array<std::string_view, 8> kOvertoppingSettingHeader = {
    "cot_alpha", "gamma_f", "gamma_b", "gamma_v", "beta", "h", "d", "crest_width"};
// The results: the 2 % runup (m, slopes only), the mean discharge q (m³/s
// per m), the regime that gave it.
inline constexpr std::array<std::string_view, 3> kOvertoppingResultHeader = {"Ru2", "q", "regime"};

// Stable names, as written to CSV and taken from Python and the command
// line: "slope", "vertical", "composite"; "mean", "design"; "breaking",
// "non-breaking", "very-shallow", "no-foreshore", "non-impulsive",
// "impulsive".
inline constexpr std::array<std::string_view, 3> kStructureNames = {"slope", "vertical",
                                                                    "composite"};
inline constexpr std::array<std::string_view, 2> kApproachNames = {"mean", "design"};
inline constexpr std::array<std::string_view, 6> kRegimeNames = {
    "breaking", "non-breaking", "very-shallow", "no-foreshore", "non-impulsive", "impulsive"};
SAIHA_API std::string_view structureName(structure::Structure kind);
SAIHA_API std::string_view approachName(structure::Approach approach);
SAIHA_API std::string_view regimeName(structure::Regime regime);
// The value of a stable name; nothing for a name that names none.
SAIHA_API std::optional<structure::Structure> structureNamed(std::string_view name);
SAIHA_API std::optional<structure::Approach> approachNamed(std::string_view name);

// Names for the window: "傾斜堤" / "sloping structure", "平均値法" / "mean
// value approach", "砕波" / "breaking waves" ...
SAIHA_API std::string_view structureDisplayName(structure::Structure kind,
                                                Language language = Language::Japanese);
SAIHA_API std::string_view approachDisplayName(structure::Approach approach,
                                               Language language = Language::Japanese);
SAIHA_API std::string_view regimeDisplayName(structure::Regime regime,
                                             Language language = Language::Japanese);

// A mean discharge as a cell: "" when not reached; below
// structure::kNegligibleDischarge, kNegligibleDischargeCell where `shown`
// (the formulas carry no information there), its value otherwise; else its
// shortest text (q is small in m³/s per m: two decimals would hide it).
inline constexpr std::string_view kNegligibleDischargeCell = "<1e-06";
SAIHA_API std::string dischargeCell(float q, bool shown);
// What the window writes for such a discharge.
inline constexpr Text kNegligibleDischargeText = {"0.001 l/s/m 未満（無視できる越波）",
                                                  "below 0.001 l/s per m (negligible)"};

// The chain at a toe: one row per condition, after its pass-through cells.
inline constexpr std::array<std::string_view, 9> kChainResultHeader = {
    "level", "depth", "Hm0", "Tm10", "beta", "Rc", "Ru2", "q", "regime"};
// The default limits of q (m³/s per m) the summary counts: 1, 10 and 50 l/s
// per m.
inline constexpr std::array<double, 3> kDefaultDischargeLimits = {0.001, 0.01, 0.05};

// ------------------------------------------------------------------ armour

// The wave and the slope (required), then the quantities a face may take
// as a constant or per row: P, S, N, K_D, H2% (m), the toe depth h (m), the
// rock's density ρs and the water's ρ (kg/m³).
inline constexpr std::array<std::string_view, 3> kArmourInputHeader = {"Hs", "T", "cot_alpha"};
inline constexpr std::array<std::string_view, 8> kArmourSettingHeader = {
    "P", "S", "N", "KD", "H2", "h", "rho_s", "rho"};
// Dn50 (m), M50 (kg), Δ, Hs/(Δ·Dn50), ξ and ξcr, the steepness, the breaker type.
inline constexpr std::array<std::string_view, 8> kArmourResultHeader = {
    "Dn50", "M50", "Delta", "Ns", "xi", "xi_critical", "steepness", "breaker"};
SAIHA_API std::array<float, 7> armourValues(const structure::ArmourResult& r);

// "vandermeer1988", "vangent2003", "hudson"; "", "plunging", "surging".
inline constexpr std::array<std::string_view, 3> kArmourMethodNames = {"vandermeer1988",
                                                                       "vangent2003", "hudson"};
inline constexpr std::array<std::string_view, 3> kArmourBreakerNames = {"", "plunging",
                                                                        "surging"};
SAIHA_API std::string_view armourMethodName(structure::ArmourMethod method);
SAIHA_API std::optional<structure::ArmourMethod> armourMethodNamed(std::string_view name);
SAIHA_API std::string_view armourBreakerName(structure::ArmourBreaker breaker);
// "Van der Meer (1988)", "Van Gent ほか (2003)" / "Van Gent et al. (2003)",
// "Hudson (1959)"; "巻き波型" / "plunging" ...
SAIHA_API std::string_view armourMethodDisplayName(structure::ArmourMethod method,
                                                   Language language = Language::Japanese);
SAIHA_API std::string_view armourBreakerDisplayName(structure::ArmourBreaker breaker,
                                                    Language language = Language::Japanese);

}  // namespace saiha::report
