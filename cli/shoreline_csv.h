// What happens at the shoreline as CSV, for `saiha-calc shore`.
#pragma once

#include "report/language.h"

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
  std::vector<std::string> notes;  // the message of a quantity not reached
  std::string diagnostic;          // one line when nothing is written
};

// The shoreline quantities of `wave` under `model` (shore::shoreline) as CSV
// text: the header of report::kShorelineHeader, then one row per quantity.
// A bad Ho, T, αo or n gives the window's message; a bad runup input the
// option that holds it ("--runup-H0", "--runup-Tp", "--beta-f") and its
// message.
ShorelineOutcome shorelineCsv(const shore::Wave& wave, const shore::Model& model,
                              const shore::RunupInput& runup,
                              report::Language language = report::Language::Japanese);

}  // namespace saiha::cli
