// Shuto's (1974) three regimes of shoaling: linear refraction and shoaling
// while the Ursell parameter U = gHT²/h² is below 30; H·h^(2/7) held
// constant for 30 ≤ U < 50; H·h^(5/2)·(√U − 2√3) held constant from U = 50
// to breaking (nonlinearHeightRatio of wave/formulas.h).
//
// Conventions of wave/formulas.h.  Hr and hr are ratios to the deep-water
// wavelength L0 = gT²/(2π) of the caller, so that U = 2π·Hr/hr² exactly.
#pragma once

namespace saiha::wave {

// The height ratio H/L0 at which the Ursell parameter equals U at depth
// ratio hr: U/(2π)·hr².  ursell50Height(hr) is this with U = 50.
double ursellHeight(float hr, double U);

// Height ratio at depth ratio hr on the middle regime, H·h^(2/7) constant
// from the pair (Hr30, hr30): Hr30·(hr30/hr)^(2/7).
// Faults: hr = 0 (division by zero); a negative quotient (invalid power).
double intermediateHeightRatio(float Hr30, float hr30, float hr);

// The two regime boundaries for deep-water height Ho (m), period T (s),
// angle αo (rad) and deep-water wavelength L0 (m), each by bisection over
// h/L0 on 0.001..1 (wave/bisection.h):
//  - (Hr30, hr30): where the linearly refracted and shoaled height reaches
//    U = 30; Hr30 = ursellHeight(hr30, 30) (single);
//  - (Hr50, hr50): where the H·h^(2/7) law from (Hr30, hr30) reaches U = 50;
//    Hr50 = ursellHeight(hr50, 50) (single).
// Throws WaveError(OnsetNotFound) when the first crossing is not on 0.001..1
// and WaveError(IntermediateEndNotFound) when the second is not.  The
// out-arguments are written only when both searches succeed.
void findShutoBoundaries(float& Hr30, float& hr30, float& Hr50, float& hr50, float Ho,
                         float T, float ao, float L0);

}  // namespace saiha::wave
