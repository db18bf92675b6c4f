// What happens at the shoreline as CSV, for `saiha-calc shore`.
#pragma once

#include "cli/rows.h"
#include "report/language.h"
#include "report/profile_table.h"

#include <optional>
#include <string>
#include <vector>

#include "shore/shoreline.h"

namespace saiha::cli {

struct ShorelineOutcome {
  // 0: every quantity computed; 1: some could not be (every row is written,
  // empty where not reached; the message is in `notes`); 2: a bad input
  // value or runup option (nothing written).
  int status = 0;
  std::string csv;                 // header and one row per quantity
  // The message of a quantity not reached.
  std::vector<std::string> notes;
  std::string diagnostic;          // one line when nothing is written
  RowCounts counts;                // quantities, those with warnings (by name)
};

// The shoreline quantities of `wave` under `model` (shore::shoreline; no
// model: the empirical breaking point, shore::empiricalShoreline) as CSV
// text: the header of report::kShorelineHeader, with `warnings` a last
// column "warnings" holding each quantity's shore::Warning bits, then one
// row per quantity.  A bad Ho, T, αo or n gives the window's message; a bad
// runup input the option that holds it ("--runup-H0", "--runup-Tp",
// "--beta-f") and its message.
ShorelineOutcome shorelineCsv(const shore::Wave& wave, const std::optional<shore::Model>& model,
                              const shore::RunupInput& runup, bool warnings = false,
                              report::Language language = report::Language::Japanese,
                              report::Digits digits = report::Digits::Full);

}  // namespace saiha::cli
