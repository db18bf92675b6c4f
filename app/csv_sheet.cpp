#include "app/csv_sheet.h"

#include <csv.h>

#include <algorithm>
#include <utility>

#include "sheet/calc.h"
#include "sheet/sheet.h"

namespace saiha::cli {

namespace {

// The sheet's input box for each input column, in Column order.
constexpr std::array<sheet::Box, kColumnCount> kColumnBoxes = {
    sheet::kHeightBox, sheet::kPeriodBox, sheet::kAngleBox, sheet::kSlopeBox, sheet::kDepthBox};

constexpr std::string_view kExpectedColumns = "Ho, T, alpha0, n and optionally h";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A header name fit for a one-line message: control characters become '?'
// and a long name is cut (at a UTF-8 character boundary) and marked "...".
std::string shown(std::string_view name) {
  constexpr std::size_t kMaxShown = 40;
  std::string out;
  if (name.size() > kMaxShown) {
    std::size_t cut = kMaxShown;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name = name.substr(0, cut);
    out = "...";
  }
  std::string text;
  for (char c : name) text.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
  return "'" + text + out + "'";
}

// libcsv keeps blanks around unquoted fields only when told that no
// character is a blank: a cell of blanks must reach the sheet as it is.
int noBlanks(unsigned char) { return 0; }

// Collects libcsv's field and record callbacks into records.
struct Collector {
  std::vector<Record> records;
  std::vector<std::string> fields;
  std::size_t startLine = 0;   // line of the record being collected
  std::size_t recordEnds = 0;  // records ended so far, blank lines included

  static void onField(void* data, std::size_t size, void* self) {
    auto& c = *static_cast<Collector*>(self);
    c.fields.emplace_back(static_cast<const char*>(data), size);
  }

  static void onRecord(int, void* self) {
    auto& c = *static_cast<Collector*>(self);
    ++c.recordEnds;
    std::vector<std::string> fields = std::exchange(c.fields, {});
    // A line of nothing but blanks is a blank line, not a one-field row.
    if (fields.size() == 1 && trimBlanks(fields.front()).empty()) return;
    c.records.push_back(Record{std::move(fields), c.startLine});
  }
};

// Owns a libcsv parser for one input.
class Parser {
 public:
  Parser() {
    if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
    csv_set_space_func(&parser_, noBlanks);
  }
  ~Parser() { csv_free(&parser_); }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  bool feed(char byte, Collector& out) {
    return csv_parse(&parser_, &byte, 1, Collector::onField, Collector::onRecord, &out) == 1;
  }
  bool finish(Collector& out) {
    return csv_fini(&parser_, Collector::onField, Collector::onRecord, &out) == 0;
  }
  int error() { return csv_error(&parser_); }

 private:
  csv_parser parser_{};
};

std::string lineText(std::size_t line) { return "line " + std::to_string(line) + ": "; }

// Whether byte `i` ends a line: LF, or CR not followed by LF, so that CRLF,
// LF and a lone CR each count as one line end.
bool endsLine(std::string_view text, std::size_t i) {
  return text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
}

// The line of the input that byte `pos` lies on.
std::size_t lineAt(std::string_view text, std::size_t pos) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < pos && i < text.size(); ++i) line += endsLine(text, i) ? 1 : 0;
  return line;
}

std::string failedRowMessage(std::size_t fields, std::size_t width) {
  return "列の数が見出し行と合いません（この行 " + std::to_string(fields) + " 列，見出し行 " +
         std::to_string(width) +
         " 列）．小数点にはピリオドを使い，カンマを含むセルは二重引用符で囲んでください．";
}

}  // namespace

std::vector<Record> parseRecords(std::string_view text) {
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    throw InputError(lineText(1) + "the input is UTF-16 text; save it as UTF-8 CSV");
  }
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
    throw InputError(lineText(lineAt(text, nul)) +
                     "the input contains a NUL byte; it is not a CSV text file");
  }

  // The UTF-8 byte-order mark that spreadsheets put in front of a CSV file
  // is not part of the first column's name.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const std::size_t begin = text.starts_with(kBom) ? kBom.size() : 0;

  // Bytes go to the parser one at a time so that each record knows the line
  // it starts on and a parse error knows the line it is on.
  Collector out;
  Parser parser;
  std::size_t line = 1;
  bool betweenRecords = true;
  for (std::size_t i = begin; i < text.size(); ++i) {
    const char c = text[i];
    const bool lineEnd = c == '\n' || c == '\r';
    if (betweenRecords && !lineEnd) {
      out.startLine = line;
      betweenRecords = false;
    }
    const std::size_t endsSoFar = out.recordEnds;
    if (!parser.feed(c, out)) {
      if (parser.error() == CSV_ENOMEM || parser.error() == CSV_ETOOBIG) throw std::bad_alloc();
      throw InputError(lineText(line) +
                       "malformed CSV: a double quote may only stand inside a quoted field, "
                       "doubled, and a quoted field must end at a comma or a line end");
    }
    // Once a record has ended, the next byte that is not a line end starts
    // the next one.
    if (out.recordEnds != endsSoFar) betweenRecords = true;
    if (endsLine(text, i)) ++line;
  }
  if (!parser.finish(out)) {
    throw InputError(lineText(out.startLine) +
                     "malformed CSV: a quoted field is not closed before the end of the input");
  }
  return std::move(out.records);
}

