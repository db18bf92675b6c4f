#include "cli/program.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "report/csv_text.h"
#include "report/units.h"

namespace saiha::cli {

volatile std::sig_atomic_t gInterrupted = 0;

namespace {

// The second Ctrl+C also removes the temporary file of -o while it is written.
extern "C" void onInterrupt(int) {
  if (gInterrupted) {  // the second one: at once
    removeOutputTemporary();
    ::_exit(130);
  }
  gInterrupted = 1;
}

// Any other signal that ends the program (SIGUSR1, SIGALRM, SIGQUIT, a
// fault...) takes the temporary file of -o with it, then ends the program
// as that signal would have.
extern "C" void onFatal(int signal) {
  removeOutputTemporary();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// Where the results go: standard output, or the file of -o.
int gOutput = STDOUT_FILENO;
std::string gOutputName;  // empty: standard output
std::optional<OutputFile> gFile;

// Reads from a descriptor; a pipe or terminal is polled so that an
// interrupt is seen even while no input comes.  A failed read throws the
// reason alone: the run's diagnostic is put after the input's name.
std::size_t readSome(int fd, bool regular, char* buffer, std::size_t size) {
  for (;;) {
    if (gInterrupted) return 0;
    if (!regular) {
      pollfd p{fd, POLLIN, 0};
      const int ready = ::poll(&p, 1, 100);
      if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    }
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno == EINTR) continue;
    throw std::runtime_error(say(report::Usage::CannotRead, {std::strerror(errno)}));
  }
}

std::string fixed(double value, int decimals) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                 decimals).ptr;
  return std::string(buffer, end);
}

std::string duration(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  const std::string ss = std::to_string(s % 60);
  return std::to_string(s / 60) + ":" + (ss.size() < 2 ? "0" + ss : ss);
}

// "123456 rows, 81000 rows/s, 12.3 %, 0:42 left" on standard error, a few
// times a second, redrawn in place and cleared at the end.
class ProgressLine {
 public:
  void operator()(const Progress& p) {
    const auto now = Clock::now();
    if (p.done) {
      if (shown_) put("\r\x1b[K");
      return;
    }
    if (shown_ && now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    shown_ = true;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    std::string line = "\r" + std::to_string(p.rows) + " rows";
    if (elapsed > 0) line += ", " + fixed(static_cast<double>(p.rows) / elapsed, 0) + " rows/s";
    if (p.totalBytes > 0) {
      const double done = static_cast<double>(p.bytesRead) / static_cast<double>(p.totalBytes);
      line += ", " + fixed(100 * done, 1) + " %";
      if (done > 0) line += ", " + duration(elapsed * (1 - done) / done) + " left";
    }
    put(line + "\x1b[K");
  }

 private:
  using Clock = std::chrono::steady_clock;
  static void put(const std::string& text) { writeError(text); }
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_;
  bool shown_ = false;
};

}  // namespace

void writeError(std::string_view text) {
  // Standard error that is a closed pipe must not end the program: the
  // results are finished by then, and -o still has to take them.  SIGPIPE
  // is held back in this thread for the write, then taken if it came.
  sigset_t pipe, before;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, &before);
  const bool wasPending = [&] {
    sigset_t pending;
    return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
  }();
  ssize_t put = 0;
  while (!text.empty() && (put = ::write(STDERR_FILENO, text.data(), text.size())) != 0) {
    if (put < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE && !wasPending) {
        const timespec now{};
        (void)sigtimedwait(&pipe, nullptr, &now);
      }
      break;
    }
    text.remove_prefix(static_cast<std::size_t>(put));
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

int fail(std::string_view message) {
  std::string line = std::string(kProgramName) + ": ";
  line += message;
  line += '\n';
  writeError(line);
  return kUnusable;
}

void noteWarnings(std::uint64_t warned, std::uint64_t rows, std::string_view first,
                  const SharedValues& shared) {
  if (warned == 0) return;
  std::string line = say(report::Usage::RowsWarned,
                         {std::to_string(warned), std::to_string(rows), first});
  if (!shared.warnings) line += say(report::Usage::WarningsHint);
  fail(line);
}

void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);  // a closed terminal: the same as Ctrl+C
}

