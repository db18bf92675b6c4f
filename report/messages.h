// Every text the user reads, in Japanese, in one place for every front end:
// the message of each engine code and the names the window gives the models.
// saiha-calc, the windows and the Python package all take their words here.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shore/comparison.h"
#include "shore/engine.h"
#include "shore/model_choice.h"

namespace saiha::report {

// The message for an engine code, as the window shows it; empty for None.
std::string errorText(shore::Error code);

// The message for a depth that reads as a number > 0 but lies beyond single
// precision (above about 3.4e38 m), where errorText(InvalidDepth) would ask
// for a number greater than 0.
std::string depthTooLargeText();

// The message of a CSV row whose field count is not the header's.
std::string fieldCountText(std::size_t fields, std::size_t width);

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

}  // namespace saiha::report
