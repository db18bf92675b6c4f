#include "app/csv_sheet.h"

#include <csv.h>

#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "runtime/text.h"
#include "sheet/calc.h"
#include "sheet/case.h"
#include "sheet/csv_text.h"

namespace saiha::cli {

namespace {

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

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Splits CSV text that arrives in blocks into records, knowing the line each
// record starts on and the line of any fault.  libcsv parses; each line goes
// to it on its own, so that a record's first line is the line of the first
// byte fed after the previous record ended.
class RecordReader {
 public:
  explicit RecordReader(std::size_t maxRecordBytes) : maxRecordBytes_(maxRecordBytes) {
    if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
    csv_set_space_func(&parser_, noBlanks);
  }
  ~RecordReader() { csv_free(&parser_); }
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

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
        throw InputError(lineText(line_) + "the input contains a NUL byte; it is not a CSV text file");
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
      throw InputError(lineText(startLine_) +
                       "malformed CSV: a quoted field is not closed before the end of the input");
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
      throw InputError(lineText(1) + "the input is UTF-16 text; save it as UTF-8 CSV");
    }
    if (const auto nul = block.find('\0'); nul != std::string_view::npos) {
      throw InputError(lineText(lineAt(block, nul)) +
                       "the input contains a NUL byte; it is not a CSV text file");
    }
  }

  InputError notUtf8() const {
    return InputError(lineText(line_) +
                      "the input is not UTF-8 text (a byte that is not UTF-8); save it as UTF-8 CSV");
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
    if (betweenRecords_ && !lineEnd) {
      startLine_ = segmentLine_;
      betweenRecords_ = false;
      recordBytes_ = 0;
    }
    if (!betweenRecords_) {
      recordBytes_ += segment.size();
      if (recordBytes_ > maxRecordBytes_) {
        throw InputError(lineText(startLine_) + "a record longer than " +
                         std::to_string(maxRecordBytes_ >> 20) + " MiB; no case needs one");
      }
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
      throw InputError(lineText(segmentLine_) +
                       "malformed CSV: a double quote may only stand inside a quoted field, "
                       "doubled, and a quoted field must end at a comma or a line end");
    }
    if (recordEnds_ != endsBefore) betweenRecords_ = true;
  }

  void rethrowPending() {
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
  }

  // libcsv's callbacks: C code calls them, so nothing may be thrown through
  // it; a failure waits in `pending_` until csv_parse returns.
  static void onField(void* data, std::size_t size, void* self) {
    auto& r = *static_cast<RecordReader*>(self);
    if (r.pending_) return;
    try {
      RecordBuffer& out = *r.out_;
      if (size > 0) out.bytes.append(static_cast<const char*>(data), size);
      out.fieldEnds.push_back(out.bytes.size());
    } catch (...) {
      r.pending_ = std::current_exception();
    }
  }

  static void onRecord(int, void* self) {
    auto& r = *static_cast<RecordReader*>(self);
    ++r.recordEnds_;
    if (r.pending_) return;
    try {
      RecordBuffer& out = *r.out_;
      const std::size_t first = r.currentField_;
      const std::size_t count = out.fieldEnds.size() - first;
      // A line of nothing but blanks is a blank line, not a one-field row.
      if (count == 1 && trimBlanks(out.field(first)).empty()) {
        out.bytes.resize(r.fieldBegin(first));
        out.fieldEnds.pop_back();
        return;
      }
      out.records.push_back({r.startLine_, first, count});
      r.currentField_ = out.fieldEnds.size();
    } catch (...) {
      r.pending_ = std::current_exception();
    }
  }

  csv_parser parser_{};
  RecordBuffer* out_ = nullptr;
  std::size_t currentField_ = 0;  // first field of the record being read
  std::exception_ptr pending_;
  std::size_t maxRecordBytes_;

  bool atStart_ = true;
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

std::string failedRowMessage(std::size_t fields, std::size_t width) {
  return "列の数が見出し行と合いません（この行 " + std::to_string(fields) + " 列，見出し行 " +
         std::to_string(width) +
         " 列）．小数点にはピリオドを使い，カンマを含むセルは二重引用符で囲んでください．";
}

}  // namespace

