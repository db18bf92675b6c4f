#include "gui/profile/ProfileWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QSignalBlocker>
#include <QScrollArea>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "runtime/text.h"
#include "report/messages.h"
#include "sheet/calc.h"
#include "report/compare_table.h"
#include "gui/profile/ComparisonModel.h"
#include "gui/profile/ExportDialog.h"
#include "gui/profile/MeasuredProfileView.h"
#include "gui/profile/ModelPanel.h"
#include "gui/profile/ProfileChart.h"
#include "gui/profile/ProfileModel.h"
#include "gui/profile/RandomView.h"
#include "gui/profile/StructureView.h"
#include "report/profile_table.h"
#include "gui/language.h"
#include "gui/profile/ChartExport.h"
#include "report/shoreline_table.h"
#include "gui/style.h"
#include "report/csv_text.h"
#include "shore/comparison.h"

namespace saiha::profile {

namespace {

QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}
QString twoDecimals(float value) { return QString::fromStdString(rt::formatResult(value)); }

// How each model's curve is drawn: its colour tells the breaker limit, its
// line and breaking-point marker the shoaling rule (gui::breakerColor).
Qt::PenStyle shoalingLine(shore::Shoaling shoaling) {
  return shoaling == shore::Shoaling::TwoRegime ? Qt::SolidLine : Qt::DashDotLine;
}
QScatterSeries::MarkerShape shoalingMarker(shore::Shoaling shoaling) {
  return shoaling == shore::Shoaling::TwoRegime ? QScatterSeries::MarkerShapeCircle
                                                : QScatterSeries::MarkerShapeRectangle;
}
// Each model its own colour: the breaker limit's under the two-regime rule,
// a lighter one of the same family under Shuto's (told apart by the line's
// dashes as well).
QColor modelColor(const shore::Model& model) {
  const QColor base = gui::breakerColor(model.breaker);
  if (model.shoaling == shore::Shoaling::TwoRegime) return base;
  switch (model.breaker) {
    case shore::BreakerLimit::Goda1970: return {0x6f, 0xa8, 0xf0};
    case shore::BreakerLimit::Goda2010: return {0x26, 0xc6, 0xda};
    case shore::BreakerLimit::McCowan: return {0xf0, 0x62, 0x92};
    case shore::BreakerLimit::Kamphuis: return {0x8d, 0x8d, 0x8d};
    case shore::BreakerLimit::Miche: return {0xc0, 0xb2, 0x00};
  }
  return base.lighter(150);
}
QString modelName(const shore::Model& model) {
  return QString::fromStdString(
      report::rowDisplayName(shore::ComparisonRow{model}, gui::language()));
}
// A model's stable name in exported files: "goda1970/two-regime".
std::string stableName(const shore::Model& model) {
  return std::string(shore::breakerName(model.breaker)) + "/" +
         std::string(shore::shoalingName(model.shoaling));
}

// Writes `bytes` whole to `path`, or leaves any file there as it was.
bool writeFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && write(file) && file.commit();
}
bool writeText(const QString& path, const std::string& text) {
  return writeFile(path, [&text](QIODevice& out) {
    return out.write(text.data(), qint64(text.size())) == qint64(text.size());
  });
}

const QString kSettings = QStringLiteral("profile/");
// The legend's name for the calculation window's wave while it is alone.
QString waveName() { return ProfileWindow::tr("波高 H"); }

// A table whose Ctrl+C copies every selected cell with the header, not just
// the current one as a plain item view does; rows as tall as the sheet's
// text needs, any block of cells selectable.
class StationTable final : public QTableView {
 public:
  StationTable(QAbstractItemModel* model, const QString& name) {
    setObjectName(name);
    setModel(model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Copy)) {
      const QString text = selectionText(*model(), selectionModel()->selectedIndexes());
      if (!text.isEmpty()) QApplication::clipboard()->setText(text);
      event->accept();
      return;
    }
    QTableView::keyPressEvent(event);
  }
};

}  // namespace

