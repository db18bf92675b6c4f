#include "gui/profile/ProfileModel.h"
#include "gui/language.h"

#include <QFont>
#include <algorithm>
#include <set>

#include "report/csv_text.h"
#include "report/profile_table.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {
// The rule and point columns hold names, the others numbers.
bool isText(int column) { return column == 2 || column == 3; }
}  // namespace

void ProfileModel::setProfile(const shore::Profile& profile) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(profile.stations.size());
  for (const shore::Station& station : profile.stations) {
    Row row{report::profileRow(station), {}, report::stationError(station, gui::language()),
            station.mark != shore::Mark::None};
    // The values behind the numeric cells, in the columns' order (the rule
    // and the point are names, shown as they are).
    const shore::State& s = station.state;
    const std::array<float, 12> values = {station.x, s.h,         0,         0,
                                          s.H,       s.L,         s.C,       s.theta,
                                          s.aBottom, s.uBottom,   s.aSurface, s.uSurface};
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      row.shown[i] = QString::fromStdString(row.cells[i].empty() || isText(int(i))
                                                ? row.cells[i]
                                                : rt::formatResult(values[i]));
    }
    rows_.push_back(std::move(row));
  }
  endResetModel();
}

int ProfileModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProfileModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(report::kProfileHeader.size());
}

QVariant ProfileModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& row = rows_[std::size_t(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return row.shown[std::size_t(index.column())];
    case Qt::EditRole:  // what a copy takes: every digit
      return QString::fromStdString(row.cells[std::size_t(index.column())]);
    case Qt::ToolTipRole:
      if (!row.error.empty())
        return tr("計算できません: ") + QString::fromStdString(row.error);
      break;
    case Qt::FontRole:
      if (row.marked) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      break;
    case Qt::TextAlignmentRole:
      return int((isText(index.column()) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
      break;
  }
  return {};
}

QVariant ProfileModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromUtf8(report::kProfileHeader[std::size_t(section)].data(),
                             qsizetype(report::kProfileHeader[std::size_t(section)].size()));
  }
  return section + 1;
}

QString selectionText(const QAbstractItemModel& model, const QModelIndexList& selected) {
  std::set<int> rows, columns;
  std::set<std::pair<int, int>> cells;
  for (const QModelIndex& index : selected) {
    if (!index.isValid() || index.model() != &model) continue;
    rows.insert(index.row());
    columns.insert(index.column());
    cells.insert({index.row(), index.column()});
  }
  if (cells.empty()) return {};

  QStringList lines;
  QStringList header;
  for (int column : columns) header.append(model.headerData(column, Qt::Horizontal).toString());
  lines.append(header.join(QLatin1Char('\t')));
  for (int row : rows) {
    QStringList line;
    for (int column : columns) {
      line.append(cells.count({row, column})
                      ? model.data(model.index(row, column), Qt::EditRole).toString()
                      : QString());
    }
    lines.append(line.join(QLatin1Char('\t')));
  }
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

std::string ProfileModel::csv() const {
  std::string text;
  report::appendCsvRecord(text, report::kProfileHeader);
  for (const Row& row : rows_) report::appendCsvRecord(text, row.cells);
  return text;
}

}  // namespace saiha::profile
