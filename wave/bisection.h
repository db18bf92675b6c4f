// Bisection over the depth ratio h/L0 on the fixed interval 0.001..1, shared
// by the onset and breaking-point searches, and the breaking searches'
// continuation shoreward of 0.001 for a wave that has not broken there.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

#include "runtime/checked.h"
#include "wave/errors.h"

namespace saiha::wave {

// How a bisection ended.
struct BisectionResult {
  float ratio;       // the depth ratio found: the current midpoint
  int probes;        // probes made, the one at the lower end included
  bool zeroProduct;  // ended on a probe whose product with the lower-end mismatch is 0
  bool upperMoved;   // some probe had the sign opposite to the lower end's
};

// The searches' lower end 0.001 as a single: 0.0010000000474974513.
inline constexpr float kSearchFloor = 0.001f;
// The shallowest depth ratio a breaking search continued below the floor
// reaches: 10⁻⁵.  Down to it the depth hr·L0 keeps single precision's seven
// digits, the nonlinear law's hr^(−5/2) stays near 3·10¹², far inside the
// double range of its iteration, and 1 − e^(−1.5π·hr·(…)) of the breaker
// limits still carries about eleven significant digits in double.
inline constexpr float kShallowestRatio = 1e-5f;

// Whether a search saw its mismatch change sign (or end on a zero product).
inline bool sawCrossing(const BisectionResult& result) {
  return result.zeroProduct || result.upperMoved;
}

// A search that ended on its width test without ever moving its upper end
// has seen one sign only: the point lies outside 0.001..1 and the midpoint
// just below 1 is no answer, so `failure` is thrown.
inline void requireCrossing(const BisectionResult& result, Failure failure) {
  if (!sawCrossing(result)) throw WaveError(failure);
}

// The midpoint m of a..b (single) and whether the search stops there, without
// probing it: 0.001·m > |b − a| (both sides single, strict).
[[gnu::always_inline]] inline bool narrowEnough(float a, float b, float& m) {
  using rt::narrow;
  using rt::Real;
  m = narrow((Real(b) + a) / 2);
  const float width = narrow(rt::abs(Real(b) - a));
  const float tolerance = narrow(Real(0.001) * m);
  return tolerance > width;
}

// The bisection below one probe at a time, for a caller that runs many
// searches side by side and so cannot hand over a probe function: next() is
// the depth ratio to probe, take(mismatch there) moves the ends and says
// whether the search goes on.  The lower end comes first.
class BisectionSteps {
 public:
  // The searches' interval 0.001..1.
  BisectionSteps() = default;
  // An interval a..b (0 < a < b) of the caller's, its lower end probed first.
  BisectionSteps(float a, float b) : a_(a), b_(b), next_(a) {}
  float next() const { return next_; }
  // Where next() lies in the tree of ratios every bisection shares: 0 for the
  // lower end, 1 for the first midpoint, then 2k for the lower half of node k
  // and 2k + 1 for its upper half.  The ratio is a function of the node alone.
  unsigned node() const { return node_; }
  // Takes the mismatch at next(); false once the search has ended at
  // result().ratio.  A product beyond the single range is an overflow fault.
  [[gnu::always_inline]] bool take(float f) {
    using rt::narrow;
    using rt::Real;
    if (atLowerEnd_) {
      fa_ = f;
      atLowerEnd_ = false;
      node_ = 1;
    } else {
      ++result_.probes;
      const float p = narrow(Real(f) * fa_);
      if (p < 0) {
        b_ = next_;
        result_.upperMoved = true;
        node_ = 2 * node_;
      } else if (p > 0) {
        a_ = next_;
        fa_ = f;
        node_ = 2 * node_ + 1;
      } else {
        result_.zeroProduct = true;
        return false;
      }
    }
    const bool stop = narrowEnough(a_, b_, next_);
    result_.ratio = next_;
    return !stop;
  }
  const BisectionResult& result() const { return result_; }
  // The mismatch at the lower end, once taken (else 0).
  float lowerMismatch() const { return fa_; }

