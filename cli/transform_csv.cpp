#include "cli/transform_csv.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "cli/csv_reader.h"
#include "cli/options.h"
#include "cli/say.h"
#include "report/case.h"
#include "report/csv_text.h"
#include "report/messages.h"
#include "runtime/text.h"

namespace saiha::cli {

namespace {

enum Input : std::size_t { kTp, kTheta0, kHrms0, kHm0, kTide, kWind };

// The engine's steps one chunk of conditions may take: about a quarter of a
// second of a core, so that a Ctrl+C ends the run about as soon.
constexpr double kChunkSteps = 3e5;

}  // namespace

// ------------------------------------------------------------ the table

std::string readCondition(const HeaderColumns& columns, std::span<const std::string_view> fields,
                          const CsvFormat& format, report::Language language,
                          shore::SeaCondition& condition, std::uint32_t& bits) {
  if (fields.size() != columns.width) {
    return report::fieldCountText(fields.size(), columns.width, language);
  }
  const bool comma = format.decimalComma;
  std::array<std::string_view, 5> cells{};  // Tp, theta0, the height, the tide, the wind
  std::array<std::string_view, 5> names{};
  std::size_t given = 0;
  for (const std::size_t input : {kTp, kTheta0, kHrms0, kHm0, kTide, kWind}) {
    if (!columns.position[input]) continue;
    cells[given] = fields[*columns.position[input]];
    names[given++] = kTransformInputs[input];
  }
  const auto wordy = firstTextAfterNumber(std::span(cells).first(given), comma);
  if (wordy && format.strict) return report::trailingTextText(names[*wordy], comma, language);
  const auto value = [&](std::size_t input) {
    return report::readCell(fields[*columns.position[input]], comma).value;
  };
  condition.Tp = value(kTp);
  condition.theta0 = value(kTheta0);
  condition.Hrms0 = columns.position[kHrms0] ? value(kHrms0) : value(kHm0) / std::sqrt(2.0);
  condition.tide = columns.position[kTide] ? value(kTide) : 0.0;
  if (columns.position[kWind]) condition.windStressY = value(kWind);
  bits = wordy ? kTextAfterNumberWarning : 0u;
  return {};
}

// A record on its way to its rows: its pass-through cells, and the
// condition or the message that stops it.
struct TransformTable::Pending {
  std::string prefix;   // the pass-through cells, each followed by the separator
  std::string message;  // empty while the condition computes
  std::uint32_t bits = 0;
  std::size_t condition = 0;  // index into the batch's conditions, without a message
};

TransformTable::TransformTable(const BedProfileData& profile, TransformSetup setup)
    : profile_(profile), setup_(std::move(setup)) {
  const char d = setup_.format.delimiter;
  pointCells_.reserve(profile_.x.size());
  for (std::size_t i = 0; i < profile_.x.size(); ++i) {
    std::string cells;
    report::appendCsvField(cells, profile_.xText[i], d);
    cells.push_back(d);
    report::appendCsvField(cells, profile_.zText[i], d);
    cells.push_back(d);
    pointCells_.push_back(std::move(cells));
  }
  const std::vector<double>& x = profile_.x;
  for (const double at : setup_.at) {
    AtPoint p;
    const auto after = std::upper_bound(x.begin(), x.end(), at);
    p.left = after == x.begin() ? 0 : static_cast<std::size_t>(after - x.begin()) - 1;
    if (p.left + 1 >= x.size()) p.left = x.size() - 2;
    p.weight = (at - x[p.left]) / (x[p.left + 1] - x[p.left]);
    p.xCell = shortest(at);
    if (setup_.format.decimalComma) report::useDecimalComma(p.xCell);
    p.xCell.push_back(d);
    atPoints_.push_back(std::move(p));
  }
  // Conditions computed a batch at a time, so that the results held at
  // once stay near a quarter of a million points whatever the chunk, and
  // each batch's steps near kChunkSteps.
  const double steps = std::max(1.0, shore::transformSteps(viewOf(profile_), setup_.model));
  batch_ = std::max<std::size_t>(1, (std::size_t{1} << 18) / profile_.x.size());
  if (std::isfinite(steps)) {
    batch_ = std::min(batch_, std::max<std::size_t>(1, static_cast<std::size_t>(kChunkSteps / steps)));
  }
}


void TransformTable::readHeader(const Record& header) {
  std::vector<std::string_view> reserved(kTransformLongHeader.begin(), kTransformLongHeader.end());
  reserved.insert(reserved.end(), kTransformSummaryHeader.begin(), kTransformSummaryHeader.end());
  reserved.push_back(kWarningsColumn);
  columns_ = readTableHeader(header, kTransformInputs, 2, kExpected, reserved,
                             setup_.format.delimiter);
  const bool rms = columns_.position[kHrms0].has_value(), m0 = columns_.position[kHm0].has_value();
  if (!rms && !m0) {
    throw InputError(atLine(header.line) + say(report::Usage::LacksHeight, {say(kExpected)}));
  }
  if (rms && m0) {
    throw InputError(atLine(header.line) + say(report::Usage::HeightTwice));
  }
  if (refuseWind_ && columns_.position[kWind]) {
    throw InputError(atLine(header.line) + say(report::Usage::WindTwice));
  }
  haveHeader_ = true;
}

std::vector<std::string> TransformTable::outputHeader() const {
  std::vector<std::string> header;
  for (std::size_t i = 0; i < columns_.inputAt.size(); ++i) {
    if (!columns_.inputAt[i]) header.push_back(columns_.names[i]);
  }
  if (setup_.form == TransformForm::Summary) {
    for (const std::string_view name : kTransformSummaryHeader) header.push_back(ownName(name));
  } else {
    for (const std::string_view name : kTransformLongHeader) header.push_back(ownName(name));
  }
  if (setup_.warnings) header.emplace_back(kWarningsColumn);
  return header;
}

std::size_t TransformTable::blockBytes() const {
  std::size_t rows = 1;
  if (setup_.form == TransformForm::Long) rows = profile_.x.size();
  if (setup_.form == TransformForm::At) rows = atPoints_.size();
  // A condition costs the engine far more than a row of the regular waves
  // (a hundred microseconds or more on a profile of a few hundred points):
  // a few kilobytes of input, about a hundred conditions, keep two threads
  // evenly loaded to the end of a year of hourly conditions.  Where each
  // condition takes many steps (a long profile), a chunk holds about a
  // batch's conditions of some 30 bytes each, so that an interrupt ends the
  // run within about a second.
  const std::size_t bytes = std::clamp<std::size_t>(
      (std::size_t{1} << 20) / std::max<std::size_t>(rows, 1), 1024, 4096);
  return std::min(bytes, std::max<std::size_t>(32, batch_ * 32));
}

namespace {

// A result cell: nothing for NaN, else the single in full or to two
// decimals, with a decimal comma when asked for.
inline char* resultCell(char* at, float value, bool full, bool decimalComma) {
  if (std::isnan(value)) return at;
  char* const end = full ? rt::writeShortest(at, value) : rt::writeResult(at, value);
  if (decimalComma) std::replace(at, end, '.', ',');
  return end;
}

}  // namespace

char* TransformTable::number(char* at, double value) const {
  return resultCell(at, static_cast<float>(value), setup_.precision == Precision::Full,
                    setup_.format.decimalComma);
}

namespace {

// The error cell and the warnings cell that end every row of a condition.
std::string tailOf(std::string_view message, bool warnings, std::uint32_t bits, char delimiter) {
  std::string tail;
  report::appendCsvField(tail, message, delimiter);
  if (warnings) {
    tail.push_back(delimiter);
    tail += std::to_string(bits);
  }
  tail.push_back('\n');
  return tail;
}

// Results per point; the value of point i or NaN beyond the arrays.
struct Columns {
  std::array<const std::vector<float>*, 9> of;
  float at(std::size_t c, std::size_t i) const {
    const std::vector<float>& v = *of[c];
    return i < v.size() ? v[i] : NAN;
  }
};

// The warning bits of a row of points `first` to `last`: the condition's,
// with the bits that concern a point (Hrms above the mean depth, a current
// above the friction's fitted range) those of the row's own points.
std::uint32_t rowBits(std::uint32_t condition, const shore::TransformResult& r, std::size_t first,
                      std::size_t last) {
  constexpr std::uint32_t kPointBits =
      static_cast<std::uint32_t>(shore::Warning::HrmsAboveMeanDepth) |
      static_cast<std::uint32_t>(shore::Warning::CurrentAboveFittedRange);
  if ((condition & kPointBits) == 0) return condition;
  std::uint32_t bits = condition & ~kPointBits;
  for (std::size_t i = first; i <= last && i < r.pointWarnings.size(); ++i) {
    bits |= r.pointWarnings[i] & kPointBits;
  }
  return bits;
}

Columns columnsOf(const shore::TransformResult& r) {
  return {{&r.h, &r.eta, &r.Hrms, &r.Hm0, &r.H13, &r.H2, &r.Qb, &r.theta, &r.V}};
}

}  // namespace

void TransformTable::writeLong(const Pending& pending, const shore::TransformResult& r,
                               std::string& out) const {
  const char d = setup_.format.delimiter;
  const std::string tail = tailOf(pending.message, setup_.warnings, pending.bits, d);
  const Columns c = columnsOf(r);
  const bool full = setup_.precision == Precision::Full, comma = setup_.format.decimalComma;
  char line[9 * (rt::kMaxResultChars + 1)];
  for (std::size_t i = 0; i < profile_.x.size(); ++i) {
    const std::uint32_t bits = rowBits(pending.bits, r, i, i);
    char* at = line;
    for (std::size_t k = 0; k < c.of.size(); ++k) {
      at = resultCell(at, c.at(k, i), full, comma);
      *at++ = d;
    }
    out += pending.prefix;
    out += pointCells_[i];
    out.append(line, static_cast<std::size_t>(at - line));
    out += bits == pending.bits ? tail : tailOf(pending.message, setup_.warnings, bits, d);
  }
}

void TransformTable::writeAt(const Pending& pending, const shore::TransformResult& r,
                             std::string& out) const {
  const char d = setup_.format.delimiter;
  const std::string tail = tailOf(pending.message, setup_.warnings, pending.bits, d);
  const Columns c = columnsOf(r);
  char line[10 * (rt::kMaxResultChars + 1)];
  for (const AtPoint& p : atPoints_) {
    // Linear between the two neighbouring points; a position on a point
    // takes that point's values, so the last wet point keeps its own.
    const auto between = [&](double a, double b) {
      if (p.weight == 0) return a;
      if (p.weight == 1) return b;
      return a + p.weight * (b - a);
    };
    char* at = line;
    at = number(at, between(profile_.z[p.left], profile_.z[p.left + 1]));
    *at++ = d;
    for (std::size_t k = 0; k < c.of.size(); ++k) {
      at = number(at, between(c.at(k, p.left), c.at(k, p.left + 1)));
      *at++ = d;
    }
    const std::uint32_t bits = rowBits(pending.bits, r, p.weight == 1 ? p.left + 1 : p.left,
                                       p.weight == 0 ? p.left : p.left + 1);
    out += pending.prefix;
    out += p.xCell;
    out.append(line, static_cast<std::size_t>(at - line));
    out += bits == pending.bits ? tail : tailOf(pending.message, setup_.warnings, bits, d);
  }
}

void TransformTable::writeSummary(const Pending& pending, const shore::TransformResult& r,
                                  std::string& out) const {
  const char d = setup_.format.delimiter;
  char line[7 * (rt::kMaxResultChars + 1)];
  char* at = line;
  for (const float value : {r.xBreaking, r.hBreaking, r.etaMax, r.xShoreline, r.runupH0,
                            r.foreshoreSlope, r.R2}) {
    at = number(at, value);
    *at++ = d;
  }
  out += pending.prefix;
  out.append(line, static_cast<std::size_t>(at - line));
  out += tailOf(pending.message, setup_.warnings, pending.bits, d);
}

void TransformTable::writeRows(const Pending& pending, const shore::TransformResult* result,
                               std::string& out) const {
  static const shore::TransformResult kNothing;  // every array empty: empty cells
  const shore::TransformResult& r = result != nullptr ? *result : kNothing;
  switch (setup_.form) {
    case TransformForm::Long: writeLong(pending, r, out); break;
    case TransformForm::At: writeAt(pending, r, out); break;
    case TransformForm::Summary: writeSummary(pending, r, out); break;
  }
}

void TransformTable::appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                                Failures& failures) const {
  compute(count, fieldsOf, out, failures, nullptr);
}

