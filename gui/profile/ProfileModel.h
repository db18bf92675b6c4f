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

// A number as the windows' tables show it: two decimals as the sheet shows
// them (rt::formatResult), or none when `whole`; an integer part of five
// digits or more grouped by threes with a narrow no-break space (U+202F),
// "44 483 532", the same in every language and never mistaken for a
// decimal mark.  Copies and CSV keep the ungrouped, full-precision text.
QString shownNumber(float value, bool whole = false);

class ProfileModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Replaces every row with the stations of `profile` (none when it failed).
  void setProfile(const shore::Profile& profile);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Display: the cell text, numbers as shownNumber, names in the window's
  // language.  Edit: the cell as copies take it, every digit, stable names.  Tooltip: the message of a station the formulas
  // could not compute.  Font: bold for the onset and breaking stations.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // A station's height rule and mark in the window's language; the cells
  // (copies, CSV) keep their stable names ("linear", "onset").
  static QString ruleText(shore::HeightRule rule);
  static QString markText(shore::Mark mark);

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
