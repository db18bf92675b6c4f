#include "sheet/calc.h"

#include <cmath>

#include "runtime/checked.h"
#include "runtime/text.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/searches.h"

namespace saiha::sheet {

using rt::narrow;
using rt::Real;
using namespace saiha::wave;

namespace {

// An input box whose text fails its check.
struct InputRejected {
  Box box;
};

// The number at the start of a box's text; a text without one fails the
// box's check.
double requireNumber(const SheetAccess& sheet, Box box) {
  const auto number = rt::leadingNumber(sheet.text(box));
  if (!number) throw InputRejected{box};
  return *number;
}

// A length or period: read, narrowed to single without a fault test, and
// required to be finite and positive as a float (so that a value that
// narrows to 0 or to infinity is refused here, not deep in a formula).
float requirePositiveSingle(const SheetAccess& sheet, Box box) {
  const float value = static_cast<float>(requireNumber(sheet, box));
  if (!(std::isfinite(value) && value > 0)) throw InputRejected{box};
  return value;
}

// Radians from degrees: divided by 180 first, then multiplied by π.
constexpr double kDegreesPerHalfTurn = 180;

class Sequence {
 public:
  Sequence(SheetAccess& sheet, CalcOutcome& outcome) : sheet_(sheet), outcome_(outcome) {}

  void run() {
    // Inputs, each checked as it is read.
    const float Ho = requirePositiveSingle(sheet_, kHeightBox);
    const float T = requirePositiveSingle(sheet_, kPeriodBox);
    const double degrees = requireNumber(sheet_, kAngleBox);
    if (!(degrees > -90 && degrees < 90)) throw InputRejected{kAngleBox};
    const float ao = narrow(Real(degrees) / kDegreesPerHalfTurn * kPi);
    const double n = requireNumber(sheet_, kSlopeBox);
    if (!(std::isfinite(n) && n > 0)) throw InputRejected{kSlopeBox};
    const float tanBeta = narrow(Real(1) / n);
    // Deep-water wavelength gT²/(2π).
    const float L0 = narrow(Real(kGravity) / 2 / kPi * T * T);

    // The breaking point.  The onset pair is in ratios to the onset search's
    // own deep-water wavelength 1.56·T²; it is used with L0 as it comes.
    float Hr50 = 0, hr50 = 0, Hbr = 0, hbr = 0;
    findNonlinearOnset(Hr50, hr50, Ho, T, ao);
    findBreakingPoint(Hr50, hr50, Hbr, hbr, tanBeta);
    write(Box::Text3, narrow(Real(Hbr) * L0));  // breaker height
    write(Box::Text4, narrow(Real(hbr) * L0));  // breaking depth
    write(Box::Text14, narrow(Real(Hbr) / hbr));  // γ, from the ratios, not the rounded texts
    const float hb = narrow(Real(hbr) * L0);
    const float Lb = narrow(waveLength(T, hb));
    write(Box::Text16, degreesOf(refractedAngle(Lb, L0, ao)));

    // The chosen depth: an exactly empty box takes the breaking depth as
    // written, rounded to two decimals.
    if (sheet_.text(kDepthBox).empty()) sheet_.setText(kDepthBox, sheet_.text(Box::Text4));
    const float h = requirePositiveSingle(sheet_, kDepthBox);
    const float hr = narrow(Real(h) / L0);

    const float L = narrow(waveLength(T, h));
    write(Box::Text13, L);
    write(Box::Text17, degreesOf(refractedAngle(L, L0, ao)));
    write(Box::Text10, narrow(Real(L) / T));  // celerity

    // Height by zone: linear shoaling seaward of the onset, nonlinear
    // shoaling down to the breaking point, the breaking limit inside the surf
    // zone.  A depth exactly at a boundary takes the shoreward rule.
    const Real Hr = hr > hr50   ? Real(linearHeightRatio(h, L, Ho, L0, ao))
                    : hr > hbr  ? Real(nonlinearHeightRatio(Hr50, hr50, hr))
                                : Real(breakingHeightRatio(hr, tanBeta));
    const float H = narrow(Hr * L0);
    write(Box::Text15, H);

    // Orbital motion of linear theory: semi-amplitudes (H/2)/sinh kh at the
    // bottom and (H/2)·coth kh at the surface, maximum speeds (πH/T) times the
    // same factors, with π taken as 3.14 in the speeds.
    const float kh = narrow(Real(h) * kTwoPi / L);
    const float halfHeight = narrow(Real(H) / 2);
    const Real speedScale = Real(H) * 3.14 / T;
    const Real cosech = waveCosech(kh);
    write(Box::Text6, narrow(Real(halfHeight) * cosech));
    write(Box::Text7, narrow(speedScale * cosech));
    const Real coth = waveCoth(kh);
    write(Box::Text8, narrow(Real(halfHeight) * coth));
    write(Box::Text9, narrow(speedScale * coth));
  }

 private:
  // A direction in degrees (single) from one in radians.
  static float degreesOf(double radians) { return narrow(Real(radians) * 180 / kPi); }

  void write(Box box, float value) {
    sheet_.setText(box, rt::formatResult(value));
    outcome_.written.set(index(box));
  }

  SheetAccess& sheet_;
  CalcOutcome& outcome_;
};

ErrorKind kindOf(Failure failure) {
  switch (failure) {
    case Failure::CoefficientDivisor: return ErrorKind::CoefficientDivisor;
    case Failure::NonlinearShoalingLimit: return ErrorKind::NonlinearShoalingLimit;
    case Failure::WaveLengthLimit: return ErrorKind::WaveLengthLimit;
    case Failure::OnsetNotFound: return ErrorKind::OnsetNotFound;
    case Failure::BreakingNotFound: return ErrorKind::BreakingNotFound;
  }
  return ErrorKind::ArithmeticFault;
}

}  // namespace

CalcOutcome calc(SheetAccess& sheet) {
  CalcOutcome outcome;
  try {
    Sequence(sheet, outcome).run();
  } catch (const InputRejected& rejected) {
    outcome.error = CalcError{ErrorKind::InvalidInput, rejected.box};
  } catch (const rt::ArithmeticFault& fault) {
    outcome.error = CalcError{ErrorKind::ArithmeticFault, std::nullopt, fault.fault()};
  } catch (const WaveError& failure) {
    outcome.error = CalcError{kindOf(failure.failure()), std::nullopt};
  }
  // No stale results: what this calculation did not reach shows "????".
  if (outcome.error) {
    for (Box box : kResultBoxes) {
      if (!outcome.written.test(index(box))) sheet.setText(box, std::string(kNoResult));
    }
  }
  return outcome;
}

}  // namespace saiha::sheet