 private:
  float a_ = kSearchFloor;
  float b_ = 1;
  float fa_ = 0;
  float next_ = kSearchFloor;
  unsigned node_ = 0;
  bool atLowerEnd_ = true;
  BisectionResult result_{0, 1, false, false};
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
  BisectionSteps steps;
  while (steps.take(probe(steps.next()))) {
  }
  return steps.result();
}

// The same bisection, `Levels` halvings a round.  Before a round it hands
// `lookAhead` every depth ratio the round's probes can be: the midpoint m of
// a..b first, then those of a..m and m..b, and so on down `Levels` halvings
// (2^Levels − 1 ratios, each half's after its parent's, the lower half
// first), so that a probe that can work on several at once may start them
// together; before the first round, which comes before the lower end is
// probed, it hands the lower end too (else nothing).  Then it probes the ones
// the signs choose through `probe(ratio, lane)`, lane being the ratio's place
// in what lookAhead was given (2^Levels − 1 for the lower end).  The probes,
// their order, the result and every fault are those of bisectDepthRatio with
// `probe(ratio, lane)` as its probe, provided lookAhead raises no fault but
// those the first probe would raise before any other.
template <int Levels, class LookAhead, class Probe>
BisectionResult bisectDepthRatioAhead(LookAhead&& lookAhead, Probe&& probe) {
  using rt::narrow;
  using rt::Real;
  constexpr std::size_t kNodes = (std::size_t{1} << Levels) - 1;
  float a = 0.001f;
  float b = 1;
  float fa = 0;
  BisectionResult result{0, 1, false, false};
  // Moves b (giving −1) or a (giving 1) to the probed ratio r by the sign of
  // f(r)·f(a); 0 when that product is 0 and the search ends at r.
  const auto narrowTo = [&](float r, float fr) {
    const float p = narrow(Real(fr) * fa);
    if (p < 0) {
      b = r;
      result.upperMoved = true;
      return -1;
    }
    if (p > 0) {
      a = r;
      fa = fr;
      return 1;
    }
    result.zeroProduct = true;
    return 0;
  };
  // The round's tree of intervals: node i spans lower[i]..upper[i] with
  // midpoint middle[i]; its halves are nodes 2i + 1 (lower) and 2i + 2.
  std::array<float, kNodes> lower, upper, middle;
  std::array<bool, kNodes> stop;
  for (bool first = true;; first = false) {
    lower[0] = a;
    upper[0] = b;
    for (std::size_t i = 0; i < kNodes; ++i) {
      stop[i] = narrowEnough(lower[i], upper[i], middle[i]);
      if (2 * i + 2 < kNodes) {
        lower[2 * i + 1] = lower[i];
        upper[2 * i + 1] = middle[i];
        lower[2 * i + 2] = middle[i];
        upper[2 * i + 2] = upper[i];
      }
    }
    if (first) {
      lookAhead(middle, std::optional<float>(a));
      fa = probe(a, int(kNodes));
    } else if (!stop[0]) {
      lookAhead(middle, std::optional<float>());
    }
    std::size_t node = 0;
    while (node < kNodes) {
      result.ratio = middle[node];
      if (stop[node]) return result;
      const float f = probe(middle[node], int(node));
      ++result.probes;
      const int moved = narrowTo(middle[node], f);
      if (moved == 0) return result;
      node = 2 * node + (moved < 0 ? 1 : 2);
    }
  }
}

// A breaking search continued shoreward of the floor, for a wave whose
// search on 0.001..1 saw one sign only.  `probe` is that search's mismatch
// (a float depth ratio to a float): negative seaward of the breaking point,
// positive shoreward of it.  Called only after the search on 0.001..1 found
// no crossing, so no wave that breaks there meets it.
//
// It probes the floor itself first and goes on only where the mismatch there
// is negative (the wave has not broken by h/L0 = 0.001); it then steps
// shoreward by a factor 0.8 (single) a step, the last step ending at
// kShallowestRatio, until a probe is not negative.  A zero there is the
// crossing; otherwise that probe and the one before bracket the first
// crossing coming from deep water, and the bisection above (lower end first,
// the same width test) finds it.  The result lies below the floor.
//
// nullopt, claiming no crossing, where the mismatch is not negative at the
// floor, stays negative down to kShallowestRatio, or where a probe faults or
// fails (a formula that cannot be evaluated at that depth).
template <class Probe>
std::optional<float> crossingBelowFloor(Probe&& probe) {
  using rt::narrow;
  using rt::Real;
  constexpr double kStep = 0.8;
  try {
    float deeper = kSearchFloor;
    if (!(probe(deeper) < 0)) return std::nullopt;
    while (deeper > kShallowestRatio) {
      float r = narrow(Real(deeper) * kStep);
      if (r < kShallowestRatio) r = kShallowestRatio;
      const float f = probe(r);
      if (f == 0) return r;
      if (f > 0) {
        BisectionSteps steps(r, deeper);
        while (steps.take(probe(steps.next()))) {
        }
        return steps.result().ratio;
      }
      if (!(f < 0)) return std::nullopt;  // NaN: no sign to follow
      deeper = r;
    }
  } catch (...) {
  }
  return std::nullopt;
}

}  // namespace saiha::wave