ProfileWindow::ProfileWindow(const sheet::SheetAccess& source, QWidget* parent)
    : QMainWindow(parent), source_(source) {
  setObjectName(QStringLiteral("ProfileWindow"));
  setWindowTitle(title());
  setFont(gui::sheetFont());
  setMinimumSize(560, 440);
  resize(1260, 720);
  curves_.fill(-1);
  curves_[0] = 0;  // the calculation window's wave

  chart_ = new ProfileChart;
  model_ = new ProfileModel(this);

  // Above the chart: the second quantity, the error and the note.
  auto* top = new QWidget;
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(6, 6, 6, 0);
  auto* choice = new QHBoxLayout;
  auto* choiceLabel = new QLabel(tr("第 2 軸(&Q):"));
  quantity_ = new QComboBox;
  quantity_->setObjectName(QStringLiteral("quantity"));
  for (const QuantityInfo& info : kQuantities) quantity_->addItem(ProfileChart::tr(info.name));
  quantity_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  choiceLabel->setBuddy(quantity_);
  connect(quantity_, &QComboBox::currentIndexChanged, this,
          [this](int index) { chart_->setQuantity(kQuantities[std::size_t(index)].quantity); });
  choice->addWidget(choiceLabel);
  choice->addWidget(quantity_);
  choice->addStretch();
  // At the shoreline, for the calculation window's wave: how it breaks, the
  // setdown and setup, the runup and the longshore current.
  auto* shorePanel = new QFrame;
  shorePanel->setObjectName(QStringLiteral("shorelinePanel"));
  shorePanel->setFrameShape(QFrame::StyledPanel);
  auto* shoreLayout = new QHBoxLayout(shorePanel);
  shoreLayout->setContentsMargins(8, 2, 8, 2);
  shoreLayout->setSpacing(14);
  const std::array<QString, 5> tips = {
      tr("沖波のサーフシミラリティー・パラメータ（イリバーレン数）ξ0 = tanβ/√(Ho/Lo) と砕波形式（Battjes 1974）：\n"
         "0.5 未満 崩れ波，0.5～3.3 巻き波，3.3 超 砕け寄せ波・寄せ波"),
      tr("砕波点のウェーブセットダウン ηb = −γHb/16，γ = Hb/hb（ラディエーション応力，"
         "Longuet-Higgins・Stewart 1964）"),
      tr("静水汀線でのウェーブセットアップ ηs = ηb + K·hb，K = 1/(1 + 8/(3γ²))"),
      tr("2% 超過遡上高（Stockdon et al. 2006）．不規則波（有義波高・ピーク周期）の式に\n"
         "規則波の Ho, T と前浜勾配 1/n を用いています"),
      tr("砕波帯中央の沿岸流速 V = 1.17√(gHb)·sinθb·cosθb（Komar・Inman 1970）．"
         "θb の符号に従います")};
  for (std::size_t i = 0; i < shoreline_.size(); ++i) {
    shoreline_[i] = new QLabel;
    shoreline_[i]->setToolTip(tips[i]);
    shoreline_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shoreLayout->addWidget(shoreline_[i]);
  }
  choice->addWidget(shorePanel);
  topLayout->addLayout(choice);

  error_ = new QLabel;
  error_->setObjectName(QStringLiteral("error"));
  error_->setWordWrap(true);
  error_->setStyleSheet(gui::errorStyle());
  error_->hide();
  note_ = new QLabel;
  note_->setObjectName(QStringLiteral("note"));
  note_->setWordWrap(true);
  note_->setStyleSheet(gui::noteStyle());
  note_->hide();
  topLayout->addWidget(error_);
  topLayout->addWidget(note_);
  topLayout->addWidget(chart_, 1);
  hover_ = new QLabel;
  hover_->setObjectName(QStringLiteral("hover"));
  hover_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hover_->setMinimumHeight(hover_->fontMetrics().height());
  // The line never widens the window: in a narrow one its end is cut off.
  hover_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  topLayout->addWidget(hover_);
  connect(chart_, &ProfileChart::stationHovered, this, &ProfileWindow::showHover);

  table_ = new StationTable(model_, QStringLiteral("table"));
  // Columns as wide as the longest number a cell can hold (the shortest
  // text of a single has at most nine significant digits), set once:
  // measuring every cell on each redraw would cost more than the chart.
  const int numberWidth =
      table_->fontMetrics().horizontalAdvance(QStringLiteral("-0.00123456789")) + 12;
  for (int column = 0; column < model_->columnCount(); ++column) {
    const int headerWidth = table_->fontMetrics().horizontalAdvance(
                                model_->headerData(column, Qt::Horizontal).toString()) +
                            16;
    table_->setColumnWidth(column, std::max(numberWidth, headerWidth));
  }
  table_->horizontalHeader()->setStretchLastSection(true);

  // The models side by side: their breaking points and transport under the
  // chart, on a tab beside the stations.
  comparison_ = new ComparisonModel(this);
  comparisonTable_ = new StationTable(comparison_, QStringLiteral("comparison"));
  comparisonTable_->setColumnWidth(
      ComparisonModel::Name,
      table_->fontMetrics().horizontalAdvance(modelName(
          {shore::BreakerLimit::Kamphuis, shore::Shoaling::Shuto})) + 40);
  for (int column = ComparisonModel::Hb; column < ComparisonModel::Message; ++column) {
    comparisonTable_->setColumnWidth(column, numberWidth);
  }
  comparisonTable_->horizontalHeader()->setStretchLastSection(true);
  tables_ = new QTabWidget;
  tables_->setObjectName(QStringLiteral("tables"));
  tables_->addTab(table_, tr("地点の表"));
  tables_->addTab(comparisonTable_, tr("モデルの比較"));
  random_ = new RandomView;

  panel_ = new ModelPanel;
  auto* scroll = new QScrollArea;
  scroll->setWidget(panel_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  dock_ = new QDockWidget(tr("モデル"), this);
  dock_->setObjectName(QStringLiteral("modelDock"));
  dock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                     QDockWidget::DockWidgetClosable);
  dock_->setWidget(scroll);
  addDockWidget(Qt::RightDockWidgetArea, dock_);
  // A checked model is seen at once in the comparison; the curves follow.
  // Both redraw the wave of the last calculation, not the boxes as they are
  // being typed.
  connect(panel_, &ModelPanel::modelsChanged, this, [this] {
    tables_->setCurrentWidget(comparisonTable_);
    if (isVisible()) redraw();
  });
  connect(panel_, &ModelPanel::paramsChanged, this, [this] {
    tables_->setCurrentWidget(comparisonTable_);
    refreshComparison(wave_);
  });

  // The regular wave's profile and the random waves, each a whole tab
  // above the tables, so that either chart has the height it reads at.
  views_ = new QTabWidget;
  views_->setObjectName(QStringLiteral("views"));
  views_->addTab(top, tr("断面図"));
  views_->addTab(random_, tr("不規則波（合田）"));
  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->setObjectName(QStringLiteral("profileSplitter"));
  splitter_->addWidget(views_);
  splitter_->addWidget(tables_);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({540, 140});
  splitter_->setChildrenCollapsible(false);
  tables_->setMinimumHeight(90);
  // The plane beach (its profile and random waves above the tables) and
  // a measured profile, each a page of its own.
  measured_ = new MeasuredProfileView;
  pages_ = new QTabWidget;
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setDocumentMode(true);
  pages_->addTab(splitter_, tr("一様勾配の海浜"));
  pages_->addTab(measured_, tr("実測断面"));
  structure_ = new StructureView;
  pages_->addTab(structure_, tr("構造物"));
  connect(random_, &RandomView::seaChanged, structure_,
          [this] { structure_->setSea(random_->heightText(), random_->periodText()); });
  connect(measured_, &MeasuredProfileView::profileOpened, this,
          [this] { pages_->setCurrentWidget(measured_); });
  // The model panel is the plane beach's: its breakers, shoalings and
  // transport do not apply to a measured profile or to the structures, whose
  // pages have their own boxes; there it gives the page its width, and comes
  // back (as the user left it) on the plane beach's page.
  connect(pages_, &QTabWidget::currentChanged, this, [this] {
    const bool plane = pages_->currentWidget() == splitter_;
    if (plane == dock_->toggleViewAction()->isEnabled()) return;
    if (!plane) panelShown_ = !dock_->isHidden();
    dock_->toggleViewAction()->setEnabled(plane);
    dock_->setVisible(plane && panelShown_);
  });
  setCentralWidget(pages_);

  buildMenus();
  reporter_ = [this](const QString& message) { QMessageBox::warning(this, title(), message); };
  restoreSettings();
}

