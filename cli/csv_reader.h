// The calculation sheet over CSV: one input row per case, read as the texts of
// the five input boxes, and one output row with the texts of every box.
//
// Input is RFC 4180 text: comma-separated fields, double quotes around a
// field that holds a comma, quote or line break, "" for a quote inside one.
// A UTF-8 byte-order mark at the start is skipped, CRLF, LF and CR all end a
// record, blank lines are skipped, and blanks inside a field are kept (a cell
// of blanks in the depth column is not an empty depth, as in the window).
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "report/messages.h"

namespace saiha::cli {

// The input cannot be used at all: it is not CSV text, or its header does not
// name the columns.  The message is one line, in the language of saiha-calc's
// messages (cli/say.h), for standard error.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One CSV record and the line of the input it starts on (1-based; the line
// count includes the header and skipped blank lines).
struct Record {
  std::vector<std::string> fields;
  std::size_t line = 0;
};
// The fields joined by `delimiter`, each quoted as needed, ended by LF.
std::string formatRecord(std::span<const std::string> fields, char delimiter = ',');

// The input columns, by header name.
enum class Column : std::size_t { Ho, T, alpha0, n, h };
inline constexpr std::size_t kColumnCount = 5;
inline constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"Ho", "T", "alpha0",
                                                                            "n", "h"};

// Where each input column stands in the input's records, and the columns an
// output row starts with.
struct Layout {
  std::array<std::optional<std::size_t>, kColumnCount> position;  // h may be absent
  std::size_t width = 0;  // number of fields every data record must have
  // An output column before the results: an input column, or a field of the
  // record passed through (an identifier, a time...).
  struct Slot {
    std::optional<Column> input;
    std::size_t field = 0;  // the passed-through field's position
  };
  // The header's columns in their order, the input columns among them in the
  // order Ho, T, alpha0, n, h in the places they take (h after them when the
  // input has none).  Empty: Ho, T, alpha0, n, h.
  std::vector<Slot> slots;
  std::vector<std::string> names;  // the header's names, blanks around them dropped
};

// A header read against the input columns of a table: where each input
// stands, and what every header column is.
struct HeaderColumns {
  std::vector<std::optional<std::size_t>> position;  // of each input name; absent: nothing
  std::size_t width = 0;  // number of fields every data record must have
  std::vector<std::string> names;  // the header's names, blanks around them dropped
  // Each header column in order: the index of the input name it is, or
  // nothing for a column passed through.
  std::vector<std::optional<std::size_t>> inputAt;
};

// Reads a header record against `inputs`, the first `required` of them
// needed.  Names are matched exactly, case included, after blanks and tabs
// around them are dropped; the columns may come in any order.  A column that
// is not an input is passed through.  Throws InputError, saying the header
// must name `expected` (the catalogue's list of the columns), when a required input is missing or a name is
// repeated or empty, for a name that looks like a mistake rather than a
// column of its own (an input's name in other letter case, a number, a name
// with a control character or a field separator other than `delimiter`
// among ',', ';' and tab), and for a name among `reserved` (the output's own).
HeaderColumns readTableHeader(const Record& header, std::span<const std::string_view> inputs,
                              std::size_t required, report::Usage expected,
                              std::span<const std::string_view> reserved = {},
                              char delimiter = ',');

// Reads the header record of the regular waves' cases: readTableHeader over
// Ho, T, alpha0, n and h, the first four required.
Layout readHeader(const Record& header, std::span<const std::string_view> reserved = {},
                  char delimiter = ',');

// Where each of `names` stands in a header, matched as readHeader matches
// them, no other name allowed; the first `required` must be there.  Throws
// InputError, saying the header must name `expected`, as readHeader does.
std::vector<std::optional<std::size_t>> readColumns(const Record& header,
                                                    std::span<const std::string_view> names,
                                                    std::size_t required,
                                                    report::Usage expected);

// A record longer than this (bytes, line ends included) ends the run: no
// case needs it, and it keeps one hostile line from exhausting memory.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{16} << 20;

// The fields of records as they are read: every field's bytes one after the
// other, and where each field and record ends.  One buffer per chunk of rows
// keeps the reading free of an allocation per cell.
struct RecordBuffer {
  struct Entry {
    std::size_t line;        // the line the record starts on
    std::size_t firstField;  // index into fieldEnds
    std::size_t fieldCount;
  };
  std::string bytes;
  std::vector<std::size_t> fieldEnds;  // end of each field in `bytes`
  std::vector<Entry> records;

  std::string_view field(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : fieldEnds[i - 1];
    return std::string_view(bytes).substr(begin, fieldEnds[i] - begin);
  }
  void fieldsOf(std::size_t record, std::vector<std::string_view>& out) const {
    out.clear();
    const Entry& e = records[record];
    for (std::size_t f = 0; f < e.fieldCount; ++f) out.push_back(field(e.firstField + f));
  }
};

// Splits CSV text that arrives in blocks into records, knowing the line each
// record starts on and the line of any fault.  Throws InputError, naming the
// line, for a NUL byte (binary or UTF-16 input), a byte that is not UTF-8, a
// quote inside an unquoted field, text after a closing quote, a quoted field
// that never closes, or a record above `maxRecordBytes`.  Fields are
// separated by `delimiter` (',', ';' or a tab).
class RecordReader {
 public:
  explicit RecordReader(std::size_t maxRecordBytes, char delimiter = ',');
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // Complete records go to `out` from now on; the fields already read of a
  // record not yet ended move there with it.
  void setOutput(RecordBuffer& out);
  // The next bytes of the input.
  void feed(std::string_view block);
  // The end of the input.
  void finish();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace saiha::cli
