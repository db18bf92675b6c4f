// saiha-calc armour: the size of rock armour on a slope, row by row from a
// CSV file, by Van der Meer (1988), Van Gent et al. (2003) or Hudson (1959).
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/commands/structure_options.h"
#include "cli/program.h"
#include "report/structure_table.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Method (docs/structure.md; Delta = rho_s/rho - 1, M50 = rho_s*Dn50^3):
  vandermeer1988 (default; deep water, T the mean period Tm):
    plunging Hs/(Delta*Dn50) = 6.2*P^0.18*(S/sqrt(N))^0.2*xi_m^-0.5
    surging  Hs/(Delta*Dn50) = 1.0*P^-0.13*(S/sqrt(N))^0.2*sqrt(cot_alpha)*xi_m^P
    plunging below xi_critical, surging above; plunging alone for cot_alpha >= 4.
  vangent2003 (Van Gent, Smale and Kuiper 2003, shallow water; T = Tm-1,0):
    8.4 and 1.3 in place of 6.2 and 1.0, times Hs/H2 (H2 = H2%, 1.4*Hs by
    default).
  hudson (Hudson 1959): M50 = rho_s*H^3/(KD*Delta^3*cot_alpha), H the height
    the design code prescribes (Hs, H1/10 ...); T unused.

Input (FILE, or standard input when FILE is absent or "-"):
  CSV whose header names Hs (m), T (s) and cot_alpha, in any order, each
  once; and, for what differs from row to row, any of P, S, N, KD, H2 (m),
  h (m, the toe depth, for the ranges only), rho_s and rho (kg/m3); each
  of those not a column comes from its option or its default.  Any other
  column is copied in its place.

Output (standard output):
  The input's columns, then
    Dn50,M50,Delta,Ns,xi,xi_critical,steepness,breaker,error
  (and "warnings" with --warnings): Dn50 in m, M50 in kg, breaker plunging
  or surging (empty for Hudson); numbers with two decimals, or in full
  with --precision full; an empty cell where not reached.

Warnings (a sum of bits): 67108864 P, S, N, Delta or Ns outside the data
  of the formula; 4194304 the steepness, 8388608 the slope outside it;
  134217728 the toe depth outside the formula's range; 128 a number cell
  read as its leading number.

Exit status:
  0 every row computed, 1 some failed (the message in the error cell),
  2 a bad option or input.)";

constexpr std::array<std::string_view, 8> kSettingHelp = {
    "notional permeability, 0.1 to 0.6 (default 0.4)",
    "damage level (default 2)",
    "number of waves of the storm (default 3000)",
    "Hudson's stability coefficient (default 4)",
    "H2% at the toe (m), for vangent2003 (default 1.4*Hs)",
    "depth at the toe (m), for the ranges only",
    "density of the rock (kg/m3; default 2650)",
    "density of the water (kg/m3; default 1025)"};

class ArmourCommand final : public Command {
 public:
  std::string_view name() const override { return "armour"; }
  std::string summary() const override {
    return "The size of rock armour on a slope: the median nominal diameter Dn50 and mass M50 "
           "by Van der Meer (1988), Van Gent et al. (2003) or Hudson (1959), for each row of a "
           "CSV file (Hs,T,cot_alpha).";
  }
  std::string footer() const override { return kFooter; }
  void addOptions(CLI::App& command, Choices& choices) override {
    command.add_option("FILE", file_,
                       "CSV file of waves and slopes; standard input when absent or \"-\"");
    command.add_option("--method", method_,
                       "vandermeer1988 (default), vangent2003 or hudson")
        ->option_text("NAME");
    choices["--method"] = {report::kArmourMethodNames.begin(), report::kArmourMethodNames.end()};
    addSettingOptions(command, armourKind(structure::ArmourMethod::VanDerMeer1988),
                      {kSettingHelp.begin(), kSettingHelp.end()}, settings_);
  }
  std::string refuses(Shared option) const override { return structureRefuses(option); }
  std::vector<Example> examples() const override {
    return {
        {"Van der Meer's rock size for every wave of a file (columns Hs, T, cot_alpha)",
         "saiha-calc armour waves.csv"},
        {"Hudson's rock size with a stability coefficient of 3",
         "saiha-calc armour --method hudson --KD 3 waves.csv"},
    };
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override {
    std::vector<std::optional<double>> constants;
    structure::ArmourMethod method{};
    try {
      method = static_cast<structure::ArmourMethod>(
          choiceOf("--method", method_, report::kArmourMethodNames));
      constants = settingConstants(parsed, armourKind(method), settings_);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    return runStructureFile(file_, shared, armourKind(method), std::move(constants));
  }

 private:
  std::string file_;
  std::string method_ = "vandermeer1988";
  std::vector<std::string> settings_;
};

}  // namespace

std::unique_ptr<Command> makeArmourCommand() { return std::make_unique<ArmourCommand>(); }

}  // namespace saiha::cli
