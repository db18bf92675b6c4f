// Every text the user reads outside the windows' own Qt texts, in Japanese
// and English, in one place for every front end: the message of each engine
// code and the names the window gives the models.  saiha-calc, the windows
// and the Python package all take their words here; Japanese is the default.
// Every text is UTF-8.  Nothing throws but std::bad_alloc.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "saiha/export.h"
#include "saiha/report/bed_profile.h"
#include "saiha/report/language.h"
#include "saiha/shore/comparison.h"
#include "saiha/shore/engine.h"
#include "saiha/shore/model_choice.h"
#include "saiha/shore/random_waves.h"

namespace saiha::report {

// The message for an engine code, as the window shows it; empty for None.
SAIHA_API std::string errorText(shore::Error code, Language language = Language::Japanese);

// What the window says of a result's warnings (formulas outside their
// fitted range), one line per warning; empty for none.
SAIHA_API std::string warningText(shore::Warnings warnings, Language language = Language::Japanese);

// The message for a depth that reads as a number > 0 but lies beyond single
// precision (above about 3.4e38 m), where errorText(InvalidDepth) would ask
// for a number greater than 0.
SAIHA_API std::string depthTooLargeText(Language language = Language::Japanese);

// The message of a profile file's fault, one line: `source` names the file
// as the face quotes it.
SAIHA_API std::string bedProfileFaultText(const BedFault& fault, std::string_view source,
                                          Language language = Language::Japanese);

// The message of a CSV row whose field count is not the header's.
SAIHA_API std::string fieldCountText(std::size_t fields, std::size_t width,
                                     Language language = Language::Japanese);

// The message of an input cell whose text goes on after its number ("3ft",
// "1,5" in quotes), where saiha-calc is told to take numbers alone: the
// column's name and, with `decimalComma`, the comma as the decimal mark.
SAIHA_API std::string trailingTextText(std::string_view column, bool decimalComma = false,
                                       Language language = Language::Japanese);

// The message of a random sea's depth that is empty or no number > 0:
// Goda's heights are found at a given depth, which has no default.
SAIHA_API std::string randomDepthText(Language language = Language::Japanese);

// The message of a random sea whose shoaling coefficient cannot be formed
// at the depth (Shuto's nonlinear law does not settle there) where the
// shoaled term might still govern Goda's heights.
SAIHA_API std::string randomShoalingText(Language language = Language::Japanese);

// A governing term of Goda's random-wave heights as the window names it,
// with its formula, for H1/3 or (maximum) Hmax: "浅水変形 Ks·H0′" /
// "shoaling Ks·H0′" ….
SAIHA_API std::string randomTermDisplayName(shore::RandomTerm term, bool maximum,
                                  Language language = Language::Japanese);

// Names for the window: "合田 (1970)" / "Goda (1970)", "McCowan" …;
// "2 領域" / "two regimes", "首藤 (1974)" / "Shuto (1974)".
SAIHA_API std::string_view breakerDisplayName(shore::BreakerLimit breaker,
                                              Language language = Language::Japanese);
SAIHA_API std::string_view shoalingDisplayName(shore::Shoaling shoaling,
                                               Language language = Language::Japanese);
// A row's name for a legend or a table: "合田 (2010)・首藤 (1974)", or the
// empirical row's "Komar・Gaughan／Weggel".
SAIHA_API std::string rowDisplayName(const shore::ComparisonRow& row,
                                     Language language = Language::Japanese);

// Labels of the transport parameters, in the order K, ρ, ρs, p.
inline constexpr std::array<Text, 4> kTransportLabels = {{
    {"漂砂量係数 K", "Transport coefficient K"},
    {"海水の密度 ρ (kg/m³)", "Seawater density ρ (kg/m³)"},
    {"底質の密度 ρs (kg/m³)", "Sediment density ρs (kg/m³)"},
    {"空隙率 p", "Porosity p"},
}};
// What the window says under the transport column.
inline constexpr Text kTransportNote = {
    "沿岸漂砂量は CERC 公式によるポテンシャル漂砂量です．有義波高の代わりに規則波の砕波波高 Hb "
    "を用いています（有義波高で定義される Kamphuis の砕波指標も同じ）．合田の有義波高 H1/3 "
    "は「不規則波（合田）」タブで求められます．1 年は 365.25 日です．漂砂の向きは砕波波向 θb "
    "の符号に従います．",
    "Q is the potential longshore transport by the CERC formula, with the regular wave's breaker "
    "height Hb in place of the significant wave height (as is Kamphuis's breaker index, defined "
    "for the significant height); Goda's significant height H1/3 is in the tab 'Irregular waves "
    "(Goda)'; a year is 365.25 days; Q takes the sign of the breaker angle θb."};

}  // namespace saiha::report
