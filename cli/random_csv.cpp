#include "cli/random_csv.h"

#include <cmath>

#include "cli/exit_status.h"
#include "report/case.h"
#include "report/csv_text.h"
#include "report/messages.h"
#include "report/random_table.h"
#include "runtime/text.h"
#include "shore/random_waves.h"

namespace saiha::cli {

namespace {
// The message of a random sea's code: a depth (`rowDepth`: the row's own
// h) and a shoaling coefficient that cannot be formed have messages of
// their own.
std::string randomErrorText(shore::Error code, report::Language language, bool rowDepth) {
  if (code == shore::Error::InvalidDepth && rowDepth) return report::randomDepthText(language);
  if (code == shore::Error::NonlinearShoalingLimit) return report::randomShoalingText(language);
  return report::errorText(code, language);
}
}  // namespace

void RandomTable::readHeader(const Record& header) {
  std::vector<std::string_view> reserved(report::kRandomResultHeader.begin(),
                                         report::kRandomResultHeader.end());
  if (warnings_) reserved.push_back(kWarningsColumn);
  columns_ = readTableHeader(header, report::kRandomInputHeader,
                             report::kRandomInputHeader.size(), kExpected, reserved,
                             format_.delimiter);
}

std::vector<std::string> RandomTable::outputHeader() const {
  std::vector<std::string> header;
  std::size_t next = 0;  // the inputs in their order, in the places they take
  for (std::size_t i = 0; i < columns_.inputAt.size(); ++i) {
    header.push_back(columns_.inputAt[i] ? ownName(report::kRandomInputHeader[next++])
                                         : columns_.names[i]);
  }
  for (const std::string_view name : report::kRandomResultHeader) header.push_back(ownName(name));
  if (warnings_) header.emplace_back(kWarningsColumn);
  return header;
}

bool RandomTable::appendRow(std::span<const std::string_view> fields, std::string& out,
                            std::string* error, std::uint32_t* warningBits) const {
  constexpr std::size_t kInputs = report::kRandomInputHeader.size();
  std::array<std::string_view, kInputs> cells{};
  for (std::size_t c = 0; c < kInputs; ++c) {
    const std::size_t at = *columns_.position[c];
    if (at < fields.size()) cells[c] = fields[at];
  }
  std::array<std::string, 4> results;  // Ks, H13, Hmax, error
  std::uint32_t warnings = 0;
  bool ok = false;
  const std::optional<std::size_t> wordy = firstTextAfterNumber(cells, format_.decimalComma);
  if (fields.size() != columns_.width) {
    results[3] = report::fieldCountText(fields.size(), columns_.width, language_);
  } else if (wordy && format_.strict) {
    results[3] = report::trailingTextText(report::kRandomInputHeader[*wordy],
                                          format_.decimalComma, language_);
  } else {
    const auto number = [&](std::size_t c) {
      return report::readCell(cells[c], format_.decimalComma).value;
    };
    const shore::RandomState r = shore::randomWaves(number(0), number(1), number(2), number(3));
    const auto text = [&](float value) -> std::string {
      if (std::isnan(value)) return {};
      std::string shown =
          precision_ == Precision::Full ? rt::formatShortest(value) : rt::formatResult(value);
      if (format_.decimalComma) report::useDecimalComma(shown);
      return shown;
    };
    const std::string message = randomErrorText(r.error, language_, true);
    results = {text(r.Ks), text(r.H13), text(r.Hmax), message};
    warnings = r.warnings.bits | (wordy ? kTextAfterNumberWarning : 0u);
    ok = r.ok();
  }
  bool first = true;
  const auto emit = [&](std::string_view cell) {
    if (!first) out.push_back(format_.delimiter);
    first = false;
    report::appendCsvField(out, cell, format_.delimiter);
  };
  std::size_t next = 0;
  for (std::size_t i = 0; i < columns_.inputAt.size(); ++i) {
    if (columns_.inputAt[i]) emit(cells[next++]);
    else emit(i < fields.size() ? fields[i] : std::string_view());
  }
  for (const std::string& cell : results) emit(cell);
  if (warnings_) emit(std::to_string(warnings));
  out.push_back('\n');
  if (!ok && error != nullptr) *error = results[3];
  if (warningBits != nullptr) *warningBits = warnings;
  return ok;
}

ProfileOutcome randomProfileCsv(double H0p, double T13, double n,
                                const shore::ProfileOptions& options,
                                report::Language language, bool warnings,
                                report::Digits digits) {
  ProfileOutcome outcome;
  const shore::RandomProfile profile = shore::randomProfile(H0p, T13, n, options);
  if (!profile.ok()) {
    const bool badInput = shore::isInvalidWave(profile.error) ||
                          profile.error == shore::Error::InvalidDepth;
    outcome.status = badInput ? kUnusable : kSomeFailed;
    outcome.diagnostic = profile.error == shore::Error::InvalidDepth && profile.edge.ok()
                             ? report::usageText(report::Usage::NoStations,
                                                 {std::to_string(shore::kMaxStations)}, language)
                             : randomErrorText(profile.error, language, false);
    return outcome;
  }
  std::vector<std::string> header(report::kRandomProfileHeader.begin(),
                                  report::kRandomProfileHeader.end());
  if (warnings) header.emplace_back(kWarningsColumn);
  outcome.csv = formatRecord(header);
  for (const shore::RandomStation& station : profile.stations) {
    const std::array<std::string, 8> cells = report::randomProfileRow(station, digits);
    std::vector<std::string> row(cells.begin(), cells.end());
    const std::uint32_t bits = station.state.warnings.bits;
    if (warnings) row.push_back(std::to_string(bits));
    outcome.csv += formatRecord(row);
    outcome.counts.add(bits != 0, [&] { return "h=" + rt::formatShortest(station.state.h); });
    if (!station.state.ok()) {
      outcome.status = kSomeFailed;
      outcome.stationErrors.push_back(
          report::usageText(report::Usage::StationAt, {rt::formatShortest(station.state.h)},
                            language) +
          randomErrorText(station.state.error, language, false));
    }
  }
  return outcome;
}

}  // namespace saiha::cli
