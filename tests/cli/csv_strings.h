// The string-only entry points of saiha-calc's reader and rows, for tests:
// whole texts in, records and cells out.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/pipeline.h"
#include "cli/rows.h"

namespace saiha::cli {

// Splits CSV text into records.  Throws InputError, naming the line, for a
// NUL byte (binary or UTF-16 input), a byte that is not UTF-8, a quote inside
// an unquoted field, text after a closing quote, or a quoted field that never
// closes.  The text reaches the reader in blocks of `blockBytes` (the first
// at least 4 bytes long).
std::vector<Record> parseRecords(std::string_view text,
                                 std::size_t blockBytes = std::string_view::npos);

// A field as RFC 4180 writes it: quoted, with inner quotes doubled, when it
// holds a comma, a quote, CR or LF; as it is otherwise.
std::string quoteField(std::string_view field);
// One case computed from a record's cells.
struct RowOutcome {
  std::vector<std::string> cells;  // kOutputHeader.size() texts
  bool ok = false;
};

// The output cells of a record as appendRow writes them (the window's
// model, results as the window shows them), read back into texts.
RowOutcome calcRecord(const Layout& layout, const Record& record);

// Reads a whole CSV input and writes the output CSV, header first, one row
// per input data row in input order, on one thread.  Returns kAllComputed or
// kSomeFailed; otherwise puts the one-line reason into `diagnostic` and
// returns kUnusable, having written nothing when the input is unusable from
// its start, or the header and the rows before a malformed record.
int run(std::string_view input, std::ostream& out, std::string& diagnostic);

// A streaming run over a whole text in memory: its result and every byte
// it wrote.
struct Streamed {
  RunResult result;
  std::string out;
};
Streamed stream(const std::string& input, RunOptions options);
// The same through `table` (options.table set to it).
Streamed stream(const std::string& input, Table& table, RunOptions options = {});

}  // namespace saiha::cli
