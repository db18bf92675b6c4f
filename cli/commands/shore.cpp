// saiha-calc shore: what happens at the shoreline for one wave.
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/program.h"
#include "cli/shoreline_csv.h"

namespace saiha::cli {

namespace {

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
  Numbers are the shortest texts that read back as the same
  single-precision values; a value not reached is an empty cell.

Exit status:
  0  every quantity computed
  1  some quantity could not be computed (the breaking point was not
     found): every row is written, the message on standard error
  2  a bad option or input value: one line on standard error, no output)";

class ShoreCommand final : public Command {
 public:
  std::string_view name() const override { return "shore"; }
  std::string summary() const override {
    return "Writes what happens at the shoreline for one wave as CSV, one row per quantity: "
           "breaker type, setdown and setup, runup and the longshore current.";
  }
  std::string footer() const override { return kFooter; }
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
  std::string_view refuses(Shared option) const override {
    switch (option) {
      case Shared::Precision: return refusal::kFullPrecision;
      case Shared::Jobs: return refusal::kOneWaveThreads;
      case Shared::Progress: return refusal::kOneWaveProgress;
      case Shared::Warnings: return "the shoreline table has no warnings column";
      default: return {};
    }
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override {
    shore::Wave wave;
    shore::Model model;
    shore::RunupInput runup;
    report::Language language{};
    try {
      model = parseModel(shared);
      language = parseLanguage(shared.lang);
      wave = wave_.wave();
      if (parsed.count("--beta-f") > 0) runup.betaF = numberOption("beta-f", betaF_);
      if (parsed.count("--runup-H0") > 0) runup.H0 = numberOption("runup-H0", H0_);
      if (parsed.count("--runup-Tp") > 0) runup.Tp = numberOption("runup-Tp", Tp_);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    const ShorelineOutcome outcome = shorelineCsv(wave, model, runup, language);
    return writeTable({outcome.status, outcome.csv, outcome.diagnostic, outcome.notes, 0, 0, {}},
                      shared);
  }

 private:
  WaveArgs wave_;
  std::string betaF_, H0_, Tp_;
};

}  // namespace

std::unique_ptr<Command> makeShoreCommand() { return std::make_unique<ShoreCommand>(); }

}  // namespace saiha::cli
