// The CSV reader of saiha-calc: RFC 4180 records out of blocks of UTF-8
// text, and the header that names the input columns.
#include "cli/csv_reader.h"

#include <charconv>
#include <csv.h>

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <utility>

#include "cli/say.h"
#include "report/csv_text.h"

namespace saiha::cli {

namespace {

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

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

// Splits CSV text that arrives in blocks into records, knowing the line each
// record starts on and the line of any fault.  libcsv parses; each line goes
// to it on its own, so that a record's first line is the line of the first
// byte fed after the previous record ended.  A whole line without quotes,
// the common case, is split at its commas here instead.
class RecordReader::Impl {
 public:
  Impl(std::size_t maxRecordBytes, char delimiter)
      : maxRecordBytes_(maxRecordBytes), delimiter_(delimiter) {
    if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
    csv_set_space_func(&parser_, noBlanks);
    csv_set_delim(&parser_, static_cast<unsigned char>(delimiter));
  }
  ~Impl() { csv_free(&parser_); }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  // Complete records go to `out` from now on; the fields already read of a
  // record not yet ended move there with it.
  void setOutput(RecordBuffer& out) {
    if (out_ == &out) return;
    if (out_ == nullptr) {
      currentField_ = out.fieldEnds.size();
    } else {
      const std::size_t byteBase = fieldBegin(currentField_);
      const std::size_t moved = out_->fieldEnds.size() - currentField_;
      const std::size_t base = out.bytes.size();
      for (std::size_t f = currentField_; f < out_->fieldEnds.size(); ++f) {
        out.fieldEnds.push_back(base + out_->fieldEnds[f] - byteBase);
      }
      out.bytes.append(out_->bytes, byteBase);
      out_->bytes.resize(byteBase);
      out_->fieldEnds.resize(currentField_);
      currentField_ = out.fieldEnds.size() - moved;
    }
    out_ = &out;
  }

  // The next bytes of the input.  Throws InputError for a fault of the text.
  void feed(std::string_view block) {
    if (atStart_) {
      atStart_ = false;
      checkStart(block);
      if (block.starts_with(kUtf8Bom)) block.remove_prefix(kUtf8Bom.size());
    }
    std::size_t segmentStart = 0;
    for (std::size_t i = 0; i < block.size(); ++i) {
      const auto byte = static_cast<unsigned char>(block[i]);
      if (byte >= 0x80 || utf8Needed_ > 0) {
        checkUtf8(byte);
      } else if (byte == 0) {
        throw InputError(atLine(line_) + say(report::Usage::NulByte));
      }
      if (byte == '\n' || byte == '\r') {
        feedSegment(block.substr(segmentStart, i + 1 - segmentStart));
        segmentStart = i + 1;
        // CRLF, LF and a lone CR each end one line.
        if (byte == '\r' || !afterCr_) ++line_;
        afterCr_ = byte == '\r';
        segmentLine_ = line_;
      } else {
        afterCr_ = false;
      }
    }
    if (segmentStart < block.size()) feedSegment(block.substr(segmentStart));
  }

  // The end of the input.
  void finish() {
    if (utf8Needed_ > 0) throw notUtf8();
    if (csv_fini(&parser_, onField, onRecord, this) != 0) {
      rethrowPending();
      throw InputError(atLine(startLine_) + say(report::Usage::QuoteNotClosed));
    }
    rethrowPending();
  }

 private:
  // libcsv grows its field buffer by a fixed block: grown by at least what it
  // holds, a very long cell costs time in proportion to its length.
  static constexpr std::size_t kMinParserBlock = 4096;

  std::size_t fieldBegin(std::size_t field) const {
    return field == 0 ? 0 : out_->fieldEnds[field - 1];
  }

  // Input that is not CSV text from its very first bytes.
  static void checkStart(std::string_view block) {
    if (block.starts_with("\xFF\xFE") || block.starts_with("\xFE\xFF")) {
      throw InputError(atLine(1) + say(report::Usage::Utf16));
    }
    if (const auto nul = block.find('\0'); nul != std::string_view::npos) {
      throw InputError(atLine(lineAt(block, nul)) + say(report::Usage::NulByte));
    }
  }

