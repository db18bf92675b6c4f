// saiha-calc compare: every breaker limit and shoaling rule side by side on
// one wave, or on every wave of a CSV file, with the longshore transport each
// implies.
#include <cmath>
#include <limits>
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/compare_csv.h"
#include "cli/exit_status.h"
#include "cli/program.h"
#include "report/messages.h"
#include "shore/comparison.h"
#include "wave/formulas.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Input: the four wave options, or FILE, a CSV of waves with the columns
  Ho, T, alpha0 and n as saiha-calc reads them (other columns passed through).

Output (standard output):
  CSV with LF line ends and the header
    breaker,shoaling,Hb,hb,gamma,theta_b,Q_m3_per_s,Q_m3_per_year,error,xi0,
    breaker_type
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
  the same depth.  Numbers have two decimals, or with --precision full
  are the shortest texts that read back as the same single-precision
  values; a value not reached is an empty cell and the
  error cell holds the window's message.  xi0 is the wave's surf similarity
  tan(beta)/sqrt(Ho/L0) and breaker_type Battjes's class of it (spilling,
  plunging, surging), the same in every row of a wave.

Exit status:
  0  every row computed
  1  some row has an error (every row is still written; standard error says
     how many and which was first)
  2  a bad option, input value or transport parameter: one line on
     standard error, no output)";

class CompareCommand final : public Command {
 public:
  std::string_view name() const override { return "compare"; }
  std::string summary() const override {
    return "Writes one row per breaker and shoaling model for one wave, or for every wave of a "
           "CSV file, as CSV: the breaking point and the longshore transport it implies.";
  }
  std::string footer() const override { return kFooter; }
  std::vector<Example> examples() const override {
    return {
        {"Every breaker limit and shoaling rule on one wave, with the CERC transport",
         "saiha-calc compare --Ho 2 --T 10 --alpha0 0 --n 100"},
        {"Every model on every wave of a file, the transport fed with Goda's H1/3",
         "saiha-calc compare --height significant waves.csv > models.csv"},
    };
  }
  void addOptions(CLI::App& command, Choices& choices) override {
    addWaveOptions(command, wave_, false);
    command.add_option("FILE", file_,
                       "CSV file of waves (Ho, T, alpha0, n; other columns passed through) "
                       "instead of the four options; \"-\" for standard input");
    const shore::TransportParams defaults;
    command.add_option("--K", K_,
                       "transport coefficient, > 0 (default " + shortest(defaults.K) + ")")
        ->option_text("K");
    command.add_option("--rho", rho_,
                       "water density (kg/m3), > 0 (default " + shortest(defaults.rho) +
                           ", sea water)")
        ->option_text("KG/M3");
    command.add_option("--rho-s", rhoS_,
                       "sediment density (kg/m3), > rho (default " + shortest(defaults.rhoS) +
                           ", quartz sand)")
        ->option_text("KG/M3");
    command.add_option("--porosity", porosity_,
                       "porosity of the bed, 0 <= p < 1 (default " +
                           shortest(defaults.porosity) + ")")
        ->option_text("P");
    choices["--height"] = {"regular", "significant"};
    command.add_option("--height", height_,
                       "height fed to the transport: regular (each row's Hb, default) or "
                       "significant (Goda's H1/3 at each row's hb)")
        ->check(choiceCheck("--height", choices["--height"]))
        ->option_text("BASIS");
  }
  std::string refuses(Shared option) const override {
    switch (option) {
      case Shared::Breaker:
      case Shared::Shoaling: return refusal::kEveryModel();
      default: return {};
    }
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override;

 private:
  int runFileOf(const SharedValues& shared, const shore::TransportParams& params,
                shore::HeightBasis basis, report::Language language);

  WaveArgs wave_;
  std::string file_;
  std::string K_, rho_, rhoS_, porosity_;
  std::string height_ = "regular";
};

int CompareCommand::run(const SharedValues& shared, const CLI::App& parsed) {
  shore::Wave wave;
  shore::TransportParams params;
  report::Language language{};
  const std::size_t waveOptions =
      parsed.count("--Ho") + parsed.count("--T") + parsed.count("--alpha0") + parsed.count("--n");
  const bool fromFile = parsed.count("FILE") > 0;
  try {
    language = parseLanguage(shared.lang);
    if (fromFile ? waveOptions != 0 : waveOptions != 4) {
      throw std::invalid_argument(
          say(report::Usage::CompareInputs) +
          say(report::Usage::SeeHelp, {std::string(kProgramName) + " compare"}));
    }
    if (!fromFile) {
      const std::string refused = refusedIn(parsed, say(report::Usage::OneWaveCompare),
                                            {{Shared::Jobs, refusal::kOneWaveThreads()},
                                             {Shared::Progress, refusal::kOneWaveProgress()}});
      if (!refused.empty()) throw std::invalid_argument(refused);
      wave = wave_.wave();
    }
    if (parsed.count("--K") > 0) params.K = numberOption("K", K_);
    if (parsed.count("--rho") > 0) params.rho = numberOption("rho", rho_);
    if (parsed.count("--rho-s") > 0) params.rhoS = numberOption("rho-s", rhoS_);
    if (parsed.count("--porosity") > 0) params.porosity = numberOption("porosity", porosity_);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  if (shore::checkTransport(params) == shore::Error::None &&
      shore::transportAlwaysOverflows(params)) {
    return fail(report::transportOverflowText("--K, --rho, --rho-s and --porosity", language));
  }
  const shore::HeightBasis basis = height_ == "significant" ? shore::HeightBasis::Significant
                                                             : shore::HeightBasis::Regular;
  if (fromFile) return runFileOf(shared, params, basis, language);

  const CompareOutcome outcome = compareCsv(wave, params, shared.warnings, basis, language,
                                                  digitsOf(shared));
  std::vector<std::string> notes;
  if (outcome.failedRows > 0) {
    notes.push_back(say(report::Usage::RowsFailed, {std::to_string(outcome.failedRows),
                                                    std::to_string(outcome.counts.rows),
                                                    outcome.firstFailure}));
  }
  return writeTable({outcome.status, outcome.csv, outcome.diagnostic, notes, &outcome.counts},
                    shared);
}

int CompareCommand::runFileOf(const SharedValues& shared, const shore::TransportParams& params,
                              shore::HeightBasis basis, report::Language language) {
  if (const std::string bad = transportDiagnostic(params, language); !bad.empty()) {
    return fail(bad);
  }
  CompareTable table(params, basis, shared.warnings, language, formatOf(shared),
                     digitsOf(shared));
  return runFile(file_, shared, table);
}

}  // namespace

std::unique_ptr<Command> makeCompareCommand() { return std::make_unique<CompareCommand>(); }

}  // namespace saiha::cli
