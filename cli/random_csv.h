// Goda's random-wave heights as CSV, for `saiha-calc random`: a file of seas
// and depths row by row, or one sea's profile.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/profile_csv.h"
#include "cli/rows.h"
#include "report/language.h"
#include "shore/engine.h"

namespace saiha::cli {

// The rows of `saiha-calc random FILE`: the header names H0p, T13, n and h
// (any order, each once); any other column (an id, a time...) passes through
// in its place, as in the FILE mode of the regular waves.  Each output line
// holds the header's columns (the four inputs in the order H0p, T13, n, h in
// the places they take), then Ks, H13, Hmax and the error text (empty when
// the row computed).  Cells are read as the window reads its boxes, in
// `format` (the run's: RunOptions::format).  With `warnings`, a last column
// "warnings" holds the row's shore::Warning bits (the slope outside 1/10 to
// 1/100, a height above the depth, h/H0′ below Goda's diagrams, Ks not
// formed) and kTextAfterNumberWarning; 0 for a row whose inputs were
// refused.  An empty or bad depth has a
// message of its own: a random sea has no default depth.
class RandomTable : public Table {
 public:
  RandomTable(Precision precision, report::Language language = report::Language::Japanese,
              bool warnings = false, const CsvFormat& format = {})
      : precision_(precision), language_(language), warnings_(warnings), format_(format) {}
  // Columns besides the inputs pass through; a result's name is refused.
  void readHeader(const Record& header) override;
  report::Usage expectedColumns() const override { return kExpected; }
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr,
                 std::uint32_t* warningBits = nullptr) const override;

  static constexpr report::Usage kExpected = report::Usage::ColumnsRandom;

 private:
  Precision precision_;
  report::Language language_;
  bool warnings_;
  CsvFormat format_;
  HeaderColumns columns_;
};

// One sea's profile (shore::randomProfile) as CSV: the header of
// report::kRandomProfileHeader, then the stations seaward end first, numbers
// as the shortest text that reads back as the same single; with
// `warnings`, a last column "warnings" of each station's shore::Warning
// bits.  Statuses as profileCsv's.
ProfileOutcome randomProfileCsv(double H0p, double T13, double n,
                                const shore::ProfileOptions& options,
                                report::Language language = report::Language::Japanese,
                                bool warnings = false, report::Digits digits = report::Digits::Full);

}  // namespace saiha::cli
