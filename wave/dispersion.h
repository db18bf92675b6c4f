// The linear dispersion relation in double precision with the library's π,
// for the formulas that take the wavelength as exactly as double arithmetic
// gives it: the forces on structures, and the bounds that let the
// calculator's own searches skip a probe whose sign is sure.  (The
// calculator's wavelength itself is `waveLength` in wave/formulas.h, with
// its own π, tolerance and faults.)
#pragma once

#include <optional>

namespace saiha::wave {

// The wavelength L (m) of linear waves of period T (s) at depth h (m):
// ω² = g·k·tanh(kh), ω = 2π/T, g = 9.81 m/s², L = 2π/k.  Newton's method on
// k, started from Fenton & McKee's (1990) explicit
// L ≈ L0·tanh^(2/3)((ω·√(h/g))^(3/2)) (within 1.7 % at every depth), ends
// at a step below 1e-13 of k (a handful of steps).  Domain: T > 0, h > 0,
// both finite.  Nothing is thrown: nullopt where an iterate is not a finite
// number > 0 (the domain's edges, T or h not finite) or 50 steps do not
// settle.
std::optional<double> linearWavelength(double T, double h);

}  // namespace saiha::wave
