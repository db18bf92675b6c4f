// Random waves across a measured profile as CSV, for `saiha-calc transform`:
// the profile file, and a table of sea conditions computed a chunk at a time
// by the energy balance (shore::transform over many conditions).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/rows.h"
#include "report/bed_profile.h"
#include "report/language.h"
#include "shore/transform.h"

namespace saiha::cli {

// A profile as read from its CSV file (report/bed_profile.h, the reader
// every face shares): x and z of each point, and the texts of their cells as
// the file gives them (copied to the long form's rows).
using BedProfileData = report::BedProfileText;
inline shore::BedProfile viewOf(const BedProfileData& profile) { return {profile.x, profile.z}; }

// What the rows of a condition hold.
enum class TransformForm {
  Long,     // one row per profile point
  At,       // one row per position of --at, interpolated
  Summary,  // one row: breaking onset, maximum setup, shoreline and runup
};

struct TransformSetup {
  shore::TransformOptions model;
  double windStress = 0;  // alongshore wind stress of every condition (N/m²), without the column
  TransformForm form = TransformForm::Long;
  std::vector<double> at;  // the positions of TransformForm::At (m), within the profile
  Precision precision = Precision::Shown;
  report::Language language = report::Language::Japanese;
  bool warnings = false;
  CsvFormat format;
};

// The input columns: the period, the direction, one of the two heights, the
// tide (optional; the still-water level above the datum, m) and the
// alongshore wind stress (optional; N/m², positive in the direction the
// waves travel alongshore, the sign of theta0).
inline constexpr std::array<std::string_view, 6> kTransformInputs = {
    "Tp", "theta0", "Hrms0", "Hm0", "tide", "wind_stress"};
inline constexpr std::array<std::string_view, 12> kTransformLongHeader = {
    "x", "z", "h", "eta", "Hrms", "Hm0", "H13", "H2", "Qb", "theta", "V", "error"};
inline constexpr std::array<std::string_view, 8> kTransformSummaryHeader = {
    "x_breaking", "h_breaking", "eta_max", "x_shoreline", "runup_H0", "beta_f", "R2", "error"};

// A record's sea condition from the columns of kTransformInputs that
// `columns` (a header read against them) places, each cell read as the
// window reads its box in `format`: empty, with the condition (its wind
// stress from the wind_stress column where there is one, else untouched) and in `bits` kTextAfterNumberWarning for a cell read
// as its leading number; or the message that stops the record (its field
// count, under --strict a cell with text after its number).
std::string readCondition(const HeaderColumns& columns, std::span<const std::string_view> fields,
                          const CsvFormat& format, report::Language language,
                          shore::SeaCondition& condition, std::uint32_t& bits);

// The conditions of `saiha-calc transform FILE` on one profile: the header
// names Hrms0 (or Hm0 = √2·Hrms0), Tp, theta0 and optionally tide; every
// other column passes through, in its order, before the results.  The
// condition's own columns are not repeated (an Hm0 column would meet the
// results' Hm0).  A condition that fails (its cells, its field count, the
// engine) keeps all its rows, with its message in every error cell.
class TransformTable : public Table {
 public:
  // `profile` must outlive the table.
  TransformTable(const BedProfileData& profile, TransformSetup setup);

  void readHeader(const Record& header) override;
  report::Usage expectedColumns() const override { return kExpected; }
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr,
                 std::uint32_t* warningBits = nullptr) const override;
  void appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                  Failures& failures) const override;
  // Input read per chunk (bytes): at most 4 KiB, fewer the more rows each
  // condition writes, so that a chunk's output stays a few megabytes.
  std::size_t blockBytes() const override;

  // One condition given as numbers (the options of the one-condition form),
  // its rows appended to `out`; the header as for a file with the inputs
  // alone.  Returns the engine's result.
  shore::TransformResult appendCondition(const shore::SeaCondition& condition,
                                         std::string& out) const;

  static constexpr report::Usage kExpected = report::Usage::ColumnsTransform;
  // A header naming wind_stress is refused (--wind-stress gives every
  // condition's).
  void refuseWindColumn() { refuseWind_ = true; }

 private:
  struct Pending;
  // appendRows, and the warning bits of the last record in `*lastBits`.
  void compute(std::size_t count, const FieldsOf& fieldsOf, std::string& out, Failures& failures,
               std::uint32_t* lastBits) const;
  void writeRows(const Pending& pending, const shore::TransformResult* result,
                 std::string& out) const;
  void writeLong(const Pending& pending, const shore::TransformResult& r, std::string& out) const;
  void writeAt(const Pending& pending, const shore::TransformResult& r, std::string& out) const;
  void writeSummary(const Pending& pending, const shore::TransformResult& r,
                    std::string& out) const;
  char* number(char* at, double value) const;

  const BedProfileData& profile_;
  TransformSetup setup_;
  HeaderColumns columns_;
  bool haveHeader_ = false;
  std::vector<std::string> pointCells_;  // "x,z," of each point, quoted as needed
  struct AtPoint {
    std::size_t left = 0;  // the profile point at or before the position
    double weight = 0;     // of the point after it
    std::string xCell;     // the position as written, with its separator
  };
  std::vector<AtPoint> atPoints_;
  // Conditions per engine call, fewer where each takes many steps, so that
  // an interrupt is seen within a fraction of a second.
  std::size_t batch_ = 1;
  bool refuseWind_ = false;
};

}  // namespace saiha::cli
