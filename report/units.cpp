#include "report/units.h"

#include <algorithm>
#include <array>

namespace saiha::report {

namespace {

struct ColumnUnit {
  std::string_view name;
  std::string_view unit;
};

// One line per column name; a name means the same quantity in every mode
// that writes it (h is always a still-water depth, theta always a wave
// direction from the shore normal).
constexpr std::array<ColumnUnit, 111> kUnits = {{
    // The plane beach: one wave's inputs, breaking point and state at h.
    {"Ho", "m"}, {"T", "s"}, {"alpha0", "degree"}, {"n", "1"}, {"h", "m"},
    {"Hb", "m"}, {"hb", "m"}, {"gamma", "1"}, {"theta_b", "degree"},
    {"L", "m"}, {"theta", "degree"}, {"C", "m s-1"}, {"H", "m"},
    {"a_bottom", "m"}, {"u_bottom", "m s-1"}, {"a_surface", "m"}, {"u_surface", "m s-1"},
    // The profile of a plane beach and of Goda's random waves.
    {"x", "m"},
    // compare: the longshore transport and the surf similarity.
    {"Q_m3_per_s", "m3 s-1"}, {"Q_m3_per_year", "m3 year-1"}, {"xi0", "1"},
    // Goda's random waves.
    {"H0p", "m"}, {"T13", "s"}, {"Ks", "1"}, {"H13", "m"}, {"Hmax", "m"},
    // The measured beach: conditions, the state along the bed, the summary.
    {"Tp", "s"}, {"theta0", "degree"}, {"Hrms0", "m"}, {"Hm0", "m"}, {"tide", "m"},
    {"wind_stress", "N m-2"}, {"z", "m"}, {"eta", "m"}, {"Hrms", "m"}, {"H110", "m"},
    {"H2", "m"}, {"Qb", "1"}, {"V", "m s-1"},
    {"x_breaking", "m"}, {"h_breaking", "m"}, {"eta_max", "m"}, {"x_shoreline", "m"},
    {"runup_H0", "m"}, {"beta_f", "1"}, {"foreshore_slope", "1"}, {"R2", "m"},
    // shore's quantities by name, as Python's shoreline frame has them.
    {"setdown_b", "m"}, {"setup_gradient", "1"}, {"setup_shoreline", "m"},
    {"shoreline_shift", "m"}, {"setup_max", "m"}, {"runup_Tp", "s"}, {"runup_xi0", "1"},
    // Structures: Goda's caisson (P, a force here and the notional
    // permeability of rock armour there, has its unit in each table's own
    // list below).
    {"h_prime", "m"}, {"d", "m"}, {"hc", "m"}, {"B", "m"}, {"beta", "degree"}, {"berm", "m"},
    {"lambda1", "1"}, {"lambda2", "1"}, {"lambda3", "1"}, {"rho", "kg m-3"},
    {"density", "kg m-3"}, {"weight", "N m-1"}, {"mu", "1"},
    {"p1", "Pa"}, {"p2", "Pa"}, {"p3", "Pa"}, {"p4", "Pa"}, {"pu", "Pa"}, {"eta_star", "m"},
    {"alpha1", "1"}, {"alpha2", "1"}, {"alpha3", "1"}, {"alphaI", "1"}, {"U", "N m-1"},
    {"Mp", "N m m-1"}, {"Mu", "N m m-1"}, {"W", "N m-1"}, {"SF_sliding", "1"},
    {"SF_overturning", "1"}, {"heel_pressure", "Pa"},
    {"H13_h", "m"}, {"Hmax_h", "m"}, {"H13_hb", "m"}, {"Hmax_hb", "m"},
    // Runup and overtopping, and the chain at a toe.
    {"Tm10", "s"}, {"Rc", "m"}, {"cot_alpha", "1"}, {"gamma_f", "1"}, {"gamma_b", "1"},
    {"gamma_v", "1"}, {"crest_width", "m"}, {"Ru2", "m"}, {"q", "m3 s-1 m-1"},
    {"level", "m"}, {"depth", "m"},
    // Rock armour.
    {"Hs", "m"}, {"S", "1"}, {"N", "1"}, {"KD", "1"}, {"rho_s", "kg m-3"}, {"Dn50", "m"},
    {"M50", "kg"}, {"Delta", "1"}, {"Ns", "1"}, {"xi", "1"}, {"xi_critical", "1"},
    {"steepness", "1"},
}};

struct ModeUnit {
  std::string_view mode;
  std::string_view name;
  std::string_view unit;
};

// The names that mean one quantity in one table and another elsewhere.
constexpr std::array<ModeUnit, 2> kModeUnits = {{
    {"caisson", "P", "N m-1"},  // the horizontal wave force per metre of wall
    {"armour", "P", "1"},       // the notional permeability of the structure
}};

}  // namespace

std::optional<std::string_view> columnUnit(std::string_view name, std::string_view mode) {
  const auto* found =
      std::find_if(kModeUnits.begin(), kModeUnits.end(),
                   [&](const ModeUnit& c) { return c.mode == mode && c.name == name; });
  if (found != kModeUnits.end()) return found->unit;
  return columnUnit(name);
}

std::string withUnit(std::string_view name, std::string_view mode) {
  const auto unit = columnUnit(name, mode);
  std::string header(name);
  if (unit) header.append(" [").append(*unit).append("]");
  return header;
}

std::optional<std::string_view> columnUnit(std::string_view name) {
  const auto* found = std::find_if(kUnits.begin(), kUnits.end(),
                                   [name](const ColumnUnit& c) { return c.name == name; });
  if (found == kUnits.end()) return std::nullopt;
  return found->unit;
}

std::string withUnit(std::string_view name) {
  const auto unit = columnUnit(name);
  std::string header(name);
  if (unit) header.append(" [").append(*unit).append("]");
  return header;
}

}  // namespace saiha::report
