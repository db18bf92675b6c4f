// The energy-balance transformation on a plane slope beside Goda's random-
// wave heights: two different methods for the same sea, side by side (the
// one a spectral-height balance with a breaker parameter fitted to barred
// field sites, the other Goda's fitted envelopes of laboratory data).
//
//   saiha-transform-plane-goda
//
// For each slope 1/n and deep-water sea (H0′, T1/3) the balance starts at
// 20 m depth with Hm0 = H0′·Ks (linear shoaling from deep water, no
// refraction), Hrms0 = Hm0/√2, Tp = T1/3, θ0 = 0, no tide, the default model
// (bj78, ruessink2003, roller, setup), points every 0.5 m.  Printed: the
// depth where breaking sets in (Qb ≥ 0.01) beside the depth of Goda's outer
// edge of the surf zone, and H1/3 (Battjes & Groenendijk 2000) beside Goda's
// H1/3 at chosen still-water depths.
#include <charconv>
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "shore/random_waves.h"
#include "shore/transform.h"
#include "wave/formulas.h"

namespace {

using namespace saiha;

std::string fixed(double v, int digits) {
  if (!std::isfinite(v)) return "—";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, digits);
  return std::string(buf, r.ptr);
}

// Linear shoaling coefficient Ks at depth h for period T, by the regular-
// wave calculation's own formulas.
double linearKs(double T, double h) {
  const float t = float(T), d = float(h);
  const double L = wave::waveLength(t, d), L0 = wave::waveLength(t, 1e4f);
  return wave::shoalingCoef(float(L), float(L0), float(wave::groupRatio(d, float(L))));
}

}  // namespace

int main() {
  const double h0 = 20, dx = 0.5;
  const double depths[] = {10, 6, 4, 3, 2, 1.5, 1, 0.5};
  struct Sea {
    double H0p, T13;
  };
  const Sea seas[] = {{1, 8}, {2, 10}, {4, 12}};
  const double slopes[] = {20, 50, 100};
  std::cout << "| 1/n | H0′ (m) | T1/3 (s) | breaking sets in, h (m) | Goda's edge, h (m) |";
  for (double h : depths) std::cout << " H1/3 at " << fixed(h, 1) << " m |";
  std::cout << "\n|---|---|---|---|---|";
  for (std::size_t i = 0; i < std::size(depths); ++i) std::cout << "---|";
  std::cout << "\n";
  for (double n : slopes) {
    std::vector<double> x, z;
    for (double xi = 0;; xi += dx) {
      x.push_back(xi);
      z.push_back(-h0 + xi / n);
      if (z.back() > 1) break;
    }
    const shore::BedProfile bed{x, z};
    for (const Sea& s : seas) {
      const double Hm0 = s.H0p * linearKs(s.T13, h0);
      const shore::SeaCondition sea{Hm0 / std::sqrt(2.0), s.T13, 0, 0};
      const shore::TransformResult r = shore::transform(bed, sea);
      const shore::RandomState edge = shore::randomBreaking(s.H0p, s.T13, n);
      std::cout << "| " << fixed(n, 0) << " | " << fixed(s.H0p, 1) << " | " << fixed(s.T13, 0)
                << " | " << fixed(r.hBreaking, 2) << " | " << fixed(edge.h, 2) << " |";
      for (double h : depths) {
        // The profile point at still-water depth h: x = (h0 − h)·n.
        const std::size_t i = std::size_t(std::lround((h0 - h) * n / dx));
        const double model = r.ok() && i < r.H13.size() ? double(r.H13[i]) : std::nan("");
        const shore::RandomState goda = shore::randomWaves(s.H0p, s.T13, n, h);
        std::cout << " " << fixed(model, 2) << " / " << (goda.ok() ? fixed(goda.H13, 2) : "—")
                  << " |";
      }
      std::cout << "\n";
    }
  }
  return 0;
}
