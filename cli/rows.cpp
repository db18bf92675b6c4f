// One row of saiha-calc: an input record's cells read as the sheet reads
// its boxes, the case computed, and the output cells as CSV text.
#include "cli/rows.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "report/case.h"
#include "report/csv_text.h"
#include "report/messages.h"
#include "report/units.h"
#include "runtime/text.h"

namespace saiha::cli {

namespace {

// A depth that reads as a number > 0 but has no single-precision value.
bool depthTooLarge(double depth) { return depth > std::numeric_limits<float>::max(); }

// The five input columns alone, in their order.
constexpr std::array<Layout::Slot, kColumnCount> kInputSlots = {
    Layout::Slot{Column::Ho}, Layout::Slot{Column::T}, Layout::Slot{Column::alpha0},
    Layout::Slot{Column::n}, Layout::Slot{Column::h}};

std::span<const Layout::Slot> slotsOf(const Layout& layout) {
  if (layout.slots.empty()) return kInputSlots;
  return layout.slots;
}

// The cell of `column` in a record's fields; empty where the column is
// absent or the record too short.
std::string_view cellOf(const Layout& layout, std::span<const std::string_view> fields,
                        Column column) {
  const auto& position = layout.position[static_cast<std::size_t>(column)];
  return position && *position < fields.size() ? fields[*position] : std::string_view();
}

// One output row as a CSV line.  The cells gather in a line buffer that goes
// to `out` in one append, the results written straight into it, so that a
// row costs no string per cell; a cell that needs quotes or is too long for
// the buffer goes to `out` on its own.
class RowWriter {
 public:
  // The cell at index `errorCell` is the error text, copied to `*error`
  // (where given) when not empty.
  RowWriter(std::string& out, Precision precision, std::size_t errorCell, std::string* error,
            const CsvFormat& format = {})
      : out_(out),
        precision_(precision),
        errorCell_(errorCell),
        error_(error),
        delimiter_(format.delimiter),
        decimalComma_(format.decimalComma) {}
  RowWriter(const RowWriter&) = delete;
  RowWriter& operator=(const RowWriter&) = delete;

  void text(std::string_view cell) {
    if (index_ == errorCell_ && error_ != nullptr && !cell.empty()) error_->assign(cell);
    separate();
    if (cell.size() > kMaxBuffered || report::csvNeedsQuotes(cell, delimiter_)) {
      flush();
      report::appendCsvField(out_, cell, delimiter_);
      return;
    }
    makeRoom(cell.size());
    std::copy(cell.begin(), cell.end(), line_.data() + used_);
    used_ += cell.size();
  }
  // A result in the run's precision.
  void result(float value) {
    separate();
    makeRoom(rt::kMaxResultChars);
    char* const at = line_.data() + used_;
    char* const end = precision_ == Precision::Full ? rt::writeShortest(at, value)
                                                    : rt::writeResult(at, value);
    mark(at, end);
  }
  // A value as the window shows it (two decimals), whatever the precision.
  void shown(float value) {
    separate();
    makeRoom(rt::kMaxResultChars);
    char* const at = line_.data() + used_;
    mark(at, rt::writeResult(at, value));
  }
  // Ends the line and hands it to `out`.
  void end() {
    makeRoom(1);
    line_[used_++] = '\n';
    flush();
  }

 private:
  static constexpr std::size_t kMaxBuffered = 128;  // a longer cell bypasses the buffer

  void separate() {
    if (index_++ == 0) return;
    makeRoom(1);
    line_[used_++] = delimiter_;
  }
  // A number just written from `at` to `end`, with the run's decimal mark.
  void mark(char* at, char* end) {
    if (decimalComma_) std::replace(at, end, '.', ',');
    used_ = static_cast<std::size_t>(end - line_.data());
  }
  void makeRoom(std::size_t size) {
    if (used_ + size > line_.size()) flush();
  }
  void flush() {
    out_.append(line_.data(), used_);
    used_ = 0;
  }

