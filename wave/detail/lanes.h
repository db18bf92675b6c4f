// Internal to wave/: the look-ahead lanes.  The dispersion and nonlinear
// shoaling iterations at several depths in lock-step, unchecked, for the
// searches' look-ahead (bisectDepthRatioAhead).  A lane gives exactly what
// the checked formula gives, or nothing where that might fault or fail: the
// caller then asks the checked formula, which raises whatever it raises.
//
// Nothing outlives one search; nothing is shared between calculations.
#pragma once

#include <optional>

#include "runtime/checked.h"
#include "wave/detail/terms.h"

namespace saiha::wave::detail {

// Wavelengths (single) at up to eight depths at once, in lock-step, for a
// search that looks ahead.  Each lane gives narrow(waveLengthWith(factor, h))
// where that would come without a fault or a failure, bit for bit, and
// nothing where it might not: the caller then asks the checked formula.  The
// lanes run only as far as a result asked for needs.  Never throws.
class WaveLengthLanes {
 public:
  static constexpr int kMaxLanes = 8;
  // Sets up `count` lanes at the depths h[0..count) (m), with the factor
  // (π/T)² of dispersionFactor(T).
  void start(rt::Real dispersionFactor, const float* h, int count);
  // Lane i's wavelength, running the lanes until lane i has settled or
  // broken off.
  std::optional<float> result(int lane);

 private:
  float h_[kMaxLanes];
  double y_[kMaxLanes];  // ω²h/g, the deep-water kh
  double x_[kMaxLanes];  // the current estimate of kh
  float L_[kMaxLanes];
  int count_ = 0;
  int pass_ = 1;
  unsigned open_ = 0;
  unsigned gaveResult_ = 0;
};

// Nonlinear shoaling from formed terms at up to eight depth ratios at once,
// in lock-step, for a search that looks ahead (nonlinear_lanes.cpp).
// Each lane gives its height ratio where the checked formula
// (nonlinearHeightRatioFrom) would give it without a fault or a failure, bit
// for bit, and nothing where it might fault or fail: the caller then asks the
// checked formula, which raises whatever it raises.  The lanes run only as
// far as a result asked for needs, so a lane never asked for costs little.
// Domain: terms finite, 0.001 ≤ hr ≤ 1.  Never throws.
class NonlinearLanes {
 public:
  static constexpr int kMaxLanes = 8;
  // Sets up `count` lanes at the depth ratios hr[0..count).
  void start(const NonlinearStart& terms, const float* hr, int count);
  // Lane i's height ratio, running the lanes until lane i has settled or
  // broken off.
  std::optional<double> result(int lane);

 private:
  void runWide(unsigned wanted);
  void runPortable(unsigned wanted);

  alignas(32) double s_[kMaxLanes];  // √U of each lane, a single value
  alignas(32) double H_[kMaxLanes];
  alignas(32) double depthFactor_[kMaxLanes];
  alignas(32) double inverseDepth_[kMaxLanes];
  alignas(32) double depth_[kMaxLanes];
  double result_[kMaxLanes];
  double conserved_ = 0;
  int count_ = 0;
  int pass_ = 1;             // the next pass to run
  unsigned open_ = 0;        // lanes still iterating
  unsigned gaveResult_ = 0;  // lanes that settled with finite heights
  bool wide_ = false;
};

// Whether seven lanes of NonlinearLanes cost about what three do on this
// processor (four-wide vector division and square root), so that the
// breaking search looks three halvings ahead instead of two.
bool wideNonlinearLanes();

}  // namespace saiha::wave::detail
