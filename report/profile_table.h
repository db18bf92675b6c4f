// The cross-shore profile as a table of texts: one row per station, the same
// columns in `saiha-calc profile`, the profile window's table and its CSV
// export.  Numbers are the shortest decimal texts that read back as the same
// single-precision values, so a station's depth typed into the depth box
// gives that station's values.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "saiha/export.h"
#include "saiha/report/language.h"
#include "saiha/shore/engine.h"

namespace saiha::report {

inline constexpr std::array<std::string_view, 12> kProfileHeader = {
    "x", "h", "rule", "point", "H", "L", "C", "theta",
    "a_bottom", "u_bottom", "a_surface", "u_surface"};

// How a table writes its numbers: in full, the shortest text that reads back
// as the same single (what the windows' tables show), or as the calculation
// window shows its boxes, two decimals (saiha-calc's default).
enum class Digits : unsigned char { Full, Shown };

// A value as a table cell: its text in `digits`, empty when it was not
// reached (NaN).
SAIHA_API std::string tableCell(float value, Digits digits = Digits::Full);

// "linear", "intermediate" (Shuto's H·h^(2/7) regime), "nonlinear" or "surf".
SAIHA_API std::string_view ruleName(shore::HeightRule rule);
// "onset", "breaking" or "" for an ordinary station.
SAIHA_API std::string_view markName(shore::Mark mark);

// The cells of one station in the order of kProfileHeader.  A value the
// station's calculation did not reach is an empty cell (and so is its rule);
// the station's error is not among the cells (see stationError).
SAIHA_API std::array<std::string, 12> profileRow(const shore::Station& station,
                                                 Digits digits = Digits::Full);

// The message of a station the formulas could not compute; empty when it
// computed.
SAIHA_API std::string stationError(const shore::Station& station,
                                   Language language = Language::Japanese);

}  // namespace saiha::report
