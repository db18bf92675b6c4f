#include "report/shoreline_table.h"

#include "report/language.h"

#include "report/compare_table.h"
#include "report/profile_table.h"
#include "shore/model_choice.h"

namespace saiha::report {

std::string_view breakerTypeName(shore::BreakerType type) {
  switch (type) {
    case shore::BreakerType::Spilling: return "spilling";
    case shore::BreakerType::Plunging: return "plunging";
    case shore::BreakerType::Surging: return "surging";
  }
  return "";
}

std::string_view breakerTypeDisplayName(shore::BreakerType type, Language language) {
  switch (type) {
    case shore::BreakerType::Spilling: return Text{"崩れ波", "spilling"}.in(language);
    case shore::BreakerType::Plunging: return Text{"巻き波", "plunging"}.in(language);
    case shore::BreakerType::Surging:
      return Text{"砕け寄せ波・寄せ波", "collapsing/surging"}.in(language);
  }
  return "";
}

namespace {

std::string typeCell(const std::optional<shore::BreakerType>& type) {
  return type ? std::string(breakerTypeName(*type)) : std::string();
}

constexpr std::string_view kBattjes = "Battjes (1974)";
constexpr std::string_view kSetup =
    "radiation stress (Longuet-Higgins and Stewart 1964; Coastal Engineering Manual II-4)";
constexpr std::string_view kStockdon =
    "Stockdon et al. (2006) for random waves (significant height and peak period)";
constexpr std::string_view kKomar =
    "Komar and Inman (1970); Coastal Engineering Manual II-4-40";

}  // namespace

std::vector<ShorelineRow> shorelineTable(const shore::Shoreline& s, Digits digits) {
  const auto tableCell = [digits](float value) { return report::tableCell(value, digits); };
  const shore::Breaking& b = s.breaking;
  const shore::Runup& r = s.runup;
  const bool mean = s.setup.depth == shore::BreakerDepth::Mean;
  const std::string model =
      s.empirical ? "breaking point: Komar and Gaughan (1972) breaker height with Weggel (1972) "
                    "breaker index (" + std::string(kEmpiricalBreakerName) + ")"
                  : "breaking point: " + std::string(shore::breakerName(b.model.breaker)) +
                        " with " + std::string(shore::shoalingName(b.model.shoaling));
  const std::string stockdon(kStockdon);
  const std::string runupFit =
      r.dissipative ? stockdon + "; dissipative fit (eq. 18: runup_xi0 < 0.3)"
                    : stockdon + "; general fit (eq. 19: runup_xi0 >= 0.3)";
  const std::string setup(kSetup);
  const std::string surfZone =
      mean ? setup + ": at the still-water shoreline = setdown_b + K*(hb - setdown_b) with hb the "
                     "mean depth at the breaker line (Coastal Engineering Manual Example II-4-2)"
           : setup + ": at the still-water shoreline = setdown_b + K*hb";
  const std::string negative = "; empty where it would be negative (gamma > 3.65)";
  const auto given = [](bool was, std::string_view what, std::string_view fallback) {
    return std::string(what) + (was ? ": given" : ": " + std::string(fallback));
  };
  // Warnings by what a quantity comes from.
  const shore::Warnings breaking = b.warnings;
  shore::Warnings level = breaking;
  level.add(s.setup.warnings);
  shore::Warnings fit = r.warnings;
  fit.bits &= ~std::uint32_t(shore::Warning::RunupBelowSetup);  // R2's own
  const auto row = [](std::string_view quantity, std::string value, std::string_view unit,
                      std::string_view source, shore::Warnings warnings = {}) {
    return ShorelineRow{{std::string(quantity), std::move(value), std::string(unit),
                         std::string(source)},
                        warnings};
  };
  return {
      row("Hb", tableCell(b.Hb), "m", model, breaking),
      row("hb", tableCell(b.hb), "m",
          mean ? model + "; the mean depth at the breaker line: Hb/gamma" : model, breaking),
      row("gamma", tableCell(b.gamma), "-", "Hb/hb; " + model, breaking),
      row("theta_b", tableCell(b.thetaB), "deg", model, breaking),
      row("xi0", tableCell(s.surf.xi0), "-", std::string(kBattjes) + ": tan(beta)/sqrt(Ho/L0)"),
      row("breaker_type", typeCell(s.surf.type), "-",
          std::string(kBattjes) + ": xi0 < 0.5 spilling; 0.5 to 3.3 plunging; > 3.3 surging"),
      row("xi_b", tableCell(s.surf.xib), "-", std::string(kBattjes) + ": tan(beta)/sqrt(Hb/L0)",
          breaking),
      row("breaker_type_b", typeCell(s.surf.typeAtBreaking), "-",
          std::string(kBattjes) + ": xi_b < 0.4 spilling; 0.4 to 2.0 plunging; > 2.0 surging",
          breaking),
      row("setdown_b", tableCell(s.setup.etaB), "m", setup + ": -gamma*Hb/16", level),
      row("setup_gradient", tableCell(s.setup.gradient), "m/m",
          setup + ": K*tan(beta) with K = 1/(1 + 8/(3*gamma^2))", level),
      row("setup_shoreline", tableCell(s.setup.etaS), "m", mean ? surfZone : surfZone + negative,
          level),
      row("shoreline_shift", tableCell(s.setup.shoreShift), "m",
          setup + ": landward shift of the mean shoreline" + (mean ? "" : negative), level),
      row("setup_max", tableCell(s.setup.etaMax), "m",
          setup + ": at the mean shoreline" + (mean ? "" : negative), level),
      row("runup_H0", tableCell(r.H0), "m",
          given(r.H0Given, "deep-water significant height", "the wave's Ho")),
      row("runup_Tp", tableCell(r.Tp), "s", given(r.TpGiven, "peak period", "the wave's T")),
      row("beta_f", tableCell(r.betaF), "-",
          given(r.betaFGiven, "foreshore slope", "the beach slope 1/n")),
      row("runup_xi0", tableCell(r.xi0), "-", stockdon + ": beta_f/sqrt(H0/L0)", fit),
      row("runup_fit", r.ok() ? std::string(r.dissipative ? "dissipative" : "general") : "", "-",
          stockdon + ": general fit (eq. 19) for runup_xi0 >= 0.3; dissipative fit (eq. 18) "
                     "below",
          fit),
      row("runup_setup", tableCell(r.setup), "m", runupFit, fit),
      row("swash_incident", tableCell(r.swashIncident), "m",
          r.dissipative ? runupFit + ": none: the dissipative fit has no incident part"
                        : runupFit + ": 0.75*beta_f*sqrt(H0*L0)",
          fit),
      row("swash_infragravity", tableCell(r.swashInfragravity), "m", runupFit, fit),
      row("swash", tableCell(r.swash), "m",
          r.dissipative
              ? runupFit + ": the infragravity swash alone"
              : runupFit + ": sqrt(H0*L0*(0.563*beta_f^2 + 0.004)) as published (rounded); not "
                           "the root-sum-square of the two parts",
          fit),
      row("R2", tableCell(r.R2), "m", runupFit + ": 2 % exceedance runup", r.warnings),
      row("Hb_rms", tableCell(s.current.HbRms), "m", "regular wave: Hb", breaking),
      row("V", tableCell(s.current.V), "m/s",
          std::string(kKomar) + ": 1.17*sqrt(g*Hb_rms)*sin(theta_b)*cos(theta_b) at mid surf zone",
          breaking),
  };
}

std::vector<std::array<std::string, 4>> shorelineRows(const shore::Shoreline& s, Digits digits) {
  std::vector<std::array<std::string, 4>> rows;
  for (ShorelineRow& row : shorelineTable(s, digits)) rows.push_back(std::move(row.cells));
  return rows;
}

shore::Error firstError(const shore::Shoreline& s) {
  for (shore::Error e : {s.breaking.error, s.surf.error, s.runup.error, s.setup.error,
                         s.current.error}) {
    if (e != shore::Error::None) return e;
  }
  return shore::Error::None;
}

}  // namespace saiha::report
