// The names of the engine's error codes, as the enumerators of shore::Error
// spell them ("InvalidHeight"): for bindings that check their own list of
// codes against this one name by name, and for logs.  Never shown to users:
// their words are report/messages.h's.
#pragma once

#include <string_view>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::shore {

// The enumerator's name of `code`; empty for a value that names no code.
SAIHA_API std::string_view errorName(Error code) noexcept;

// Every warning bit, in the order of their values.
inline constexpr Warning kWarnings[] = {
    Warning::SteepSlope,           Warning::IrregularWaveIndex,
    Warning::GentleSlope,          Warning::HeightAboveDepth,
    Warning::RunupBelowSetup,      Warning::StockdonBranchChange,
    Warning::ShallowForRandomWaves, Warning::LowSteepness,
    Warning::BelowSearchFloor,     Warning::ShoalingNotFormed,
    Warning::BreakerIndexAboveSetupRange, Warning::GammaFitRange,
    Warning::ShorelineNotReached,  Warning::DryBarCrest,
    Warning::SlidingBelowRequired, Warning::OverturningBelowRequired,
    Warning::SteepnessOutsideRange, Warning::StructureSlopeOutsideRange,
    Warning::FreeboardOutsideRange, Warning::NegligibleOvertopping,
    Warning::ArmourOutsideRange,   Warning::ToeDepthOutsideRange,
    Warning::ObliqueOutsideRange,  Warning::BreakerParameterOutsideRange,
    Warning::HrmsAboveMeanDepth,   Warning::CurrentAboveFittedRange,
    Warning::BoundaryInSurfZone,
};

// The enumerator's name of a warning bit ("HeightAboveDepth"); empty for a
// value that names none.
SAIHA_API std::string_view warningName(Warning bit) noexcept;

}  // namespace saiha::shore
