#include "gui/profile/ProfileWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
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
#include "gui/profile/ModelPanel.h"
#include "gui/profile/ProfileChart.h"
#include "gui/profile/ProfileModel.h"
#include "report/profile_table.h"
#include "gui/style.h"
#include "shore/comparison.h"

namespace saiha::profile {

namespace {

QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}
QString twoDecimals(float value) { return QString::fromStdString(rt::formatResult(value)); }

QString ruleText(shore::HeightRule rule) {
  switch (rule) {
    case shore::HeightRule::Linear:
      return ProfileWindow::tr("線形浅水変形");
    case shore::HeightRule::Nonlinear:
      return ProfileWindow::tr("非線形浅水変形");
    case shore::HeightRule::Surf:
      return ProfileWindow::tr("砕波帯");
    case shore::HeightRule::Intermediate:
      return ProfileWindow::tr("中間域の浅水変形");
  }
  return {};
}

// How each model's curve is drawn: its colour tells the breaker limit, its
// line and breaking-point marker the shoaling rule (gui::breakerColor).
Qt::PenStyle shoalingLine(shore::Shoaling shoaling) {
  return shoaling == shore::Shoaling::TwoRegime ? Qt::SolidLine : Qt::DashDotLine;
}
QScatterSeries::MarkerShape shoalingMarker(shore::Shoaling shoaling) {
  return shoaling == shore::Shoaling::TwoRegime ? QScatterSeries::MarkerShapeCircle
                                                : QScatterSeries::MarkerShapeRectangle;
}
QString modelName(const shore::Model& model) {
  return QString::fromStdString(report::rowDisplayName(shore::ComparisonRow{model}));
}
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
  topLayout->addLayout(choice);

  error_ = new QLabel;
  error_->setObjectName(QStringLiteral("error"));
  error_->setWordWrap(true);
  error_->setStyleSheet(gui::errorStyle());
  error_->hide();
  note_ = new QLabel(
      tr("この波は非線形浅水変形の開始点が砕波点より岸側にあります（非常に急な波）．"
                     "波高は砕波点で不連続に変わります．"));
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
      table_->fontMetrics().horizontalAdvance(tr("Kamphuis (1991)・首藤 (1974)")) + 40);
  for (int column = ComparisonModel::Hb; column < ComparisonModel::Message; ++column) {
    comparisonTable_->setColumnWidth(column, numberWidth);
  }
  comparisonTable_->horizontalHeader()->setStretchLastSection(true);
  tables_ = new QTabWidget;
  tables_->setObjectName(QStringLiteral("tables"));
  tables_->addTab(table_, tr("地点の表"));
  tables_->addTab(comparisonTable_, tr("モデルの比較"));

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

  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(top);
  splitter->addWidget(tables_);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({520, 160});
  splitter->setChildrenCollapsible(false);
  setCentralWidget(splitter);

  buildMenus();
  reporter_ = [this](const QString& message) { QMessageBox::warning(this, title(), message); };
}

QString ProfileWindow::title() { return tr("断面図 — 砕波の計算"); }

void ProfileWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
  const auto exporter = [this](bool (ProfileWindow::*save)(const QString&), QString caption,
                               QString mime, QString suffix) {
    return [=, this] {
      const QString path = askPath(caption, mime, suffix);
      if (!path.isEmpty()) (this->*save)(path);
    };
  };
  file->addAction(tr("図を PNG 画像で保存(&P)..."), this,
                  exporter(&ProfileWindow::exportPng, tr("図を PNG 画像で保存"),
                           QStringLiteral("image/png"), QStringLiteral("png")));
  file->addAction(tr("図を SVG 画像で保存(&S)..."), this,
                  exporter(&ProfileWindow::exportSvg, tr("図を SVG 画像で保存"),
                           QStringLiteral("image/svg+xml"), QStringLiteral("svg")));
  file->addAction(tr("表を CSV で保存(&C)..."), this,
                  exporter(&ProfileWindow::exportCsv, tr("表を CSV で保存"),
                           QStringLiteral("text/csv"), QStringLiteral("csv")));
  file->addSeparator();
  QAction* close = file->addAction(tr("閉じる(&X)"), this, &QWidget::close);
  close->setShortcut(QKeySequence::Close);
  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  QAction* panel = dock_->toggleViewAction();
  panel->setText(tr("モデルの比較(&M)"));
  view->addAction(panel);
}

