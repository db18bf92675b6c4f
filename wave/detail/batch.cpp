// The two searches of many rows side by side, and the single iterations
// (wavelengths, nonlinear shoalings) of many states.
//
// What a lane holds.  Each row's search is a bisection (BisectionSteps)
// whose every probe runs an iteration: the dispersion relation for the
// onset, nonlinear shoaling for the breaking point.  A lane holds one probe
// of one item: for a search, the row's bisection and the terms it keeps from
// probe to probe (OnsetLane, BreakingSearch); for a job, the job; and, in
// arrays the vectors load (Dispersion, ShoalingState), the iteration's state
// and its pass count.  Eight dispersion lanes run as two AVX2 vectors,
// sixteen shoaling lanes as four.
//
// When it refills.  All lanes run their passes together.  The moment a
// lane's iteration settles, its item takes the result as the search would
// (a driver's settle: onsetProbe, breakingProbe and the bisection's step),
// and the lane at once holds the item's next probe; once the item has ended,
// it takes the first probe of the next item waiting (fill), or idles when
// none is left.  A lane that breaks or reaches the pass limit is refilled
// the same way, its item unfound.  The one exception: settled onset probes
// wait, their vectors' passes going on around them, until four can take
// their mismatches together as vectors (onsetProbeWide).
//
// Why the results are the same, bit for bit: a lane's passes are those of
// the checked formula (detail/passes.h), and a probe's mismatch is the
// checked formula's, operation for operation (detail/probe_lanes.h); a row's
// bisection is the search's own code, and the terms a search forms once
// (Once) are formed here by the same functions when the row starts, in the
// same precision.  Lanes round as scalar operations do, and e^x comes from
// expWide, which gives std::exp's bits.  An item leaves the lanes unfound
// wherever the formulas themselves could take another way: any fault or
// failure (raised by the same checked code, or a lane that breaks), or an
// iteration that reaches its pass limit.  The caller then runs the formulas
// themselves, which give the result or raise the fault they always raise.
#include "wave/detail/batch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "runtime/checked.h"
#include "wave/bisection.h"
#include "wave/dispersion.h"
#include "wave/formulas.h"
#include "wave/detail/passes.h"
#include "wave/detail/probe_lanes.h"
#include "wave/detail/terms.h"

namespace saiha::wave::detail {

namespace {

using rt::narrow;
using rt::Real;

// Rows in at most this many at a time, so that the onsets found are still
// in the cache when their breaking searches start.
constexpr std::size_t kBlockRows = 1024;

// The items of a block waiting for a lane, in order: rows (by pointer) or
// jobs.
template <class Item>
class Waiting {
 public:
  explicit Waiting(std::span<Item> items) : items_(items) {}
  Item* take() { return next_ < items_.size() ? &items_[next_++] : nullptr; }

 private:
  std::span<Item> items_;
  std::size_t next_ = 0;
};

// Gives each of the first `count` lanes its first item from `driver`, or
// idles it; returns the lanes filled, as bits.
template <class Lanes, class Driver>
unsigned fillLanes(Lanes& lanes, int count, Driver& driver) {
  unsigned filled = 0;
  for (int i = 0; i < count; ++i) {
    if (driver.fill(lanes, i)) {
      filled |= 1u << i;
    } else {
      lanes.idle(i);
    }
  }
  return filled;
}

// Whether a bisection saw the sign change (else requireCrossing throws).
bool crossed(const BisectionResult& result) { return result.zeroProduct || result.upperMoved; }

// ---- The onset search: eight lanes of the dispersion iteration, as two
// vectors of four doubles where the processor has AVX2 and FMA (and the
// vector exponential agrees with std::exp here), else scalar code whose
// exponentials and divisions the processor overlaps lane by lane.

constexpr int kOnsetLanes = 8;

struct OnsetLane {
  SearchRow* row = nullptr;  // the row whose probe the lane holds; null: idle
  BisectionSteps steps;      // the row's bisection
  // The row's terms: the onset search's L0, (π/T)², sin αo (single), cos αo.
  float L0 = 0;
  Real factor = 0;
  float sinAo = 0;
  Real cosAo = 0;
  float h = 0;  // the probe's depth (m)
  // The bounds of the linear height ratio l over Ks (onsetSign), formed at
  // the row's start; 0 where no sign is to be taken unrun.
  double lowest = 0, highest = 0;
};

// The dispersion iteration lane by lane, in the layout the vectors load:
// ω²h/g, the estimate of kh, and the depth (m).  An idle lane holds a benign
// iteration (it settles at once) whose results nobody takes.
struct Dispersion {
  alignas(32) double y[kOnsetLanes];
  alignas(32) double x[kOnsetLanes];
  alignas(32) double h[kOnsetLanes];
  alignas(32) double passes[kOnsetLanes];  // passes the probe has run (doubles, for the vectors)
  void idle(int i) { y[i] = x[i] = h[i] = 1; }
};

// Starts the dispersion iteration in lane i at the bisection's next ratio;
// false where y is not finite (the checked formula faults there).
bool startOnsetProbe(OnsetLane& lane, Dispersion& d, int i) {
  lane.h = narrow(Real(lane.steps.next()) * lane.L0);  // never faults
  d.h[i] = lane.h;
  d.y[i] = lane.factor.value() * (double(lane.h) * 4) / kGravity;
  d.x[i] = d.y[i];
  return std::isfinite(d.y[i]);
}

// The shoaling coefficient Ks = 1/√(tanh kh·(1 + 2kh/sinh 2kh)) at the
// ratios of the bisection's nodes 1 … 255 (its first eight halvings), kh from
// the dispersion relation at h = hr·1.56·T² (T drops out) in double
// (linearWavelength): the bounds of onsetSign, not any value the searches
// give.
const std::array<double, 256>& onsetShoalingCoefficients() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> ks{};
    std::array<float, 256> low{}, high{};
    low[1] = kSearchFloor;
    high[1] = 1;
    for (unsigned node = 1; node < 256; ++node) {
      float ratio;
      narrowEnough(low[node], high[node], ratio);
      if (2 * node + 1 < 256) {
        low[2 * node] = low[node];
        high[2 * node] = ratio;
        low[2 * node + 1] = ratio;
        high[2 * node + 1] = high[node];
      }
      // T = 1 s: h = 1.56·hr m, and kh = 2π·h/L.
      const double h = 1.56 * double(ratio);
      const double x = 2 * std::numbers::pi * h / linearWavelength(1, h).value();
      ks[node] = 1 / std::sqrt(std::tanh(x) * (1 + 2 * x / std::sinh(2 * x)));
    }
    return ks;
  }();
  return table;
}

