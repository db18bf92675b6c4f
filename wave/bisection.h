// Bisection over the depth ratio h/L0 on the fixed interval 0.001..1, shared
// by the onset and breaking-point searches.
#pragma once

#include "runtime/checked.h"

namespace saiha::wave {

// How a bisection ended.
struct BisectionResult {
  float ratio;       // the depth ratio found: the current midpoint
  int probes;        // probes made, the one at the lower end included
  bool zeroProduct;  // ended on a probe whose product with the lower-end mismatch is 0
  bool upperMoved;   // some probe had the sign opposite to the lower end's
};

// Bisects for the depth ratio where `probe` (a function from a float depth
// ratio to its float mismatch) changes sign, between a = 0.001 (single,
// 0.0010000000474974513) and b = 1.  Only the signs of the mismatch at the
// lower end and at the midpoints steer it; the upper end is never probed.
//
// Each pass forms the midpoint m = (b + a)/2 (single) and stops, without
// probing m, once 0.001·m > |b − a| (both sides single, strict), a relative
// width of 0.1 %; that ends the loop after 10 halvings at the upper end and
// at most 20 at the lower end.  Otherwise p = probe(m)·fa (single) moves b to
// m when negative, a to m when positive, and ends the search at m when 0
// (also when the product underflows).  A product beyond the single range is
// an overflow fault.
//
// A probe whose sign never changes is not caught here: the result is then a
// ratio just below 1 with upperMoved false, which the caller must judge.
template <class Probe>
BisectionResult bisectDepthRatio(Probe&& probe) {
  using rt::narrow;
  using rt::Real;
  float a = 0.001f;
  float b = 1;
  float fa = probe(a);
  BisectionResult result{0, 1, false, false};
  for (;;) {
    const float m = narrow((Real(b) + a) / 2);
    result.ratio = m;
    const float width = narrow(rt::abs(Real(b) - a));
    const float tolerance = narrow(Real(0.001) * m);
    if (tolerance > width) return result;
    const float fm = probe(m);
    ++result.probes;
    const float p = narrow(Real(fm) * fa);
    if (p < 0) {
      b = m;
      result.upperMoved = true;
    } else if (p > 0) {
      a = m;
      fa = fm;
    } else {
      result.zeroProduct = true;
      return result;
    }
  }
}

}  // namespace saiha::wave
