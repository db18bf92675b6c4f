// One whole calculation over a sheet: the breaking point, then wave height,
// wavelength, celerity, direction and orbital motion at the chosen depth.
#pragma once

#include <bitset>
#include <optional>
#include <string>

#include "runtime/checked.h"
#include "sheet/sheet.h"
#include "shore/engine.h"

namespace saiha::sheet {

// Why a calculation ended early.
enum class ErrorKind {
  InvalidInput,             // an input box failed its check; `box` says which
  OnsetNotFound,            // no onset of nonlinear shoaling on h/L0 = 0.001..1
  BreakingNotFound,         // no breaking point on h/L0 = 0.001..1
  NonlinearShoalingLimit,   // nonlinear shoaling did not converge
  CoefficientDivisor,       // zero divisor in a refraction or shoaling coefficient
  WaveLengthLimit,          // the dispersion relation did not converge
  ArithmeticFault,          // `fault` says which
  BreakingDepthTooSmall,    // the breaking depth rounds to 0.00 m: enter a depth
  IntermediateEndNotFound,  // Shuto's H·h^(2/7) law reaches no U = 50 on h/L0 = 0.001..1
  EmpiricalNotSettled,      // the empirical breaker height did not settle with refraction
  WeggelIndexNotPositive,   // Weggel's breaker index ≤ 0: no breaking depth
  InvalidTransportCoefficient,  // the transport coefficient K
  InvalidWaterDensity,          // the water density ρ
  InvalidSedimentDensity,       // the sediment density ρs
  InvalidPorosity,              // the porosity p
  InvalidBreakingPoint,         // Hb, hb or θb handed to the transport
  InvalidRunupHeight,           // the runup's deep-water significant height H0
  InvalidRunupPeriod,           // the runup's peak period Tp
  InvalidForeshoreSlope,        // the foreshore slope βf
};

struct CalcError {
  ErrorKind kind;
  std::optional<Box> box;  // the input box concerned, for InvalidInput
  rt::Fault fault = rt::Fault::InvalidOperation;  // for ArithmeticFault

  friend bool operator==(const CalcError&, const CalcError&) = default;
};

struct CalcOutcome {
  std::optional<CalcError> error;     // empty when every result was written
  std::bitset<kBoxCount> written;     // the result boxes this calculation wrote
  bool ok() const { return !error.has_value(); }
};

// Runs one calculation over the sheet's texts.
//
// Reads Ho, T, αo and n, finds the breaking point (shore/engine.h), writes
// the four breaking-point results, copies the breaking depth text into the
// depth box when that box is exactly empty, and writes the eight results at
// that depth.  A breaking depth that shows as 0.00 is not copied: the box
// stays empty and the calculation ends with BreakingDepthTooSmall.
//
// Never throws for any text.  When it ends early it returns the error; boxes
// it wrote keep their new texts, a depth it copied stays, and every other
// result box shows "????".
CalcOutcome calc(SheetAccess& sheet);

// The message the user sees for an error, in Japanese.
std::string errorText(const CalcError& error);

// The depth an empty depth box takes: the breaking depth as the window shows
// it, rounded to two decimals and read back (m, single).  Nothing when that
// reads as no depth (a breaking depth below 0.005 m shows as "0.00"): the
// caller reports BreakingDepthTooSmall.
std::optional<float> defaultDepth(const shore::Breaking& breaking);

// The wave and beach of a sheet's input boxes, read exactly as `calc` reads
// them: the number at the start of each text (Ho m, T s, αo degrees, n), NaN
// where a text has none, which findBreaking then refuses with that input's
// code.  Never throws.
shore::Wave waveOf(const SheetAccess& sheet);

// The depth (m) in the depth box, read as `calc` reads it; nothing when the
// box is exactly empty or its text does not start with a number.  The value
// may still be one that stateAt refuses (0, negative).
std::optional<double> chosenDepth(const SheetAccess& sheet);

// The sheet's view of an engine code: the kind, and the input box concerned.
CalcError calcErrorOf(shore::Error code);
// The message for an engine code, as the window shows it; empty for None.
std::string errorText(shore::Error code);

}  // namespace saiha::sheet
