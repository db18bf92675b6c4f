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
// (any order, each once, nothing else); each output line holds those four
// cells as given, then Ks, H13, Hmax and the error text (empty when the row
// computed).  Cells are read as the window reads its boxes.
class RandomTable : public Table {
 public:
  RandomTable(Precision precision, report::Language language = report::Language::Japanese)
      : precision_(precision), language_(language) {}
  void readHeader(const Record& header) override;
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr) const override;

 private:
  Precision precision_;
  report::Language language_;
  std::array<std::size_t, 4> position_{};
  std::size_t width_ = 0;
};

// One sea's profile (shore::randomProfile) as CSV: the header of
// report::kRandomProfileHeader, then the stations seaward end first, numbers
// as the shortest text that reads back as the same single.  Statuses as
// profileCsv's.
ProfileOutcome randomProfileCsv(double H0p, double T13, double n,
                                const shore::ProfileOptions& options);

}  // namespace saiha::cli
