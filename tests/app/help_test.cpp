// The help window: its pages in both languages, every link between them,
// and F1 from each window opening the page about that window.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/help/HelpWindow.h"
#include "gui/language.h"
#include "gui/profile/ProfileWindow.h"

using saiha::help::HelpWindow;
using saiha::report::Language;
using saiha::window::CalcWindow;
namespace gui = saiha::gui;

class HelpTest : public QObject {
  Q_OBJECT

  static QString read(const QString& resource) {
    QFile file(resource);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  static QString resourceOf(const QUrl& url) { return QLatin1Char(':') + url.path(); }
  // The help window the program shows, once F1 has been pressed.
  static HelpWindow* shownHelp(QWidget* calc) {
    auto* help = calc->findChild<HelpWindow*>();
    return help && help->isVisible() ? help : nullptr;
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("saiha-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("help_test"));
    QSettings().clear();
  }
  void cleanup() { gui::setLanguage(Language::Japanese); }

  // Each page exists in both languages and opens in the window in the
  // language chosen, its section too; an unknown page shows the contents.
  void pagesInBothLanguages_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("emptyDepth");
    QTest::newRow("ja") << int(Language::Japanese) << QStringLiteral("ヘルプ — 砕波の計算")
                        << QStringLiteral("空欄のまま計算すると砕波水深が入り");
    QTest::newRow("en") << int(Language::English) << QStringLiteral("Help — Wave Breaking")
                        << QStringLiteral("Left empty, the box takes the breaking depth");
  }
  void pagesInBothLanguages() {
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, emptyDepth);
    gui::setLanguage(Language(language));
    HelpWindow help;
    help.showPage(QStringLiteral("calculation"));
    QCOMPARE(help.windowTitle(), title);
    QCOMPARE(help.page(), QStringLiteral("calculation"));
    const QString text = help.browser().toPlainText();
    QVERIFY2(text.contains(emptyDepth), qPrintable(text.left(400)));
    for (const char* quantity : {"Ho", "αo", "1/n", "Hb", "hb", "γ", "θb", "L", "C"}) {
      QVERIFY2(text.contains(QString::fromUtf8(quantity)), quantity);
    }
    help.showPage(QStringLiteral("models#references"));
    QCOMPARE(help.page(), QStringLiteral("models"));
    QCOMPARE(help.browser().source().fragment(), QStringLiteral("references"));
    QVERIFY(help.browser().toPlainText().contains(QStringLiteral("Goda, Y. (1970)")));
    help.showPage(QStringLiteral("no-such-page"));
    QCOMPARE(help.page(), QStringLiteral("index"));
    for (const QString& page : HelpWindow::pages()) {
      const QString html = read(resourceOf(HelpWindow::pageUrl(Language(language), page)));
      QVERIFY2(html.contains(QStringLiteral("<h1>")), qPrintable(page));
    }
  }

  // Every link of every page leads to a page that exists, in the same
  // language, and to a section that page has; none leaves the program.
  void everyLinkResolves() {
    int links = 0;
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    for (Language language : {Language::Japanese, Language::English}) {
      for (const QString& page : HelpWindow::pages()) {
        const QUrl base = HelpWindow::pageUrl(language, page);
        const QString html = read(resourceOf(base));
        QVERIFY2(!html.isEmpty(), qPrintable(base.toString()));
        for (const QRegularExpressionMatch& m : href.globalMatch(html)) {
          const QUrl target = base.resolved(QUrl(m.captured(1)));
          const QString where = base.toString() + QStringLiteral(" → ") + m.captured(1);
          QCOMPARE(target.scheme(), QStringLiteral("qrc"));
          QVERIFY2(target.path().startsWith(base.path().section('/', 0, -2)), qPrintable(where));
          const QString linked = read(resourceOf(target));
          QVERIFY2(!linked.isEmpty(), qPrintable(where));
          if (target.hasFragment()) {
            QVERIFY2(linked.contains(QStringLiteral("id=\"%1\"").arg(target.fragment())),
                     qPrintable(where));
          }
          ++links;
        }
      }
    }
    QVERIFY(links >= 20);
  }

  // F1 in the calculation window opens the page of its quantities; in the
  // profile window, the page of the profile and its models; a change of
  // language shows the same page in the new one.
  void f1OpensThePageOfTheWindow() {
    gui::setLanguage(Language::Japanese);
    auto calc = std::make_unique<CalcWindow>();
    saiha::app::attachProfileWindow(*calc);
    calc->show();
    QVERIFY(QTest::qWaitForWindowExposed(calc.get()));
    QApplication::setActiveWindow(calc.get());
    QTest::keyClick(calc.get(), Qt::Key_F1);
    HelpWindow* help = shownHelp(calc.get());
    QVERIFY(help);
    QCOMPARE(help->page(), QStringLiteral("calculation"));
    QVERIFY(help->browser().toPlainText().contains(QStringLiteral("砕波水深")));
    QCOMPARE(calc->findChild<QAction*>("help")->text(), QStringLiteral("ヘルプ(&H)..."));
    help->close();

    emit calc->profileRequested();
    auto* profile = calc->findChild<saiha::profile::ProfileWindow*>();
    QVERIFY(profile);
    QApplication::setActiveWindow(profile);
    QTest::keyClick(profile, Qt::Key_F1);
    help = shownHelp(calc.get());
    QVERIFY(help);
    QCOMPARE(help->page(), QStringLiteral("profile"));

    calc->findChild<QAction*>("language_en")->trigger();
    QTRY_COMPARE(help->windowTitle(), QStringLiteral("Help — Wave Breaking"));
    QCOMPARE(help->page(), QStringLiteral("profile"));
    QVERIFY(help->browser().toPlainText().contains(QStringLiteral("At the shoreline")));
    QCOMPARE(calc->findChild<QAction*>("help")->text(), QStringLiteral("&Help..."));
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
