// Every model on one wave as CSV, for `saiha-calc compare`.
#pragma once

#include <string>
#include <string_view>

#include "cli/csv_format.h"
#include "cli/csv_reader.h"
#include "cli/rows.h"
#include "report/language.h"
#include "report/profile_table.h"
#include "shore/comparison.h"

namespace saiha::cli {

struct CompareOutcome {
  // 0: every row computed; 1: some row carries an error in its error cell
  // (every row is written); 2: a bad input value or transport parameter
  // (nothing written).
  int status = 0;
  std::string csv;         // header and one row per model
  std::string diagnostic;  // one line when nothing is written
  RowCounts counts;             // data rows, those with warnings ("breaker,shoaling")
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
                          report::Language language = report::Language::Japanese,
                          report::Digits digits = report::Digits::Full);

// The transport parameters' fault as the one line saiha-calc writes: the
// option that holds the parameter ("--K", "--rho", "--rho-s", "--porosity")
// and the window's message; empty when every parameter can be used.
std::string transportDiagnostic(const shore::TransportParams& params,
                                report::Language language = report::Language::Japanese);

// The rows of `saiha-calc compare FILE`, for runStream: the header names Ho,
// T, alpha0 and n (any order, each once); every column, those four among
// them, is copied in its place, then the cells of compareCsv.  One output
// row per wave and model, in the order of compareCsv, under `params` (which
// the caller has checked: transportDiagnostic) and `basis`; with
// `warnings`, a last column "warnings" with each row's shore::Warning bits
// and kTextAfterNumberWarning.  A record whose field count is not the
// header's is not computed: its fields are echoed by position as far as the
// header goes, each model row keeps its names, its results are empty and
// its error cell says that the field count is wrong; under
// `format.strict` a number cell with text after its number fails the same
// way with report::trailingTextText.  Errors in `language`; the cells in
// `format` (the run's: RunOptions::format).
class CompareTable : public Table {
 public:
  CompareTable(const shore::TransportParams& params,
               shore::HeightBasis basis = shore::HeightBasis::Regular, bool warnings = false,
               report::Language language = report::Language::Japanese,
               const CsvFormat& format = {}, report::Digits digits = report::Digits::Full);
  // Columns besides the inputs pass through; a result's name is refused.
  void readHeader(const Record& header) override;
  report::Usage expectedColumns() const override { return kExpected; }
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr,
                 std::uint32_t* warningBits = nullptr) const override;

  static constexpr report::Usage kExpected = report::Usage::ColumnsCompare;

 private:
  shore::TransportParams params_;
  shore::HeightBasis basis_;
  bool warnings_;
  report::Language language_;
  CsvFormat format_;
  report::Digits digits_;
  HeaderColumns columns_;
};

}  // namespace saiha::cli
