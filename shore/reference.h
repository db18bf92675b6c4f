// Reference heights of a wave on its beach: the heights that bound the
// height rules, at any depth, for drawing beside the wave height itself.
#pragma once

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::shore {

struct ReferenceHeights {
  // Breaking-height limit (m): 0.17·L0·(1 − exp(−1.5π·(h/L0)·(1 + 15·tanβ^(4/3)))),
  // the height the surf rule gives at this depth.
  float limit = kNotReached;
  // The height (m) at which the Ursell parameter gHT²/h² equals 50 at this
  // depth, 50·h²/(gT²) with gT² = 2π·L0: the bound past which linear
  // shoaling no longer holds.
  float ursell50 = kNotReached;
};

// Both reference heights at depth h (m) for a breaking point that was found
// (ok()).  h/L0 is formed in single precision, as stateAt forms it, so the
// limit equals stateAt's surf height bit for bit.  A depth that is not a
// finite number > 0 in single precision, a breaking point that failed, or an
// arithmetic fault leaves the value concerned NaN; never throws.
SAIHA_API ReferenceHeights referenceHeights(const Breaking& breaking, double h) noexcept;

// The distance (m) from the still-water shoreline to depth h (m) on the
// beach of a breaking point that was found: n·h in single precision, as the
// profile places its stations.  NaN for a failed breaking point or a depth
// that is not a finite number > 0 in single precision.
SAIHA_API float shoreDistance(const Breaking& breaking, double h) noexcept;

}  // namespace saiha::shore
