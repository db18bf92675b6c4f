#include "cli/structure_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "cli/csv_reader.h"
#include "cli/options.h"
#include "cli/say.h"
#include "report/case.h"
#include "report/csv_text.h"
#include "report/messages.h"
#include "report/structure_table.h"
#include "runtime/text.h"
#include "structure/armour.h"
#include "structure/caisson.h"
#include "structure/overtopping.h"

namespace saiha::cli {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The cells of a formula's results, numbers in the run's precision.
template <std::size_t N>
std::vector<std::string> cellsOf(const std::array<float, N>& values, Precision precision) {
  std::vector<std::string> cells;
  cells.reserve(N + 1);
  for (const float value : values) cells.push_back(structureCell(value, precision));
  return cells;
}

}  // namespace

std::string structureCell(float value, Precision precision) {
  if (std::isnan(value)) return {};
  return precision == Precision::Full ? rt::formatShortest(value) : rt::formatResult(value);
}

// ------------------------------------------------------------ the kinds

StructureKind caissonKind(bool impulsive, double requiredSafety) {
  StructureKind k;
  k.inputs = report::kCaissonInputHeader;
  k.settings = report::kCaissonSettingHeader;
  k.results = report::kCaissonResultHeader;
  //           n             beta berm λ1 λ2 λ3 rho   density weight mu
  k.defaults = {std::nullopt, 0.0, 0.0, 1.0, 1.0, 1.0, 1030.0, 2100.0, kNaN, 0.6};
  k.optionNames = {"--n",       "--beta",    "--berm", "--lambda1", "--lambda2",
                   "--lambda3", "--rho",     "--density", "--weight", "--mu"};
  k.expected = report::Usage::ColumnsCaisson;
  k.mode = "caisson";
  k.compute = [impulsive, requiredSafety](std::span<const double> v, Precision precision) {
    structure::CaissonInput c;
    c.Hmax = v[0], c.H13 = v[1], c.T = v[2], c.h = v[3], c.hPrime = v[4], c.d = v[5];
    c.hc = v[6], c.B = v[7], c.n = v[8], c.beta = v[9], c.berm = v[10], c.lambda1 = v[11];
    c.lambda2 = v[12], c.lambda3 = v[13], c.rho = v[14], c.density = v[15], c.weight = v[16];
    c.mu = v[17];
    c.impulsive = impulsive;
    c.requiredSafety = requiredSafety;
    const structure::CaissonResult r = structure::caisson(c);
    return StructureOutcome{cellsOf(report::caissonValues(r), precision), r.error, r.warnings};
  };
  return k;
}

StructureKind overtoppingKind(structure::Structure kind, structure::Approach approach,
                              bool foreshore, bool permeableCore) {
  StructureKind k;
  k.inputs = report::kOvertoppingInputHeader;
  k.settings = report::kOvertoppingSettingHeader;
  k.results = report::kOvertoppingResultHeader;
  // cot α is needed on a slope, h at a wall and d at a composite wall: NaN
  // lets the engine say which is missing, row by row.
  //           cot_alpha γf   γb   γv   beta h     d     crest_width
  k.defaults = {kNaN,     1.0, 1.0, 1.0, 0.0, kNaN, kNaN, 0.0};
  k.optionNames = {"--cot-alpha", "--gamma-f", "--gamma-b", "--gamma-v",
                   "--beta",      "--h",       "--d",       "--crest-width"};
  k.expected = report::Usage::ColumnsOvertopping;
  k.mode = "overtopping";
  k.compute = [=](std::span<const double> v, Precision precision) {
    structure::OvertoppingInput o;
    o.Hm0 = v[0], o.Tm10 = v[1], o.Rc = v[2], o.cotAlpha = v[3], o.gammaF = v[4];
    o.gammaB = v[5], o.gammaV = v[6], o.beta = v[7], o.h = v[8], o.d = v[9];
    o.crestWidth = v[10];
    o.structure = kind, o.approach = approach, o.foreshore = foreshore;
    o.permeableCore = permeableCore;
    const structure::OvertoppingResult q = structure::overtopping(o);
    StructureOutcome out{{std::string(), report::dischargeCell(q.q, precision == Precision::Shown),
                          q.ok() ? std::string(report::regimeName(q.regime)) : std::string()},
                         q.error,
                         q.warnings};
    if (kind == structure::Structure::Slope && q.ok()) {
      structure::RunupInput u;
      u.Hm0 = o.Hm0, u.Tm10 = o.Tm10, u.cotAlpha = o.cotAlpha, u.gammaF = o.gammaF;
      u.gammaB = o.gammaB, u.beta = o.beta, u.h = o.h, u.permeableCore = permeableCore;
      u.approach = approach;
      const structure::RunupResult r = structure::runup(u);
      out.cells[0] = structureCell(r.Ru2, precision);
      out.warnings.add(r.warnings);
    }
    return out;
  };
  return k;
}