  InputError notUtf8() const {
    return InputError(atLine(line_) + say(report::Usage::NotUtf8));
  }

  // One step of UTF-8 validation: well-formed sequences only (no overlong
  // forms, surrogates or code points above U+10FFFF).
  void checkUtf8(unsigned char byte) {
    if (utf8Needed_ > 0) {
      if (byte < utf8Low_ || byte > utf8High_) throw notUtf8();
      --utf8Needed_;
      utf8Low_ = 0x80;
      utf8High_ = 0xBF;
      return;
    }
    utf8Low_ = 0x80;
    utf8High_ = 0xBF;
    if (byte >= 0xC2 && byte <= 0xDF) {
      utf8Needed_ = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
      utf8Needed_ = 2;
      if (byte == 0xE0) utf8Low_ = 0xA0;
      if (byte == 0xED) utf8High_ = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      utf8Needed_ = 3;
      if (byte == 0xF0) utf8Low_ = 0x90;
      if (byte == 0xF4) utf8High_ = 0x8F;
    } else {
      throw notUtf8();
    }
  }

  // Bytes of one line at most (ending with its line end, if it has one).
  void feedSegment(std::string_view segment) {
    const bool lineEnd = segment.front() == '\n' || segment.front() == '\r';
    // Between records libcsv skips a line end that stands alone.
    if (betweenRecords_ && lineEnd) return;
    const bool startsRecord = betweenRecords_;
    if (startsRecord) {
      startLine_ = segmentLine_;
      betweenRecords_ = false;
      recordBytes_ = 0;
    }
    recordBytes_ += segment.size();
    if (recordBytes_ > maxRecordBytes_) {
      throw InputError(atLine(startLine_) + say(report::Usage::RecordTooLong,
                                                {std::to_string(maxRecordBytes_ >> 20)}));
    }
    if (startsRecord && isWholeLine(segment) && segment.find('"') == std::string_view::npos) {
      splitLine(segment);
      return;
    }
    csv_set_blk_size(&parser_, std::max(kMinParserBlock, parser_.entry_size));
    const std::size_t endsBefore = recordEnds_;
    const std::size_t parsed =
        csv_parse(&parser_, segment.data(), segment.size(), onField, onRecord, this);
    rethrowPending();
    if (parsed != segment.size()) {
      if (csv_error(&parser_) == CSV_ENOMEM || csv_error(&parser_) == CSV_ETOOBIG) {
        throw std::bad_alloc();
      }
      throw InputError(atLine(segmentLine_) + say(report::Usage::MalformedQuote));
    }
    if (recordEnds_ != endsBefore) betweenRecords_ = true;
  }

  // Whether a segment ends with its line end (only the last of a block may not).
  static bool isWholeLine(std::string_view segment) {
    return segment.back() == '\n' || segment.back() == '\r';
  }

