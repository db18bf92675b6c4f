// saiha-calc transform: random waves across a measured profile by the wave
// energy balance, for each sea condition of a CSV file or for one given as
// options.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "cli/program.h"
#include "cli/transform_csv.h"
#include "report/messages.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Method (Battjes and Janssen 1978 and its successors; /usr/share/doc/saiha/docs/transform.md):
  The random sea given at the first profile point is carried shoreward by
  the balance of wave energy flux with breaking dissipation (bj78, tg83,
  baldock98 or jb07, and none), the surface roller, the wave setup from the
  cross-shore momentum balance and the longshore current from the
  alongshore one (lateral mixing with --mixing), to the wet/dry edge.  The depth
  contours are straight and parallel alongshore; theta is measured from
  the shore normal.  gamma: ruessink2003 (0.29 + 0.76*kd, local; default),
  battjes-stive1985 (0.5 + 0.4*tanh(33*s0)) or a number.

Profile (--profile P.csv):
  CSV whose header names x and z (any order; other columns ignored): x (m)
  strictly increasing onshore, the offshore boundary at the first point;
  z (m) the bed elevation, negative below the still-water datum, the first
  point below it.  Each cell a whole finite number.  A profile that breaks
  any of this is an error (exit 2) naming the line.  Limits: a regular file
  (not a FIFO or a device) of at most 64 MiB, at most 20000 points, |z| up
  to 11000 m, a span of at most 1000 km, and at most 2 million integration
  steps (span/5 m plus the steps shortened on steep faces).

Input (FILE, or standard input when FILE is absent or "-"):
  CSV, one sea condition at the offshore boundary per row, the header
  naming
    Hrms0   root-mean-square wave height (m), or instead
    Hm0     the spectral significant height (m): Hrms0 = Hm0/sqrt(2)
    Tp      peak period (s)
    theta0  direction (degrees from the shore normal, -90 to 90)
    tide    still-water level above the datum (m), optional (default 0):
            the depth is h = tide - z
    wind_stress  alongshore wind stress on the surface (N/m2), optional
            (default --wind-stress, else 0): positive in the direction the
            waves travel alongshore (the sign of theta0, of V); a stress
            given in another frame's axes may need its sign turned
  in any order, each once.  Every other column (record, time...) is copied
  in front of the results of each of the condition's rows; the condition's
  own columns are not repeated.  Cells are read as in the FILE mode.
  Or one condition as --Hrms0 (or --Hm0), --Tp, --theta0 and --tide, no
  FILE.

Output (standard output):
  The long form (default): one row per condition and profile point, in
  input order, with the header
    (pass-through columns),x,z,h,eta,Hrms,Hm0,H13,H2,Qb,theta,V,error
  x and z as the profile file gives them; h the still-water depth, eta the
  mean water level above the still-water level (m); Hrms, Hm0 = sqrt(2)*
  Hrms, H13 (H1/3) and H2 (H2%, Battjes and Groenendijk 2000) in m; Qb the
  fraction of breaking waves; theta the direction (degrees); V the
  longshore current (m/s), signed as theta0.  Beyond the wet/dry edge the
  wave cells are empty, h is still given.
  --at X[,X...]: one row per condition and position X (in the profile's
  range), x being X: every quantity interpolated linearly between the two
  neighbouring profile points (a position on a point takes the point's
  values), empty where either neighbour has none (beyond the wet edge).
  --summary: one row per condition,
    (pass-through columns),x_breaking,h_breaking,eta_max,x_shoreline,
    runup_H0,beta_f,R2,error
  x_breaking and h_breaking where breaking sets in (the first point with
  Qb >= 0.01; empty where it does not), eta_max the largest mean water
  level, x_shoreline the mean shoreline (where the mean water level at the
  wet/dry edge meets the bed), runup_H0 the deep-water height, beta_f the
  foreshore slope and R2 the 2 % runup above the still-water level of
  Stockdon et al. (2006).
  Numbers with two decimals, or with --precision full the shortest text
  that reads back as the same single-precision value; a value not reached
  is an empty cell.  A condition that cannot be computed keeps its rows,
  its message in every error cell; the others compute.  With --warnings a
  last column holds the condition's bits: 4096 gamma's fit outside its
  data, 8192 the profile ends under water (no shoreline, no runup), 16384
  water shoreward of a dry bar crest (the calculation ends at it), 32768
  Hrms above the mean depth h + eta, 65536 a current above 2 m/s (both the
  row's own point in the long form and --at), 131072 breaking already at
  the boundary, 32 Stockdon's fit near its change at xi0 = 0.3, 128 a cell
  read as its leading number.

Exit status:
  As for the FILE mode: 0 every condition computed, 1 some failed (every
  row written; standard error says how many rows of the input and which was
  first), 2 a bad option, profile or input (one line on standard error).
  The one-condition form: 1 when it fails (its rows written, the message
  on standard error), 2 for a value out of its range.)";