std::vector<Record> parseRecords(std::string_view text) {
  RecordBuffer buffer;
  RecordReader reader(std::numeric_limits<std::size_t>::max());
  reader.setOutput(buffer);
  reader.feed(text);
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
  sheet::appendCsvField(quoted, field);
  return quoted;
}

std::string formatRecord(std::span<const std::string> fields) {
  std::string line;
  sheet::appendCsvRecord(line, fields);
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

namespace {

// The cell of `column` in a record's fields; empty where the column is
// absent or the record too short.
std::string_view cellOf(const Layout& layout, std::span<const std::string_view> fields,
                        Column column) {
  const auto& position = layout.position[static_cast<std::size_t>(column)];
  return position && *position < fields.size() ? fields[*position] : std::string_view();
}

// The wave of a record, each cell read as the sheet reads its box.
shore::Wave waveOf(const Layout& layout, std::span<const std::string_view> fields) {
  const auto number = [&](Column column) {
    return sheet::inputNumber(cellOf(layout, fields, column));
  };
  return {number(Column::Ho), number(Column::T), number(Column::alpha0), number(Column::n)};
}

// The output cells of one record under `model`, handed to `emit` in the
// order of kOutputHeader; returns whether the row computed.  `breaking` is
// the record's breaking point where the caller found it already.
template <class Emit>
bool computeRow(const Layout& layout, std::span<const std::string_view> fields,
                Precision precision, const shore::Model& model, Emit&& emit,
                const shore::Breaking* breaking = nullptr) {
  const auto cell = [&](Column column) { return cellOf(layout, fields, column); };
  constexpr std::size_t kResults = kOutputHeader.size() - kColumnCount - 1;

  if (fields.size() != layout.width) {
    for (std::size_t c = 0; c < kColumnCount; ++c) emit(cell(static_cast<Column>(c)));
    for (std::size_t r = 0; r < kResults; ++r) emit(std::string_view());
    emit(failedRowMessage(fields.size(), layout.width));
    return false;
  }

  // Each cell read as the sheet reads its box.
  const std::string_view depth = cell(Column::h);
  const std::optional<double> given =
      depth.empty() ? std::nullopt : std::optional<double>(sheet::inputNumber(depth));
  const sheet::CaseResult r = breaking != nullptr
                                  ? sheet::calcCase(*breaking, given)
                                  : sheet::calcCase(waveOf(layout, fields), given, model);

  for (std::size_t c = 0; c + 1 < kColumnCount; ++c) emit(cell(static_cast<Column>(c)));
  // The depth as the depth box reads after the calculation.
  if (!depth.empty()) {
    emit(depth);
  } else if (r.depthDefaulted) {
    emit(rt::formatResult(r.breaking.hb));
  } else {
    emit(std::string_view());
  }

  const auto text = [precision](float value) {
    return precision == Precision::Full ? rt::formatShortest(value) : rt::formatResult(value);
  };
  const shore::Breaking& b = r.breaking;
  const std::array<float, 4> atBreaking = b.results();
  for (int i = 0; i < 4; ++i) {
    if (i < b.reached) emit(text(atBreaking[static_cast<std::size_t>(i)]));
    else emit(std::string_view());
  }
  const std::array<float, 8> atDepth = r.state.results();
  for (int i = 0; i < 8; ++i) {
    if (i < r.state.reached) emit(text(atDepth[static_cast<std::size_t>(i)]));
    else emit(std::string_view());
  }
  if (r.ok()) emit(std::string_view());
  else emit(sheet::errorText(r.error));
  return r.ok();
}

}  // namespace

RowOutcome calcRecord(const Layout& layout, const Record& record) {
  const std::vector<std::string_view> fields(record.fields.begin(), record.fields.end());
  RowOutcome row;
  row.cells.reserve(kOutputHeader.size());
  row.ok = computeRow(layout, fields, Precision::Shown, shore::Model{},
                      [&](std::string_view cell) { row.cells.emplace_back(cell); });
  return row;
}

bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model,
               const shore::Breaking* breaking) {
  bool first = true;
  const bool ok = computeRow(
      layout, fields, precision, model,
      [&](std::string_view cell) {
        if (!first) out.push_back(',');
        first = false;
        sheet::appendCsvField(out, cell);
      },
      breaking);
  out.push_back('\n');
  return ok;
}