  // A whole line without a double quote, begun between records: its fields
  // are the texts between its separators, as libcsv would read them, and
  // libcsv, waiting for a record, is left as it is.
  void splitLine(std::string_view line) {
    line.remove_suffix(1);  // the line end
    std::size_t fieldStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] != delimiter_) continue;
      addField(line.substr(fieldStart, i - fieldStart));
      fieldStart = i + 1;
    }
    addField(line.substr(fieldStart));
    endRecord();
    ++recordEnds_;
    betweenRecords_ = true;
  }

  void addField(std::string_view field) {
    RecordBuffer& out = *out_;
    out.bytes.append(field);
    out.fieldEnds.push_back(out.bytes.size());
  }

  void endRecord() {
    RecordBuffer& out = *out_;
    const std::size_t first = currentField_;
    const std::size_t count = out.fieldEnds.size() - first;
    // An empty line never reaches here (it is skipped between records).  A
    // line of nothing but blanks, or of one quoted empty field, is skipped
    // only before the header; after it, it is a row of its own, which the
    // table refuses for its field count, so that no line of the input
    // vanishes without a word.
    if (!anyRecord_ && count == 1 && trimBlanks(out.field(first)).empty()) {
      out.bytes.resize(fieldBegin(first));
      out.fieldEnds.pop_back();
      return;
    }
    anyRecord_ = true;
    out.records.push_back({startLine_, first, count});
    currentField_ = out.fieldEnds.size();
  }

  void rethrowPending() {
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
  }

  // libcsv's callbacks: C code calls them, so nothing may be thrown through
  // it; a failure waits in `pending_` until csv_parse returns.
  static void onField(void* data, std::size_t size, void* self) {
    auto& r = *static_cast<Impl*>(self);
    if (r.pending_) return;
    try {
      r.addField(std::string_view(static_cast<const char*>(data), size));
    } catch (...) {
      r.pending_ = std::current_exception();
    }
  }

  static void onRecord(int, void* self) {
    auto& r = *static_cast<Impl*>(self);
    ++r.recordEnds_;
    if (r.pending_) return;
    try {
      r.endRecord();
    } catch (...) {
      r.pending_ = std::current_exception();
    }
  }

  csv_parser parser_{};
  RecordBuffer* out_ = nullptr;
  std::size_t currentField_ = 0;  // first field of the record being read
  std::exception_ptr pending_;
  std::size_t maxRecordBytes_;
  char delimiter_;

  bool atStart_ = true;
  bool anyRecord_ = false;  // a record was kept: the header has been read
  std::size_t line_ = 1;         // line of the next byte
  bool afterCr_ = false;
  std::size_t segmentLine_ = 1;  // line of the segment being fed
  std::size_t startLine_ = 0;    // line of the record being read
  bool betweenRecords_ = true;
  std::size_t recordBytes_ = 0;
  std::size_t recordEnds_ = 0;   // records ended so far, blank lines included
  int utf8Needed_ = 0;           // continuation bytes still expected
  unsigned char utf8Low_ = 0x80, utf8High_ = 0xBF;
};

RecordReader::RecordReader(std::size_t maxRecordBytes, char delimiter)
    : impl_(std::make_unique<Impl>(maxRecordBytes, delimiter)) {}
RecordReader::~RecordReader() = default;
void RecordReader::setOutput(RecordBuffer& out) { impl_->setOutput(out); }
void RecordReader::feed(std::string_view block) { impl_->feed(block); }
void RecordReader::finish() { impl_->finish(); }

std::string formatRecord(std::span<const std::string> fields, char delimiter) {
  std::string line;
  report::appendCsvRecord(line, fields, delimiter);
  return line;
}

std::vector<std::optional<std::size_t>> readColumns(const Record& header,
                                                    std::span<const std::string_view> names,
                                                    std::size_t required,
                                                    report::Usage expected) {
  const std::string where = atLine(header.line);
  const std::string columns = say(expected);
  std::vector<std::optional<std::size_t>> position(names.size());
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string_view name = trimBlanks(header.fields[i]);
    if (name.empty()) {
      throw InputError(where + say(report::Usage::UnnamedColumn, {std::to_string(i + 1), columns}));
    }
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
      std::string message = where + say(report::Usage::UnknownColumn, {shown(name), columns});
      if (name.find_first_of(";\t") != std::string_view::npos) {
        message += say(report::Usage::SeparatedBy, {say(report::Usage::Commas)});
      }
      throw InputError(message);
    }
    auto& at = position[static_cast<std::size_t>(found - names.begin())];
    if (at) throw InputError(where + say(report::Usage::ColumnTwice, {shown(name)}));
    at = i;
  }
  for (std::size_t c = 0; c < required; ++c) {
    if (!position[c]) {
      throw InputError(where + say(report::Usage::LacksColumn, {shown(names[c]), columns}));
    }
  }
  return position;
}

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The field separators other than the input's own, which in a header name
// say that the fields were split by another one.  A comma in a name is a
// name of its own under the comma (it was quoted).
std::string_view otherSeparators(char delimiter) {
  switch (delimiter) {
    case ';': return ",\t";
    case '\t': return ",;";
    default: return ";\t";
  }
}

