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

// The output cells of one record under `model`, handed to `emit` in the
// order of outputHeader(layout); returns whether the row computed.
template <class Emit>
bool computeRow(const Layout& layout, std::span<const std::string_view> fields,
                Precision precision, const shore::Model& model, Emit&& emit) {
  const auto field = [&](std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view();
  };
  const auto cell = [&](Column column) -> std::string_view {
    const auto& position = layout.position[static_cast<std::size_t>(column)];
    return position ? field(*position) : std::string_view();
  };
  constexpr std::size_t kResults = kOutputHeader.size() - kColumnCount - 1;

  if (fields.size() != layout.width) {
    for (const Layout::Slot& slot : slotsOf(layout)) {
      emit(slot.input ? cell(*slot.input) : field(slot.field));
    }
    for (std::size_t r = 0; r < kResults; ++r) emit(std::string_view());
    emit(report::fieldCountText(fields.size(), layout.width));
    return false;
  }

  // Each cell read as the sheet reads its box.
  const auto number = [&](Column column) { return report::inputNumber(cell(column)); };
  const std::string_view depth = cell(Column::h);
  const report::CaseResult r = report::calcCase(
      shore::Wave{number(Column::Ho), number(Column::T), number(Column::alpha0), number(Column::n)},
      depth.empty() ? std::nullopt : std::optional<double>(number(Column::h)), model);

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
  } else if (r.error == shore::Error::InvalidDepth && depthTooLarge(number(Column::h))) {
    emit(report::depthTooLargeText());
  } else {
    emit(report::errorText(r.error));
  }
  return r.ok();
}

}  // namespace

std::vector<std::string> outputHeader(const Layout& layout) {
  std::vector<std::string> header;
  for (const Layout::Slot& slot : slotsOf(layout)) {
    header.emplace_back(slot.input ? kColumnNames[static_cast<std::size_t>(*slot.input)]
                                   : std::string_view(layout.names[slot.field]));
  }
  header.insert(header.end(), kOutputHeader.begin() + kColumnCount, kOutputHeader.end());
  return header;
}

bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model,
               std::string* error) {
  const std::size_t errorCell = slotsOf(layout).size() + kOutputHeader.size() - kColumnCount - 1;
  std::size_t index = 0;
  const bool ok = computeRow(layout, fields, precision, model, [&](std::string_view cell) {
    if (index != 0) out.push_back(',');
    report::appendCsvField(out, cell);
    if (index++ == errorCell && error != nullptr && !cell.empty()) error->assign(cell);
  });
  out.push_back('\n');
  return ok;
}

}  // namespace saiha::cli