void catchEndingSignals() {
  // Every signal whose default ends the program, but those that stop the
  // reading instead (catchInterrupts) and those no handler can catch.  One
  // the program was started with ignored stays ignored.
  constexpr int kEnding[] = {SIGQUIT, SIGILL,    SIGTRAP, SIGABRT, SIGBUS,  SIGFPE,
                             SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGSTKFLT,
                             SIGXCPU, SIGXFSZ,   SIGVTALRM, SIGPROF, SIGIO, SIGPWR,
                             SIGSYS};
  for (const int signal : kEnding) {
    struct sigaction now {};
    if (sigaction(signal, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = onFatal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(signal, &action, nullptr);
  }
}

std::string openOutput(const std::string& path) {
  if (path.empty() || path == "-") return {};
  // Before the temporary file exists, so that no signal can leave it.
  catchInterrupts();
  catchEndingSignals();
  try {
    gFile.emplace(path);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  gOutput = gFile->descriptor();
  gOutputName = "'" + path + "'";
  return {};
}

int closeOutput(int status) {
  if (!gFile) return status;
  gOutput = STDOUT_FILENO;
  const bool succeeded =
      (status == kAllComputed || status == kSomeFailed) && gInterrupted == 0;
  if (!succeeded) {
    gFile->discard();
    gFile.reset();
    return gInterrupted != 0 && status != kUnusable ? 130 : status;
  }
  try {
    gFile->commit();
  } catch (const std::runtime_error& error) {
    gFile.reset();
    return fail(error.what());
  }
  gFile.reset();
  return status;
}

void writeAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(gOutput, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(say(
          report::Usage::CannotWriteResults,
          {gOutputName.empty() ? say(report::Usage::StandardOutput) : gOutputName,
           std::strerror(errno)}));
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

int runFile(const std::string& file, const SharedValues& shared, Table& table) {
  const bool fromStdin = file.empty() || file == "-";
  const std::string source = fromStdin ? say(report::Usage::StandardInput) : "'" + file + "'";
  int fd = STDIN_FILENO;
  if (!fromStdin) {
    fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(say(report::Usage::CannotOpen, {source, std::strerror(errno)}));
  }
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);

  RunOptions options;
  options.threads = threadsOf(shared.jobs);
  options.format = formatOf(shared);
  options.table = &table;
  table.setUnits(shared.units);
  if (table.blockBytes() > 0) options.blockBytes = table.blockBytes();
  options.totalBytes = regular ? static_cast<std::uint64_t>(info.st_size) : 0;
  options.interrupted = &gInterrupted;
  const bool progress =
      shared.progress || (!shared.noProgress && ::isatty(STDERR_FILENO) == 1);
  ProgressLine line;
  if (progress) options.progress = [&line](const Progress& p) { line(p); };

  catchInterrupts();
  try {
    const RunResult result = runStream(
        [&](char* buffer, std::size_t size) { return readSome(fd, regular, buffer, size); },
        writeAll, options);
    if (!fromStdin) ::close(fd);
    if (result.status == kUnusable) return fail(source + ": " + result.diagnostic);
    if (result.interrupted) {
      fail(say(report::Usage::Interrupted, {std::to_string(result.rows)}));
      return 130;
    }
    if (result.status == kSomeFailed) {
      fail(say(report::Usage::RowsFailed, {std::to_string(result.failedRows),
                                           std::to_string(result.rows), result.firstFailure}));
    }
    noteWarnings(result.warnedRows, result.rows,
                 say(report::Usage::LineNumber, {std::to_string(result.firstWarnedLine)}),
                 shared);
    return result.status;
  } catch (const std::bad_alloc&) {
    return fail(say(report::Usage::OutOfMemory, {source}));
  } catch (const std::exception& error) {
    return fail(error.what());
  }
}

namespace {

// A one-wave table (RFC 4180 with commas and full stops, as formatRecord
// writes it) respelt in `format`: its fields split again, a field that is a
// number whole given the decimal comma, each quoted as the new separator
// needs.
std::string respelt(std::string_view csv, const CsvFormat& format) {
  std::string out = format.bom ? "\xEF\xBB\xBF" : "";
  if (format.delimiter == ',' && !format.decimalComma) return out.append(csv);
  out.reserve(out.size() + csv.size());
  std::string field;
  bool quoted = false, first = true;
  const auto put = [&] {
    double value = 0;
    const char* end = field.data() + field.size();
    const auto read = std::from_chars(field.data(), end, value);
    if (format.decimalComma && !field.empty() && read.ec == std::errc() && read.ptr == end) {
      report::useDecimalComma(field);
    }
    if (!first) out.push_back(format.delimiter);
    report::appendCsvField(out, field, format.delimiter);
    field.clear();
    first = false;
  };
  for (std::size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c != '"') field.push_back(c);
      else if (i + 1 < csv.size() && csv[i + 1] == '"') field.push_back(csv[++i]);
      else quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      put();
    } else if (c == '\n') {
      put();
      out.push_back('\n');
      first = true;
    } else {
      field.push_back(c);
    }
  }
  return out;
}

// A one-wave table with its header (the first line, names without quotes)
// named with the units of its columns.
std::string withUnits(std::string_view csv) {
  const std::size_t end = std::min(csv.find('\n'), csv.size());
  std::string out;
  std::size_t begin = 0;
  while (begin <= end) {
    const std::size_t comma = std::min(csv.find(',', begin), end);
    if (begin > 0) out.push_back(',');
    out += report::withUnit(csv.substr(begin, comma - begin));
    begin = comma + 1;
  }
  out.append(csv.substr(end));
  return out;
}

}  // namespace

int writeTable(const TableText& table, const SharedValues& shared) {
  if (table.csv.empty()) {
    fail(table.diagnostic);
    return table.status;
  }
  try {
    writeAll(respelt(shared.units ? withUnits(table.csv) : std::string(table.csv),
                     formatOf(shared)));
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  for (const std::string& note : table.notes) fail(note);
  if (table.counts != nullptr) {
    noteWarnings(table.counts->warned, table.counts->rows, table.counts->firstWarned, shared);
  }
  return table.status;
}

}  // namespace saiha::cli
