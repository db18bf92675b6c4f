// One row of saiha-calc: the texts of the five input columns computed as one
// case, as the window computes its boxes, and written as one CSV line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv_format.h"
#include "cli/csv_reader.h"
#include "report/case.h"
#include "report/language.h"
#include "shore/engine.h"
#include "shore/model_choice.h"

namespace saiha::cli {

// The output header: the five inputs, the twelve results in the order the
// calculation writes them, and the error text.
inline constexpr std::array<std::string_view, 18> kOutputHeader = {
    "Ho",       "T",        "alpha0",    "n",         "h",         "Hb",
    "hb",       "gamma",    "theta_b",   "L",         "theta",     "C",
    "H",        "a_bottom", "u_bottom",  "a_surface", "u_surface", "error"};
// The output header of rows of `layout`: the header's columns in their
// places (see Layout::slots), then the results and the error text; for the
// five input columns alone, kOutputHeader.  With `units`, each input and
// result named with its unit ("Hb [m]"); the columns passed through keep
// their names.
std::vector<std::string> outputHeader(const Layout& layout, bool units = false);

// How results are written: `Shown` as the window shows them (two decimals),
// `Full` as the shortest text that reads back as the same single.
enum class Precision { Shown, Full };

// The output cells of one record appended to `out` as one CSV line, under
// `model` (the default one gives the window's results): the inputs, with h
// as the depth box reads after the calculation (an absent h column is an
// empty depth box); each result the calculation reached, empty for those it
// did not reach; and the error text, empty when every result was reached.
// Each cell is read as the window reads its box; the other columns of the
// record are copied in their places.  Returns whether the row computed, and
// when it did not, its error text in `*error` (if given); the bits of its
// warnings cell in `*warningBits` (if given), whether or not the cell is
// written.
//
// A record whose field count differs from the header's is not computed: its
// fields may have shifted (an unquoted "1,5"), so it fails with its own error
// text and its inputs are echoed by position as far as they go.
//
// With `warnings`, a last cell holds the breaking point's shore::Warning bits
// as a decimal number, with kTextAfterNumberWarning for a number cell read as
// its leading number (0 for none, and for a row whose inputs were refused).
// `format` gives the separator and the decimal mark (CsvFormat); with its
// `strict`, a number cell with text after its number fails the row with
// report::trailingTextText naming the first such column, no result computed.
// `computed`, where given, is the record's case under `model`, computed
// beforehand (with many rows side by side: shore::findBreaking over a span of
// waveOf's waves, then report::calcCases at the depths its h cells give).
bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model = {},
               bool warnings = false, const report::CaseResult* computed = nullptr,
               report::Language language = report::Language::Japanese,
               std::string* error = nullptr, const CsvFormat& format = {},
               std::uint32_t* warningBits = nullptr);

// The wave of a record of the header's width, each cell read as the window
// reads its box (with ',' as the decimal mark when `decimalComma`).
shore::Wave waveOf(const Layout& layout, std::span<const std::string_view> fields,
                   bool decimalComma = false);

// The message of an input the engine refused whose cell holds a number
// beyond single precision or an infinity ("1e39", "inf"), which the
// engine's own message ("enter a number greater than 0") would not describe:
// report::beyondSingleText naming the column, or for the depth
// report::depthTooLargeText.  Empty where the engine's message stands.
// `cells` are the texts of Ho, T, alpha0, n and (where there is one) h.
std::string beyondSingleMessage(shore::Error error, std::span<const std::string_view> cells,
                                bool decimalComma, report::Language language);

// The column of the warning bits, after the error text.
inline constexpr std::string_view kWarningsColumn = "warnings";

// The rows of a one-wave table and those of them with warnings, for the
// line "N of M rows carry warnings (first: …)".
struct RowCounts {
  std::uint64_t rows = 0;
  std::uint64_t warned = 0;
  std::string firstWarned;  // what names the first of them: "h=1.5", "R2" …
  // Counts one row; `name()` is called for the first row with warnings only.
  template <class Name>
  void add(bool hasWarnings, const Name& name) {
    ++rows;
    if (hasWarnings && warned++ == 0) firstWarned = name();
  }
};

