// saiha-calc caisson: Goda's wave pressures on an upright breakwater, with
// Takahashi's impulsive coefficient, and the caisson's stability, row by row
// from a CSV file.
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/commands/structure_options.h"
#include "cli/program.h"
#include "report/structure_table.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Method (Goda 1974; Goda 2000, Random Seas and Design of Maritime Structures, 4.2;
Takahashi, Tanimoto and Shimosako 1994; docs/structure.md):
  beta' = max(|beta| - 15, 0); L the linear wavelength at h for T;
  hb = h + 5*H13/n; H = Hmax:
    eta_star = 0.75*(1 + cos beta')*lambda1*H
    p1 = 0.5*(1 + cos beta')*(lambda1*alpha1 + lambda2*alpha2'*cos^2 beta')*rho*g*H
    p2 = p1/cosh(2*pi*h/L), p3 = alpha3*p1, p4 = p1*(1 - hc/eta_star) (0 where
    eta_star <= hc), pu = 0.5*(1 + cos beta')*lambda3*alpha1*alpha3*rho*g*H
    alpha1 = 0.6 + 0.5*((4*pi*h/L)/sinh(4*pi*h/L))^2
    alpha2 = min((hb - d)/(3*hb)*(H/d)^2, 2*d/H)
    alpha3 = 1 - (h_prime/h)*(1 - 1/cosh(2*pi*h/L))
  alpha2' = max(alpha2, alphaI), Takahashi's impulsive coefficient from the
  berm width and d/h (--impulsive none: alpha2' = alpha2, Goda's original).
  P, U (N/m), Mp, Mu (N*m/m about the heel); W the weight in still water,
  from --density (2100 kg/m3) or --weight; SF_sliding = mu*(W - U)/P,
  SF_overturning = (W*B/2 - Mu)/Mp; heel_pressure (Pa) by Goda's eq. 4.14.
  g = 9.81 m/s2; pressures in Pa.

Input (FILE, or standard input when FILE is absent or "-"):
  CSV whose header names Hmax (m), H13 (m), T (s, T1/3), h (m), h_prime
  (m), d (m) and hc, B (m), in any order, each once, with d <= h_prime <=
  h; and, for what differs from row to row, any of n (the seabed slope
  1/n), beta (degrees), berm (m), lambda1, lambda2, lambda3, rho (kg/m3),
  density (kg/m3), weight (N/m) and mu; each of those not a column comes
  from its option (--n, --beta ...) or its default.  n has no default: a
  column n or --n.  Any other column is copied in its place.

Output (standard output):
  The input's columns, then
    p1,p2,p3,p4,pu,eta_star,hb,L,alpha1,alpha2,alpha3,alphaI,P,U,Mp,Mu,W,
    SF_sliding,SF_overturning,heel_pressure,error
  (and "warnings" with --warnings): numbers with two decimals, or the
  shortest texts that read back as the same single-precision values with
  --precision full; an empty cell where not reached.

Warnings (the column "warnings", a sum of bits): 8 Hmax above h (a
  breaking wave); 1048576 SF_sliding and 2097152 SF_overturning below
  --required-safety (1.2); 128 a number cell read as its leading number.

Exit status:
  0 every row computed, 1 some failed (d > h_prime, h_prime > h, a width
  not > 0, Hmax > 2h ...: the message in the error cell), 2 a bad option
  or input.)";

constexpr std::array<std::string_view, 10> kSettingHelp = {
    "seabed slope 1/n, given as n",
    "angle of the waves from the wall's normal (degrees)",
    "berm width in front of the caisson (m), for Takahashi's coefficient",
    "Goda's factor lambda1 of eta_star and p1 (default 1)",
    "Goda's factor lambda2 of the alpha2 term (default 1)",
    "Goda's factor lambda3 of the uplift (default 1)",
    "density of sea water (kg/m3; default 1030)",
    "mean density of the caisson (kg/m3; default 2100)",
    "weight of the caisson in still water (N per m of wall), in place of --density",
    "friction coefficient between caisson and mound (default 0.6)"};

class CaissonCommand final : public Command {
 public:
  std::string_view name() const override { return "caisson"; }
  std::string summary() const override {
    return "Goda's wave pressures on an upright or composite breakwater (with Takahashi's "
           "impulsive coefficient), the forces and moments per metre of wall, and the caisson's "
           "safety factors against sliding and overturning and its heel pressure, for each row "
           "of a CSV file (Hmax,H13,T,h,h_prime,d,hc,B).";
  }
  std::string footer() const override { return kFooter; }
  void addOptions(CLI::App& command, Choices& choices) override {
    command.add_option("FILE", file_, "CSV file of caissons; standard input when absent or \"-\"");
    addSettingOptions(command, caissonKind(true, 1.2), {kSettingHelp.begin(), kSettingHelp.end()},
                      settings_);
    command.add_option("--impulsive", impulsive_,
                       "takahashi (default): alpha2' = max(alpha2, alphaI); none: Goda's original")
        ->option_text("RULE");
    choices["--impulsive"] = {"takahashi", "none"};
    command.add_option("--required-safety", safety_,
                       "safety factor the design requires (default 1.2)")
        ->option_text("SF");
  }
  std::string refuses(Shared option) const override { return structureRefuses(option); }
  std::vector<Example> examples() const override {
    return {
        {"Goda's pressures, forces and safety factors for every caisson of a file (columns "
         "Hmax, H13, T, h, h_prime, d, hc, B; the seabed slope as an option)",
         "saiha-calc caisson --n 50 caissons.csv"},
        {"Goda's original pressures, without Takahashi's impulsive coefficient",
         "saiha-calc caisson --n 50 --impulsive none caissons.csv"},
    };
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override {
    std::vector<std::optional<double>> constants;
    bool impulsive = true;
    double safety = structure::kRequiredSafetyFactor;
    try {
      constexpr std::array<std::string_view, 2> kRules = {"takahashi", "none"};
      impulsive = choiceOf("--impulsive", impulsive_, kRules) == 0;
      if (parsed.count("--required-safety") > 0) safety = numberOption("required-safety", safety_);
      constants = settingConstants(parsed, caissonKind(impulsive, safety), settings_);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    return runStructureFile(file_, shared, caissonKind(impulsive, safety), std::move(constants));
  }

 private:
  std::string file_;
  std::vector<std::string> settings_;
  std::string impulsive_ = "takahashi", safety_;
};

}  // namespace

std::unique_ptr<Command> makeCaissonCommand() { return std::make_unique<CaissonCommand>(); }

}  // namespace saiha::cli