ProfileWindow::~ProfileWindow() { saveSettings(); }

void ProfileWindow::closeEvent(QCloseEvent* event) {
  saveSettings();
  QMainWindow::closeEvent(event);
}

void ProfileWindow::saveSettings() const {
  QSettings settings;
  settings.setValue(kSettings + QStringLiteral("geometry"), saveGeometry());
  settings.setValue(kSettings + QStringLiteral("state"), saveState());
  // The panel as the user left it, though the measured page hides it now.
  settings.setValue(kSettings + QStringLiteral("modelPanel"),
                    dock_->toggleViewAction()->isEnabled() ? !dock_->isHidden() : panelShown_);
  settings.setValue(kSettings + QStringLiteral("splitter"), splitter_->saveState());
  QStringList breakers, shoalings, transport;
  for (shore::BreakerLimit b : shore::kBreakerLimits) {
    if (panel_->breakerBox(b)->isChecked()) breakers.append(QString::fromUtf8(shore::breakerName(b)));
  }
  for (shore::Shoaling s : shore::kShoalings) {
    if (panel_->shoalingBox(s)->isChecked()) {
      shoalings.append(QString::fromUtf8(shore::shoalingName(s)));
    }
  }
  for (int i = 0; i < 4; ++i) transport.append(panel_->paramBox(i)->text());
  // Empty lists are stored as such: "none checked" is a choice to keep.
  settings.setValue(kSettings + QStringLiteral("breakers"), breakers.join(QLatin1Char(',')));
  settings.setValue(kSettings + QStringLiteral("shoalings"), shoalings.join(QLatin1Char(',')));
  settings.setValue(kSettings + QStringLiteral("transport"), transport);
  settings.setValue(kSettings + QStringLiteral("quantity"), quantity_->currentIndex());
}

