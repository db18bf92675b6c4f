// Rock armour: Hudson (1959), Van der Meer (1988), Van Gent et al. (2003).
#include "structure/armour.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "structure/caisson.h"
#include "structure/common.h"

namespace saiha::structure {

namespace {

using std::numbers::pi;

// Van der Meer's (1988) data (CIRIA, CUR & CETMEF 2007, Table 5.22), as
// adopted here: 0.1 ≤ P ≤ 0.6, N ≤ 7500, 0.005 ≤ sm ≤ 0.06,
// 1.5 ≤ cot α ≤ 6, 1 ≤ Hs/(Δ·Dn50) ≤ 4, 1 ≤ Δ ≤ 2.1 (ρs 2000–3100 kg/m³),
// S from 1 to about 20, deep water h ≥ 3·Hs at the toe.
constexpr double kLeastP = 0.1, kMostP = 0.6, kMostWaves = 7500;
constexpr double kLeastSteepness = 0.005, kMostSteepness = 0.06;
constexpr double kSteepestSlope = 1.5, kGentlestSlope = 6;
constexpr double kLeastNs = 1, kMostNs = 4, kLeastDelta = 1, kMostDelta = 2.1;
constexpr double kLeastDamage = 1, kMostDamage = 20;
constexpr double kDeepWater = 3;
// Hudson's data: 1.5 ≤ cot α ≤ 4 (Shore Protection Manual 1984).
constexpr double kHudsonGentlest = 4;
// The plunging formula alone on slopes of 1:4 and gentler (Van der Meer 1993).
constexpr double kPlungingOnly = 4;
// H2%/Hs of a Rayleigh sea, when H2% is not given.
constexpr double kRayleighH2 = 1.4;

struct Form {
  double plunging, surging;  // cpl, cs
};
constexpr Form kVanDerMeer1988{6.2, 1.0};
constexpr Form kVanGent2003{8.4, 1.3};

}  // namespace

ArmourResult armour(const ArmourInput& in) noexcept {
  ArmourResult r;
  const auto fail = [&r](Error e) {
    r.error = e;
    return r;
  };
  if (in.method > ArmourMethod::Hudson) return fail(Error::InvalidStructureOption);
  const bool hudson = in.method == ArmourMethod::Hudson;
  const bool vanGent = in.method == ArmourMethod::VanGent2003;
  if (!positiveSingle(in.Hs)) return fail(Error::InvalidDesignHeight);
  double H2 = kRayleighH2 * in.Hs;
  if (vanGent && !std::isnan(in.H2)) {
    if (!positiveSingle(in.H2)) return fail(Error::InvalidDesignHeight);
    if (in.H2 < in.Hs) return fail(Error::HeightOrder);
    H2 = in.H2;
  }
  if (!hudson && !positiveSingle(in.T)) return fail(Error::InvalidDesignPeriod);
  if (!positiveFinite(in.cotAlpha)) return fail(Error::InvalidStructureSlope);
  if (hudson) {
    if (!positiveFinite(in.KD)) return fail(Error::InvalidArmourParameter);
  } else if (!(in.P > 0 && in.P <= kMostP) || !positiveFinite(in.S) ||
             !(std::isfinite(in.N) && in.N >= 1)) {
    return fail(Error::InvalidArmourParameter);
  }
  if (!positiveFinite(in.rho)) return fail(Error::InvalidWaterDensity);
  if (!(std::isfinite(in.rhoS) && in.rhoS > in.rho)) return fail(Error::InvalidRockDensity);
  if (!std::isnan(in.h) && !positiveFinite(in.h)) return fail(Error::InvalidStructureDepth);

  const double delta = in.rhoS / in.rho - 1;
  const double tanA = 1 / in.cotAlpha;
  double Dn50 = 0, Ns = 0;
  if (hudson) {
    // M50 = ρs·H³/(K_D·Δ³·cot α), Dn50 = (M50/ρs)^(1/3) = H/(Δ·(K_D·cot α)^(1/3)).
    Ns = std::cbrt(in.KD * in.cotAlpha);
    Dn50 = in.Hs / (delta * Ns);
    if (in.cotAlpha < kSteepestSlope || in.cotAlpha > kHudsonGentlest) {
      r.warnings.add(Warning::StructureSlopeOutsideRange);
    }
  } else {
    const Form& form = vanGent ? kVanGent2003 : kVanDerMeer1988;
    const double s = 2 * pi * in.Hs / (kGravity * in.T * in.T);
    const double xi = tanA / std::sqrt(s);
    const double xiCr =
        std::pow(form.plunging / form.surging * std::pow(in.P, 0.31) * std::sqrt(tanA),
                 1 / (in.P + 0.5));
    const double damage = std::pow(in.S / std::sqrt(in.N), 0.2);
    const double heights = vanGent ? in.Hs / H2 : 1.0;
    const bool plunging = xi < xiCr || in.cotAlpha >= kPlungingOnly;
    Ns = plunging ? form.plunging * std::pow(in.P, 0.18) * damage * heights / std::sqrt(xi)
                  : form.surging * std::pow(in.P, -0.13) * damage * heights *
                        std::sqrt(in.cotAlpha) * std::pow(xi, in.P);
    Dn50 = in.Hs / (delta * Ns);
    r.breaker = plunging ? ArmourBreaker::Plunging : ArmourBreaker::Surging;
    r.xi = single(xi);
    r.xiCritical = single(xiCr);
    r.steepness = single(s);
    if (s < kLeastSteepness || s > kMostSteepness) r.warnings.add(Warning::SteepnessOutsideRange);
    if (in.cotAlpha < kSteepestSlope || in.cotAlpha > kGentlestSlope) {
      r.warnings.add(Warning::StructureSlopeOutsideRange);
    }
    if (in.P < kLeastP || in.N > kMostWaves || in.S < kLeastDamage || in.S > kMostDamage ||
        Ns < kLeastNs || Ns > kMostNs) {
      r.warnings.add(Warning::ArmourOutsideRange);
    }
    // Van der Meer (1988) in water shallower than 3·Hs; Van Gent et al.
    // (2003) in deep water, where it is not the formula to use.
    if (!std::isnan(in.h) && (vanGent ? in.h > kDeepWater * in.Hs : in.h < kDeepWater * in.Hs)) {
      r.warnings.add(Warning::ToeDepthOutsideRange);
    }
  }
  if (delta < kLeastDelta || delta > kMostDelta) r.warnings.add(Warning::ArmourOutsideRange);
  r.Dn50 = single(Dn50);
  r.M50 = single(in.rhoS * Dn50 * Dn50 * Dn50);
  r.Delta = single(delta);
  r.Ns = single(in.Hs / (delta * Dn50));
  return r;
}

}  // namespace saiha::structure
