// One row of saiha-calc: an input record's cells read as the sheet reads
// its boxes, the case computed, and the output cells as CSV text.
#include "cli/rows.h"

#include <array>
#include <limits>
#include <optional>
#include <string>

#include "report/case.h"
#include "report/csv_text.h"
#include "report/messages.h"
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

// The output cells of one record under `model`, handed to `emit` in the
// order of outputHeader(layout); returns whether the row computed.
// `breaking` is the record's breaking point where the caller found it
// already.
template <class Emit>
bool computeRow(const Layout& layout, std::span<const std::string_view> fields,
                Precision precision, const shore::Model& model, bool warnings, Emit&& emit,
                const shore::Breaking* breaking, report::Language language) {
  const auto field = [&](std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view();
  };
  const auto cell = [&](Column column) { return cellOf(layout, fields, column); };
  constexpr std::size_t kResults = kOutputHeader.size() - kColumnCount - 1;

  if (fields.size() != layout.width) {
    for (const Layout::Slot& slot : slotsOf(layout)) {
      emit(slot.input ? cell(*slot.input) : field(slot.field));
    }
    for (std::size_t r = 0; r < kResults; ++r) emit(std::string_view());
    emit(report::fieldCountText(fields.size(), layout.width, language));
    if (warnings) emit("0");
    return false;
  }

  // Each cell read as the sheet reads its box.
  const std::string_view depth = cell(Column::h);
  const std::optional<double> given =
      depth.empty() ? std::nullopt : std::optional<double>(report::inputNumber(depth));
  const report::CaseResult r = breaking != nullptr
                                   ? report::calcCase(*breaking, given)
                                   : report::calcCase(waveOf(layout, fields), given, model);

  for (const Layout::Slot& slot : slotsOf(layout)) {
    if (!slot.input) {
      emit(field(slot.field));
    } else if (*slot.input != Column::h) {
      emit(cell(*slot.input));
    } else if (!depth.empty()) {  // the depth as the depth box reads after the calculation
      emit(depth);
    } else if (r.depthDefaulted) {
      emit(rt::formatResult(r.breaking.hb));
    } else {
      emit(std::string_view());
    }
  }

  const auto text = [precision](float value) {
    return precision == Precision::Full ? rt::formatShortest(value) : rt::formatResult(value);
  };
  const shore::Breaking& b = r.breaking;
  const std::array<float, 4> atBreaking = b.results();
  for (int i = 0; i < 4; ++i) {
    if (i < b.reached) emit(text(atBreaking[static_cast<std::size_t>(i)]));
    else emit(std::string_view());
  }
  const std::array<float, 8> atDepth = r.state.results();
  for (int i = 0; i < 8; ++i) {
    if (i < r.state.reached) emit(text(atDepth[static_cast<std::size_t>(i)]));
    else emit(std::string_view());
  }
  if (r.ok()) {
    emit(std::string_view());
  } else if (r.error == shore::Error::InvalidDepth && given && depthTooLarge(*given)) {
    emit(report::depthTooLargeText(language));
  } else {
    emit(report::errorText(r.error, language));
  }
  if (warnings) emit(std::to_string(b.warnings.bits));
  return r.ok();
}

}  // namespace

shore::Wave waveOf(const Layout& layout, std::span<const std::string_view> fields) {
  const auto number = [&](Column column) {
    return report::inputNumber(cellOf(layout, fields, column));
  };
  return {number(Column::Ho), number(Column::T), number(Column::alpha0), number(Column::n)};
}

std::vector<std::string> outputHeader(const Layout& layout) {
  std::vector<std::string> header;
  for (const Layout::Slot& slot : slotsOf(layout)) {
    header.emplace_back(slot.input ? kColumnNames[static_cast<std::size_t>(*slot.input)]
                                   : std::string_view(layout.names[slot.field]));
  }
  header.insert(header.end(), kOutputHeader.begin() + kColumnCount, kOutputHeader.end());
  return header;
}

void CaseTable::readHeader(const Record& header) {
  // A column passed through may not take the name of a result.
  std::vector<std::string_view> reserved(kOutputHeader.begin() + kColumnCount,
                                         kOutputHeader.end());
  if (warnings_) reserved.push_back(kWarningsColumn);
  layout_ = cli::readHeader(header, reserved);
}

std::vector<std::string> CaseTable::outputHeader() const {
  std::vector<std::string> header = cli::outputHeader(layout_);
  if (warnings_) header.emplace_back(kWarningsColumn);
  return header;
}

void Table::appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                       Failures& failures) const {
  std::vector<std::string_view> fields;
  std::string error;
  for (std::size_t i = 0; i < count; ++i) {
    fieldsOf(i, fields);
    if (!appendRow(fields, out, &error)) failures.add(i, error);
  }
}

void CaseTable::appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                           Failures& failures) const {
  // The breaking points of the records of the header's width first, side by
  // side; then each row from its breaking point.
  std::vector<std::string_view> fields;
  std::vector<shore::Wave> waves;
  waves.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    fieldsOf(i, fields);
    if (fields.size() == layout_.width) waves.push_back(waveOf(layout_, fields));
  }
  std::vector<shore::Breaking> breakings(waves.size());
  shore::findBreaking(waves, breakings, model_);
  std::size_t next = 0;
  std::string error;
  for (std::size_t i = 0; i < count; ++i) {
    fieldsOf(i, fields);
    const shore::Breaking* breaking = fields.size() == layout_.width ? &breakings[next++] : nullptr;
    if (!cli::appendRow(layout_, fields, precision_, out, model_, warnings_, breaking, language_,
                        &error)) {
      failures.add(i, error);
    }
  }
}

bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model, bool warnings,
               const shore::Breaking* breaking, report::Language language, std::string* error) {
  const std::size_t errorCell = slotsOf(layout).size() + kOutputHeader.size() - kColumnCount - 1;
  std::size_t index = 0;
  const bool ok = computeRow(
      layout, fields, precision, model, warnings,
      [&](std::string_view cell) {
        if (index != 0) out.push_back(',');
        report::appendCsvField(out, cell);
        if (index++ == errorCell && error != nullptr && !cell.empty()) error->assign(cell);
      },
      breaking, language);
  out.push_back('\n');
  return ok;
}

}  // namespace saiha::cli
