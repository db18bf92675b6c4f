#include "report/compare_table.h"

#include "report/messages.h"
#include "report/profile_table.h"
#include "report/shoreline_table.h"

namespace saiha::report {

std::array<std::string, 11> compareRow(const shore::ComparisonRow& row, Language language,
                                       Digits digits) {
  const auto tableCell = [digits](float value) { return report::tableCell(value, digits); };
  const std::string_view breaker =
      row.model ? shore::breakerName(row.model->breaker) : kEmpiricalBreakerName;
  const std::string_view shoaling =
      row.model ? shore::shoalingName(row.model->shoaling) : kEmpiricalShoalingName;
  return {std::string(breaker), std::string(shoaling), tableCell(row.Hb),
          tableCell(row.hb),     tableCell(row.gamma),  tableCell(row.thetaB),
          tableCell(row.Q),      tableCell(row.Qyear),  errorText(row.error, language),
          tableCell(row.xi0),
          row.breakerType ? std::string(breakerTypeName(*row.breakerType)) : std::string()};
}

}  // namespace saiha::report
