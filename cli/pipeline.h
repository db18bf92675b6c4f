// The streaming run of saiha-calc: CSV in, one computed row per input row
// out, in input order, on any number of threads.
#pragma once

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cli/csv_format.h"
#include "cli/exit_status.h"
#include "cli/rows.h"
#include "shore/model_choice.h"

namespace saiha::cli {


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
  report::Language language = report::Language::Japanese;  // of the error cells
  bool warnings = false;  // the warnings column of the cases
  // The separator the input is read with and the output written with, the
  // byte-order mark of the output; the decimal mark and --strict reach the
  // rows through the table, which must be made with this same format.
  CsvFormat format;
  // The table read and written; the window's cases (CaseTable of the
  // settings above) when null.
  Table* table = nullptr;
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
  std::uint64_t failedRows = 0;  // rows written with an error text
  std::string firstFailure;      // "line N: message" of the first of them
  std::uint64_t warnedRows = 0;       // rows whose warnings cell is not 0
  std::uint64_t firstWarnedLine = 0;  // the input line of the first of them
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