// The sign of the onset mismatch u − l at the bisection's next ratio where
// it is sure without running the probe, else 0: on the tree's first eight
// halvings (nodes 1 … 255), with a lower-end mismatch clear of 0.  There
// u = (25/π)·hr² and the linear height ratio l = Ks·Kr·Ho/L0 is bounded on
// both sides: Ks within 2 % of onsetShoalingCoefficients (the lanes' Ks is
// that of the onset's L0 = 1.56·T² and of an iteration settled to 10^-4,
// within 0.1 % of it), Kr between √cos αo (cos α ≤ 1) and
// √(cos αo/√(1 − (1.001·sin αo)²)), as L/L0 ≤ 1.001 at every depth.  The
// sign is sure where u and l differ by 10 % beyond those bounds.  At such a
// probe every term of the mismatch is finite and no divisor is 0, so the
// checked formula would give that sign without a fault; the bisection takes
// ±1 in its place: an end moves as it would, and where the lower end's
// mismatch becomes ±1 every later product keeps its sign and stays far from
// 0 (mismatches of 10^-6 and more, none below 10^-24 but 0), as with the
// mismatch itself.  Here the bounds of l/Ks with those margins, once a row.
void setOnsetSignBounds(OnsetLane& lane) {
  lane.lowest = lane.highest = 0;
  const double sine = 1.001 * double(lane.sinAo);
  if (!(sine * sine < 0.99)) return;
  const double cosAo = lane.cosAo.value();
  if (!(cosAo > 0)) return;
  const double heightRatio = double(lane.row->Ho) / double(lane.L0);
  if (!(heightRatio > 1e-6 && heightRatio < 1)) return;
  lane.highest = 1.1 * 1.02 * std::sqrt(cosAo / std::sqrt(1 - sine * sine)) * heightRatio;
  lane.lowest = std::sqrt(cosAo) * heightRatio / (1.1 * 1.02);
}

// The sign sure at the next probe of the lane's row: +1, −1, or 0 where the
// probe must run.
int onsetSign(const OnsetLane& lane) {
  const unsigned node = lane.steps.node();
  if (node == 0 || node > 255 || lane.highest == 0) return 0;
  if (!(std::fabs(lane.steps.lowerMismatch()) > 0x1p-100f)) return 0;
  const double ks = onsetShoalingCoefficients()[node];
  const double hr = lane.steps.next();
  const double u = 25 / kPi * hr * hr;
  if (u > ks * lane.highest) return 1;
  if (u < ks * lane.lowest) return -1;
  return 0;
}

// Puts `row` in lane i with its terms and starts its lower-end probe; false
// where that faults.
bool startOnset(OnsetLane& lane, Dispersion& d, int i, SearchRow& row) {
  lane.row = &row;
  lane.steps = BisectionSteps();
  try {
    lane.L0 = onsetDeepWaterLength(row.T);
    lane.factor = dispersionFactor(row.T);
    lane.sinAo = singleSine(row.ao);
    lane.cosAo = rt::cos(row.ao);
  } catch (...) {
    return false;
  }
  setOnsetSignBounds(lane);
  return startOnsetProbe(lane, d, i);
}

// The row takes its probe's mismatch f.  True when lane i now holds the
// row's next probe; false when the row's search has ended, `found` there or
// not.  Probes whose sign is sure (onsetSign) are taken at once.
bool takeOnsetMismatch(OnsetLane& lane, Dispersion& d, int i, float f,
                       std::vector<SearchRow*>& onsetsFound) {
  SearchRow& row = *lane.row;
  try {
    bool going = lane.steps.take(f);
    for (int sign; going && (sign = onsetSign(lane)) != 0;) going = lane.steps.take(float(sign));
    if (going) return startOnsetProbe(lane, d, i);
    const BisectionResult& result = lane.steps.result();
    if (!crossed(result)) return false;
    row.hr50 = result.ratio;
    row.Hr50 = narrow(ursell50Height(result.ratio));
    onsetsFound.push_back(&row);
  } catch (...) {
  }
  return false;
}

