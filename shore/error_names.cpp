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
    case Error::InvalidDesignHeight: return "InvalidDesignHeight";
    case Error::InvalidDesignPeriod: return "InvalidDesignPeriod";
    case Error::InvalidStructureDepth: return "InvalidStructureDepth";
    case Error::DepthOrder: return "DepthOrder";
    case Error::InvalidCrestHeight: return "InvalidCrestHeight";
    case Error::NegativeFreeboard: return "NegativeFreeboard";
    case Error::InvalidStructureWidth: return "InvalidStructureWidth";
    case Error::InvalidAttackAngle: return "InvalidAttackAngle";
    case Error::InvalidPressureFactor: return "InvalidPressureFactor";
    case Error::InvalidCaissonWeight: return "InvalidCaissonWeight";
    case Error::InvalidFriction: return "InvalidFriction";
    case Error::InvalidStructureSlope: return "InvalidStructureSlope";
    case Error::InvalidInfluenceFactor: return "InvalidInfluenceFactor";
    case Error::InvalidArmourParameter: return "InvalidArmourParameter";
    case Error::InvalidRockDensity: return "InvalidRockDensity";
    case Error::HeightOrder: return "HeightOrder";
    case Error::HeightAboveDepthLimit: return "HeightAboveDepthLimit";
    case Error::InvalidToe: return "InvalidToe";
    case Error::ToeNotReached: return "ToeNotReached";
    case Error::InvalidStructureOption: return "InvalidStructureOption";
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
    case Warning::SlidingBelowRequired: return "SlidingBelowRequired";
    case Warning::OverturningBelowRequired: return "OverturningBelowRequired";
    case Warning::SteepnessOutsideRange: return "SteepnessOutsideRange";
    case Warning::StructureSlopeOutsideRange: return "StructureSlopeOutsideRange";
    case Warning::FreeboardOutsideRange: return "FreeboardOutsideRange";
    case Warning::NegligibleOvertopping: return "NegligibleOvertopping";
    case Warning::ArmourOutsideRange: return "ArmourOutsideRange";
    case Warning::ToeDepthOutsideRange: return "ToeDepthOutsideRange";
    case Warning::ObliqueOutsideRange: return "ObliqueOutsideRange";
    case Warning::BreakerParameterOutsideRange: return "BreakerParameterOutsideRange";
    case Warning::HrmsAboveMeanDepth: return "HrmsAboveMeanDepth";
    case Warning::CurrentAboveFittedRange: return "CurrentAboveFittedRange";
    case Warning::BoundaryInSurfZone: return "BoundaryInSurfZone";
  }
  return {};
}

}  // namespace saiha::shore
