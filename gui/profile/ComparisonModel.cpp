#include "gui/profile/ComparisonModel.h"
#include "gui/language.h"
#include "gui/profile/ProfileModel.h"

#include <QFont>

#include "report/compare_table.h"
#include "report/messages.h"
#include "report/shoreline_table.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Where each column's text sits in the cells of report::compareRow.
constexpr std::array<std::size_t, ComparisonModel::ColumnCount> kCompareCell = {0, 2, 3, 4, 5,
                                                                                7, 9, 10, 8};

}  // namespace

void ComparisonModel::setRows(const std::vector<Entry>& entries) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(entries.size());
  for (const Entry& entry : entries) {
    const auto cells = report::compareRow(entry.row, gui::language());
    Row row{entry.row, entry.color, {}, {}};
    // Numbers shown as the sheet shows them, two decimals, large ones
    // grouped; the cells (and so a copy) keep every digit.
    const shore::ComparisonRow& r = entry.row;
    const std::array<float, ColumnCount> values = {0, r.Hb, r.hb, r.gamma, r.thetaB, r.Qyear, r.xi0, 0, 0};
    for (int column = 0; column < ColumnCount; ++column) {
      const auto c = std::size_t(column);
      row.cells[c] =
          column == Name ? QString::fromStdString(report::rowDisplayName(entry.row, gui::language()))
                         : QString::fromStdString(cells[kCompareCell[c]]);
      const bool number =
          column != Name && column != Type && column != Message && !row.cells[c].isEmpty();
      // Q in m³ a year to the whole cubic metre, grouped; CERC's formula is
      // good to tens of per cent, not to hundredths of a cubic metre.
      row.shown[c] = number ? shownNumber(values[c], column == QPerYear) : row.cells[c];
    }
    if (entry.row.breakerType) {
      row.cells[Type] = text(report::breakerTypeDisplayName(*entry.row.breakerType, gui::language()));
      row.shown[Type] = row.cells[Type];
    }
    // A row that computed says where its formulas leave their fitted range.
    if (row.cells[Message].isEmpty()) {
      row.cells[Message] =
          QString::fromStdString(report::warningText(entry.row.warnings, gui::language()));
      row.shown[Message] = row.cells[Message];
    }
    rows_.push_back(std::move(row));
  }
  endResetModel();
}

int ComparisonModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ComparisonModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount) return {};
  const Row& row = rows_[std::size_t(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return row.shown[std::size_t(column)];
    case Qt::EditRole:
      return row.cells[std::size_t(column)];
    case Qt::DecorationRole:
      if (column == Name && row.color.isValid()) return row.color;
      break;
    case Qt::ToolTipRole:
      if (column == Message && !row.cells[Message].isEmpty()) return row.cells[Message];
      break;
    case Qt::FontRole:
      if (row.row.model && row.row.model->isDefault()) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      break;
    case Qt::TextAlignmentRole:
      return int((column == Name || column == Type || column == Message ? Qt::AlignLeft
                                                                        : Qt::AlignRight) |
                 Qt::AlignVCenter);
    default:
      break;
  }
  return {};
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
    return role == Qt::DisplayRole && orientation == Qt::Vertical ? QVariant(section + 1)
                                                                  : QVariant();
  }
  // Translated at each call: the language may have changed since the last.
  const std::array<QString, ColumnCount> names = {
      tr("モデル"), QStringLiteral("Hb (m)"),    QStringLiteral("hb (m)"),
      QStringLiteral("γ"),      QStringLiteral("θb (°)"),    tr("Q (m³/年)"),
      QStringLiteral("ξ0"),     tr("砕波形式"),              tr("エラー")};
  if (role == Qt::DisplayRole) return names[std::size_t(section)];
  if (role == Qt::ToolTipRole && section == QPerYear) return text(report::kTransportNote.in(gui::language()));
  if (role == Qt::ToolTipRole && (section == Xi0 || section == Type)) {
    return tr("沖波のサーフシミラリティー・パラメータ（イリバーレン数）ξ0 = tanβ/√(Ho/Lo) と Battjes (1974) "
              "の砕波形式．波と海底勾配だけで決まり，どの行も同じです．");
  }
  return {};
}

}  // namespace saiha::profile