// The onset mismatch of lane i's probe, whose wavelength is L, by the
// checked formula; nothing where it faults (the row's search ends there).
std::optional<float> checkedOnsetMismatch(const OnsetLane& lane, float L) {
  try {
    return onsetProbe(lane.h, L, lane.row->Ho, lane.L0, [&] { return lane.sinAo; },
                      [&] { return lane.cosAo; });
  } catch (...) {
    return std::nullopt;
  }
}

// What becomes of lane i after a pass that ended `end` (L: the wavelength
// where settled): a lane still open within the pass limit goes on; a settled
// probe goes to its item, which may start the next; otherwise (broken, or
// unsettled at the limit: the checked formula raises there) the lane takes
// the next waiting item, or idles.  Returns whether the lane is still busy.
template <class Driver>
bool afterDispersionPass(Dispersion& d, int i, PassEnd end, float L, Driver& driver) {
  if (end == PassEnd::Open && d.passes[i] < kWaveLengthPassLimit) return true;
  d.passes[i] = 0;
  if (end == PassEnd::Settled && driver.settle(d, i, L)) return true;
  if (driver.fill(d, i)) return true;
  d.idle(i);
  return false;
}

// The passes of every lane until none is busy, each lane moving on the
// moment its probe ends.
template <class Driver>
void runDispersionPortable(Dispersion& d, unsigned busy, Driver& driver) {
  while (busy != 0) {
    for (int i = 0; i < kOnsetLanes; ++i) {
      if (!(busy & (1u << i))) continue;
      float L = 0;
      const PassEnd end = waveLengthPass(d.x[i], d.y[i], float(d.h[i]), L);
      d.passes[i] += 1;
      if (end == PassEnd::Open && d.passes[i] < kWaveLengthPassLimit) [[likely]] continue;
      if (!afterDispersionPass(d, i, end, L, driver)) busy &= ~(1u << i);
    }
  }
}

#ifdef SAIHA_WIDE_LANES
// Whether the dispersion lanes may run as vectors here: AVX2 and FMA, and
// the vector exponential giving std::exp's bits on this C library.
bool wideExponentials() {
  static const bool wide = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
                           expWideAgrees();
  return wide;
}

// The lanes' estimates and pass counts as vectors.
__attribute__((target("avx2"))) inline void loadDispersion(const Dispersion& d, __m256d* x,
                                                           __m256d* passes) {
  for (int v = 0; v < kOnsetLanes / 4; ++v) {
    x[v] = _mm256_load_pd(&d.x[4 * v]);
    passes[v] = _mm256_load_pd(&d.passes[4 * v]);
  }
}

// The same with the lanes as vectors of four doubles.  A pass costs no
// scalar work unless some lane of a vector settles, reaches the pass limit
// or needs the scalar pass; then the vector goes to memory, those lanes are
// handled there, and it comes back.
template <class Driver>
__attribute__((target("avx2,fma"))) void runDispersionWide(Dispersion& d, unsigned busy,
                                                           Driver& driver) {
  constexpr int kVectors = kOnsetLanes / 4;
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d passLimit = _mm256_set1_pd(kWaveLengthPassLimit);
  __m256d x[kVectors], passes[kVectors];
  loadDispersion(d, x, passes);
  // Settled probes whose items take them four at a time: the lanes wait,
  // their vectors' passes going on around them, until four have settled.
  constexpr bool kBatched = requires(const int* lanes, const float* L) {
    driver.settleMany(d, lanes, L, 1);
  };
  unsigned waiting = 0;
  int waitingLanes[kOnsetLanes];
  float waitingLengths[kOnsetLanes];
  int waitingCount = 0;
  while (busy != 0) {
    if constexpr (kBatched) {
      if (waitingCount >= 4 || (waitingCount > 0 && (busy & ~waiting) == 0)) {
        for (int v = 0; v < kVectors; ++v) {
          _mm256_store_pd(&d.x[4 * v], x[v]);
          _mm256_store_pd(&d.passes[4 * v], passes[v]);
        }
        const unsigned going = driver.settleMany(d, waitingLanes, waitingLengths, waitingCount);
        for (int k = 0; k < waitingCount; ++k) {
          const int i = waitingLanes[k];
          d.passes[i] = 0;
          if ((going >> k) & 1) continue;
          if (driver.fill(d, i)) continue;
          busy &= ~(1u << i);
          d.idle(i);
        }
        waiting = 0;
        waitingCount = 0;
        loadDispersion(d, x, passes);
      }
    }
    for (int v = 0; v < kVectors; ++v) {
      __m128 lengths;
      unsigned settled, scalar;
      waveLengthPassWide(x[v], _mm256_load_pd(&d.y[4 * v]), _mm256_load_pd(&d.h[4 * v]), lengths,
                         settled, scalar);
      passes[v] = _mm256_add_pd(passes[v], one);
      const unsigned limit =
          unsigned(_mm256_movemask_pd(_mm256_cmp_pd(passes[v], passLimit, _CMP_GE_OQ)));
      const unsigned ending = (settled | scalar | limit) & ((busy & ~waiting) >> (4 * v)) & 0xf;
      if (ending == 0) [[likely]] continue;
      _mm256_store_pd(&d.x[4 * v], x[v]);
      _mm256_store_pd(&d.passes[4 * v], passes[v]);
      alignas(16) float L[4];
      _mm_store_ps(L, lengths);
      for (int k = 0; k < 4; ++k) {
        if (!(ending & (1u << k))) continue;
        const int i = 4 * v + k;
        PassEnd end = (settled >> k) & 1 ? PassEnd::Settled : PassEnd::Open;
        float length = L[k];
        // The scalar pass from x as the vector left it: the lane's own.
        if ((scalar >> k) & 1) end = waveLengthPass(d.x[i], d.y[i], float(d.h[i]), length);
        if constexpr (kBatched) {
          if (end == PassEnd::Settled) {
            waiting |= 1u << i;
            waitingLanes[waitingCount] = i;
            waitingLengths[waitingCount++] = length;
            continue;
          }
        }
        if (!afterDispersionPass(d, i, end, length, driver)) busy &= ~(1u << i);
      }
      x[v] = _mm256_load_pd(&d.x[4 * v]);
      passes[v] = _mm256_load_pd(&d.passes[4 * v]);
    }
  }
}
#endif

