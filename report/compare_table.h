// Models side by side as texts: the rows of `saiha-calc compare`, the
// comparison table of the profile window and its export.  The names the
// window shows for each model are in report/messages.h.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "saiha/export.h"
#include "saiha/report/language.h"
#include "saiha/report/profile_table.h"
#include "saiha/shore/comparison.h"
#include "saiha/shore/model_choice.h"

namespace saiha::report {

inline constexpr std::array<std::string_view, 11> kCompareHeader = {
    "breaker", "shoaling", "Hb", "hb", "gamma", "theta_b", "Q_m3_per_s", "Q_m3_per_year", "error",
    "xi0", "breaker_type"};

// The empirical row's names in the breaker and shoaling columns: the two
// formulas that fix its breaking point, Komar and Gaughan's breaker height
// and Weggel's breaker index (which gives the depth where a shoaling rule
// gives it in the other rows).
inline constexpr std::string_view kEmpiricalBreakerName = "komar-gaughan";
inline constexpr std::string_view kEmpiricalShoalingName = "weggel";

// The cells of one comparison row in the order of kCompareHeader: the stable
// names, numbers as the shortest decimal text that reads back as the same
// single (rt::formatShortest), an empty cell for a value not reached, the
// row's error as the window's message (empty when none), then the wave's ξ0
// and the stable name of its breaker type (report/shoreline_table.h).
// With Digits::Shown the numbers have two decimals, as the window's boxes.
SAIHA_API std::array<std::string, 11> compareRow(const shore::ComparisonRow& row,
                                                 Language language = Language::Japanese,
                                                 Digits digits = Digits::Full);

}  // namespace saiha::report