void ProfileWindow::restoreSettings() {
  const QSettings settings;
  restoreGeometry(settings.value(kSettings + QStringLiteral("geometry")).toByteArray());
  restoreState(settings.value(kSettings + QStringLiteral("state")).toByteArray());
  const QVariant panelShown = settings.value(kSettings + QStringLiteral("modelPanel"));
  if (panelShown.isValid() && panelShown.toBool() == dock_->isHidden()) {
    dock_->setVisible(panelShown.toBool());
  }
  splitter_->restoreState(settings.value(kSettings + QStringLiteral("splitter")).toByteArray());
  // Restored quietly: the comparison tab comes forward only for the user's
  // own changes.
  const QSignalBlocker quiet(panel_);
  if (settings.contains(kSettings + QStringLiteral("breakers"))) {
    const QStringList names =
        settings.value(kSettings + QStringLiteral("breakers")).toString().split(QLatin1Char(','));
    for (shore::BreakerLimit b : shore::kBreakerLimits) {
      panel_->breakerBox(b)->setChecked(names.contains(QString::fromUtf8(shore::breakerName(b))));
    }
  }
  if (settings.contains(kSettings + QStringLiteral("shoalings"))) {
    const QStringList names =
        settings.value(kSettings + QStringLiteral("shoalings")).toString().split(QLatin1Char(','));
    for (shore::Shoaling s : shore::kShoalings) {
      panel_->shoalingBox(s)->setChecked(names.contains(QString::fromUtf8(shore::shoalingName(s))));
    }
  }
  const QStringList transport = settings.value(kSettings + QStringLiteral("transport")).toStringList();
  if (transport.size() == 4) {
    for (int i = 0; i < 4; ++i) panel_->paramBox(i)->setText(transport[i]);
  }
  const int quantity = settings.value(kSettings + QStringLiteral("quantity"), 0).toInt();
  if (quantity >= 0 && quantity < quantity_->count()) quantity_->setCurrentIndex(quantity);
}

ProfileChoices ProfileWindow::choices() const {
  ProfileChoices c;
  for (shore::BreakerLimit b : shore::kBreakerLimits) {
    if (panel_->breakerBox(b)->isChecked()) c.breakers.append(QString::fromUtf8(shore::breakerName(b)));
  }
  for (shore::Shoaling s : shore::kShoalings) {
    if (panel_->shoalingBox(s)->isChecked()) {
      c.shoalings.append(QString::fromUtf8(shore::shoalingName(s)));
    }
  }
  c.quantity = quantityName(std::size_t(quantity_->currentIndex()));
  for (int i = 0; i < 4; ++i) c.transport[std::size_t(i)] = panel_->paramBox(i)->text();
  c.randomHeight = random_->heightText();
  c.randomPeriod = random_->periodText();
  c.randomTyped = random_->typed();
  c.measured = measured_->choices();
  return c;
}

void ProfileWindow::setChoices(const ProfileChoices& c) {
  {
    // One redraw for all of them, below, not one per box.
    const QSignalBlocker quiet(panel_);
    for (shore::BreakerLimit b : shore::kBreakerLimits) {
      panel_->breakerBox(b)->setChecked(c.breakers.contains(QString::fromUtf8(shore::breakerName(b))));
    }
    for (shore::Shoaling s : shore::kShoalings) {
      panel_->shoalingBox(s)->setChecked(
          c.shoalings.contains(QString::fromUtf8(shore::shoalingName(s))));
    }
    // The boxes' own check (the message under them) still runs.
    for (int i = 0; i < 4; ++i) panel_->paramBox(i)->setText(c.transport[std::size_t(i)]);
  }
  const int quantity = quantityIndex(c.quantity);
  if (quantity >= 0) quantity_->setCurrentIndex(quantity);
  random_->setInputs(c.randomHeight, c.randomPeriod, c.randomTyped);
  measured_->setChoices(c.measured);
  if (isVisible()) {
    redraw();
  } else {
    refreshComparison(wave_);
  }
}

