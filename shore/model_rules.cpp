// The height rules and the breaking search of every model.
#include <algorithm>
#include <optional>
#include <vector>

#include "runtime/checked.h"
#include "shore/internal.h"
#include "wave/bisection.h"
#include "wave/breakers.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/searches.h"
#include "wave/shuto.h"

namespace saiha::shore::detail {

using rt::narrow;
using rt::Real;
using namespace saiha::wave;

namespace {
// Goda's slope coefficient in the 2010 revision (15 in 1970).
constexpr double kGoda2010Slope = 11;
}  // namespace

Real shoaledHeightRatio(const Breaking& b, Depth& depth, HeightRule& rule) {
  const float hr = depth.hr();
  // The onset pair is a working copy: the nonlinear law may zero it.
  float Hr50 = b.Hr50;
  if (b.model.shoaling == Shoaling::Shuto) {
    if (hr > b.hr30) {
      rule = HeightRule::Linear;
      return linearHeightRatio(depth.h(), depth.L(), b.Ho, b.L0, b.ao);
    }
    if (hr > b.hr50) {
      rule = HeightRule::Intermediate;
      return intermediateHeightRatio(b.Hr30, b.hr30, hr);
    }
    rule = HeightRule::Nonlinear;
    return depth.nonlinear() ? Real(*depth.nonlinear()) : nonlinearHeightRatio(Hr50, b.hr50, hr);
  }
  // Two regimes: linear beyond the onset, nonlinear up to it.  The onset
  // ratios belong to the onset search's 1.56·T² and are compared as they are.
  if (hr > b.hr50) {
    rule = HeightRule::Linear;
    return linearHeightRatio(depth.h(), depth.L(), b.Ho, b.L0, b.ao);
  }
  rule = HeightRule::Nonlinear;
  return depth.nonlinear() ? Real(*depth.nonlinear()) : nonlinearHeightRatio(Hr50, b.hr50, hr);
}

Real limitHeightRatio(const Breaking& b, Depth& depth) {
  switch (b.model.breaker) {
    case BreakerLimit::Goda1970: return breakingHeightRatio(depth.hr(), b.tanBeta);
    case BreakerLimit::Goda2010: return godaHeightRatio(depth.hr(), b.tanBeta, kGoda2010Slope);
    case BreakerLimit::McCowan: return mcCowanHeightRatio(depth.hr());
    case BreakerLimit::Kamphuis: return kamphuisHeightRatio(depth.hr(), b.tanBeta);
    case BreakerLimit::Miche: return micheHeightRatio(depth.h(), depth.L(), b.L0);
  }
  return breakingHeightRatio(depth.hr(), b.tanBeta);
}

void findModelBreaking(Breaking& b) {
  if (b.model.shoaling == Shoaling::Shuto) {
    findShutoBoundaries(b.Hr30, b.hr30, b.Hr50, b.hr50, b.Ho, b.T, b.ao, b.L0);
  } else {
    findNonlinearOnset(b.Hr50, b.hr50, b.Ho, b.T, b.ao);
  }
  findFirstCrossing(b);
}

bool linearAboveLimitAtBreaking(const Breaking& b) {
  Depth depth(b.hbr, narrow(Real(b.hbr) * b.L0), b.T);
  return linearHeightRatio(depth.h(), depth.L(), b.Ho, b.L0, b.ao) > Real(b.Hbr);
}

void findFirstCrossing(Breaking& b) {
  // The height that applies at each depth, minus the limit there: negative
  // seaward of the breaking point, positive shoreward.  A steep wave may meet
  // its limit while it still shoals linearly.
  const auto depthAt = [&](float r) { return Depth(r, narrow(Real(r) * b.L0), b.T); };
  const auto mismatch = [&](float r) {
    Depth depth = depthAt(r);
    HeightRule rule{};
    const Real H = shoaledHeightRatio(b, depth, rule);
    return narrow(H - limitHeightRatio(b, depth));
  };
  const BisectionResult result = bisectDepthRatio(mismatch);
  float ratio = result.ratio;
  if (!sawCrossing(result)) {
    // Not broken anywhere on 0.001..1: followed shoreward of the floor.
    const std::optional<float> below = crossingBelowFloor(mismatch);
    if (!below) throw WaveError(Failure::BreakingNotFound);
    ratio = *below;
  }
  b.hbr = ratio;
  Depth breaking = depthAt(ratio);
  b.Hbr = narrow(limitHeightRatio(b, breaking));
}

void findFirstCrossings(std::span<Breaking* const> breakings, std::span<bool> crossed,
                        wave::detail::LanePath path) noexcept {
  // One search a breaking point; a round takes one probe of every search
  // still open, its wavelength (linear beyond the onset) or nonlinear height
  // found in the lanes, then the height rules and the bisection step as
  // findFirstCrossing takes them.
  struct Search {
    BisectionSteps steps;
    float h = 0;          // the probe's depth (m)
    bool linear = false;  // beyond the onset: the linear rule, with L at h
    std::size_t job = 0;  // the probe's job in the round's lengths or shoalings
    bool open = true;
  };
  const std::size_t count = std::min(breakings.size(), crossed.size());
  std::vector<Search> searches;
  std::vector<wave::detail::LengthJob> lengths;
  std::vector<wave::detail::ShoalingJob> shoalings;
  try {
    searches.resize(count);
    lengths.reserve(count);
    shoalings.reserve(count);
  } catch (...) {
    return;  // each by findFirstCrossing itself
  }
  for (std::size_t i = 0; i < count; ++i) crossed[i] = false;
  for (std::size_t openCount = count; openCount > 0;) {
    lengths.clear();
    shoalings.clear();
    for (std::size_t i = 0; i < count; ++i) {
      Search& s = searches[i];
      if (!s.open) continue;
      const Breaking& b = *breakings[i];
      const float r = s.steps.next();
      s.h = static_cast<float>(double(r) * double(b.L0));  // narrow(r·L0): never faults here
      s.linear = r > b.hr50;
      if (s.linear) {
        s.job = lengths.size();
        lengths.push_back({b.T, s.h});
      } else {
        s.job = shoalings.size();
        shoalings.push_back({b.Hr50, b.hr50, r});
      }
    }
    wave::detail::waveLengths(lengths, path);
    wave::detail::nonlinearHeightRatios(shoalings, path);
    for (std::size_t i = 0; i < count; ++i) {
      Search& s = searches[i];
      if (!s.open) continue;
      Breaking& b = *breakings[i];
      const float r = s.steps.next();
      const bool found = s.linear ? lengths[s.job].found : shoalings[s.job].found;
      bool goesOn = false;
      if (found) {
        try {
          Depth depth = s.linear ? Depth(r, s.h, b.T, lengths[s.job].L) : Depth(r, s.h, b.T);
          if (!s.linear) depth.knowNonlinear(shoalings[s.job].H);
          HeightRule rule{};
          const Real H = shoaledHeightRatio(b, depth, rule);
          goesOn = s.steps.take(narrow(H - limitHeightRatio(b, depth)));
          const BisectionResult& result = s.steps.result();
          if (!goesOn && (result.zeroProduct || result.upperMoved)) {
            Depth breaking(result.ratio, narrow(Real(result.ratio) * b.L0), b.T);
            const float Hbr = narrow(limitHeightRatio(b, breaking));
            b.hbr = result.ratio;
            b.Hbr = Hbr;
            crossed[i] = true;
          }
        } catch (...) {
          goesOn = false;
        }
      }
      if (!goesOn) {
        s.open = false;
        --openCount;
      }
    }
  }
}

}  // namespace saiha::shore::detail

namespace saiha::shore {

Warnings modelWarnings(const Model& model, double n) {
  Warnings w;
  const bool goda = model.breaker == BreakerLimit::Goda1970 || model.breaker == BreakerLimit::Goda2010;
  if (goda && n < kSteepestFittedSlope) w.add(Warning::SteepSlope);
  if (model.breaker == BreakerLimit::Kamphuis) w.add(Warning::IrregularWaveIndex);
  return w;
}

}  // namespace saiha::shore