StructureKind armourKind(structure::ArmourMethod method) {
  StructureKind k;
  k.inputs = report::kArmourInputHeader;
  k.settings = report::kArmourSettingHeader;
  k.results = report::kArmourResultHeader;
  //           P    S    N       KD   H2    h     rho_s   rho
  k.defaults = {0.4, 2.0, 3000.0, 4.0, kNaN, kNaN, 2650.0, 1025.0};
  k.optionNames = {"--P", "--S", "--N", "--KD", "--H2", "--h", "--rho-s", "--rho"};
  k.expected = report::Usage::ColumnsArmour;
  k.mode = "armour";
  k.compute = [method](std::span<const double> v, Precision precision) {
    structure::ArmourInput a;
    a.method = method;
    a.Hs = v[0], a.T = v[1], a.cotAlpha = v[2], a.P = v[3], a.S = v[4], a.N = v[5];
    a.KD = v[6], a.H2 = v[7], a.h = v[8], a.rhoS = v[9], a.rho = v[10];
    const structure::ArmourResult r = structure::armour(a);
    StructureOutcome out{cellsOf(report::armourValues(r), precision), r.error, r.warnings};
    out.cells.emplace_back(r.ok() ? report::armourBreakerName(r.breaker) : std::string_view());
    return out;
  };
  return k;
}

// ------------------------------------------------------------ the table

StructureTable::StructureTable(StructureKind kind, std::vector<std::optional<double>> constants,
                               Precision precision, report::Language language, bool warnings,
                               const CsvFormat& format)
    : kind_(std::move(kind)),
      constants_(std::move(constants)),
      precision_(precision),
      language_(language),
      warnings_(warnings),
      format_(format) {
  constants_.resize(kind_.settings.size());
  setUnitsMode(kind_.mode);
}

void StructureTable::readHeader(const Record& header) {
  std::vector<std::string_view> names(kind_.inputs.begin(), kind_.inputs.end());
  names.insert(names.end(), kind_.settings.begin(), kind_.settings.end());
  std::vector<std::string_view> reserved(kind_.results.begin(), kind_.results.end());
  reserved.push_back("error");
  if (warnings_) reserved.push_back(kWarningsColumn);
  columns_ = readTableHeader(header, names, kind_.inputs.size(), kind_.expected, reserved,
                             format_.delimiter);
  for (std::size_t s = 0; s < kind_.settings.size(); ++s) {
    const bool column = columns_.position[kind_.inputs.size() + s].has_value();
    const std::string name(kind_.settings[s]);
    if (column && constants_[s]) {
      throw InputError(atLine(header.line) +
                       say(report::Usage::SettingTwice, {name, kind_.optionNames[s]}));
    }
    if (!column && !constants_[s] && !kind_.defaults[s]) {
      throw InputError(atLine(header.line) +
                       say(report::Usage::SettingMissing, {name, kind_.optionNames[s]}));
    }
  }
}