QString ProfileWindow::title() { return tr("断面図 — 砕波の計算"); }

void ProfileWindow::buildMenus() {
  QMenu* file = fileMenu_ = menuBar()->addMenu(tr("ファイル(&F)"));
  QAction* measured = file->addAction(tr("実測断面を開く(&L)..."), this,
                                      [this] { measured_->askOpenProfile(); });
  measured->setObjectName(QStringLiteral("openProfile"));
  file->addSeparator();
  const auto exporter = [this](std::function<bool(ProfileWindow*, const QString&)> save,
                               QString caption, QString mime, QString suffix,
                               QString stem = QStringLiteral("profile")) {
    return [=, this] {
      const QString path = askPath(caption, mime, suffix, stem);
      if (!path.isEmpty()) save(this, path);
    };
  };
  // The pictures at the size of the export dialog's first preset.
  const auto picture = [](bool (ProfileWindow::*save)(const QString&, const ExportSize&)) {
    return [save](ProfileWindow* window, const QString& path) { return (window->*save)(path, {}); };
  };
  file->addAction(tr("図を PNG 画像で保存(&P)..."), this,
                  exporter(picture(&ProfileWindow::exportPng), tr("図を PNG 画像で保存"),
                           QStringLiteral("image/png"), QStringLiteral("png")));
  file->addAction(tr("図を SVG 画像で保存(&S)..."), this,
                  exporter(picture(&ProfileWindow::exportSvg), tr("図を SVG 画像で保存"),
                           QStringLiteral("image/svg+xml"), QStringLiteral("svg")));
  file->addAction(tr("図を書き出す(&E)..."), this, &ProfileWindow::exportChart);
  file->addAction(tr("表を CSV で保存(&C)..."), this,
                  exporter(std::mem_fn(&ProfileWindow::exportCsv), tr("表を CSV で保存"),
                           QStringLiteral("text/csv"), QStringLiteral("csv")));
  file->addAction(tr("比較表を CSV で保存(&M)..."), this,
                  exporter(std::mem_fn(&ProfileWindow::exportComparisonCsv), tr("比較表を CSV で保存"),
                           QStringLiteral("text/csv"), QStringLiteral("csv"),
                           QStringLiteral("models")));
  file->addSeparator();
  QAction* close = file->addAction(tr("閉じる(&X)"), this, &QWidget::close);
  close->setShortcut(QKeySequence::Close);
  editMenu_ = menuBar()->addMenu(tr("編集(&E)"));
  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  QAction* panel = dock_->toggleViewAction();
  panel->setText(tr("モデルの比較(&M)"));
  view->addAction(panel);
  view->addSeparator();
  gui::addLanguageMenu(view);
}

QString ProfileWindow::defaultFileName(const QString& stem, const QString& suffix) const {
  return QStringLiteral("%1_Ho%2_T%3_a%4_n%5.%6")
      .arg(stem, shortest(wave_.Ho), shortest(wave_.T), shortest(wave_.alpha0), shortest(wave_.n),
           suffix);
}

