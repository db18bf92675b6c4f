// Models side by side as texts: the rows of `saiha-calc compare`, the
// comparison table of the profile window and its export, and the Japanese
// names the window shows for each model.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shore/model.h"
#include "shore/models.h"

namespace saiha::sheet {

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
// row's error as the window's Japanese message (empty when none), then the
// wave's ξ0 and the stable name of its breaker type.
std::array<std::string, 11> compareRow(const shore::ComparisonRow& row);

// Japanese names for the window: "合田 (1970)", "McCowan" …; "2 領域", "首藤 (1974)".
std::string_view breakerDisplayName(shore::BreakerLimit breaker);
std::string_view shoalingDisplayName(shore::Shoaling shoaling);
// A row's name for a legend or a table: "合田 (2010)・首藤 (1974)", or the
// empirical row's "Komar・Gaughan／Weggel".
std::string rowDisplayName(const shore::ComparisonRow& row);

// Labels of the transport parameters, in the order K, ρ, ρs, p.
inline constexpr std::array<std::string_view, 4> kTransportLabels = {
    "漂砂量係数 K", "海水の密度 ρ (kg/m³)", "底質の密度 ρs (kg/m³)", "空隙率 p"};
// What the window says under the transport column.
inline constexpr std::string_view kTransportNote =
    "沿岸漂砂量は CERC 公式によるポテンシャル漂砂量です．有義波高の代わりに規則波の砕波波高 Hb "
    "を用いています．1 年は 365.25 日です．漂砂の向きは砕波波向 θb の符号に従います．";

}  // namespace saiha::sheet
