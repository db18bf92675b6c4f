// The calculation window's menu bar and the profile window it opens, driven
// through their widgets: they follow 計算, agree with the sheet, show errors
// without stale curves, and export valid files.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLegend>
#include <QLegendMarker>
#include <QClipboard>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QGraphicsScene>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <QChart>
#include <QFontMetricsF>
#include <QValueAxis>
#include <QtTest>
#include <cmath>
#include <memory>

#include "runtime/text.h"
#include "sheet/calc.h"
#include "report/compare_table.h"
#include "report/messages.h"
#include "gui/profile/Callout.h"
#include "gui/profile/ChartLegend.h"
#include "gui/profile/ComparisonModel.h"
#include "gui/profile/ExportDialog.h"
#include "gui/profile/ModelPanel.h"
#include "gui/profile/ProfileChart.h"
#include "gui/profile/ProfileModel.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/profile/RandomView.h"
#include "gui/profile/Workbench.h"
#include "report/profile_table.h"
#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "saiha/version.h"
#include "shore/comparison.h"

using saiha::profile::ComparisonModel;
using saiha::profile::ProfileWindow;
using saiha::profile::RandomView;
using saiha::profile::Workbench;
using saiha::window::CalcWindow;
namespace shore = saiha::shore;

class ProfileWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CalcWindow> calc_;
  QTimer modalWatch_;
  QStringList modals_;  // titles of modal windows that showed up

  QLineEdit* box(const char* name) const { return calc_->findChild<QLineEdit*>(name); }
  void type(const char* name, const QString& text) {
    box(name)->setFocus();
    box(name)->selectAll();
    QTest::keyClick(box(name), Qt::Key_Delete);
    QTest::keyClicks(box(name), text);
  }
  Workbench& bench() const { return *calc_->findChild<Workbench*>("workbench"); }
  // A calculation window as the program starts it, with its profile window.
  void startCalc() {
    calc_ = std::make_unique<CalcWindow>();
    saiha::app::attachProfileWindow(*calc_);
    calc_->sheet().setReporter([](const QString&) {});
    calc_->show();
    calc_->activateWindow();
  }
  // Every box's text of the calculation window.
  QStringList boxTexts() const {
    QStringList texts;
    for (int i = 1; i <= 17; ++i) texts.append(box(qPrintable(QStringLiteral("Text%1").arg(i)))->text());
    return texts;
  }
  void press() { QTest::mouseClick(calc_->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
  ProfileWindow* openProfile() {
    QTest::keyClick(calc_.get(), Qt::Key_G, Qt::ControlModifier);
    auto* profile = calc_->findChild<ProfileWindow*>();
    if (profile) profile->setReporter([](const QString& m) { QFAIL(qPrintable(m)); });
    return profile;
  }

 private slots:
  void initTestCase() {
    // The profile window keeps its settings: each test starts from none,
    // and none reach the user's own.
    QStandardPaths::setTestModeEnabled(true);
  }
  void init() {
    QSettings().clear();
    modals_.clear();
    connect(&modalWatch_, &QTimer::timeout, this, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modals_.append(modal->windowTitle());
        modal->close();
      }
    });
    modalWatch_.start(20);
    startCalc();
    QVERIFY(QTest::qWaitForWindowActive(calc_.get()));
  }
  void cleanup() {
    calc_.reset();
    QCoreApplication::processEvents();
    modalWatch_.stop();
    modalWatch_.disconnect();
    QVERIFY2(modals_.isEmpty(), qPrintable("modal window: " + modals_.join(", ")));
  }

  // The sheet sits whole under the menu bar, as fixed as before; the three
  // menus fit the bar and the version is the project's.
  void menuBarAboveTheSheet() {
    const int bar = calc_->menuBar()->height();
    QCOMPARE(calc_->sheet().geometry(), QRect(0, bar, 172, 442));
    QCOMPARE(calc_->size(), QSize(172, 442 + bar));
    QCOMPARE(calc_->minimumSize(), calc_->maximumSize());
    QCOMPARE(calc_->findChild<QPushButton*>("Command1")->geometry(), QRect(0, 224, 169, 25));
    QCOMPARE(QApplication::focusWidget(), box("Text5"));
    for (QAction* menu : calc_->menuBar()->actions()) {
      QVERIFY2(calc_->menuBar()->actionGeometry(menu).right() < calc_->menuBar()->width(),
               qPrintable(menu->text()));
    }
    QVERIFY(CalcWindow::aboutText().contains(QStringLiteral(SAIHA_VERSION)));
  }

  // Ctrl+G and 表示 → 断面図 open one profile window, drawn for the inputs
  // as they stand; then each press of 計算 redraws it.
  void opensAndFollows() {
    QVERIFY(!calc_->findChild<ProfileWindow*>());
    ProfileWindow* profile = openProfile();
    QVERIFY(profile && profile->isVisible() && profile->isWindow());
    QVERIFY(profile->windowTitle().contains(QStringLiteral("断面図")));
    profile->close();
    calc_->profileAction()->trigger();
    QCOMPARE(calc_->findChildren<ProfileWindow*>().size(), 1);
    QVERIFY(profile->isVisible());

    const shore::Breaking defaults = shore::findBreaking({1, 10, 30, 60});
    QCOMPARE(profile->chart().breakingMarkerDepth(), defaults.hb);
    QCOMPARE(profile->chart().onsetMarkerDepth(), defaults.onsetDepth());

    type("Text5", "2");
    type("Text12", "30");
    press();
    const shore::Breaking changed = shore::findBreaking({2, 10, 30, 30});
    QCOMPARE(profile->chart().breakingMarkerDepth(), changed.hb);
    QCOMPARE(profile->chart().onsetMarkerDepth(), changed.onsetDepth());
    QCOMPARE(profile->model().rowCount(), 201);  // the onset falls on station 100
  }

  // The surf zone's heights on 1/12 rise above the depth near the shoreline
  // (the limit tends to 0.8·(1 + 15·tan^(4/3)β)·h = 1.24·h): the note says
  // so, once; on 1/60 (0.85·h) there is nothing to note.
  void surfHeightAboveTheDepthNoted() {
    ProfileWindow* profile = openProfile();
    auto* note = profile->findChild<QLabel*>("note");
    QVERIFY(note && !note->isVisible());
    type("Text12", "12");
    press();
    const QString said = QString::fromStdString(
        saiha::report::warningText({std::uint32_t(shore::Warning::HeightAboveDepth)}));
    QVERIFY(note->isVisible());
    QCOMPARE(note->text().count(said), 1);
    type("Text12", "60");
    press();
    QVERIFY(!note->isVisible());
  }

  // On 1/2 (γ 5.1) the setdown outweighs the rise: the note gives the
  // reason the setup is left empty, and the breaker index's warning.
  void negativeSetupNoted() {
    ProfileWindow* profile = openProfile();
    auto* note = profile->findChild<QLabel*>("note");
    type("Text12", "2");
    press();
    QVERIFY(note->isVisible());
    QVERIFY(note->text().contains(
        QString::fromStdString(saiha::report::errorText(shore::Error::NegativeSetup))));
    QVERIFY(note->text().contains(QString::fromStdString(saiha::report::warningText(
        {std::uint32_t(shore::Warning::BreakerIndexAboveSetupRange)}))));
  }

  // A station's depth typed into the depth box gives that station's values,
  // rounded, in the result boxes; for linear, nonlinear and surf stations.
  void tableAgreesWithTheSheet_data() {
    QTest::addColumn<QString>("point");
    QTest::addColumn<int>("row");  // used when point is empty
    QTest::newRow("seaward end (linear)") << "" << 0;
    QTest::newRow("onset") << "onset" << -1;
    QTest::newRow("breaking") << "breaking" << -1;
    QTest::newRow("surf zone") << "" << 180;
  }
  void tableAgreesWithTheSheet() {
    QFETCH(QString, point);
    QFETCH(int, row);
    ProfileWindow* profile = openProfile();
    const saiha::profile::ProfileModel& model = profile->model();
    const auto column = [](std::string_view name) {
      return int(std::find(saiha::report::kProfileHeader.begin(), saiha::report::kProfileHeader.end(),
                           name) -
                 saiha::report::kProfileHeader.begin());
    };
    const auto cell = [&](int r, std::string_view name) {
      return model.data(model.index(r, column(name)), Qt::EditRole).toString();
    };
    for (int r = 0; row < 0 && r < model.rowCount(); ++r) {
      if (cell(r, "point") == point) row = r;
    }
    QVERIFY(row >= 0);

    type("Text2", cell(row, "h"));
    press();
    const std::pair<const char*, std::string_view> pairs[] = {
        {"Text15", "H"},        {"Text13", "L"},       {"Text10", "C"},
        {"Text17", "theta"},    {"Text6", "a_bottom"}, {"Text7", "u_bottom"},
        {"Text8", "a_surface"}, {"Text9", "u_surface"}};
    for (const auto& [boxName, name] : pairs) {
      const float value = static_cast<float>(saiha::rt::readNumber(cell(row, name).toStdString()));
      QCOMPARE(box(boxName)->text(), QString::fromStdString(saiha::rt::formatResult(value)));
    }
  }

  // The random-wave view follows the calculation window's Ho, T and slope
  // until its own boxes are typed in; a sea steeper than 0.142 is refused.
  void randomWavesFollowTheBeach() {
    ProfileWindow* profile = openProfile();
    RandomView& view = profile->randomView();
    auto* height = view.findChild<QLineEdit*>("H0p");
    QCOMPARE(height->text(), QString("1"));
    QVERIFY(view.profile().ok());
    const shore::RandomProfile expected = shore::randomProfile(1, 10, 60);
    QCOMPARE(view.profile().stations.size(), expected.stations.size());
    QCOMPARE(view.profile().edge.H13, expected.edge.H13);
    QTest::keyClicks(height, "00");  // 100 m at 10 s: H0′/L0 = 0.64
    QCOMPARE(view.profile().error, shore::Error::SteepnessLimit);
    // The message gives the steepness and its limit: 100 / (9.81·10²/2π).
    const QString said = view.findChild<QLabel*>("randomMessage")->text();
    QVERIFY2(said.contains("H0′/L0 = 0.640") && said.contains("0.142"), qPrintable(said));
    auto* period = view.findChild<QLineEdit*>("T13");
    period->selectAll();
    QTest::keyClicks(period, "-3");
    QCOMPARE(view.profile().error, shore::Error::InvalidPeriod);
    QVERIFY(view.findChild<QLabel*>("randomMessage")->text().contains("T1/3 = -3"));
    period->selectAll();
    QTest::keyClicks(period, "10");
    type("Text5", "2");
    press();
    QCOMPARE(height->text(), QString("100"));  // typed: kept
  }

  // At the shore: the mean water level from the breaker line (setdown) up to
  // the mean shoreline, the runup mark on the beach landward of the
  // still-water shoreline, the panel and the breaking label with ξ0 and type,
  // and the comparison's ξ0 column; all gone with a failed calculation.
  void shorelineAtTheShore() {
    ProfileWindow* profile = openProfile();
    const shore::Shoreline s = shore::shoreline({1, 10, 30, 60});
    const QList<QPointF> level = profile->chart().meanLevel();
    QCOMPARE(level.size(), 2);
    QCOMPARE(level.front(), QPointF(s.setup.xBreaker, -s.setup.etaB));
    QCOMPARE(level.back(), QPointF(-s.setup.shoreShift, -s.setup.etaMax));
    QVERIFY(level.front().y() > 0 && level.back().y() < 0 && level.back().x() < 0);
    QCOMPARE(profile->chart().runupMark(), QList<QPointF>{QPointF(-60 * s.runup.R2, -s.runup.R2)});
    QVERIFY(profile->chart().breakingLabel().contains(QStringLiteral("ξ0 = 0.21 崩れ波")));
    const QStringList texts = profile->shorelineTexts();
    QCOMPARE(texts.size(), 5);
    QCOMPARE(texts[3], QStringLiteral("R2% = %1 m")
                           .arg(QString::fromStdString(saiha::rt::formatResult(s.runup.R2))));
    QCOMPARE(profile->comparison().data(profile->comparison().index(0, ComparisonModel::Type)),
             QVariant(QStringLiteral("崩れ波")));

    type("Text5", "x");
    press();
    QVERIFY(profile->chart().meanLevel().isEmpty() && profile->chart().runupMark().isEmpty());
    QVERIFY(profile->shorelineTexts().join("").isEmpty());
  }

  // A failed calculation: its message, no curve, no rows; fixed, all back.
  void errorClearsTheCurve() {
    ProfileWindow* profile = openProfile();
    QVERIFY(profile->model().rowCount() > 0);
    type("Text5", "x");
    press();
    QVERIFY(profile->errorMessage().contains(
        QString::fromStdString(saiha::report::errorText(shore::Error::InvalidHeight))));
    QCOMPARE(profile->model().rowCount(), 0);
    QVERIFY(std::isnan(profile->chart().breakingMarkerDepth()));
    QVERIFY(profile->table().isVisible());

    type("Text5", "1");
    type("Text2", "abc");  // the depth the calculation refuses, refused here too
    press();
    QVERIFY(profile->errorMessage().contains(
        QString::fromStdString(saiha::report::errorText(shore::Error::InvalidDepth))));
    QCOMPARE(profile->model().rowCount(), 0);

    type("Text2", "12");  // seaward of the default profile: the profile reaches it
    press();
    QVERIFY(profile->errorMessage().isEmpty());
    QVERIFY(!std::isnan(profile->chart().breakingMarkerDepth()));
    QCOMPARE(profile->model().data(profile->model().index(0, 1), Qt::EditRole).toString(),
             QString("12"));
  }

  // Exports are files their programs read: an image, an SVG document, CSV
  // with the profile header and one line per station.
  void exports() {
    ProfileWindow* profile = openProfile();
    QTemporaryDir dir;
    QVERIFY(profile->exportPng(dir.filePath("p.png")));
    QVERIFY(profile->exportSvg(dir.filePath("p.svg")));
    QVERIFY(profile->exportCsv(dir.filePath("p.csv")));

    // Drawn at the export's size, not the window's.
    const QImage image(dir.filePath("p.png"));
    QCOMPARE(image.size(), QSize(1600, 1000));

    QFile svg(dir.filePath("p.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray document = svg.readAll();
    QVERIFY(document.contains("<svg"));
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    QFile csv(dir.filePath("p.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.front(),
             QByteArray("model,x,h,rule,point,H,L,C,theta,a_bottom,u_bottom,a_surface,u_surface"));
    QCOMPARE(lines.size(),
             profile->model().rowCount() + 2);  // header, rows, empty after the last LF
    QVERIFY(lines.back().isEmpty());

    // A file that cannot be written is reported, not passed off as saved.
    QStringList reported;
    profile->setReporter([&](const QString& m) { reported.append(m); });
    QVERIFY(!profile->exportCsv(dir.filePath("missing/p.csv")));
    QCOMPARE(reported.size(), 1);
  }

  // Every model checked: one legend entry per curve drawn, each model's
  // once, all of them whole inside the legend and the chart at the window's
  // default size; only the calculation window's model labels its breaking
  // point on the plot (the others give theirs on hover), and no two labels
  // of one plot overlap.
  void everyModelInTheLegend() {
    ProfileWindow* profile = openProfile();
    auto& panel = profile->modelPanel();
    for (shore::BreakerLimit b : shore::kBreakerLimits) panel.breakerBox(b)->setChecked(true);
    for (shore::Shoaling s : shore::kShoalings) panel.shoalingBox(s)->setChecked(true);
    QCoreApplication::processEvents();
    const QStringList names = profile->chart().legendNames();
    int curves = 0;
    for (shore::BreakerLimit b : shore::kBreakerLimits) {
      for (shore::Shoaling s : shore::kShoalings) {
        const QString name = QString::fromStdString(
            saiha::report::rowDisplayName(shore::ComparisonRow{shore::Model{b, s}}));
        QCOMPARE(names.count(name), 1);
        ++curves;
      }
    }
    // The curves, the two reference heights, the second quantity, the
    // seabed and the mean water level.
    QCOMPARE(names.size(), curves + 5);
    QCOMPARE(curves, 10);

    const saiha::profile::ChartLegend& legend = profile->chart().legend();
    QCOMPARE(int(legend.entryBoxes().size()), names.size());
    const QRectF view(QPointF(0, 0), profile->chart().viewport()->size());
    for (const QRectF& box : legend.entryBoxes()) {
      QVERIFY(legend.boundingRect().contains(box));
      QVERIFY2(view.contains(legend.mapRectToScene(box)),
               qPrintable(QStringLiteral("%1 × %2, legend at %3 + %4")
                              .arg(view.width()).arg(view.height())
                              .arg(legend.pos().y()).arg(legend.boundingRect().height())));
    }

    std::vector<const saiha::profile::Callout*> shown;
    for (QGraphicsItem* item : profile->chart().scene()->items()) {
      if (auto* label = dynamic_cast<const saiha::profile::Callout*>(item); label && label->isVisible()) {
        shown.push_back(label);
      }
    }
    int breaking = 0;
    for (const auto* label : shown) {
      breaking += label->text().contains(QStringLiteral("h = 2.07 m, H = 1.71 m")) ? 1 : 0;
      // Other models' values are not on the plot.
      QVERIFY2(!label->text().contains(QStringLiteral("H = 1.48 m")), qPrintable(label->text()));
      for (const auto* other : shown) {
        if (other != label && other->parentItem() == label->parentItem()) {
          QVERIFY2(!other->mapRectToScene(other->box()).intersects(label->mapRectToScene(label->box())),
                   qPrintable(label->text() + " / " + other->text()));
        }
      }
    }
    QCOMPARE(breaking, 1);
    QVERIFY(shown.size() <= 5);  // breaking, onset, chosen depth, mean shoreline, runup

    // At the smallest size the window is laid out for, the legend of every
    // model takes rows from the plots: each vertical axis still has room for
    // a label at every labelled tick (Qt elides them all otherwise).
    profile->resize(1260, 720);
    QCoreApplication::processEvents();
    int axes = 0;
    for (QGraphicsItem* item : profile->chart().scene()->items()) {
      auto* plot = qobject_cast<QChart*>(item->toGraphicsObject());
      if (!plot) continue;
      for (QAbstractAxis* a : plot->axes(Qt::Vertical)) {
        auto* axis = qobject_cast<QValueAxis*>(a);
        if (!axis || axis->tickType() != QValueAxis::TicksDynamic) continue;
        const double labelHeight = QFontMetricsF(axis->labelsFont()).height();
        const double labelled = std::floor((axis->max() - axis->min()) / axis->tickInterval()) + 1;
        // Qt elides an axis's labels given less than about two label
        // heights each.
        QVERIFY2(plot->plotArea().height() / labelled >= 1.8 * labelHeight,
                 qPrintable(QStringLiteral("%1: %2 labels in %3 px")
                                .arg(axis->titleText()).arg(labelled)
                                .arg(plot->plotArea().height())));
        ++axes;
      }
    }
    QCOMPARE(axes, 3);
  }

  // Pictures for reports: the size asked for, whatever the window's, with
  // every legend entry inside; A4's width at 300 dpi is 2480 px; a PDF; a
  // size that cannot be drawn is refused and nothing written.
  void exportsAtTheSizeAsked() {
    using saiha::profile::ExportDialog;
    using saiha::profile::ExportSize;
    ProfileWindow* profile = openProfile();
    profile->resize(700, 500);
    auto& panel = profile->modelPanel();
    for (shore::BreakerLimit b : shore::kBreakerLimits) panel.breakerBox(b)->setChecked(true);
    for (shore::Shoaling s : shore::kShoalings) panel.shoalingBox(s)->setChecked(true);
    QCoreApplication::processEvents();
    const int entries = int(profile->chart().legendNames().size());
    const QSize screen = profile->chart().size();
    QTemporaryDir dir;

    const ExportSize a4 = ExportDialog::presetSize(ExportDialog::Preset::A4Width, 300);
    QCOMPARE(a4.pixels.width(), 2480);
    QCOMPARE(ExportDialog::presetSize(ExportDialog::Preset::LetterWidth, 150).pixels.width(), 1275);
    for (const ExportSize& size : {ExportSize{}, a4}) {
      const QString path = dir.filePath(QStringLiteral("p%1.png").arg(size.dpi));
      QVERIFY(profile->exportPng(path, size));
      const QImage image(path);
      QCOMPARE(image.size(), size.pixels);
      QCOMPARE(image.dotsPerMeterX(), int(std::lround(size.dpi / 0.0254)));
      QCOMPARE(profile->lastExport().legendEntries, entries);
      QCOMPARE(profile->lastExport().legendEntriesInside, entries);
    }
    QVERIFY(profile->exportSvg(dir.filePath("p.svg"), a4));
    QCOMPARE(profile->lastExport().legendEntriesInside, entries);
    QVERIFY(profile->exportPdf(dir.filePath("p.pdf"), a4));
    QFile pdf(dir.filePath("p.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    QCOMPARE(profile->chart().size(), screen);  // the window is left as it was

    QStringList reported;
    profile->setReporter([&](const QString& m) { reported.append(m); });
    QVERIFY(!profile->exportPng(dir.filePath("none.png"), ExportSize{QSize(0, 0), 96}));
    QVERIFY(!profile->exportPdf(dir.filePath("huge.pdf"), ExportSize{QSize(50000, 50000), 300}));
    QCOMPARE(reported.size(), 2);
    QVERIFY(!QFile::exists(dir.filePath("none.png")) && !QFile::exists(dir.filePath("huge.pdf")));

    // The dialog: a preset fills the size at the density chosen; a width
    // typed by hand is no preset's.
    ExportDialog dialog;
    dialog.findChild<QComboBox*>("exportPreset")->setCurrentIndex(1);
    dialog.findChild<QComboBox*>("exportDpi")->setCurrentIndex(2);
    QCOMPARE(dialog.size().pixels, a4.pixels);
    QCOMPARE(dialog.size().dpi, 300);
    dialog.findChild<QSpinBox*>("exportWidth")->setValue(2000);
    QCOMPARE(dialog.preset(), ExportDialog::Preset::Custom);
    QCOMPARE(dialog.size().pixels, QSize(2000, a4.pixels.height()));
  }

  // The split between the charts and the tables comes back in the next
  // window; either chart, the random waves' too, keeps the height its axis
  // labels need at the default size.
  void layoutKept() {
    ProfileWindow* profile = openProfile();
    QTest::qWait(50);
    QSplitter& splitter = profile->splitter();
    const int total = splitter.sizes().value(0) + splitter.sizes().value(1);
    QVERIFY(profile->chart().height() >= saiha::profile::ProfileChart::kMinimumHeight);
    profile->findChild<QTabWidget*>("views")->setCurrentWidget(&profile->randomView());
    QCoreApplication::processEvents();
    QVERIFY(profile->randomView().findChild<QWidget*>("randomChart")->height() >=
            RandomView::kChartMinimumHeight);
    splitter.setSizes({total - 250, 250});
    const QList<int> chosen = splitter.sizes();
    QVERIFY(chosen.value(1) > 200);
    delete profile;
    calc_->profileAction()->trigger();
    profile = calc_->findChild<ProfileWindow*>();
    QVERIFY(profile);
    QTest::qWait(50);
    QCOMPARE(profile->splitter().sizes(), chosen);
  }

  // Ctrl+C on selected cells: their columns' header with units, then the
  // cells, by tab.
  void copySelection() {
    ProfileWindow* profile = openProfile();
    QTableView& table = profile->table();
    const auto& model = profile->model();
    table.setFocus();
    table.selectionModel()->select(QItemSelection(model.index(0, 0), model.index(1, 1)),
                                   QItemSelectionModel::Select);
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    const auto text = [&](int r, int c) {
      return model.data(model.index(r, c), Qt::EditRole).toString();  // every digit
    };
    QCOMPARE(QApplication::clipboard()->text(),
             QString("x (m)\th (m)\n%1\t%2\n%3\t%4\n").arg(text(0, 0), text(0, 1), text(1, 0), text(1, 1)));
  }

  // Checking a model adds its curve, named in the legend, and its row, whose
  // breaking point is the engine's; unchecking takes both away again.  The
  // calculation window's model, unchecked, leaves only the empirical row.
  void modelsSideBySide_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("breaker");
    QTest::addColumn<int>("shoaling");
    QTest::newRow("McCowan") << "breaker-mccowan" << int(shore::BreakerLimit::McCowan)
                             << int(shore::Shoaling::TwoRegime);
    QTest::newRow("Miche") << "breaker-miche" << int(shore::BreakerLimit::Miche)
                           << int(shore::Shoaling::TwoRegime);
    QTest::newRow("Shuto's shoaling") << "shoaling-shuto" << int(shore::BreakerLimit::Goda1970)
                                      << int(shore::Shoaling::Shuto);
  }
  void modelsSideBySide() {
    QFETCH(QString, box);
    QFETCH(int, breaker);
    QFETCH(int, shoaling);
    const shore::Model model{shore::BreakerLimit(breaker), shore::Shoaling(shoaling)};
    const QString name =
        QString::fromStdString(saiha::report::rowDisplayName(shore::ComparisonRow{model}));
    ProfileWindow* profile = openProfile();
    const ComparisonModel& table = profile->comparison();
    QCOMPARE(table.rowCount(), 2);  // the calculation window's model, the empirical row
    const auto legend = [profile] {
      QCoreApplication::processEvents();
      return profile->chart().legendNames();
    };
    const auto row = [&table](const QString& text) {
      for (int r = 0; r < table.rowCount(); ++r) {
        if (table.data(table.index(r, ComparisonModel::Name)).toString() == text) return r;
      }
      return -1;
    };

    type("Text5", "2");  // typed, not calculated: the window keeps the last calculation
    auto* check = profile->findChild<QCheckBox*>(box);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    QVERIFY(legend().contains(name));
    const int r = row(name);
    QVERIFY(r >= 0);
    const shore::Breaking b = shore::findBreaking({1, 10, 30, 60}, model);
    const auto cell = [&](int column) {
      return table.data(table.index(r, column), Qt::EditRole).toString();
    };
    QCOMPARE(cell(ComparisonModel::Hb), QString::fromStdString(saiha::rt::formatShortest(b.Hb)));
    QCOMPARE(cell(ComparisonModel::hb), QString::fromStdString(saiha::rt::formatShortest(b.hb)));
    QCOMPARE(table.rowCount(), 3);

    // Ctrl+C copies the column names with the cells, as the station table does.
    QTableView& view = profile->comparisonTable();
    view.setFocus();
    view.selectionModel()->select(table.index(r, ComparisonModel::Hb), QItemSelectionModel::Select);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Hb (m)\n") + cell(ComparisonModel::Hb) + QLatin1Char('\n'));

    check->click();
    QVERIFY(!legend().contains(name));
    QCOMPARE(row(name), -1);
    QCOMPARE(table.rowCount(), 2);

    profile->findChild<QCheckBox*>("breaker-goda1970")->click();
    QCOMPARE(table.rowCount(), 1);
    QVERIFY(std::isnan(profile->chart().breakingMarkerDepth()));
    QVERIFY(legend().contains(QStringLiteral("海底")));
  }

  // A transport parameter the formula cannot take: its message under the
  // boxes and in every row, and no Q; corrected, Q is the engine's again.
  void badTransportParameter_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("K = 0") << 0 << "0" << int(shore::Error::InvalidTransportCoefficient);
    QTest::newRow("ρ not a number") << 1 << "abc" << int(shore::Error::InvalidWaterDensity);
    QTest::newRow("ρs below ρ") << 2 << "1000" << int(shore::Error::InvalidSedimentDensity);
    QTest::newRow("p = 1") << 3 << "1" << int(shore::Error::InvalidPorosity);
  }
  void badTransportParameter() {
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(int, error);
    ProfileWindow* profile = openProfile();
    const ComparisonModel& table = profile->comparison();
    QLineEdit* edit = profile->modelPanel().paramBox(box);
    const QString good = edit->text();
    const QString message =
        QString::fromStdString(saiha::report::errorText(shore::Error(error)));
    edit->setText(text);
    auto* shown = profile->findChild<QLabel*>("transportError");
    QVERIFY(shown->isVisibleTo(profile));
    // The limit, then the value refused (and for ρs the ρ it is held to).
    const char* symbols[] = {"K", "ρ", "ρs", "p"};
    QCOMPARE(shown->text().section('\n', 0, 0), message);
    if (box == 2) {
      QVERIFY2(shown->text().endsWith("ρs = 1000, ρ = 1025") ||
                   shown->text().endsWith("ρs = 1000，ρ = 1025"),
               qPrintable(shown->text()));
    } else {
      QVERIFY2(shown->text().contains(saiha::profile::rejectedText(symbols[box], text)),
               qPrintable(shown->text()));
    }
    for (int r = 0; r < table.rowCount(); ++r) {
      QVERIFY(table.data(table.index(r, ComparisonModel::QPerYear)).toString().isEmpty());
      QCOMPARE(table.data(table.index(r, ComparisonModel::Message)).toString(), message);
    }

    edit->setText(good);
    QVERIFY(!shown->isVisibleTo(profile));
    const std::vector<shore::ComparisonRow> rows = shore::compare({1, 10, 30, 60});
    QCOMPARE(table.data(table.index(0, ComparisonModel::QPerYear), Qt::EditRole).toString(),
             QString::fromStdString(saiha::rt::formatShortest(rows.front().Qyear)));
  }

  // Save case → quit → Open case: every input as typed and every choice of
  // the profile window come back, from the file alone (the settings gone);
  // the result boxes say "????" until 計算, as those results were not
  // calculated from these inputs.  The file is the documented JSON.
  void caseRoundTrip() {
    ProfileWindow* profile = openProfile();
    type("Text5", "2.5");
    type("Text1", "8");
    type("Text11", "-15");
    type("Text12", "25");
    type("Text2", "3.25");
    press();
    profile->findChild<QCheckBox*>("breaker-miche")->click();
    profile->findChild<QCheckBox*>("shoaling-shuto")->click();
    profile->findChild<QComboBox*>("quantity")->setCurrentIndex(4);
    profile->modelPanel().paramBox(0)->setText("0.77");
    profile->modelPanel().paramBox(3)->setText("0.35");
    auto* h0p = profile->randomView().findChild<QLineEdit*>("H0p");
    h0p->selectAll();
    QTest::keyClicks(h0p, "1.75");  // typed: kept apart from Ho
    const saiha::profile::Case saved = bench().currentCase();
    QCOMPARE(saved.inputs[0], QString("2.5"));
    QCOMPARE(saved.choices.breakers, QStringList({"goda1970", "miche"}));
    QCOMPARE(saved.choices.shoalings, QStringList({"two-regime", "shuto"}));
    QCOMPARE(saved.choices.quantity, QString("a_bottom"));
    QVERIFY(saved.choices.randomTyped);
    QCOMPARE(saved.choices.randomHeight, QString("1.75"));

    QTemporaryDir dir;
    const QString path = dir.filePath("beach.json");
    QVERIFY(bench().saveCase(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(root["format"].toString(), QString("saiha-case"));
    QCOMPARE(root["version"].toInt(), saiha::profile::kCaseVersion);
    QCOMPARE(root["inputs"].toObject()["h"].toString(), QString("3.25"));
    QCOMPARE(root["transport"].toObject()["K"].toString(), QString("0.77"));

    calc_.reset();
    QSettings().clear();
    startCalc();
    QVERIFY(bench().currentCase() != saved);
    QVERIFY(bench().openCase(path));
    QCOMPARE(bench().currentCase(), saved);
    QCOMPARE(bench().recentCases(), QStringList(QFileInfo(path).absoluteFilePath()));
    QCOMPARE(box("Text3")->text(), QString("????"));
    profile = openProfile();
    QCOMPARE(profile->randomView().findChild<QLineEdit*>("H0p")->text(), QString("1.75"));
    QCOMPARE(profile->comparison().rowCount(), 5);  // 2 limits × 2 rules, the empirical row
    QCOMPARE(profile->chart().quantity(), saiha::profile::Quantity::AmplitudeBottom);
    press();  // the case's inputs calculate as typed
    QCOMPARE(box("Text3")->text(),
             QString::fromStdString(saiha::rt::formatResult(shore::findBreaking({2.5, 8, -15, 25}).Hb)));
  }

  // 最近のケース lists the cases saved and opened, newest first, in both
  // windows; choosing one opens it; the list can be emptied.
  void recentCases() {
    QTemporaryDir dir;
    type("Text5", "1.5");
    QVERIFY(bench().saveCase(dir.filePath("a.json")));
    type("Text5", "2.5");
    QVERIFY(bench().saveCase(dir.filePath("b.json")));
    QVERIFY(bench().saveCase(dir.filePath("a.json")));  // again: to the top, once
    openProfile();
    for (QWidget* window : {static_cast<QWidget*>(calc_.get()),
                            static_cast<QWidget*>(calc_->findChild<ProfileWindow*>())}) {
      auto* menu = window->findChild<QMenu*>("recentCases");
      QVERIFY(menu);
      emit menu->aboutToShow();
      QStringList names;
      for (QAction* a : menu->actions()) {
        if (!a->isSeparator()) names.append(a->text());
      }
      QCOMPARE(names.mid(0, 2), QStringList({"&1 a.json", "&2 b.json"}));
    }
    auto* menu = calc_->findChild<QMenu*>("recentCases");
    emit menu->aboutToShow();
    menu->actions().at(1)->trigger();  // b.json
    QCOMPARE(box("Text5")->text(), QString("2.5"));
    QCOMPARE(bench().recentCases().size(), 2);
    QVERIFY(bench().recentCases().front().endsWith("b.json"));
    emit menu->aboutToShow();
    menu->actions().last()->trigger();  // 一覧を消去
    QVERIFY(bench().recentCases().isEmpty());
  }

  // A file that is no case this program reads says why and changes nothing:
  // not JSON, not a case, a newer version, a missing member, an unknown model.
  void caseRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");
    QTest::newRow("not JSON") << QByteArray("{\"format\": \"saiha-case\", ") << "JSON";
    QTest::newRow("another file") << QByteArray("{\"format\": \"other\", \"version\": 1}")
                                  << "ケースファイルではありません";
    QTest::newRow("a newer version") << QByteArray("{\"format\": \"saiha-case\", \"version\": 2}")
                                     << "version 2";
    QTest::newRow("version not a number")
        << QByteArray("{\"format\": \"saiha-case\", \"version\": \"1\"}") << "version";
  }
  void caseRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    openProfile();
    type("Text5", "3");
    press();
    QTemporaryDir dir;
    // A whole case with one fault at a time.
    const QString path = dir.filePath("case.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const saiha::profile::Case before = bench().currentCase();
    const QStringList boxes = boxTexts();
    QStringList reported;
    bench().setReporter([&](const QString& m) { reported.append(m); });
    QVERIFY(!bench().openCase(path));
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.front().contains(said), qPrintable(reported.front()));
    QVERIFY(reported.front().contains(path));
    QCOMPARE(bench().currentCase(), before);
    QCOMPARE(boxTexts(), boxes);
    QVERIFY(bench().recentCases().isEmpty());
  }

  // A case whose members are wrong, one at a time, from a good file.
  void caseMembersChecked() {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.json");
    QVERIFY(bench().saveCase(good));
    QFile file(good);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const auto spoilt = [&](const QString& section, const QString& member, const QJsonValue& v) {
      QJsonObject copy = root;
      if (section.isEmpty()) {
        copy[member] = v;
      } else {
        QJsonObject inner = copy[section].toObject();
        if (v.isUndefined()) inner.remove(member); else inner[member] = v;
        copy[section] = inner;
      }
      return QJsonDocument(copy).toJson();
    };
    const struct {
      QByteArray bytes;
      QString said;
    } faults[] = {
        {spoilt("inputs", "T", QJsonValue::Undefined), "inputs.T"},
        {spoilt("inputs", "Ho", 1.0), "inputs.Ho"},
        {spoilt("models", "breakers", QJsonArray{"goda1970", "nobody"}), "nobody"},
        {spoilt("", "second_quantity", "speed"), "speed"},
        {spoilt("random", "typed", "yes"), "random.typed"},
        {spoilt("", "transport", 3), "transport"},
    };
    QString error;
    QVERIFY(saiha::profile::readCase(QJsonDocument(root).toJson(), &error));
    for (const auto& fault : faults) {
      QVERIFY(!saiha::profile::readCase(fault.bytes, &error));
      QVERIFY2(error.contains(fault.said), qPrintable(fault.said + ": " + error));
    }
  }

  // 結果をコピー: the calculation window's inputs and results, then the
  // comparison table, each a header line with units over its rows, apart by
  // an empty line; every row as wide as its header.
  void copyResults() {
    ProfileWindow* profile = openProfile();
    profile->findChild<QCheckBox*>("breaker-mccowan")->click();
    press();
    QAction* copy = calc_->findChild<QAction*>("copyResults");
    QVERIFY(copy);
    copy->trigger();
    const QString text = QApplication::clipboard()->text();
    QVERIFY(text.endsWith('\n') && !text.contains('\r'));
    const QStringList blocks = text.chopped(1).split("\n\n");  // an empty last cell stays
    QCOMPARE(blocks.size(), 2);
    const QStringList sheet = blocks[0].split('\n');
    QCOMPARE(sheet.size(), 2);
    const QStringList names = sheet[0].split('\t');
    const QStringList values = sheet[1].split('\t');
    QCOMPARE(names.size(), 17);
    QCOMPARE(values.size(), 17);
    QCOMPARE(names[0], QString("Ho (m)"));
    QCOMPARE(values[0], box("Text5")->text());
    QCOMPARE(values[names.indexOf("Hb (m)")], box("Text3")->text());
    QCOMPARE(values[names.indexOf("θb (°)")], box("Text16")->text());
    for (const QString& name : names.mid(5)) {
      QVERIFY2(name.contains('(') || name == "γ", qPrintable(name));  // a unit
    }

    const QStringList table = blocks[1].split('\n');
    const ComparisonModel& model = profile->comparison();
    QCOMPARE(table.size(), 1 + model.rowCount());
    QCOMPARE(model.rowCount(), 3);  // Goda, McCowan, the empirical row
    QCOMPARE(table[0].split('\t').size(), int(ComparisonModel::ColumnCount));
    QVERIFY(table[0].contains("Hb (m)"));
    for (int r = 0; r < model.rowCount(); ++r) {
      const QStringList cells = table[r + 1].split('\t');
      QCOMPARE(cells.size(), int(ComparisonModel::ColumnCount));
      QCOMPARE(cells[ComparisonModel::Hb],
               model.data(model.index(r, ComparisonModel::Hb), Qt::EditRole).toString());
      // Q as a spreadsheet reads it: no grouping.
      bool number = false;
      cells[ComparisonModel::QPerYear].toDouble(&number);
      QVERIFY(number);
    }
    // The same entry in the profile window's 編集.
    QVERIFY(profile->editMenu()->actions().contains(profile->findChild<QAction*>("copyResults")));
  }

  // Large numbers grouped by threes where the tables show them, and only
  // there: Q of a 3 m wave on 1/10 runs to millions of m³ a year.  The
  // station table's headers carry units, its rule and point columns speak
  // the window's language (Japanese here); the cells keep the stable names.
  void numbersAndHeaders() {
    using saiha::profile::shownNumber;
    const QChar gap(0x202F);
    const auto grouped = [gap](QString text) { return text.replace(' ', gap); };
    QCOMPARE(shownNumber(44483532.4f, true), grouped("44 483 532"));
    QCOMPARE(shownNumber(12345.678f), grouped("12 345.68"));
    QCOMPARE(shownNumber(-123456.f), grouped("-123 456.00"));
    QCOMPARE(shownNumber(1260.f), QString("1260.00"));
    QCOMPARE(shownNumber(0.5f, true), QString("0"));

    ProfileWindow* profile = openProfile();
    type("Text5", "3");
    type("Text12", "10");
    press();
    const ComparisonModel& table = profile->comparison();
    const QModelIndex q = table.index(0, ComparisonModel::QPerYear);
    const QString full = table.data(q, Qt::EditRole).toString();
    QVERIFY(full.toDouble() > 1e6);
    QCOMPARE(table.data(q).toString(),
             shownNumber(float(saiha::rt::readNumber(full.toStdString())), true));
    QVERIFY(table.data(q).toString().contains(gap));
    QVERIFY(!full.contains(gap));

    const auto& model = profile->model();
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("x (m)"));
    QCOMPARE(model.headerData(7, Qt::Horizontal).toString(), QString("θ (°)"));
    for (int c = 0; c < model.columnCount(); ++c) {
      const QString name = model.headerData(c, Qt::Horizontal).toString();
      QVERIFY2(c == 2 || c == 3 || name.endsWith(')'), qPrintable(name));
    }
    QSet<QString> rules;
    for (int r = 0; r < model.rowCount(); ++r) {
      const QString shown = model.data(model.index(r, 2)).toString();
      rules.insert(shown);
      QVERIFY2(!shown.contains(QRegularExpression("[A-Za-z]")), qPrintable(shown));
      QVERIFY(!model.data(model.index(r, 3)).toString().contains(QRegularExpression("[A-Za-z]")));
    }
    QVERIFY(rules.contains(QStringLiteral("砕波帯")));
    QVERIFY(rules.contains(QStringLiteral("線形浅水変形")));
    QCOMPARE(model.data(model.index(0, 2), Qt::EditRole).toString(), QString("linear"));
    // The CSV keeps the stable names.
    const std::string csv = profile->profilesCsv();
    QVERIFY(csv.find(",surf,") != std::string::npos);
    QVERIFY(csv.find("砕波帯") == std::string::npos);
  }
};

QTEST_MAIN(ProfileWindowTest)
#include "profile_window_test.moc"
