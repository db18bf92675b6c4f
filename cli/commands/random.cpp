// saiha-calc random: Goda's random-wave heights, row by row from a CSV file
// or along one sea's profile.
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/program.h"
#include "cli/random_csv.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Method (Goda 1975; Goda 2000, Random Seas and Design of Maritime Structures, 3.6):
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
  --profile: the header x,h,point,Ks,H13,H13_term,Hmax,Hmax_term
  ("warnings" last with --warnings); point is breaking at the outer edge
  of the surf zone (where H13 leaves Ks*H0p), a term is shoaling (Ks*H0p),
  breaking (b0*H0p + b1*h) or cap (bmax*H0p); numbers with two decimals,
  or in full with --precision full.
  Ks is empty where Shuto's nonlinear law cannot be solved (very shallow
  water); the shoaled term then drops out of the minimum (warning 1024).

Warnings (the column "warnings", a sum of bits): 1 a slope steeper than
  1/10, 4 gentler than 1/100 (the method was fitted on 1/10 to 1/100);
  8 H13 or Hmax above the still-water depth h (the formulas' value, which
  keeps a finite height at the shoreline: weigh it, do not design with
  it); 64 h/H0p below 0.5, the shallow end of Goda's diagrams; 1024 Ks not
  formed; 128 a number cell read as its leading number.

Exit status:
  As for the FILE mode and profile: 0 every row or station computed, 1
  some failed, 2 a bad option, input or value (H0p/L0 > 0.142 among them).)";

class RandomCommand final : public Command {
 public:
  std::string_view name() const override { return "random"; }
  std::string summary() const override {
    return "Goda's random-wave heights: H1/3 and Hmax of an irregular sea in and outside the "
           "surf zone, for each row of a CSV file (H0p,T13,n,h) or along one sea's profile "
           "(--profile).";
  }
  std::string footer() const override { return kFooter; }
  std::vector<Example> examples() const override {
    return {
        {"Goda's H1/3 and Hmax for every sea and depth of a file (columns H0p, T13, n, h)",
         "saiha-calc random seas.csv"},
        {"One sea's heights across the surf zone",
         "saiha-calc random --profile --H0p 3 --T13 10 --n 50"},
    };
  }
  void addOptions(CLI::App& command, Choices&) override {
    command.add_option("FILE", file_,
                       "CSV file of seas and depths; standard input when absent or \"-\"");
    command.add_flag("--profile", profile_, "write one sea's profile instead of reading FILE");
    command.add_option("--H0p", H0p_,
                       "equivalent deep-water significant height H0' (m), with --profile")
        ->option_text("M");
    command.add_option("--T13", T13_, "significant period T1/3 (s), with --profile")
        ->option_text("S");
    command.add_option("--n", n_, "bottom slope 1/n, given as n, with --profile")
        ->option_text("N");
    addStationOptions(command, stations_,
                      "seaward depth (m), with --profile; default twice the depth of the outer "
                      "edge of the surf zone");
  }
  std::string refuses(Shared option) const override {
    switch (option) {
      case Shared::Breaker:
      case Shared::Shoaling: return refusal::kGodaModel();
      default: return {};
    }
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override;

 private:
  std::string file_;
  bool profile_ = false;
  std::string H0p_, T13_, n_;
  StationArgs stations_;
};

int RandomCommand::run(const SharedValues& shared, const CLI::App& parsed) {
  report::Language language{};
  try {
    language = parseLanguage(shared.lang);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  const char* profileOnly[] = {"--H0p", "--T13", "--n", "--from", "--stations", "--spacing"};
  if (!profile_) {
    for (const char* option : profileOnly) {
      if (parsed.count(option) > 0) {
        return fail(say(report::Usage::GoesWithProfile, {option}) +
                    say(report::Usage::SeeHelp, {std::string(kProgramName) + " random"}));
      }
    }
    RandomTable table(shared.precision == "full" ? Precision::Full : Precision::Shown, language,
                      shared.warnings, formatOf(shared));
    return runFile(file_, shared, table);
  }
  shore::ProfileOptions options;
  double H0p = 0, T13 = 0, n = 0;
  try {
    if (parsed.count("FILE") > 0) throw std::invalid_argument(say(report::Usage::FileWithProfile));
    const std::string refused =
        refusedIn(parsed, "random --profile",
                  {{Shared::Jobs, refusal::kOneWaveThreads()},
                   {Shared::Progress, refusal::kOneWaveProgress()}});
    if (!refused.empty()) throw std::invalid_argument(refused);
    if (parsed.count("--H0p") == 0 || parsed.count("--T13") == 0 || parsed.count("--n") == 0) {
      throw std::invalid_argument(say(report::Usage::ProfileNeeds));
    }
    H0p = numberOption("H0p", H0p_);
    T13 = numberOption("T13", T13_);
    n = numberOption("n", n_);
    options = stationOptions(stations_, parsed, language);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  const ProfileOutcome outcome = randomProfileCsv(H0p, T13, n, options, language, shared.warnings,
                                                    digitsOf(shared));
  return writeTable({outcome.status, outcome.csv, outcome.diagnostic, outcome.stationErrors, &outcome.counts},
                    shared);
}

}  // namespace

std::unique_ptr<Command> makeRandomCommand() { return std::make_unique<RandomCommand>(); }

}  // namespace saiha::cli
