// Both windows in Japanese and in English, switched while open, and what the
// profile window writes and keeps: its exports say what they show, and its
// settings come back in the next window.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QLabel>
#include <QLegendMarker>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QPointer>
#include <QtTest>
#include <memory>

#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/profile/ChartLegend.h"
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

  // Kana, CJK ideographs and full-width forms: what no English text holds.
  static bool japanese(const QString& text) {
    for (const QChar c : text) {
      const char16_t u = c.unicode();
      if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
          (u >= 0xFF00 && u <= 0xFFEF)) {
        return true;
      }
    }
    return false;
  }
  // Every text a person can read in `root` and its children: titles, texts,
  // tooltips, menus and actions, tabs, combo items, table headers and
  // cells, chart titles, axes and legend entries.  The language menu is
  // left out: it names each language in its own.
  static QStringList readableTexts(QWidget* root) {
    QStringList texts;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
      if (w->objectName() == QLatin1String("languageMenu")) continue;
      texts << w->windowTitle() << w->toolTip() << w->statusTip() << w->whatsThis();
      if (const QVariant text = w->property("text"); text.isValid()) texts << text.toString();
      if (const QVariant text = w->property("placeholderText"); text.isValid()) {
        texts << text.toString();
      }
      if (auto* menu = qobject_cast<QMenu*>(w)) texts << menu->title();
      if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
      if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i) << tabs->tabToolTip(i);
      }
      if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
      }
      if (auto* view = qobject_cast<QTableView*>(w); view && view->model()) {
        const QAbstractItemModel* m = view->model();
        for (int c = 0; c < m->columnCount(); ++c) {
          texts << m->headerData(c, Qt::Horizontal).toString()
                << m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
          for (int r = 0; r < std::min(m->rowCount(), 40); ++r) {
            texts << m->data(m->index(r, c)).toString()
                  << m->data(m->index(r, c), Qt::ToolTipRole).toString();
          }
        }
      }
      if (auto* view = qobject_cast<QChartView*>(w)) {
        // Every chart of the view's scene (the stacked plots) and the
        // legend drawn beside them.
        for (QGraphicsItem* item : view->scene()->items()) {
          QGraphicsObject* object = item->toGraphicsObject();
          if (auto* chart = qobject_cast<QChart*>(object)) {
            texts << chart->title();
            for (QAbstractAxis* axis : chart->axes()) texts << axis->titleText();
            for (QLegendMarker* marker : chart->legend()->markers()) texts << marker->label();
          } else if (auto* legend = qobject_cast<saiha::profile::ChartLegend*>(object)) {
            for (const auto& entry : legend->entries()) texts << entry.name;
          }
        }
      }
    }
    for (QAction* action : root->findChildren<QAction*>()) {
      const QMenu* menu = action->menu();
      if (menu && menu->objectName() == QLatin1String("languageMenu")) continue;
      if (action->objectName().startsWith(QLatin1String("language_"))) continue;
      texts << action->text() << action->toolTip() << action->statusTip();
    }
    texts.removeAll(QString());
    return texts;
  }
  // The texts of `root` that hold Japanese, each once.
  static QStringList japaneseTexts(QWidget* root) {
    QStringList found;
    for (const QString& text : readableTexts(root)) {
      if (japanese(text) && !found.contains(text)) found << text;
    }
    return found;
  }
  // Every model checked, so that each name and curve is shown.
  static void checkEveryModel(ProfileWindow* profile) {
    for (shore::BreakerLimit b : shore::kBreakerLimits) {
      profile->modelPanel().breakerBox(b)->setChecked(true);
    }
    for (shore::Shoaling s : shore::kShoalings) {
      profile->modelPanel().shoalingBox(s)->setChecked(true);
    }
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
    const QPointer<ProfileWindow> japaneseWindow = calc_->findChild<ProfileWindow*>();
    english->trigger();
    QTRY_COMPARE(button(), QStringLiteral("Calculate"));
    // The profile window is made again by a queued call: wait for it.
    QTRY_VERIFY(japaneseWindow.isNull());
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
    const QPointer<ProfileWindow> japaneseWindow = profile;
    calc_->findChild<QAction*>("language_en")->trigger();
    QTRY_COMPARE(button(), QStringLiteral("Calculate"));
    QTRY_VERIFY(japaneseWindow.isNull());
    profile = calc_->findChild<ProfileWindow*>();
    QVERIFY(profile && profile->isVisible());
    QCOMPARE(profile->choices(), choices);
    QCOMPARE(calc_->findChild<QAction*>("saveCase")->text(), QStringLiteral("Sa&ve case..."));
    QCOMPARE(profile->findChild<QAction*>("copyResults")->text(), QStringLiteral("&Copy results"));
    QCOMPARE(profile->model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("Height rule"));
    QCOMPARE(profile->model().data(profile->model().index(0, 2)).toString(),
             QStringLiteral("linear shoaling"));
  }

  // After a switch to English no text of either window, their menus, the
  // profile window's tables, chart and legend included, holds Japanese; a
  // check box's access key is a letter of its name, never a bracketed one
  // after it.  Every title is set only once the program's display name is
  // in the title's language, so that no window manager shows the two mixed.
  void englishWindowsHoldNoJapanese() {
    QStringList mixed;
    struct TitleWatch : QObject {
      QStringList* mixed;
      explicit TitleWatch(QStringList* m) : mixed(m) {}
      bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowTitleChange) {
          const QString title = static_cast<QWidget*>(watched)->windowTitle();
          const QString name = QGuiApplication::applicationDisplayName();
          if (japanese(title) != japanese(name)) *mixed << title + QStringLiteral(" — ") + name;
        }
        return false;
      }
    } watch(&mixed);
    calc_->installEventFilter(&watch);
    const QPointer<ProfileWindow> japaneseWindow = openProfile();
    checkEveryModel(japaneseWindow);
    calc_->findChild<QAction*>("language_en")->trigger();
    QTRY_COMPARE(button(), QStringLiteral("Calculate"));
    QTRY_VERIFY(japaneseWindow.isNull());
    ProfileWindow* profile = calc_->findChild<ProfileWindow*>();
    QVERIFY(profile && profile->isVisible());
    checkEveryModel(profile);
    QTest::qWait(50);
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Wave Breaking"));
    QVERIFY2(japaneseTexts(calc_.get()).isEmpty(), qPrintable(japaneseTexts(calc_.get()).join('|')));
    QVERIFY2(japaneseTexts(profile).isEmpty(), qPrintable(japaneseTexts(profile).join('|')));
    const QRegularExpression bracketedKey(QStringLiteral("\\(&\\w\\)"));
    for (const QString& text : readableTexts(profile) + readableTexts(calc_.get())) {
      QVERIFY2(!bracketedKey.match(text).hasMatch(), qPrintable(text));
    }
    QCOMPARE(profile->modelPanel().breakerBox(shore::BreakerLimit::Goda2010)->text(),
             QStringLiteral("G&oda (2010)"));

    profile->findChild<QAction*>("language_ja")->trigger();
    QTRY_COMPARE(button(), QStringLiteral("計算"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("砕波の計算"));
    QCOMPARE(mixed, QStringList());
  }

  // The Japanese profile window names the setup, the surf similarity and
  // the height rules in Japanese: no English word of wave theory in its
  // legend, tooltips or tables.
  void japaneseWindowSpeaksJapanese() {
    ProfileWindow* profile = openProfile();
    checkEveryModel(profile);
    QTest::qWait(50);
    const QRegularExpression english(
        QStringLiteral("\\b(wave|setup|setdown|surf|linear|nonlinear|similarity|radiation)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const QStringList legend = profile->chart().legendNames();
    QVERIFY2(legend.contains(QStringLiteral("平均水位（ウェーブセットアップ）")),
             qPrintable(legend.join('|')));
    for (const QString& text : readableTexts(profile)) {
      QVERIFY2(!english.match(text).hasMatch(), qPrintable(text));
    }
  }

  // Qt's own dialogs follow the language: a file dialog's buttons are
  // Japanese with Japanese chosen and English after a switch, and it opens
  // wide enough for its columns.
  void qtDialogsFollowTheLanguage() {
    const auto cancelText = [] {
      QFileDialog dialog;
      dialog.setOption(QFileDialog::DontUseNativeDialog);
      gui::fitFileDialog(dialog);
      QStringList texts;
      for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) texts << b->text();
      return std::pair(texts.join(QLatin1Char('|')), dialog.width());
    };
    const auto [japaneseButtons, width] = cancelText();
    QVERIFY2(japaneseButtons.contains(QStringLiteral("キャンセル")), qPrintable(japaneseButtons));
    // As wide as the columns need, within the screen (800 pixels offscreen).
    const int room = QGuiApplication::primaryScreen()->availableGeometry().width() * 9 / 10;
    QVERIFY2(width >= std::min(860, room), qPrintable(QString::number(width)));
    calc_->findChild<QAction*>("language_en")->trigger();
    QTRY_COMPARE(button(), QStringLiteral("Calculate"));
    const QString englishButtons = cancelText().first;
    QVERIFY2(englishButtons.contains(QStringLiteral("Cancel")), qPrintable(englishButtons));
    QVERIFY(!japanese(englishButtons));
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