void TransformTable::compute(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                             Failures& failures, std::uint32_t* lastBits) const {
  const char d = setup_.format.delimiter;
  const std::size_t batch = batch_;
  thread_local std::vector<shore::TransformResult> results;
  std::vector<shore::SeaCondition> conditions;
  std::vector<Pending> pending;
  std::vector<std::string_view> fields;
  for (std::size_t first = 0; first < count; first += batch) {
    const std::size_t n = std::min(batch, count - first);
    conditions.clear();
    pending.assign(n, Pending{});
    for (std::size_t j = 0; j < n; ++j) {
      fieldsOf(first + j, fields);
      Pending& p = pending[j];
      for (std::size_t i = 0; i < columns_.inputAt.size(); ++i) {
        if (columns_.inputAt[i]) continue;
        report::appendCsvField(p.prefix, i < fields.size() ? fields[i] : std::string_view(), d);
        p.prefix.push_back(d);
      }
      shore::SeaCondition condition;
      condition.windStressY = setup_.windStress;
      p.message = readCondition(columns_, fields, setup_.format, setup_.language, condition,
                                p.bits);
      if (!p.message.empty()) continue;
      p.condition = conditions.size();
      conditions.push_back(condition);
    }
    if (results.size() < conditions.size()) results.resize(conditions.size());
    shore::transform(viewOf(profile_), conditions, std::span(results).first(conditions.size()),
                     setup_.model);
    for (std::size_t j = 0; j < n; ++j) {
      Pending& p = pending[j];
      const shore::TransformResult* r = nullptr;
      if (p.message.empty()) {
        r = &results[p.condition];
        p.bits |= r->warnings.bits;
        if (!r->ok()) p.message = report::errorText(r->error, setup_.language);
      }
      const std::size_t before = out.size();
      writeRows(p, r, out);
      if (first == 0 && j == 0 && count > 1) {
        // The long form writes some 7 kB a condition: room for the others'
        // rows, alike in length, at once rather than by the string's
        // doublings (each a copy of all written so far).
        const std::size_t bytes = out.size() - before;
        out.reserve(out.size() + (count - 1) * (bytes + bytes / 8));
      }
      if (!p.message.empty()) {
        std::string message = p.message;
        failures.add(first + j, message);
      }
      if (p.bits != 0) failures.addWarned(first + j);
      if (lastBits != nullptr) *lastBits = p.bits;
    }
  }
}

bool TransformTable::appendRow(std::span<const std::string_view> fields, std::string& out,
                               std::string* error, std::uint32_t* warningBits) const {
  Failures failures;
  std::uint32_t bits = 0;
  compute(
      1, [&](std::size_t, std::vector<std::string_view>& f) { f.assign(fields.begin(), fields.end()); },
      out, failures, &bits);
  if (error != nullptr && failures.count > 0) *error = failures.message;
  if (warningBits != nullptr) *warningBits = bits;
  return failures.count == 0;
}

shore::TransformResult TransformTable::appendCondition(const shore::SeaCondition& condition,
                                                       std::string& out) const {
  shore::SeaCondition c = condition;
  c.windStressY = setup_.windStress;
  shore::TransformResult r = shore::transform(viewOf(profile_), c, setup_.model);
  Pending p;
  p.bits = r.warnings.bits;
  if (!r.ok()) p.message = report::errorText(r.error, setup_.language);
  writeRows(p, &r, out);
  return r;
}

}  // namespace saiha::cli