// Runs the dispersion iteration in eight lanes until `driver` has nothing
// left.  The driver hands out the work: fill(d, i) puts the next waiting
// item's probe in lane i (false when none is left: the lane idles), and
// settle(d, i, L) gives it the wavelength its probe settled at (true when
// the lane then holds another probe of the same item).  A lane whose probe
// breaks or reaches the pass limit is simply refilled: its item is left
// unfound, for the checked formulas to compute or raise.
template <class Driver>
void runDispersionLanes(Driver& driver, LanePath path) {
  Dispersion d{};
  const unsigned busy = fillLanes(d, kOnsetLanes, driver);
#ifdef SAIHA_WIDE_LANES
  if (path == LanePath::Best && wideExponentials()) {
    runDispersionWide(d, busy, driver);
    return;
  }
#else
  (void)path;
#endif
  runDispersionPortable(d, busy, driver);
}

// The onset searches of a block of rows.
class OnsetDriver {
 public:
  OnsetDriver(std::span<SearchRow* const> rows, std::vector<SearchRow*>& onsetsFound)
      : waiting_(rows), onsetsFound_(onsetsFound) {}
  bool fill(Dispersion& d, int i) {
    while (SearchRow* const* row = waiting_.take()) {
      if (startOnset(lanes_[std::size_t(i)], d, i, **row)) return true;
    }
    return false;
  }
  bool settle(Dispersion& d, int i, float L) {
    OnsetLane& lane = lanes_[std::size_t(i)];
    const std::optional<float> f = checkedOnsetMismatch(lane, L);
    return f && takeOnsetMismatch(lane, d, i, *f, onsetsFound_);
  }
#ifdef SAIHA_WIDE_LANES
  // settle for `count` lanes at once (lanes[k] with wavelength L[k]), their
  // mismatches four at a time as vectors; bit k of the result says whether
  // lanes[k] holds a next probe.
  __attribute__((target("avx2,fma"))) unsigned settleMany(Dispersion& d, const int* lanes,
                                                          const float* L, int count) {
    unsigned going = 0;
    for (int first = 0; first < count; first += 4) {
      OnsetProbes probes;
      for (int k = 0; k < 4; ++k) {
        // Lanes past the end repeat the first, and are not taken.
        const int j = first + k < count ? first + k : first;
        const OnsetLane& lane = lanes_[std::size_t(lanes[j])];
        probes.h[k] = lane.h;
        probes.L[k] = L[j];
        probes.Ho[k] = lane.row->Ho;
        probes.L0[k] = lane.L0;
        probes.sinAo[k] = lane.sinAo;
        probes.cosAo[k] = lane.cosAo.value();
      }
      float f[4];
      unsigned scalar;
      onsetProbeWide(probes, f, scalar);
      for (int k = 0; k < 4 && first + k < count; ++k) {
        const int i = lanes[first + k];
        OnsetLane& lane = lanes_[std::size_t(i)];
        std::optional<float> mismatch = f[k];
        if ((scalar >> k) & 1) mismatch = checkedOnsetMismatch(lane, L[first + k]);
        if (mismatch && takeOnsetMismatch(lane, d, i, *mismatch, onsetsFound_)) {
          going |= 1u << (first + k);
        }
      }
    }
    return going;
  }
#endif

 private:
  Waiting<SearchRow* const> waiting_;
  std::array<OnsetLane, kOnsetLanes> lanes_;
  std::vector<SearchRow*>& onsetsFound_;
};

// Wavelengths at given depths.
class LengthDriver {
 public:
  explicit LengthDriver(std::span<LengthJob> jobs) : waiting_(jobs) {}
  bool fill(Dispersion& d, int i) {
    while (LengthJob* job = waiting_.take()) {
      job->found = false;
      if (!(job->h > 0)) continue;  // no depth: the formula decides
      double factor;
      try {
        factor = dispersionFactor(job->T).value();
      } catch (...) {
        continue;
      }
      // y = ω²h/g as waveLengthWith forms it; never faults for finite factor.
      d.h[i] = job->h;
      d.y[i] = factor * (double(job->h) * 4) / kGravity;
      d.x[i] = d.y[i];
      if (!std::isfinite(d.y[i])) continue;
      jobs_[std::size_t(i)] = job;
      return true;
    }
    return false;
  }
  bool settle(Dispersion&, int i, float L) {
    jobs_[std::size_t(i)]->L = L;
    jobs_[std::size_t(i)]->found = true;
    return false;
  }

