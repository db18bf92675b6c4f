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

void RandomTable::readHeader(const Record& header) {
  static constexpr std::string_view kExpected = "H0p, T13, n and h";
  const auto position = readColumns(header, report::kRandomInputHeader,
                                    report::kRandomInputHeader.size(), kExpected);
  for (std::size_t c = 0; c < position_.size(); ++c) position_[c] = *position[c];
  width_ = header.fields.size();
}

std::vector<std::string> RandomTable::outputHeader() const {
  std::vector<std::string> header(report::kRandomInputHeader.begin(),
                                  report::kRandomInputHeader.end());
  header.insert(header.end(), report::kRandomResultHeader.begin(),
                report::kRandomResultHeader.end());
  return header;
}

bool RandomTable::appendRow(std::span<const std::string_view> fields, std::string& out,
                            std::string* error) const {
  std::array<std::string_view, 4> cells{};
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (position_[c] < fields.size()) cells[c] = fields[position_[c]];
  }
  std::array<std::string, 4> results;  // Ks, H13, Hmax, error
  bool ok = false;
  if (fields.size() != width_) {
    results[3] = report::fieldCountText(fields.size(), width_, language_);
  } else {
    const auto number = [&](std::size_t c) { return report::inputNumber(cells[c]); };
    const shore::RandomState r = shore::randomWaves(number(0), number(1), number(2), number(3));
    const auto text = [&](float value) -> std::string {
      if (std::isnan(value)) return {};
      return precision_ == Precision::Full ? rt::formatShortest(value) : rt::formatResult(value);
    };
    results = {text(r.Ks), text(r.H13), text(r.Hmax), report::errorText(r.error, language_)};
    ok = r.ok();
  }
  bool first = true;
  const auto emit = [&](std::string_view cell) {
    if (!first) out.push_back(',');
    first = false;
    report::appendCsvField(out, cell);
  };
  for (std::string_view cell : cells) emit(cell);
  for (const std::string& cell : results) emit(cell);
  out.push_back('\n');
  if (!ok && error != nullptr) *error = results[3];
  return ok;
}

ProfileOutcome randomProfileCsv(double H0p, double T13, double n,
                                const shore::ProfileOptions& options) {
  ProfileOutcome outcome;
  const shore::RandomProfile profile = shore::randomProfile(H0p, T13, n, options);
  if (!profile.ok()) {
    const bool badInput = shore::isInvalidWave(profile.error) ||
                          profile.error == shore::Error::InvalidDepth;
    outcome.status = badInput ? kUnusable : kSomeFailed;
    outcome.diagnostic = profile.error == shore::Error::InvalidDepth && profile.edge.ok()
                             ? "the seaward depth or the spacing gives no stations, or more than " +
                                   std::to_string(shore::kMaxStations)
                             : report::errorText(profile.error);
    return outcome;
  }
  const std::vector<std::string> header(report::kRandomProfileHeader.begin(),
                                        report::kRandomProfileHeader.end());
  outcome.csv = formatRecord(header);
  for (const shore::RandomStation& station : profile.stations) {
    outcome.csv += formatRecord(report::randomProfileRow(station));
    if (!station.state.ok()) {
      outcome.status = kSomeFailed;
      outcome.stationErrors.push_back("station at h=" + rt::formatShortest(station.state.h) +
                                      ": " + report::errorText(station.state.error));
    }
  }
  return outcome;
}

}  // namespace saiha::cli
