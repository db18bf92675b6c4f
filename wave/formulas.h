// Wave formulas of linear and nonlinear shoaling on a beach with straight,
// parallel depth contours.
//
// Conventions shared by every function here and by the searches:
//  - Arguments are single-precision values of the caller; each enters its
//    expression exactly (widened, never narrowed).  Results are doubles; the
//    caller narrows them when it stores them.
//  - Arithmetic runs in double precision; "single" in a comment marks the
//    one place where a value is narrowed to float.
//  - π is the constant 3.141592 (not the library value), with 6.283184 = 2π,
//    12.566368 = 4π and −4.712388000000001 = −1.5π as doubles; g = 9.81 m/s².
//  - Every operation is fault-tested (runtime/checked.h): an invalid
//    operation, division by zero or overflow throws rt::ArithmeticFault.
//    A guard that cannot give a result throws WaveError.
//  - Lengths in metres, periods in seconds, angles in radians.  Hr and hr are
//    the ratios H/L0 and h/L0; tanβ is the bottom slope.
//
// Nothing is cached: every call is independent.
#pragma once

namespace saiha::wave {

// π and its multiples as this calculation writes them.
inline constexpr double kPi = 3.141592;
inline constexpr double kTwoPi = 6.283184;    // exactly 2 × 3.141592 in double
inline constexpr double kFourPi = 12.566368;  // exactly 4 × 3.141592 in double
inline constexpr double kMinusOneAndHalfPi = -4.712388000000001;  // −1.5 × 3.141592 in double
inline constexpr double kGravity = 9.81;  // m/s²

// Wavelength L (m) at depth h (m) for period T (s), from the linear dispersion
// relation ω² = g·k·tanh(kh), by a damped fixed-point iteration on
// kh = (ω²h/g)·coth(kh) until successive estimates agree to 1e-4.
// Domain: T ≠ 0, h > 0.  Beyond h/L0 ≈ 56, where e^(2kh) overflows, coth kh
// is taken as 1 (the deep-water limit, L = L0 to double precision).
// Faults: T = 0 (division by zero); h = 0 (0/0, invalid).
// Throws WaveError(WaveLengthLimit) after 1000 passes; normal inputs need a
// handful, and one pass for h/L0 above about 0.79.
double waveLength(float T, float h);

// Hyperbolic cosecant 2/(eˣ − e⁻ˣ).  Fault: x = 0 (division by zero).
// For |x| > 709.78, where e^|x| overflows, the limit ±0.
double waveCosech(float x);
// Hyperbolic cotangent (eˣ + e⁻ˣ)/(eˣ − e⁻ˣ).  Fault: x = 0.  For
// |x| > 709.78 the limit ±1.
double waveCoth(float x);
// Hyperbolic sine (eˣ − e⁻ˣ)/2.  Fault: |x| > 709.78.
double waveSinh(float x);

// Wave direction α (rad) where the wavelength is L, by Snell's law
// sin α / L = sin αo / L0.  s = (L/L0)·sin αo is formed in single precision;
// when |s| ≥ 1 there is no refracted direction and the result is 0.
// Fault: L0 = 0.
double refractedAngle(float L, float L0, float ao);

// Refraction coefficient Kr = √(cos αo / cos α) for parallel contours, with
// cos α narrowed to single.  Throws WaveError(CoefficientDivisor) when that
// cosine is 0.  Fault: a negative quotient (invalid square root).
double refractionCoef(float a, float ao);

// Group velocity over celerity, n = Cg/C = (1 + x/sinh x)/2 with x = 4πh/L
// narrowed to single.  Tends to 1/2 in deep and 1 in shallow water; exactly
// 1/2 beyond x ≈ 709.78, where sinh x overflows.  Faults: L = 0; h = 0 (0/0).
double groupRatio(float h, float L);

// Linear shoaling coefficient Ks = √(L0/(2·n·L)).  Throws
// WaveError(CoefficientDivisor) when L or n is 0 (tested in that order,
// before any division).  Fault: a negative quotient.
double shoalingCoef(float L, float L0, float n);

// The height ratio H/L0 at which the Ursell parameter gHT²/h² equals 50 at
// depth ratio hr: 50/(2π)·hr².
double ursell50Height(float hr);

// Height ratio H/L0 at depth h (m) by linear refraction and shoaling,
// Kr·Ks·Ho/L0, with L the wavelength at h.  n and α are narrowed to single;
// Ks and Kr are not.
double linearHeightRatio(float h, float L, float Ho, float L0, float ao);

// √U = √(2π·Hr)/hr, the square root of the Ursell parameter (g·T² = 2π·L0).
// A negative Hr is first set to 0 in the caller's variable.
// Fault: hr = 0.
double ursellRoot(float& Hr, float hr);

// Height ratio at depth ratio hr by nonlinear shoaling from the known pair
// (Hr1, hr1): H·h^(5/2)·(√U − 2√3) is held constant, solved by fixed-point
// iteration on √U (single precision) to a tolerance of 0.001, plain for 80
// passes and averaged after.  A negative Hr1 is set to 0 in the caller's
// variable.  Throws WaveError(NonlinearShoalingLimit) when 100 passes do not
// settle.  Faults: √U equal to 2√3 (division by zero); hr1 < 0 (negative
// base); hr1 = 0 or hr = 0.
double nonlinearHeightRatio(float& Hr1, float hr1, float hr);

// Breaking-height limit Hb/L0 = 0.17·(1 − exp(−1.5π·hr·(1 + 15·tanβ^(4/3)))).
// Fault: tanβ < 0 (negative base to the power 4/3).
double breakingHeightRatio(float hr, float tanBeta);

}  // namespace saiha::wave
