// The calculation window through its widgets: the layout the user sees, the
// start-up texts, presses of 計算 and the way errors reach the user.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "gui/calc/frmKelvo.h"

using saiha::window::frmKelvo;

namespace {

const QStringList kResultNames = {"Text3",  "Text4",  "Text14", "Text16", "Text13", "Text17",
                                  "Text10", "Text15", "Text6",  "Text7",  "Text8",  "Text9"};

struct Seen {
  QString className, title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Watches for modal windows while a test runs, notes what each showed and
// closes it, so that an unexpected message box fails the test instead of
// hanging it.
class ModalWatch : public QObject {
 public:
  ModalWatch() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      Seen seen{modal->metaObject()->className(), modal->windowTitle(), {}, {}};
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.text = box->text();
        seen.icon = box->icon();
      }
      seen_.append(seen);
      modal->close();
    });
    timer_.start(20);
  }
  // What was shown since the last call.
  QList<Seen> take() { return std::exchange(seen_, {}); }

 private:
  QTimer timer_;
  QList<Seen> seen_;
};

}  // namespace

class FrmKelvoTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<frmKelvo> window_;
  std::unique_ptr<ModalWatch> watch_;
  QStringList reported_;

  QLineEdit* box(const QString& name) const {
    auto* found = window_->findChild<QLineEdit*>(name);
    if (!found) qFatal("no text box %s", qPrintable(name));
    return found;
  }
  QString text(const QString& name) const { return box(name)->text(); }
  void type(const QString& name, const QString& text) {
    QLineEdit* edit = box(name);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(edit, Qt::Key_Delete);
    } else {
      QTest::keyClicks(edit, text);
    }
  }
  void press() {
    auto* button = window_->findChild<QPushButton*>("Command1");
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void verifyResults(const QStringList& expected) {
    for (int i = 0; i < kResultNames.size(); ++i) {
      QCOMPARE(text(kResultNames[i]) + " in " + kResultNames[i],
               expected[i] + " in " + kResultNames[i]);
    }
  }
  static QStringList defaultResults() {
    return {"1.71", "2.07", "0.82", "8.18", "44.44", "8.18",
            "4.44", "1.71", "2.87", "1.80", "3.00",  "1.88"};
  }
  static QStringList noResults() { return QStringList(12, "????"); }

 private slots:
  void init() {
    watch_ = std::make_unique<ModalWatch>();
    window_ = std::make_unique<frmKelvo>();
    reported_.clear();
    window_->setReporter([this](const QString& message) { reported_.append(message); });
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() {
    window_.reset();
    QCoreApplication::processEvents();
    const QList<Seen> unexpected = watch_->take();
    watch_.reset();
    for (const Seen& seen : unexpected) {
      qWarning("unexpected modal %s \"%s\": %s", qPrintable(seen.className),
               qPrintable(seen.title), qPrintable(seen.text));
    }
    QVERIFY2(unexpected.isEmpty(), "a modal window was shown");
  }

  // Every control: object name, kind, container, geometry in pixels, tab
  // index, the caption shown on it and its tooltip.
  void controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("tabIndex");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");

    auto row = [](const char* name, const char* kind, const char* container, QRect geometry,
                  int tabIndex, const char* caption, const char* tooltip) {
      QTest::newRow(name) << QString(kind) << QString(container) << geometry << tabIndex
                          << QString::fromUtf8(caption) << QString::fromUtf8(tooltip);
    };
    const char* W = "frmKelvo";
    row("Label5", "QLabel", W, {8, 8, 73, 17}, 0, "波高Ho（ｍ）", "");
    row("Text5", "QLineEdit", W, {80, 8, 89, 18}, 1, "", "沖波の波高です．");
    row("Label1", "QLabel", W, {8, 32, 73, 17}, 6, "周期T（秒）", "");
    row("Text1", "QLineEdit", W, {80, 32, 89, 18}, 2, "", "波の周期です．");
    row("Label10", "QLabel", W, {8, 56, 73, 17}, 9, "波向αo（°）", "");
    row("Text11", "QLineEdit", W, {80, 56, 89, 18}, 3, "", "海岸の法線に対する沖波の入射角です．");
    row("Label11", "QLabel", W, {8, 80, 73, 17}, 10, "海底勾配 1/", "");
    row("Text12", "QLineEdit", W, {80, 80, 89, 18}, 4, "", "海底勾配の分母です．");
    row("Frame2", "QGroupBox", W, {0, 104, 169, 113}, 23, "", "");
    row("Command1", "QPushButton", W, {0, 224, 169, 25}, 5, "計算", "計算を実行します．");
    row("Label2", "QLabel", W, {8, 256, 57, 17}, 8, "水深（ｍ）", "");
    row("Text2", "QLineEdit", W, {64, 256, 105, 18}, 7, "",
        "任意の水深での波高，波長，波向などを計算します．数値を入れて計算ボタンを押してください．");
    row("Frame1", "QGroupBox", W, {0, 280, 169, 161}, 11, "", "");
    row("Label3", "QLabel", "Frame2", {40, 16, 73, 17}, 27, "砕波波高（ｍ）", "");
    row("Text3", "QLineEdit", "Frame2", {112, 16, 49, 18}, 25, "", "砕波時の波高です．");
    row("Label4", "QLabel", "Frame2", {40, 40, 73, 17}, 26, "砕波水深（ｍ）", "");
    row("Text4", "QLineEdit", "Frame2", {112, 40, 49, 18}, 24, "", "砕波時の水深です．");
    row("Label13", "QLabel", "Frame2", {40, 64, 73, 17}, 29, "波高水深比γ", "");
    row("Text14", "QLineEdit", "Frame2", {112, 64, 49, 18}, 28, "", "砕波時の波高と水深の比です．");
    row("Label15", "QLabel", "Frame2", {40, 88, 73, 17}, 32, "砕波波向(°) ", "");
    row("Text16", "QLineEdit", "Frame2", {112, 88, 49, 18}, 33, "", "砕波時の波向です．");
    row("Label14", "QLabel", "Frame1", {40, 16, 57, 17}, 30, "波高(m)", "");
    row("Label12", "QLabel", "Frame1", {104, 16, 57, 17}, 22, "波長(m)", "");
    row("Text15", "QLineEdit", "Frame1", {40, 32, 57, 18}, 31, "", "任意水深での波高です．");
    row("Text13", "QLineEdit", "Frame1", {104, 32, 57, 18}, 21, "", "任意水深での波長です．");
    row("Label16", "QLabel", "Frame1", {40, 56, 57, 17}, 34, "波向(°)", "");
    row("Label9", "QLabel", "Frame1", {104, 56, 57, 17}, 17, "波速(m/s)", "");
    row("Text17", "QLineEdit", "Frame1", {40, 72, 57, 18}, 35, "", "任意水深での波向です．");
    row("Text10", "QLineEdit", "Frame1", {104, 72, 57, 18}, 12, "", "任意水深での波速です．");
    row("Label8", "QLabel", "Frame1", {40, 96, 113, 17}, 18, "a(m)           u(m/s)", "");
    row("Label6", "QLabel", "Frame1", {8, 112, 33, 17}, 20, "表面", "");
    row("Text8", "QLineEdit", "Frame1", {40, 112, 57, 18}, 14, "",
        "任意水深での波による水面水粒子軌道の片振幅です．");
    row("Text9", "QLineEdit", "Frame1", {104, 112, 57, 18}, 13, "",
        "任意水深での波による水面水粒子の最大速度です．");
    row("Label7", "QLabel", "Frame1", {8, 136, 33, 17}, 19, "底面", "");
    row("Text6", "QLineEdit", "Frame1", {40, 136, 57, 18}, 16, "",
        "任意水深での波による底面水粒子軌道の片振幅です．");
    row("Text7", "QLineEdit", "Frame1", {104, 136, 57, 18}, 15, "",
        "任意水深での波による底面水粒子の最大速度です．");
  }

  void controls() {
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    const QString name = QTest::currentDataTag();

    const QList<QWidget*> named = window_->findChildren<QWidget*>(name);
    QCOMPARE(named.size(), 1);
    QWidget* control = named.front();
    QCOMPARE(control->metaObject()->className(), kind);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->toolTip(), tooltip);

    QString shown;
    if (auto* label = qobject_cast<QLabel*>(control)) shown = label->text();
    if (auto* button = qobject_cast<QPushButton*>(control)) shown = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) shown = frame->title();
    QCOMPARE(shown, caption);

    // The caption must show in full: every character has a glyph in the
    // window's font and the text fits the control.
    if (!caption.isEmpty()) {
      const QFontMetrics metrics(control->font());
      for (char32_t c : caption.toUcs4()) {
        QVERIFY2(metrics.inFontUcs4(c), qPrintable(QString("no glyph for U+%1")
                                                        .arg(uint(c), 4, 16, QChar('0'))));
      }
      QVERIFY2(metrics.horizontalAdvance(caption) <= control->contentsRect().width(),
               qPrintable(QString("%1 px wide").arg(metrics.horizontalAdvance(caption))));
      QVERIFY(metrics.height() <= control->contentsRect().height());
    }
  }

  // Exactly the 36 controls above, on a window of the fixed client size.
  void window() {
    QCOMPARE(window_->objectName(), QString("frmKelvo"));
    QCOMPARE(window_->windowTitle(), QString("砕波の計算"));
    QCOMPARE(window_->size(), QSize(172, 442));
    QCOMPARE(window_->minimumSize(), QSize(172, 442));
    QCOMPARE(window_->maximumSize(), QSize(172, 442));
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window_->windowIcon().isNull());
    QCOMPARE(window_->windowIcon().pixmap(32, 32).size(), QSize(32, 32));

    QStringList names;
    for (QWidget* child : window_->findChildren<QWidget*>()) {
      if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_")) {
        names.append(child->objectName());
      }
    }
    QCOMPARE(names.size(), 36);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 36);
  }

  // The window's face is a Japanese one, and every tooltip can be drawn in it.
  void font() {
    const QFontInfo info(window_->font());
    QCOMPARE(info.family(), frmKelvo::sheetFont().family());
    QCOMPARE(info.pixelSize(), 12);
    const QFontMetrics metrics(window_->font());
    for (QWidget* child : window_->findChildren<QWidget*>()) {
      for (char32_t c : child->toolTip().toUcs4()) {
        QVERIFY2(metrics.inFontUcs4(c), qPrintable(child->objectName()));
      }
    }
  }

  // Tab walks the inputs in their row order, then the button and the depth,
  // and passes the result boxes by; focus starts in Text5.
  void tabOrder() {
    QCOMPARE(QApplication::focusWidget(), box("Text5"));
    const QStringList expected = {"Text1", "Text11", "Text12", "Command1", "Text2", "Text5"};
    for (const QString& next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    // The result boxes still sit in the focus chain in tab-index order, so
    // they fall in place should they ever take Tab stops.
    const QStringList chain = {"Text5",  "Text1", "Text11", "Text12", "Command1", "Text2",
                               "Text10", "Text9", "Text8",  "Text7",  "Text6",    "Text13",
                               "Text4",  "Text3", "Text14", "Text15", "Text16",   "Text17"};
    QStringList walked;
    QWidget* w = box("Text5");
    do {
      if (chain.contains(w->objectName())) walked.append(w->objectName());
      w = w->nextInFocusChain();
    } while (w != box("Text5"));
    QCOMPARE(walked, chain);
  }

  void startupTexts() {
    QCOMPARE(text("Text5"), QString("1"));
    QCOMPARE(text("Text1"), QString("10"));
    QCOMPARE(text("Text11"), QString("30"));
    QCOMPARE(text("Text12"), QString("60"));
    QCOMPARE(text("Text2"), QString(""));
    verifyResults(noResults());
  }

  // Results can be selected and copied but not typed over; the inputs can.
  void resultBoxesAreReadOnly() {
    const QColor menu = QApplication::palette("QMenu").color(QPalette::Window);
    for (const QString& name : kResultNames) {
      QLineEdit* result = box(name);
      QVERIFY2(result->isReadOnly(), qPrintable(name));
      QCOMPARE(result->palette().color(QPalette::Base), menu);
      QTest::mouseClick(result, Qt::LeftButton);
      QCOMPARE(QApplication::focusWidget(), result);
      QTest::keyClicks(result, "9");
      QCOMPARE(result->text(), QString("????"));
      result->selectAll();
      QCOMPARE(result->selectedText(), QString("????"));
    }
    for (const char* name : {"Text5", "Text1", "Text11", "Text12", "Text2"}) {
      QVERIFY2(!box(name)->isReadOnly(), qPrintable(name));
      QVERIFY(box(name)->palette().color(QPalette::Base) != menu);
    }
  }

  // The default inputs fill every result box and copy the breaking depth
  // into the empty depth box; the next press computes at that depth again.
  void pressWithDefaults() {
    press();
    verifyResults(defaultResults());
    QCOMPARE(text("Text2"), QString("2.07"));

    press();
    verifyResults(defaultResults());
    QCOMPARE(text("Text2"), QString("2.07"));
    QVERIFY(reported_.isEmpty());
  }

  // The copied depth stays after the inputs change: a steeper slope moves
  // the breaking point, but the results at depth are still for 2.07 m.
  void copiedDepthIsKept() {
    press();
    type("Text12", "30");
    press();
    QCOMPARE(text("Text2"), QString("2.07"));
    QVERIFY(text("Text4") != "2.07");

    saiha::sheet::Sheet reference;
    saiha::sheet::loadDefaults(reference);
    reference.setText(saiha::sheet::Box::Slope, "30");
    reference.setText(saiha::sheet::Box::Depth, "2.07");
    QVERIFY(saiha::sheet::calc(reference).ok());
    for (const QString& name : kResultNames) {
      QCOMPARE(text(name), QString::fromStdString(reference.text(
                               static_cast<saiha::sheet::Box>(name.mid(4).toInt() - 1))));
    }
    QVERIFY(reported_.isEmpty());
  }

  // A depth typed by the user is used as it stands.
  void typedDepth() {
    type("Text2", "10");
    press();
    QCOMPARE(text("Text13"), QString("92.38"));
    QCOMPARE(text("Text10"), QString("9.24"));
    QCOMPARE(text("Text17"), QString("17.21"));
    QCOMPARE(text("Text15"), QString("0.94"));
    QCOMPARE(text("Text4"), QString("2.07"));
    QCOMPARE(text("Text2"), QString("10"));
  }

  // A rejected input: the message reaches the user, the box concerned gets
  // the focus with its text selected, no earlier result stays on show, and
  // the window goes on working once the input is fixed.
  void rejectedInput_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("resultsKept");  // leading results written before the stop

    const QString slope = "海底勾配の分母には 0 より大きい数値を入力してください．";
    QTest::newRow("slope zero") << "Text12" << "0" << slope << 0;
    QTest::newRow("slope letters") << "Text12" << "abc" << slope << 0;
    QTest::newRow("slope empty") << "Text12" << "" << slope << 0;
    QTest::newRow("slope negative") << "Text12" << "-60" << slope << 0;
    QTest::newRow("period zero")
        << "Text1" << "0" << "周期T には 0 より大きい数値を入力してください．" << 0;
    QTest::newRow("height letters")
        << "Text5" << "x" << "波高Ho には 0 より大きい数値を入力してください．" << 0;
    QTest::newRow("angle 90")
        << "Text11" << "90" << "波向αo には -90 より大きく 90 より小さい数値を入力してください．"
        << 0;
    const QString depth = "水深には 0 より大きい数値を入力するか，空欄にしてください．";
    QTest::newRow("depth letters") << "Text2" << "abc" << depth << 4;
    QTest::newRow("depth blank") << "Text2" << " " << depth << 4;
    QTest::newRow("depth zero") << "Text2" << "0" << depth << 4;
  }

  void rejectedInput() {
    QFETCH(QString, boxName);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(int, resultsKept);

    press();  // earlier results, which must not survive the failed press
    const QString good = text(boxName);
    type(boxName, input);
    press();

    QCOMPARE(reported_, QStringList{message});
    QCOMPARE(QApplication::focusWidget(), box(boxName));
    QCOMPARE(box(boxName)->text(), input);
    QCOMPARE(box(boxName)->selectedText(), input);
    QStringList expected = noResults();
    for (int i = 0; i < resultsKept; ++i) expected[i] = defaultResults()[i];
    verifyResults(expected);

    reported_.clear();
    type(boxName, good);
    press();
    QVERIFY(reported_.isEmpty());
    verifyResults(defaultResults());
  }

  // Stopped after the breaking point: its four results and the untouched
  // depth text stay, everything at the depth shows "????".
  void stopAtTheDepth() {
    type("Text2", "abc");
    press();
    verifyResults({"1.71", "2.07", "0.82", "8.18", "????", "????", "????", "????", "????",
                   "????", "????", "????"});
    QCOMPARE(text("Text2"), QString("abc"));
    QCOMPARE(QApplication::focusWidget(), box("Text2"));
    QCOMPARE(reported_.size(), 1);
  }

  // Without an injected reporter the user gets a warning box titled with the
  // window's caption, and the window stays open.
  void warningBox() {
    auto plain = std::make_unique<frmKelvo>();
    plain->show();
    plain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(plain.get()));
    plain->findChild<QLineEdit*>("Text12")->setText("0");
    QTest::mouseClick(plain->findChild<QPushButton*>("Command1"), Qt::LeftButton);

    const QList<Seen> seen = watch_->take();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].className, QString("QMessageBox"));
    QCOMPARE(seen[0].title, QString("砕波の計算"));
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(seen[0].text, QString("海底勾配の分母には 0 より大きい数値を入力してください．"));
    QVERIFY(plain->isVisible());
    QCOMPARE(plain->focusWidget(), plain->findChild<QLineEdit*>("Text12"));
  }
};

QTEST_MAIN(FrmKelvoTest)
#include "frmkelvo_test.moc"
