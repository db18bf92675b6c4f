// Breaker limits other than the default one (wave/formulas.h,
// breakingHeightRatio), and the empirical breaker height and breaker index.
//
// Conventions of wave/formulas.h: single-precision arguments entering their
// expressions exactly, double results that the caller narrows, every step
// fault-tested (runtime/checked.h), π = 3.141592, g = 9.81 m/s².  Hr and hr
// are H/L0 and h/L0 with L0 = gT²/(2π); tanβ is the bottom slope.
#pragma once

namespace saiha::wave {

// Goda's breaker limit with a slope coefficient c:
// Hb/L0 = 0.17·(1 − exp(−1.5π·hr·(1 + c·tanβ^(4/3)))).  c = 15 is the
// default limit (breakingHeightRatio gives the same value, bit for bit);
// c = 11 is Goda's 2010 revision, which weakens the slope effect.
// Fault: tanβ < 0 (negative base to the power 4/3).
double godaHeightRatio(float hr, float tanBeta, double slopeCoef);

// McCowan's solitary-wave limit Hb = 0.78·h, as Hb/L0 = 0.78·hr.
double mcCowanHeightRatio(float hr);

// Kamphuis's (1991) limit for regular waves on a slope,
// Hb = 0.56·e^(3.5·tanβ)·h, as Hb/L0 = 0.56·e^(3.5·tanβ)·hr.
// Fault: a slope so steep that e^(3.5·tanβ) overflows.
double kamphuisHeightRatio(float hr, float tanBeta);

// Miche's steepness limit Hb = 0.142·L·tanh(kh), as Hb/L0, with L (m) the
// wavelength at depth h (m) and k = 2π/L; kh is narrowed to single.
// Tends to 0.142·L0 in deep water and to 0.142·2π·h ≈ 0.89·h in shallow water.
// Faults: L = 0 or L0 = 0 (division by zero).
double micheHeightRatio(float h, float L, float L0);

// Komar and Gaughan's (1972) breaker height Hb = 0.56·(H0′/L0)^(−1/5)·H0′ (m)
// from the unrefracted deep-water height H0′ (m) and L0 (m).
// Faults: H0′ ≤ 0 or L0 = 0.
double komarGaughanHeight(float H0prime, float L0);

// Weggel's (1972) breaker index γb = Hb/hb = b − a·Hb/(gT²) on slope tanβ,
// a = 43.8·(1 − e^(−19·tanβ)), b = 1.56/(1 + e^(−19.5·tanβ)); Hb in m, T in s.
// The result may be ≤ 0 for a very steep wave: the caller must judge it.
// Faults: T = 0.
double weggelIndex(float Hb, float T, float tanBeta);

}  // namespace saiha::wave
