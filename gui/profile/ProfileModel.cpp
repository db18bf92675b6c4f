#include "gui/profile/ProfileModel.h"
#include "gui/language.h"

#include <QFont>
#include <cmath>
#include <algorithm>
#include <set>

#include "report/csv_text.h"
#include "report/profile_table.h"
#include "gui/profile/ProfileChart.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {
// The rule and point columns hold names, the others numbers.
bool isText(int column) { return column == 2 || column == 3; }
}  // namespace

QString shownNumber(float value, bool whole) {
  if (whole && std::isfinite(value)) value = std::nearbyint(value);
  QString text = QString::fromStdString(rt::formatResult(value));
  if (whole && text.endsWith(QLatin1String(".00"))) text.chop(3);
  const qsizetype point = text.indexOf(QLatin1Char('.'));
  const qsizetype end = point < 0 ? text.size() : point;
  const qsizetype begin = text.startsWith(QLatin1Char('-')) ? 1 : 0;
  // Four digits stay as they are: 1260.00, not 1 260.00.
  if (end - begin < 5) return text;
  for (qsizetype at = end - 3; at > begin; at -= 3) text.insert(at, QChar(0x202F));
  return text;
}

QString ProfileModel::ruleText(shore::HeightRule rule) {
  switch (rule) {
    case shore::HeightRule::Linear:
      return tr("線形浅水変形");
    case shore::HeightRule::Nonlinear:
      return tr("非線形浅水変形");
    case shore::HeightRule::Surf:
      return tr("砕波帯");
    case shore::HeightRule::Intermediate:
      return tr("中間域の浅水変形");
  }
  return {};
}

QString ProfileModel::markText(shore::Mark mark) {
  switch (mark) {
    case shore::Mark::Onset:
      return ProfileChart::tr("非線形浅水変形の開始点");
    case shore::Mark::Breaking:
      return ProfileChart::tr("砕波点");
    case shore::Mark::None:
      break;
  }
  return {};
}

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
      row.shown[i] = row.cells[i].empty() || isText(int(i)) ? QString::fromStdString(row.cells[i])
                                                            : shownNumber(values[i]);
    }
    if (s.rule) row.shown[2] = ruleText(*s.rule);
    row.shown[3] = markText(station.mark);
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
    // The columns of report::kProfileHeader, each with its unit.
    static constexpr std::array<const char*, 12> names = {
        "x (m)", "h (m)", QT_TR_NOOP("波高の式"), QT_TR_NOOP("地点"), "H (m)", "L (m)",
        "C (m/s)", "θ (°)", QT_TR_NOOP("底面 a (m)"), QT_TR_NOOP("底面 u (m/s)"),
        QT_TR_NOOP("表面 a (m)"), QT_TR_NOOP("表面 u (m/s)")};
    return tr(names[std::size_t(section)]);
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