report::Usage separatorName(char delimiter) {
  switch (delimiter) {
    case ';': return report::Usage::Semicolons;
    case '\t': return report::Usage::Tabs;
    default: return report::Usage::Commas;
  }
}

// A name that is more likely a slip than a column of its own: "H" for "h",
// a data row where the header should be, fields split by another separator.
bool looksMistaken(std::string_view name, std::span<const std::string_view> inputs,
                   char delimiter) {
  double number = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), number);
  const bool isNumber = ec == std::errc() && end == name.data() + name.size();
  const bool control = std::any_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
  const bool input = std::any_of(inputs.begin(), inputs.end(),
                                 [&](std::string_view known) { return sameIgnoringCase(name, known); });
  return isNumber || control || input ||
         name.find_first_of(otherSeparators(delimiter)) != std::string_view::npos;
}

}  // namespace

HeaderColumns readTableHeader(const Record& header, std::span<const std::string_view> inputs,
                              std::size_t required, report::Usage expected,
                              std::span<const std::string_view> reserved, char delimiter) {
  const std::string where = atLine(header.line);
  const std::string expectedText = say(expected);
  HeaderColumns columns;
  columns.position.resize(inputs.size());
  columns.width = header.fields.size();
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string_view name = trimBlanks(header.fields[i]);
    if (name.empty()) {
      throw InputError(where + say(report::Usage::UnnamedColumn,
                                   {std::to_string(i + 1), expectedText}));
    }
    if (std::find(columns.names.begin(), columns.names.end(), name) != columns.names.end()) {
      throw InputError(where + say(report::Usage::ColumnTwice, {shown(name)}));
    }
    columns.names.emplace_back(name);
    const auto found = std::find(inputs.begin(), inputs.end(), name);
    if (found != inputs.end()) {
      const auto input = static_cast<std::size_t>(found - inputs.begin());
      columns.position[input] = i;
      columns.inputAt.emplace_back(input);
      continue;
    }
    if (looksMistaken(name, inputs, delimiter)) {
      std::string message =
          where + say(report::Usage::UnknownColumn, {shown(name), expectedText});
      if (name.find_first_of(otherSeparators(delimiter)) != std::string_view::npos) {
        message += say(report::Usage::SeparatedBy, {say(separatorName(delimiter))});
      }
      throw InputError(message);
    }
    if (std::find(reserved.begin(), reserved.end(), name) != reserved.end()) {
      throw InputError(where + say(report::Usage::OutputColumnName, {shown(name)}));
    }
    columns.inputAt.emplace_back(std::nullopt);
  }
  for (std::size_t c = 0; c < required; ++c) {
    if (!columns.position[c]) {
      throw InputError(where + say(report::Usage::LacksColumn, {shown(inputs[c]), expectedText}));
    }
  }
  return columns;
}

Layout readHeader(const Record& header, std::span<const std::string_view> reserved,
                  char delimiter) {
  HeaderColumns columns = readTableHeader(header, kColumnNames, kColumnCount - 1,
                                          report::Usage::ColumnsCalc, reserved, delimiter);
  Layout layout;
  layout.width = columns.width;
  for (std::size_t c = 0; c < kColumnCount; ++c) layout.position[c] = columns.position[c];
  layout.names = std::move(columns.names);
  // The input columns in their order, in the places the header gives them.
  std::size_t next = 0, lastInput = 0;
  for (std::size_t i = 0; i < columns.inputAt.size(); ++i) {
    if (!columns.inputAt[i]) {
      layout.slots.push_back({std::nullopt, i});
      continue;
    }
    layout.slots.push_back({static_cast<Column>(next++), 0});
    lastInput = i;
  }
  if (!layout.position[static_cast<std::size_t>(Column::h)]) {
    const auto at = layout.slots.begin() + static_cast<std::ptrdiff_t>(lastInput + 1);
    layout.slots.insert(at, Layout::Slot{Column::h, 0});
  }
  return layout;
}

}  // namespace saiha::cli
