#include "sheet/calc.h"

#include <array>
#include <cmath>
#include <utility>

#include "runtime/text.h"
#include "report/case.h"
#include "report/messages.h"

namespace saiha::sheet {

namespace {

double numberIn(const SheetAccess& sheet, Box box) {
  return report::inputNumber(sheet.text(box));
}

void write(SheetAccess& sheet, CalcOutcome& outcome, Box box, float value) {
  sheet.setText(box, rt::formatResult(value));
  outcome.written.set(index(box));
}

// The result boxes at the breaking point and at the chosen depth, in the
// order the engine reaches their values.
constexpr std::array<Box, 4> kBreakingBoxes = {Box::BreakerHeight, Box::BreakingDepth,
                                               Box::BreakerIndex, Box::BreakingAngle};
constexpr std::array<Box, 8> kDepthBoxes = {
    Box::Wavelength,      Box::Direction,   Box::Celerity,         Box::WaveHeight,
    Box::BottomAmplitude, Box::BottomSpeed, Box::SurfaceAmplitude, Box::SurfaceSpeed};

// One calculation; returns the code that ended it early, or None.  An
// exactly empty depth box takes the breaking depth as written, rounded to two
// decimals (calcCase), and keeps that text.
shore::Error run(SheetAccess& sheet, CalcOutcome& outcome) {
  const bool emptyDepth = sheet.text(kDepthBox).empty();
  const report::CaseResult r = report::calcCase(
      waveOf(sheet), emptyDepth ? std::nullopt : std::optional(numberIn(sheet, kDepthBox)));
  const std::array<float, 4> atBreaking = r.breaking.results();
  for (int i = 0; i < r.breaking.reached; ++i) {
    write(sheet, outcome, kBreakingBoxes[i], atBreaking[i]);
  }
  if (r.depthDefaulted) sheet.setText(kDepthBox, sheet.text(Box::BreakingDepth));
  const std::array<float, 8> atDepth = r.state.results();
  for (int i = 0; i < r.state.reached; ++i) write(sheet, outcome, kDepthBoxes[i], atDepth[i]);
  return r.error;
}

}  // namespace

shore::Wave waveOf(const SheetAccess& sheet) {
  return {numberIn(sheet, kHeightBox), numberIn(sheet, kPeriodBox), numberIn(sheet, kAngleBox),
          numberIn(sheet, kSlopeBox)};
}

std::optional<double> chosenDepth(const SheetAccess& sheet) {
  const std::string text = sheet.text(kDepthBox);
  if (text.empty()) return std::nullopt;
  return rt::leadingNumber(text);
}

CalcOutcome calc(SheetAccess& sheet) {
  CalcOutcome outcome;
  if (const shore::Error code = run(sheet, outcome); code != shore::Error::None) {
    outcome.error = calcErrorOf(code);
  }
  // No stale results: what this calculation did not reach shows "????".
  if (outcome.error) {
    for (Box box : kResultBoxes) {
      if (!outcome.written.test(index(box))) sheet.setText(box, std::string(kNoResult));
    }
  }
  return outcome;
}

std::optional<Box> boxOf(shore::Error code) {
  using shore::Error;
  static constexpr std::pair<Error, Box> kBoxes[] = {
      {Error::InvalidHeight, kHeightBox}, {Error::InvalidPeriod, kPeriodBox},
      {Error::InvalidAngle, kAngleBox},   {Error::InvalidSlope, kSlopeBox},
      {Error::InvalidDepth, kDepthBox},   {Error::BreakingDepthTooSmall, kDepthBox},
  };
  for (const auto& [error, box] : kBoxes) {
    if (error == code) return box;
  }
  return std::nullopt;
}

CalcError calcErrorOf(shore::Error code) { return {code, boxOf(code)}; }

std::string errorText(const CalcError& error) { return report::errorText(error.code); }

}  // namespace saiha::sheet