std::vector<std::string> StructureTable::outputHeader() const {
  std::vector<std::string> header;
  for (std::size_t i = 0; i < columns_.names.size(); ++i) {
    header.push_back(columns_.inputAt[i] ? ownName(columns_.names[i]) : columns_.names[i]);
  }
  for (const std::string_view name : kind_.results) header.push_back(ownName(name));
  header.emplace_back("error");
  if (warnings_) header.emplace_back(kWarningsColumn);
  return header;
}

bool StructureTable::appendRow(std::span<const std::string_view> fields, std::string& out,
                               std::string* error, std::uint32_t* warningBits) const {
  const std::size_t inputs = kind_.inputs.size();
  const std::size_t all = inputs + kind_.settings.size();
  std::vector<std::string_view> cells;   // the number cells the row gives
  std::vector<std::string_view> named;   // their columns
  std::vector<double> values(all, kNaN);
  StructureOutcome outcome;
  std::string message;
  std::uint32_t bits = 0;
  if (fields.size() != columns_.width) {
    message = report::fieldCountText(fields.size(), columns_.width, language_);
  } else {
    for (std::size_t c = 0; c < all; ++c) {
      const std::size_t s = c - inputs;  // the setting's index, for c >= inputs
      const std::optional<double> fallback =
          c < inputs ? std::optional<double>(kNaN)
                     : (constants_[s] ? constants_[s] : kind_.defaults[s]);
      if (columns_.position[c]) {
        const std::string_view cell = fields[*columns_.position[c]];
        const bool blank = cell.find_first_not_of(" \t") == std::string_view::npos;
        if (c >= inputs && blank) {  // an empty setting: the option's value or the default
          values[c] = fallback.value_or(kNaN);
          continue;
        }
        cells.push_back(cell);
        named.push_back(c < inputs ? kind_.inputs[c] : kind_.settings[s]);
        values[c] = report::readCell(cell, format_.decimalComma).value;
      } else {
        values[c] = fallback.value_or(kNaN);
      }
    }
    const auto wordy = firstTextAfterNumber(cells, format_.decimalComma);
    if (wordy && format_.strict) {
      message = report::trailingTextText(named[*wordy], format_.decimalComma, language_);
    } else {
      outcome = kind_.compute(values, precision_);
      message = report::errorText(outcome.error, language_);
      bits = outcome.warnings.bits | (wordy ? kTextAfterNumberWarning : 0u);
    }
  }
  outcome.cells.resize(kind_.results.size());
  const char d = format_.delimiter;
  for (std::size_t i = 0; i < columns_.width; ++i) {
    report::appendCsvField(out, i < fields.size() ? fields[i] : std::string_view(), d);
    out.push_back(d);
  }
  for (std::string& cell : outcome.cells) {
    if (format_.decimalComma) report::useDecimalComma(cell);
    report::appendCsvField(out, cell, d);
    out.push_back(d);
  }
  report::appendCsvField(out, message, d);
  if (warnings_) {
    out.push_back(d);
    out += std::to_string(bits);
  }
  out.push_back('\n');
  if (!message.empty() && error != nullptr) *error = message;
  if (warningBits != nullptr) *warningBits = bits;
  return message.empty();
}

// ------------------------------------------------------------ the chain

namespace {

enum ChainInput : std::size_t { kHrms0 = 2, kHm0 = 3 };  // in kTransformInputs

// The summary form's row: q, whether the row failed, the pass-through
// cells (line ends blanked), separated by the unit separator.
constexpr char kUnit = '\x1f';

}  // namespace

ChainTable::ChainTable(const BedProfileData& profile, ChainSetup setup)
    : profile_(profile), setup_(std::move(setup)) {}

void ChainTable::readHeader(const Record& header) {
  std::vector<std::string_view> reserved(report::kChainResultHeader.begin(),
                                         report::kChainResultHeader.end());
  reserved.push_back("error");
  reserved.push_back(kWarningsColumn);
  columns_ = readTableHeader(header, kTransformInputs, 2, TransformTable::kExpected, reserved,
                             setup_.format.delimiter);
  const bool rms = columns_.position[kHrms0].has_value(), m0 = columns_.position[kHm0].has_value();
  if (rms == m0) {
    throw InputError(atLine(header.line) +
                     (rms ? say(report::Usage::HeightTwice)
                          : say(report::Usage::LacksHeight, {say(TransformTable::kExpected)})));
  }
}

