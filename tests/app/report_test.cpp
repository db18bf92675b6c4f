// The report: written as PDF in each language, with the calculation
// window's results, every checked model and the charts; a file that cannot
// be written is reported and leaves nothing behind.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
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
