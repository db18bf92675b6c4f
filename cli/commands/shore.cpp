// saiha-calc shore: what happens at the shoreline for one wave.
#include <optional>
#include <stdexcept>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/program.h"
#include "cli/shoreline_csv.h"
#include "report/compare_table.h"

namespace saiha::cli {

namespace {

// The empirical breaking point, named as compare names its row.
constexpr std::string_view kEmpiricalBreaker = report::kEmpiricalBreakerName;
constexpr std::string_view kEmpiricalIndex = report::kEmpiricalShoalingName;

constexpr const char* kFooter = R"(Output (standard output):
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
  Numbers have two decimals, or with --precision full are the shortest
  texts that read back as the same single-precision values; a value not
  reached is an empty cell.

  --breaker komar-gaughan takes the empirical breaking point instead of a
  breaker limit (as compare's row komar-gaughan,weggel): Komar and
  Gaughan's breaker height with Weggel's breaker index, no shoaling rule
  (--shoaling, if given, must be weggel).  Its hb = Hb/gamma is taken as
  the mean depth at the breaker line, as the Coastal Engineering Manual's
  Example Problem II-4-2 does: the surf zone of the setup starts at the
  still-water depth hb - setdown_b.  Under the breaker limits it starts at
  hb, the still-water depth of the breaking point.

  What cannot stand is not printed as a result: where the setdown at
  breaking outweighs the whole rise across the surf zone (gamma above
  sqrt(40/3) = 3.65, on very steep beaches), setup_shoreline,
  shoreline_shift and setup_max are empty and the exit status is 1.
  runup_fit says which of Stockdon's fits was used: general (eq. 19) or
  dissipative (eq. 18, runup_xi0 < 0.3), which has no incident swash
  (swash_incident empty, exit 0).  swash is eq. 19 as published, the
  rounded form R2 is formed with, up to 5 % above the root-sum-square of
  swash_incident and swash_infragravity.  The source of runup_H0, runup_Tp
  and beta_f says whether each was given or taken from the wave.

  With --warnings, a last column "warnings" holds each quantity's warning
  bits, 0 for none: those of the breaking point (1 a slope steeper than
  1/10, 2 the kamphuis limit, 256 a deep-water steepness below 0.001 for
  Komar and Gaughan), of the setup (2048 a breaker index above 1.56, the
  largest a breaker reaches) and of the runup (32 runup_xi0 within 5 % of
  0.3, where Stockdon's fits change; 16 on R2: R2 below setup_max).  With
  or without the column, a line on standard error counts the quantities
  with warnings and says what they are.

Exit status:
  0  every quantity computed
  1  some quantity could not be computed (no breaking point, or a negative
     setup): every row is written, the message on standard error
  2  a bad option or input value: one line on standard error, no output)";

class ShoreCommand final : public Command {
 public:
  std::string_view name() const override { return "shore"; }
  std::string summary() const override {
    return "Writes what happens at the shoreline for one wave as CSV, one row per quantity: "
           "breaker type, setdown and setup, runup and the longshore current.";
  }
  std::string footer() const override { return kFooter; }
  std::vector<Example> examples() const override {
    return {
        {"Breaker type, setup, runup and longshore current of one wave",
         "saiha-calc shore --Ho 2 --T 10 --alpha0 -30 --n 100"},
        {"The runup with a foreshore of its own and the wave's own spectrum",
         "saiha-calc shore --Ho 2 --T 10 --alpha0 -30 --n 100 --beta-f 0.1 --runup-H0 2.5 --runup-Tp 12"},
    };
  }
  void addOptions(CLI::App& command, Choices&) override {
    addWaveOptions(command, wave_);
    command.add_option("--beta-f", betaF_,
                       "foreshore slope tan(beta_f) for the runup, > 0 (default 1/n)")
        ->option_text("SLOPE");
    command.add_option("--runup-H0", H0_,
                       "deep-water significant height for the runup (m), > 0 (default Ho)")
        ->option_text("M");
    command.add_option("--runup-Tp", Tp_, "peak period for the runup (s), > 0 (default T)")
        ->option_text("S");
  }
  std::string refuses(Shared option) const override {
    switch (option) {
      case Shared::Units: return refusal::kOwnUnits();
      case Shared::Jobs: return refusal::kOneWaveThreads();
      case Shared::Progress: return refusal::kOneWaveProgress();
      default: return {};
    }
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override {
    shore::Wave wave;
    std::optional<shore::Model> model;
    shore::RunupInput runup;
    report::Language language{};
    try {
      if (shared.breaker == kEmpiricalBreaker) {
        if (givenAnywhere(parsed, Shared::Shoaling) && shared.shoaling != kEmpiricalIndex) {
          throw std::invalid_argument(say(report::Usage::EmpiricalShoaling,
                                          {quoted(shared.shoaling), kEmpiricalBreaker,
                                           kEmpiricalIndex}));
        }
      } else {
        model = parseModel(shared);
      }
      language = parseLanguage(shared.lang);
      wave = wave_.wave();
      if (parsed.count("--beta-f") > 0) runup.betaF = numberOption("beta-f", betaF_);
      if (parsed.count("--runup-H0") > 0) runup.H0 = numberOption("runup-H0", H0_);
      if (parsed.count("--runup-Tp") > 0) runup.Tp = numberOption("runup-Tp", Tp_);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    const ShorelineOutcome outcome = shorelineCsv(wave, model, runup, shared.warnings, language,
                                                       digitsOf(shared));
    return writeTable({outcome.status, outcome.csv, outcome.diagnostic, outcome.notes, &outcome.counts},
                      shared);
  }

 private:
  WaveArgs wave_;
  std::string betaF_, H0_, Tp_;
};

}  // namespace

std::unique_ptr<Command> makeShoreCommand() { return std::make_unique<ShoreCommand>(); }

}  // namespace saiha::cli
