// What happens at the shoreline as texts: the rows of `saiha-calc shore`,
// the names of the breaker types and the labels of the profile window's
// shoreline panel.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "saiha/export.h"
#include "saiha/report/language.h"
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
// point, surf similarity and breaker type, setdown and setup, runup, the
// longshore current.  Values are the shortest texts that read back as the
// same single (a breaker type its stable name); a value not reached is an
// empty cell.  The unit is "m", "s", "m/s", "m/m", "deg" or "-"; the source
// names the formula and where it is published.
SAIHA_API std::vector<std::array<std::string, 4>> shorelineRows(const shore::Shoreline& shoreline);

// The first error among the parts of `shoreline`, breaking point first;
// None when every quantity was reached.
SAIHA_API shore::Error firstError(const shore::Shoreline& shoreline);

}  // namespace saiha::report