 private:
  Waiting<LengthJob> waiting_;
  std::array<LengthJob*, kOnsetLanes> jobs_{};
};

// ---- The breaking search: sixteen lanes of nonlinear shoaling, as four
// vectors of four doubles where the processor has AVX2.

constexpr int kShoalingLanes = 16;
// The iteration's state, lane by lane, in the layout the vectors load.
struct ShoalingState {
  alignas(32) double s[kShoalingLanes];  // √U, a single value
  alignas(32) double H[kShoalingLanes];  // the last pass's height ratio
  alignas(32) double conserved[kShoalingLanes];
  alignas(32) double depthFactor[kShoalingLanes];  // hr^(−5/2)
  alignas(32) double inverseDepth[kShoalingLanes];
  alignas(32) double depth[kShoalingLanes];  // hr
  alignas(32) double passes[kShoalingLanes];  // passes run, counted in doubles for the vectors
  // For a breaking probe, the √U where the height equals Goda's limit at the
  // probe's depth (signedEarly), else NaN; and √U of the pass before last
  // (NaN before the probe's second pass).
  alignas(32) double limitRoot[kShoalingLanes];
  alignas(32) double older[kShoalingLanes];

  // An idle lane sits at a fixed point of the iteration (√U = 4, H ≈ 2.55),
  // so that its values stay normal and never send a vector down the careful
  // pass.
  void idle(int i) {
    s[i] = 4;
    H[i] = 0;
    conserved[i] = 16 * (4 - kTwoRootThree) / kTwoPi;
    depthFactor[i] = depth[i] = inverseDepth[i] = 1;
    passes[i] = 0;
    limitRoot[i] = older[i] = std::numeric_limits<double>::quiet_NaN();
  }
};

// What a lane holds besides the iteration.
struct BreakingSearch {
  SearchRow* row = nullptr;  // null: idle
  BisectionSteps steps;
  float rootU1 = 0;     // √U at the onset, where every probe starts
  Real slopeFactor = 0; // 1 + 15·tanβ^(4/3)
  double limit = 0;     // the probe's breakingHeightRatioWith(hr, slopeFactor)
  // C/(√U1 − 2√3) = hr1^(5/2)·Hr1 of the onset pair, C its conserved
  // quantity (breakingSurelyWithin); 0 where not positive.
  double onsetTerm = 0;
};

// hr^(−5/2) and 1/hr, the dearest step of starting a probe, kept for the
// nodes of the bisection's first 14 levels: every breaking search probes the
// same ratios there (the ratio is a function of the node alone).  Each node
// is formed the first time a search reaches it, by the same operations as
// any other start, so that the first row of a run forms only its own
// probes' and a long run forms each node once.  Searches on several threads
// may reach a node together: the first to claim it writes it, the others
// form their own meanwhile.
constexpr unsigned kTabledNodes = 1u << 14;
struct DepthTerms {
  // The node's depth ratio once its terms are written; 0 before, −1 while
  // one thread writes them.
  std::atomic<float> ratio{0};
  std::atomic<double> depthFactor{0}, inverseDepth{0};
};
static_assert(std::atomic<float>::is_always_lock_free && std::atomic<double>::is_always_lock_free);
// Zero before the program starts: nothing to form at start-up.
constinit std::array<DepthTerms, kTabledNodes> depthTerms{};

// Starts nonlinear shoaling in lane i at depth ratio hr from √U = rootU1
// (the conserved quantity already in the lane); false where hr^(−5/2) is not
// finite (the checked power faults there).  The power and 1/hr come from the
// table where `node` is a tabled node of the bisection at hr, and go into it
// where that node has none yet.
bool startShoaling(ShoalingState& l, int i, float hr, unsigned node, float rootU1) {
  DepthTerms* const tabled = node < kTabledNodes ? &depthTerms[node] : nullptr;
  if (tabled && tabled->ratio.load(std::memory_order_acquire) == hr) [[likely]] {
    l.depthFactor[i] = tabled->depthFactor.load(std::memory_order_relaxed);
    l.inverseDepth[i] = tabled->inverseDepth.load(std::memory_order_relaxed);
  } else {
    l.depthFactor[i] = std::pow(double(hr), -5.0 / 2.0);
    l.inverseDepth[i] = 1 / double(hr);
    float empty = 0;
    if (tabled && tabled->ratio.compare_exchange_strong(empty, -1.0f, std::memory_order_relaxed)) {
      tabled->depthFactor.store(l.depthFactor[i], std::memory_order_relaxed);
      tabled->inverseDepth.store(l.inverseDepth[i], std::memory_order_relaxed);
      tabled->ratio.store(hr, std::memory_order_release);
    }
  }
  l.depth[i] = hr;
  l.s[i] = rootU1;
  l.H[i] = 0;
  l.passes[i] = 0;
  l.limitRoot[i] = l.older[i] = std::numeric_limits<double>::quiet_NaN();
  return std::isfinite(l.depthFactor[i]);
}

