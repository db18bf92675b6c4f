// Internal to wave/: the onset and breaking searches of many rows side by
// side, and the wavelengths and nonlinear shoalings of many states
// (batch.cpp), for front ends that compute many cases.
//
// One search's own look-ahead (lanes.h) can only keep a few probes in
// flight, and most of them are probes the bisection never takes.  Rows are
// independent, so here every lane holds a probe some row does take: the
// divider and the exponentials of one row's iteration fill the waits of the
// others'.
#pragma once

#include <span>

namespace saiha::wave::detail {

// Which lanes a batch runs on: the best the processor has (four-wide AVX2
// vectors where it has them) or the portable scalar lanes everywhere.  Both
// give the same bits; the choice exists so that tests can run both.
enum class LanePath { Best, Portable };

// One row of the two searches: its inputs, as findNonlinearOnset and
// findBreakingPoint take them, and what they find.
struct SearchRow {
  float Ho = 0, T = 0, ao = 0, tanBeta = 0;  // in: Ho (m), T (s), αo (rad), tanβ
  // Out when `found`: the onset (Hr50 as findBreakingPoint leaves it) and
  // the breaking point, bit for bit those of the two searches.
  float Hr50 = 0, hr50 = 0, Hbr = 0, hbr = 0;
  // Whether the batch found them.  False where a search faults or fails, or
  // an iteration does not settle in its lane: the caller runs the searches
  // themselves for that row, which give its result or raise its fault as
  // they always do.
  bool found = false;
};

// Runs findNonlinearOnset, then findBreakingPoint, for every row.  Never
// throws.
void findBreakingPoints(std::span<SearchRow> rows, LanePath path = LanePath::Best) noexcept;

// One nonlinear shoaling: H = nonlinearHeightRatio(Hr1, hr1, hr) from the
// known pair (Hr1, hr1) to the depth ratio hr (0.001 ≤ hr ≤ 1), bit for bit,
// where `found`; else the formula itself gives it or raises its fault.
// Hr1 is left as it is (the formula may zero its own copy).
struct ShoalingJob {
  float Hr1 = 0, hr1 = 0, hr = 0;  // in
  double H = 0;                    // out
  bool found = false;
};

// nonlinearHeightRatio for every job, side by side in the lanes.  Never
// throws.
void nonlinearHeightRatios(std::span<ShoalingJob> jobs, LanePath path = LanePath::Best) noexcept;

// One wavelength: L = narrow(waveLength(T, h)), T (s) and h (m), bit for
// bit, where `found`; else the formula itself gives it or raises its fault.
struct LengthJob {
  float T = 0, h = 0;  // in
  float L = 0;         // out
  bool found = false;
};

// waveLength for every job, side by side in the lanes.  Never throws.
void waveLengths(std::span<LengthJob> jobs, LanePath path = LanePath::Best) noexcept;

}  // namespace saiha::wave::detail
