#include "app/compare_csv.h"

#include <string_view>
#include <vector>

#include "app/csv_sheet.h"
#include "app/profile_csv.h"
#include "sheet/calc.h"
#include "sheet/compare_table.h"

namespace saiha::cli {

namespace {

// The command-line option that holds the parameter a transport error names.
std::string_view optionOf(shore::Error code) {
  switch (code) {
    case shore::Error::InvalidTransportCoefficient: return "--K";
    case shore::Error::InvalidWaterDensity: return "--rho";
    case shore::Error::InvalidSedimentDensity: return "--rho-s";
    default: return "--porosity";
  }
}

}  // namespace

CompareOutcome compareCsv(const shore::Wave& wave, const shore::TransportParams& params) {
  CompareOutcome outcome;
  const std::vector<shore::ComparisonRow> rows = shore::compare(wave, params);
  // Every row checks the wave first, so a bad value shows in each of them.
  if (!rows.empty() && shore::isInvalidWave(rows.front().error)) {
    outcome.status = kUnusable;
    outcome.diagnostic = sheet::errorText(rows.front().error);
    return outcome;
  }
  if (const shore::Error bad = shore::checkTransport(params); bad != shore::Error::None) {
    outcome.status = kUnusable;
    outcome.diagnostic = std::string(optionOf(bad)) + ": " + sheet::errorText(bad);
    return outcome;
  }

  const std::vector<std::string> header(sheet::kCompareHeader.begin(), sheet::kCompareHeader.end());
  outcome.csv = formatRecord(header);
  for (const shore::ComparisonRow& row : rows) {
    outcome.csv += formatRecord(sheet::compareRow(row));
    if (row.error != shore::Error::None) outcome.status = kSomeFailed;
  }
  return outcome;
}

}  // namespace saiha::cli
