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
#include <csignal>
#include <cstdint>
#include <functional>
#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shore/engine.h"
#include "shore/model.h"

namespace saiha::cli {

// Exit status of saiha-calc.
inline constexpr int kAllComputed = 0;  // every row computed
inline constexpr int kSomeFailed = 1;   // at least one row failed; all rows written
inline constexpr int kUnusable = 2;     // usage error, unreadable input or header

// The input cannot be used at all: it is not CSV text, or its header does not
// name the columns.  The message is one line, in English, for standard error.
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

// Splits CSV text into records.  Throws InputError, naming the line, for a
// NUL byte (binary or UTF-16 input), a byte that is not UTF-8, a quote inside
// an unquoted field, text after a closing quote, or a quoted field that never
// closes.
std::vector<Record> parseRecords(std::string_view text);

// A field as RFC 4180 writes it: quoted, with inner quotes doubled, when it
// holds a comma, a quote, CR or LF; as it is otherwise.
std::string quoteField(std::string_view field);

// The fields joined by commas, each quoted as needed, ended by LF.
std::string formatRecord(std::span<const std::string> fields);

// The input columns, by header name.
enum class Column : std::size_t { Ho, T, alpha0, n, h };
inline constexpr std::size_t kColumnCount = 5;
inline constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"Ho", "T", "alpha0",
                                                                            "n", "h"};

// Where each input column stands in the input's records.
struct Layout {
  std::array<std::optional<std::size_t>, kColumnCount> position;  // h may be absent
  std::size_t width = 0;  // number of fields every data record must have
};

// Reads the header record.  Names are matched exactly, case included, after
// blanks and tabs around them are dropped; the columns may come in any order.
// Throws InputError when Ho, T, alpha0 or n is missing, a name is repeated,
// or a column has a name that is not one of the five (an empty one included).
Layout readHeader(const Record& header);

// The output header: the five inputs, the twelve results in the order the
// calculation writes them, and the error text.
inline constexpr std::array<std::string_view, 18> kOutputHeader = {
    "Ho",       "T",        "alpha0",    "n",         "h",         "Hb",
    "hb",       "gamma",    "theta_b",   "L",         "theta",     "C",
    "H",        "a_bottom", "u_bottom",  "a_surface", "u_surface", "error"};

// One case computed on a fresh sheet.
struct RowOutcome {
  std::vector<std::string> cells;  // kOutputHeader.size() texts
  bool ok = false;
};

// Hands the record's cells to a fresh sheet as the texts of the input boxes
// (an absent h column is an empty depth box), runs the calculation and
// returns the output cells: the inputs, with h as the depth box reads after
// the calculation; each result the calculation wrote, empty for those it did
// not reach; and the error text, empty when every result was written.
//
// A record whose field count differs from the header's is not computed: its
// fields may have shifted (an unquoted "1,5"), so it fails with its own error
// text and its inputs are echoed by position as far as they go.
RowOutcome calcRecord(const Layout& layout, const Record& record);

// Reads a whole CSV input and writes the output CSV, header first, one row
// per input data row in input order, on one thread.  Returns kAllComputed or
// kSomeFailed; otherwise puts the one-line reason into `diagnostic` and
// returns kUnusable, having written nothing when the input is unusable from
// its start, or the header and the rows before a malformed record.
int run(std::string_view input, std::ostream& out, std::string& diagnostic);

// ------------------------------------------------------------ streaming

// How results are written: `Shown` as the window shows them (two decimals),
// `Full` as the shortest text that reads back as the same single.
enum class Precision { Shown, Full };

// The output cells of one record appended to `out` as one CSV line, as
// calcRecord computes them but with each cell read into a number once and
// the engine called directly, under `model` (the default one gives the
// window's results).  `breaking`, where given, is the record's breaking
// point under `model`, found beforehand (with many rows side by side).
// Returns whether the row computed.
bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model = {},
               const shore::Breaking* breaking = nullptr);

// A record longer than this (bytes, line ends included) ends the run: no
// case needs it, and it keeps one hostile line from exhausting memory.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{16} << 20;

// Where a run stands, for a progress line.
struct Progress {
  std::uint64_t rows = 0;        // data rows written
  std::uint64_t bytesRead = 0;   // input bytes behind those rows
  std::uint64_t totalBytes = 0;  // input size; 0 when unknown (a pipe)
  bool done = false;             // the last call of the run
};

struct RunOptions {
  int threads = 1;  // calculation threads, >= 1
  Precision precision = Precision::Shown;
  shore::Model model;  // breaker limit and shoaling rule of every row
  std::size_t maxRecordBytes = kMaxRecordBytes;
  std::size_t blockBytes = std::size_t{1} << 16;  // input read per chunk of rows
  std::uint64_t totalBytes = 0;                   // for Progress
  // Set (by a signal handler) to stop reading; rows read so far are written.
  const volatile std::sig_atomic_t* interrupted = nullptr;
  // Called after each chunk of rows is written, and once at the end.
  std::function<void(const Progress&)> progress;
};

struct RunResult {
  int status = kAllComputed;
  std::string diagnostic;  // one line, for kUnusable
  std::uint64_t rows = 0;  // data rows written
  bool interrupted = false;
};

// Fills `buffer` with up to `size` bytes of input; 0 only at its end.  Throws
// std::runtime_error (one line) when the input cannot be read.
using ReadInput = std::function<std::size_t(char* buffer, std::size_t size)>;
// Writes all of `bytes`; throws std::runtime_error when it cannot.
using WriteOutput = std::function<void(std::string_view bytes)>;

// The streaming run: reads the input a block at a time, computes chunks of
// rows on `threads` threads and writes them in input order as they are done,
// with memory bounded by the chunks in flight.  A malformed record, a byte
// that is not UTF-8, a NUL byte after the first block or a record above
// maxRecordBytes ends the run after the rows before it (status kUnusable and
// the reason naming the line).  Running out of memory ends it with kUnusable
// and a one-line reason, never an abort.  Errors of `write` propagate.
RunResult runStream(const ReadInput& read, const WriteOutput& write, const RunOptions& options);

}  // namespace saiha::cli
