// The hindcast chain at a structure on a measured profile: for every sea
// state of a record, the random waves carried across the profile to the
// structure's toe (shore::transform), then the runup and the mean
// overtopping discharge there (structure/overtopping.h), and the record's
// exceedance statistics.
//
// At the toe x_toe of the profile, for each condition:
//   Hm0    the transform's Hm0 = √2·Hrms, linear between the two profile
//          points around x_toe;
//   η      the mean water level above the still water (tide + setup above
//          the datum: level = z + h + η), likewise;
//   depth  level − z(x_toe);
//   Tm−1,0 = Tp / ratio (ratio 1.1 by default, the manual's Tp = 1.1·Tm−1,0
//          of a single-peaked spectrum);
//   Rc     = crest − level;
//   β      the structure's own angle plus the transform's direction θ at the
//          toe, when asked (the structure facing the profile's shore normal);
// then runup (Slope) and overtopping with the structure as given.
//
// The functions are reentrant and share no state: faces split a record into
// blocks and run them on several threads (a year of hourly conditions over a
// 161-point profile in about a second on two cores, the transform taking
// nearly all of it).
//
// Conventions of shore/engine.h: SI units and degrees, single-precision
// results, NaN for a result not reached, failures as shore::Error codes,
// ranges as shore::Warning bits; nothing here throws, prints or knows any
// text.
#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "saiha/export.h"
#include "saiha/shore/engine.h"
#include "saiha/shore/transform.h"
#include "saiha/structure/overtopping.h"

