#include "cli/shoreline_csv.h"

#include <string_view>

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/rows.h"
#include "report/messages.h"
#include "report/shoreline_table.h"

namespace saiha::cli {

namespace {

// The command-line option that holds the runup input an error names, or
// nothing for any other error.
std::string_view optionOf(shore::Error code) {
  switch (code) {
    case shore::Error::InvalidRunupHeight: return "--runup-H0";
    case shore::Error::InvalidRunupPeriod: return "--runup-Tp";
    case shore::Error::InvalidForeshoreSlope: return "--beta-f";
    default: return {};
  }
}

}  // namespace

ShorelineOutcome shorelineCsv(const shore::Wave& wave, const std::optional<shore::Model>& model,
                              const shore::RunupInput& runup, bool warnings,
                              report::Language language, report::Digits digits) {
  ShorelineOutcome outcome;
  const shore::Shoreline s = model ? shore::shoreline(wave, *model, runup)
                                   : shore::empiricalShoreline(wave, runup);
  if (shore::isInvalidWave(s.breaking.error)) {
    outcome.status = kUnusable;
    outcome.diagnostic = report::errorText(s.breaking.error, language);
    return outcome;
  }
  if (const std::string_view option = optionOf(s.runup.error); !option.empty()) {
    outcome.status = kUnusable;
    outcome.diagnostic = std::string(option) + ": " + report::errorText(s.runup.error, language);
    return outcome;
  }

  std::vector<std::string> header(report::kShorelineHeader.begin(),
                                  report::kShorelineHeader.end());
  if (warnings) header.emplace_back(kWarningsColumn);
  outcome.csv = formatRecord(header);
  const std::vector<report::ShorelineRow> rows = report::shorelineTable(s, digits);
  for (const report::ShorelineRow& row : rows) {
    std::vector<std::string> line(row.cells.begin(), row.cells.end());
    if (warnings) line.push_back(std::to_string(row.warnings.bits));
    outcome.csv += formatRecord(line);
    outcome.counts.add(row.warnings.any(), [&] { return row.cells[0]; });
  }
  if (const shore::Error e = report::firstError(s); e != shore::Error::None) {
    outcome.status = kSomeFailed;
    outcome.notes.push_back(report::errorText(e, language));
  }
  return outcome;
}

}  // namespace saiha::cli
