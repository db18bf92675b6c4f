// What every structure formula shares: the checks of typed numbers, the one
// narrowing to single precision.
#pragma once

#include <cmath>
#include <limits>

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

}  // namespace saiha::structure
