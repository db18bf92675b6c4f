#include "report/shoreline_table.h"

#include "report/language.h"

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

std::vector<std::array<std::string, 4>> shorelineRows(const shore::Shoreline& s) {
  const shore::Breaking& b = s.breaking;
  const shore::Runup& r = s.runup;
  const std::string model = "breaking point: " + std::string(shore::breakerName(b.model.breaker)) +
                            " with " + std::string(shore::shoalingName(b.model.shoaling));
  const std::string stockdon(kStockdon);
  const std::string runupFit =
      r.dissipative ? stockdon + "; dissipative beach (runup_xi0 < 0.3)" : stockdon;
  const auto row = [](std::string_view quantity, std::string value, std::string_view unit,
                      std::string_view source) {
    return std::array<std::string, 4>{std::string(quantity), std::move(value), std::string(unit),
                                      std::string(source)};
  };
  return {
      row("Hb", tableCell(b.Hb), "m", model),
      row("hb", tableCell(b.hb), "m", model),
      row("gamma", tableCell(b.gamma), "-", "Hb/hb; " + model),
      row("theta_b", tableCell(b.thetaB), "deg", model),
      row("xi0", tableCell(s.surf.xi0), "-", std::string(kBattjes) + ": tan(beta)/sqrt(Ho/L0)"),
      row("breaker_type", typeCell(s.surf.type), "-",
          std::string(kBattjes) + ": xi0 < 0.5 spilling; 0.5 to 3.3 plunging; > 3.3 surging"),
      row("xi_b", tableCell(s.surf.xib), "-", std::string(kBattjes) + ": tan(beta)/sqrt(Hb/L0)"),
      row("breaker_type_b", typeCell(s.surf.typeAtBreaking), "-",
          std::string(kBattjes) + ": xi_b < 0.4 spilling; 0.4 to 2.0 plunging; > 2.0 surging"),
      row("setdown_b", tableCell(s.setup.etaB), "m", std::string(kSetup) + ": -gamma*Hb/16"),
      row("setup_gradient", tableCell(s.setup.gradient), "m/m",
          std::string(kSetup) + ": K*tan(beta) with K = 1/(1 + 8/(3*gamma^2))"),
      row("setup_shoreline", tableCell(s.setup.etaS), "m",
          std::string(kSetup) + ": at the still-water shoreline = setdown_b + K*hb"),
      row("shoreline_shift", tableCell(s.setup.shoreShift), "m",
          std::string(kSetup) + ": landward shift of the mean shoreline"),
      row("setup_max", tableCell(s.setup.etaMax), "m",
          std::string(kSetup) + ": at the mean shoreline"),
      row("runup_H0", tableCell(r.H0), "m", "deep-water significant height (default Ho)"),
      row("runup_Tp", tableCell(r.Tp), "s", "peak period (default T)"),
      row("beta_f", tableCell(r.betaF), "-", "foreshore slope (default 1/n)"),
      row("runup_xi0", tableCell(r.xi0), "-", stockdon + ": beta_f/sqrt(H0/L0)"),
      row("runup_setup", tableCell(r.setup), "m", runupFit),
      row("swash_incident", tableCell(r.swashIncident), "m", runupFit),
      row("swash_infragravity", tableCell(r.swashInfragravity), "m", runupFit),
      row("swash", tableCell(r.swash), "m", runupFit),
      row("R2", tableCell(r.R2), "m", runupFit + ": 2 % exceedance runup"),
      row("Hb_rms", tableCell(s.current.HbRms), "m", "regular wave: Hb"),
      row("V", tableCell(s.current.V), "m/s",
          std::string(kKomar) + ": 1.17*sqrt(g*Hb_rms)*sin(theta_b)*cos(theta_b) at mid surf zone"),
  };
}

shore::Error firstError(const shore::Shoreline& s) {
  for (shore::Error e : {s.breaking.error, s.surf.error, s.setup.error, s.runup.error,
                         s.current.error}) {
    if (e != shore::Error::None) return e;
  }
  return shore::Error::None;
}

}  // namespace saiha::report
