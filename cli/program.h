// What every mode of saiha-calc shares as a program: one-line messages on
// standard error, the output (standard output or -o FILE), interrupts, the
// progress line, the streaming run of a CSV FILE and the writing of a
// one-wave table.
#pragma once

#include <csignal>
#include <span>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "cli/pipeline.h"
#include "cli/say.h"
#include "report/messages.h"

namespace saiha::cli {

// Set by Ctrl+C or SIGTERM: the reading stops, the rows read are written.
extern volatile std::sig_atomic_t gInterrupted;

// "saiha-calc: message" as one line on standard error; returns kUnusable.
int fail(std::string_view message);

// Opens the output of the run: standard output for "" and "-", else FILE as
// -o writes it.  Returns an empty string, or the one-line reason it cannot.
std::string openOutput(const std::string& path);
// Ends the output with the run's status: FILE takes the results when the run
// ended with 0 or 1 and was not interrupted, and is left as it was otherwise.
// Returns the program's exit status.
int closeOutput(int status);
// Writes all of `bytes` to the output; throws std::runtime_error.
void writeAll(std::string_view bytes);

// The line "N of M rows carry warnings (first: …)" on standard error, for
// N > 0; with a hint at --warnings when the run writes no warnings column.
void noteWarnings(std::uint64_t warned, std::uint64_t rows, std::string_view first,
                  const SharedValues& shared);

// Ctrl+C, SIGTERM and SIGHUP stop the reading; a second one ends the program at
// once.
void catchInterrupts();
// Every other catchable signal that ends the program removes the temporary
// file of -o first, then ends it as the signal would.
void catchEndingSignals();
// Writes `text` to standard error as far as it goes; a closed pipe there
// (SIGPIPE, EPIPE) neither ends the program nor is reported.
void writeError(std::string_view text);

// A CSV FILE (or standard input for "" and "-") streamed through `table`,
// with the shared options' threads, progress line and text format; the
// summary line on standard error when rows fail.
int runFile(const std::string& file, const SharedValues& shared, Table& table);

// A one-wave table: `csv` to the output, then each of `notes` on standard
// error; `diagnostic` instead when there is no table.  The text goes out in
// the shared options' format (delimiter, decimal comma, byte-order mark).
struct TableText {
  int status = 0;
  std::string_view csv;
  std::string_view diagnostic;
  std::span<const std::string> notes;
  // The rows and those with warnings: a line on standard error, with or
  // without the warnings column.
  const RowCounts* counts = nullptr;
};
int writeTable(const TableText& table, const SharedValues& shared);

}  // namespace saiha::cli
