// Goda's random-wave heights as tables of texts: the columns and cells of
// `saiha-calc random`, its profile, the profile window's random-wave table
// and its export, and Python's random_profile.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "saiha/export.h"
#include "saiha/report/profile_table.h"
#include "saiha/shore/random_waves.h"

namespace saiha::report {

// The inputs of one sea and depth, then its results.
inline constexpr std::array<std::string_view, 4> kRandomInputHeader = {"H0p", "T13", "n", "h"};
inline constexpr std::array<std::string_view, 4> kRandomResultHeader = {"Ks", "H13", "Hmax",
                                                                        "error"};
inline constexpr std::array<std::string_view, 8> kRandomProfileHeader = {
    "x", "h", "point", "Ks", "H13", "H13_term", "Hmax", "Hmax_term"};

// "shoaling" (Ks·H0′), "breaking" (β0·H0′ + β1·h) or "cap" (βmax·H0′).
SAIHA_API std::string_view randomTermName(shore::RandomTerm term);

// The cells of one station in the order of kRandomProfileHeader: shortest
// texts, empty for what the station did not reach; point is "breaking" at
// the outer edge of the surf zone.
SAIHA_API std::array<std::string, 8> randomProfileRow(const shore::RandomStation& station,
                                                      Digits digits = Digits::Full);

}  // namespace saiha::report
