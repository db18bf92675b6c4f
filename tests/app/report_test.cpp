// The report: written as PDF in each language, with the calculation
// window's results, every checked model and the charts; a file that cannot
// be written is reported and leaves nothing behind.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>
#include <memory>

#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/language.h"
#include "gui/profile/ComparisonModel.h"
#include "gui/profile/ModelPanel.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/profile/Report.h"
#include "gui/profile/StructureView.h"

using saiha::profile::ProfileWindow;
using saiha::profile::Report;
using saiha::report::Language;
using saiha::window::CalcWindow;
namespace gui = saiha::gui;
namespace shore = saiha::shore;

class ReportTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CalcWindow> calc_;

  ProfileWindow* openProfile() {
    emit calc_->profileRequested();
    auto* profile = calc_->findChild<ProfileWindow*>();
    if (profile) profile->resize(1100, 700);
    return profile;
  }
  void press() { QTest::mouseClick(calc_->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
  QString box(const char* name) const { return calc_->findChild<QLineEdit*>(name)->text(); }
  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("saiha-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("report_test"));
  }
  void init() {
    QSettings().clear();
    gui::setLanguage(Language::Japanese);
    calc_ = std::make_unique<CalcWindow>();
    saiha::app::attachProfileWindow(*calc_);
    calc_->show();
    press();
  }
  void cleanup() {
    calc_.reset();
    gui::setLanguage(Language::Japanese);
  }

  // The document holds every input and result as the boxes show them, a
  // row for each checked model, the shoreline's quantities, both charts,
  // and the references, in the window's language.
  void documentHoldsWhatTheWindowsShow_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("ja") << false;
    QTest::newRow("en") << true;
  }
  void documentHoldsWhatTheWindowsShow() {
    QFETCH(bool, english);
    if (english) {
      calc_->findChild<QAction*>("language_en")->trigger();
      QTRY_COMPARE(gui::language(), Language::English);
      QTest::qWait(20);
    }
    ProfileWindow* profile = openProfile();
    QVERIFY(profile);
    profile->modelPanel().breakerBox(shore::BreakerLimit::Miche)->setChecked(true);
    QTRY_COMPARE(profile->comparison().rowCount(), 3);
    const auto document = Report(calc_->sheet(), *profile).document();
    const QString text = document->toPlainText();
    for (const char* name : {"Text3", "Text4", "Text14", "Text16", "Text15", "Text13", "Text17",
                             "Text10", "Text8", "Text9", "Text6", "Text7"}) {
      QVERIFY2(text.contains(box(name)), name);
    }
    QVERIFY(text.contains(english ? "(empty: the breaking depth)" : "（空欄：砕波水深）") ||
            !box("Text2").isEmpty());
    QVERIFY(text.contains(english ? "Miche, two regimes" : "Miche・2 領域"));
    QVERIFY(text.contains(profile->shorelineTexts().value(2)));  // ηs
    QVERIFY(text.contains("Goda, Y. (1970)"));
    QVERIFY(text.contains(english ? "References" : "参考文献"));
    const QImage chart =
        document->resource(QTextDocument::ImageResource, QUrl("chart://profile")).value<QImage>();
    QVERIFY(!chart.isNull() && chart.width() > 400);
    if (english) {
      for (const QChar c : text) QVERIFY2(c.unicode() < 0x3000 || c.unicode() > 0x9FFF, qPrintable(text));
    }
  }

  // Export report: a PDF of at least one page whose first page, rendered,
  // is not blank; an unwritable path fails and leaves no file.
  void pdfIsWrittenWhole() {
    ProfileWindow* profile = openProfile();
    QVERIFY(profile);
    QTest::qWait(50);
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QVERIFY(Report(calc_->sheet(), *profile).writePdf(path));
    const QByteArray pdf = read(path);
    // SAIHA_KEEP_REPORT=FILE keeps a copy to look at.
    if (qEnvironmentVariableIsSet("SAIHA_KEEP_REPORT")) {
      QFile::remove(qEnvironmentVariable("SAIHA_KEEP_REPORT"));
      QFile::copy(path, qEnvironmentVariable("SAIHA_KEEP_REPORT"));
    }
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/") >= 1 ||
            pdf.contains("/Type /Page"));
    QVERIFY(!Report(calc_->sheet(), *profile).writePdf(dir.filePath("missing/report.pdf")));
    QVERIFY(!QFile::exists(dir.filePath("missing/report.pdf")));

    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) QSKIP("pdftoppm (poppler-utils) is not installed");
    QProcess render;
    render.start(pdftoppm, {"-png", "-r", "40", "-f", "1", "-l", "1", path, dir.filePath("page")});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    const QStringList pages = QDir(dir.path()).entryList({"page*.png"});
    QCOMPARE(pages.size(), 1);
    const QImage page(dir.filePath(pages.front()));
    QVERIFY(!page.isNull());
    qsizetype ink = 0;
    for (int y = 0; y < page.height(); ++y) {
      for (int x = 0; x < page.width(); ++x) ink += qGray(page.pixel(x, y)) < 200;
    }
    QVERIFY2(ink > page.width() * page.height() / 100, qPrintable(QString::number(ink)));
  }

  // The page 構造物 has pages of its own before the references: the caisson's inputs
  // and results as the page shows them, its diagram and the overtopping
  // chart; rendered, the page with p1 on it carries the drawing's ink.
  void structurePages() {
    calc_->findChild<QAction*>("language_en")->trigger();
    QTRY_COMPARE(gui::language(), Language::English);
    QTest::qWait(20);
    ProfileWindow* profile = openProfile();
    QVERIFY(profile);
    const saiha::profile::StructureView& structure = profile->structureView();
    const auto document = Report(calc_->sheet(), *profile).document();
    const QString text = document->toPlainText();
    QVERIFY(text.contains("Structures"));
    const QString p1 = structure.caissonText(saiha::profile::StructureModel::P1);
    QVERIFY2(!p1.isEmpty(), qPrintable(structure.caissonError() + structure.designText() + structure.box("site-h")->text() + "/" + structure.box("hPrime")->text() + "/" + structure.box("d")->text()));
    QVERIFY2(text.contains(p1), qPrintable(p1));
    QVERIFY(text.contains(structure.caissonText(saiha::profile::StructureModel::Sliding)));
    QVERIFY(text.contains(structure.slopeText(saiha::profile::StructureModel::Discharge)));
    QVERIFY(text.contains(structure.armourText(saiha::profile::StructureModel::Dn50)));
    for (const char* url : {"chart://caisson", "chart://overtopping"}) {
      const QImage image = document->resource(QTextDocument::ImageResource, QUrl(url)).value<QImage>();
      QVERIFY2(!image.isNull() && image.width() > 400, url);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QVERIFY(Report(calc_->sheet(), *profile).writePdf(path));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftotext.isEmpty() || pdftoppm.isEmpty()) QSKIP("poppler-utils is not installed");
    QProcess words;
    words.start(pdftotext, {"-layout", path, "-"});
    QVERIFY(words.waitForFinished(60000));
    const QStringList pages = QString::fromUtf8(words.readAllStandardOutput()).split(QLatin1Char('\f'));
    qsizetype page = -1;
    for (qsizetype i = 0; i < pages.size() && page < 0; ++i) {
      if (pages[i].contains("p1 = ")) page = i + 1;
    }
    QVERIFY2(page > 1, qPrintable(QString::number(page)));  // after the calculation's pages
    // The diagram follows its results, on that page or the next.
    QProcess render;
    render.start(pdftoppm, {"-png", "-r", "60", "-f", QString::number(page), "-l",
                            QString::number(std::min<qsizetype>(page + 1, pages.size())), path,
                            dir.filePath("structure")});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    const QStringList images = QDir(dir.path()).entryList({"structure*.png"});
    QVERIFY(!images.isEmpty());
    // The diagram's red pressures and grey caisson, not text alone.
    qsizetype red = 0, grey = 0;
    for (const QString& name : images) {
      const QImage image(dir.filePath(name));
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const QColor c = image.pixelColor(x, y);
          red += c.red() - c.green() > 60 && c.red() - c.blue() > 60;
          grey += std::abs(c.red() - 0xb8) < 6 && std::abs(c.green() - 0xb8) < 6 && std::abs(c.blue() - 0xb8) < 6;
        }
      }
    }
    QVERIFY2(red > 50, qPrintable(QString::number(red)));
    QVERIFY2(grey > 500, qPrintable(QString::number(grey)));
  }

  // The report's entries sit in the profile window's File menu, above
  // Close, in the window's language.
  void menuEntries() {
    ProfileWindow* profile = openProfile();
    QAction* print = profile->findChild<QAction*>("printReport");
    QAction* pdf = profile->findChild<QAction*>("exportReport");
    QVERIFY(print && pdf);
    QCOMPARE(print->text(), QStringLiteral("印刷(&I)..."));
    QCOMPARE(print->shortcut(), QKeySequence(QKeySequence::Print));
    const QList<QAction*> file = profile->fileMenu()->actions();
    QVERIFY(file.indexOf(pdf) == file.indexOf(print) + 1);
    QVERIFY(file.indexOf(pdf) < file.size() - 2);
  }
};

QTEST_MAIN(ReportTest)
#include "report_test.moc"
