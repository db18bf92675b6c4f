// The hindcast chain at a structure's toe (not yet computed).
#include "structure/chain.h"

#include <algorithm>

namespace saiha::structure {

ToeWave waveAt(const shore::BedProfile&, const shore::TransformResult&, double) noexcept {
  ToeWave w;
  w.error = Error::InvalidToe;
  return w;
}

Error checkChain(const shore::BedProfile&, const ChainOptions&) noexcept {
  return Error::InvalidStructureOption;
}

ChainRow chainRow(const shore::BedProfile&, const shore::TransformResult&,
                  const ChainOptions&) noexcept {
  ChainRow row;
  row.error = Error::InvalidStructureOption;
  return row;
}

void overtoppingChain(const shore::BedProfile&, std::span<const shore::SeaCondition> conditions,
                      std::span<ChainRow> out, const ChainOptions&,
                      const shore::TransformOptions&) noexcept {
  const std::size_t n = std::min(conditions.size(), out.size());
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = ChainRow{};
    out[i].error = Error::InvalidStructureOption;
  }
}

ChainSummary::ChainSummary(std::span<const double> qLimits)
    : limits(qLimits.begin(), qLimits.end()), above(qLimits.size(), 0) {}

void ChainSummary::add(const ChainRow&, std::size_t) noexcept { ++rows; }

void ChainSummary::merge(const ChainSummary& later) noexcept { rows += later.rows; }

ChainSummary summarize(std::span<const ChainRow> rows, std::span<const double> qLimits,
                       std::size_t first) {
  ChainSummary s(qLimits);
  for (std::size_t i = 0; i < rows.size(); ++i) s.add(rows[i], first + i);
  return s;
}

}  // namespace saiha::structure
