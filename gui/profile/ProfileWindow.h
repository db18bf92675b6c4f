// The profile window 断面図: the wave from the seaward end of its profile to
// the shoreline, for the inputs of the calculation window.  It follows that
// window (each press of 計算 redraws it) and reads its boxes exactly as the
// calculation reads them.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/profile/CaseFile.h"
#include "gui/profile/ChartExport.h"
#include "shore/comparison.h"
#include "shore/engine.h"
#include "shore/model_choice.h"
#include "shore/shoreline.h"

class QComboBox;
class QDockWidget;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QTableView;

namespace saiha::sheet {
class SheetAccess;
}

namespace saiha::profile {

class ComparisonModel;
class MeasuredProfileView;
class ModelPanel;
class ProfileChart;
class ProfileModel;
class RandomView;
class StructureView;

class ProfileWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // Tells the user that an export failed.  The default shows a warning box;
  // tests install one that records the message.
  using Reporter = std::function<void(const QString& message)>;

  // A window over the boxes of `source`, which must outlive it.
  explicit ProfileWindow(const sheet::SheetAccess& source, QWidget* parent = nullptr);

  static QString title();

  ProfileChart& chart() const { return *chart_; }
  ProfileModel& model() const { return *model_; }
  QTableView& table() const { return *table_; }
  // The models side by side: their check boxes and the transport
  // parameters, and the table of their breaking points.
  ModelPanel& modelPanel() const { return *panel_; }
  ComparisonModel& comparison() const { return *comparison_; }
  QTableView& comparisonTable() const { return *comparisonTable_; }
  const shore::Profile& profile() const { return profile_; }
  // The view 不規則波（合田）: Goda's H1/3 and Hmax on the same beach.
  RandomView& randomView() const { return *random_; }
  // The page 実測断面 beside the plane beach's: random waves across a
  // measured profile (ファイル → 実測断面を開く).
  MeasuredProfileView& measuredView() const { return *measured_; }
  // The page 構造物: a caisson and a slope in the design wave of the site.
  StructureView& structureView() const { return *structure_; }
  // The plane beach's page and the measured profile's.
  QTabWidget& pages() const { return *pages_; }
  // The message shown for a calculation that failed; empty otherwise.
  QString errorMessage() const;
  // The text of the station under the cursor; empty when none.
  QString hoverText() const;
  // The shoreline panel's texts, in the order ξ0 and type, ηb, ηs, R2%, V;
  // empty while nothing is shown.
  QStringList shorelineTexts() const;

  // Exports; each returns false (and reports why) when the file could not be
  // written whole.  PNG, SVG (vectors, every curve cut at its plot's edges)
  // and PDF: the charts drawn off the screen at `size` (by default
  // 1600×1000 px at 96 dpi) whatever the window's size, with every legend
  // entry; each carries the inputs and models in its title and description.  CSV: the
  // stations of every checked model (the default one when none is), a
  // `model` column first and then the columns of `saiha-calc profile`.
  // Comparison CSV: the table of models as `saiha-calc compare` writes it.
  bool exportPng(const QString& path, const ExportSize& size = {});
  bool exportSvg(const QString& path, const ExportSize& size = {});
  bool exportPdf(const QString& path, const ExportSize& size = {});
  // What the last picture exported held: its legend's entries and how many
  // lay whole inside it.
  const ExportDrawn& lastExport() const { return lastExport_; }
  // The charts above the tables: the split between them is kept.
  QSplitter& splitter() const { return *splitter_; }
  bool exportCsv(const QString& path);
  bool exportComparisonCsv(const QString& path);
  // The CSV of exportCsv.
  std::string profilesCsv() const;
  // A file name saying what is exported: "profile_Ho1_T10_a30_n60.svg".
  QString defaultFileName(const QString& stem, const QString& suffix) const;

  void setReporter(Reporter reporter);

  // The window's own choices a case keeps: the checked models, the second
  // quantity, the transport parameters and the random-wave boxes.
  ProfileChoices choices() const;
  // Puts them in the panel and boxes and redraws once.  Names this program
  // does not know are skipped (readCase refuses them before).
  void setChoices(const ProfileChoices& choices);

  // ファイル and 編集: the program adds its case and copy entries there.
  QMenu* fileMenu() const { return fileMenu_; }
  QMenu* editMenu() const { return editMenu_; }

 public slots:
  // Reads the calculation window's boxes and redraws.
  void refresh();

 protected:
  void showEvent(QShowEvent* event) override;
  // Geometry, checked models, transport parameters and the second quantity
  // are kept for the next run (QSettings, group "profile").
  void closeEvent(QCloseEvent* event) override;

 public:
  ~ProfileWindow() override;

 private:
  ExportText exportText() const;
  void saveSettings() const;
  void restoreSettings();
  void buildMenus();
  void showError(const QString& message);
  // Draws the wave and depth last read from the calculation window.
  void redraw();
  // The comparison table for the wave, with the panel's parameters.
  void refreshComparison(const shore::Wave& wave);
  std::vector<shore::ComparisonRow> comparisonRows(const shore::Wave& wave) const;
  // The chart curve of a model other than the calculation window's, added
  // on first use.
  int curveFor(const shore::Model& model);
  void showHover(int station);
  // The shoreline panel for the wave of the calculation window; nothing
  // when `shoreline` is null.
  void showShoreline(const shore::Shoreline* shoreline);
  // Asks for a file name to save to, with the file type's suffix and filter,
  // in the folder of the last export, proposing `stem` and the inputs.
  QString askPath(const QString& caption, const QString& mimeType, const QString& suffix,
                  const QString& stem);
  // ファイル → 図を書き出す: the dialog of format and size, then the file.
  void exportChart();
  bool writePicture(const QString& path, const QString& failure,
                    ExportDrawn (*write)(ProfileChart&, const ExportText&, const ExportSize&,
                                         QIODevice&),
                    const ExportSize& size);

  const sheet::SheetAccess& source_;
  // The calculation window's boxes as refresh() last read them.
  shore::Wave wave_;
  bool depthSet_ = false;
  std::optional<double> depth_;
  shore::Profile profile_;
  // The other checked models and their profiles, as last drawn.
  std::vector<shore::Model> otherModels_;
  std::vector<shore::Profile> others_;
  ProfileChart* chart_ = nullptr;
  ProfileModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  ModelPanel* panel_ = nullptr;
  QDockWidget* dock_ = nullptr;
  // Whether the model panel is shown on the plane beach's page, kept while
  // the measured profile's page hides it.
  bool panelShown_ = true;
  ComparisonModel* comparison_ = nullptr;
  QTableView* comparisonTable_ = nullptr;
  QTabWidget* tables_ = nullptr;
  RandomView* random_ = nullptr;
  QTabWidget* pages_ = nullptr;
  MeasuredProfileView* measured_ = nullptr;
  StructureView* structure_ = nullptr;
  // The curve of each model, by breaker × shoaling; -1 until first drawn.
  std::array<int, shore::kBreakerLimits.size() * shore::kShoalings.size()> curves_;
  QComboBox* quantity_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QLabel* error_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* hover_ = nullptr;
  // ξ0 and type, ηb, ηs, R2%, V.
  std::array<QLabel*, 5> shoreline_{};
  QSplitter* splitter_ = nullptr;
  // The profile and the random waves, each on its own tab above the tables.
  QTabWidget* views_ = nullptr;
  ExportDrawn lastExport_;
  Reporter reporter_;
};

}  // namespace saiha::profile