std::vector<std::string> ChainTable::outputHeader() const {
  std::vector<std::string> header;
  for (std::size_t i = 0; i < columns_.inputAt.size(); ++i) {
    if (!columns_.inputAt[i]) header.push_back(columns_.names[i]);
  }
  if (setup_.summary) return header;  // read back by ChainSummaryReader, never shown
  for (const std::string_view name : report::kChainResultHeader) header.push_back(ownName(name));
  header.emplace_back("error");
  if (setup_.warnings) header.emplace_back(kWarningsColumn);
  return header;
}

void ChainTable::appendRows(std::size_t count, const FieldsOf& fieldsOf, std::string& out,
                            Failures& failures) const {
  const char d = setup_.format.delimiter;
  const bool comma = setup_.format.decimalComma;
  std::vector<std::string> prefix(count), message(count);
  std::vector<std::uint32_t> bits(count, 0);
  std::vector<std::size_t> at(count, 0);  // the condition of each record without a message
  std::vector<shore::SeaCondition> conditions;
  std::vector<std::string_view> fields;
  const bool passThrough =
      std::any_of(columns_.inputAt.begin(), columns_.inputAt.end(), [](const auto& a) { return !a; });
  for (std::size_t j = 0; j < count; ++j) {
    fieldsOf(j, fields);
    bool firstCell = true;
    for (std::size_t i = 0; i < columns_.inputAt.size(); ++i) {
      if (columns_.inputAt[i]) continue;
      if (!firstCell) prefix[j].push_back(d);
      firstCell = false;
      report::appendCsvField(prefix[j], i < fields.size() ? fields[i] : std::string_view(), d);
    }
    shore::SeaCondition c;
    c.windStressY = setup_.windStress;
    message[j] = readCondition(columns_, fields, setup_.format, setup_.language, c, bits[j]);
    if (!message[j].empty()) continue;
    at[j] = conditions.size();
    conditions.push_back(c);
  }
  std::vector<structure::ChainRow> rows(conditions.size());
  structure::overtoppingChain(viewOf(profile_), conditions, rows, setup_.options, setup_.model);
  const bool shown = setup_.precision == Precision::Shown;
  for (std::size_t j = 0; j < count; ++j) {
    const structure::ChainRow* r = message[j].empty() ? &rows[at[j]] : nullptr;
    if (r != nullptr) {
      bits[j] |= r->warnings.bits;
      message[j] = report::errorText(r->error, setup_.language);
    }
    if (setup_.summary) {
      if (r != nullptr && !std::isnan(r->q)) out += rt::formatShortest(r->q);
      out.push_back(kUnit);
      out.push_back(message[j].empty() ? '0' : '1');
      out.push_back(kUnit);
      for (const char c : prefix[j]) out.push_back(c == '\n' || c == '\r' ? ' ' : c);
      out.push_back('\n');
    } else {
      out += prefix[j];
      if (passThrough) out.push_back(d);
      const structure::ChainRow none;
      const structure::ChainRow& v = r != nullptr ? *r : none;
      std::vector<std::string> cells;
      for (const float value : {v.level, v.depth, v.Hm0, v.Tm10, v.beta, v.Rc, v.Ru2}) {
        cells.push_back(structureCell(value, setup_.precision));
      }
      cells.push_back(report::dischargeCell(v.q, shown));
      cells.emplace_back(std::isnan(v.q) ? std::string_view() : report::regimeName(v.regime));
      for (std::string& cell : cells) {
        if (comma) report::useDecimalComma(cell);
        report::appendCsvField(out, cell, d);
        out.push_back(d);
      }
      report::appendCsvField(out, message[j], d);
      if (setup_.warnings) {
        out.push_back(d);
        out += std::to_string(bits[j]);
      }
      out.push_back('\n');
    }
    if (!message[j].empty()) failures.add(j, message[j]);
    if (bits[j] != 0) failures.addWarned(j);
  }
}

