// saiha-calc overtopping: EurOtop's 2 % runup and mean overtopping
// discharge, row by row from a CSV file of waves at the toe, or for every
// condition of a hindcast carried across a measured profile to the toe (the
// chain), with the record's exceedance summary.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/commands/structure_options.h"
#include "cli/exit_status.h"
#include "cli/program.h"
#include "cli/transform_csv.h"
#include "report/bed_profile.h"
#include "report/messages.h"
#include "report/structure_table.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Method (EurOtop 2018, Manual on wave overtopping of sea defences and related
structures, 2nd ed., with its 2019 errata; docs/structure.md):
  slope: Ru2 = Hm0*min(c1*gamma_b*gamma_f*gamma_beta*xi, c2*gamma_f_surging*
    gamma_beta*(4 - 1.5/sqrt(gamma_b*xi))), xi = tan(alpha)/sqrt(Hm0/Lm10);
    q/sqrt(g*Hm0^3) = (a/sqrt(tan alpha))*gamma_b*xi*exp(-(b*Rc/(xi*Hm0*
    gamma_b*gamma_f*gamma_beta*gamma_v))^1.3), at most c*exp(-(d*Rc/(Hm0*
    gamma_f*gamma_beta*gamma_v))^1.3); design approach (default) a = 0.026,
    b = 2.5, c = 0.1035, d = 1.35, c1 = 1.75, c2 = 1.07; mean approach
    0.023, 2.7, 0.09, 1.5, 1.65, 1.0; the very shallow foreshore's formula
    for xi > 7.
  vertical, composite: no influential foreshore (--no-foreshore)
    0.047*exp(-(2.35*Rc/Hm0)^1.3); else by h^2/(Hm0*Lm10): above 0.23
    non-impulsive 0.05*exp(-2.78*Rc/Hm0), else impulsive; a wall on a mound
    by h*d/(Hm0*Lm10) against 0.65.  Walls take --approach too
    (the coefficients shown are the mean value approach's).
  regime: breaking, non-breaking, very-shallow, no-foreshore, non-impulsive
  or impulsive.  q in m3/s per m of crest; below 1e-06 (0.001 l/s per m) it
  is written "<1e-06" (with --precision full its value), flagged 33554432.

Input (FILE, or standard input when FILE is absent or "-"):
  CSV whose header names Hm0 (m), Tm10 (s, Tm-1,0) and Rc (m, the crest
  freeboard), in any order, each once; and, for what differs from row to
  row, any of cot_alpha, gamma_f, gamma_b, gamma_v, beta (degrees), h (m,
  the toe depth: needed at walls), d (m, over a composite wall's mound)
  and crest_width (m); each of those not a column comes from its option
  or its default.  Any other column is copied in its place.

Output (standard output):
  The input's columns, then Ru2,q,regime,error (and "warnings" with
  --warnings); Ru2 in m above the water level, slopes only.

The chain (--profile P.csv --toe X --crest Z):
  FILE holds sea conditions at the profile's offshore boundary as for
  saiha-calc transform (Hrms0 or Hm0, Tp, theta0, optionally tide); each
  is carried across the profile (the transform's default model), and at
  the toe X the transform's Hm0 and mean water level (tide + setup) give
  Tm10 = Tp/--period-ratio (1.1), Rc = Z - level, then the runup and q.
  One row per condition: its pass-through columns, then
    level,depth,Hm0,Tm10,beta,Rc,Ru2,q,regime,error
  level the mean water level above the datum at the toe (m), depth the
  mean depth there (m).  A toe the water does not reach, or a level above
  the crest (overflow, outside the formulas), is the row's error.
  --summary: instead, quantity,value,unit rows: conditions, computed,
  failed, above_<limit> (the conditions with q above each of --limits,
  default 0.001,0.01,0.05 m3/s per m: hours for hourly conditions), q_max,
  q_max_row (its data row, from 1) and q_max_<column> for each
  pass-through column (its time).

Warnings (a sum of bits): 4194304 the steepness, 8388608 the slope,
  16777216 Rc/Hm0, 536870912 xi outside the formula's data; 134217728 the
  toe depth outside its range; 268435456 beta beyond the data; 8 Hm0
  above the depth; 128 a number cell read as its leading number.

Exit status:
  0 every row computed, 1 some failed (the message in the error cell),
  2 a bad option, profile or input.)";

constexpr std::array<std::string_view, 8> kSettingHelp = {
    "slope cot(alpha), needed for --structure slope",
    "roughness factor gamma_f in (0, 1] (default 1: smooth)",
    "berm factor gamma_b in (0, 1] (default 1)",
    "wall-on-slope factor gamma_v in (0, 1] (default 1)",
    "angle of the waves from the structure's normal (degrees; default 0)",
    "depth at the toe (m), needed at walls",
    "depth over a composite wall's mound (m)",
    "armoured crest width Gc of a rubble mound (m; default 0)"};

// The limits of --limits: discharges >= 0 (m3/s per m), comma-separated.
std::vector<double> limitsOf(const std::string& text) {
  std::vector<double> limits;
  for (const std::string& item : commaItems(text)) {
    const double q = numberOption("limits", item);
    if (!(q >= 0)) throw std::invalid_argument(say(report::Usage::DischargeLimit, {cli::quoted(item)}));
    limits.push_back(q);
  }
  return limits;
}

class OvertoppingCommand final : public Command {
 public:
  std::string_view name() const override { return "overtopping"; }
  std::string summary() const override {
    return "EurOtop's 2 % runup and mean overtopping discharge q at sloping structures and at "
           "vertical and composite walls, for each row of a CSV file of waves at the toe "
           "(Hm0,Tm10,Rc), or for each sea condition of a hindcast carried across a measured "
           "profile to the toe (--profile, --toe, --crest), with the hours above given "
           "discharges (--summary).";
  }
  std::string footer() const override { return kFooter; }
  void addOptions(CLI::App& command, Choices& choices) override {
    command.add_option("FILE", file_,
                       "CSV file of waves at the toe, or of sea conditions with --profile; "
                       "standard input when absent or \"-\"");
    command.add_option("--structure", structure_, "slope (default), vertical or composite")
        ->option_text("KIND");
    choices["--structure"] = {report::kStructureNames.begin(), report::kStructureNames.end()};
    command.add_option("--approach", approach_,
                       "design (default: the manual's advice for design) or mean")
        ->option_text("NAME");
    choices["--approach"] = {report::kApproachNames.begin(), report::kApproachNames.end()};
    command.add_flag("--no-foreshore", noForeshore_,
                     "walls: no influential foreshore (a wall in deep water)");
    command.add_flag("--permeable-core", permeable_, "a rubble mound on a permeable core");
    addSettingOptions(command, overtoppingKind({}, {}, true, false),
                      {kSettingHelp.begin(), kSettingHelp.end()}, settings_);
    command.add_option("--profile", profile_,
                       "the chain: CSV file of the measured profile (columns x and z)")
        ->option_text("FILE");
    command.add_option("--toe", toe_, "the chain: the structure's toe on the profile, x (m)")
        ->option_text("X");
    command.add_option("--crest", crest_, "the chain: the crest level above the datum (m)")
        ->option_text("Z");
    command.add_option("--mound-top", moundTop_,
                       "the chain, composite walls: the mound's top above the datum (m)")
        ->option_text("Z");
    command.add_option("--period-ratio", ratio_, "the chain: Tp/Tm-1,0 (default 1.1)")
        ->option_text("R");
    command.add_flag("--add-direction", addDirection_,
                     "the chain: beta plus the transform's direction at the toe");
    command.add_flag("--summary", summary_,
                     "the chain: the record's exceedance statistics instead of its rows");
    command.add_option("--limits", limits_,
                       "the chain's summary: discharges q (m3/s per m), comma-separated "
                       "(default 0.001,0.01,0.05)")
        ->option_text("Q,...");
    command.add_option("--wind-stress", wind_,
                       "the chain: alongshore wind stress of every condition (N/m2; default 0)")
        ->option_text("PA");
  }
  std::string refuses(Shared option) const override { return structureRefuses(option); }
  std::vector<Example> examples() const override {
    return {
        {"Runup and mean overtopping of a 1:3 dike for every wave of a file (columns Hm0, "
         "Tm10, Rc)",
         "saiha-calc overtopping --cot-alpha 3 waves.csv"},
        {"A year of sea conditions carried across a measured profile to a dike's toe, and "
         "the hours above each discharge limit",
         "saiha-calc overtopping --profile examples/barred_profile.csv --toe 440 --crest 4 "
         "--cot-alpha 3 --summary conditions.csv"},
    };
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override;

 private:
  int runChain(const SharedValues& shared, const CLI::App& parsed, structure::OvertoppingInput s);

  std::string file_, structure_ = "slope", approach_ = "design";
  bool noForeshore_ = false, permeable_ = false;
  std::vector<std::string> settings_;
  std::string profile_, toe_, crest_, moundTop_, ratio_, limits_, wind_;
  bool addDirection_ = false, summary_ = false;
};

int OvertoppingCommand::run(const SharedValues& shared, const CLI::App& parsed) {
  structure::OvertoppingInput s;
  std::vector<std::optional<double>> constants;
  try {
    s.structure = static_cast<structure::Structure>(
        choiceOf("--structure", structure_, report::kStructureNames));
    s.approach = static_cast<structure::Approach>(
        choiceOf("--approach", approach_, report::kApproachNames));
    s.foreshore = !noForeshore_;
    s.permeableCore = permeable_;
    constants = settingConstants(parsed, overtoppingKind(s.structure, s.approach, s.foreshore,
                                                         s.permeableCore),
                                 settings_);
    if (parsed.count("--profile") == 0) {
      for (const char* option : {"--toe", "--crest", "--mound-top", "--period-ratio",
                                 "--add-direction", "--summary", "--limits", "--wind-stress"}) {
        if (parsed.count(option) > 0) {
          throw std::invalid_argument(say(report::Usage::GoesWithChain, {option}));
        }
      }
    }
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  if (parsed.count("--profile") > 0) {
    // The chain's structure: its settings from the options alone.
    const auto value = [&](std::size_t k, double fallback) {
      return constants[k] ? *constants[k] : fallback;
    };
    s.cotAlpha = value(0, std::nan(""));
    s.gammaF = value(1, 1), s.gammaB = value(2, 1), s.gammaV = value(3, 1);
    s.beta = value(4, 0), s.crestWidth = value(7, 0);
    if (constants[5] || constants[6]) {
      return fail(say(report::Usage::ChainDepth));
    }
    return runChain(shared, parsed, s);
  }
  return runStructureFile(
      file_, shared, overtoppingKind(s.structure, s.approach, s.foreshore, s.permeableCore),
      std::move(constants));
}

int OvertoppingCommand::runChain(const SharedValues& shared, const CLI::App& parsed,
                                 structure::OvertoppingInput s) {
  ChainSetup setup;
  BedProfileData profile;
  std::vector<double> limits(report::kDefaultDischargeLimits.begin(),
                             report::kDefaultDischargeLimits.end());
  try {
    setup.language = parseLanguage(shared.lang);
    setup.format = formatOf(shared);
    setup.precision = shared.precision == "full" ? Precision::Full : Precision::Shown;
    setup.warnings = shared.warnings;
    setup.summary = summary_;
    if (parsed.count("--toe") == 0 || parsed.count("--crest") == 0) {
      throw std::invalid_argument(say(report::Usage::ChainToeCrest));
    }
    if (s.structure == structure::Structure::Slope && parsed.count("--cot-alpha") == 0) {
      throw std::invalid_argument(say(report::Usage::ChainSlope));
    }
    if (s.structure == structure::Structure::Composite && parsed.count("--mound-top") == 0) {
      throw std::invalid_argument(say(report::Usage::ChainComposite));
    }
    if (parsed.count("--limits") > 0 && !summary_) {
      throw std::invalid_argument(say(report::Usage::LimitsWithSummary));
    }
    structure::ChainOptions& o = setup.options;
    o.structure = s;
    o.xToe = numberOption("toe", toe_);
    o.crest = numberOption("crest", crest_);
    if (parsed.count("--mound-top") > 0) o.moundTop = numberOption("mound-top", moundTop_);
    if (parsed.count("--period-ratio") > 0) o.periodRatio = numberOption("period-ratio", ratio_);
    o.addDirection = addDirection_;
    if (parsed.count("--limits") > 0) limits = limitsOf(limits_);
    if (parsed.count("--wind-stress") > 0) setup.windStress = numberOption("wind-stress", wind_);
    profile = report::readBedProfileFile(
        profile_, {setup.format.delimiter, setup.format.decimalComma, true});
    if (!profile.ok()) {
      throw std::invalid_argument(
          report::bedProfileFaultText(profile.fault, cli::quoted(profile_), setup.language));
    }
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  } catch (const InputError& error) {
    return fail(error.what());
  }
  // The options' and the profile's faults are every condition's.
  if (const shore::Error e = structure::checkChain(viewOf(profile), setup.options);
      e != shore::Error::None) {
    const std::string what = e == shore::Error::InvalidToe
                                 ? "--toe " + cli::quoted(toe_) + ": outside the profile, x from " +
                                       profile.xText.front() + " to " + profile.xText.back()
                                 : report::errorText(e, setup.language);
    return fail(what);
  }
  const shore::Error common = shore::checkTransformSetup(viewOf(profile), setup.model);
  if (common != shore::Error::None) return fail(report::errorText(common, setup.language));
  if (!std::isfinite(setup.windStress) || std::abs(setup.windStress) > shore::kMaxWindStress) {
    const shore::Error wind = std::isfinite(setup.windStress) ? shore::Error::WindStressOutOfRange
                                                              : shore::Error::InvalidTide;
    return fail("--wind-stress " + cli::quoted(wind_) + ": " +
                report::errorText(wind, setup.language));
  }
  ChainTable table(profile, setup);
  if (!summary_) return runFile(file_, shared, table);

  // The summary: the rows computed by the streaming run as for the rows'
  // form, read back in order by the summary's reader instead of written.
  const bool fromStdin = file_.empty() || file_ == "-";
  const int fd = fromStdin ? STDIN_FILENO : ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(say(report::Usage::CannotOpen, {"'" + file_ + "'", std::strerror(errno)}));
  RunOptions options;
  options.threads = threadsOf(shared.jobs);
  options.format = setup.format;
  options.format.bom = false;
  options.table = &table;
  options.blockBytes = table.blockBytes();
  options.interrupted = &gInterrupted;
  catchInterrupts();
  std::unique_ptr<ChainSummaryReader> reader;
  RunResult result;
  try {
    result = runStream(
        [&](char* buffer, std::size_t size) -> std::size_t {
          for (;;) {
            if (gInterrupted) return 0;
            const ssize_t got = ::read(fd, buffer, size);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) throw std::runtime_error(say(report::Usage::CannotReadConditions, {std::strerror(errno)}));
          }
        },
        [&](std::string_view bytes) {
          if (!reader) {
            reader = std::make_unique<ChainSummaryReader>(limits, table.outputHeader(),
                                                          setup.format.delimiter);
          }
          reader->take(bytes);
        },
        options);
  } catch (const std::exception& error) {
    if (!fromStdin) ::close(fd);
    return fail(error.what());
  }
  if (!fromStdin) ::close(fd);
  if (result.status == kUnusable) return fail(result.diagnostic);
  if (result.interrupted) {
    fail(say(report::Usage::SummaryInterrupted));
    return 130;
  }
  if (result.status == kSomeFailed) {
    fail(say(report::Usage::ConditionsFailed, {std::to_string(result.failedRows),
                                               std::to_string(result.rows), result.firstFailure}));
  }
  const std::string csv = reader ? reader->csv() : std::string();
  return writeTable({result.status, csv, say(report::Usage::NoConditions), {}, nullptr}, shared);
}

}  // namespace

std::unique_ptr<Command> makeOvertoppingCommand() { return std::make_unique<OvertoppingCommand>(); }

}  // namespace saiha::cli
