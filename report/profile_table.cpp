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

std::string tableCell(float value) {
  return std::isnan(value) ? std::string() : rt::formatShortest(value);
}

std::array<std::string, 12> profileRow(const shore::Station& station) {
  const shore::State& s = station.state;
  return {tableCell(station.x), tableCell(s.h),
          s.rule ? std::string(ruleName(*s.rule)) : std::string(),
          std::string(markName(station.mark)),
          tableCell(s.H), tableCell(s.L), tableCell(s.C), tableCell(s.theta),
          tableCell(s.aBottom), tableCell(s.uBottom), tableCell(s.aSurface), tableCell(s.uSurface)};
}

std::string stationError(const shore::Station& station, Language language) {
  return errorText(station.state.error, language);
}

}  // namespace saiha::report
