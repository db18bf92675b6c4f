#include "report/random_table.h"

#include "report/profile_table.h"

namespace saiha::report {

std::string_view randomTermName(shore::RandomTerm term) {
  switch (term) {
    case shore::RandomTerm::Shoaling: return "shoaling";
    case shore::RandomTerm::Breaking: return "breaking";
    case shore::RandomTerm::Cap: return "cap";
  }
  return "";
}

namespace {
std::string termCell(const std::optional<shore::RandomTerm>& term) {
  return term ? std::string(randomTermName(*term)) : std::string();
}
}  // namespace

std::array<std::string, 8> randomProfileRow(const shore::RandomStation& station, Digits digits) {
  const shore::RandomState& s = station.state;
  const auto tableCell = [digits](float value) { return report::tableCell(value, digits); };
  return {tableCell(station.x), tableCell(s.h),       std::string(markName(station.mark)),
          tableCell(s.Ks),      tableCell(s.H13),     termCell(s.H13Term),
          tableCell(s.Hmax),    termCell(s.HmaxTerm)};
}

}  // namespace saiha::report