constexpr std::string_view kOwnModel =
    "the energy balance has its own breaking (--dissipation, --gamma), not a regular wave's "
    "breaker limit or shoaling rule";

class TransformCommand final : public Command {
 public:
  std::string_view name() const override { return "transform"; }
  std::string summary() const override {
    return "Random waves across a measured profile by the wave energy balance: heights, setup, "
           "fraction breaking and longshore current at every profile point (or at chosen "
           "positions, or the breaking onset, shoreline and runup) for each sea condition of a "
           "CSV file (Hrms0,Tp,theta0,tide) or for one.";
  }
  std::string footer() const override { return kFooter; }
  std::vector<Example> examples() const override {
    return {
        {"One condition over a measured profile (columns x and z), every point",
         "saiha-calc transform --profile bed.csv --Hrms0 1 --Tp 8 --theta0 10"},
        {"Every condition of a file (Tp, theta0, Hrms0 or Hm0, tide) at three positions",
         "saiha-calc transform --profile bed.csv --at 100,200,300 conditions.csv"},
        {"One line per condition: breaking, setup, shoreline and runup",
         "saiha-calc transform --profile bed.csv --summary conditions.csv"},
    };
  }
  void addOptions(CLI::App& command, Choices& choices) override {
    command.add_option("FILE", file_,
                       "CSV file of sea conditions; standard input when absent or \"-\"");
    command.add_option("--profile", profile_, "CSV file of the profile (columns x and z)")
        ->option_text("FILE");
    command.add_option("--Hrms0", Hrms0_, "root-mean-square height at the boundary (m), one condition")
        ->option_text("M");
    command.add_option("--Hm0", Hm0_, "significant height Hm0 at the boundary (m), in place of --Hrms0")
        ->option_text("M");
    command.add_option("--Tp", Tp_, "peak period (s), one condition")->option_text("S");
    command.add_option("--theta0", theta0_,
                       "direction at the boundary (degrees from the shore normal), one condition")
        ->option_text("DEG");
    command.add_option("--tide", tide_, "still-water level above the datum (m), one condition; default 0")
        ->option_text("M");
    command.add_option("--at", at_,
                       "write only these positions x (m), comma-separated, each quantity "
                       "interpolated linearly between profile points")
        ->option_text("X,...");
    auto* summary = command.add_flag("--summary", summary_,
                                     "one row per condition: breaking onset, maximum setup, "
                                     "shoreline and runup");
    summary->excludes("--at");
    command.add_option("--dissipation", dissipation_,
                       "breaking dissipation: bj78 (default), tg83, baldock98, jb07 or none")
        ->option_text("NAME");
    choices["--dissipation"] = {"bj78", "tg83", "baldock98", "jb07", "none"};
    command.add_option("--gamma", gamma_,
                       "breaker parameter: ruessink2003 (default), battjes-stive1985 or a number")
        ->option_text("RULE");
    choices["--gamma"] = {"ruessink2003", "battjes-stive1985"};
    auto* roller = command.add_flag("--roller", roller_, "the surface roller (default)");
    command.add_flag("--no-roller", noRoller_, "no surface roller")->excludes(roller);
    auto* setup = command.add_flag("--setup", setup_, "the wave setup (default)");
    command.add_flag("--no-setup", noSetup_, "no wave setup: the mean level stays still")
        ->excludes(setup);
    command.add_option("--alpha", alpha_, "alpha of bj78 and baldock98, > 0 (default 1)")
        ->option_text("A");
    command.add_option("--B", B_, "B of tg83 and jb07, > 0 (default 1)")->option_text("B");
    command.add_option("--friction", friction_,
                       "bottom friction of the waves with this factor c_f >= 0 (default: none)")
        ->option_text("CF");
    command.add_option("--wind-stress", wind_,
                       "alongshore wind stress of every condition (N/m2), |stress| <= 20: positive "
                       "in the direction the waves travel alongshore (the sign of theta0 and of "
                       "V); default 0, or the input's wind_stress column")
        ->option_text("PA");
    command.add_option("--roughness", roughness_,
                       "apparent bed roughness k_a of the current's friction (m), > 0: default "
                       "0.0125 (Ruessink et al. 2001, Duck), duck = 0.0125, egmond = 0.022")
        ->option_text("KA");
    command.add_option("--mixing", mixing_,
                       "lateral mixing of the longshore current: none (default), battjes1975 "
                       "(nu = M*d*(D/rho)^(1/3), M of --mixing-M) or a constant eddy viscosity "
                       "nu (m2/s)")
        ->option_text("RULE");
    choices["--mixing"] = {"none", "battjes1975"};
    command.add_option("--mixing-M", mixingM_,
                       "M of --mixing battjes1975, >= 0 (default 1)")
        ->option_text("M");
  }
  std::string refuses(Shared option) const override {
    switch (option) {
      case Shared::Breaker:
      case Shared::Shoaling: return std::string(kOwnModel);
      default: return {};
    }
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override;

 private:
  shore::TransformOptions model(const CLI::App& parsed) const;
  std::vector<double> positions(const BedProfileData& profile) const;
  int runOne(const SharedValues& shared, const CLI::App& parsed, const BedProfileData& profile,
             TransformSetup setup);

  std::string file_, profile_;
  std::string Hrms0_, Hm0_, Tp_, theta0_, tide_;
  std::string at_;
  bool summary_ = false;
  std::string dissipation_ = "bj78", gamma_ = "ruessink2003";
  bool roller_ = false, noRoller_ = false, setup_ = false, noSetup_ = false;
  std::string alpha_, B_, friction_, wind_;
  std::string roughness_, mixing_ = "none", mixingM_;
};

shore::TransformOptions TransformCommand::model(const CLI::App& parsed) const {
  shore::TransformOptions o;
  if (dissipation_ == "bj78") o.dissipation = shore::Dissipation::BJ78;
  else if (dissipation_ == "tg83") o.dissipation = shore::Dissipation::TG83;
  else if (dissipation_ == "baldock98") o.dissipation = shore::Dissipation::Baldock98;
  else if (dissipation_ == "jb07") o.dissipation = shore::Dissipation::JB07;
  else if (dissipation_ == "none") o.dissipation = shore::Dissipation::None;
  else {
    throw std::invalid_argument(say(report::Usage::UnknownDissipation,
                                    {cli::quoted(dissipation_), "bj78, tg83, baldock98, jb07, none"}));
  }
  if (gamma_ == "ruessink2003") {
    o.gamma = shore::GammaRule::Ruessink2003;
  } else if (gamma_ == "battjes-stive1985") {
    o.gamma = shore::GammaRule::BattjesStive1985;
  } else {
    double value = 0;
    if (readNumber(gamma_, value) != NumberText::Number) {
      throw std::invalid_argument(say(report::Usage::GammaChoice, {cli::quoted(gamma_)}));
    }
    o.gamma = shore::GammaRule::Constant;
    o.gammaConstant = value;
  }
  o.roller = !noRoller_;
  o.setup = !noSetup_;
  if (parsed.count("--alpha") > 0) o.alpha = numberOption("alpha", alpha_);
  if (parsed.count("--B") > 0) o.B = numberOption("B", B_);
  if (parsed.count("--friction") > 0) {
    o.bottomFriction = true;
    o.waveFrictionFactor = numberOption("friction", friction_);
  }
  if (roughness_ == "duck") {
    o.roughness = shore::kDuckRoughness;
  } else if (roughness_ == "egmond") {
    o.roughness = shore::kEgmondRoughness;
  } else if (parsed.count("--roughness") > 0) {
    o.roughness = numberOption("roughness", roughness_);
  }
  if (mixing_ == "battjes1975") {
    o.mixing = shore::Mixing::Battjes1975;
    if (parsed.count("--mixing-M") > 0) o.mixingCoefficient = numberOption("mixing-M", mixingM_);
  } else if (mixing_ != "none") {
    double value = 0;
    if (readNumber(mixing_, value) != NumberText::Number) {
      throw std::invalid_argument(say(report::Usage::MixingChoice, {cli::quoted(mixing_)}));
    }
    o.mixing = shore::Mixing::Constant;
    o.mixingCoefficient = value;
  }
  if (parsed.count("--mixing-M") > 0 && o.mixing != shore::Mixing::Battjes1975) {
    throw std::invalid_argument(say(report::Usage::MixingCoefficient));
  }
  return o;
}

std::vector<double> TransformCommand::positions(const BedProfileData& profile) const {
  std::vector<double> at;
  for (const std::string& text : commaItems(at_)) {
    const double x = numberOption("at", text);
    if (!(x >= profile.x.front() && x <= profile.x.back())) {
      throw std::invalid_argument(say(report::Usage::AtOutside, {cli::quoted(text),
                                                                 profile.xText.front(),
                                                                 profile.xText.back()}));
    }
    at.push_back(x);
  }
  return at;
}

bool invalidCondition(shore::Error e) {
  return e == shore::Error::InvalidHeight || e == shore::Error::InvalidPeriod ||
         e == shore::Error::InvalidAngle || e == shore::Error::InvalidTide ||
         e == shore::Error::PeriodOutOfRange || e == shore::Error::TideOutOfRange ||
         e == shore::Error::WindStressOutOfRange;
}

int TransformCommand::run(const SharedValues& shared, const CLI::App& parsed) {
  TransformSetup setup;
  BedProfileData profile;
  try {
    setup.language = parseLanguage(shared.lang);
    setup.format = formatOf(shared);
    setup.precision = shared.precision == "full" ? Precision::Full : Precision::Shown;
    setup.warnings = shared.warnings;
    if (parsed.count("--profile") == 0) {
      throw std::invalid_argument(say(report::Usage::TransformNeedsProfile));
    }
    setup.model = model(parsed);
    if (parsed.count("--wind-stress") > 0) setup.windStress = numberOption("wind-stress", wind_);
    profile = report::readBedProfileFile(
        profile_, {setup.format.delimiter, setup.format.decimalComma, true});
    if (!profile.ok()) {
      throw std::invalid_argument(
          report::bedProfileFaultText(profile.fault, cli::quoted(profile_), setup.language));
    }
    if (parsed.count("--at") > 0) {
      setup.form = TransformForm::At;
      setup.at = positions(profile);
    }
    if (summary_) setup.form = TransformForm::Summary;
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  } catch (const InputError& error) {
    return fail(error.what());
  }
  // The profile's and the options' faults are every condition's: the
  // engine checks them before any condition.
  const shore::Error common = shore::checkTransformSetup(viewOf(profile), setup.model);
  if (common != shore::Error::None) return fail(report::errorText(common, setup.language));
  if (!std::isfinite(setup.windStress) || std::abs(setup.windStress) > shore::kMaxWindStress) {
    const shore::Error wind = std::isfinite(setup.windStress) ? shore::Error::WindStressOutOfRange
                                                              : shore::Error::InvalidTide;
    return fail("--wind-stress " + cli::quoted(wind_) + ": " + report::errorText(wind, setup.language));
  }

  const bool one = parsed.count("--Hrms0") + parsed.count("--Hm0") + parsed.count("--Tp") +
                       parsed.count("--theta0") + parsed.count("--tide") > 0;
  if (one) return runOne(shared, parsed, profile, std::move(setup));
  const bool windOption = parsed.count("--wind-stress") > 0;
  TransformTable table(profile, std::move(setup));
  if (windOption) table.refuseWindColumn();
  return runFile(file_, shared, table);
}

int TransformCommand::runOne(const SharedValues& shared, const CLI::App& parsed,
                             const BedProfileData& profile, TransformSetup setup) {
  shore::SeaCondition condition;
  try {
    if (parsed.count("FILE") > 0) {
      throw std::invalid_argument(
          "FILE does not go with --Hrms0, --Hm0, --Tp, --theta0 or --tide (one condition)");
    }
    const std::string refused = refusedIn(parsed, say(report::Usage::OneConditionTransform),
                                          {{Shared::Jobs, refusal::kOneWaveThreads()},
                                           {Shared::Progress, refusal::kOneWaveProgress()}});
    if (!refused.empty()) throw std::invalid_argument(refused);
    const bool rms = parsed.count("--Hrms0") > 0, m0 = parsed.count("--Hm0") > 0;
    if (rms == m0 || parsed.count("--Tp") == 0 || parsed.count("--theta0") == 0) {
      throw std::invalid_argument(
          "one condition needs --Tp, --theta0 and one of --Hrms0 and --Hm0");
    }
    condition.Hrms0 = rms ? numberOption("Hrms0", Hrms0_) : numberOption("Hm0", Hm0_) / std::sqrt(2.0);
    condition.Tp = numberOption("Tp", Tp_);
    condition.theta0 = numberOption("theta0", theta0_);
    if (parsed.count("--tide") > 0) condition.tide = numberOption("tide", tide_);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  const report::Language language = setup.language;
  // The rows are written in RFC 4180 with full stops and respelt in the
  // run's format as every one-condition table is.
  setup.format = CsvFormat{};
  TransformTable table(profile, std::move(setup));
  std::string csv = formatRecord(table.outputHeader());
  const shore::TransformResult r = table.appendCondition(condition, csv);
  if (invalidCondition(r.error)) return fail(report::errorText(r.error, language));
  std::vector<std::string> notes;
  if (!r.ok()) notes.push_back(report::errorText(r.error, language));
  RowCounts counts;
  const std::size_t rows = static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) - 1;
  for (std::size_t i = 0; i < rows; ++i) {
    counts.add(r.warnings.bits != 0, [&] { return report::warningText(r.warnings, language); });
  }
  return writeTable({r.ok() ? kAllComputed : kSomeFailed, csv, {}, notes, &counts}, shared);
}

}  // namespace

std::unique_ptr<Command> makeTransformCommand() { return std::make_unique<TransformCommand>(); }

}  // namespace saiha::cli