namespace {

// A chunk of rows on its way through the pipeline: the records read, then
// their output lines.
struct Chunk {
  RecordBuffer in;
  std::size_t firstRecord = 0;  // 1 when the chunk's first record is the header
  std::string out;
  std::uint64_t rows = 0;
  bool allComputed = true;
  std::uint64_t bytesRead = 0;  // input consumed up to the end of this chunk
  std::optional<std::string> error;  // what ends the run after this chunk's rows
  bool unusable = false;  // the error came before the header: write nothing
};

// The reading side of a run: blocks of input into chunks of records.
class ChunkReader {
 public:
  ChunkReader(const ReadInput& read, const RunOptions& options)
      : read_(read), options_(options), reader_(options.maxRecordBytes) {
    block_.resize(options.blockBytes);
  }

  bool interrupted() const { return options_.interrupted != nullptr && *options_.interrupted != 0; }
  bool done() const { return done_; }
  const Layout& layout() const { return layout_; }

  // The next chunk: at least one record, or the last of the input, or the
  // one whose fault ends the run.
  void fill(Chunk& chunk) {
    reader_.setOutput(chunk.in);
    try {
      while (!done_ && chunk.in.records.size() <= chunk.firstRecord) {
        const std::size_t got = readBlock();
        if (got == 0) {
          done_ = true;
          if (interrupted()) break;
          reader_.finish();
        } else {
          reader_.feed(std::string_view(block_.data(), got));
          bytesRead_ += got;
        }
        takeHeader(chunk);
      }
      if (done_ && !haveLayout_ && !interrupted()) {
        throw InputError("the input is empty; its first row must name the columns " +
                         std::string(kExpectedColumns));
      }
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::runtime_error& error) {  // a fault of the text, or of reading it
      stop(chunk, error.what());
    }
    chunk.bytesRead = bytesRead_;
    // The chunk goes on down the pipeline: the fields of a record not yet
    // ended wait here for the next one.
    reader_.setOutput(carry_);
  }

 private:
  // A whole block, short only at the end of the input (or when interrupted).
  std::size_t readBlock() {
    std::size_t got = 0;
    while (got < block_.size()) {
      if (interrupted()) break;
      const std::size_t n = read_(block_.data() + got, block_.size() - got);
      if (n == 0) break;
      got += n;
    }
    return got;
  }

  // Ends the run at this chunk: the records read before the fault are
  // still written, after the header when it was read.
  void stop(Chunk& chunk, std::string reason) {
    done_ = true;
    try {
      takeHeader(chunk);
    } catch (const InputError& header) {
      reason = header.what();  // the header comes first in the input
    }
    chunk.error = std::move(reason);
    chunk.unusable = !haveLayout_;
  }

  void takeHeader(Chunk& chunk) {
    if (haveLayout_ || chunk.in.records.empty()) return;
    std::vector<std::string_view> fields;
    chunk.in.fieldsOf(0, fields);
    layout_ = readHeader(Record{{fields.begin(), fields.end()}, chunk.in.records[0].line});
    haveLayout_ = true;
    chunk.firstRecord = 1;
  }