  std::string& out_;
  Precision precision_;
  std::size_t errorCell_;
  std::string* error_;
  char delimiter_;
  bool decimalComma_;
  std::size_t index_ = 0;  // cells written so far
  std::array<char, 1024> line_;
  std::size_t used_ = 0;
};

// The depth of a record of the header's width as the depth box reads it:
// nothing for an empty cell.
std::optional<double> givenDepth(const Layout& layout, std::span<const std::string_view> fields,
                                 bool decimalComma) {
  const std::string_view depth = cellOf(layout, fields, Column::h);
  if (depth.empty()) return std::nullopt;
  return decimalComma ? report::readCell(depth, true).value : report::inputNumber(depth);
}

// The number cells of a record in the order Ho, T, alpha0, n, h; an empty
// depth, which is no number, left out.
std::optional<Column> textAfterNumber(const Layout& layout, std::span<const std::string_view> fields,
                                      bool decimalComma) {
  std::array<std::string_view, kColumnCount> cells;
  std::size_t count = 0;
  for (std::size_t c = 0; c < kColumnCount; ++c) {
    const std::string_view cell = cellOf(layout, fields, static_cast<Column>(c));
    if (static_cast<Column>(c) != Column::h || !cell.empty()) cells[count++] = cell;
  }
  const auto first = firstTextAfterNumber(std::span(cells).first(count), decimalComma);
  return first ? std::optional<Column>(static_cast<Column>(*first)) : std::nullopt;
}

// The output cells of one record under `model`, written to `row` in the
// order of outputHeader(layout); returns whether the row computed.
// `computed` is the record's case where the caller computed it already.
bool computeRow(const Layout& layout, std::span<const std::string_view> fields,
                const shore::Model& model, bool warnings, RowWriter& row,
                const report::CaseResult* computed, report::Language language,
                const CsvFormat& format, std::uint32_t& warningBits) {
  const auto field = [&](std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view();
  };
  const auto cell = [&](Column column) { return cellOf(layout, fields, column); };
  constexpr std::size_t kResults = kOutputHeader.size() - kColumnCount - 1;

  if (fields.size() != layout.width) {
    for (const Layout::Slot& slot : slotsOf(layout)) {
      row.text(slot.input ? cell(*slot.input) : field(slot.field));
    }
    for (std::size_t r = 0; r < kResults; ++r) row.text(std::string_view());
    row.text(report::fieldCountText(fields.size(), layout.width, language));
    if (warnings) row.text("0");
    return false;
  }

  // A cell that says more than its number: refused under --strict, else
  // read as its leading number and flagged among the warnings.
  const std::optional<Column> wordy = textAfterNumber(layout, fields, format.decimalComma);
  if (wordy && format.strict) {
    for (const Layout::Slot& slot : slotsOf(layout)) {
      row.text(slot.input ? cell(*slot.input) : field(slot.field));
    }
    for (std::size_t r = 0; r < kResults; ++r) row.text(std::string_view());
    row.text(report::trailingTextText(kColumnNames[static_cast<std::size_t>(*wordy)],
                                      format.decimalComma, language));
    if (warnings) row.text("0");
    return false;
  }

  // Each cell read as the sheet reads its box.
  const std::string_view depth = cell(Column::h);
  const std::optional<double> given = givenDepth(layout, fields, format.decimalComma);
  std::optional<report::CaseResult> own;
  if (computed == nullptr) {
    own = report::calcCase(waveOf(layout, fields, format.decimalComma), given, model);
  }
  const report::CaseResult& r = computed != nullptr ? *computed : *own;

  for (const Layout::Slot& slot : slotsOf(layout)) {
    if (!slot.input) {
      row.text(field(slot.field));
    } else if (*slot.input != Column::h) {
      row.text(cell(*slot.input));
    } else if (!depth.empty()) {  // the depth as the depth box reads after the calculation
      row.text(depth);
    } else if (r.depthDefaulted) {
      row.shown(r.breaking.hb);
    } else {
      row.text(std::string_view());
    }
  }

  const shore::Breaking& b = r.breaking;
  const std::array<float, 4> atBreaking = b.results();
  for (int i = 0; i < 4; ++i) {
    if (i < b.reached) row.result(atBreaking[static_cast<std::size_t>(i)]);
    else row.text(std::string_view());
  }
  const std::array<float, 8> atDepth = r.state.results();
  for (int i = 0; i < 8; ++i) {
    if (i < r.state.reached) row.result(atDepth[static_cast<std::size_t>(i)]);
    else row.text(std::string_view());
  }
  const std::array<std::string_view, kColumnCount> inputs = {
      cell(Column::Ho), cell(Column::T), cell(Column::alpha0), cell(Column::n), depth};
  if (r.ok()) {
    row.text(std::string_view());
  } else if (r.error == shore::Error::InvalidDepth && given && depthTooLarge(*given)) {
    row.text(report::depthTooLargeText(language));
  } else if (const std::string beyond =
                 beyondSingleMessage(r.error, inputs, format.decimalComma, language);
             !beyond.empty()) {
    row.text(beyond);
  } else {
    row.text(report::errorText(r.error, language));
  }
  warningBits = b.warnings.bits | r.state.warnings.bits | (wordy ? kTextAfterNumberWarning : 0u);
  if (warnings) {
    char bits[16];  // a 32-bit set: up to "4294967295"
    const auto written = std::to_chars(bits, bits + sizeof bits, warningBits);
    row.text(std::string_view(bits, written.ptr));
  }
  return r.ok();
}

}  // namespace

std::string beyondSingleMessage(shore::Error error, std::span<const std::string_view> cells,
                                bool decimalComma, report::Language language) {
  std::size_t input = 0;
  switch (error) {
    case shore::Error::InvalidHeight: input = 0; break;
    case shore::Error::InvalidPeriod: input = 1; break;
    case shore::Error::InvalidAngle: input = 2; break;
    case shore::Error::InvalidSlope: input = 3; break;
    case shore::Error::InvalidDepth: input = 4; break;
    default: return {};
  }
  if (input >= cells.size() || !report::beyondSingle(cells[input], decimalComma)) return {};
  if (input == 4) return report::depthTooLargeText(language);
  return report::beyondSingleText(kColumnNames[input], language);
}

std::optional<std::size_t> firstTextAfterNumber(std::span<const std::string_view> cells,
                                                bool decimalComma) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (report::saysMoreThanNumber(cells[i], decimalComma)) return i;
  }
  return std::nullopt;
}

