// What every structure formula shares: the checks of typed numbers, the one
// narrowing to single precision, and the linear wavelength.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace saiha::structure {

// A finite number > 0 whose single-precision value is finite and > 0 too.
inline bool positiveSingle(double x) {
  const auto f = static_cast<float>(x);
  return std::isfinite(x) && x > 0 && std::isfinite(f) && f > 0;
}
inline bool positiveFinite(double x) { return std::isfinite(x) && x > 0; }
inline bool nonNegativeFinite(double x) { return std::isfinite(x) && x >= 0; }
// Every result is formed in double precision and narrowed once, here.
inline float single(double x) { return static_cast<float>(x); }

// The linear wavelength L (m) at depth h (m) for the period T (s):
// ω² = g·k·tanh(kh), by Newton's method from Fenton & McKee's (1990)
// explicit approximation; nullopt when it does not settle.
std::optional<double> linearWavelength(double T, double h);

}  // namespace saiha::structure
