// The profile window 断面図: the wave from the seaward end of its profile to
// the shoreline, for the inputs of the calculation window.  It follows that
// window (each press of 計算 redraws it) and reads its boxes exactly as the
// calculation reads them.
#pragma once

#include <QMainWindow>
#include <functional>

#include "shore/engine.h"

class QComboBox;
class QLabel;
class QTableView;

namespace saiha::sheet {
class SheetAccess;
}
namespace saiha::window {
class CalcWindow;
}

namespace saiha::profile {

class ProfileChart;
class ProfileModel;

class ProfileWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // Tells the user that an export failed.  The default shows a warning box;
  // tests install one that records the message.
  using Reporter = std::function<void(const QString& message)>;

  // A window over the boxes of `source`, which must outlive it.
  explicit ProfileWindow(const sheet::SheetAccess& source, QWidget* parent = nullptr);

  // Makes Ctrl+G and 表示 → 断面図 of `calc` open (or raise) its profile
  // window, created on first use as a window of its own owned by `calc`, and
  // makes each press of 計算 redraw it.
  static void attachTo(window::CalcWindow& calc);

  static QString title();

  ProfileChart& chart() const { return *chart_; }
  ProfileModel& model() const { return *model_; }
  QTableView& table() const { return *table_; }
  const shore::Profile& profile() const { return profile_; }
  // The message shown for a calculation that failed; empty otherwise.
  QString errorMessage() const;
  // The text of the station under the cursor; empty when none.
  QString hoverText() const;

  // Exports; each returns false (and reports why) when the file could not be
  // written whole.  PNG: the chart at the screen's device-pixel ratio.  SVG:
  // the chart as vectors.  CSV: the table, as saiha-calc writes a profile.
  bool exportPng(const QString& path);
  bool exportSvg(const QString& path);
  bool exportCsv(const QString& path);

  void setReporter(Reporter reporter);

 public slots:
  // Reads the calculation window's boxes and redraws.
  void refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildMenus();
  void showError(const QString& message);
  void showHover(int station);
  void copySelection();
  // Asks for a file name to save to, with the file type's suffix and filter.
  QString askPath(const QString& caption, const QString& mimeType, const QString& suffix);

  const sheet::SheetAccess& source_;
  shore::Profile profile_;
  ProfileChart* chart_ = nullptr;
  ProfileModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QComboBox* quantity_ = nullptr;
  QLabel* error_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* hover_ = nullptr;
  Reporter reporter_;
};

}  // namespace saiha::profile
