// Every model on one wave as CSV, for `saiha-calc compare`.
#pragma once

#include <string>

#include "report/language.h"
#include "shore/comparison.h"

namespace saiha::cli {

struct CompareOutcome {
  // 0: every row computed; 1: some row carries an error in its error cell
  // (every row is written); 2: a bad input value or transport parameter
  // (nothing written).
  int status = 0;
  std::string csv;         // header and one row per model
  std::string diagnostic;  // one line when nothing is written
};

// The comparison of `wave` (shore::compare) as CSV text: the header of
// report::kCompareHeader, then every breaker limit with each shoaling rule and
// the empirical row, numbers as the shortest text that reads back as the
// same single, an error cell with the window's message.  A bad Ho, T, αo or
// n gives the window's message; a bad transport parameter gives the option
// that holds it ("--K", "--rho", "--rho-s", "--porosity") and the window's
// message.
// With `warnings`, a last column "warnings" holds each row's shore::Warning
// bits; `basis` Significant feeds Goda's H1/3 at each row's hb instead of Hb.
CompareOutcome compareCsv(const shore::Wave& wave, const shore::TransportParams& params,
                          bool warnings = false,
                          shore::HeightBasis basis = shore::HeightBasis::Regular,
                          report::Language language = report::Language::Japanese);

}  // namespace saiha::cli
