// saiha-calc: the calculation sheet from the command line.  Reads cases as
// CSV from a file or standard input and writes every case's results as CSV
// to standard output; `saiha-calc profile` writes one wave's cross-shore
// profile, `saiha-calc compare` every breaker and shoaling model on one wave,
// `saiha-calc shore` what happens at the shoreline.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include <CLI/CLI.hpp>
#include <tbb/info.h>

#include "cli/compare_csv.h"
#include "cli/pipeline.h"
#include "cli/profile_csv.h"
#include "cli/random_csv.h"
#include "cli/shoreline_csv.h"
#include "report/language.h"
#include "report/messages.h"
#include "shore/model_choice.h"
#include "saiha/version.h"
#include "shore/comparison.h"

namespace {

using namespace saiha;

constexpr const char* kName = "saiha-calc";

constexpr const char* kDescription =
    "Computes refraction, shoaling and breaking of regular waves on a uniform slope, one case "
    "per CSV row, exactly as the calculation window does.";

constexpr const char* kFooter = R"(Input (FILE, or standard input when FILE is absent or "-"):
  CSV (RFC 4180) in UTF-8 or ASCII.  The first row names the columns
    Ho      deep-water wave height (m)
    T       wave period (s)
    alpha0  deep-water angle of incidence from the shore normal (degrees)
    n       bottom slope 1/n, given as its denominator n
    h       depth for the results (m); optional column, an empty cell means
            the breaking depth
  in any order, each once, names matched exactly (case included; blanks
  around a name are ignored).  Any other column (an id, a time...) is
  copied to the output in its place, so results join back to their
  records; a name given twice, an input's name in other letter case
  ("H" for "h"), a number or an output column's name is an error.
  Every later row is one case; each cell is read as the window
  reads the text of its box ("12 m" is 12, "1,5" in quotes is 1).
  A UTF-8 byte-order mark is skipped; CRLF, LF or CR line ends are all
  accepted; blank lines are skipped.  Blanks inside a cell are kept.
  A row whose number of fields differs from the header's is not computed
  (its cells may have shifted) and fails with a message in its error cell.
  The input is read and written as it goes, so a file of any length runs
  in little memory; a file named "profile" is given as "./profile".

Output (standard output):
  CSV with LF line ends and the header
    Ho,T,alpha0,n,h,Hb,hb,gamma,theta_b,L,theta,C,H,
    a_bottom,u_bottom,a_surface,u_surface,error
  (with any other input columns in their places before the results)
  and one row per input row, in input order whatever -j is: the input cells
  (h as the depth box reads after the calculation: an empty depth becomes
  the breaking depth), the results (two decimals, or with --precision full
  the shortest text that reads back as the same single-precision value),
  and the error message (empty when the row computed).  In a failed row,
  results the calculation did not reach are empty cells.  Cells holding a
  comma, a double quote or a line break are quoted.

Exit status:
  0    every row computed
  1    at least one row failed (every row is still written); standard
       error says how many and which was first, e.g.
       saiha-calc: 9 of 309 rows failed (first: line 12: message).
  2    usage error, unreadable file, or input that is unusable from its
       start (not CSV text, NUL bytes, UTF-16, a header that does not name
       the columns): one line on standard error and no output.  A fault
       further on (malformed CSV, a byte that is not UTF-8, a record over
       16 MiB) or running out of memory: the rows before it are written and
       one line on standard error names the line
  130  interrupted (Ctrl+C); the rows computed so far are written whole

With -o FILE the results go to a temporary file beside FILE, renamed to
FILE when the run ends with 0 or 1 and removed otherwise (exit 2, Ctrl+C):
FILE never holds half a result.

Models (--breaker, --shoaling; also for profile and shore):
  breaker limits  goda1970 (default), goda2010, mccowan, kamphuis, miche
  shoaling rules  two-regime (default), shuto
  The defaults are the calculation window's.  Any other pair finds the
  breaking point where the height that applies at each depth meets the
  limit, so a steep wave may break while it still shoals linearly.

Language (--lang, or the environment variable SAIHA_LANG when --lang is absent):
  ja (default) or en, for the messages on standard error and in the error
  cells.  Column names, numbers and the model names stay the same in both.

See "saiha-calc profile --help" for the cross-shore profile,
"saiha-calc compare --help" for every model side by side and
"saiha-calc shore --help" for breaker type, setup, runup and longshore
current.)";

