#include "cli/profile_csv.h"

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/rows.h"
#include "runtime/text.h"
#include "report/messages.h"
#include "report/profile_table.h"

namespace saiha::cli {

ProfileOutcome profileCsv(const shore::Wave& wave, const shore::ProfileOptions& options,
                          const shore::Model& model, report::Language language,
                          bool warnings, report::Digits digits) {
  ProfileOutcome outcome;
  const shore::Profile profile = shore::profile(wave, options, model);
  if (!profile.breaking.ok()) {
    // A bad value is the user's to mend (2); a wave whose breaking point the
    // searches cannot find is a result of the calculation (1).
    outcome.status = shore::isInvalidWave(profile.breaking.error) ? kUnusable : kSomeFailed;
    outcome.diagnostic = report::errorText(profile.breaking.error, language);
    return outcome;
  }
  if (!profile.ok()) {
    // The breaking point was found, so the options made the range unusable.
    outcome.status = kUnusable;
    outcome.diagnostic = report::usageText(report::Usage::NoStations,
                                           {std::to_string(shore::kMaxStations)}, language);
    return outcome;
  }

  std::vector<std::string> header(report::kProfileHeader.begin(), report::kProfileHeader.end());
  if (warnings) header.emplace_back(kWarningsColumn);
  outcome.csv = formatRecord(header);
  std::vector<std::string> cells;
  for (const shore::Station& station : profile.stations) {
    const auto row = report::profileRow(station, digits);
    cells.assign(row.begin(), row.end());
    const std::uint32_t bits = profile.breaking.warnings.bits | station.state.warnings.bits;
    if (warnings) cells.push_back(std::to_string(bits));
    outcome.csv += formatRecord(cells);
    outcome.counts.add(bits != 0, [&] { return "h=" + rt::formatShortest(station.state.h); });
    if (!station.state.ok()) {
      outcome.status = kSomeFailed;
      outcome.stationErrors.push_back(
          report::usageText(report::Usage::StationAt, {rt::formatShortest(station.state.h)},
                            language) +
          report::stationError(station, language));
    }
  }
  return outcome;
}

}  // namespace saiha::cli
