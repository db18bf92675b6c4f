// The cross-shore profile as CSV, for `saiha-calc profile`.
#pragma once

#include <string>
#include <vector>

#include "cli/rows.h"
#include "report/language.h"
#include "report/profile_table.h"
#include "shore/engine.h"

namespace saiha::cli {

struct ProfileOutcome {
  // 0: every station computed; 1: some station could not be computed (its row
  // is written with empty cells, its message is among `stationErrors`), or
  // the breaking point was not found (nothing written); 2: a bad input value
  // or option (nothing written).
  int status = 0;
  std::string csv;                         // header and one row per station
  std::vector<std::string> stationErrors;  // "station at h=…: message", one per line
  std::string diagnostic;                  // one line when nothing is written
  RowCounts counts;                        // stations, those with warnings ("h=…")
};

// The profile of `wave` under `model` (shore::profile) as CSV text: the
// header of report::kProfileHeader, then the stations from the seaward end to
// the shoreline with the onset and breaking stations in their places,
// numbers as the shortest text that reads back as the same single.  With
// `warnings`, a last column "warnings" holds each station's shore::Warning
// bits: the breaking point's (the model's range) and the station's own
// (HeightAboveDepth).
ProfileOutcome profileCsv(const shore::Wave& wave, const shore::ProfileOptions& options,
                          const shore::Model& model = {},
                          report::Language language = report::Language::Japanese,
                          bool warnings = false, report::Digits digits = report::Digits::Full);

}  // namespace saiha::cli