// Puts the terms of the known pair (Hr1, hr1) in lane i: √U1 (returned in
// rootU1) and the conserved quantity; false where they fault or are not
// finite.  May zero a negative Hr1, as the formula does.
bool startPair(ShoalingState& l, int i, float& Hr1, float hr1, float& rootU1) {
  try {
    const NonlinearStart start = nonlinearStart(Hr1, hr1);
    if (!(std::isfinite(start.rootU1) && std::isfinite(start.conserved.value()))) return false;
    rootU1 = start.rootU1;
    l.conserved[i] = start.conserved.value();
  } catch (...) {
    return false;
  }
  return true;
}

// Starts the row's next breaking probe in lane i, with Goda's limit there:
// breakingHeightRatioWith by the same operations, unchecked (for finite
// terms it never faults), and the √U where the height reaches it, for
// signedEarly (NaN where the height is not a decreasing function of √U).
bool startBreakingProbe(ShoalingState& l, BreakingSearch& search, int i) {
  const float hr = search.steps.next();
  if (!startShoaling(l, i, hr, search.steps.node(), search.rootU1)) return false;
  const double E = std::exp(search.slopeFactor.value() * (kMinusOneAndHalfPi * double(hr)));
  search.limit = (1 - E) * 0.17;
  const double scale = l.depthFactor[i] * l.conserved[i];
  const double root = kTwoRootThree + scale / search.limit;
  if (scale > 0 && search.limit > 0 && std::isfinite(root)) l.limitRoot[i] = root;
  return std::isfinite(search.limit);
}

// Whether the breaking probe at the bisection's next ratio hr surely ends
// within Goda's limit, so that it need not run: where the first pass's
// height G = hr^(−5/2)·C/(√U1 − 2√3) gives √U = √(2π·G)/hr below 2√3 (by
// 0.2 % in G) from √U1 above 2√3 + 0.01, the first pass cannot settle,
// the second pass's height is negative, √U falls to 0 and the probe
// settles by its third pass on a negative height, without a fault, below
// the positive limit.  The bisection takes −1 for its mismatch, as for
// the onset's sure signs (onsetSign): the lower end's mismatch must be clear
// of 0.
bool breakingSurelyWithin(const BreakingSearch& search) {
  if (search.onsetTerm == 0 || search.steps.node() == 0) return false;
  if (!(std::fabs(search.steps.lowerMismatch()) > 0x1p-100f)) return false;
  const double hr = search.steps.next();
  const double power = hr * hr * hr * hr * std::sqrt(hr);  // hr^(9/2)
  return search.onsetTerm < 0.998 * (12 / kTwoPi) * power;
}

// Puts `row` in lane i with the terms of its onset pair (which may zero a
// negative Hr50, as the search does) and starts its lower-end probe; false
// where that faults or the terms are not finite.
bool startBreaking(ShoalingState& l, BreakingSearch& search, int i, SearchRow& row) {
  search.row = &row;
  search.steps = BisectionSteps();
  if (!startPair(l, i, row.Hr50, row.hr50, search.rootU1)) return false;
  try {
    search.slopeFactor = breakingSlopeFactor(row.tanBeta);
  } catch (...) {
    return false;
  }
  const double term = l.conserved[i] / (double(search.rootU1) - kTwoRootThree);
  // (√U1 clear of 2√3, so that the first pass cannot settle.)
  const bool clear = double(search.rootU1) > kTwoRootThree + 0.01;
  search.onsetTerm = clear && term > 0 && std::isfinite(term) ? term : 0;
  return startBreakingProbe(l, search, i);
}

// The row takes its probe's height ratio H.  True when lane i now holds the
// row's next probe; false when the row's search has ended.
bool takeBreakingProbe(ShoalingState& l, BreakingSearch& search, int i, double H) {
  SearchRow& row = *search.row;
  try {
    // breakingProbe(H, hr, slopeFactor), its limit formed at the start;
    // probes whose sign is sure (breakingSurelyWithin) taken at once.
    bool going = search.steps.take(narrow(Real(H) - search.limit));
    while (going && breakingSurelyWithin(search)) going = search.steps.take(-1.0f);
    if (going) return startBreakingProbe(l, search, i);
    const BisectionResult& result = search.steps.result();
    if (!crossed(result)) return false;
    row.hbr = result.ratio;
    row.Hbr = narrow(breakingHeightRatioWith(result.ratio, search.slopeFactor));
    row.found = true;
  } catch (...) {
  }
  return false;
}

// What becomes of lane i when its probe closes after a pass: broken (a value
// not finite: the checked formula raises there), settled (its item takes
// the height ratio H), or at the pass limit unsettled (the checked formula
// gives up there).  The lane then holds the item's next probe, or the next
// waiting item, or idles; `open` says which.
template <class Driver>
void closeLane(ShoalingState& l, int i, bool broken, bool settled, double H, Driver& driver,
               unsigned& open) {
  if (!broken && settled && driver.settle(l, i, H)) return;
  if (driver.fill(l, i)) return;
  open &= ~(1u << i);
  l.idle(i);
}

// The passes of every lane until no lane is open, each lane closing and
// refilled the moment its probe ends.  A pass is averaged in the lanes whose
// probe has run its plain passes.
template <class Driver>
void runPortable(ShoalingState& l, unsigned open, Driver& driver) {
  while (open != 0) {
    for (int i = 0; i < kShoalingLanes; ++i) {
      if (!(open & (1u << i))) continue;
      const bool averaging = l.passes[i] >= kPlainPasses;
      const PassEnd end = nonlinearPass(l.s[i], l.H[i], l.conserved[i], l.depthFactor[i],
                                        l.depth[i], l.inverseDepth[i], averaging);
      l.passes[i] += 1;
      if (end == PassEnd::Open && l.passes[i] < kNonlinearPassLimit) [[likely]] continue;
      closeLane(l, i, end == PassEnd::Broken, end == PassEnd::Settled, l.H[i], driver, open);
    }
  }
}