QString ProfileWindow::askPath(const QString& caption, const QString& mimeType,
                               const QString& suffix) {
  QFileDialog dialog(this, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setMimeTypeFilters({mimeType});
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(tr("断面図.") + suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
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
    profile_.error = error;
    chart_->clearProfile();
    chart_->chart()->setTitle(QString());
    model_->setProfile(profile_);
    showError(QString::fromStdString(report::errorText(error)));
    note_->hide();
    return;
  }
  showError({});
  chart_->chart()->setTitle(
      tr("Ho = %1 m　T = %2 s　αo = %3°　海底勾配 1/%4")
          .arg(shortest(wave.Ho), shortest(wave.T), shortest(wave.alpha0), shortest(wave.n)));

  // Every other checked model over the same stations in x.  A model whose
  // breaking point is not found draws nothing; its row says why.
  std::vector<shore::Profile> others;
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
    curves.push_back({curveFor(model), &others.back().stations});
  }
  chart_->setHeightCurveHidden(0, !waveShown);
  chart_->setHeightCurveName(0, curves.empty() ? waveName() : modelName(shore::Model{}));
  chart_->showProfile(profile_, depthSet ? depth : std::nullopt, curves);
  model_->setProfile(profile_);
  note_->setVisible(profile_.breaking.onsetShorewardOfBreaking());
}

void ProfileWindow::refreshComparison(const shore::Wave& wave) {
  const std::vector<shore::ComparisonRow> all = shore::compare(wave, panel_->params());
  const std::vector<shore::Model> models = panel_->checkedModels();
  std::vector<ComparisonModel::Entry> entries;
  for (const shore::ComparisonRow& row : all) {
    if (!row.model) {
      entries.push_back({row, QColor()});
    } else if (std::find(models.begin(), models.end(), *row.model) != models.end()) {
      entries.push_back({row, gui::breakerColor(row.model->breaker)});
    }
  }
  comparison_->setRows(entries);
}

int ProfileWindow::curveFor(const shore::Model& model) {
  int& curve = curves_[std::size_t(model.breaker) * shore::kShoalings.size() +
                       std::size_t(model.shoaling)];
  if (curve < 0) {
    curve = chart_->addHeightCurve(modelName(model), gui::breakerColor(model.breaker),
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
        tr("計算できません: ") + QString::fromStdString(report::stationError(station));
  } else {
    text += tr("H = %1 m（%2）　L = %3 m　θ = %4°　C = %5 m/s　"
                "底面 a = %6 m, u = %7 m/s　表面 a = %8 m, u = %9 m/s")
                .arg(twoDecimals(s.H), s.rule ? ruleText(*s.rule) : QString(), twoDecimals(s.L),
                     twoDecimals(s.theta), twoDecimals(s.C), twoDecimals(s.aBottom),
                     twoDecimals(s.uBottom), twoDecimals(s.aSurface), twoDecimals(s.uSurface));
  }
  hover_->setText(text);
}

bool ProfileWindow::exportPng(const QString& path) {
  QSaveFile file(path);
  const QPixmap pixmap = chart_->grab();
  if (!file.open(QIODevice::WriteOnly) || !pixmap.save(&file, "PNG") || !file.commit()) {
    reporter_(tr("PNG 画像を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

bool ProfileWindow::exportSvg(const QString& path) {
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  if (written) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(chart_->size());
    svg.setViewBox(QRect(QPoint(0, 0), chart_->size()));
    svg.setTitle(title());
    svg.setDescription(chart_->chart()->title());
    QPainter painter;
    written = painter.begin(&svg);
    if (written) {
      chart_->render(&painter, QRectF(), chart_->viewport()->rect());
      written = painter.end();
    }
  }
  if (!written || !file.commit()) {
    reporter_(tr("SVG 画像を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

bool ProfileWindow::exportCsv(const QString& path) {
  QSaveFile file(path);
  const std::string text = model_->csv();
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
    reporter_(tr("CSV を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

}  // namespace saiha::profile
