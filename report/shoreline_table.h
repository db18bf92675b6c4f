// What happens at the shoreline as texts: the rows of `saiha-calc shore`,
// the names of the breaker types and the labels of the profile window's
// shoreline panel.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saiha/export.h"
#include "saiha/report/language.h"
#include "saiha/report/profile_table.h"
#include "saiha/shore/shoreline.h"

namespace saiha::report {

// Stable names, as written to CSV and given to Python: "spilling",
// "plunging", "surging" (collapsing or surging).
SAIHA_API std::string_view breakerTypeName(shore::BreakerType type);
// Names for the window: "崩れ波" / "spilling", "巻き波" / "plunging",
// "砕け寄せ波・寄せ波" / "collapsing/surging".
SAIHA_API std::string_view breakerTypeDisplayName(shore::BreakerType type,
                                                  Language language = Language::Japanese);

inline constexpr std::array<std::string_view, 4> kShorelineHeader = {"quantity", "value", "unit",
                                                                      "source"};

// One row per quantity in the order of `saiha-calc shore`: the breaking
// point, surf similarity and breaker type, setdown and setup, runup (with
// runup_fit, the branch of Stockdon's formula used: "general" or
// "dissipative"), the longshore current.  Values are the shortest texts that
// read back as the same single (a breaker type, a fit its stable name); a
// value not reached is an empty cell, and so is swash_incident on a
// dissipative beach, whose fit has no incident part (its source says so).
// The unit is "m", "s", "m/s", "m/m", "deg" or "-"; the source names the
// formula and where it is published, and for the runup's H0, Tp and beta_f
// whether they were given or taken from the wave.
struct ShorelineRow {
  std::array<std::string, 4> cells;
  // The warnings of what the quantity comes from: the breaking point's for
  // the breaking point, xi_b and the current; with the setup's for setdown
  // and setup; Stockdon's branch change for the runup's results, and R2's
  // own RunupBelowSetup.  None for xi0, the breaker type and the inputs.
  shore::Warnings warnings;
};
// With Digits::Shown the values have two decimals, as the window's boxes.
SAIHA_API std::vector<ShorelineRow> shorelineTable(const shore::Shoreline& shoreline,
                                                   Digits digits = Digits::Full);
// The cells of shorelineTable alone.
SAIHA_API std::vector<std::array<std::string, 4>> shorelineRows(const shore::Shoreline& shoreline,
                                                                Digits digits = Digits::Full);

// The first error among the parts of `shoreline`: the breaking point's, the
// surf similarity's, the runup's, the setup's (NegativeSetup), the
// current's; None when every quantity was reached.
SAIHA_API shore::Error firstError(const shore::Shoreline& shoreline);

}  // namespace saiha::report