constexpr const char* kProfileFooter = R"(Output (standard output):
  CSV with LF line ends and the header
    x,h,rule,point,H,L,C,theta,a_bottom,u_bottom,a_surface,u_surface
  x is the distance from the still-water shoreline n*h (m); rule is linear,
  intermediate (shuto's H*h^(2/7) regime), nonlinear or surf; point is
  onset, breaking or empty.  Rows run from the
  seaward end to the shoreline (the last one short of it), with the onset
  of nonlinear shoaling and the breaking point in their places.  Numbers
  are the shortest texts that read back as the same single-precision
  values: a station's h typed into the window's depth box gives that
  station's values.  A station that cannot be computed keeps its row, with
  empty cells for what it did not reach.

Exit status:
  0  every station computed
  1  the breaking point was not found (its message on standard error, no
     output), or some station could not be computed (every row is written;
     one line "station at h=...: message" on standard error for each)
  2  a bad option or input value: one line on standard error (the window's
     message for a bad value), no output)";

constexpr const char* kRandomFooter = R"(Method (Goda 1975; Goda 2000, Random Seas and Design of Maritime Structures, 3.6):
  With L0 = g*T13^2/(2*pi) and tan(theta) = 1/n,
    h/L0 >= 0.2:  H13 = Ks*H0p,  Hmax = 1.8*Ks*H0p
    h/L0 <  0.2:  H13  = min(b0*H0p + b1*h, bmax*H0p, Ks*H0p)
                  Hmax = min(b0s*H0p + b1s*h, bmaxs*H0p, 1.8*Ks*H0p)
  b0 = 0.028*(H0p/L0)^-0.38*exp(20*tan^1.5), b1 = 0.52*exp(4.2*tan),
  bmax = max(0.92, 0.32*(H0p/L0)^-0.29*exp(2.4*tan)); b0s, b1s, bmaxs the
  same with 0.052, 0.63*exp(3.8*tan), max(1.65, 0.53*...).  Ks is Shuto's
  nonlinear shoaling coefficient of H0p, T13 at normal incidence (the
  shuto shoaling rule).  H0p is the equivalent deep-water significant
  height: refraction and diffraction already applied (a regular wave's Ho
  is not H0p).  Fitted on slopes of about 1/10 to 1/100.

Input (FILE, or standard input when FILE is absent or "-"):
  CSV as for the FILE mode, with the columns H0p (m), T13 (s), n and h (m),
  in any order, each once; any other column is copied in its place.

Output (standard output):
  FILE: the header H0p,T13,n,h,Ks,H13,Hmax,error (other columns in their
  places; "warnings" last with --warnings) and one row per input row:
  the input cells, Ks, H13 and Hmax (two decimals, or in full with
  --precision full; empty where not reached) and the error message.
  --profile: the header x,h,point,Ks,H13,H13_term,Hmax,Hmax_term; point is
  breaking at the outer edge of the surf zone (where H13 leaves Ks*H0p),
  a term is shoaling (Ks*H0p), breaking (b0*H0p + b1*h) or cap (bmax*H0p).

Exit status:
  As for the FILE mode and profile: 0 every row or station computed, 1
  some failed, 2 a bad option, input or value (H0p/L0 > 0.142 among them).)";

constexpr const char* kCompareFooter = R"(Input: the four wave options, or FILE, a CSV of waves with the columns
  Ho, T, alpha0 and n as saiha-calc reads them (other columns passed through).

