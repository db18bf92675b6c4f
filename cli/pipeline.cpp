// The streaming run of saiha-calc: blocks of input into chunks of records,
// the chunks computed on oneTBB threads and written in input order.
#include "cli/pipeline.h"

#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/rows.h"
#include "cli/say.h"

namespace saiha::cli {

namespace {

// A chunk of rows on its way through the pipeline: the records read, then
// their output lines.
struct Chunk {
  RecordBuffer in;
  std::size_t firstRecord = 0;  // 1 when the chunk's first record is the header
  std::string out;
  std::uint64_t rows = 0;
  bool allComputed = true;
  std::uint64_t failedRows = 0;
  std::string firstFailure;  // "line N: message" of the first row that failed
  std::uint64_t warnedRows = 0;
  std::uint64_t firstWarnedLine = 0;  // of the first row with warnings
  std::uint64_t bytesRead = 0;  // input consumed up to the end of this chunk
  std::optional<std::string> error;  // what ends the run after this chunk's rows
  bool unusable = false;  // the error came before the header: write nothing
};

// The chunks of a run.  A chunk that has been written comes back to be
// filled again with its buffers emptied but keeping their capacity: a run
// then asks for memory only for its first chunks in flight, and its later
// blocks are read and written in pages already touched.  (Fresh buffers
// for every block of some 3,000 rows went back to the system when freed
// and came back zeroed on first use: a page fault per 4 KiB of input,
// output and field offsets, a sixth of a batch run's time.)  At most the
// pipeline's tokens are ever out at once, so the chunks kept are as many.
class ChunkPool {
 public:
  Chunk* take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (free_.empty()) {
      chunks_.push_back(std::make_unique<Chunk>());
      return chunks_.back().get();
    }
    Chunk* chunk = free_.back();
    free_.pop_back();
    return chunk;
  }

  // Takes back a chunk that is done with: every field as a new chunk's,
  // the buffers' capacity kept.
  void give(Chunk* chunk) {
    RecordBuffer in = std::move(chunk->in);
    std::string out = std::move(chunk->out);
    *chunk = Chunk();
    in.bytes.clear();
    in.fieldEnds.clear();
    in.records.clear();
    out.clear();
    chunk->in = std::move(in);
    chunk->out = std::move(out);
    const std::lock_guard<std::mutex> lock(mutex_);
    free_.push_back(chunk);
  }

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<Chunk>> chunks_;  // every chunk made, out or free
  std::vector<Chunk*> free_;
};

// The reading side of a run: blocks of input into chunks of records.
class ChunkReader {
 public:
  ChunkReader(const ReadInput& read, const RunOptions& options, Table& table)
      : read_(read),
        options_(options),
        table_(table),
        reader_(options.maxRecordBytes, options.format.delimiter) {
    block_.resize(options.blockBytes);
  }

  bool interrupted() const { return options_.interrupted != nullptr && *options_.interrupted != 0; }
  bool done() const { return done_; }

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
        throw InputError(say(report::Usage::EmptyInput, {say(table_.expectedColumns())}));
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
    table_.readHeader(Record{{fields.begin(), fields.end()}, chunk.in.records[0].line});
    haveLayout_ = true;
    chunk.firstRecord = 1;
  }

  const ReadInput& read_;
  const RunOptions& options_;
  Table& table_;
  RecordReader reader_;
  RecordBuffer carry_;
  std::vector<char> block_;
  std::uint64_t bytesRead_ = 0;
  bool done_ = false;
  bool haveLayout_ = false;
};

void computeChunk(Chunk& chunk, const Table& table) {
  // Each row writes its input cells again and about a hundred bytes of
  // results: room for them all at once spares copying the output as it grows.
  chunk.out.reserve(chunk.in.bytes.size() + chunk.in.records.size() * 128);
  const std::size_t first = chunk.firstRecord;
  const std::size_t count = chunk.in.records.size() > first ? chunk.in.records.size() - first : 0;
  Table::Failures failures;
  table.appendRows(
      count,
      [&](std::size_t i, std::vector<std::string_view>& fields) {
        chunk.in.fieldsOf(first + i, fields);
      },
      chunk.out, failures);
  if (failures.count > 0) {
    chunk.allComputed = false;
    chunk.failedRows += failures.count;
    chunk.firstFailure =
        atLine(chunk.in.records[first + failures.first].line) + failures.message;
  }
  if (failures.warned > 0) {
    chunk.warnedRows += failures.warned;
    chunk.firstWarnedLine = chunk.in.records[first + failures.firstWarned].line;
  }
  chunk.rows += count;
}

}  // namespace

RunResult runStream(const ReadInput& read, const WriteOutput& write, const RunOptions& options) {
  RunResult result;
  CaseTable cases(options.precision, options.model, options.warnings, options.language,
                  options.format);
  Table& table = options.table != nullptr ? *options.table : cases;
  ChunkReader reader(read, options, table);
  bool headerWritten = false;
  bool allComputed = true;
  std::optional<std::string> failure;
  Progress progress;
  progress.totalBytes = options.totalBytes;
  ChunkPool chunks;

  const auto writeChunk = [&](Chunk& chunk) {
    if (chunk.unusable) {
      failure = chunk.error;
      return;
    }
    if (!headerWritten) {
      std::string header = options.format.bom ? "\xEF\xBB\xBF" : "";
      header += formatRecord(table.outputHeader(), options.format.delimiter);
      write(header);
      headerWritten = true;
    }
    if (!chunk.out.empty()) write(chunk.out);
    result.rows += chunk.rows;
    allComputed = allComputed && chunk.allComputed;
    if (result.failedRows == 0) result.firstFailure = std::move(chunk.firstFailure);
    result.failedRows += chunk.failedRows;
    if (result.warnedRows == 0) result.firstWarnedLine = chunk.firstWarnedLine;
    result.warnedRows += chunk.warnedRows;
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
          tbb::make_filter<void, Chunk*>(
              tbb::filter_mode::serial_in_order,
              [&](tbb::flow_control& flow) -> Chunk* {
                if (reader.done() || reader.interrupted()) {
                  flow.stop();
                  return nullptr;
                }
                Chunk* chunk = chunks.take();
                reader.fill(*chunk);
                return chunk;
              }) &
              tbb::make_filter<Chunk*, Chunk*>(tbb::filter_mode::parallel,
                                               [&](Chunk* chunk) {
                                                 if (!chunk->unusable) {
                                                   computeChunk(*chunk, table);
                                                 }
                                                 return chunk;
                                               }) &
              tbb::make_filter<Chunk*, void>(tbb::filter_mode::serial_in_order,
                                             [&](Chunk* chunk) {
                                               writeChunk(*chunk);
                                               chunks.give(chunk);
                                             }));
    });
  } catch (const std::bad_alloc&) {
    result.status = kUnusable;
    result.diagnostic = say(report::Usage::OutOfMemoryAfterRows, {std::to_string(result.rows)});
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

}  // namespace saiha::cli