#ifdef SAIHA_WIDE_LANES
// The lanes of a breaking probe whose sign is shown before its shoaling
// settles: after a plain pass from √U = `before` to `after`, the pass before
// having started from `older`.  The map F of a pass, √U ↦ √(2π·G(√U))/hr
// with G(√U) = hr^(−5/2)·C/(√U − 2√3) (C > 0), decreases, so where `after`
// lies within I = [older, before] (by a margin of 2^-20), F maps I into
// itself and every later √U of the probe stays in I (the averaged passes'
// means too).  Where also max I < 1.99·(min I − 2√3), |F'| =
// F/(2(√U − 2√3)) < 0.995 on I: the plain passes do not move away, and an
// averaged pass, whose map has slope (1 + F')/2 in [0.0025, 0.5], at least
// halves the distance to the fixed point, so from |I| ≤ 1 at pass 70 or
// earlier the probe settles by its pass 91, below the limit of 100, without
// a fault.  Its height G(√U) at settling then lies beyond Goda's limit where
// all of I lies below the √U of the limit (`limitRoot`, NaN where not known)
// by 10^-4, and within it where all of I lies above: the last pass's height
// G(before) has the same sign against the limit, and a breaking mismatch of
// that sign and some 10^-7 at least moves the bisection exactly as the
// settled one would.  Rounding moves √U by some 4·10^-7 a pass, which a
// contraction of 0.995 gathers to at most 8·10^-5, about 10^-5 of √U: the
// margin of 10^-4 is ten times that.
__attribute__((target("avx2"), always_inline)) inline unsigned signedEarly(
    __m256d older, __m256d before, __m256d after, __m256d passes, __m256d limitRoot) {
  const __m256d low = _mm256_min_pd(older, before), high = _mm256_max_pd(older, before);
  const __m256d slack = _mm256_mul_pd(high, _mm256_set1_pd(0x1p-20));
  const __m256d inside =
      _mm256_and_pd(_mm256_cmp_pd(after, _mm256_add_pd(low, slack), _CMP_GE_OQ),
                    _mm256_cmp_pd(after, _mm256_sub_pd(high, slack), _CMP_LE_OQ));
  const __m256d contracting = _mm256_cmp_pd(
      high, _mm256_mul_pd(_mm256_set1_pd(1.99), _mm256_sub_pd(low, _mm256_set1_pd(kTwoRootThree))),
      _CMP_LT_OQ);
  const __m256d early =
      _mm256_and_pd(_mm256_cmp_pd(passes, _mm256_set1_pd(70), _CMP_LE_OQ),
                    _mm256_cmp_pd(_mm256_sub_pd(high, low), _mm256_set1_pd(1.0), _CMP_LE_OQ));
  const __m256d beyond =
      _mm256_cmp_pd(_mm256_mul_pd(high, _mm256_set1_pd(1 + 1e-4)), limitRoot, _CMP_LT_OQ);
  const __m256d within =
      _mm256_cmp_pd(_mm256_mul_pd(low, _mm256_set1_pd(1 - 1e-4)), limitRoot, _CMP_GT_OQ);
  const __m256d shown = _mm256_and_pd(_mm256_and_pd(inside, contracting),
                                      _mm256_and_pd(early, _mm256_or_pd(beyond, within)));
  return unsigned(_mm256_movemask_pd(shown));
}

// The same with the lanes as vectors of four doubles.  Each vector's pass
// counts, averaging lanes and pass limits are vector operations too, so a
// pass costs no scalar work unless some lane of the vector closes; then the
// vector goes to memory, its closing lanes are handled and refilled there,
// and it comes back.
template <class Driver>
__attribute__((target("avx2"))) void runWide(ShoalingState& l, unsigned open, Driver& driver) {
  constexpr int kVectors = kShoalingLanes / 4;
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d plainPasses = _mm256_set1_pd(kPlainPasses);
  const __m256d passLimit = _mm256_set1_pd(kNonlinearPassLimit);
  __m256d s[kVectors], H[kVectors], passes[kVectors], older[kVectors];
  for (int v = 0; v < kVectors; ++v) {
    s[v] = _mm256_load_pd(&l.s[4 * v]);
    H[v] = _mm256_load_pd(&l.H[4 * v]);
    passes[v] = _mm256_load_pd(&l.passes[4 * v]);
    older[v] = _mm256_load_pd(&l.older[4 * v]);
  }
  while (open != 0) {
#pragma GCC unroll 4
    for (int v = 0; v < kVectors; ++v) {
      const __m256d before = s[v];
      const __m256d conserved = _mm256_load_pd(&l.conserved[4 * v]);
      const __m256d depthFactor = _mm256_load_pd(&l.depthFactor[4 * v]);
      const __m256d averaging = _mm256_cmp_pd(passes[v], plainPasses, _CMP_GE_OQ);
      unsigned settled, broken = 0;
      if (!nonlinearPassWideNormal(s[v], H[v], conserved, depthFactor,
                                   _mm256_load_pd(&l.depth[4 * v]), averaging, settled))
          [[unlikely]] {
        nonlinearPassWide(s[v], H[v], conserved, depthFactor,
                          _mm256_load_pd(&l.inverseDepth[4 * v]), &l.depth[4 * v], averaging,
                          settled, broken);
      }
      const unsigned signed_ = signedEarly(older[v], before, s[v], passes[v],
                                           _mm256_load_pd(&l.limitRoot[4 * v]));
      older[v] = before;
      passes[v] = _mm256_add_pd(passes[v], one);
      const unsigned limit = unsigned(_mm256_movemask_pd(_mm256_cmp_pd(passes[v], passLimit, _CMP_GE_OQ)));
      const unsigned closing = (settled | broken | limit | signed_) & (open >> (4 * v)) & 0xf;
      if (closing == 0) [[likely]] continue;
      _mm256_store_pd(&l.s[4 * v], s[v]);
      _mm256_store_pd(&l.H[4 * v], H[v]);
      _mm256_store_pd(&l.passes[4 * v], passes[v]);
      _mm256_store_pd(&l.older[4 * v], older[v]);
      for (int k = 0; k < 4; ++k) {
        if (!(closing & (1u << k))) continue;
        const int i = 4 * v + k;
        closeLane(l, i, (broken >> k) & 1, ((settled | signed_) >> k) & 1, l.H[i], driver, open);
      }
      s[v] = _mm256_load_pd(&l.s[4 * v]);
      H[v] = _mm256_load_pd(&l.H[4 * v]);
      passes[v] = _mm256_load_pd(&l.passes[4 * v]);
      older[v] = _mm256_load_pd(&l.older[4 * v]);
    }
  }
}
#endif

