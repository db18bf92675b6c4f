#include "cli/compare_csv.h"

#include <algorithm>
#include <array>

#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/pipeline.h"
#include "cli/profile_csv.h"
#include "cli/rows.h"
#include "report/messages.h"
#include "report/case.h"
#include "report/compare_table.h"
#include "report/csv_text.h"

namespace saiha::cli {

namespace {

// The command-line option that holds the parameter a transport error names.
std::string_view optionOf(shore::Error code) {
  switch (code) {
    case shore::Error::InvalidTransportCoefficient: return "--K";
    case shore::Error::InvalidWaterDensity: return "--rho";
    case shore::Error::InvalidSedimentDensity: return "--rho-s";
    default: return "--porosity";
  }
}

}  // namespace

CompareOutcome compareCsv(const shore::Wave& wave, const shore::TransportParams& params,
                          bool warnings, shore::HeightBasis basis, report::Language language,
                          report::Digits digits) {
  CompareOutcome outcome;
  const std::vector<shore::ComparisonRow> rows = shore::compare(wave, params, basis);
  // Every row checks the wave first, so a bad value shows in each of them.
  if (!rows.empty() && shore::isInvalidWave(rows.front().error)) {
    outcome.status = kUnusable;
    outcome.diagnostic = report::errorText(rows.front().error, language);
    return outcome;
  }
  if (std::string bad = transportDiagnostic(params, language); !bad.empty()) {
    outcome.status = kUnusable;
    outcome.diagnostic = std::move(bad);
    return outcome;
  }

  std::vector<std::string> header(report::kCompareHeader.begin(), report::kCompareHeader.end());
  if (warnings) header.emplace_back(kWarningsColumn);
  outcome.csv = formatRecord(header);
  for (const shore::ComparisonRow& row : rows) {
    const auto cells = report::compareRow(row, language, digits);
    std::vector<std::string> line(cells.begin(), cells.end());
    if (warnings) line.push_back(std::to_string(row.warnings.bits));
    outcome.csv += formatRecord(line);
    outcome.counts.add(row.warnings.any(), [&] { return cells[0] + "," + cells[1]; });
    if (row.error != shore::Error::None) {
      outcome.status = kSomeFailed;
      if (outcome.failedRows++ == 0) outcome.firstFailure = cells[0] + "," + cells[1] + ": " + cells[8];
    }
  }
  return outcome;
}

std::string transportDiagnostic(const shore::TransportParams& params, report::Language language) {
  const shore::Error bad = shore::checkTransport(params);
  if (bad == shore::Error::None) return {};
  return std::string(optionOf(bad)) + ": " + report::errorText(bad, language);
}

CompareTable::CompareTable(const shore::TransportParams& params, shore::HeightBasis basis,
                           bool warnings, report::Language language, const CsvFormat& format,
                           report::Digits digits)
    : params_(params),
      basis_(basis),
      warnings_(warnings),
      language_(language),
      format_(format),
      digits_(digits) {}

namespace {
// The compare inputs: h is no input of the comparison and passes through.
constexpr std::array<std::string_view, 4> kCompareInputs = {"Ho", "T", "alpha0", "n"};
// The cells of compareRow that hold numbers (Hb ... Q_m3_per_year, xi0).
constexpr std::array<std::size_t, 7> kNumberCells = {2, 3, 4, 5, 6, 7, 9};
constexpr std::size_t kErrorCell = 8;
}  // namespace

void CompareTable::readHeader(const Record& header) {
  std::vector<std::string_view> reserved(report::kCompareHeader.begin(),
                                         report::kCompareHeader.end());
  if (warnings_) reserved.push_back(kWarningsColumn);
  columns_ = readTableHeader(header, kCompareInputs, kCompareInputs.size(), kExpected, reserved,
                             format_.delimiter);
}

std::vector<std::string> CompareTable::outputHeader() const {
  std::vector<std::string> header;
  for (std::size_t i = 0; i < columns_.names.size(); ++i) {
    header.push_back(columns_.inputAt[i] ? ownName(columns_.names[i]) : columns_.names[i]);
  }
  for (const std::string_view name : report::kCompareHeader) header.push_back(ownName(name));
  if (warnings_) header.emplace_back(kWarningsColumn);
  return header;
}

bool CompareTable::appendRow(std::span<const std::string_view> fields, std::string& out,
                             std::string* error, std::uint32_t* warningBits) const {
  std::array<std::string_view, kCompareInputs.size()> inputs{};
  for (std::size_t c = 0; c < inputs.size(); ++c) {
    const std::size_t at = *columns_.position[c];
    if (at < fields.size()) inputs[c] = fields[at];
  }
  // A row that is not computed: a field count that is not the header's, or
  // a number cell refused under --strict.
  std::string refused;
  std::optional<std::size_t> wordy;
  if (fields.size() != columns_.width) {
    refused = report::fieldCountText(fields.size(), columns_.width, language_);
  } else {
    wordy = firstTextAfterNumber(inputs, format_.decimalComma);
    if (wordy && format_.strict) {
      refused = report::trailingTextText(kCompareInputs[*wordy], format_.decimalComma, language_);
    }
  }
  const auto number = [&](std::size_t c) {
    return refused.empty() ? report::readCell(inputs[c], format_.decimalComma).value
                           : std::numeric_limits<double>::quiet_NaN();
  };
  const shore::Wave wave{number(0), number(1), number(2), number(3)};
  // A refused row's wave is no wave: its rows carry the model names alone.
  const std::vector<shore::ComparisonRow> rows = shore::compare(wave, params_, basis_);

  bool ok = refused.empty();
  const auto emit = [&](std::string_view cell, bool first) {
    if (!first) out.push_back(format_.delimiter);
    report::appendCsvField(out, cell, format_.delimiter);
  };
  for (const shore::ComparisonRow& row : rows) {
    std::array<std::string, 11> cells = report::compareRow(row, language_, digits_);
    std::uint32_t bits = row.warnings.bits | (wordy ? kTextAfterNumberWarning : 0u);
    if (!refused.empty()) {
      for (std::size_t c = 2; c < cells.size(); ++c) cells[c].clear();
      cells[kErrorCell] = refused;
      bits = 0;
    } else if (std::string beyond =
                   beyondSingleMessage(row.error, inputs, format_.decimalComma, language_);
               !beyond.empty()) {
      cells[kErrorCell] = std::move(beyond);
    }
    if (refused.empty() && format_.decimalComma) {
      for (std::size_t c : kNumberCells) report::useDecimalComma(cells[c]);
    }
    if (row.error != shore::Error::None && refused.empty()) {
      if (ok && error != nullptr) *error = cells[kErrorCell];
      ok = false;
    }
    // The record's fields by position, as far as the header goes.
    for (std::size_t i = 0; i < columns_.width; ++i) {
      emit(i < fields.size() ? fields[i] : std::string_view(), i == 0);
    }
    for (std::size_t c = 0; c < cells.size(); ++c) emit(cells[c], columns_.width == 0 && c == 0);
    if (warnings_) emit(std::to_string(bits), false);
    out.push_back('\n');
    if (warningBits != nullptr) *warningBits |= bits;  // the record's: any of its rows'
  }
  if (!refused.empty() && error != nullptr) *error = refused;
  return ok;
}

}  // namespace saiha::cli
