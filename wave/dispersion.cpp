#include "wave/dispersion.h"

#include <cmath>
#include <numbers>

#include "wave/formulas.h"

namespace saiha::wave {

std::optional<double> linearWavelength(double T, double h) {
  const double g = kGravity, pi = std::numbers::pi;
  const double L0 = g * T * T / (2 * pi);
  const double omega2 = 4 * pi * pi / (T * T);
  // Fenton & McKee (1990): L ≈ L0·tanh^(2/3)((2π√(h/g)/T)^(3/2)), within
  // 1.7 % everywhere, then Newton on f(k) = g·k·tanh(kh) − ω².
  double k = 2 * pi / (L0 * std::pow(std::tanh(std::pow(2 * pi / T * std::sqrt(h / g), 1.5)),
                                     2.0 / 3.0));
  for (int pass = 0; pass < 50; ++pass) {
    const double t = std::tanh(k * h);
    const double f = g * k * t - omega2;
    const double df = g * t + g * k * h * (1 - t * t);
    const double next = k - f / df;
    if (!(next > 0) || !std::isfinite(next)) return std::nullopt;
    if (std::abs(next - k) <= 1e-13 * next) return 2 * pi / next;
    k = next;
  }
  return std::nullopt;
}

}  // namespace saiha::wave