QString ProfileWindow::askPath(const QString& caption, const QString& mimeType,
                               const QString& suffix, const QString& stem) {
  QFileDialog dialog(this, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setMimeTypeFilters({mimeType});
  dialog.setDefaultSuffix(suffix);
  // The folder of the last export, and a name that says what is in the file.
  QSettings settings;
  const QString folder = settings.value(kSettings + QStringLiteral("exportFolder")).toString();
  if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
  dialog.selectFile(defaultFileName(stem, suffix));
  gui::fitFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  settings.setValue(kSettings + QStringLiteral("exportFolder"), QFileInfo(path).absolutePath());
  return path;
}

void ProfileWindow::setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

void ProfileWindow::showEvent(QShowEvent* event) {
  // Opened (or reopened after closing): the boxes as they stand.  A window
  // restored from the task bar was kept up to date while minimised and
  // still shows the last calculation.
  if (!event->spontaneous()) refresh();
  QMainWindow::showEvent(event);
}

void ProfileWindow::refresh() {
  wave_ = sheet::waveOf(source_);
  depthSet_ = !source_.text(sheet::kDepthBox).empty();
  depth_ = sheet::chosenDepth(source_);
  redraw();
}

void ProfileWindow::redraw() {
  const shore::Wave& wave = wave_;
  const bool depthSet = depthSet_;
  const std::optional<double>& depth = depth_;
  refreshComparison(wave);
  random_->setBeach(wave.n, wave.Ho, wave.T);
  structure_->setBeach(wave.n);
  measured_->setWave(wave.Ho, wave.T, wave.alpha0);

  // The seaward end reaches every checked model's breaking point (twice its
  // depth, as the profile's own end reaches its own), so that each curve is
  // drawn whole on the one beach.
  const std::vector<shore::Model> models = modelPanel().checkedModels();
  double seaward = 0;
  for (const shore::Model& model : models) {
    if (model.isDefault()) continue;
    const shore::Breaking b = shore::findBreaking(wave, model);
    if (b.ok()) seaward = std::max(seaward, 2.0 * double(b.hb));
  }

  profile_ = shore::profile(wave);
  shore::Error error = profile_.error;
  if (profile_.ok() && depthSet) {
    // A depth in the box that the calculation cannot use fails here as it
    // fails there; one seaward of the profile widens the profile to it.
    const shore::State at = shore::stateAt(profile_.breaking, depth.value_or(std::nan("")));
    error = at.error;
    if (at.ok() && !profile_.stations.empty() && at.h > profile_.stations.front().state.h) {
      seaward = std::max(seaward, *depth);
    }
  }
  if (error == shore::Error::None && !profile_.stations.empty() &&
      seaward > profile_.stations.front().state.h) {
    shore::ProfileOptions options;
    options.fromDepth = seaward;
    profile_ = shore::profile(wave, options);
    error = profile_.error;
  }

  if (error != shore::Error::None) {
    profile_.stations.clear();
    others_.clear();
    otherModels_.clear();
    profile_.error = error;
    chart_->clearProfile();
    showShoreline(nullptr);
    chart_->chart()->setTitle(QString());
    model_->setProfile(profile_);
    showError(QString::fromStdString(report::errorText(error, gui::language())));
    note_->hide();
    return;
  }
  showError({});
  chart_->chart()->setTitle(
      tr("Ho = %1 m　T = %2 s　αo = %3°　海底勾配 1/%4")
          .arg(shortest(wave.Ho), shortest(wave.T), shortest(wave.alpha0), shortest(wave.n)));

  // Every other checked model over the same stations in x.  A model whose
  // breaking point is not found draws nothing; its row says why.
  std::vector<shore::Profile>& others = others_;
  others.clear();
  otherModels_.clear();
  others.reserve(models.size());
  std::vector<ProfileChart::CurveStations> curves;
  shore::ProfileOptions options;
  options.fromDepth = double(profile_.stations.front().state.h);
  bool waveShown = false;
  for (const shore::Model& model : models) {
    if (model.isDefault()) {
      waveShown = true;
      continue;
    }
    others.push_back(shore::profile(wave, options, model));
    otherModels_.push_back(model);
    curves.push_back({curveFor(model), &others.back().stations});
  }
  chart_->setHeightCurveHidden(0, !waveShown);
  chart_->setHeightCurveName(0, curves.empty() ? waveName() : modelName(shore::Model{}));
  const shore::Shoreline shoreline = shore::shoreline(wave);
  chart_->showProfile(profile_, depthSet ? depth : std::nullopt, curves, &shoreline);
  showShoreline(&shoreline);
  model_->setProfile(profile_);
  // A steep wave breaks while it still shoals linearly; a formula outside
  // its fitted range is flagged.
  QStringList notes;
  if (profile_.breaking.onsetShorewardOfBreaking()) {
    notes << tr("この波は線形浅水変形のうちに砕波します（非線形浅水変形の開始点が砕波点より"
                "岸側にある急な波）．");
  }
  // The breaking point's warnings and the stations' own (a surf-zone
  // height above the depth), each said once.
  shore::Warnings all = profile_.breaking.warnings;
  for (const shore::Station& station : profile_.stations) all.add(station.state.warnings);
  all.add(shoreline.warnings());  // setup and runup at the shoreline
  const std::string warnings = report::warningText(all, gui::language());
  if (!warnings.empty()) notes << QString::fromStdString(warnings);
  // A setup the theory cannot give (below still water at the shoreline) is
  // left empty beside the chart; the note says why.
  if (shoreline.setup.error == shore::Error::NegativeSetup) {
    notes << QString::fromStdString(report::errorText(shoreline.setup.error, gui::language()));
  }
  note_->setText(notes.join(QLatin1Char('\n')));
  note_->setVisible(!notes.isEmpty());
}

std::vector<shore::ComparisonRow> ProfileWindow::comparisonRows(const shore::Wave& wave) const {
  // The checked models' rows and the empirical one.
  std::vector<shore::ComparisonRow> rows = shore::compare(wave, panel_->params());
  const std::vector<shore::Model> models = panel_->checkedModels();
  std::erase_if(rows, [&models](const shore::ComparisonRow& row) {
    return row.model && std::find(models.begin(), models.end(), *row.model) == models.end();
  });
  return rows;
}

void ProfileWindow::refreshComparison(const shore::Wave& wave) {
  std::vector<ComparisonModel::Entry> entries;
  for (const shore::ComparisonRow& row : comparisonRows(wave)) {
    entries.push_back({row, row.model ? modelColor(*row.model) : QColor()});
  }
  comparison_->setRows(entries);
}

int ProfileWindow::curveFor(const shore::Model& model) {
  int& curve = curves_[std::size_t(model.breaker) * shore::kShoalings.size() +
                       std::size_t(model.shoaling)];
  if (curve < 0) {
    curve = chart_->addHeightCurve(modelName(model), modelColor(model),
                                   shoalingLine(model.shoaling), shoalingMarker(model.shoaling));
  }
  return curve;
}

void ProfileWindow::showError(const QString& message) {
  error_->setText(message.isEmpty() ? QString() : tr("計算できません: ") + message);
  error_->setVisible(!message.isEmpty());
}

QString ProfileWindow::errorMessage() const {
  return error_->isVisible() ? error_->text() : QString();
}

QString ProfileWindow::hoverText() const { return hover_->text(); }

QStringList ProfileWindow::shorelineTexts() const {
  QStringList texts;
  for (const QLabel* label : shoreline_) texts.append(label->text());
  return texts;
}

void ProfileWindow::showShoreline(const shore::Shoreline* s) {
  if (!s) {
    for (QLabel* label : shoreline_) label->clear();
    return;
  }
  const QString type = s->surf.type
                           ? QString::fromUtf8(report::breakerTypeDisplayName(*s->surf.type, gui::language()).data())
                           : QString();
  shoreline_[0]->setText(QStringLiteral("ξ0 = %1 %2").arg(twoDecimals(s->surf.xi0), type));
  shoreline_[1]->setText(QStringLiteral("ηb = %1 m").arg(twoDecimals(s->setup.etaB)));
  shoreline_[2]->setText(QStringLiteral("ηs = %1 m").arg(twoDecimals(s->setup.etaS)));
  shoreline_[3]->setText(QStringLiteral("R2% = %1 m").arg(twoDecimals(s->runup.R2)));
  shoreline_[4]->setText(QStringLiteral("V = %1 m/s").arg(twoDecimals(s->current.V)));
}

void ProfileWindow::showHover(int index) {
  if (index < 0 || std::size_t(index) >= profile_.stations.size()) {
    hover_->clear();
    return;
  }
  const shore::Station& station = profile_.stations[std::size_t(index)];
  const shore::State& s = station.state;
  QString text =
      QStringLiteral("x = %1 m　h = %2 m　").arg(twoDecimals(station.x), twoDecimals(s.h));
  if (!s.ok()) {
    text +=
        tr("計算できません: ") +
        QString::fromStdString(report::stationError(station, gui::language()));
  } else {
    text += tr("H = %1 m（%2）　L = %3 m　θ = %4°　C = %5 m/s　"
                "底面 a = %6 m, u = %7 m/s　表面 a = %8 m, u = %9 m/s")
                .arg(twoDecimals(s.H), s.rule ? ProfileModel::ruleText(*s.rule) : QString(), twoDecimals(s.L),
                     twoDecimals(s.theta), twoDecimals(s.C), twoDecimals(s.aBottom),
                     twoDecimals(s.uBottom), twoDecimals(s.aSurface), twoDecimals(s.uSurface));
  }
  hover_->setText(text);
}

ExportText ProfileWindow::exportText() const {
  // The inputs as the chart's title gives them, then the models drawn.
  QStringList models;
  if (chart_->isHeightCurveShown(0)) models.append(modelName(shore::Model{}));
  for (const shore::Model& model : otherModels_) models.append(modelName(model));
  return {title(), chart_->chart()->title() + QStringLiteral("\n") + models.join(QStringLiteral("\n"))};
}

bool ProfileWindow::writePicture(const QString& path, const QString& failure,
                                 ExportDrawn (*write)(ProfileChart&, const ExportText&,
                                                      const ExportSize&, QIODevice&),
                                 const ExportSize& size) {
  // A size the picture cannot take (none, or too large to hold) is refused
  // before anything is written.
  if (!size.valid()) {
    lastExport_ = {};
    reporter_(failure + path + QLatin1Char('\n') +
              tr("大きさ %1 × %2 px，%3 dpi は書き出せません．")
                  .arg(size.pixels.width())
                  .arg(size.pixels.height())
                  .arg(size.dpi));
    return false;
  }
  ExportDrawn drawn;
  const bool written = writeFile(path, [&](QIODevice& out) {
    drawn = write(*chart_, exportText(), size, out);
    return drawn.ok;
  });
  lastExport_ = drawn;
  if (!written) {
    reporter_(failure + path);
    return false;
  }
  return true;
}

bool ProfileWindow::exportPng(const QString& path, const ExportSize& size) {
  return writePicture(path, tr("PNG 画像を保存できませんでした: "), &writePng, size);
}

bool ProfileWindow::exportSvg(const QString& path, const ExportSize& size) {
  return writePicture(path, tr("SVG 画像を保存できませんでした: "), &writeSvg, size);
}

bool ProfileWindow::exportPdf(const QString& path, const ExportSize& size) {
  return writePicture(path, tr("PDF を保存できませんでした: "), &writePdf, size);
}

void ProfileWindow::exportChart() {
  ExportDialog dialog(this);
  // The choice of the last export.
  QSettings settings;
  const QString key = kSettings + QStringLiteral("export/");
  ExportSize last;
  last.pixels = settings.value(key + QStringLiteral("size"), last.pixels).toSize();
  last.dpi = settings.value(key + QStringLiteral("dpi"), last.dpi).toInt();
  dialog.setChoice(
      ExportDialog::Format(settings.value(key + QStringLiteral("format"), 0).toInt()),
      ExportDialog::Preset(settings.value(key + QStringLiteral("preset"), 0).toInt()), last);
  if (dialog.exec() != QDialog::Accepted) return;
  const ExportDialog::Format format = dialog.format();
  settings.setValue(key + QStringLiteral("format"), int(format));
  settings.setValue(key + QStringLiteral("preset"), int(dialog.preset()));
  settings.setValue(key + QStringLiteral("size"), dialog.size().pixels);
  settings.setValue(key + QStringLiteral("dpi"), dialog.size().dpi);
  const QString suffix = ExportDialog::suffix(format);
  const QString path = askPath(tr("図を書き出す"), ExportDialog::mimeType(format), suffix,
                               QStringLiteral("profile"));
  if (path.isEmpty()) return;
  switch (format) {
    case ExportDialog::Format::Png: exportPng(path, dialog.size()); break;
    case ExportDialog::Format::Svg: exportSvg(path, dialog.size()); break;
    case ExportDialog::Format::Pdf: exportPdf(path, dialog.size()); break;
  }
}

std::string ProfileWindow::profilesCsv() const {
  std::string text;
  std::array<std::string_view, report::kProfileHeader.size() + 1> header{"model"};
  std::copy(report::kProfileHeader.begin(), report::kProfileHeader.end(), header.begin() + 1);
  report::appendCsvRecord(text, header);
  const auto append = [&text](const shore::Model& model, const shore::Profile& profile) {
    const std::string name = stableName(model);
    for (const shore::Station& station : profile.stations) {
      const auto cells = report::profileRow(station);
      std::array<std::string_view, report::kProfileHeader.size() + 1> row{name};
      std::copy(cells.begin(), cells.end(), row.begin() + 1);
      report::appendCsvRecord(text, row);
    }
  };
  // The default model's stations whenever its curve is drawn, or when no
  // other model is: they are the table's.
  if (chart_->isHeightCurveShown(0) || otherModels_.empty()) append(shore::Model{}, profile_);
  for (std::size_t i = 0; i < otherModels_.size(); ++i) append(otherModels_[i], others_[i]);
  return text;
}

bool ProfileWindow::exportCsv(const QString& path) {
  if (!writeText(path, profilesCsv())) {
    reporter_(tr("CSV を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

bool ProfileWindow::exportComparisonCsv(const QString& path) {
  // The table's rows, in the columns of `saiha-calc compare`.
  std::string text;
  report::appendCsvRecord(text, report::kCompareHeader);
  for (const shore::ComparisonRow& row : comparisonRows(wave_)) {
    report::appendCsvRecord(text, report::compareRow(row, gui::language()));
  }
  if (!writeText(path, text)) {
    reporter_(tr("CSV を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

}  // namespace saiha::profile