Output (standard output):
  CSV with LF line ends and the header
    breaker,shoaling,Hb,hb,gamma,theta_b,Q_m3_per_s,Q_m3_per_year,error
  (with FILE, after the file's own columns: one row per wave and model)
  and one row per model: every breaker limit (goda1970, goda2010, mccowan,
  kamphuis, miche) with each shoaling rule (two-regime, shuto), then the
  empirical row komar-gaughan,weggel (Komar and Gaughan's breaker height
  with Weggel's breaker index).  Q is the potential longshore sand
  transport by the CERC formula, with each row's gamma as the breaker
  index; the breaker height of a regular wave stands in for the
  significant height the CERC formula (and Kamphuis's index) is defined
  for (see "saiha-calc random" for Goda's significant height), a year is
  365.25 days, and Q takes the sign of theta_b.  With --height significant,
  Hb and gamma are Goda's significant height H1/3 at the row's breaking
  depth hb (H0' = Kr*Ho with Kr to the row's breaking point, T1/3 = T; see
  "saiha-calc random --help") and H1/3/hb, and Q is fed with them: hb is
  where the row's model puts the breaker line, so both heights are taken at
  the same depth.  Numbers are the shortest texts that read back as the same
  single-precision values; a value not reached is an empty cell and the
  error cell holds the window's message.

Exit status:
  0  every row computed
  1  some row has an error (every row is still written)
  2  a bad option, input value or transport parameter: one line on
     standard error, no output)";

constexpr const char* kShoreFooter = R"(Output (standard output):
  CSV with LF line ends, the header
    quantity,value,unit,source
  and one row per quantity: the breaking point (Hb, hb, gamma, theta_b);
  the surf similarity xi0 = tan(beta)/sqrt(Ho/L0) and xi_b (with Hb) and
  the breaker type of each after Battjes (1974): spilling, plunging or
  surging (collapsing or surging); setdown at breaking, the setup gradient
  across the surf zone, the setup at the still-water shoreline, the
  landward shift of the mean shoreline and the setup there, by the
  radiation stress with the model's gamma = Hb/hb; the runup after Stockdon
  et al. (2006) with its setup, incident and infragravity swash, and R2
  (2 % exceedance), a formula for random waves whose H0 and Tp default to
  Ho and T; the longshore current V at mid surf zone (Komar and Inman),
  signed as theta_b.  Levels are metres above the still-water level.
  Numbers are the shortest texts that read back as the same
  single-precision values; a value not reached is an empty cell.

Exit status:
  0  every quantity computed
  1  some quantity could not be computed (the breaking point was not
     found): every row is written, the message on standard error
  2  a bad option or input value: one line on standard error, no output)";

// ------------------------------------------------------------ signals

volatile std::sig_atomic_t gInterrupted = 0;

// The temporary file of -o while it is written, removed by a second Ctrl+C.
char gTemporary[4096] = {};

extern "C" void onInterrupt(int) {
  if (gInterrupted) {  // the second one: at once
    if (gTemporary[0] != 0) ::unlink(gTemporary);
    ::_exit(130);
  }
  gInterrupted = 1;
}

// Ctrl+C and SIGTERM stop the reading; the rows already read are written.
// A second Ctrl+C ends the program at once.  SIGPIPE keeps its default: a
// reader that went away (head) ends the program quietly.
void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// ------------------------------------------------------------ in and out

int fail(const std::string& message) {
  std::string line = std::string(kName) + ": " + message + "\n";
  (void)!::write(STDERR_FILENO, line.data(), line.size());
  return cli::kUnusable;
}

// Reads from a descriptor; a pipe or terminal is polled so that an
// interrupt is seen even while no input comes.
std::size_t readSome(int fd, bool regular, const std::string& source, char* buffer,
                     std::size_t size) {
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
    throw std::runtime_error("cannot read " + source + ": " + std::strerror(errno));
  }
}

// Where the results go: standard output, or the temporary file of -o.
int gOutput = STDOUT_FILENO;
std::string gOutputName = "standard output";

void writeAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(gOutput, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("cannot write the results to " + gOutputName + ": " +
                               std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

// -o FILE: the results go to a temporary file in FILE's folder, renamed to
// FILE once the run has succeeded (exit 0 or 1) and removed otherwise, so
// that nothing half-written ever stands under FILE's name.
class AtomicOutput {
 public:
  explicit AtomicOutput(const std::string& path) : path_(path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    temporary_ = folder + "." + name + ".XXXXXX";
    if (name.empty() || temporary_.size() >= sizeof gTemporary) {
      throw std::runtime_error("-o '" + path + "' is not a file name");
    }
    const int fd = ::mkstemp(temporary_.data());
    if (fd < 0) {
      throw std::runtime_error("cannot write '" + path + "': " + std::strerror(errno));
    }
    // The permissions a new file gets, not mkstemp's owner-only ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd, 0666 & ~mask);
    std::memcpy(gTemporary, temporary_.c_str(), temporary_.size() + 1);
    gOutput = fd;
    gOutputName = "'" + path + "'";
  }
  ~AtomicOutput() { discard(); }
  AtomicOutput(const AtomicOutput&) = delete;
  AtomicOutput& operator=(const AtomicOutput&) = delete;

  // Puts the results under FILE's name; false (and a message) when it cannot.
  bool commit() {
    const int fd = std::exchange(gOutput, STDOUT_FILENO);
    const bool written = ::fsync(fd) == 0 && ::close(fd) == 0;
    if (!written || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
      fail("cannot write '" + path_ + "': " + std::strerror(errno));
      discard();
      return false;
    }
    gTemporary[0] = 0;
    return true;
  }

  void discard() {
    if (gTemporary[0] == 0) return;
    if (gOutput != STDOUT_FILENO) ::close(std::exchange(gOutput, STDOUT_FILENO));
    ::unlink(temporary_.c_str());
    gTemporary[0] = 0;
  }

 private:
  std::string path_;
  std::string temporary_;
};

// ------------------------------------------------------------ progress

std::string fixed(double value, int decimals) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                 decimals).ptr;
  return std::string(buffer, end);
}

// The shortest text that reads back as `value`.
std::string shortest(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
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
  void operator()(const cli::Progress& p) {
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
  static void put(const std::string& text) {
    (void)!::write(STDERR_FILENO, text.data(), text.size());
  }
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_;
  bool shown_ = false;
};

// ------------------------------------------------------------ FILE mode

struct FileOptions {
  std::string file;
  shore::Model model;
  report::Language language = report::Language::Japanese;
  int threads = 0;  // 0: every core
  std::string precision = "shown";
  bool progress = false;
  bool noProgress = false;
  bool warnings = false;
  cli::CsvFormat format;
};

// Runs a FILE of rows through `table` (the window's cases when null).
int runFile(const FileOptions& o, cli::Table* table = nullptr) {
  const bool fromStdin = o.file.empty() || o.file == "-";
  const std::string source = fromStdin ? "standard input" : "'" + o.file + "'";
  int fd = STDIN_FILENO;
  if (!fromStdin) {
    fd = ::open(o.file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail("cannot open " + source + ": " + std::strerror(errno));
  }
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);

  cli::RunOptions options;
  options.threads = o.threads > 0 ? o.threads : tbb::info::default_concurrency();
  options.precision = o.precision == "full" ? cli::Precision::Full : cli::Precision::Shown;
  options.model = o.model;
  options.warnings = o.warnings;
  options.table = table;
  options.format = o.format;
  options.language = o.language;
  options.totalBytes = regular ? static_cast<std::uint64_t>(info.st_size) : 0;
  options.interrupted = &gInterrupted;
  const bool progress = o.progress || (!o.noProgress && ::isatty(STDERR_FILENO) == 1);
  ProgressLine line;
  if (progress) options.progress = [&line](const cli::Progress& p) { line(p); };

  catchInterrupts();
  try {
    const cli::RunResult result = cli::runStream(
        [&](char* buffer, std::size_t size) { return readSome(fd, regular, source, buffer, size); },
        writeAll, options);
    if (!fromStdin) ::close(fd);
    if (result.status == cli::kUnusable) return fail(source + ": " + result.diagnostic);
    if (result.interrupted) {
      fail("interrupted; " + std::to_string(result.rows) + " rows written");
      return 130;
    }
    if (result.status == cli::kSomeFailed) {
      fail(std::to_string(result.failedRows) + " of " + std::to_string(result.rows) +
           " rows failed (first: " + result.firstFailure + ")");
    }
    return result.status;
  } catch (const std::bad_alloc&) {
    return fail("out of memory while processing " + source);
  } catch (const std::exception& error) {
    return fail(error.what());
  }
}

// ------------------------------------------------------------ one wave

// The four inputs of one wave, as typed after their options.
struct WaveArgs {
  std::string Ho, T, alpha0, n;
  shore::Wave wave() const;  // throws std::invalid_argument for a text that is no number
};

// The four options of one wave; `required` unless the command can read its
// waves from a file instead.
void addWaveOptions(CLI::App& command, WaveArgs& a, bool required = true) {
  command.add_option("--Ho", a.Ho, "deep-water wave height (m)")->required(required);
  command.add_option("--T", a.T, "wave period (s)")->required(required);
  command.add_option("--alpha0", a.alpha0,
                     "deep-water angle of incidence from the shore normal (degrees)")
      ->required(required);
  command.add_option("--n", a.n, "bottom slope 1/n, given as its denominator n")
      ->required(required);
}

struct ProfileArgs : WaveArgs {
  std::string from, spacing;
  int stations = 200;
};

// An option's text fit for a one-line message: control characters (a line
// break among them) shown as '?'.
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
  return out + "'";
}

// A whole option read as a decimal number ("1x" and "" are errors).
double numberOption(const std::string& name, const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) {
    throw std::invalid_argument("--" + name + " " + quoted(text) + " is not a number");
  }
  return value;
}