  const ReadInput& read_;
  const RunOptions& options_;
  RecordReader reader_;
  RecordBuffer carry_;
  std::vector<char> block_;
  std::uint64_t bytesRead_ = 0;
  bool done_ = false;
  bool haveLayout_ = false;
  Layout layout_;
};

void computeChunk(Chunk& chunk, const Layout& layout, Precision precision,
                  const shore::Model& model) {
  std::vector<std::string_view> fields;
  // The breaking points of the chunk's whole records first, side by side.
  std::vector<shore::Wave> waves;
  waves.reserve(chunk.in.records.size());
  for (std::size_t i = chunk.firstRecord; i < chunk.in.records.size(); ++i) {
    chunk.in.fieldsOf(i, fields);
    if (fields.size() == layout.width) waves.push_back(waveOf(layout, fields));
  }
  std::vector<shore::Breaking> breakings(waves.size());
  shore::findBreaking(waves, breakings, model);
  chunk.out.reserve(chunk.in.bytes.size() * 3);
  std::size_t next = 0;
  for (std::size_t i = chunk.firstRecord; i < chunk.in.records.size(); ++i) {
    chunk.in.fieldsOf(i, fields);
    const shore::Breaking* breaking = fields.size() == layout.width ? &breakings[next++] : nullptr;
    chunk.allComputed =
        appendRow(layout, fields, precision, chunk.out, model, breaking) && chunk.allComputed;
    ++chunk.rows;
  }
  // The input is no longer needed while the chunk waits for its turn.
  chunk.in = RecordBuffer();
}

}  // namespace

RunResult runStream(const ReadInput& read, const WriteOutput& write, const RunOptions& options) {
  RunResult result;
  ChunkReader reader(read, options);
  bool headerWritten = false;
  bool allComputed = true;
  std::optional<std::string> failure;
  Progress progress;
  progress.totalBytes = options.totalBytes;

  const auto writeChunk = [&](Chunk& chunk) {
    if (chunk.unusable) {
      failure = chunk.error;
      return;
    }
    if (!headerWritten) {
      const std::vector<std::string> header(kOutputHeader.begin(), kOutputHeader.end());
      write(formatRecord(header));
      headerWritten = true;
    }
    if (!chunk.out.empty()) write(chunk.out);
    result.rows += chunk.rows;
    allComputed = allComputed && chunk.allComputed;
    if (chunk.error) failure = chunk.error;
    if (options.progress) {
      progress.rows = result.rows;
      progress.bytesRead = chunk.bytesRead;
      options.progress(progress);
    }
  };

  try {
    const int threads = std::max(1, options.threads);
    tbb::task_arena arena(threads);
    arena.execute([&] {
      tbb::parallel_pipeline(
          static_cast<std::size_t>(threads) * 4,
          tbb::make_filter<void, std::shared_ptr<Chunk>>(
              tbb::filter_mode::serial_in_order,
              [&](tbb::flow_control& flow) -> std::shared_ptr<Chunk> {
                if (reader.done() || reader.interrupted()) {
                  flow.stop();
                  return nullptr;
                }
                auto chunk = std::make_shared<Chunk>();
                reader.fill(*chunk);
                return chunk;
              }) &
              tbb::make_filter<std::shared_ptr<Chunk>, std::shared_ptr<Chunk>>(
                  tbb::filter_mode::parallel,
                  [&](std::shared_ptr<Chunk> chunk) {
                    if (!chunk->unusable) {
                      computeChunk(*chunk, reader.layout(), options.precision, options.model);
                    }
                    return chunk;
                  }) &
              tbb::make_filter<std::shared_ptr<Chunk>, void>(
                  tbb::filter_mode::serial_in_order,
                  [&](std::shared_ptr<Chunk> chunk) { writeChunk(*chunk); }));
    });
  } catch (const std::bad_alloc&) {
    result.status = kUnusable;
    result.diagnostic = "out of memory after " + std::to_string(result.rows) +
                        " rows; no row needs that much: check the input";
    return result;
  }
  if (options.progress) {
    progress.done = true;
    options.progress(progress);
  }
  result.interrupted = reader.interrupted() && !failure;
  if (failure) {
    result.status = kUnusable;
    result.diagnostic = *failure;
  } else {
    result.status = allComputed ? kAllComputed : kSomeFailed;
  }
  return result;
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

}  // namespace saiha::cli