std::string quoteField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

std::string formatRecord(std::span<const std::string> fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line.push_back(',');
    line += quoteField(fields[i]);
  }
  line.push_back('\n');
  return line;
}

Layout readHeader(const Record& header) {
  const std::string where = lineText(header.line);
  Layout layout;
  layout.width = header.fields.size();
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string_view name = trimBlanks(header.fields[i]);
    if (name.empty()) {
      throw InputError(where + "column " + std::to_string(i + 1) +
                       " of the header has no name; the header must name " +
                       std::string(kExpectedColumns));
    }
    const auto found = std::find(kColumnNames.begin(), kColumnNames.end(), name);
    if (found == kColumnNames.end()) {
      std::string message = where + "unknown column " + shown(name) +
                            " in the header; the header must name " +
                            std::string(kExpectedColumns) + ", each once";
      if (name.find_first_of(";\t") != std::string_view::npos) {
        message += " (fields must be separated by commas)";
      }
      throw InputError(message);
    }
    auto& position = layout.position[static_cast<std::size_t>(found - kColumnNames.begin())];
    if (position) throw InputError(where + "column " + shown(name) + " appears twice in the header");
    position = i;
  }
  for (std::size_t c = 0; c < kColumnCount; ++c) {
    if (!layout.position[c] && static_cast<Column>(c) != Column::h) {
      throw InputError(where + "the header lacks column " + shown(kColumnNames[c]) +
                       "; it must name " + std::string(kExpectedColumns));
    }
  }
  return layout;
}

RowOutcome calcRecord(const Layout& layout, const Record& record) {
  RowOutcome row;
  row.cells.resize(kOutputHeader.size());
  const auto cell = [&](std::size_t column) -> std::string {
    const auto& position = layout.position[column];
    return position && *position < record.fields.size() ? record.fields[*position] : std::string();
  };

  if (record.fields.size() != layout.width) {
    for (std::size_t c = 0; c < kColumnCount; ++c) row.cells[c] = cell(c);
    row.cells.back() = failedRowMessage(record.fields.size(), layout.width);
    return row;
  }

  sheet::Sheet sheet;
  sheet::loadDefaults(sheet);
  for (std::size_t c = 0; c < kColumnCount; ++c) sheet.setText(kColumnBoxes[c], cell(c));
  const sheet::CalcOutcome outcome = sheet::calc(sheet);

  for (std::size_t c = 0; c < kColumnCount; ++c) row.cells[c] = sheet.text(kColumnBoxes[c]);
  for (std::size_t r = 0; r < sheet::kResultBoxes.size(); ++r) {
    const sheet::Box box = sheet::kResultBoxes[r];
    if (outcome.written.test(sheet::index(box))) row.cells[kColumnCount + r] = sheet.text(box);
  }
  if (outcome.error) row.cells.back() = sheet::errorText(*outcome.error);
  row.ok = outcome.ok();
  return row;
}

int run(std::string_view input, std::ostream& out, std::string& diagnostic) {
  std::string output;
  bool allComputed = true;
  try {
    const std::vector<Record> records = parseRecords(input);
    if (records.empty()) {
      throw InputError("the input is empty; its first row must name the columns " +
                       std::string(kExpectedColumns));
    }
    const Layout layout = readHeader(records.front());

    const std::vector<std::string> header(kOutputHeader.begin(), kOutputHeader.end());
    output = formatRecord(header);
    for (std::size_t i = 1; i < records.size(); ++i) {
      const RowOutcome row = calcRecord(layout, records[i]);
      allComputed = allComputed && row.ok;
      output += formatRecord(row.cells);
    }
  } catch (const InputError& error) {
    diagnostic = error.what();
    return kUnusable;
  }
  out << output;
  return allComputed ? kAllComputed : kSomeFailed;
}

}  // namespace saiha::cli
