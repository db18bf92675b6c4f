// The string-only entry points of saiha-calc's reader and rows, for tests:
// whole texts in, records and cells out.
#include "tests/cli/csv_strings.h"

#include <algorithm>
#include <limits>

#include "cli/pipeline.h"
#include "cli/say.h"
#include "report/csv_text.h"

namespace saiha::cli {

namespace {
// These tests read the reader's and the tables' messages in English, as
// --lang en gives them; Japanese, the default, is checked by the program's
// own runs (tests/cli/message_language_test.py).
const bool kEnglishMessages = (setMessageLanguage(report::Language::English), true);
}  // namespace

std::vector<Record> parseRecords(std::string_view text, std::size_t blockBytes) {
  RecordBuffer buffer;
  RecordReader reader(std::numeric_limits<std::size_t>::max());
  reader.setOutput(buffer);
  // The first block holds the input's first bytes (a byte-order mark), as the
  // program's blocks of 64 KiB do.
  std::size_t block = std::max<std::size_t>(blockBytes, 4);
  for (std::size_t at = 0; at < text.size(); at += block, block = blockBytes) {
    reader.feed(text.substr(at, block));
  }
  reader.finish();
  std::vector<Record> records;
  std::vector<std::string_view> fields;
  for (std::size_t i = 0; i < buffer.records.size(); ++i) {
    buffer.fieldsOf(i, fields);
    records.push_back(Record{{fields.begin(), fields.end()}, buffer.records[i].line});
  }
  return records;
}

std::string quoteField(std::string_view field) {
  std::string quoted;
  report::appendCsvField(quoted, field);
  return quoted;
}

RowOutcome calcRecord(const Layout& layout, const Record& record) {
  const std::vector<std::string_view> fields(record.fields.begin(), record.fields.end());
  std::string line;
  RowOutcome row;
  row.ok = appendRow(layout, fields, Precision::Shown, line);
  row.cells = parseRecords(line).front().fields;
  return row;
}

int run(std::string_view input, std::ostream& out, std::string& diagnostic) {
  std::size_t offset = 0;
  const ReadInput read = [&](char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, input.size() - offset);
    std::copy_n(input.data() + offset, n, buffer);
    offset += n;
    return n;
  };
  const WriteOutput write = [&](std::string_view bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  const RunResult result = runStream(read, write, RunOptions{});
  diagnostic = result.diagnostic;
  return result.status;
}

Streamed stream(const std::string& input, RunOptions options) {
  Streamed s;
  std::size_t offset = 0;
  s.result = runStream(
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, input.size() - offset);
        input.copy(buffer, n, offset);
        offset += n;
        return n;
      },
      [&](std::string_view bytes) { s.out += bytes; }, options);
  return s;
}

Streamed stream(const std::string& input, Table& table, RunOptions options) {
  options.table = &table;
  return stream(input, options);
}

}  // namespace saiha::cli
