// The profile window's page 実測断面 driven through its widgets: a profile
// CSV read into curves that agree with shore::transform point by point, the
// sea boxes that follow the calculation window, read errors said with their
// line, the profile kept in a case, and the page in English.
#include <QAbstractAxis>
#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXYSeries>
#include <QElapsedTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include <sys/stat.h>

#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/language.h"
#include "gui/profile/MeasuredProfileView.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/profile/StripChart.h"
#include "gui/profile/Workbench.h"
#include "report/case.h"
#include "report/messages.h"
#include "runtime/text.h"
#include "shore/transform.h"

using saiha::profile::MeasuredProfileView;
using saiha::profile::ProfileWindow;
using saiha::profile::Workbench;
using saiha::report::Language;
using saiha::window::CalcWindow;
namespace shore = saiha::shore;

namespace {

// A barred beach 5 m apart from 6 m deep to a dry foreshore, written with
// its columns out of order and one more, CR LF line ends.
QByteArray barredCsv() {
  QByteArray text = "\xEF\xBB\xBF" "station,z,x\r\n";
  for (int i = 0; i <= 60; ++i) {
    const double x = 5.0 * i;
    const double d = 250 - x;  // distance seaward of the still-water line
    const double z = d > 0 ? -0.16 * std::pow(d, 2.0 / 3.0) + 0.8 * std::exp(-std::pow((d - 80) / 20, 2))
                           : -0.1 * d;
    text += "s" + QByteArray::number(i) + "," + QByteArray::number(z, 'g', 17) + "," +
            QByteArray::number(x, 'g', 17) + "\r\n";
  }
  return text;
}

bool write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString twoDecimals(float value) { return QString::fromStdString(saiha::rt::formatResult(value)); }

}  // namespace

class MeasuredProfileTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CalcWindow> calc_;
  QTemporaryDir dir_;
  QString profilePath_;
  QStringList reported_;

  void startCalc() {
    calc_ = std::make_unique<CalcWindow>();
    saiha::app::attachProfileWindow(*calc_);
    calc_->sheet().setReporter([](const QString&) {});
    bench().setReporter([this](const QString& m) { reported_.append(m); });
    calc_->show();
  }
  Workbench& bench() const { return *calc_->findChild<Workbench*>("workbench"); }
  ProfileWindow* openWindow() {
    emit calc_->profileRequested();
    auto* profile = calc_->findChild<ProfileWindow*>();
    if (profile) profile->setReporter([](const QString& m) { QFAIL(qPrintable(m)); });
    return profile;
  }
  // A fresh calculation window in `language`, and its profile window.
  ProfileWindow* openIn(Language language) {
    calc_.reset();
    saiha::gui::setLanguage(language);
    startCalc();
    return openWindow();
  }
  MeasuredProfileView& view() { return openWindow()->measuredView(); }
  QLineEdit* box(const char* name) { return view().findChild<QLineEdit*>(name); }
  void typeInCalc(const char* name, const QString& text) {
    auto* b = calc_->findChild<QLineEdit*>(name);
    b->setText(text);
  }
  void press() { QTest::mouseClick(calc_->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
  // What the engine gives for the profile file's points and the view's boxes.
  shore::TransformResult engine(const saiha::profile::MeasuredBed& bed, shore::SeaCondition sea,
                                shore::TransformOptions options = {}) {
    return shore::transform({bed.x, bed.z}, sea, options);
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir_.isValid());
    profilePath_ = dir_.filePath("barred.csv");
    QVERIFY(write(profilePath_, barredCsv()));
  }
  void init() {
    QSettings().clear();
    reported_.clear();
    saiha::gui::setLanguage(Language::Japanese);
    startCalc();
  }
  void cleanup() {
    calc_.reset();
    saiha::gui::setLanguage(Language::Japanese);
  }

  // The file read whatever its column order: the bed has every point, the
  // other curves one per wet point, each the engine's value at that point;
  // Hrms at the boundary is the box's; the sea boxes start from the
  // calculation window's Ho/√2, T and αo; the summary and read-out give
  // the engine's numbers.
  void curvesFollowTheEngine() {
    ProfileWindow* window = openWindow();
    MeasuredProfileView& v = window->measuredView();
    QVERIFY(v.series(MeasuredProfileView::Bed)->count() == 0);
    QVERIFY(v.openProfile(profilePath_));
    QCOMPARE(window->pages().currentWidget(), &v);
    QCOMPARE(box("Hrms0")->text(), QString("0.707"));  // Ho/√2 to the millimetre, Ho = 1 m
    QCOMPARE(box("Tp")->text(), QString("10"));
    QCOMPARE(box("theta0")->text(), QString("30"));
    QCOMPARE(box("tide")->text(), QString("0"));
    QVERIFY2(v.errorText().isEmpty(), qPrintable(v.errorText()));

    const saiha::profile::MeasuredBed& bed = v.model().bed();
    QCOMPARE(int(bed.x.size()), 61);
    QCOMPARE(bed.lines.front(), 2);
    const double hrms0 = 0.707;
    const shore::TransformResult r = engine(bed, {hrms0, 10, 30, 0, 0});
    QVERIFY(r.ok());
    QVERIFY(r.lastWet > 10 && r.lastWet < 60);  // the foreshore is dry
    QCOMPARE(v.series(MeasuredProfileView::Bed)->count(), 61);
    for (auto curve : {MeasuredProfileView::Hrms, MeasuredProfileView::H13, MeasuredProfileView::Eta,
                       MeasuredProfileView::MeanWater, MeasuredProfileView::Qb,
                       MeasuredProfileView::V}) {
      QCOMPARE(v.series(curve)->count(), r.lastWet + 1);
    }
    QCOMPARE(v.series(MeasuredProfileView::Hrms)->at(0).y(), double(float(hrms0)));
    for (int i = 0; i <= r.lastWet; ++i) {
      const auto k = std::size_t(i);
      QCOMPARE(v.series(MeasuredProfileView::Hrms)->at(i), QPointF(bed.x[k], r.Hrms[k]));
      QCOMPARE(v.series(MeasuredProfileView::H13)->at(i).y(), double(r.H13[k]));
      QCOMPARE(v.series(MeasuredProfileView::Eta)->at(i).y(), double(r.eta[k]));
      QCOMPARE(v.series(MeasuredProfileView::Qb)->at(i).y(), double(r.Qb[k]));
      QCOMPARE(v.series(MeasuredProfileView::V)->at(i).y(), double(r.V[k]));
    }
    QVERIFY(v.summaryText().contains(twoDecimals(r.xBreaking)));
    QVERIFY(v.summaryText().contains(twoDecimals(r.R2)));
    QVERIFY(v.summaryText().contains(twoDecimals(r.xShoreline)));

    // The read-out of the point nearest the pointer, 1 m off point 20.
    v.showPointAt(bed.x[20] + 1);
    const QString said = v.hoverText();
    QVERIFY2(said.startsWith("x = " + twoDecimals(float(bed.x[20])) + " m"), qPrintable(said));
    QVERIFY(said.contains("Hrms = " + twoDecimals(r.Hrms[20]) + " m"));
    QVERIFY(said.contains("Qb = " + twoDecimals(r.Qb[20])));
    QVERIFY(said.contains("V = " + twoDecimals(r.V[20]) + " m/s"));
    // The pointer over a strip gives the same read-out.
    auto* strip = v.findChild<saiha::profile::StripChart*>("strip0");
    QVERIFY(strip);
    window->resize(1260, 720);
    window->pages().setCurrentWidget(&v);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(100);  // the strips aligned after their layout
    const QPointF at = strip->chart()->mapToPosition(QPointF(bed.x[20], 0.1),
                                                     v.series(MeasuredProfileView::Hrms));
    QTest::mouseMove(strip->viewport(), strip->mapFromScene(strip->chart()->mapToScene(at)));
    QTRY_COMPARE(v.hoverText(), said);

    // A new Ho in the calculation window moves the boxes; typed, they stay.
    typeInCalc("Text5", "2");
    press();
    QCOMPARE(box("Hrms0")->text(), QString("1.414"));
    QCOMPARE(v.series(MeasuredProfileView::Hrms)->at(0).y(), double(1.414f));
    typeInCalc("Text5", "0.5");
    press();
    QCOMPARE(box("Hrms0")->text(), QString("0.354"));
    box("Hrms0")->selectAll();
    QTest::keyClicks(box("Hrms0"), "0.5");
    QCOMPARE(v.series(MeasuredProfileView::Hrms)->at(0).y(), 0.5);
    typeInCalc("Text5", "3");
    press();
    QCOMPARE(box("Hrms0")->text(), QString("0.5"));

    // Another model: the curves are that model's.
    v.findChild<QComboBox*>("dissipation")->setCurrentIndex(1);
    shore::TransformOptions tg83;
    tg83.dissipation = shore::Dissipation::TG83;
    const shore::TransformResult t = engine(bed, {0.5, 10, 30, 0, 0}, tg83);
    QCOMPARE(v.series(MeasuredProfileView::Hrms)->count(), t.lastWet + 1);
    QCOMPARE(v.series(MeasuredProfileView::Hrms)->at(t.lastWet).y(), double(t.Hrms[std::size_t(t.lastWet)]));
  }

  // Profiles that cannot be read, and a sea that does not fit the boundary:
  // the message names the line and the value, nothing is drawn, a good
  // profile afterwards draws again.
  void badProfiles_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<bool>("read");  // a fault of the file, said with its name
    QTest::newRow("x not increasing")
        << QByteArray("x,z\n0,-5\n10,-4\n10,-3\n20,1\n")
        << QStringList{"4 行目", "x = 10 が前の点の x = 10 より大きくありません"} << true;
    QTest::newRow("one point") << QByteArray("x,z\n0,-5\n\n")
                               << QStringList{"断面には 2 点以上が必要です", "1 点"} << true;
    QTest::newRow("NaN") << QByteArray("x,z\n0,-5\n10,nan\n20,1\n")
                         << QStringList{"3 行目", "z = 'nan'"} << true;
    QTest::newRow("no number") << QByteArray("x,z\n0,-5\n10,-4 m\n")
                               << QStringList{"3 行目", "'-4 m'"} << true;
    QTest::newRow("no z column") << QByteArray("x,depth\n0,5\n10,4\n")
                                 << QStringList{"1 行目", "'z'"} << true;
    QTest::newRow("short line") << QByteArray("z,q,x\n-5,1,0\n-4,1\n")
                                << QStringList{"3 行目", "2 個"} << true;
    QTest::newRow("empty file") << QByteArray() << QStringList{"1 行目"} << true;
    QString many = QStringLiteral("x,z\n");
    for (int i = 0; i <= 20000; ++i) many += QString::number(i) + QStringLiteral(",-5\n");
    QTest::newRow("20,001 points") << many.toUtf8()
                                   << QStringList{"20002 行目", "20000 点を超えています"} << true;
    QTest::newRow("a bed 1e20 m deep")
        << QByteArray("x,z\n0,-1e20\n10,-4\n20,1\n")
        << QStringList{QString::fromStdString(
               saiha::report::errorText(shore::Error::ProfileOutOfRange))}
        << false;
    QTest::newRow("no water at the boundary")
        << QByteArray("x,z\n0,0.5\n10,-1\n20,1\n")
        << QStringList{QString::fromStdString(
                           saiha::report::errorText(shore::Error::BoundaryTooShallow)),
                       "2 行目", "z = 0.5 m", "h = -0.5 m"}
        << false;
  }
  void badProfiles() {
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, said);
    QFETCH(bool, read);
    MeasuredProfileView& v = view();
    QVERIFY(v.openProfile(profilePath_));
    QVERIFY(v.series(MeasuredProfileView::Hrms)->count() > 0);
    const QString bad = dir_.filePath("bad.csv");
    QVERIFY(write(bad, csv));
    v.openProfile(bad);
    const QString error = v.errorText();
    for (const QString& part : said) QVERIFY2(error.contains(part), qPrintable(part + " in " + error));
    QCOMPARE(error.contains("bad.csv"), read);
    QCOMPARE(v.model().hasBed(), !read);
    for (int curve = MeasuredProfileView::Eta; curve < MeasuredProfileView::CurveCount; ++curve) {
      QCOMPARE(v.series(MeasuredProfileView::Curve(curve))->count(), 0);
    }
    QVERIFY(v.summaryText().isEmpty());
    v.showPointAt(5);  // a read-out over a failed profile says nothing
    QVERIFY(v.openProfile(profilePath_));
    QVERIFY(v.errorText().isEmpty());
    QVERIFY(v.series(MeasuredProfileView::Hrms)->count() > 0);
  }

  // Files that once froze the window (a FIFO for good; /dev/zero while it
  // grew by gigabytes): refused at once, unread.
  void filesThatAreNoProfile() {
    MeasuredProfileView& v = view();
    const QString fifo = dir_.filePath("fifo.csv");
    QVERIFY(::mkfifo(fifo.toLocal8Bit().constData(), 0600) == 0);
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo, dir_.path()}) {
      QElapsedTimer timer;
      timer.start();
      QVERIFY(!v.openProfile(path));
      QVERIFY2(timer.elapsed() < 1000, qPrintable(path));
      QVERIFY2(v.errorText().contains("通常のファイルではありません"), qPrintable(v.errorText()));
      QVERIFY(!v.model().hasBed());
    }
    QFile::remove(fifo);
    QVERIFY(v.openProfile(profilePath_));
  }

  // A steep beach: the points where Hrms stands above the mean depth are
  // said, in the note and in each such point's read-out.
  void hrmsAboveTheMeanDepthIsSaid() {
    MeasuredProfileView& v = view();
    QString csv = QStringLiteral("x,z\n");
    for (int i = 0; i <= 80; ++i) csv += QString::number(i) + "," + QString::number(-6 + i / 10.0) + "\n";
    const QString steep = dir_.filePath("steep.csv");
    QVERIFY(write(steep, csv.toUtf8()));
    QVERIFY(v.openProfile(steep));
    const QString said = QString::fromStdString(saiha::report::warningText(
        {std::uint32_t(shore::Warning::HrmsAboveMeanDepth)}, saiha::gui::language()));
    QVERIFY2(v.noteText().contains(said), qPrintable(v.noteText()));
    const shore::TransformResult& r = v.model().result();
    int flagged = 0;
    for (int i = 0; i <= r.lastWet; ++i) {
      v.showPointAt(double(i));
      const bool bit = (r.pointWarnings[std::size_t(i)] &
                        std::uint32_t(shore::Warning::HrmsAboveMeanDepth)) != 0;
      QCOMPARE(v.hoverText().contains(said), bit);
      flagged += bit ? 1 : 0;
    }
    QVERIFY(flagged > 0);
    QVERIFY(v.openProfile(profilePath_));
  }

  // Boxes the engine refuses are named with what they hold.
  void refusedBoxes() {
    MeasuredProfileView& v = view();
    QVERIFY(v.openProfile(profilePath_));
    box("Tp")->selectAll();
    QTest::keyClicks(box("Tp"), "-3");
    QVERIFY(v.errorText().contains(
        QString::fromStdString(saiha::report::errorText(shore::Error::InvalidPeriod))));
    QVERIFY(v.errorText().contains("Tp = -3"));
    QCOMPARE(v.series(MeasuredProfileView::Hrms)->count(), 0);
    QCOMPARE(v.series(MeasuredProfileView::Bed)->count(), 61);  // the bed still shows
  }

  // A case keeps the profile's path, the boxes and the model and brings them
  // back; a case without a profile writes none and opens none; a case whose
  // profile has gone opens, says so and keeps the path.
  void caseKeepsTheProfile() {
    MeasuredProfileView& v = view();
    QTemporaryDir cases;
    const QString plain = cases.filePath("plain.json");
    QVERIFY(bench().saveCase(plain));
    QFile plainFile(plain);
    QVERIFY(plainFile.open(QIODevice::ReadOnly));
    QVERIFY(!QJsonDocument::fromJson(plainFile.readAll()).object().contains("measured_profile"));

    QVERIFY(v.openProfile(profilePath_));
    box("tide")->selectAll();
    QTest::keyClicks(box("tide"), "0.4");
    v.findChild<QComboBox*>("dissipation")->setCurrentIndex(3);
    v.findChild<QComboBox*>("gammaRule")->setCurrentIndex(1);
    // Egmond's rougher bed: a slower current than Duck's, the heights the same.
    const shore::TransformResult duck = v.model().result();
    v.findChild<QComboBox*>("roughness")->setCurrentIndex(1);
    const shore::TransformResult egmond = v.model().result();
    float vDuck = 0, vEgmond = 0;
    for (int i = 0; i <= duck.lastWet; ++i) {
      vDuck = std::max(vDuck, std::abs(duck.V[std::size_t(i)]));
      vEgmond = std::max(vEgmond, std::abs(egmond.V[std::size_t(i)]));
      QCOMPARE(egmond.Hrms[std::size_t(i)], duck.Hrms[std::size_t(i)]);
    }
    QVERIFY(vEgmond < vDuck);
    const saiha::profile::Case saved = bench().currentCase();
    QCOMPARE(saved.choices.measured.roughness, QString("egmond"));
    QCOMPARE(saved.choices.measured.path, QFileInfo(profilePath_).absoluteFilePath());
    QCOMPARE(saved.choices.measured.dissipation, QString("jb07"));
    QCOMPARE(saved.choices.measured.gamma, QString("battjes-stive1985"));
    QVERIFY(saved.choices.measured.typed);
    const int wet = v.series(MeasuredProfileView::Hrms)->count();
    const QString withProfile = cases.filePath("measured.json");
    QVERIFY(bench().saveCase(withProfile));

    calc_.reset();
    QSettings().clear();
    startCalc();
    QVERIFY(bench().openCase(withProfile));
    QVERIFY(reported_.isEmpty());
    QCOMPARE(bench().currentCase(), saved);
    MeasuredProfileView& back = view();
    QCOMPARE(back.series(MeasuredProfileView::Hrms)->count(), wet);
    QCOMPARE(box("tide")->text(), QString("0.4"));
    QCOMPARE(back.model().condition().tide, 0.4);

    // The plain case takes the profile away again.
    QVERIFY(bench().openCase(plain));
    QVERIFY(back.model().path().isEmpty());
    QCOMPARE(back.series(MeasuredProfileView::Bed)->count(), 0);

    // The profile moved away: the case opens, the user is told, the path
    // stays for the next save.
    const QString moved = dir_.filePath("moved.csv");
    QVERIFY(QFile::copy(profilePath_, moved));
    QVERIFY(back.openProfile(moved));
    const QString movedCase = cases.filePath("moved.json");
    QVERIFY(bench().saveCase(movedCase));
    QVERIFY(QFile::remove(moved));
    QVERIFY(bench().openCase(movedCase));
    QCOMPARE(reported_.size(), 1);
    QVERIFY2(reported_.front().contains("moved.csv"), qPrintable(reported_.front()));
    QCOMPARE(bench().currentCase().choices.measured.path, QFileInfo(moved).absoluteFilePath());
  }

  // A profile named relative to the case is looked for beside it; a model
  // name this program does not know refuses the case.
  void caseMembers() {
    QTemporaryDir cases;
    QVERIFY(write(cases.filePath("beach.csv"), barredCsv()));
    QVERIFY(view().openProfile(cases.filePath("beach.csv")));
    const QString path = cases.filePath("case.json");
    QVERIFY(bench().saveCase(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QJsonObject measured = root["measured_profile"].toObject();
    measured["path"] = "beach.csv";
    root["measured_profile"] = measured;
    QVERIFY(write(path, QJsonDocument(root).toJson()));
    view().openProfile(dir_.filePath("none.csv"));
    QVERIFY(bench().openCase(path));
    QVERIFY(reported_.isEmpty());
    QCOMPARE(view().model().path(), cases.filePath("beach.csv"));
    QCOMPARE(view().series(MeasuredProfileView::Bed)->count(), 61);
    // Boxes not typed are kept as none and follow the calculation window.
    QVERIFY(!measured["typed"].toBool());
    QVERIFY(measured["Hrms0"].toString().isEmpty());
    QCOMPARE(box("Hrms0")->text(), QString("0.707"));

    measured["dissipation"] = "wavelets";
    root["measured_profile"] = measured;
    QString error;
    QVERIFY(!saiha::profile::readCase(QJsonDocument(root).toJson(), &error));
    QVERIFY(error.contains("measured_profile.dissipation") && error.contains("wavelets"));
    measured["dissipation"] = "bj78";
    measured["roughness"] = "sand";
    root["measured_profile"] = measured;
    QVERIFY(!saiha::profile::readCase(QJsonDocument(root).toJson(), &error));
    QVERIFY(error.contains("measured_profile.roughness") && error.contains("sand"));
    // A case written before the roughness was offered reads as Duck's.
    measured.remove("roughness");
    root["measured_profile"] = measured;
    const auto older = saiha::profile::readCase(QJsonDocument(root).toJson(), &error);
    QVERIFY2(older.has_value(), qPrintable(error));
    QCOMPARE(older->choices.measured.roughness, QString("duck"));
    measured["typed"] = "yes";
    root["measured_profile"] = measured;
    QVERIFY(!saiha::profile::readCase(QJsonDocument(root).toJson(), &error));
    QVERIFY(error.contains("measured_profile.typed"));
  }

  // Each Alt key reaches one thing on every page and tab of the profile
  // window, in both languages: the menu bar's titles (ファイル(&F) …
  // ヘルプ(&H)) and every label's buddy and button shown with them.  The
  // model panel, the plane beach's, is hidden on the measured page, whose
  // width it would take, and comes back as the user left it.
  void mnemonicsApart() {
    for (const Language language : {Language::Japanese, Language::English}) {
      ProfileWindow* window = openIn(language);
      QVERIFY(QTest::qWaitForWindowExposed(window));
      auto* views = window->findChild<QTabWidget*>("views");
      auto* dock = window->findChild<QDockWidget*>("modelDock");
      QVERIFY(views && dock);
      const QRegularExpression mnemonic(QStringLiteral("&([^&])"));
      const auto check = [&](const QString& where) {
        QMap<QChar, QString> taken;
        const auto take = [&](const QString& text, bool shown) {
          const QRegularExpressionMatch m = mnemonic.match(text);
          if (!m.hasMatch() || !shown) return;
          const QChar key = m.captured(1).at(0).toLower();
          QVERIFY2(!taken.contains(key), qPrintable(where + ": " + text + " and " + taken.value(key)));
          taken.insert(key, text);
        };
        for (const QAction* menu : window->menuBar()->actions()) take(menu->text(), menu->isVisible());
        for (const QLabel* label : window->findChildren<QLabel*>()) {
          if (label->buddy()) take(label->text(), label->buddy()->isVisibleTo(window));
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
          take(button->text(), button->isVisibleTo(window));
        }
        QVERIFY2(taken.size() >= 6, qPrintable(where));
      };
      window->pages().setCurrentIndex(0);
      for (int tab = 0; tab < views->count(); ++tab) {
        views->setCurrentIndex(tab);
        check(window->pages().tabText(0) + " / " + views->tabText(tab));
        QVERIFY(dock->isVisibleTo(window));
      }
      window->pages().setCurrentWidget(&window->measuredView());
      QVERIFY(!dock->isVisibleTo(window) && !dock->toggleViewAction()->isEnabled());
      check(window->pages().tabText(1));
      window->pages().setCurrentIndex(0);
      QVERIFY(dock->isVisibleTo(window) && dock->toggleViewAction()->isEnabled());
      // The structures' page has its own boxes too.
      window->pages().setCurrentIndex(2);
      QVERIFY(!dock->isVisibleTo(window) && !dock->toggleViewAction()->isEnabled());
      window->pages().setCurrentIndex(0);
      QVERIFY(dock->isVisibleTo(window));
      // Closed by the user on the plane page, it stays closed after a visit
      // to the measured page.
      dock->toggleViewAction()->trigger();
      window->pages().setCurrentWidget(&window->measuredView());
      window->pages().setCurrentIndex(0);
      QVERIFY(!dock->isVisibleTo(window));
      dock->toggleViewAction()->trigger();
    }
  }

  // The page says where its sea comes from: the calculation window's wave
  // until a box is typed in, then the typed values; in both languages.
  void seaOriginSaid() {
    for (const Language language : {Language::Japanese, Language::English}) {
      ProfileWindow* window = openIn(language);
      MeasuredProfileView& v = window->measuredView();
      auto* origin = v.findChild<QLabel*>("measuredSeaOrigin");
      QVERIFY(origin && origin->isVisibleTo(&v));
      QVERIFY2(origin->text().contains(QStringLiteral("Ho/√2")), qPrintable(origin->text()));
      const QString following = origin->text();
      QTest::keyClick(v.findChild<QLineEdit*>("Hrms0"), Qt::Key_5);
      QVERIFY(origin->text() != following && !origin->text().contains(QStringLiteral("Ho/√2")));
      QCOMPARE(language == Language::English, !origin->text().contains(QStringLiteral("入力")));
    }
  }

  // In English no Japanese is left on the page, in its menu entry and tab,
  // in its read-out and in its messages.
  void englishPage() {
    ProfileWindow* window = openIn(Language::English);
    MeasuredProfileView& v = window->measuredView();
    const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    QStringList texts = {window->pages().tabText(0), window->pages().tabText(1),
                         window->findChild<QAction*>("openProfile")->text()};
    const auto collect = [&] {
      for (const QLabel* label : v.findChildren<QLabel*>()) texts << label->text() << label->toolTip();
      for (const QLineEdit* edit : v.findChildren<QLineEdit*>()) texts << edit->toolTip();
      for (const QComboBox* combo : v.findChildren<QComboBox*>()) {
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
      }
      for (const auto* strip : v.findChildren<saiha::profile::StripChart*>()) {
        for (const QAbstractAxis* axis : strip->chart()->axes()) texts << axis->titleText();
        for (const QAbstractSeries* series : strip->chart()->series()) texts << series->name();
      }
    };
    collect();
    QVERIFY(v.openProfile(profilePath_));
    v.showPointAt(100);
    collect();
    QVERIFY(v.hoverText().startsWith("x = 100.00 m"));
    QVERIFY(v.openProfile(dir_.filePath("missing.csv")) == false);
    QVERIFY2(v.errorText().startsWith("Cannot read the profile: "), qPrintable(v.errorText()));
    collect();
    QVERIFY(write(dir_.filePath("flat.csv"), "x,z\n0,-5\n0,-4\n"));
    v.openProfile(dir_.filePath("flat.csv"));
    collect();
    for (const QString& text : texts) QVERIFY2(!text.contains(japanese), qPrintable(text));
  }
};

QTEST_MAIN(MeasuredProfileTest)
#include "measured_profile_test.moc"
