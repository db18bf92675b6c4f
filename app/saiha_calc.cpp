// saiha-calc: the calculation sheet from the command line.  Reads cases as
// CSV from a file or standard input and writes every case's results as CSV
// to standard output.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "app/csv_sheet.h"

namespace {

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
  around a name are ignored).  Any
  other column name is an error, so that a misspelt "h" is not silently
  dropped.  Every later row is one case; each cell is read as the window
  reads the text of its box ("12 m" is 12, "1,5" in quotes is 1).
  A UTF-8 byte-order mark is skipped; CRLF, LF or CR line ends are all
  accepted; blank lines are skipped.  Blanks inside a cell are kept.
  A row whose number of fields differs from the header's is not computed
  (its cells may have shifted) and fails with a message in its error cell.

Output (standard output):
  CSV with LF line ends and the header
    Ho,T,alpha0,n,h,Hb,hb,gamma,theta_b,L,theta,C,H,
    a_bottom,u_bottom,a_surface,u_surface,error
  and one row per input row, in input order: the input cells (h as the
  depth box reads after the calculation: an empty depth becomes the
  breaking depth), the results, and the error message (empty when the row
  computed).  In a failed row, results the calculation did not reach are
  empty cells.  Cells holding a comma, a double quote or a line break are
  quoted.

Exit status:
  0  every row computed
  1  at least one row failed (every row is still written)
  2  usage error, unreadable file, not CSV, or a header that does not name
     the columns; one line on standard error and no output)";

// The whole content of a stream; false (errno set) when reading failed.
bool readAll(std::FILE* in, std::string& content) {
  char buffer[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
    content.append(buffer, got);
    if (got < sizeof buffer) return !std::ferror(in);
  }
}

int fail(const std::string& message) {
  std::cerr << kName << ": " << message << '\n';
  return saiha::cli::kUnusable;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app(kDescription, kName);
  app.footer(kFooter);
  app.set_version_flag("--version", std::string(kName) + " " + SAIHA_VERSION);
  std::string file;
  app.add_option("FILE", file, "CSV file of cases; standard input when absent or \"-\"");

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done);  // --help or --version, printed to standard output
  } catch (const CLI::ParseError& error) {
    return fail(std::string(error.what()) + " (see " + kName + " --help)");
  }

  std::string input;
  const bool fromStdin = file.empty() || file == "-";
  const std::string source = fromStdin ? "standard input" : "'" + file + "'";
  if (fromStdin) {
    if (!readAll(stdin, input)) return fail("cannot read standard input: " + std::string(std::strerror(errno)));
  } else {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) return fail("cannot open " + source + ": " + std::strerror(errno));
    const bool read = readAll(in, input);
    const int readErrno = errno;
    std::fclose(in);
    if (!read) return fail("cannot read " + source + ": " + std::strerror(readErrno));
  }

  try {
    std::string diagnostic;
    const int status = saiha::cli::run(input, std::cout, diagnostic);
    if (status == saiha::cli::kUnusable) return fail(source + ": " + diagnostic);
    if (!std::cout.flush()) return fail("cannot write the results to standard output");
    return status;
  } catch (const std::exception& error) {
    return fail(std::string("cannot process ") + source + ": " + error.what());
  }
}
