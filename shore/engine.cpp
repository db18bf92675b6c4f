#include "shore/engine.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "runtime/checked.h"
#include "shore/internal.h"
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
}

}  // namespace detail

float Breaking::onsetDepth() const { return narrow(Real(onsetRatio()) * L0); }

Breaking findBreaking(const Wave& wave, const Model& model) noexcept {
  return findBreakingWith(wave, model, nullptr);
}

Breaking detail::findBreakingWith(const Wave& wave, const Model& model,
                                  const wave::detail::SearchRow* found) noexcept {
  Breaking b;
  b.model = model;
  b.error = guarded([&] {
    readWave(wave, b);
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
    } else {
      findModelBreaking(b);
    }
    b.Hb = narrow(Real(b.Hbr) * b.L0);
    ++b.reached;
    b.hb = narrow(Real(b.hbr) * b.L0);
    ++b.reached;
    b.gamma = narrow(Real(b.Hbr) / b.hbr);  // from the ratios, not the metre values
    ++b.reached;
    const float Lb = narrow(waveLength(b.T, b.hb));
    b.thetaB = degreesOf(refractedAngle(Lb, b.L0, b.ao));
    ++b.reached;
  });
  return b;
}

void findBreaking(std::span<const Wave> waves, std::span<Breaking> out,
                  const Model& model) noexcept {
  findBreakingSideBySide(waves, out, model, wave::detail::LanePath::Best);
}

void detail::findBreakingSideBySide(std::span<const Wave> waves, std::span<Breaking> out,
                                    const Model& model, wave::detail::LanePath path) noexcept {
  const std::size_t count = std::min(waves.size(), out.size());
  // Only the default model's searches run side by side; rows in blocks on
  // the stack, so that nothing here allocates.
  constexpr std::size_t kBlock = 256;
  std::array<wave::detail::SearchRow, kBlock> rows;
  std::array<std::size_t, kBlock> rowOf;
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
        rowOf[searched++] = i;
      }
      wave::detail::findBreakingPoints(std::span(rows.data(), searched), path);
    }
    // Every row through findBreaking itself, with the searches' results
    // where the batch found them.
    std::size_t next = 0;
    for (std::size_t i = first; i < end; ++i) {
      const wave::detail::SearchRow* found = nullptr;
      if (next < searched && rowOf[next] == i) {
        if (rows[next].found) found = &rows[next];
        ++next;
      }
      out[i] = findBreakingWith(waves[i], model, found);
    }
  }
}

State stateAt(const Breaking& b, double depth) noexcept {
  State s;
  if (!b.ok()) {
    s.error = b.error;
    return s;
  }
  s.error = guarded([&] {
    const float h = positiveSingle(depth, Error::InvalidDepth);
    s.h = h;
    const float hr = narrow(Real(h) / b.L0);

    const float L = narrow(waveLength(b.T, h));
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

Profile profile(const Wave& wave, const ProfileOptions& options, const Model& model) noexcept {
  Profile p;
  p.breaking = findBreaking(wave, model);
  p.error = p.breaking.error;
  if (!p.ok()) return p;
  const Breaking& b = p.breaking;

  const double onset = b.onsetDepth();
  const double from = options.fromDepth.value_or(std::max(2 * onset, 2 * double(b.hb)));
  if (!(std::isfinite(from) && from > 0 && std::isfinite(static_cast<float>(from)))) {
    p.error = Error::InvalidDepth;
    return p;
  }
  const double xFrom = b.n * from;
  if (!std::isfinite(static_cast<float>(xFrom))) {  // x = n·h beyond single precision
    p.error = Error::InvalidDepth;
    return p;
  }

  // The regular stations, seaward end first, and their distances from the
  // shoreline: evenly spaced from the seaward end, the last one step short of
  // x = 0 where the water still has depth; or, with a spacing S, at exactly
  // x = k·S from the shoreline seaward (k = 1, 2, … up to the seaward end).
  std::vector<double> depths;
  std::vector<float> distances;
  if (options.spacing) {
    const double spacing = *options.spacing;
    if (!(std::isfinite(spacing) && spacing > 0)) {
      p.error = Error::InvalidDepth;
      return p;
    }
    // A seaward end at a whole number of spacings keeps its station despite
    // the rounding of n·h.
    const double steps = std::floor(xFrom / spacing + 1e-9);
    if (!(steps >= 1 && steps <= kMaxStations)) {
      p.error = Error::InvalidDepth;
      return p;
    }
    for (long k = long(steps); k >= 1; --k) {
      const double x = double(k) * spacing;
      depths.push_back(x / b.n);
      distances.push_back(static_cast<float>(x));
    }
  } else {
    const long count = options.stations;
    if (count < 1 || count > kMaxStations) {
      p.error = Error::InvalidDepth;
      return p;
    }
    for (long i = 0; i < count; ++i) depths.push_back(from * double(count - i) / double(count));
  }
  // A seaward end so shallow that the last station has no depth in single
  // precision leaves nothing to compute there.
  if (!(static_cast<float>(depths.back()) > 0)) {
    p.error = Error::InvalidDepth;
    return p;
  }
  const std::size_t count = depths.size();

  p.stations.reserve(count + 2);
  const auto add = [&](double h, Mark mark, std::optional<float> x = std::nullopt) {
    Station station;
    station.state = stateAt(b, h);
    const float single = static_cast<float>(h);
    station.state.h = single;
    station.x = x.value_or(static_cast<float>(b.n * double(single)));
    station.mark = mark;
    p.stations.push_back(station);
  };
  // The two marked stations go in their places, seaward first; a mark at the
  // depth of a regular station (twice the onset depth halved, by default)
  // marks that station instead of repeating it.
  struct Marked {
    double h;
    Mark mark;
  };
  std::vector<Marked> marks = {{onset, Mark::Onset}, {double(b.hb), Mark::Breaking}};
  std::sort(marks.begin(), marks.end(), [](const Marked& l, const Marked& r) { return l.h > r.h; });
  std::size_t next = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double h = depths[i];
    while (next < marks.size() && marks[next].h > h) {
      if (marks[next].h <= from) add(marks[next].h, marks[next].mark);
      ++next;
    }
    Mark mark = Mark::None;
    while (next < marks.size() && static_cast<float>(marks[next].h) == static_cast<float>(h)) {
      mark = marks[next++].mark;  // onset and breaking at one depth: the breaking mark
    }
    add(h, mark, distances.empty() ? std::nullopt : std::optional<float>(distances[i]));
  }
  for (; next < marks.size(); ++next) {
    if (marks[next].h > 0) add(marks[next].h, marks[next].mark);
  }
  return p;
}

}  // namespace saiha::shore
