// The hindcast chain at a structure's toe: the transform's sea there, then
// runup and overtopping, and the record's exceedance statistics.
#include "structure/chain.h"

#include <algorithm>
#include <cmath>

#include "structure/common.h"

namespace saiha::structure {

namespace {

constexpr std::size_t kBlock = 256;  // conditions transformed at a time

float lerp(const std::vector<float>& v, std::size_t i, double t) {
  if (t == 0) return v[i];
  return single((1 - t) * double(v[i]) + t * double(v[i + 1]));
}

bool toeInside(const shore::BedProfile& p, double x) {
  return std::isfinite(x) && !p.x.empty() && p.x.size() == p.z.size() && x >= p.x.front() &&
         x <= p.x.back();
}

}  // namespace

ToeWave waveAt(const shore::BedProfile& profile, const shore::TransformResult& result,
               double x) noexcept {
  ToeWave w;
  if (!toeInside(profile, x)) {
    w.error = Error::InvalidToe;
    return w;
  }
  if (!result.ok()) {
    w.error = result.error;
    return w;
  }
  const std::size_t n = profile.x.size();
  std::size_t i = std::size_t(std::upper_bound(profile.x.begin(), profile.x.end(), x) -
                              profile.x.begin());
  i = i == 0 ? 0 : i - 1;
  double t = 0;
  if (i + 1 < n && x > profile.x[i]) t = (x - profile.x[i]) / (profile.x[i + 1] - profile.x[i]);
  if (i >= n - 1) i = n - 1, t = 0;
  const std::size_t last = t > 0 ? i + 1 : i;
  if (result.lastWet < 0 || last > std::size_t(result.lastWet) || result.Hm0.size() < n) {
    w.error = Error::ToeNotReached;
    return w;
  }
  w.x = single(x);
  w.z = single((1 - t) * profile.z[i] + (t > 0 ? t * profile.z[i + 1] : 0.0));
  w.h = lerp(result.h, i, t);
  w.eta = lerp(result.eta, i, t);
  w.Hrms = lerp(result.Hrms, i, t);
  w.Hm0 = lerp(result.Hm0, i, t);
  w.H13 = lerp(result.H13, i, t);
  w.H2 = lerp(result.H2, i, t);
  w.theta = lerp(result.theta, i, t);
  w.depth = single(double(w.h) + double(w.eta));
  w.level = single(double(w.z) + double(w.h) + double(w.eta));
  if (!std::isfinite(w.Hm0) || !std::isfinite(w.eta) || !std::isfinite(w.h) || !(w.Hm0 > 0)) {
    ToeWave dry;
    dry.error = Error::ToeNotReached;
    return dry;
  }
  return w;
}

Error checkChain(const shore::BedProfile& profile, const ChainOptions& o) noexcept {
  if (!toeInside(profile, o.xToe)) return Error::InvalidToe;
  if (!std::isfinite(o.crest)) return Error::InvalidCrestHeight;
  const OvertoppingInput& s = o.structure;
  if (!positiveFinite(o.periodRatio) || s.structure > Structure::Composite ||
      s.approach > Approach::Design) {
    return Error::InvalidStructureOption;
  }
  if (s.structure == Structure::Composite) {
    const auto at = std::lower_bound(profile.x.begin(), profile.x.end(), o.xToe);
    const double zToe = profile.z[std::size_t(at - profile.x.begin())];
    if (!std::isfinite(o.moundTop) || !(o.moundTop > zToe)) return Error::InvalidStructureDepth;
  }
  if (s.structure == Structure::Slope) {
    if (!positiveFinite(s.cotAlpha)) return Error::InvalidStructureSlope;
    const auto factor = [](double g) { return std::isfinite(g) && g > 0 && g <= 1; };
    if (!factor(s.gammaF) || !factor(s.gammaB) || !factor(s.gammaV)) {
      return Error::InvalidInfluenceFactor;
    }
  }
  if (!std::isfinite(s.beta) || std::abs(s.beta) >= 90) return Error::InvalidAttackAngle;
  if (!nonNegativeFinite(s.crestWidth)) return Error::InvalidStructureWidth;
  return Error::None;
}

namespace {

// Runup and overtopping once the toe's wave is known.
void atStructure(ChainRow& row, double Tp, double beta, const ChainOptions& o) {
  const double Tm10 = Tp / o.periodRatio;
  const double level = row.level;
  const double Rc = o.crest - level;
  row.Tm10 = single(Tm10);
  row.Rc = single(Rc);
  row.beta = single(beta);
  if (Rc < 0) {
    row.error = Error::NegativeFreeboard;
    return;
  }
  OvertoppingInput in = o.structure;
  in.Hm0 = row.Hm0;
  in.Tm10 = Tm10;
  in.Rc = Rc;
  in.h = row.depth;
  in.beta = beta;
  if (in.structure == Structure::Composite) in.d = level - o.moundTop;
  if (in.structure == Structure::Slope) {
    RunupInput ru;
    ru.Hm0 = in.Hm0;
    ru.Tm10 = in.Tm10;
    ru.cotAlpha = in.cotAlpha;
    ru.gammaF = in.gammaF;
    ru.gammaB = in.gammaB;
    ru.beta = in.beta;
    ru.h = in.h;
    ru.permeableCore = in.permeableCore;
    ru.approach = in.approach;
    const RunupResult r = runup(ru);
    row.warnings.add(r.warnings);
    if (r.ok()) row.Ru2 = r.Ru2;
  }
  const OvertoppingResult q = overtopping(in);
  row.warnings.add(q.warnings);
  if (!q.ok()) {
    row.error = q.error;
    return;
  }
  row.q = q.q;
  row.regime = q.regime;
}

}  // namespace

ChainRow chainRow(const shore::BedProfile& profile, const shore::SeaCondition& condition,
                  const shore::TransformResult& result, const ChainOptions& o) noexcept {
  ChainRow row;
  row.warnings.add(result.warnings);
  if (const Error e = checkChain(profile, o); e != Error::None) {
    row.error = e;
    return row;
  }
  const ToeWave toe = waveAt(profile, result, o.xToe);
  if (!toe.ok()) {
    row.error = toe.error;
    return row;
  }
  row.level = toe.level;
  row.depth = toe.depth;
  row.Hm0 = toe.Hm0;
  const double beta = o.structure.beta + (o.addDirection ? double(toe.theta) : 0.0);
  if (!std::isfinite(beta) || std::abs(beta) >= 90) {
    row.error = Error::InvalidAttackAngle;
    return row;
  }
  atStructure(row, condition.Tp, beta, o);
  return row;
}

void overtoppingChain(const shore::BedProfile& profile,
                      std::span<const shore::SeaCondition> conditions, std::span<ChainRow> out,
                      const ChainOptions& options,
                      const shore::TransformOptions& transformOptions) noexcept {
  const std::size_t n = std::min(conditions.size(), out.size());
  std::vector<shore::TransformResult> results;
  try {
    results.resize(std::min(n, kBlock));
  } catch (...) {
    for (std::size_t i = 0; i < n; ++i) {
      out[i] = ChainRow{};
      out[i].error = Error::InvalidStructureOption;
    }
    return;
  }
  for (std::size_t first = 0; first < n; first += kBlock) {
    const std::size_t count = std::min(kBlock, n - first);
    shore::transform(profile, conditions.subspan(first, count), std::span(results).first(count),
                     transformOptions);
    for (std::size_t j = 0; j < count; ++j) {
      out[first + j] = chainRow(profile, conditions[first + j], results[j], options);
    }
  }
}

ChainSummary::ChainSummary(std::span<const double> qLimits)
    : limits(qLimits.begin(), qLimits.end()), above(qLimits.size(), 0) {}

void ChainSummary::add(const ChainRow& row, std::size_t index) noexcept {
  ++rows;
  if (!row.ok()) ++failed;
  if (!std::isfinite(row.q)) return;
  ++computed;
  for (std::size_t k = 0; k < limits.size(); ++k) {
    if (double(row.q) > limits[k]) ++above[k];
  }
  if (std::isnan(qMax) || row.q > qMax || (row.q == qMax && index < qMaxIndex)) {
    qMax = row.q;
    qMaxIndex = index;
  }
}

void ChainSummary::merge(const ChainSummary& other) noexcept {
  rows += other.rows;
  computed += other.computed;
  failed += other.failed;
  for (std::size_t k = 0; k < std::min(above.size(), other.above.size()); ++k) {
    above[k] += other.above[k];
  }
  if (std::isfinite(other.qMax) &&
      (std::isnan(qMax) || other.qMax > qMax ||
       (other.qMax == qMax && other.qMaxIndex < qMaxIndex))) {
    qMax = other.qMax;
    qMaxIndex = other.qMaxIndex;
  }
}

ChainSummary summarize(std::span<const ChainRow> rows, std::span<const double> qLimits,
                       std::size_t first) {
  ChainSummary s(qLimits);
  for (std::size_t i = 0; i < rows.size(); ++i) s.add(rows[i], first + i);
  return s;
}

}  // namespace saiha::structure
