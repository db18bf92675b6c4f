// The size of rock armour on a slope: the median nominal diameter Dn50 (m)
// and the median mass M50 (kg), M50 = ρs·Dn50³, by
//   Hudson (1959):  M50 = ρs·H³ / (K_D·Δ³·cot α),
//     H the height the user's design code prescribes (Hs, H1/10, ...);
//   Van der Meer (1988), deep water, from the mean period Tm:
//     plunging  Hs/(Δ·Dn50) = 6.2·P^0.18·(S/√N)^0.2·ξm^−0.5,
//     surging   Hs/(Δ·Dn50) = 1.0·P^−0.13·(S/√N)^0.2·√cot α·ξm^P,
//     ξm = tan α/√(2π·Hs/(g·Tm²)); plunging for ξm < ξcr =
//     (6.2·P^0.31·√tan α)^(1/(P + 0.5)), surging above; for cot α ≥ 4 the
//     plunging formula alone (Van der Meer 1993);
//   Van Gent et al. (2003), the modified Van der Meer formula for shallow
//   water (Van Gent, Smale & Kuiper 2003; CIRIA, CUR & CETMEF 2007, The Rock
//   Manual, eqs. 5.139–5.141), from Tm−1,0 and the height H2%:
//     plunging  Hs/(Δ·Dn50) = 8.4·P^0.18·(S/√N)^0.2·(Hs/H2%)·ξs,−1^−0.5,
//     surging   Hs/(Δ·Dn50) = 1.3·P^−0.13·(S/√N)^0.2·(Hs/H2%)·√cot α·ξs,−1^P,
//     ξs,−1 = tan α/√(2π·Hs/(g·Tm−1,0²)), ξcr = ((8.4/1.3)·P^0.31·√tan α)^(1/(P + 0.5)),
//     H2% = 1.4·Hs (the Rayleigh ratio of deep water) when not given;
// with Δ = ρs/ρ − 1, P the notional permeability (0.1 impermeable core, 0.4
// two layers on a filter, 0.5 a permeable core, 0.6 homogeneous), S the
// damage level (2 the start of damage on a 1:2 to 1:3 slope), N the number
// of waves of the storm.
//
// Conventions of shore/engine.h: SI units, single-precision results, NaN
// for a result not reached, failures as shore::Error codes, ranges as
// shore::Warning bits; nothing here throws, prints or knows any text.
#pragma once

#include <cstdint>
#include <limits>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::structure {

using shore::Error;
using shore::kNotReached;
using shore::Warning;
using shore::Warnings;

enum class ArmourMethod : std::uint8_t {
  VanDerMeer1988,  // deep water, Tm
  VanGent2003,     // the modified Van der Meer formula, shallow water, Tm−1,0 and H2%
  Hudson,          // Hudson (1959), K_D
};

// Which of Van der Meer's two formulas governs.
enum class ArmourBreaker : std::uint8_t {
  None,      // Hudson: no breaker type
  Plunging,
  Surging,
};

// The wave and the slope, as typed.
struct ArmourInput {
  ArmourMethod method = ArmourMethod::VanDerMeer1988;
  // The wave height (m), finite, > 0: Hs (H1/3 at the toe) for Van der
  // Meer and Van Gent; for Hudson the height the design code prescribes.
  double Hs = 0;
  // The period (s), finite, > 0: the mean period Tm for Van der Meer
  // (1988), Tm−1,0 for Van Gent et al. (2003); unused by Hudson.
  double T = 0;
  double cotAlpha = 0;  // the slope's cot α, finite, > 0
  double P = 0.4;       // notional permeability, finite, 0 < P ≤ 0.6 (Van der Meer, Van Gent)
  double S = 2;         // damage level, finite, > 0 (Van der Meer, Van Gent)
  double N = 3000;      // number of waves, finite, ≥ 1 (Van der Meer, Van Gent)
  double KD = 4;        // Hudson's stability coefficient, finite, > 0 (Hudson)
  // H2% at the toe (m) for Van Gent et al. (2003), finite, ≥ Hs; NaN: 1.4·Hs.
  double H2 = std::numeric_limits<double>::quiet_NaN();
  // The depth at the toe (m), optional (NaN): only for the range of relative
  // depth (Van der Meer 1988 deep water h ≥ 3·Hs; Van Gent shallow water).
  double h = std::numeric_limits<double>::quiet_NaN();
  double rhoS = 2650;   // the rock's density (kg/m³), finite, > ρ
  double rho = 1025;    // the water's density (kg/m³), finite, > 0
};

struct ArmourResult {
  Error error = Error::None;
  // ArmourOutsideRange (P, S, N, Δ or Hs/(Δ·Dn50) outside the data of the
  // formula), StructureSlopeOutsideRange, SteepnessOutsideRange,
  // ToeDepthOutsideRange.
  Warnings warnings;
  float Dn50 = kNotReached;  // the median nominal diameter (m)
  float M50 = kNotReached;   // the median mass ρs·Dn50³ (kg)
  float Delta = kNotReached; // Δ = ρs/ρ − 1
  float Ns = kNotReached;    // the stability number Hs/(Δ·Dn50)
  float xi = kNotReached;    // ξm (Van der Meer) or ξs,−1 (Van Gent); NaN for Hudson
  float xiCritical = kNotReached;  // the plunging/surging transition ξcr; NaN for Hudson
  float steepness = kNotReached;   // 2π·Hs/(g·T²); NaN for Hudson
  ArmourBreaker breaker = ArmourBreaker::None;
  bool ok() const { return error == Error::None; }
};

/**
 * Dn50 and M50 of rock armour by the method chosen.
 *
 * Errors (ArmourResult::error), in the order they are checked:
 * - InvalidStructureOption: an ArmourMethod value that names none.
 * - InvalidDesignHeight: Hs (or a given H2%) not a finite number > 0 in
 *   single precision; HeightOrder: H2% < Hs.
 * - InvalidDesignPeriod: T not a finite number > 0 (not for Hudson).
 * - InvalidStructureSlope: cot α not a finite number > 0.
 * - InvalidArmourParameter: P not in (0, 0.6], S not finite > 0, N not
 *   finite ≥ 1 (Van der Meer, Van Gent), K_D not finite > 0 (Hudson).
 * - InvalidWaterDensity: ρ not a finite number > 0.
 * - InvalidRockDensity: ρs not a finite number > ρ.
 * - InvalidStructureDepth: h given and not a finite number > 0.
 * Never throws.
 */
SAIHA_API ArmourResult armour(const ArmourInput& in) noexcept;

}  // namespace saiha::structure
