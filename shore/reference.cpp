#include "shore/reference.h"

#include <cmath>

#include "runtime/checked.h"
#include "wave/formulas.h"

namespace saiha::shore {

namespace {

// One reference height, NaN when its formula faults.
template <class Formula>
float heightOrNaN(Formula&& formula) noexcept {
  try {
    return formula();
  } catch (...) {
    return kNotReached;
  }
}

}  // namespace

ReferenceHeights referenceHeights(const Breaking& b, double depth) noexcept {
  ReferenceHeights heights;
  const float h = static_cast<float>(depth);
  if (!b.ok() || !(std::isfinite(h) && h > 0)) return heights;
  const float hr = heightOrNaN([&] { return rt::narrow(rt::Real(h) / b.L0); });
  if (std::isnan(hr)) return heights;
  heights.limit = heightOrNaN(
      [&] { return rt::narrow(rt::Real(wave::breakingHeightRatio(hr, b.tanBeta)) * b.L0); });
  heights.ursell50 =
      heightOrNaN([&] { return rt::narrow(rt::Real(wave::ursell50Height(hr)) * b.L0); });
  return heights;
}

float shoreDistance(const Breaking& b, double depth) noexcept {
  const float h = static_cast<float>(depth);
  if (!b.ok() || !(std::isfinite(h) && h > 0)) return kNotReached;
  return static_cast<float>(b.n * double(h));
}

}  // namespace saiha::shore
