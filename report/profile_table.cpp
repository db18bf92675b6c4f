#include "report/profile_table.h"

#include <cmath>

#include "runtime/text.h"
#include "report/messages.h"

namespace saiha::report {

std::string_view ruleName(shore::HeightRule rule) {
  switch (rule) {
    case shore::HeightRule::Linear: return "linear";
    case shore::HeightRule::Nonlinear: return "nonlinear";
    case shore::HeightRule::Surf: return "surf";
    case shore::HeightRule::Intermediate: return "intermediate";
  }
  return "";
}

std::string_view markName(shore::Mark mark) {
  switch (mark) {
    case shore::Mark::Onset: return "onset";
    case shore::Mark::Breaking: return "breaking";
    case shore::Mark::None: break;
  }
  return "";
}

std::string tableCell(float value, Digits digits) {
  if (std::isnan(value)) return std::string();
  return digits == Digits::Shown ? rt::formatResult(value) : rt::formatShortest(value);
}

std::array<std::string, 12> profileRow(const shore::Station& station, Digits digits) {
  const shore::State& s = station.state;
  const auto cell = [digits](float value) { return tableCell(value, digits); };
  return {cell(station.x), cell(s.h),
          s.rule ? std::string(ruleName(*s.rule)) : std::string(),
          std::string(markName(station.mark)),
          cell(s.H), cell(s.L), cell(s.C), cell(s.theta),
          cell(s.aBottom), cell(s.uBottom), cell(s.aSurface), cell(s.uSurface)};
}

std::string stationError(const shore::Station& station, Language language) {
  return errorText(station.state.error, language);
}

}  // namespace saiha::report