namespace saiha::structure {

// The transform's sea at one position of the profile.
struct ToeWave {
  Error error = Error::None;  // the transform's error, or ToeNotReached
  float x = kNotReached;      // the position (m)
  float z = kNotReached;      // the bed elevation there (m above the datum)
  float h = kNotReached;      // the still-water depth tide − z (m)
  float eta = kNotReached;    // the mean water level above the still water (m)
  float level = kNotReached;  // the mean water level above the datum, z + h + η (m)
  float depth = kNotReached;  // the mean depth h + η (m)
  float Hrms = kNotReached, Hm0 = kNotReached, H13 = kNotReached, H2 = kNotReached;  // (m)
  float theta = kNotReached;  // the direction (degrees from the shore normal)
  bool ok() const { return error == Error::None; }
};

/**
 * The sea of one transform result at position x (m) of its profile, linear
 * between the two profile points around x (at a point, that point's values).
 *
 * Errors: InvalidToe when x is not finite or lies outside [x[0], x[last]];
 * the transform's own error when it failed; ToeNotReached when the wet/dry
 * edge (TransformResult::lastWet) lies seaward of x, or a value there is
 * NaN.  The profile must be the one the result was computed on.  Never
 * throws.
 */
SAIHA_API ToeWave waveAt(const shore::BedProfile& profile, const shore::TransformResult& result,
                         double x) noexcept;

// The structure at the toe and the chain's constants.
struct ChainOptions {
  double xToe = std::numeric_limits<double>::quiet_NaN();   // the toe's position on the profile (m)
  double crest = std::numeric_limits<double>::quiet_NaN();  // the crest level above the datum (m), finite
  // Composite walls: the level of the mound's top above the datum (m):
  // d = level − moundTop.  Finite, above the bed at the toe.
  double moundTop = std::numeric_limits<double>::quiet_NaN();
  double periodRatio = 1.1;  // Tp / Tm−1,0, finite, > 0
  // β = structure.beta + the transform's θ at the toe (true), or
  // structure.beta alone (false).
  bool addDirection = false;
  // The structure: kind, cot α, γf, γb, γv, β, Gc, permeable core,
  // approach.  Its Hm0, Tm10, Rc, h and d are the chain's.
  OvertoppingInput structure;
};

// One condition at the structure.
struct ChainRow {
  // The transform's error, ToeNotReached, NegativeFreeboard (the mean water
  // level above the crest: overflow, outside the overtopping formulas) or
  // the overtopping's own.
  Error error = Error::None;
  // The transform's, the runup's and the overtopping's warnings.
  Warnings warnings;
  float level = kNotReached;  // the mean water level at the toe above the datum (m)
  float depth = kNotReached;  // the mean depth at the toe (m)
  float Hm0 = kNotReached;    // at the toe (m)
  float Tm10 = kNotReached;   // Tp/ratio (s)
  float beta = kNotReached;   // the angle used (degrees)
  float Rc = kNotReached;     // crest − level (m)
  float Ru2 = kNotReached;    // the 2 % runup above the level (m); Slope only
  float q = kNotReached;      // the mean discharge (m³/s per m)
  Regime regime = Regime::Breaking;  // meaningful when q is
  bool ok() const { return error == Error::None; }
};

/**
 * The options' own faults, for faces to refuse a run before it starts.
 *
 * Errors: InvalidToe (x_toe not finite or outside the profile),
 * InvalidCrestHeight (crest not finite), InvalidStructureOption (the period
 * ratio not finite > 0, a Structure or Approach value that names none),
 * InvalidStructureDepth (Composite: the mound top not finite, or not above
 * the bed at the toe), and the structure's own: InvalidStructureSlope,
 * InvalidInfluenceFactor, InvalidAttackAngle, InvalidStructureWidth.  The
 * profile is not checked here (shore::transform checks it).  Never throws.
 */
SAIHA_API Error checkChain(const shore::BedProfile& profile, const ChainOptions& options) noexcept;

/**
 * One condition at the structure from its transform result (computed on
 * `profile` for `condition`, whose peak period gives Tm−1,0): the toe's
 * wave, then runup and overtopping.  A fault of the options (checkChain) is
 * every row's error; InvalidAttackAngle when β plus the toe's direction
 * reaches 90°.  Never throws.
 */
SAIHA_API ChainRow chainRow(const shore::BedProfile& profile,
                            const shore::SeaCondition& condition,
                            const shore::TransformResult& result,
                            const ChainOptions& options) noexcept;

/**
 * Many conditions: out[i] = chainRow(profile, transform(profile,
 * conditions[i], transformOptions), options) for every i below the shorter
 * span's size, the transforms run by shore::transform's span entry in blocks
 * (its working storage reused).  Single-threaded and reentrant: faces run
 * blocks of a record on several threads.  Never throws.
 */
SAIHA_API void overtoppingChain(const shore::BedProfile& profile,
                                std::span<const shore::SeaCondition> conditions,
                                std::span<ChainRow> out, const ChainOptions& options,
                                const shore::TransformOptions& transformOptions = {}) noexcept;

// The exceedance statistics of a record, built row by row (streamed) or from
// blocks merged in their order.
struct ChainSummary {
  std::vector<double> limits;       // the q limits (m³/s per m), as given
  std::vector<std::size_t> above;   // per limit: the rows with q > limit
  std::size_t rows = 0;             // rows added
  std::size_t computed = 0;         // rows with a q
  std::size_t failed = 0;           // rows with an error
  float qMax = kNotReached;         // the largest q (m³/s per m)
  // The index (as given to add) of the first row with the largest q;
  // kNoRow when no row had one.
  std::size_t qMaxIndex = kNoRow;
  static constexpr std::size_t kNoRow = std::numeric_limits<std::size_t>::max();

  // A summary over no rows yet, for these limits (each finite, ≥ 0; others
  // are never exceeded and faces refuse them as InvalidStructureOption).
  SAIHA_API explicit ChainSummary(std::span<const double> qLimits = {});
  // Adds one row, the index being its place in the record.
  SAIHA_API void add(const ChainRow& row, std::size_t index) noexcept;
  // Adds the rows of a summary over other rows of the same record (same
  // limits), in any order: a tie of the largest q keeps the smaller index.
  SAIHA_API void merge(const ChainSummary& later) noexcept;
};

// The summary of rows[0..], indices from `first`.
SAIHA_API ChainSummary summarize(std::span<const ChainRow> rows, std::span<const double> qLimits,
                                 std::size_t first = 0);

}  // namespace saiha::structure
