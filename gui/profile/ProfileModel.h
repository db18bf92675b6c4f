// The stations of a profile as a table: the columns of report::kProfileHeader,
// one row per station, seaward end first.  The same texts go to the view,
// to the clipboard (tab-separated) and to the CSV export.
#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <array>
#include <string>
#include <vector>

#include "shore/engine.h"

namespace saiha::profile {

// The selected cells of a table as tab-separated text for a spreadsheet: the
// header of the columns that hold a selected cell, then one line per row that
// holds one, cells not selected left empty; LF line ends.  Empty for an empty
// selection.  Indexes of another model are ignored.
QString selectionText(const QAbstractItemModel& model, const QModelIndexList& selected);

class ProfileModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Replaces every row with the stations of `profile` (none when it failed).
  void setProfile(const shore::Profile& profile);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Display: the cell text.  Tooltip: the message of a station the formulas
  // could not compute.  Font: bold for the onset and breaking stations.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The whole table as CSV (RFC 4180 quoting, LF line ends), UTF-8: the
  // header line, then one line per station.
  std::string csv() const;

 private:
  struct Row {
    std::array<std::string, 12> cells;   // full precision, for copies and the CSV
    std::array<QString, 12> shown;       // as the sheet shows numbers: two decimals
    std::string error;  // empty when the station computed
    bool marked = false;
  };
  std::vector<Row> rows_;
};

}  // namespace saiha::profile
