// Every model on one wave as CSV, for `saiha-calc compare`.
#pragma once

#include <string>
#include <string_view>

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
  std::size_t rows = 0;        // data rows written
  std::size_t failedRows = 0;  // rows with an error cell
  std::string firstFailure;    // "breaker,shoaling: message" of the first of them
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

// The comparison of every wave of a CSV text (columns Ho, T, alpha0, n; h
// and any other column passed through): one row per wave and model, the
// wave's columns as given in their order first, then the cells of
// compareCsv.  A wave that cannot be used, or a row whose field count is
// not the header's, fills the error cells of its rows (status 1).  Text that
// is not CSV, a header saiha-calc refuses or a bad transport parameter:
// status 2 and the one-line reason, nothing written.
CompareOutcome compareFileCsv(std::string_view text, const shore::TransportParams& params);

}  // namespace saiha::cli
