// The breaking points of the models checked in the profile window side by
// side: one row per model, then the empirical row, with the longshore
// transport each implies and the wave's surf similarity and breaker type.
// The texts are those of `saiha-calc compare` (report::compareRow); the model
// is named as the legend names its curve.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <array>
#include <string>
#include <vector>

#include "shore/comparison.h"

namespace saiha::profile {

class ComparisonModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  enum Column { Name, Hb, hb, Gamma, ThetaB, QPerYear, Xi0, Type, Message, ColumnCount };

  // A row and the colour of its curve on the chart (invalid: no curve).
  struct Entry {
    shore::ComparisonRow row;
    QColor color;
  };
  // Replaces every row.
  void setRows(const std::vector<Entry>& entries);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Display: the cell text (numbers as the shortest text that reads back as
  // the same single, empty when not reached; the error as the window's
  // message; the breaker type by its Japanese name).  Decoration: the curve's colour beside the model's name.
  // Tooltip: the error in full.  Font: bold for the calculation window's
  // model.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Column names with units; the transport column's tooltip says what Q
  // stands for.
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  struct Row {
    shore::ComparisonRow row;
    QColor color;
    std::array<QString, ColumnCount> cells;  // full precision
    std::array<QString, ColumnCount> shown;  // two decimals
  };
  std::vector<Row> rows_;
};

}  // namespace saiha::profile