bool ChainTable::appendRow(std::span<const std::string_view> fields, std::string& out,
                           std::string* error, std::uint32_t* warningBits) const {
  Failures failures;
  appendRows(
      1, [&](std::size_t, std::vector<std::string_view>& f) { f.assign(fields.begin(), fields.end()); },
      out, failures);
  if (error != nullptr && failures.count > 0) *error = failures.message;
  if (warningBits != nullptr) *warningBits = failures.warned > 0 ? 1u : 0u;
  return failures.count == 0;
}

// ------------------------------------------------------------ the summary

ChainSummaryReader::ChainSummaryReader(std::span<const double> limits,
                                       std::vector<std::string> passThrough, char delimiter)
    : summary_(limits), passThrough_(std::move(passThrough)), delimiter_(delimiter) {}

void ChainSummaryReader::take(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      pending_.append(bytes);
      return;
    }
    pending_.append(bytes.substr(0, end));
    line(pending_);
    pending_.clear();
    bytes.remove_prefix(end + 1);
  }
}

void ChainSummaryReader::line(std::string_view text) {
  if (header_) {  // the header (and the byte-order mark before it)
    header_ = false;
    return;
  }
  const std::size_t first = text.find(kUnit);
  const std::size_t second = text.find(kUnit, first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return;
  structure::ChainRow row;
  const std::string_view q = text.substr(0, first);
  if (!q.empty()) row.q = static_cast<float>(rt::leadingNumber(q).value_or(kNaN));
  if (text[first + 1] == '1') row.error = shore::Error::InvalidStructureOption;
  summary_.add(row, index_);
  if (summary_.qMaxIndex == index_) {  // this row holds the largest q so far
    maxCells_ = std::string(text.substr(second + 1));
  }
  ++index_;
}

std::string ChainSummaryReader::csv() const {
  std::string out;
  const auto row = [&](std::string_view quantity, const std::string& value, std::string_view unit) {
    const std::array<std::string_view, 3> cells = {quantity, value, unit};
    report::appendCsvRecord(out, cells);
  };
  row("quantity", "value", "unit");
  row("conditions", std::to_string(summary_.rows), "-");
  row("computed", std::to_string(summary_.computed), "-");
  row("failed", std::to_string(summary_.failed), "-");
  for (std::size_t i = 0; i < summary_.limits.size(); ++i) {
    // The limit in fixed notation, as the options are usually typed (0.0001, not 1e-04).
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, summary_.limits[i],
                                   std::chars_format::fixed).ptr;
    row("above_" + std::string(text, end), std::to_string(summary_.above[i]), "conditions");
  }
  row("q_max", report::dischargeCell(summary_.qMax, false), "m3/s per m");
  const bool any = summary_.qMaxIndex != structure::ChainSummary::kNoRow;
  row("q_max_row", any ? std::to_string(summary_.qMaxIndex + 1) : std::string(), "-");
  // The pass-through cells of that row (its time, its record...), split again.
  RecordBuffer buffer;
  if (any && !passThrough_.empty()) {
    RecordReader reader(kMaxRecordBytes, delimiter_);
    reader.setOutput(buffer);
    try {
      reader.feed(maxCells_);
      reader.feed("\n");
      reader.finish();
    } catch (const InputError&) {
      buffer.records.clear();
    }
  }
  std::vector<std::string_view> cells;
  if (!buffer.records.empty()) buffer.fieldsOf(0, cells);
  for (std::size_t i = 0; i < passThrough_.size(); ++i) {
    row("q_max_" + passThrough_[i], i < cells.size() ? std::string(cells[i]) : std::string(), "-");
  }
  return out;
}

}  // namespace saiha::cli
