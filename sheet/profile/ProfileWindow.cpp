#include "sheet/profile/ProfileWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "runtime/text.h"
#include "sheet/calc.h"
#include "sheet/profile/ProfileChart.h"
#include "sheet/profile/ProfileModel.h"
#include "sheet/profile_table.h"
#include "sheet/window/CalcWindow.h"
#include "sheet/window/frmKelvo.h"

namespace saiha::profile {

namespace {

QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}
QString twoDecimals(float value) { return QString::fromStdString(rt::formatResult(value)); }

QString ruleText(shore::HeightRule rule) {
  switch (rule) {
    case shore::HeightRule::Linear:
      return QStringLiteral("線形浅水変形");
    case shore::HeightRule::Nonlinear:
      return QStringLiteral("非線形浅水変形");
    case shore::HeightRule::Surf:
      return QStringLiteral("砕波帯");
    case shore::HeightRule::Intermediate:
      return QStringLiteral("中間域の浅水変形");
  }
  return {};
}

// The table of stations; Ctrl+C copies every selected cell with the header,
// not just the current one as a plain item view does.
class StationTable final : public QTableView {
 public:
  explicit StationTable(std::function<void()> copy) : copy_(std::move(copy)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Copy)) {
      copy_();
      event->accept();
      return;
    }
    QTableView::keyPressEvent(event);
  }

 private:
  std::function<void()> copy_;
};

}  // namespace

ProfileWindow::ProfileWindow(const sheet::SheetAccess& source, QWidget* parent)
    : QMainWindow(parent), source_(source) {
  setObjectName(QStringLiteral("ProfileWindow"));
  setWindowTitle(title());
  setFont(window::frmKelvo::sheetFont());
  setMinimumSize(560, 440);
  resize(980, 700);

  chart_ = new ProfileChart;
  model_ = new ProfileModel(this);

  // Above the chart: the second quantity, the error and the note.
  auto* top = new QWidget;
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(6, 6, 6, 0);
  auto* choice = new QHBoxLayout;
  auto* choiceLabel = new QLabel(QStringLiteral("第 2 軸(&Q):"));
  quantity_ = new QComboBox;
  quantity_->setObjectName(QStringLiteral("quantity"));
  for (const QuantityInfo& info : kQuantities) quantity_->addItem(QString::fromUtf8(info.name));
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
  error_->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
  error_->hide();
  note_ = new QLabel(
      QStringLiteral("この波は非線形浅水変形の開始点が砕波点より岸側にあります（非常に急な波）．"
                     "波高は砕波点で不連続に変わります．"));
  note_->setObjectName(QStringLiteral("note"));
  note_->setWordWrap(true);
  note_->setStyleSheet(QStringLiteral("color: #8a5a00;"));
  note_->hide();
  topLayout->addWidget(error_);
  topLayout->addWidget(note_);
  topLayout->addWidget(chart_, 1);
  hover_ = new QLabel;
  hover_->setObjectName(QStringLiteral("hover"));
  hover_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hover_->setMinimumHeight(hover_->fontMetrics().height());
  topLayout->addWidget(hover_);
  connect(chart_, &ProfileChart::stationHovered, this, &ProfileWindow::showHover);

  table_ = new StationTable([this] { copySelection(); });
  table_->setObjectName(QStringLiteral("table"));
  table_->setModel(model_);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
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

  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(top);
  splitter->addWidget(table_);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({520, 160});
  splitter->setChildrenCollapsible(false);
  setCentralWidget(splitter);

  buildMenus();
  reporter_ = [this](const QString& message) { QMessageBox::warning(this, title(), message); };
}

QString ProfileWindow::title() { return QStringLiteral("断面図 — 砕波の計算"); }

void ProfileWindow::attachTo(window::CalcWindow& calc) {
  connect(&calc, &window::CalcWindow::profileRequested, &calc, [&calc] {
    auto* profile = calc.findChild<ProfileWindow*>();
    if (!profile) {
      // A top-level window of its own, closed with the calculation window.
      profile = new ProfileWindow(calc.sheet(), &calc);
      connect(&calc.sheet(), &window::frmKelvo::calculated, profile, [profile] {
        if (profile->isVisible()) profile->refresh();
      });
    }
    profile->show();
    profile->raise();
    profile->activateWindow();
  });
}

void ProfileWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  const auto exporter = [this](bool (ProfileWindow::*save)(const QString&), QString caption,
                               QString mime, QString suffix) {
    return [=, this] {
      const QString path = askPath(caption, mime, suffix);
      if (!path.isEmpty()) (this->*save)(path);
    };
  };
  file->addAction(QStringLiteral("図を PNG 画像で保存(&P)..."), this,
                  exporter(&ProfileWindow::exportPng, QStringLiteral("図を PNG 画像で保存"),
                           QStringLiteral("image/png"), QStringLiteral("png")));
  file->addAction(QStringLiteral("図を SVG 画像で保存(&S)..."), this,
                  exporter(&ProfileWindow::exportSvg, QStringLiteral("図を SVG 画像で保存"),
                           QStringLiteral("image/svg+xml"), QStringLiteral("svg")));
  file->addAction(QStringLiteral("表を CSV で保存(&C)..."), this,
                  exporter(&ProfileWindow::exportCsv, QStringLiteral("表を CSV で保存"),
                           QStringLiteral("text/csv"), QStringLiteral("csv")));
  file->addSeparator();
  QAction* close = file->addAction(QStringLiteral("閉じる(&X)"), this, &QWidget::close);
  close->setShortcut(QKeySequence::Close);
}

QString ProfileWindow::askPath(const QString& caption, const QString& mimeType,
                               const QString& suffix) {
  QFileDialog dialog(this, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setMimeTypeFilters({mimeType});
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(QStringLiteral("断面図.") + suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void ProfileWindow::setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

void ProfileWindow::showEvent(QShowEvent* event) {
  refresh();
  QMainWindow::showEvent(event);
}

void ProfileWindow::refresh() {
  const shore::Wave wave = sheet::waveOf(source_);
  const bool depthSet = !source_.text(sheet::kDepthBox).empty();
  const std::optional<double> depth = sheet::chosenDepth(source_);

  profile_ = shore::profile(wave);
  shore::Error error = profile_.error;
  if (profile_.ok() && depthSet) {
    // A depth in the box that the calculation cannot use fails here as it
    // fails there; one seaward of the profile widens the profile to it.
    const shore::State at = shore::stateAt(profile_.breaking, depth.value_or(std::nan("")));
    error = at.error;
    if (at.ok() && !profile_.stations.empty() && at.h > profile_.stations.front().state.h) {
      shore::ProfileOptions options;
      options.fromDepth = *depth;
      profile_ = shore::profile(wave, options);
      error = profile_.error;
    }
  }

  if (error != shore::Error::None) {
    profile_.stations.clear();
    profile_.error = error;
    chart_->clearProfile();
    chart_->chart()->setTitle(QString());
    model_->setProfile(profile_);
    showError(QString::fromStdString(sheet::errorText(error)));
    note_->hide();
    return;
  }
  showError({});
  chart_->chart()->setTitle(
      QStringLiteral("Ho = %1 m　T = %2 s　αo = %3°　海底勾配 1/%4")
          .arg(shortest(wave.Ho), shortest(wave.T), shortest(wave.alpha0), shortest(wave.n)));
  chart_->showProfile(profile_, depthSet ? depth : std::nullopt);
  model_->setProfile(profile_);
  note_->setVisible(profile_.breaking.onsetShorewardOfBreaking());
}

void ProfileWindow::showError(const QString& message) {
  error_->setText(message.isEmpty() ? QString() : QStringLiteral("計算できません: ") + message);
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
        QStringLiteral("計算できません: ") + QString::fromStdString(sheet::stationError(station));
  } else {
    text += QStringLiteral(
                "H = %1 m（%2）　L = %3 m　θ = %4°　C = %5 m/s　"
                "底面 a = %6 m, u = %7 m/s　表面 a = %8 m, u = %9 m/s")
                .arg(twoDecimals(s.H), s.rule ? ruleText(*s.rule) : QString(), twoDecimals(s.L),
                     twoDecimals(s.theta), twoDecimals(s.C), twoDecimals(s.aBottom),
                     twoDecimals(s.uBottom), twoDecimals(s.aSurface), twoDecimals(s.uSurface));
  }
  hover_->setText(text);
}

void ProfileWindow::copySelection() {
  const QString text = model_->copyText(table_->selectionModel()->selectedIndexes());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool ProfileWindow::exportPng(const QString& path) {
  QSaveFile file(path);
  const QPixmap pixmap = chart_->grab();
  if (!file.open(QIODevice::WriteOnly) || !pixmap.save(&file, "PNG") || !file.commit()) {
    reporter_(QStringLiteral("PNG 画像を保存できませんでした: ") + path);
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
    reporter_(QStringLiteral("SVG 画像を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

bool ProfileWindow::exportCsv(const QString& path) {
  QSaveFile file(path);
  const std::string text = model_->csv();
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
    reporter_(QStringLiteral("CSV を保存できませんでした: ") + path);
    return false;
  }
  return true;
}

}  // namespace saiha::profile
