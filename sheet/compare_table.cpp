#include "sheet/compare_table.h"

#include "sheet/calc.h"
#include "sheet/profile_table.h"
#include "sheet/shoreline_table.h"

namespace saiha::sheet {

std::array<std::string, 11> compareRow(const shore::ComparisonRow& row) {
  const std::string_view breaker =
      row.model ? shore::breakerName(row.model->breaker) : kEmpiricalBreakerName;
  const std::string_view shoaling =
      row.model ? shore::shoalingName(row.model->shoaling) : kEmpiricalShoalingName;
  return {std::string(breaker), std::string(shoaling), tableCell(row.Hb),
          tableCell(row.hb),     tableCell(row.gamma),  tableCell(row.thetaB),
          tableCell(row.Q),      tableCell(row.Qyear),  errorText(row.error),
          tableCell(row.xi0),
          row.breakerType ? std::string(breakerTypeName(*row.breakerType)) : std::string()};
}

std::string_view breakerDisplayName(shore::BreakerLimit breaker) {
  switch (breaker) {
    case shore::BreakerLimit::Goda1970: return "合田 (1970)";
    case shore::BreakerLimit::Goda2010: return "合田 (2010)";
    case shore::BreakerLimit::McCowan: return "McCowan";
    case shore::BreakerLimit::Kamphuis: return "Kamphuis (1991)";
    case shore::BreakerLimit::Miche: return "Miche";
  }
  return "";
}

std::string_view shoalingDisplayName(shore::Shoaling shoaling) {
  switch (shoaling) {
    case shore::Shoaling::TwoRegime: return "2 領域";
    case shore::Shoaling::Shuto: return "首藤 (1974)";
  }
  return "";
}

std::string rowDisplayName(const shore::ComparisonRow& row) {
  if (!row.model) return "Komar・Gaughan／Weggel";
  return std::string(breakerDisplayName(row.model->breaker)) + "・" +
         std::string(shoalingDisplayName(row.model->shoaling));
}

}  // namespace saiha::sheet
