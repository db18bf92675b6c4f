// The FILE mode of the top level: one case per CSV row, computed as the
// calculation window computes its boxes.
#include "cli/commands/commands.h"
#include "cli/program.h"
#include "cli/rows.h"

namespace saiha::cli {

namespace {

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
  reads the text of its box ("12 m" is 12, "1,5" in quotes is 1);
  with --strict such a cell fails its row instead, and --warnings flags it
  (bit 128) when it is read so.
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
FILE never holds half a result, and keeps its mode.  A symbolic link is
followed and the file it names replaced the same way.  A FIFO or character
device (a terminal, /dev/null) is written as the rows come, so a run that
fails there has already written its first rows.  A directory is refused.

Models (--breaker, --shoaling; also for profile and shore):
  breaker limits  goda1970 (default), goda2010, mccowan, kamphuis, miche
  shoaling rules  two-regime (default), shuto
  The defaults are the calculation window's.  Any other pair finds the
  breaking point where the height that applies at each depth meets the
  limit, so a steep wave may break while it still shoals linearly.

Language (--lang, or the environment variable SAIHA_LANG when --lang is absent):
  ja (default) or en, for the messages on standard error and in the error
  cells.  Column names, numbers and the model names stay the same in both.)";

class CalcCommand final : public Command {
 public:
  std::string_view name() const override { return ""; }
  std::string summary() const override {
    return "Computes refraction, shoaling and breaking of regular waves on a uniform slope, one "
           "case per CSV row, exactly as the calculation window does.";
  }
  std::string footer() const override { return kFooter; }
  std::vector<Example> examples() const override {
    return {
        {"Every case of a CSV file (columns Ho, T, alpha0, n, h), the window's results with two decimals",
         "saiha-calc cases.csv > results.csv"},
        {"The same in full precision with the warning bits, whole or not at all into a file",
         "saiha-calc --precision full --warnings -o results.csv cases.csv"},
        {"Headers with units, English messages, from standard input",
         "saiha-calc --units --lang en < cases.csv"},
    };
  }
  void addOptions(CLI::App& command, Choices&) override {
    command.add_option("FILE", file_, "CSV file of cases; standard input when absent or \"-\"");
  }
  std::string refuses(Shared) const override { return {}; }
  int run(const SharedValues& shared, const CLI::App&) override {
    shore::Model model;
    report::Language language{};
    try {
      model = parseModel(shared);
      language = parseLanguage(shared.lang);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    CaseTable table(shared.precision == "full" ? Precision::Full : Precision::Shown, model,
                    shared.warnings, language, formatOf(shared));
    return runFile(file_, shared, table);
  }

 private:
  std::string file_;
};

}  // namespace

std::unique_ptr<Command> makeCalcCommand() { return std::make_unique<CalcCommand>(); }

}  // namespace saiha::cli
