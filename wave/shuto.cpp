#include "wave/shuto.h"

#include "runtime/checked.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/formulas.h"

namespace saiha::wave {

using rt::narrow;
using rt::Real;

double ursellHeight(float hr, double U) { return (Real(U) / 2 / kPi * hr * hr).value(); }

double intermediateHeightRatio(float Hr30, float hr30, float hr) {
  return (Real(Hr30) * rt::pow(Real(hr30) / hr, 2.0 / 7.0)).value();
}

void findShutoBoundaries(float& Hr30, float& hr30, float& Hr50, float& hr50, float Ho,
                         float T, float ao, float L0) {
  // U = 30 on the linear height: the Ursell-30 height minus the linear one,
  // positive seaward of the point, negative shoreward.
  const BisectionResult first = bisectDepthRatio([&](float r) {
    const float h = narrow(Real(r) * L0);      // single
    const float L = narrow(waveLength(T, h));  // single
    const Real u = ursellHeight(r, 30);
    return narrow(u - linearHeightRatio(h, L, Ho, L0, ao));
  });
  requireCrossing(first, Failure::OnsetNotFound);
  const float r30 = first.ratio;
  const float H30 = narrow(ursellHeight(r30, 30));

  // U = 50 on the 2/7 law: U grows as h^(−16/7) shoreward, so the mismatch
  // changes sign once.
  const BisectionResult second = bisectDepthRatio([&](float r) {
    const Real u = ursellHeight(r, 50);
    return narrow(u - intermediateHeightRatio(H30, r30, r));
  });
  requireCrossing(second, Failure::IntermediateEndNotFound);
  hr30 = r30;
  Hr30 = H30;
  hr50 = second.ratio;
  Hr50 = narrow(ursellHeight(second.ratio, 50));
}

}  // namespace saiha::wave
