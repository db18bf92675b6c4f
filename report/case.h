// One case of the calculation as numbers: the breaking point, the depth an
// empty depth box takes, the state there.  Every front end computes its
// cases here (the sheet, saiha-calc, the Python package).
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::report {

struct CaseResult {
  shore::Breaking breaking;
  // An empty depth took the breaking depth as the window writes it (two
  // decimals, formatResult(breaking.hb)); false when a depth was given or
  // the calculation ended before the depth was chosen.
  bool depthDefaulted = false;
  shore::State state;  // reached == 0 when the calculation ended before it
  shore::Error error = shore::Error::None;  // what ended the case early
  bool ok() const { return error == shore::Error::None; }
};

// The depth an empty depth box takes: the breaking depth as the window shows
// it, rounded to two decimals and read back (m, single).  Nothing when that
// reads as no depth (a breaking depth below 0.005 m shows as "0.00"): the
// caller reports BreakingDepthTooSmall.  Also nothing for a breaking point
// that was not found (hb NaN).  Never throws.
SAIHA_API std::optional<float> defaultDepth(const shore::Breaking& breaking);

// The number at the start of an input's text, as the sheet reads a box; NaN
// when the text has none, which the engine then refuses for that input.
// Any text (rt::leadingNumber's rules); never fails.
SAIHA_API double inputNumber(std::string_view text);

// An input cell read as a number, and whether its text says more than that.
struct CellNumber {
  double value = 0;  // inputNumber's reading: NaN when the text holds no number
  // Text goes on after the number (blanks, tabs and line feeds aside, which
  // the reading skips wherever they stand): a unit ("3ft", "10 s"), a decimal
  // comma where a point is read ("1,5" is 1), an exponent marker without
  // digits ("1e").  The sheet reads such a box as its leading number; a
  // front end may refuse it or warn.  False when there is no number at all.
  bool trailingText = false;
};
// The cell's number as inputNumber reads it; with `decimalComma`, ',' is
// the decimal mark and '.' a character like any other ("1,5" is 1.5, "1.5"
// is 1 with text after it).
SAIHA_API CellNumber readCell(std::string_view text, bool decimalComma = false);
// readCell(text, decimalComma).trailingText without reading the number.
SAIHA_API bool saysMoreThanNumber(std::string_view text, bool decimalComma = false);

// Whether a cell reads as a number beyond single precision (above about
// 3.4e38 in size, "1e39") or names an infinity ("inf", "-Infinity", blanks
// aside): a value the engine, which computes in single precision, refuses
// though its text is a number.
SAIHA_API bool beyondSingle(std::string_view text, bool decimalComma = false);

// Computes one case as the sheet does, under `model` (the breaker limit and
// shoaling rule; the default one is the window's calculation).  `depth` (m)
// is the number read from the depth box (NaN when its text holds none);
// nothing stands for an exactly empty box, which takes the breaking depth
// rounded to two decimals, or ends with BreakingDepthTooSmall when that
// rounds to 0.00.  Inputs are checked as findBreaking and stateAt check
// them; nothing throws.
SAIHA_API CaseResult calcCase(const shore::Wave& wave, std::optional<double> depth,
                              const shore::Model& model = {}) noexcept;
// The same from the wave's breaking point, found by findBreaking (one wave
// or many side by side) under the model.
SAIHA_API CaseResult calcCase(const shore::Breaking& breaking,
                              std::optional<double> depth) noexcept;
// Many cases from their breaking points: out[i] = calcCase(breakings[i],
// depths[i]) for i below the shortest span's size, the states found side by
// side (shore::stateAt over spans).
SAIHA_API void calcCases(std::span<const shore::Breaking> breakings,
                         std::span<const std::optional<double>> depths,
                         std::span<CaseResult> out) noexcept;

}  // namespace saiha::report
