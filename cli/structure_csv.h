// The structure formulas as CSV, for `saiha-calc caisson`, `overtopping` and
// `armour`: one structure (or one wave at one structure) per row, and for
// `overtopping --profile` the hindcast chain over a measured profile, one
// condition per row.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/rows.h"
#include "cli/transform_csv.h"
#include "report/language.h"
#include "shore/engine.h"
#include "structure/armour.h"
#include "structure/chain.h"

namespace saiha::cli {

// What one row computed: its result cells (in the order of the kind's
// results), its code and its warnings.
struct StructureOutcome {
  std::vector<std::string> cells;
  shore::Error error = shore::Error::None;
  shore::Warnings warnings;
};

// A formula's table: the columns every row must have, those a row may have
// (each else taken from its option or its default), the results it writes,
// and the computation of one row from the numbers of its inputs and
// settings, in the order of the two lists.
struct StructureKind {
  std::span<const std::string_view> inputs;
  std::span<const std::string_view> settings;
  std::span<const std::string_view> results;
  // Per setting: the value when neither a column nor an option gives it;
  // nothing for a setting that must be given (the seabed slope n).  NaN
  // stands for "not given" where the formula takes that (H2%, h).
  std::vector<std::optional<double>> defaults;
  // The option that gives each setting for every row ("--n"), for messages.
  std::vector<std::string> optionNames;
  std::function<StructureOutcome(std::span<const double> values, Precision precision)> compute;
  report::Usage expected{};  // the columns its header must name
  std::string_view mode;     // "caisson", "overtopping", "armour": its units' table
};

// The rows of a structure kind: the header names every input (any order,
// each once) and any of the settings; every other column passes through in
// its place.  Each output line holds the input line's cells in their places,
// then the results, the error text (empty when the row computed) and, with
// `warnings`, the shore::Warning bits (and kTextAfterNumberWarning).  A
// setting's column wins over its default; an empty cell in it takes the
// option's value or the default.  Cells are read as the window reads its
// boxes, in `format`.
class StructureTable : public Table {
 public:
  // `constants`: per setting the value its option gave, if any.
  StructureTable(StructureKind kind, std::vector<std::optional<double>> constants,
                 Precision precision, report::Language language, bool warnings,
                 const CsvFormat& format);
  // Throws InputError for a missing input, a setting given both as a column
  // and as an option, a required setting given neither way, or a result's name.
  void readHeader(const Record& header) override;
  report::Usage expectedColumns() const override { return kind_.expected; }
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr,
                 std::uint32_t* warningBits = nullptr) const override;

 private:
  StructureKind kind_;
  std::vector<std::optional<double>> constants_;
  Precision precision_;
  report::Language language_;
  bool warnings_;
  CsvFormat format_;
  HeaderColumns columns_;
};

// A result as a cell in the run's precision: empty when not reached.
std::string structureCell(float value, Precision precision);

// The kinds of saiha-calc caisson, overtopping and armour, with the
// choices of their options.
StructureKind caissonKind(bool impulsive, double requiredSafety);
StructureKind overtoppingKind(structure::Structure structure, structure::Approach approach,
                              bool foreshore, bool permeableCore);
StructureKind armourKind(structure::ArmourMethod method);

// The chain's rows: the conditions of `saiha-calc transform FILE` (Hrms0 or
// Hm0, Tp, theta0, optionally tide) on one profile, one output row per
// condition: its pass-through columns, then report::kChainResultHeader, the
// error text and, with `warnings`, the bits.  With `summary`, each row is
// written as the summary's reader (ChainSummaryReader) takes it instead.
struct ChainSetup {
  structure::ChainOptions options;
  shore::TransformOptions model;
  double windStress = 0;
  bool summary = false;
  Precision precision = Precision::Shown;
  report::Language language = report::Language::Japanese;
  bool warnings = false;
  CsvFormat format;
};

class ChainTable : public Table {
 public:
  ChainTable(const BedProfileData& profile, ChainSetup setup);
  void readHeader(const Record& header) override;
  report::Usage expectedColumns() const override { return TransformTable::kExpected; }
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr,
                 std::uint32_t* warningBits = nullptr) const override;
  void appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                  Failures& failures) const override;
  // About a hundred conditions per chunk: two threads evenly loaded.
  std::size_t blockBytes() const override { return 4096; }

 private:
  const BedProfileData& profile_;
  ChainSetup setup_;
  HeaderColumns columns_;
};

// The summary of a chain's rows as they arrive in order (the lines the
// summary form of ChainTable writes): the exceedances of each limit, the
// largest q and the pass-through cells of its row.
class ChainSummaryReader {
 public:
  // `passThrough`: the names of the conditions' pass-through columns, whose
  // cells are split by `delimiter`.
  ChainSummaryReader(std::span<const double> limits, std::vector<std::string> passThrough,
                     char delimiter = ',');
  // Bytes of the run's output, in order; the first line is the header.
  void take(std::string_view bytes);
  // The summary as CSV (RFC 4180): quantity,value,unit; conditions,
  // computed, failed, above_<limit> per limit (conditions: hours for hourly
  // ones), q_max (m³/s per m), q_max_row (its data row, from 1) and
  // q_max_<column> for each pass-through column (its time...).
  std::string csv() const;

 private:
  void line(std::string_view text);
  structure::ChainSummary summary_;
  std::vector<std::string> passThrough_;
  char delimiter_;
  std::string pending_;
  bool header_ = true;
  std::size_t index_ = 0;
  std::string maxCells_;  // the pass-through cells of the largest q's row
};

}  // namespace saiha::cli
