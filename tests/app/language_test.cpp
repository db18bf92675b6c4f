// Both windows in Japanese and in English, switched while open, and what the
// profile window writes and keeps: its exports say what they show, and its
// settings come back in the next window.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>
#include <memory>

#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/language.h"
#include "gui/profile/ComparisonModel.h"
#include "gui/profile/ModelPanel.h"
#include "gui/profile/ProfileChart.h"
#include "gui/profile/ProfileModel.h"
#include "gui/profile/ProfileWindow.h"

using saiha::profile::ProfileWindow;
using saiha::report::Language;
using saiha::window::CalcWindow;
namespace gui = saiha::gui;
namespace shore = saiha::shore;

class LanguageTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CalcWindow> calc_;
  QStringList reported_;

  ProfileWindow* openProfile() {
    emit calc_->profileRequested();
    auto* profile = calc_->findChild<ProfileWindow*>();
    if (profile) profile->setReporter([](const QString& m) { QFAIL(qPrintable(m)); });
    return profile;
  }
  QString button() const { return calc_->findChild<QPushButton*>("Command1")->text(); }
  void press() { QTest::mouseClick(calc_->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("saiha-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("language_test"));
  }
  void init() {
    QSettings().clear();
    gui::setLanguage(Language::Japanese);
    calc_ = std::make_unique<CalcWindow>();
    saiha::app::attachProfileWindow(*calc_);
    reported_.clear();
    calc_->sheet().setReporter([this](const QString& m) { reported_.append(m); });
    calc_->show();
  }
  void cleanup() {
    calc_.reset();
    gui::setLanguage(Language::Japanese);
  }

  // Japanese by default; the menu switches both open windows, their error
  // messages and the models' names, saves the choice, and switches back.
  void menuSwitchesEveryWindow() {
    QCOMPARE(button(), QStringLiteral("計算"));
    QVERIFY(openProfile());
    auto* english = calc_->findChild<QAction*>("language_en");
    QVERIFY(english);
    english->trigger();
    QTRY_COMPARE(button(), QStringLiteral("Calculate"));
    QCOMPARE(gui::language(), Language::English);
    QCOMPARE(QSettings().value("language").toString(), QStringLiteral("en"));
    QCOMPARE(calc_->menuBar()->actions().front()->text(), QStringLiteral("File"));
    QCOMPARE(calc_->windowTitle(), QStringLiteral("Wave Breaking"));
    ProfileWindow* profile = calc_->findChild<ProfileWindow*>();
    QVERIFY(profile && profile->isVisible());  // made again in English, still open
    QVERIFY(profile->chart().chart()->axes(Qt::Horizontal).front()->titleText().contains(
        "distance from the shoreline"));
    QCOMPARE(profile->comparison().data(profile->comparison().index(0, 0)).toString(),
             QStringLiteral("Goda (1970), two regimes"));
    QVERIFY(profile->modelPanel().findChild<QCheckBox*>("breaker-goda1970")->text().startsWith(
        "&Goda"));

    calc_->findChild<QLineEdit*>("Text5")->setText("-1");
    press();
    QCOMPARE(reported_.value(0),
             QStringLiteral("Enter a number greater than 0 for the deep-water wave height Ho."));
    QVERIFY(profile->errorMessage().startsWith("Cannot compute: Enter a number"));

    profile->findChild<QAction*>("language_ja")->trigger();
    QTRY_COMPARE(button(), QStringLiteral("計算"));
    QCOMPARE(calc_->windowTitle(), QStringLiteral("砕波の計算"));
  }

  // The profile window made again in the new language keeps what it showed,
  // typed random-wave boxes too; the case and copy entries speak English.
  void switchKeepsTheChoices() {
    ProfileWindow* profile = openProfile();
    saiha::profile::ProfileChoices choices = profile->choices();
    choices.breakers.append("miche");
    choices.randomHeight = "1.25";
    choices.randomPeriod = "7";
    choices.randomTyped = true;
    profile->setChoices(choices);
    calc_->findChild<QAction*>("language_en")->trigger();
    QTRY_COMPARE(button(), QStringLiteral("Calculate"));
    profile = calc_->findChild<ProfileWindow*>();
    QVERIFY(profile && profile->isVisible());
    QCOMPARE(profile->choices(), choices);
    QCOMPARE(calc_->findChild<QAction*>("saveCase")->text(), QStringLiteral("Sa&ve case..."));
    QCOMPARE(profile->findChild<QAction*>("copyResults")->text(), QStringLiteral("&Copy results"));
    QCOMPARE(profile->model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("Height rule"));
    QCOMPARE(profile->model().data(profile->model().index(0, 2)).toString(),
             QStringLiteral("linear shoaling"));
  }

  // --lang, then SAIHA_LANG, then the saved choice; unknown names warned of.
  void startLanguage() {
    QString warning;
    QCOMPARE(gui::startLanguage({"saiha", "--lang", "en"}), Language::English);
    QCOMPARE(gui::startLanguage({"saiha", "--lang=ja"}), Language::Japanese);
    QCOMPARE(gui::startLanguage({"saiha"}), Language::Japanese);
    QSettings().setValue("language", "en");
    QCOMPARE(gui::startLanguage({"saiha"}), Language::English);
    qputenv("SAIHA_LANG", "ja");
    QCOMPARE(gui::startLanguage({"saiha"}), Language::Japanese);
    QCOMPARE(gui::startLanguage({"saiha", "--lang", "en"}), Language::English);
    qputenv("SAIHA_LANG", "klingon");
    QCOMPARE(gui::startLanguage({"saiha"}, &warning), Language::English);
    QVERIFY(warning.contains("klingon"));
    qunsetenv("SAIHA_LANG");
  }

  // Three models checked: the CSV holds the stations of each under its
  // name, the comparison CSV the table's rows; the pictures name the inputs
  // and models, and the SVG draws the curves only inside the plot's clip.
  void exportsSayWhatTheyShow() {
    ProfileWindow* profile = openProfile();
    profile->resize(900, 600);
    auto& panel = profile->modelPanel();
    panel.breakerBox(shore::BreakerLimit::Kamphuis)->setChecked(true);
    panel.breakerBox(shore::BreakerLimit::Miche)->setChecked(true);
    QTRY_COMPARE(profile->comparison().rowCount(), 4);  // three models and the empirical row
    QCOMPARE(profile->defaultFileName("profile", "svg"),
             QStringLiteral("profile_Ho1_T10_a30_n60.svg"));

    QTest::qWait(100);  // the legend is laid out
    QTemporaryDir dir;
    QVERIFY(profile->exportCsv(dir.filePath("p.csv")));
    QVERIFY(profile->exportComparisonCsv(dir.filePath("m.csv")));
    QVERIFY(profile->exportSvg(dir.filePath("p.svg")));
    QVERIFY(profile->exportPng(dir.filePath("p.png")));

    const QList<QByteArray> lines = read(dir.filePath("p.csv")).split('\n');
    QVERIFY(lines.front().startsWith("model,x,h,rule,point,H,"));
    QSet<QByteArray> models;
    for (const QByteArray& line : lines.mid(1)) {
      if (!line.isEmpty()) models.insert(line.left(line.indexOf(',')));
    }
    QCOMPARE(models, (QSet<QByteArray>{"goda1970/two-regime", "kamphuis/two-regime",
                                       "miche/two-regime"}));
    QCOMPARE(read(dir.filePath("m.csv")).count('\n'), 1 + 4);

    const QByteArray svg = read(dir.filePath("p.svg"));
    QVERIFY(svg.contains("<desc>Ho = 1 m"));
    const qsizetype clip = svg.indexOf("<g clip-path=\"url(#plotArea)\">");
    QVERIFY(clip > 0);
    // The breaker limit's red dashes run inside the clip; outside it only
    // their legend entry has that colour.
    QVERIFY(svg.mid(clip).count("#c0392b") > 1);
    QCOMPARE(svg.left(clip).count("#c0392b"), 1);

    const QImage png(dir.filePath("p.png"));
    QVERIFY(png.text("Description").contains("Ho = 1 m"));
    QVERIFY(png.text("Description").contains("Miche"));
  }

  // Checked models, parameters, the second axis and the window's size come
  // back in the next window; a failed calculation leaves an empty chart
  // without a scale; the table shows two decimals and copies every digit.
  void settingsTablesAndEmptyChart() {
    ProfileWindow* profile = openProfile();
    profile->modelPanel().breakerBox(shore::BreakerLimit::McCowan)->setChecked(true);
    profile->modelPanel().paramBox(0)->setText("0.5");
    profile->findChild<QComboBox*>("quantity")->setCurrentIndex(2);
    profile->resize(800, 500);

    const QModelIndex H = profile->model().index(0, 4);
    QCOMPARE(profile->model().data(H).toString().section('.', 1).size(), 2);
    QVERIFY(profile->model().data(H, Qt::EditRole).toString().size() >
            profile->model().data(H).toString().size());
    QVERIFY(profile->model().data(profile->model().index(0, 2), Qt::TextAlignmentRole).toInt() &
            Qt::AlignLeft);

    delete profile;
    profile = openProfile();
    QVERIFY(profile->modelPanel().breakerBox(shore::BreakerLimit::McCowan)->isChecked());
    QCOMPARE(profile->modelPanel().paramBox(0)->text(), QStringLiteral("0.5"));
    QCOMPARE(profile->findChild<QComboBox*>("quantity")->currentIndex(), 2);
    QCOMPARE(profile->size(), QSize(800, 500));

    calc_->findChild<QLineEdit*>("Text5")->setText("-1");
    press();
    for (QAbstractAxis* axis : profile->chart().chart()->axes()) QVERIFY(!axis->labelsVisible());
  }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
