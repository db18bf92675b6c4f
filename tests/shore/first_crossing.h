// For tests: the first crossing of a model's breaker limit by the height
// that applies at each depth, coming from deep water, found by a fine scan in
// double precision, independently of the engine's searches.
#pragma once

#include <cmath>
#include <optional>
#include <utility>

#include "shore/engine.h"

namespace saiha::testing {

// One wave under one model in double precision, from the physics alone: the
// linear, Shuto's H·h^(2/7) and the H·h^(5/2)·(√U − 2√3) laws, each regime
// boundary solved where the scan meets it, and the limit, all as ratios to
// L0 = gT²/(2π).
class CrossingScan {
  static constexpr double kPi = 3.141592;  // the engine's π
  static constexpr double kGravity = 9.81;

 public:
  CrossingScan(const shore::Wave& w, const shore::Model& model)
      : model_(model),
        L0_(kGravity / 2 / kPi * w.T * w.T),
        Hr0_(w.Ho / L0_),
        sinA0_(std::sin(w.alpha0 / 180 * kPi)),
        cosA0_(std::cos(w.alpha0 / 180 * kPi)),
        tanBeta_(1 / w.n) {}

  double L0() const { return L0_; }

  // The first crossing of the limit coming from deep water: (Hb/L0, hb/L0),
  // scanning h/L0 from 1 down to 1e-5 in steps of 0.1 %, then bisecting the
  // step where the height first reaches the limit.
  std::optional<std::pair<double, double>> firstCrossing() {
    const double target = model_.shoaling == shore::Shoaling::Shuto ? 30 : 50;
    double previous = 1;
    for (double hr = 1; hr >= 1e-5; hr *= 0.999) {
      if (!lower_) {
        if (ursell(linear(hr), hr) >= target) {
          lower_ = solve(hr, previous, [&](double r) { return ursell(linear(r), r) - target; });
          lowerH_ = target / (2 * kPi) * *lower_ * *lower_;
          if (model_.shoaling == shore::Shoaling::TwoRegime) {
            upper_ = lower_;
            upperH_ = lowerH_;
          }
        }
      } else if (!upper_ && ursell(intermediate(hr), hr) >= 50) {
        upper_ = solve(hr, previous, [&](double r) { return ursell(intermediate(r), r) - 50; });
        upperH_ = 50 / (2 * kPi) * *upper_ * *upper_;
      }
      if (applied(hr) - limit(hr) >= 0) {
        const double hb = solve(hr, previous, [&](double r) { return applied(r) - limit(r); });
        return std::pair(limit(hb), hb);
      }
      previous = hr;
    }
    return std::nullopt;
  }

 private:
  double kh(double hr) const {  // x·tanh x = 2π·hr, by Newton's method
    const double y = 2 * kPi * hr;
    double x = y < 1 ? std::sqrt(y) : y;
    for (int i = 0; i < 100; ++i) {
      const double t = std::tanh(x);
      const double step = (x * t - y) / (t + x * (1 - t * t));
      x -= step;
      if (std::fabs(step) < 1e-15 * x) break;
    }
    return x;
  }
  double lengthRatio(double hr) const { return 2 * kPi * hr / kh(hr); }
  static double ursell(double Hr, double hr) { return 2 * kPi * Hr / (hr * hr); }
  double linear(double hr) const {
    const double x = kh(hr), lr = lengthRatio(hr);
    const double n = 0.5 * (1 + 2 * x / std::sinh(2 * x));
    const double sinA = sinA0_ * lr;
    return Hr0_ * std::sqrt(1 / (2 * n * lr)) * std::sqrt(cosA0_ / std::sqrt(1 - sinA * sinA));
  }
  double intermediate(double hr) const { return lowerH_ * std::pow(*lower_ / hr, 2.0 / 7.0); }
  double nonlinear(double hr) const {
    const double twoRootThree = 2 * std::sqrt(3.0);
    const double conserved = upperH_ * std::pow(*upper_, 2.5) * (std::sqrt(50.0) - twoRootThree);
    const auto law = [&](double H) {
      return H * std::pow(hr, 2.5) * (std::sqrt(2 * kPi * H) / hr - twoRootThree);
    };
    double lo = 12 * hr * hr / (2 * kPi), hi = 2 * lo;  // √U = 2√3 at lo
    while (law(hi) < conserved) hi *= 2;
    for (int i = 0; i < 200 && hi - lo > 1e-16 * hi; ++i) {
      const double mid = (lo + hi) / 2;
      (law(mid) < conserved ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
  }
  double applied(double hr) const {
    if (!lower_ || hr > *lower_) return linear(hr);
    if (!upper_ || hr > *upper_) return intermediate(hr);
    return nonlinear(hr);
  }
  double limit(double hr) const {
    switch (model_.breaker) {
      case shore::BreakerLimit::Goda1970: return goda(hr, 15);
      case shore::BreakerLimit::Goda2010: return goda(hr, 11);
      case shore::BreakerLimit::McCowan: return 0.78 * hr;
      case shore::BreakerLimit::Kamphuis: return 0.56 * std::exp(3.5 * tanBeta_) * hr;
      case shore::BreakerLimit::Miche: return 0.142 * lengthRatio(hr) * std::tanh(kh(hr));
    }
    return 0;
  }
  double goda(double hr, double c) const {
    return 0.17 * (1 - std::exp(-1.5 * kPi * hr * (1 + c * std::pow(tanBeta_, 4.0 / 3.0))));
  }
  // The root of f between the shallower a (f ≥ 0) and the deeper b (f < 0).
  template <class F>
  static double solve(double a, double b, F&& f) {
    for (int i = 0; i < 100 && b - a > 1e-13 * b; ++i) {
      const double m = (a + b) / 2;
      (f(m) >= 0 ? a : b) = m;
    }
    return (a + b) / 2;
  }

  shore::Model model_;
  double L0_, Hr0_, sinA0_, cosA0_, tanBeta_;
  // The regime boundaries as the scan finds them: where the linear height
  // reaches the onset's Ursell number, and (Shuto) the 2/7 law U = 50.
  std::optional<double> lower_, upper_;
  double lowerH_ = 0, upperH_ = 0;
};

}  // namespace saiha::testing
