// One whole calculation over a sheet: the breaking point, then wave height,
// wavelength, celerity, direction and orbital motion at the chosen depth.
#pragma once

#include <bitset>
#include <optional>
#include <string>

#include "sheet/sheet.h"
#include "shore/engine.h"

namespace saiha::sheet {

// Why a calculation ended early: the engine's code, and the box it concerns
// (boxOf).
struct CalcError {
  shore::Error code = shore::Error::None;
  std::optional<Box> box;

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

// The message the user sees for an error (report/messages.h).
std::string errorText(const CalcError& error);

// The wave and beach of a sheet's input boxes, read exactly as `calc` reads
// them: the number at the start of each text (Ho m, T s, αo degrees, n), NaN
// where a text has none, which findBreaking then refuses with that input's
// code.  Never throws.
shore::Wave waveOf(const SheetAccess& sheet);

// The depth (m) in the depth box, read as `calc` reads it; nothing when the
// box is exactly empty or its text does not start with a number.  The value
// may still be one that stateAt refuses (0, negative).
std::optional<double> chosenDepth(const SheetAccess& sheet);

// The input box an engine code concerns: the box of the input it refuses,
// the depth box for BreakingDepthTooSmall; nothing for any other code.
std::optional<Box> boxOf(shore::Error code);
// The sheet's view of an engine code: the code and the box it concerns.
CalcError calcErrorOf(shore::Error code);

}  // namespace saiha::sheet
