#include "shore/error_names.h"

namespace saiha::shore {

std::string_view errorName(Error code) noexcept {
  switch (code) {
    case Error::None: return "None";
    case Error::InvalidHeight: return "InvalidHeight";
    case Error::InvalidPeriod: return "InvalidPeriod";
    case Error::InvalidAngle: return "InvalidAngle";
    case Error::InvalidSlope: return "InvalidSlope";
    case Error::InvalidDepth: return "InvalidDepth";
    case Error::OnsetNotFound: return "OnsetNotFound";
    case Error::BreakingNotFound: return "BreakingNotFound";
    case Error::NonlinearShoalingLimit: return "NonlinearShoalingLimit";
    case Error::CoefficientDivisor: return "CoefficientDivisor";
    case Error::WaveLengthLimit: return "WaveLengthLimit";
    case Error::DivisionByZero: return "DivisionByZero";
    case Error::InvalidOperation: return "InvalidOperation";
    case Error::Overflow: return "Overflow";
    case Error::BreakingDepthTooSmall: return "BreakingDepthTooSmall";
    case Error::IntermediateEndNotFound: return "IntermediateEndNotFound";
    case Error::EmpiricalNotSettled: return "EmpiricalNotSettled";
    case Error::WeggelIndexNotPositive: return "WeggelIndexNotPositive";
    case Error::InvalidTransportCoefficient: return "InvalidTransportCoefficient";
    case Error::InvalidWaterDensity: return "InvalidWaterDensity";
    case Error::InvalidSedimentDensity: return "InvalidSedimentDensity";
    case Error::InvalidPorosity: return "InvalidPorosity";
    case Error::InvalidBreakingPoint: return "InvalidBreakingPoint";
    case Error::SteepnessLimit: return "SteepnessLimit";
    case Error::InvalidRunupHeight: return "InvalidRunupHeight";
    case Error::InvalidRunupPeriod: return "InvalidRunupPeriod";
    case Error::InvalidForeshoreSlope: return "InvalidForeshoreSlope";
    case Error::NegativeSetup: return "NegativeSetup";
    case Error::ProfileLengthMismatch: return "ProfileLengthMismatch";
    case Error::ProfileTooShort: return "ProfileTooShort";
    case Error::ProfileNotFinite: return "ProfileNotFinite";
    case Error::ProfileNotIncreasing: return "ProfileNotIncreasing";
    case Error::InvalidTransformOption: return "InvalidTransformOption";
    case Error::InvalidTide: return "InvalidTide";
    case Error::BoundaryTooShallow: return "BoundaryTooShallow";
    case Error::TooFewWetPoints: return "TooFewWetPoints";
    case Error::MicheLimitAtBoundary: return "MicheLimitAtBoundary";
    case Error::TransformNotSettled: return "TransformNotSettled";
    case Error::ProfileOutOfRange: return "ProfileOutOfRange";
    case Error::TransformStepLimit: return "TransformStepLimit";
    case Error::PeriodOutOfRange: return "PeriodOutOfRange";
    case Error::TideOutOfRange: return "TideOutOfRange";
    case Error::WindStressOutOfRange: return "WindStressOutOfRange";
  }
  return {};
}

std::string_view warningName(Warning bit) noexcept {
  switch (bit) {
    case Warning::SteepSlope: return "SteepSlope";
    case Warning::IrregularWaveIndex: return "IrregularWaveIndex";
    case Warning::GentleSlope: return "GentleSlope";
    case Warning::HeightAboveDepth: return "HeightAboveDepth";
    case Warning::RunupBelowSetup: return "RunupBelowSetup";
    case Warning::StockdonBranchChange: return "StockdonBranchChange";
    case Warning::ShallowForRandomWaves: return "ShallowForRandomWaves";
    case Warning::LowSteepness: return "LowSteepness";
    case Warning::BelowSearchFloor: return "BelowSearchFloor";
    case Warning::ShoalingNotFormed: return "ShoalingNotFormed";
    case Warning::BreakerIndexAboveSetupRange: return "BreakerIndexAboveSetupRange";
    case Warning::GammaFitRange: return "GammaFitRange";
    case Warning::ShorelineNotReached: return "ShorelineNotReached";
    case Warning::DryBarCrest: return "DryBarCrest";
    case Warning::HrmsAboveMeanDepth: return "HrmsAboveMeanDepth";
    case Warning::CurrentAboveFittedRange: return "CurrentAboveFittedRange";
    case Warning::BoundaryInSurfZone: return "BoundaryInSurfZone";
  }
  return {};
}

}  // namespace saiha::shore
