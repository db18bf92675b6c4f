// Irregular waves in the surf zone by Goda's method (Goda 1975, Coastal
// Engineering in Japan 18; Goda 2000, Random Seas and Design of Maritime
// Structures, 2nd ed., §3.6): the significant height H1/3 and the maximum
// height Hmax of a random sea on a beach of uniform slope.
//
// The sea is given by its equivalent deep-water significant height H0′ (m),
// the height of the deep-water significant wave once refraction and
// diffraction are applied (a regular wave's Ho is not H0′), its significant
// period T1/3 (s) and the slope 1/n.  With L0 = g·T1/3²/(2π):
//   h/L0 ≥ 0.2:  H1/3 = Ks·H0′,  Hmax = 1.8·Ks·H0′;
//   h/L0 < 0.2:  H1/3 = min{β0·H0′ + β1·h, βmax·H0′, Ks·H0′},
//                Hmax = min{β0*·H0′ + β1*·h, βmax*·H0′, 1.8·Ks·H0′},
//   β0  = 0.028·(H0′/L0)^−0.38·e^(20·tan^1.5 θ),  β1  = 0.52·e^(4.2·tanθ),
//   βmax  = max{0.92, 0.32·(H0′/L0)^−0.29·e^(2.4·tanθ)},
//   β0* = 0.052·(H0′/L0)^−0.38·e^(20·tan^1.5 θ),  β1* = 0.63·e^(3.8·tanθ),
//   βmax* = max{1.65, 0.53·(H0′/L0)^−0.29·e^(2.4·tanθ)},
// tanθ = 1/n.  Ks is the nonlinear shoaling coefficient of Shuto's theory:
// the engine's `shuto` shoaling rule (shore/model_choice.h) for a regular wave of
// height H0′ and period T1/3 at normal incidence, H/H0′.  Ks is needed only
// where the shoaled term can govern: in very shallow water, where Shuto's
// nonlinear law cannot be solved for the height (its iteration does not
// settle), Ks is NaN and the shoaled term drops out of the minimum
// (ShoalingNotFormed) as long as a bound on Ks from deeper water shows that
// it could not govern there.
//
// Warnings: SteepSlope (n < 10) and GentleSlope (n > 100), outside the
// slopes of about 1/10 to 1/100 the method was fitted on;
// ShallowForRandomWaves for h/H0′ < 0.5, below the range of Goda's diagrams;
// HeightAboveDepth where H1/3 or Hmax exceeds the still-water depth h (the
// formulas keep a finite height at the shoreline: the heights stay as the
// method gives them, flagged).
//
// Conventions of shore/engine.h: SI units, single-precision results, NaN
// for a result not reached, failures as `Error` codes, nothing thrown.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::shore {

// Which term of Goda's minimum gives a height.
enum class RandomTerm : std::uint8_t {
  Shoaling,  // Ks·H0′ (1.8·Ks·H0′ for Hmax): the sea has not yet broken
  Breaking,  // β0·H0′ + β1·h (β0*, β1* for Hmax): decay across the surf zone
  Cap,       // βmax·H0′ (βmax* for Hmax): the ceiling near the outer edge
};

// The random sea at one depth.
struct RandomState {
  Error error = Error::None;
  float h = kNotReached;     // depth (m), the single-precision value used
  float Ks = kNotReached;    // Shuto's nonlinear shoaling coefficient
  float H13 = kNotReached;   // significant height H1/3 (m)
  float Hmax = kNotReached;  // maximum height Hmax (m)
  std::optional<RandomTerm> H13Term, HmaxTerm;  // set with their heights
  // The sea's (SteepSlope, GentleSlope, once n is read) and the depth's
  // (ShallowForRandomWaves, HeightAboveDepth, ShoalingNotFormed, and
  // BelowSearchFloor for an edge found below h/L0 = 0.001).
  Warnings warnings;
  bool ok() const { return error == Error::None; }
};

// Goda's H1/3 and Hmax at depth h (m) for H0′ (m), T1/3 (s) and slope 1/n.
// Checks H0′ (InvalidHeight), T1/3 (InvalidPeriod), n (InvalidSlope), the
// steepness H0′/L0 ≤ 0.142 (SteepnessLimit), then h (InvalidDepth), each a
// finite number > 0 in single precision.  Shuto's regime boundaries are
// searched on 0.001 ≤ h/L0 ≤ 1 (OnsetNotFound, IntermediateEndNotFound);
// the arithmetic fails as the regular-wave engine's does, the shoaling
// (NonlinearShoalingLimit) only where Ks cannot be formed and might govern.
SAIHA_API RandomState randomWaves(double H0p, double T13, double n, double h) noexcept;

// The outer edge of the significant wave's surf zone: the depth where H1/3
// passes from Ks·H0′ (seaward) to a breaking term (shoreward), found by
// bisection over h/L0 on 0.001..0.2 to 0.1 %; H1/3 is largest there.  A sea
// for which Ks·H0′ governs H1/3 all the way to h/L0 = 0.001 (low swell on a
// steep slope) is searched on down to h/L0 = 1e-5, its edge then flagged
// BelowSearchFloor; BreakingNotFound when it governs even there.
SAIHA_API RandomState randomBreaking(double H0p, double T13, double n) noexcept;

struct RandomStation {
  float x = 0;  // distance from the still-water shoreline, n·h (m)
  RandomState state;
  Mark mark = Mark::None;  // Breaking at the outer edge of the surf zone
};

struct RandomProfile {
  // The sea's own error, the edge's when the seaward end defaults to it, or
  // InvalidDepth for bad options.
  Error error = Error::None;
  RandomState edge;  // randomBreaking's state; without it, no Breaking mark
  std::vector<RandomStation> stations;  // seaward end first
  bool ok() const { return error == Error::None; }
};

// The random sea from a seaward depth to the shoreline, stationed as
// `profile` stations a regular wave (ProfileOptions): evenly spaced in x,
// the last one short of x = 0, the outer edge of the surf zone inserted in
// its place.  The default seaward end is twice the edge depth.  A station
// the formulas cannot compute carries its error and the profile goes on.
SAIHA_API RandomProfile randomProfile(double H0p, double T13, double n,
                                      const ProfileOptions& options = {}) noexcept;

}  // namespace saiha::shore