shore::Wave WaveArgs::wave() const {
  return {numberOption("Ho", Ho), numberOption("T", T), numberOption("alpha0", alpha0),
          numberOption("n", n)};
}

// Writes a one-wave table to standard output, then `notes` to standard
// error; the outcome's diagnostic instead when it has no table.
template <class Outcome>
int writeTable(const Outcome& outcome, std::span<const std::string> notes = {}) {
  if (outcome.csv.empty()) {
    fail(outcome.diagnostic);
    return outcome.status;
  }
  try {
    writeAll(outcome.csv);
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  for (const std::string& note : notes) fail(note);
  return outcome.status;
}

// ------------------------------------------------------------ models

struct ModelArgs {
  std::string breaker{shore::breakerName(shore::Model{}.breaker)};
  std::string shoaling{shore::shoalingName(shore::Model{}.shoaling)};
};


// The model the two options name; an unknown name is an error naming the
// ones there are.
shore::Model parseModel(const ModelArgs& a) {
  shore::Model model;
  if (const auto breaker = shore::parseBreaker(a.breaker)) {
    model.breaker = *breaker;
  } else {
    throw std::invalid_argument("unknown breaker limit " + quoted(a.breaker) + "; one of " +
                                shore::breakerNameList());
  }
  if (const auto shoaling = shore::parseShoaling(a.shoaling)) {
    model.shoaling = *shoaling;
  } else {
    throw std::invalid_argument("unknown shoaling rule " + quoted(a.shoaling) + "; one of " +
                                shore::shoalingNameList());
  }
  return model;
}

// ------------------------------------------------------------ language

// The language of the messages on standard error and in the error cells:
// --lang, else SAIHA_LANG, else Japanese.  An unknown name is an error, not
// a silent fallback.
report::Language parseLanguage(const std::string& option) {
  std::string_view name = option;
  std::string_view where = "--lang";
  if (name.empty()) {
    const char* environment = std::getenv("SAIHA_LANG");
    name = environment ? environment : "";
    where = "SAIHA_LANG";
  }
  if (name.empty()) return report::Language::Japanese;
  if (const auto language = report::languageNamed(name)) return *language;
  throw std::invalid_argument(std::string(where) + ": unknown language " +
                              quoted(std::string(name)) + "; ja or en");
}

void addLanguageOption(CLI::App& command, std::string& lang) {
  command.add_option("--lang", lang,
                     "language of the messages and error cells: ja (default) or en; the "
                     "environment variable SAIHA_LANG when absent")
      ->option_text("LANG");
}

// ------------------------------------------------------------ CSV format

struct FormatArgs {
  std::string delimiter = ",";
  bool decimalComma = false;
  bool bom = false;
  bool strict = false;
};

// The CSV format the options give; std::invalid_argument for a separator or
// a pair of choices that does not go.
cli::CsvFormat parseFormat(const FormatArgs& a) {
  cli::CsvFormat format;
  const auto delimiter = cli::delimiterNamed(a.delimiter);
  if (!delimiter) {
    throw std::invalid_argument("--delimiter " + quoted(a.delimiter) + ": one of ',', ';' or tab");
  }
  format.delimiter = *delimiter;
  format.decimalComma = a.decimalComma;
  format.bom = a.bom;
  format.strict = a.strict;
  if (const auto problem = format.problem()) throw std::invalid_argument(*problem);
  return format;
}

void addFormatOptions(CLI::App& command, FormatArgs& a) {
  command.add_option("--delimiter", a.delimiter,
                     "field separator of the input and the output: ',' (default), ';' or tab")
      ->option_text("SEP");
  command.add_flag("--decimal-comma", a.decimalComma,
                   "numbers read and written with ',' as the decimal mark (with --delimiter ';' "
                   "or tab)");
  command.add_flag("--bom", a.bom, "start the output with a UTF-8 byte-order mark");
  command.add_flag("--strict", a.strict,
                   "a number cell with text after its number (\"3ft\", \"10 s\", \"1,5\") fails "
                   "its row instead of reading as its leading number");
}

void addModelOptions(CLI::App& command, ModelArgs& a) {
  command.add_option("--breaker", a.breaker, "breaker limit: " + shore::breakerNameList())
      ->option_text("NAME");
  command.add_option("--shoaling", a.shoaling, "shoaling rule: " + shore::shoalingNameList())
      ->option_text("NAME");
}

// ------------------------------------------------------------ profile

// The stations of a profile as --from, --spacing and --stations give them;
// throws std::invalid_argument for a value that is no depth or distance.
shore::ProfileOptions stationOptions(const std::string& fromText, const std::string& spacingText,
                                     int stations, const CLI::App& command) {
  shore::ProfileOptions options;
  if (command.count("--from") > 0) {
    const double from = numberOption("from", fromText);
    if (!(from > 0)) throw std::invalid_argument("--from must be a depth > 0 (m)");
    if (!std::isfinite(static_cast<float>(from))) {
      throw std::invalid_argument("--from " + quoted(fromText) + ": " + report::depthTooLargeText());
    }
    options.fromDepth = from;
  }
  if (command.count("--spacing") > 0) {
    const double spacing = numberOption("spacing", spacingText);
    if (!(spacing > 0 && std::isfinite(spacing))) {
      throw std::invalid_argument("--spacing must be a distance > 0 (m)");
    }
    options.spacing = spacing;
  }
  options.stations = stations;
  return options;
}

int runProfile(const ProfileArgs& a, const ModelArgs& m, const CLI::App& command,
               report::Language language) {
  shore::Wave wave;
  shore::ProfileOptions options;
  shore::Model model;
  try {
    model = parseModel(m);
    wave = a.wave();
    options = stationOptions(a.from, a.spacing, a.stations, command);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }

  const cli::ProfileOutcome outcome = cli::profileCsv(wave, options, model, language);
  return writeTable(outcome, outcome.stationErrors);
}

// ------------------------------------------------------------ compare

struct CompareArgs : WaveArgs {
  std::string K, rho, rhoS, porosity;
  std::string height = "regular";
  bool warnings = false;
  std::string file;  // a CSV of waves instead of the four options
  FileOptions run;   // -j and the progress line of FILE
};

int runCompare(const CompareArgs& a, const CLI::App& command, report::Language language) {
  shore::Wave wave;
  shore::TransportParams params;
  const int waveOptions = static_cast<int>(command.count("--Ho") + command.count("--T") +
                                           command.count("--alpha0") + command.count("--n"));
  try {
    if (a.file.empty() ? waveOptions != 4 : waveOptions != 0) {
      throw std::invalid_argument("compare takes either --Ho, --T, --alpha0 and --n, or a FILE "
                                  "of waves (see " + std::string(kName) + " compare --help)");
    }
    if (a.file.empty() && command.count("--jobs") > 0) {
      throw std::invalid_argument("-j goes with a FILE of waves");
    }
    if (a.file.empty()) wave = a.wave();
    if (command.count("--K") > 0) params.K = numberOption("K", a.K);
    if (command.count("--rho") > 0) params.rho = numberOption("rho", a.rho);
    if (command.count("--rho-s") > 0) params.rhoS = numberOption("rho-s", a.rhoS);
    if (command.count("--porosity") > 0) params.porosity = numberOption("porosity", a.porosity);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }

  if (a.file.empty()) {
    return writeTable(cli::compareCsv(wave, params, a.warnings,
                                      a.height == "significant" ? shore::HeightBasis::Significant
                                                                : shore::HeightBasis::Regular,
                                      language));
  }
  if (std::string bad = cli::transportDiagnostic(params, language); !bad.empty()) {
    return fail(bad);
  }
  FileOptions run = a.run;
  run.file = a.file;
  run.language = language;
  cli::CompareTable table(params,
                          a.height == "significant" ? shore::HeightBasis::Significant
                                                    : shore::HeightBasis::Regular,
                          a.warnings, language, run.format);
  return runFile(run, &table);
}

// ------------------------------------------------------------ random

struct RandomArgs {
  FileOptions file;
  std::string H0p, T13, n, from, spacing;
  int stations = 200;
  bool profile = false;
};

int runRandom(RandomArgs& a, const CLI::App& command, report::Language language) {
  if (!a.profile) {
    if (command.count("--H0p") + command.count("--T13") + command.count("--n") > 0) {
      return fail("--H0p, --T13 and --n go with --profile (see " + std::string(kName) +
                  " random --help)");
    }
    cli::RandomTable table(
        a.file.precision == "full" ? cli::Precision::Full : cli::Precision::Shown, language,
        a.file.warnings, a.file.format);
    return runFile(a.file, &table);
  }
  shore::ProfileOptions options;
  double H0p = 0, T13 = 0, n = 0;
  try {
    if (command.count("FILE") + command.count("--precision") + command.count("--jobs") > 0) {
      throw std::invalid_argument("FILE, -j and --precision do not go with --profile");
    }
    if (command.count("--H0p") == 0 || command.count("--T13") == 0 || command.count("--n") == 0) {
      throw std::invalid_argument("--profile needs --H0p, --T13 and --n");
    }
    H0p = numberOption("H0p", a.H0p);
    T13 = numberOption("T13", a.T13);
    n = numberOption("n", a.n);
    options = stationOptions(a.from, a.spacing, a.stations, command);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  const cli::ProfileOutcome outcome = cli::randomProfileCsv(H0p, T13, n, options);
  return writeTable(outcome, outcome.stationErrors);
}

// ------------------------------------------------------------ shore

struct ShoreArgs : WaveArgs {
  std::string betaF, H0, Tp;
};

int runShore(const ShoreArgs& a, const ModelArgs& m, const CLI::App& command) {
  shore::Wave wave;
  shore::Model model;
  shore::RunupInput runup;
  try {
    model = parseModel(m);
    wave = a.wave();
    if (command.count("--beta-f") > 0) runup.betaF = numberOption("beta-f", a.betaF);
    if (command.count("--runup-H0") > 0) runup.H0 = numberOption("runup-H0", a.H0);
    if (command.count("--runup-Tp") > 0) runup.Tp = numberOption("runup-Tp", a.Tp);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  const cli::ShorelineOutcome outcome = cli::shorelineCsv(wave, model, runup);
  return writeTable(outcome, outcome.notes);
}


}  // namespace

int main(int argc, char** argv) {
  CLI::App app(kDescription, kName);
  app.footer(kFooter);
  app.set_version_flag("--version", std::string(kName) + " " + SAIHA_VERSION);
  app.require_subcommand(0, 1);

  FileOptions file;
  app.add_option("FILE", file.file, "CSV file of cases; standard input when absent or \"-\"");
  app.add_option("-j,--jobs", file.threads, "calculation threads (default: every core)")
      ->check(CLI::Range(1, 1024));
  app.add_option("--precision", file.precision,
                 "results as shown in the window (two decimals) or in full")
      ->check(CLI::IsMember({"shown", "full"}));
  auto* progress = app.add_flag("--progress", file.progress,
                                "show a progress line on standard error (default: when it is a "
                                "terminal)");
  app.add_flag("--no-progress", file.noProgress, "never show the progress line")
      ->excludes(progress);
  app.add_flag("--warnings", file.warnings,
               "add a last column 'warnings': the bits of the formulas used outside their "
               "fitted range (1 a slope steeper than 1/10 under goda1970 or goda2010, 2 the "
               "kamphuis limit, fitted to irregular waves; 128 a number cell with text after its "
               "number, read as that number), 0 for none");
  // One model for FILE and profile, given before or after "profile".
  ModelArgs model;
  addModelOptions(app, model);
  std::string lang;
  addLanguageOption(app, lang);
  FormatArgs format;
  addFormatOptions(app, format);
  // -o for every mode, given before or after the command.
  std::string output;
  const std::string outputHelp =
      "write the results to FILE, whole or not at all (default: standard output)";
  app.add_option("-o,--output", output, outputHelp)->option_text("FILE");

  ProfileArgs profile;
  CLI::App* profileCommand = app.add_subcommand(
      "profile",
      "Writes one wave's cross-shore profile as CSV: the state at evenly spaced stations from a "
      "seaward depth to the shoreline, the onset of nonlinear shoaling and the breaking point "
      "marked.");
  profileCommand->footer(kProfileFooter);
  addWaveOptions(*profileCommand, profile);
  profileCommand->add_option("--from", profile.from,
                             "seaward depth (m); default twice the onset depth of nonlinear "
                             "shoaling, at least twice the breaking depth");
  auto* stations = profileCommand
                       ->add_option("--stations", profile.stations,
                                    "number of evenly spaced stations, the two marked ones not "
                                    "counted (default 200)")
                       ->check(CLI::Range(1, shore::kMaxStations));
  profileCommand->add_option("--spacing", profile.spacing, "spacing of the stations in x (m)")
      ->excludes(stations);
  addModelOptions(*profileCommand, model);
  addLanguageOption(*profileCommand, lang);
  profileCommand->add_option("-o,--output", output, outputHelp)->option_text("FILE");

  CompareArgs compare;
  CLI::App* compareCommand = app.add_subcommand(
      "compare",
      "Writes one row per breaker and shoaling model for one wave as CSV: the breaking point "
      "and the longshore transport it implies.");
  compareCommand->footer(kCompareFooter);
  addWaveOptions(*compareCommand, compare, false);
  compareCommand->add_option("FILE", compare.file,
                             "CSV file of waves (Ho, T, alpha0, n; other columns passed through) "
                             "instead of the four options; \"-\" for standard input");
  addLanguageOption(*compareCommand, lang);
  const shore::TransportParams defaults;
  compareCommand->add_option("--K", compare.K,
                             "transport coefficient, > 0 (default " +
                                 shortest(defaults.K) + ")");
  compareCommand->add_option("--rho", compare.rho,
                             "water density (kg/m3), > 0 (default " +
                                 shortest(defaults.rho) +
                                 ", sea water)");
  compareCommand->add_option("--rho-s", compare.rhoS,
                             "sediment density (kg/m3), > rho (default " +
                                 shortest(defaults.rhoS) +
                                 ", quartz sand)");
  compareCommand->add_option("--porosity", compare.porosity,
                             "porosity of the bed, 0 <= p < 1 (default " +
                                 shortest(defaults.porosity) + ")");
  compareCommand->add_option("--height", compare.height,
                             "height fed to the transport: regular (each row's Hb, default) or "
                             "significant (Goda's H1/3 at each row's hb)")
      ->check(CLI::IsMember({"regular", "significant"}));
  compareCommand->add_flag("--warnings", compare.warnings,
                           "add a last column 'warnings' (bits as for the FILE mode)");
  compareCommand->add_option("-j,--jobs", compare.run.threads,
                             "calculation threads for FILE (default: every core)")
      ->check(CLI::Range(1, 1024));
  compareCommand->add_flag("--no-progress", compare.run.noProgress,
                           "never show the progress line");
  addFormatOptions(*compareCommand, format);

  RandomArgs random;
  CLI::App* randomCommand = app.add_subcommand(
      "random",
      "Goda's random-wave heights: H1/3 and Hmax of an irregular sea in and outside the surf "
      "zone, for each row of a CSV file (H0p,T13,n,h) or along one sea's profile (--profile).");
  randomCommand->footer(kRandomFooter);
  randomCommand->add_option("FILE", random.file.file,
                            "CSV file of seas and depths; standard input when absent or \"-\"");
  randomCommand->add_option("-j,--jobs", random.file.threads,
                            "calculation threads (default: every core)")
      ->check(CLI::Range(1, 1024));
  randomCommand->add_option("--precision", random.file.precision,
                            "results with two decimals, or in full")
      ->check(CLI::IsMember({"shown", "full"}));
  randomCommand->add_flag("--no-progress", random.file.noProgress, "never show the progress line");
  randomCommand->add_flag("--warnings", random.file.warnings,
                          "add a last column 'warnings': 1 a slope steeper than 1/10, 128 a "
                          "number cell read as its leading number, 0 for none");
  addFormatOptions(*randomCommand, format);
  addLanguageOption(*randomCommand, lang);
  randomCommand->add_flag("--profile", random.profile,
                          "write one sea's profile instead of reading FILE");
  randomCommand->add_option("--H0p", random.H0p,
                            "equivalent deep-water significant height H0' (m), with --profile");
  randomCommand->add_option("--T13", random.T13, "significant period T1/3 (s), with --profile");
  randomCommand->add_option("--n", random.n, "bottom slope 1/n, given as n, with --profile");
  randomCommand->add_option("--from", random.from,
                            "seaward depth (m); default twice the depth of the outer edge of "
                            "the surf zone");
  auto* randomStations = randomCommand
                             ->add_option("--stations", random.stations,
                                          "number of evenly spaced stations (default 200)")
                             ->check(CLI::Range(1, shore::kMaxStations));
  randomCommand->add_option("--spacing", random.spacing, "spacing of the stations in x (m)")
      ->excludes(randomStations);

  ShoreArgs shoreArgs;
  CLI::App* shoreCommand = app.add_subcommand(
      "shore",
      "Writes what happens at the shoreline for one wave as CSV, one row per quantity: breaker "
      "type, setdown and setup, runup and the longshore current.");
  shoreCommand->footer(kShoreFooter);
  addWaveOptions(*shoreCommand, shoreArgs);
  addModelOptions(*shoreCommand, model);
  shoreCommand->add_option("--beta-f", shoreArgs.betaF,
                           "foreshore slope tan(beta_f) for the runup, > 0 (default 1/n)");
  shoreCommand->add_option("--runup-H0", shoreArgs.H0,
                           "deep-water significant height for the runup (m), > 0 (default Ho)");
  shoreCommand->add_option("--runup-Tp", shoreArgs.Tp,
                           "peak period for the runup (s), > 0 (default T)");
  compareCommand->add_option("-o,--output", output, outputHelp)->option_text("FILE");

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done);  // --help or --version, printed to standard output
  } catch (const CLI::ParseError& error) {
    return fail(std::string(error.what()) + " (see " + kName + " --help)");
  }

  try {
    file.language = parseLanguage(lang);
    file.format = parseFormat(format);
    random.file.format = compare.run.format = file.format;
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  std::optional<AtomicOutput> atomic;
  if (!output.empty() && output != "-") {
    try {
      atomic.emplace(output);
    } catch (const std::runtime_error& error) {
      return fail(error.what());
    }
    catchInterrupts();
  }
  const int status = [&]() -> int {
    const bool fileOptions =
        app.count("FILE") > 0 || app.count("--jobs") > 0 || app.count("--precision") > 0;
    if (profileCommand->parsed()) {
      if (fileOptions) {
        return fail("FILE, -j and --precision do not go with profile (see " + std::string(kName) +
                    " --help)");
      }
      return runProfile(profile, model, *profileCommand, file.language);
    }
    if (randomCommand->parsed()) {
      if (fileOptions || app.count("--breaker") > 0 || app.count("--shoaling") > 0 ||
          app.count("--warnings") > 0) {
        return fail("options of the regular-wave FILE mode do not go with random (see " +
                    std::string(kName) + " random --help)");
      }
      random.file.language = file.language;
      return runRandom(random, *randomCommand, file.language);
    }
    if (compareCommand->parsed()) {
      if (fileOptions || app.count("--breaker") > 0 || app.count("--shoaling") > 0) {
        return fail("FILE, -j, --precision, --breaker and --shoaling do not go with compare, which "
                    "shows every model (see " + std::string(kName) + " compare --help)");
      }
      return runCompare(compare, *compareCommand, file.language);
    }
    if (shoreCommand->parsed()) {
      if (fileOptions) {
        return fail("FILE, -j and --precision do not go with shore (see " + std::string(kName) +
                    " --help)");
      }
      return runShore(shoreArgs, model, *shoreCommand);
    }
    try {
      file.model = parseModel(model);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    return runFile(file);
  }();
  if (atomic) {
    const bool succeeded = (status == cli::kAllComputed || status == cli::kSomeFailed) &&
                           gInterrupted == 0;
    if (!succeeded) {
      atomic->discard();
      return gInterrupted != 0 && status != cli::kUnusable ? 130 : status;
    }
    if (!atomic->commit()) return cli::kUnusable;
  }
  return status;
}

