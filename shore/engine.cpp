#include "shore/engine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "runtime/checked.h"
#include "shore/internal.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/searches.h"

namespace saiha::shore {

using rt::narrow;
using rt::Real;
using namespace saiha::wave;
using namespace saiha::shore::detail;

namespace {
// Radians from degrees: divided by 180 first, then multiplied by π.
constexpr double kDegreesPerHalfTurn = 180;
}  // namespace

namespace detail {

Error codeOf(Failure failure) {
  switch (failure) {
    case Failure::CoefficientDivisor: return Error::CoefficientDivisor;
    case Failure::NonlinearShoalingLimit: return Error::NonlinearShoalingLimit;
    case Failure::WaveLengthLimit: return Error::WaveLengthLimit;
    case Failure::OnsetNotFound: return Error::OnsetNotFound;
    case Failure::BreakingNotFound: return Error::BreakingNotFound;
    case Failure::IntermediateEndNotFound: return Error::IntermediateEndNotFound;
  }
  return Error::InvalidOperation;
}

Error codeOf(rt::Fault fault) {
  switch (fault) {
    case rt::Fault::DivisionByZero: return Error::DivisionByZero;
    case rt::Fault::InvalidOperation: return Error::InvalidOperation;
    case rt::Fault::Overflow: return Error::Overflow;
  }
  return Error::InvalidOperation;
}

void readWave(const Wave& wave, Breaking& b) {
  // Inputs, each checked as it is read.
  b.Ho = positiveSingle(wave.Ho, Error::InvalidHeight);
  b.T = positiveSingle(wave.T, Error::InvalidPeriod);
  if (!(wave.alpha0 > -90 && wave.alpha0 < 90)) throw Rejected{Error::InvalidAngle};
  b.ao = narrow(Real(wave.alpha0) / kDegreesPerHalfTurn * kPi);
  if (!(std::isfinite(wave.n) && wave.n > 0)) throw Rejected{Error::InvalidSlope};
  b.n = wave.n;
  b.tanBeta = narrow(Real(1) / wave.n);
  // Deep-water wavelength gT²/(2π).
  b.L0 = narrow(Real(kGravity) / 2 / kPi * b.T * b.T);
  // Miche's limit in deep water.  Plain division: an L0 that narrowed to 0
  // makes the wave infinitely steep, which is this refusal, not a fault.
  if (!(double(b.Ho) / double(b.L0) <= kMaxDeepWaterSteepness)) {
    throw Rejected{Error::SteepnessLimit};
  }
}

}  // namespace detail

float Breaking::onsetDepth() const { return narrow(Real(onsetRatio()) * L0); }

Breaking findBreaking(const Wave& wave, const Model& model) noexcept {
  return findBreakingWith(wave, model, nullptr);
}

Breaking detail::findBreakingWith(const Wave& wave, const Model& model,
                                  const BreakingHints* hints) noexcept {
  const wave::detail::SearchRow* found = hints != nullptr ? hints->found : nullptr;
  const wave::detail::LengthJob* atBreaking = hints != nullptr ? hints->atBreaking : nullptr;
  Breaking b;
  b.model = model;
  b.error = guarded([&] {
    readWave(wave, b);
    b.warnings = modelWarnings(model, b.n);
    if (model.isDefault()) {
      // The onset pair is in ratios to the onset search's own deep-water
      // wavelength 1.56·T²; it is used with L0 as it comes.
      if (found != nullptr) {
        b.Hr50 = found->Hr50;
        b.hr50 = found->hr50;
        b.Hbr = found->Hbr;
        b.hbr = found->hbr;
      } else {
        findNonlinearOnset(b.Hr50, b.hr50, b.Ho, b.T, b.ao);
        findBreakingPoint(b.Hr50, b.hr50, b.Hbr, b.hbr, b.tanBeta);
      }
      // An onset shoreward of that point, where the linear height already
      // exceeds the limit: the wave broke further offshore.  (The test and
      // the crossing may have been made side by side, on the same values.)
      const bool steep = hints != nullptr && hints->steepTested
                             ? hints->steep
                             : b.onsetShorewardOfBreaking() && linearAboveLimitAtBreaking(b);
      if (steep && hints != nullptr && hints->crossing) {
        b.Hbr = hints->crossing->Hbr;
        b.hbr = hints->crossing->hbr;
      } else if (steep) {
        findFirstCrossing(b);
      }
    } else {
      findModelBreaking(b);
    }
    // Only the search continued shoreward of its floor finds a point there.
    if (b.hbr < kSearchFloor) b.warnings.add(Warning::BelowSearchFloor);
    b.Hb = narrow(Real(b.Hbr) * b.L0);
    ++b.reached;
    b.hb = narrow(Real(b.hbr) * b.L0);
    ++b.reached;
    b.gamma = narrow(Real(b.Hbr) / b.hbr);  // from the ratios, not the metre values
    ++b.reached;
    // The wavelength there, as the lanes found it for this depth and period.
    const bool known = atBreaking != nullptr && atBreaking->found && atBreaking->h == b.hb &&
                       atBreaking->T == b.T;
    const float Lb = known ? atBreaking->L : narrow(waveLength(b.T, b.hb));
    b.thetaB = degreesOf(refractedAngle(Lb, b.L0, b.ao));
    ++b.reached;
  });
  return b;
}

void findBreaking(std::span<const Wave> waves, std::span<Breaking> out,
                  const Model& model) noexcept {
  findBreakingSideBySide(waves, out, model, wave::detail::LanePath::Best);
}

namespace {
// The first crossings of the steep waves among rows whose searches the lanes
// found (rows[k] is wave rowOf[k]), side by side: hints[k] says whether the
// row was tested as a steep wave, with what answer, and its crossing.
// A row whose test or crossing faults or fails gets none: findBreaking
// itself then tests it, and gives or raises what it always does.
void crossingsSideBySide(std::span<const Wave> waves, std::span<const wave::detail::SearchRow> rows,
                         std::span<const std::size_t> rowOf, std::span<BreakingHints> hints,
                         wave::detail::LanePath path) noexcept {
  std::vector<Breaking> steep;
  std::vector<std::size_t> steepRow;
  std::vector<Breaking*> pointers;
  try {
    for (std::size_t k = 0; k < rows.size(); ++k) {
      if (!rows[k].found) continue;
      // The breaking point as findBreaking holds it when it tests the case.
      Breaking b;
      bool needs = false;
      const Error error = guarded([&] {
        readWave(waves[rowOf[k]], b);
        b.Hr50 = rows[k].Hr50;
        b.hr50 = rows[k].hr50;
        b.Hbr = rows[k].Hbr;
        b.hbr = rows[k].hbr;
        needs = b.onsetShorewardOfBreaking() && linearAboveLimitAtBreaking(b);
      });
      if (error != Error::None) continue;
      hints[k].steepTested = true;
      hints[k].steep = needs;
      if (!needs) continue;
      steep.push_back(b);
      steepRow.push_back(k);
    }
    if (steep.empty()) return;
    for (Breaking& b : steep) pointers.push_back(&b);
  } catch (...) {
    return;  // each by findBreaking itself
  }
  std::unique_ptr<bool[]> flags(new (std::nothrow) bool[steep.size()]);
  if (!flags) return;
  findFirstCrossings(pointers, std::span(flags.get(), steep.size()), path);
  for (std::size_t j = 0; j < steep.size(); ++j) {
    if (flags[j]) hints[steepRow[j]].crossing = FirstCrossing{steep[j].Hbr, steep[j].hbr};
  }
}
}  // namespace

void detail::findBreakingSideBySide(std::span<const Wave> waves, std::span<Breaking> out,
                                    const Model& model, wave::detail::LanePath path) noexcept {
  const std::size_t count = std::min(waves.size(), out.size());
  // Only the default model's searches run side by side; rows in blocks on
  // the stack, so that nothing here allocates.
  constexpr std::size_t kBlock = 1024;
  std::array<wave::detail::SearchRow, kBlock> rows;
  std::array<wave::detail::LengthJob, kBlock> lengths;
  std::array<BreakingHints, kBlock> hints;
  std::array<std::size_t, kBlock> rowOf;
  std::array<float, kBlock> L0;
  for (std::size_t first = 0; first < count; first += kBlock) {
    const std::size_t end = std::min(count, first + kBlock);
    std::size_t searched = 0;
    if (model.isDefault()) {
      for (std::size_t i = first; i < end; ++i) {
        // The inputs as findBreaking reads them; a wave it refuses skips
        // the searches (and is refused again below, as findBreaking does).
        Breaking read;
        if (guarded([&] { readWave(waves[i], read); }) != Error::None) continue;
        rows[searched] = {read.Ho, read.T, read.ao, read.tanBeta};
        L0[searched] = read.L0;
        hints[searched] = {};
        rowOf[searched++] = i;
      }
      wave::detail::findBreakingPoints(std::span(rows.data(), searched), path);
      crossingsSideBySide(waves, std::span(rows.data(), searched), std::span(rowOf.data(), searched),
                          std::span(hints.data(), searched), path);
      // The wavelengths at the breaking depths hb = hbr·L0 found, side by
      // side too.
      for (std::size_t k = 0; k < searched; ++k) {
        const float hbr = hints[k].crossing ? hints[k].crossing->hbr : rows[k].hbr;
        const float hb = static_cast<float>(double(hbr) * double(L0[k]));
        lengths[k] = {rows[k].T, rows[k].found && std::isfinite(hb) && hb > 0 ? hb : 0.0f};
      }
      wave::detail::waveLengths(std::span(lengths.data(), searched), path);
    }
    // Every row through findBreaking itself, with what the lanes found.
    std::size_t next = 0;
    for (std::size_t i = first; i < end; ++i) {
      const BreakingHints* rowHints = nullptr;
      if (next < searched && rowOf[next] == i) {
        if (rows[next].found) {
          hints[next].found = &rows[next];
          hints[next].atBreaking = &lengths[next];
          rowHints = &hints[next];
        }
        ++next;
      }
      out[i] = findBreakingWith(waves[i], model, rowHints);
    }
  }
}

State stateAt(const Breaking& b, double depth) noexcept { return stateAtWith(b, depth, nullptr); }

State detail::stateAtWith(const Breaking& b, double depth, const StateHints* hints) noexcept {
  State s;
  if (!b.ok()) {
    s.error = b.error;
    return s;
  }
  s.error = guarded([&] {
    const float h = positiveSingle(depth, Error::InvalidDepth);
    s.h = h;
    const float hr = narrow(Real(h) / b.L0);

    const float L = hints != nullptr && hints->L ? *hints->L : narrow(waveLength(b.T, h));
    s.L = L;
    ++s.reached;
    s.theta = degreesOf(refractedAngle(L, b.L0, b.ao));
    ++s.reached;
    s.C = narrow(Real(L) / b.T);
    ++s.reached;

    // Height by zone: the breaker limit at or shoreward of the breaking
    // point, tested first so that the surf zone holds even when a steep
    // wave's onset lies shoreward of its breaking point; seaward of it, the
    // model's shoaling rule (linear shoaling beyond the onset, then the
    // nonlinear regimes).
    Real Hr = 0;
    Depth depth(hr, h, b.T, L);
    if (hints != nullptr && hints->nonlinear) depth.knowNonlinear(*hints->nonlinear);
    HeightRule rule = HeightRule::Surf;
    if (!(hr > b.hbr)) {
      Hr = limitHeightRatio(b, depth);
    } else {
      Hr = shoaledHeightRatio(b, depth, rule);
    }
    s.rule = rule;
    const float H = narrow(Hr * b.L0);
    s.H = H;
    ++s.reached;
    if (H > h) s.warnings.add(Warning::HeightAboveDepth);

    // Orbital motion of linear theory: semi-amplitudes (H/2)/sinh kh at the
    // bottom and (H/2)·coth kh at the surface, maximum speeds (πH/T) times the
    // same factors, with π taken as 3.14 in the speeds.
    const float kh = narrow(Real(h) * kTwoPi / L);
    const float halfHeight = narrow(Real(H) / 2);
    const Real speedScale = Real(H) * 3.14 / b.T;
    const Real cosech = waveCosech(kh);
    s.aBottom = narrow(Real(halfHeight) * cosech);
    ++s.reached;
    s.uBottom = narrow(speedScale * cosech);
    ++s.reached;
    const Real coth = waveCoth(kh);
    s.aSurface = narrow(Real(halfHeight) * coth);
    ++s.reached;
    s.uSurface = narrow(speedScale * coth);
    ++s.reached;
  });
  return s;
}

namespace {
// stateAt for `count` depths, the breaking point of depth i being
// breakingOf(i): the wavelengths, then the nonlinear shoalings the states
// need, side by side in the lanes; then each state by stateAt itself, with
// what the lanes found.  In blocks on the stack, so that nothing allocates.
template <class BreakingOf>
void statesSideBySide(std::size_t count, const BreakingOf& breakingOf,
                      std::span<const double> depths, std::span<State> out,
                      wave::detail::LanePath path) {
  constexpr std::size_t kBlock = 256;
  std::array<wave::detail::LengthJob, kBlock> lengths;
  std::array<wave::detail::ShoalingJob, kBlock> shoalings;
  std::array<std::size_t, kBlock> lengthOf, shoalingOf;
  std::array<StateHints, kBlock> hints;
  for (std::size_t first = 0; first < count; first += kBlock) {
    const std::size_t end = std::min(count, first + kBlock);
    std::size_t lengthCount = 0, shoalingCount = 0;
    for (std::size_t i = first; i < end; ++i) {
      hints[i - first] = {};
      const Breaking& b = breakingOf(i);
      const float h = static_cast<float>(depths[i]);
      if (!b.ok() || !(std::isfinite(h) && h > 0)) continue;  // stateAt refuses these itself
      lengths[lengthCount] = {b.T, h};
      lengthOf[lengthCount++] = i;
    }
    wave::detail::waveLengths(std::span(lengths.data(), lengthCount), path);
    for (std::size_t k = 0; k < lengthCount; ++k) {
      if (!lengths[k].found) continue;
      const std::size_t i = lengthOf[k];
      hints[i - first].L = lengths[k].L;
      // Seaward of the breaking point, within the nonlinear regime of the
      // breaking point's shoaling rule, the height comes from nonlinear
      // shoaling from the onset pair: that runs in the lanes too.
      const Breaking& b = breakingOf(i);
      const double ratio = double(lengths[k].h) / double(b.L0);
      const float hr = static_cast<float>(ratio);
      // The lanes' nonlinear shoaling is for 0.001 ≤ hr ≤ 1; a state shoreward
      // of that (seaward of a breaking point found below the floor) takes the
      // checked formula.
      if (!std::isfinite(hr) || !(hr > b.hbr) || hr > b.hr50 || hr < kSearchFloor) continue;
      if (b.model.shoaling == Shoaling::Shuto && hr > b.hr30) continue;
      shoalings[shoalingCount] = {b.Hr50, b.hr50, hr};
      shoalingOf[shoalingCount++] = i;
    }
    wave::detail::nonlinearHeightRatios(std::span(shoalings.data(), shoalingCount), path);
    for (std::size_t k = 0; k < shoalingCount; ++k) {
      if (shoalings[k].found) hints[shoalingOf[k] - first].nonlinear = shoalings[k].H;
    }
    for (std::size_t i = first; i < end; ++i) {
      out[i] = stateAtWith(breakingOf(i), depths[i], &hints[i - first]);
    }
  }
}
}  // namespace

void stateAt(std::span<const Breaking> breakings, std::span<const double> depths,
             std::span<State> out) noexcept {
  stateAtSideBySide(breakings, depths, out, wave::detail::LanePath::Best);
}

void detail::stateAtSideBySide(std::span<const Breaking> breakings, std::span<const double> depths,
                               std::span<State> out, wave::detail::LanePath path) noexcept {
  const std::size_t count = std::min({breakings.size(), depths.size(), out.size()});
  statesSideBySide(count, [&](std::size_t i) -> const Breaking& { return breakings[i]; }, depths,
                   out, path);
}

void stateAt(const Breaking& breaking, std::span<const double> depths,
             std::span<State> out) noexcept {
  const std::size_t count = std::min(depths.size(), out.size());
  statesSideBySide(count, [&](std::size_t) -> const Breaking& { return breaking; }, depths, out,
                   wave::detail::LanePath::Best);
}

namespace detail {

Error planStations(double from, double n, const ProfileOptions& options,
                   std::vector<PlannedStation> marks, std::vector<PlannedStation>& plan) {
  if (!(std::isfinite(from) && from > 0 && std::isfinite(static_cast<float>(from)))) {
    return Error::InvalidDepth;
  }
  const double xFrom = n * from;
  if (!std::isfinite(static_cast<float>(xFrom))) return Error::InvalidDepth;  // x beyond single

  // The regular stations, seaward end first: evenly spaced from the seaward
  // end, the last one step short of x = 0 where the water still has depth;
  // or, with a spacing S, at exactly x = k·S from the shoreline seaward
  // (k = 1, 2, … up to the seaward end).
  std::vector<double> depths;
  std::vector<float> distances;
  if (options.spacing) {
    const double spacing = *options.spacing;
    if (!(std::isfinite(spacing) && spacing > 0)) return Error::InvalidDepth;
    // A seaward end at a whole number of spacings keeps its station despite
    // the rounding of n·h.
    const double steps = std::floor(xFrom / spacing + 1e-9);
    if (!(steps >= 1 && steps <= kMaxStations)) return Error::InvalidDepth;
    for (long k = long(steps); k >= 1; --k) {
      const double x = double(k) * spacing;
      depths.push_back(x / n);
      distances.push_back(static_cast<float>(x));
    }
  } else {
    const long count = options.stations;
    if (count < 1 || count > kMaxStations) return Error::InvalidDepth;
    depths.reserve(std::size_t(count));
    for (long i = 0; i < count; ++i) depths.push_back(from * double(count - i) / double(count));
  }
  // A seaward end so shallow that the last station has no depth in single
  // precision leaves nothing to compute there.
  if (!(static_cast<float>(depths.back()) > 0)) return Error::InvalidDepth;
  const std::size_t count = depths.size();

  plan.reserve(std::size_t(count) + marks.size());
  // The marked stations go in their places, seaward first; a mark at the
  // depth of a regular station (twice the onset depth halved, by default)
  // marks that station instead of repeating it.
  std::stable_sort(marks.begin(), marks.end(),
                   [](const PlannedStation& l, const PlannedStation& r) { return l.h > r.h; });
  std::size_t next = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double h = depths[i];
    while (next < marks.size() && marks[next].h > h) {
      if (marks[next].h <= from) plan.push_back(marks[next]);
      ++next;
    }
    Mark mark = Mark::None;
    while (next < marks.size() && static_cast<float>(marks[next].h) == static_cast<float>(h)) {
      mark = marks[next++].mark;  // two marks at one depth: the later one
    }
    plan.push_back({h, mark, distances.empty() ? std::nullopt : std::optional<float>(distances[i])});
  }
  for (; next < marks.size(); ++next) {
    if (marks[next].h > 0) plan.push_back(marks[next]);
  }
  return Error::None;
}

}  // namespace detail

Profile profile(const Wave& wave, const ProfileOptions& options, const Model& model) noexcept {
  Profile p;
  p.breaking = findBreaking(wave, model);
  p.error = p.breaking.error;
  if (!p.ok()) return p;
  const Breaking& b = p.breaking;

  const double onset = b.onsetDepth();
  const double from = options.fromDepth.value_or(std::max(2 * onset, 2 * double(b.hb)));
  std::vector<PlannedStation> plan;
  p.error = planStations(from, b.n, options, {{onset, Mark::Onset}, {double(b.hb), Mark::Breaking}},
                         plan);
  if (!p.ok()) return p;
  std::vector<double> depths;
  depths.reserve(plan.size());
  for (const PlannedStation& planned : plan) depths.push_back(planned.h);
  std::vector<State> states(plan.size());
  stateAt(b, depths, states);
  p.stations.reserve(plan.size());
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const PlannedStation& planned = plan[i];
    Station station;
    station.state = states[i];
    const float single = static_cast<float>(planned.h);
    station.state.h = single;
    station.x = planned.x.value_or(static_cast<float>(b.n * double(single)));
    station.mark = planned.mark;
    p.stations.push_back(station);
  }
  return p;
}

}  // namespace saiha::shore