// The warnings column's bit for a row some number cell of which has text
// after its number ("12 m", "10s", "1,5" in quotes) and was read as that
// leading number, as the window reads its box: the result stands, but the
// cell may not say what was meant.  Above the engine's shore::Warning bits,
// which count up from 1, so the two never meet.
inline constexpr std::uint32_t kTextAfterNumberWarning = 0x80;

// Whether any of `cells` has text after its number (report::readCell); the
// index of the first that has, or nothing.
std::optional<std::size_t> firstTextAfterNumber(std::span<const std::string_view> cells,
                                                bool decimalComma);

// What a streaming run reads and writes: the header it expects, the header
// it writes, and one output line per input record.
class Table {
 public:
  // Fills `fields` with the fields of record i of a chunk.
  using FieldsOf = std::function<void(std::size_t i, std::vector<std::string_view>& fields)>;

  virtual ~Table() = default;
  // Reads the input's header record; throws InputError when it does not
  // name the columns.
  virtual void readHeader(const Record& header) = 0;
  // The columns the header must name, for the message of an empty input.
  virtual report::Usage expectedColumns() const { return report::Usage::ColumnsCalc; }
  virtual std::vector<std::string> outputHeader() const = 0;
  // Input bytes read per chunk of rows; 0 for the run's own (RunOptions).
  // A table whose records each write many rows asks for fewer of them.
  virtual std::size_t blockBytes() const { return 0; }
  // The rows of a chunk that failed: how many, and the first one's record
  // index and message; and the rows with warnings: how many, and the first.
  struct Failures {
    std::size_t count = 0;
    std::size_t first = 0;
    std::string message;
    std::size_t warned = 0;
    std::size_t firstWarned = 0;
    void add(std::size_t i, std::string& error) {
      if (count++ == 0) {
        first = i;
        message = std::move(error);
      }
    }
    void addWarned(std::size_t i) {
      if (warned++ == 0) firstWarned = i;
    }
  };
  // Appends the output line of one record to `out`; returns whether the row
  // computed, and puts its message in `error` where it did not and the bits
  // of its warnings in `warningBits` (0 for none; the same bits the warnings
  // column holds, whether or not it is written).  Called from several
  // threads at once, after readHeader.
  virtual bool appendRow(std::span<const std::string_view> fields, std::string& out,
                         std::string* error = nullptr,
                         std::uint32_t* warningBits = nullptr) const = 0;
  // Appends the output lines of `count` records, in their order, and counts
  // those that failed.  One by one through appendRow, unless a table does
  // part of the work for all of them at once.
  virtual void appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                          Failures& failures) const;

  // With --units the columns the table reads or computes are named with
  // their units ("Hb [m]", report/units.h) in outputHeader; the columns
  // passed through keep their names.
  void setUnits(bool units) { units_ = units; }

 protected:
  bool units() const { return units_; }
  // A column of the table's own as its header names it.
  std::string ownName(std::string_view name) const;
  // The mode whose own units the columns take ("caisson": P is a force).
  void setUnitsMode(std::string_view mode) { unitsMode_ = mode; }

 private:
  bool units_ = false;
  std::string_view unitsMode_;
};

// The cases of the calculation window (kOutputHeader, appendRow above); a
// chunk's breaking points are found side by side.  `format` is the run's
// (RunOptions::format): the header and the rows are read and written in it.
class CaseTable : public Table {
 public:
  CaseTable(Precision precision, const shore::Model& model, bool warnings,
            report::Language language = report::Language::Japanese,
            const CsvFormat& format = {})
      : precision_(precision),
        model_(model),
        warnings_(warnings),
        language_(language),
        format_(format) {}
  // Columns besides the inputs pass through; a result's name is refused.
  void readHeader(const Record& header) override;
  std::vector<std::string> outputHeader() const override;
  bool appendRow(std::span<const std::string_view> fields, std::string& out,
                 std::string* error = nullptr,
                 std::uint32_t* warningBits = nullptr) const override {
    return cli::appendRow(layout_, fields, precision_, out, model_, warnings_, nullptr, language_,
                          error, format_, warningBits);
  }
  void appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                  Failures& failures) const override;

 private:
  Layout layout_;
  Precision precision_;
  shore::Model model_;
  bool warnings_;
  report::Language language_;
  CsvFormat format_;
};

}  // namespace saiha::cli
