#include "cli/compare_csv.h"

#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/profile_csv.h"
#include "cli/rows.h"
#include "report/messages.h"
#include "report/compare_table.h"

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

CompareOutcome compareCsv(const shore::Wave& wave, const shore::TransportParams& params,
                          bool warnings, shore::HeightBasis basis, report::Language language) {
  CompareOutcome outcome;
  const std::vector<shore::ComparisonRow> rows = shore::compare(wave, params, basis);
  // Every row checks the wave first, so a bad value shows in each of them.
  if (!rows.empty() && shore::isInvalidWave(rows.front().error)) {
    outcome.status = kUnusable;
    outcome.diagnostic = report::errorText(rows.front().error, language);
    return outcome;
  }
  if (const shore::Error bad = shore::checkTransport(params); bad != shore::Error::None) {
    outcome.status = kUnusable;
    outcome.diagnostic = std::string(optionOf(bad)) + ": " + report::errorText(bad, language);
    return outcome;
  }

  std::vector<std::string> header(report::kCompareHeader.begin(), report::kCompareHeader.end());
  if (warnings) header.emplace_back(kWarningsColumn);
  outcome.csv = formatRecord(header);
  for (const shore::ComparisonRow& row : rows) {
    const auto cells = report::compareRow(row, language);
    std::vector<std::string> line(cells.begin(), cells.end());
    if (warnings) line.push_back(std::to_string(row.warnings.bits));
    outcome.csv += formatRecord(line);
    if (row.error != shore::Error::None) outcome.status = kSomeFailed;
  }
  return outcome;
}

}  // namespace saiha::cli
