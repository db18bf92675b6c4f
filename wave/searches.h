// The two root searches that divide a shoaling wave's path into its three
// regimes: linear shoaling, nonlinear shoaling, and the surf zone.
//
// Both bisect over the depth ratio h/L0 on 0.001..1 (wave/bisection.h) and
// write their out-arguments only when they succeed; the breaking search
// goes on shoreward of 0.001, down to 10⁻⁵, for a wave that has not broken
// by 0.001 (crossingBelowFloor).  Arguments follow the
// conventions of wave/formulas.h: single-precision values, double results.
#pragma once

namespace saiha::wave {

// Ursell-50 height ratio minus the linearly refracted and shoaled height
// ratio at depth h (m) with wavelength L (m) there: positive seaward of the
// onset of nonlinear shoaling, negative shoreward of it.
double onsetMismatch(float h, float L, float Ho, float L0, float ao);

// Onset of nonlinear shoaling for deep-water height Ho (m), period T (s) and
// angle αo (rad): the depth ratio hr50 where the linear height reaches the
// Ursell-50 line, and Hr50 = ursell50Height(hr50) (single).  Both are ratios to
// the search's own deep-water wavelength L0′ = T·1.56·T (single), not to
// 9.81·T²/(2π).  Throws WaveError(OnsetNotFound) when the mismatch keeps the
// sign it has at 0.001 all the way to 1.
void findNonlinearOnset(float& Hr50, float& hr50, float Ho, float T, float ao);

// Nonlinearly shoaled height ratio from the onset (Hr50, hr50) at depth ratio
// hr, minus the breaking limit at hr on slope tanβ: negative seaward of the
// breaking point, positive shoreward of it.  A negative Hr50 is set to 0.
double breakingMismatch(float& Hr50, float hr50, float hr, float tanBeta);

// Breaking point on slope tanβ from the onset (Hr50, hr50): the depth ratio
// hbr where the nonlinearly shoaled height meets the breaking limit, and
// Hbr = breakingHeightRatio(hbr, tanβ) (single).  Where the mismatch keeps
// the sign it has at 0.001 all the way to 1, the search goes on shoreward of
// 0.001 (crossingBelowFloor), and hbr < 0.001 says that it found the point
// there.  Throws WaveError(BreakingNotFound) when the height meets the limit
// nowhere on 10⁻⁵..1.
void findBreakingPoint(float& Hr50, float hr50, float& Hbr, float& hbr, float tanBeta);

}  // namespace saiha::wave
