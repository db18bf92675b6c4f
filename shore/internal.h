// Pieces of the engine shared by its source files; not for front ends.
#pragma once

#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "runtime/checked.h"
#include "shore/engine.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/detail/batch.h"

namespace saiha::shore::detail {

// An input that fails its check; caught where the calculation reports.
struct Rejected {
  Error error;
};

// A length or period narrowed to single without a fault test, required to be
// finite and positive as a float, so that a value that narrows to 0 or to
// infinity is refused here and not deep in a formula.
inline float positiveSingle(double value, Error error) {
  const float single = static_cast<float>(value);
  if (!(std::isfinite(single) && single > 0)) throw Rejected{error};
  return single;
}

// A direction in degrees (single) from one in radians.
inline float degreesOf(double radians) {
  return rt::narrow(rt::Real(radians) * 180 / wave::kPi);
}

Error codeOf(wave::Failure failure);
Error codeOf(rt::Fault fault);

// Runs `body`, turning whatever ends it early into an error code.
template <class Body>
Error guarded(Body&& body) noexcept {
  try {
    body();
    return Error::None;
  } catch (const Rejected& rejected) {
    return rejected.error;
  } catch (const rt::ArithmeticFault& fault) {
    return codeOf(fault.fault());
  } catch (const wave::WaveError& failure) {
    return codeOf(failure.failure());
  } catch (...) {
    return Error::InvalidOperation;
  }
}

// Reads and checks the inputs in the order Ho, T, αo, n into b's working
// quantities (Ho, T, ao, n, tanβ, L0).  Throws Rejected.
void readWave(const Wave& wave, Breaking& b);

// What the lanes side by side found for a breaking point of the default
// model before findBreaking runs: its two searches, the first crossing of a
// steep wave (found only where that wave needs it), and the wavelength at
// the breaking depth (for the depth and period it names).
struct FirstCrossing {
  float Hbr, hbr;
};
struct BreakingHints {
  const wave::detail::SearchRow* found = nullptr;
  bool steepTested = false;  // the steep-wave test ran without a fault,
  bool steep = false;        // and held
  std::optional<FirstCrossing> crossing;  // the crossing of a steep wave, where found
  const wave::detail::LengthJob* atBreaking = nullptr;
};

// findBreaking(wave, model), taking what `hints` holds (may be null).
Breaking findBreakingWith(const Wave& wave, const Model& model,
                          const BreakingHints* hints) noexcept;

// findBreaking over many waves on the given lanes (tests run both paths).
void findBreakingSideBySide(std::span<const Wave> waves, std::span<Breaking> out,
                            const Model& model, wave::detail::LanePath path) noexcept;

// A depth as the height rules see it: the ratio hr = h/L0 that picks the
// regime, the depth h (m), and the wavelength there, formed only when a rule
// needs it.
class Depth {
 public:
  Depth(float hr, float h, float T) : hr_(hr), h_(h), T_(T) {}
  Depth(float hr, float h, float T, float L) : hr_(hr), h_(h), T_(T), L_(L) {}
  float hr() const { return hr_; }
  float h() const { return h_; }
  // The nonlinear shoaling height ratio here from the onset pair, where it
  // was found already (the lanes side by side found it bit for bit).
  void knowNonlinear(double ratio) { nonlinear_ = ratio; }
  const std::optional<double>& nonlinear() const { return nonlinear_; }
  float L() {
    if (!L_) L_ = rt::narrow(wave::waveLength(T_, h_));  // single
    return *L_;
  }

 private:
  float hr_, h_, T_;
  std::optional<float> L_;
  std::optional<double> nonlinear_;
};

// What the lanes side by side found for a state before stateAt runs: the
// wavelength at the depth and the nonlinear shoaling height ratio there,
// each bit for bit what stateAt would form.
struct StateHints {
  std::optional<float> L;
  std::optional<double> nonlinear;
};

// stateAt(b, depth), taking what `hints` holds (may be null) instead of
// forming it.
State stateAtWith(const Breaking& b, double depth, const StateHints* hints) noexcept;

// stateAt over spans on the given lanes (tests run both paths).
void stateAtSideBySide(std::span<const Breaking> breakings, std::span<const double> depths,
                       std::span<State> out, wave::detail::LanePath path) noexcept;

// The height ratio H/L0 seaward of the breaking point under b's shoaling
// rule, and which rule gave it.
rt::Real shoaledHeightRatio(const Breaking& b, Depth& depth, HeightRule& rule);
// The breaker limit Hb/L0 at the depth under b's breaker limit.
rt::Real limitHeightRatio(const Breaking& b, Depth& depth);
// The regime boundaries and the breaking point (Hbr, hbr) of a model other
// than the default: where the height that applies at each depth meets the
// limit.  b's inputs are read.  Throws as the searches do.
void findModelBreaking(Breaking& b);
// Whether the linearly refracted and shoaled height at the breaking point
// hbr exceeds the limit Hbr there.
bool linearAboveLimitAtBreaking(const Breaking& b);
// The breaking point (Hbr, hbr) where the height that applies at each depth
// under b's model first meets the limit, coming from deep water; b's regime
// boundaries are found.  Throws as the searches do.
void findFirstCrossing(Breaking& b);
// findFirstCrossing for many breaking points of the default model at once,
// each probe's wavelength or nonlinear height found side by side in the
// lanes.  crossed[i] says where breakings[i] took its first crossing, bit
// for bit findFirstCrossing's; elsewhere (a probe the lanes could not give,
// a fault, a search that fails) it is left as it was, for findFirstCrossing
// itself to give or raise what it always does.  Never throws.
void findFirstCrossings(std::span<Breaking* const> breakings, std::span<bool> crossed,
                        wave::detail::LanePath path) noexcept;

// A profile station to be: its depth (m) and its mark.
struct PlannedStation {
  double h;
  Mark mark;
  std::optional<float> x = std::nullopt;  // exact distance from the shoreline, for a spacing
};

// The stations of a profile from the seaward depth `from` (m) on the slope
// 1/n under `options` (ProfileOptions), with `marks` inserted in their
// places (within the range) or marking the regular station at their depth;
// a later mark of two at one depth wins.  InvalidDepth for a seaward end or
// spacing that is not a finite number > 0, or a station count outside
// 1..kMaxStations.
Error planStations(double from, double n, const ProfileOptions& options,
                   std::vector<PlannedStation> marks, std::vector<PlannedStation>& plan);

// The linear dispersion of the measured-profile transform at the mean depth
// d (m) for the angular frequency ω (rad/s): kd from kd·tanh(kd) = ω²d/g
// (g = 9.81 m/s²) within 1e-13 of it, and the kinematics that follow.
// Started from `near`, the kinematics of a depth close by (which may be q
// itself), or without it from an explicit approximation.
struct TransformKinematics {
  double k = 0, c = 0, cg = 0, n = 0;  // 1/m, m/s, m/s, cg/c
  double kd = 0, d = 0, sinhkd = 0;    // sinhkd infinite in deep water
  double E = 0;                        // e^(−2kd), 0 in deep water
  double F = 1;                        // 1 − e^(−2kd), to its own precision
};
void solveTransformKinematics(double omega, double d, const TransformKinematics* near,
                              TransformKinematics& q) noexcept;

}  // namespace saiha::shore::detail