shore::Wave waveOf(const Layout& layout, std::span<const std::string_view> fields,
                   bool decimalComma) {
  const auto number = [&](Column column) {
    const std::string_view cell = cellOf(layout, fields, column);
    return decimalComma ? report::readCell(cell, true).value : report::inputNumber(cell);
  };
  return {number(Column::Ho), number(Column::T), number(Column::alpha0), number(Column::n)};
}

std::vector<std::string> outputHeader(const Layout& layout, bool units) {
  const auto own = [units](std::string_view name) {
    return units ? report::withUnit(name) : std::string(name);
  };
  std::vector<std::string> header;
  for (const Layout::Slot& slot : slotsOf(layout)) {
    header.push_back(slot.input ? own(kColumnNames[static_cast<std::size_t>(*slot.input)])
                                : layout.names[slot.field]);
  }
  for (auto name = kOutputHeader.begin() + kColumnCount; name != kOutputHeader.end(); ++name) {
    header.push_back(own(*name));
  }
  return header;
}

std::string Table::ownName(std::string_view name) const {
  return units_ ? report::withUnit(name, unitsMode_) : std::string(name);
}

void CaseTable::readHeader(const Record& header) {
  // A column passed through may not take the name of a result.
  std::vector<std::string_view> reserved(kOutputHeader.begin() + kColumnCount,
                                         kOutputHeader.end());
  if (warnings_) reserved.push_back(kWarningsColumn);
  layout_ = cli::readHeader(header, reserved, format_.delimiter);
}

std::vector<std::string> CaseTable::outputHeader() const {
  std::vector<std::string> header = cli::outputHeader(layout_, units());
  if (warnings_) header.emplace_back(kWarningsColumn);
  return header;
}

void Table::appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                       Failures& failures) const {
  std::vector<std::string_view> fields;
  std::string error;
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < count; ++i) {
    fieldsOf(i, fields);
    bits = 0;
    if (!appendRow(fields, out, &error, &bits)) failures.add(i, error);
    if (bits != 0) failures.addWarned(i);
  }
}

void CaseTable::appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                           Failures& failures) const {
  // The cases of the records of the header's width first, side by side
  // (their breaking points, then the states at their depths); then each row
  // from its case.
  std::vector<std::string_view> fields;
  std::vector<shore::Wave> waves;
  std::vector<std::optional<double>> depths;
  waves.reserve(count);
  depths.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    fieldsOf(i, fields);
    if (fields.size() != layout_.width) continue;
    waves.push_back(waveOf(layout_, fields, format_.decimalComma));
    depths.push_back(givenDepth(layout_, fields, format_.decimalComma));
  }
  std::vector<shore::Breaking> breakings(waves.size());
  shore::findBreaking(waves, breakings, model_);
  std::vector<report::CaseResult> cases(waves.size());
  report::calcCases(breakings, depths, cases);
  std::size_t next = 0;
  std::string error;
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < count; ++i) {
    fieldsOf(i, fields);
    const report::CaseResult* computed = fields.size() == layout_.width ? &cases[next++] : nullptr;
    bits = 0;
    if (!cli::appendRow(layout_, fields, precision_, out, model_, warnings_, computed, language_,
                        &error, format_, &bits)) {
      failures.add(i, error);
    }
    if (bits != 0) failures.addWarned(i);
  }
}

bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model, bool warnings,
               const report::CaseResult* computed, report::Language language, std::string* error,
               const CsvFormat& format, std::uint32_t* warningBits) {
  const std::size_t errorCell = slotsOf(layout).size() + kOutputHeader.size() - kColumnCount - 1;
  RowWriter row(out, precision, errorCell, error, format);
  std::uint32_t bits = 0;
  const bool ok = computeRow(layout, fields, model, warnings, row, computed, language, format, bits);
  if (warningBits != nullptr) *warningBits = bits;
  row.end();
  return ok;
}

}  // namespace saiha::cli