// Runs nonlinear shoaling in sixteen lanes until `driver` has nothing left,
// the driver handing out the work as for runDispersionLanes; settle(l, i, H)
// gives an item the height ratio its probe settled with.
template <class Driver>
void runShoalingLanes(Driver& driver, LanePath path) {
  ShoalingState lanes{};
  const unsigned open = fillLanes(lanes, kShoalingLanes, driver);
#ifdef SAIHA_WIDE_LANES
  if (path == LanePath::Best && __builtin_cpu_supports("avx2")) {
    runWide(lanes, open, driver);
    return;
  }
#else
  (void)path;
#endif
  runPortable(lanes, open, driver);
}

// The breaking searches of the rows whose onsets were found.
class BreakingDriver {
 public:
  explicit BreakingDriver(std::span<SearchRow* const> rows) : waiting_(rows) {}
  bool fill(ShoalingState& l, int i) {
    while (SearchRow* const* row = waiting_.take()) {
      if (startBreaking(l, searches_[std::size_t(i)], i, **row)) return true;
    }
    return false;
  }
  bool settle(ShoalingState& l, int i, double H) {
    return takeBreakingProbe(l, searches_[std::size_t(i)], i, H);
  }

 private:
  Waiting<SearchRow* const> waiting_;
  std::array<BreakingSearch, kShoalingLanes> searches_;
};

// Nonlinear shoaling from known pairs to given depth ratios.
class ShoalingDriver {
 public:
  explicit ShoalingDriver(std::span<ShoalingJob> jobs) : waiting_(jobs) {}
  bool fill(ShoalingState& l, int i) {
    while (ShoalingJob* job = waiting_.take()) {
      job->found = false;
      // The formula's own working copy of Hr1, which it may zero.
      float Hr1 = job->Hr1, rootU1 = 0;
      if (!startPair(l, i, Hr1, job->hr1, rootU1)) continue;
      if (!startShoaling(l, i, job->hr, kTabledNodes, rootU1)) continue;
      jobs_[std::size_t(i)] = job;
      return true;
    }
    return false;
  }
  bool settle(ShoalingState&, int i, double H) {
    jobs_[std::size_t(i)]->H = H;
    jobs_[std::size_t(i)]->found = true;
    return false;
  }

 private:
  Waiting<ShoalingJob> waiting_;
  std::array<ShoalingJob*, kShoalingLanes> jobs_{};
};

}  // namespace

void findBreakingPoints(std::span<SearchRow> rows, LanePath path) noexcept {
  std::vector<SearchRow*> block, onsetsFound;
  try {
    block.reserve(kBlockRows);
    onsetsFound.reserve(kBlockRows);
  } catch (...) {
    for (SearchRow& row : rows) row.found = false;  // the searches themselves, row by row
    return;
  }
  for (std::size_t first = 0; first < rows.size(); first += kBlockRows) {
    block.clear();
    onsetsFound.clear();
    const std::size_t end = std::min(rows.size(), first + kBlockRows);
    for (std::size_t i = first; i < end; ++i) {
      rows[i].found = false;
      block.push_back(&rows[i]);
    }
    OnsetDriver onsets(block, onsetsFound);
    runDispersionLanes(onsets, path);
    BreakingDriver breakings(onsetsFound);
    runShoalingLanes(breakings, path);
  }
}

void nonlinearHeightRatios(std::span<ShoalingJob> jobs, LanePath path) noexcept {
  ShoalingDriver driver(jobs);
  runShoalingLanes(driver, path);
}

void waveLengths(std::span<LengthJob> jobs, LanePath path) noexcept {
  LengthDriver driver(jobs);
  runDispersionLanes(driver, path);
}

}  // namespace saiha::wave::detail
