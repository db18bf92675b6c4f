#include "sheet/calc.h"

#include <array>
#include <cmath>

#include "runtime/text.h"
#include "sheet/case.h"

namespace saiha::sheet {

namespace {

double numberIn(const SheetAccess& sheet, Box box) { return inputNumber(sheet.text(box)); }

void write(SheetAccess& sheet, CalcOutcome& outcome, Box box, float value) {
  sheet.setText(box, rt::formatResult(value));
  outcome.written.set(index(box));
}

// The result boxes at the breaking point and at the chosen depth, in the
// order the engine reaches their values.
constexpr std::array<Box, 4> kBreakingBoxes = {Box::Text3, Box::Text4, Box::Text14, Box::Text16};
constexpr std::array<Box, 8> kDepthBoxes = {Box::Text13, Box::Text17, Box::Text10, Box::Text15,
                                            Box::Text6,  Box::Text7,  Box::Text8,  Box::Text9};

// One calculation; returns the code that ended it early, or None.  An
// exactly empty depth box takes the breaking depth as written, rounded to two
// decimals (calcCase), and keeps that text.
shore::Error run(SheetAccess& sheet, CalcOutcome& outcome) {
  const bool emptyDepth = sheet.text(kDepthBox).empty();
  const CaseResult r = calcCase(
      waveOf(sheet), emptyDepth ? std::nullopt : std::optional(numberIn(sheet, kDepthBox)));
  const std::array<float, 4> atBreaking = r.breaking.results();
  for (int i = 0; i < r.breaking.reached; ++i) {
    write(sheet, outcome, kBreakingBoxes[i], atBreaking[i]);
  }
  if (r.depthDefaulted) sheet.setText(kDepthBox, sheet.text(Box::Text4));
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

}  // namespace saiha::sheet

namespace saiha::sheet {

std::optional<float> defaultDepth(const shore::Breaking& breaking) {
  const float depth = static_cast<float>(rt::readNumber(rt::formatResult(breaking.hb)));
  if (!(depth > 0)) return std::nullopt;
  return depth;
}

CalcError calcErrorOf(shore::Error code) {
  using shore::Error;
  switch (code) {
    case Error::None: break;
    case Error::InvalidHeight: return {ErrorKind::InvalidInput, kHeightBox};
    case Error::InvalidPeriod: return {ErrorKind::InvalidInput, kPeriodBox};
    case Error::InvalidAngle: return {ErrorKind::InvalidInput, kAngleBox};
    case Error::InvalidSlope: return {ErrorKind::InvalidInput, kSlopeBox};
    case Error::InvalidDepth: return {ErrorKind::InvalidInput, kDepthBox};
    case Error::OnsetNotFound: return {ErrorKind::OnsetNotFound, std::nullopt};
    case Error::BreakingNotFound: return {ErrorKind::BreakingNotFound, std::nullopt};
    case Error::NonlinearShoalingLimit: return {ErrorKind::NonlinearShoalingLimit, std::nullopt};
    case Error::CoefficientDivisor: return {ErrorKind::CoefficientDivisor, std::nullopt};
    case Error::WaveLengthLimit: return {ErrorKind::WaveLengthLimit, std::nullopt};
    case Error::DivisionByZero:
      return {ErrorKind::ArithmeticFault, std::nullopt, rt::Fault::DivisionByZero};
    case Error::InvalidOperation:
      return {ErrorKind::ArithmeticFault, std::nullopt, rt::Fault::InvalidOperation};
    case Error::Overflow: return {ErrorKind::ArithmeticFault, std::nullopt, rt::Fault::Overflow};
    case Error::BreakingDepthTooSmall: return {ErrorKind::BreakingDepthTooSmall, kDepthBox};
    case Error::IntermediateEndNotFound: return {ErrorKind::IntermediateEndNotFound, std::nullopt};
    case Error::EmpiricalNotSettled: return {ErrorKind::EmpiricalNotSettled, std::nullopt};
    case Error::WeggelIndexNotPositive: return {ErrorKind::WeggelIndexNotPositive, std::nullopt};
    case Error::InvalidTransportCoefficient:
      return {ErrorKind::InvalidTransportCoefficient, std::nullopt};
    case Error::InvalidWaterDensity: return {ErrorKind::InvalidWaterDensity, std::nullopt};
    case Error::InvalidSedimentDensity: return {ErrorKind::InvalidSedimentDensity, std::nullopt};
    case Error::InvalidPorosity: return {ErrorKind::InvalidPorosity, std::nullopt};
    case Error::InvalidBreakingPoint: return {ErrorKind::InvalidBreakingPoint, std::nullopt};
    case Error::InvalidRunupHeight: return {ErrorKind::InvalidRunupHeight, std::nullopt};
    case Error::InvalidRunupPeriod: return {ErrorKind::InvalidRunupPeriod, std::nullopt};
    case Error::InvalidForeshoreSlope: return {ErrorKind::InvalidForeshoreSlope, std::nullopt};
  }
  return {ErrorKind::ArithmeticFault, std::nullopt, rt::Fault::InvalidOperation};
}

std::string errorText(shore::Error code) {
  return code == shore::Error::None ? std::string() : errorText(calcErrorOf(code));
}

}  // namespace saiha::sheet
