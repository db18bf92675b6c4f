#include "cli/compare_csv.h"

#include <limits>
#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/profile_csv.h"
#include "cli/rows.h"
#include "report/messages.h"
#include "report/case.h"
#include "report/compare_table.h"

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
                          bool warnings, shore::HeightBasis basis, report::Language language) {
  CompareOutcome outcome;
  const std::vector<shore::ComparisonRow> rows = shore::compare(wave, params, basis);
  // Every row checks the wave first, so a bad value shows in each of them.
  if (!rows.empty() && shore::isInvalidWave(rows.front().error)) {
    outcome.status = kUnusable;
    outcome.diagnostic = report::errorText(rows.front().error, language);
    return outcome;
  }
  if (const shore::Error bad = shore::checkTransport(params); bad != shore::Error::None) {
    outcome.status = kUnusable;
    outcome.diagnostic = std::string(optionOf(bad)) + ": " + report::errorText(bad, language);
    return outcome;
  }

  std::vector<std::string> header(report::kCompareHeader.begin(), report::kCompareHeader.end());
  if (warnings) header.emplace_back(kWarningsColumn);
  outcome.csv = formatRecord(header);
  for (const shore::ComparisonRow& row : rows) {
    const auto cells = report::compareRow(row, language);
    std::vector<std::string> line(cells.begin(), cells.end());
    if (warnings) line.push_back(std::to_string(row.warnings.bits));
    outcome.csv += formatRecord(line);
    ++outcome.rows;
    if (row.error != shore::Error::None) {
      outcome.status = kSomeFailed;
      if (outcome.failedRows++ == 0) outcome.firstFailure = cells[0] + "," + cells[1] + ": " + cells[8];
    }
  }
  return outcome;
}

CompareOutcome compareFileCsv(std::string_view text, const shore::TransportParams& params) {
  CompareOutcome outcome;
  if (const shore::Error bad = shore::checkTransport(params); bad != shore::Error::None) {
    outcome.status = kUnusable;
    outcome.diagnostic = std::string(optionOf(bad)) + ": " + report::errorText(bad);
    return outcome;
  }
  RecordBuffer records;
  Layout layout;
  try {
    RecordReader reader(kMaxRecordBytes);
    reader.setOutput(records);
    reader.feed(text);
    reader.finish();
    if (records.records.empty()) {
      throw InputError("the input is empty; its first row must name the columns " +
                       std::string(kExpectedColumns));
    }
    std::vector<std::string_view> names;
    records.fieldsOf(0, names);
    layout = readHeader(Record{{names.begin(), names.end()}, records.records[0].line},
                        report::kCompareHeader);
  } catch (const InputError& error) {
    outcome.status = kUnusable;
    outcome.diagnostic = error.what();
    return outcome;
  }

  std::vector<std::string> header = layout.names;
  header.insert(header.end(), report::kCompareHeader.begin(), report::kCompareHeader.end());
  outcome.csv = formatRecord(header);
  std::vector<std::string_view> fields;
  std::vector<std::string> cells;
  for (std::size_t r = 1; r < records.records.size(); ++r) {
    records.fieldsOf(r, fields);
    const bool whole = fields.size() == layout.width;
    const auto number = [&](Column column) {
      const auto at = *layout.position[static_cast<std::size_t>(column)];
      return whole ? report::inputNumber(fields[at]) : std::numeric_limits<double>::quiet_NaN();
    };
    const shore::Wave wave{number(Column::Ho), number(Column::T), number(Column::alpha0),
                           number(Column::n)};
    for (const shore::ComparisonRow& row : shore::compare(wave, params)) {
      cells.assign(fields.begin(), fields.end());
      cells.resize(layout.width);  // a short or long row: its fields by position
      const auto computed = report::compareRow(row);
      cells.insert(cells.end(), computed.begin(), computed.end());
      if (!whole) cells.back() = report::fieldCountText(fields.size(), layout.width);
      outcome.csv += formatRecord(cells);
      if (!whole || row.error != shore::Error::None) outcome.status = kSomeFailed;
    }
  }
  return outcome;
}

}  // namespace saiha::cli
