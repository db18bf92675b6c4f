// The profile window's page 構造物 driven through its boxes: the caisson's
// pressures, forces and safety factors are the engine's for the inputs
// typed, the diagram is drawn to scale, a factor below 1.2 is flagged, bad
// inputs say the catalogue's words; the design wave follows the other pages
// until a box is typed; the slope's runup, overtopping curve and armour are
// the engine's; the page's access keys are apart in both languages.
#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>
#include <charconv>
#include <cmath>
#include <memory>

#include "app/wiring.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/language.h"
#include "gui/profile/CaissonDiagram.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/profile/RandomView.h"
#include "gui/profile/StructureView.h"
#include "report/messages.h"
#include "report/structure_table.h"
#include "runtime/text.h"
#include "structure/armour.h"
#include "structure/caisson.h"
#include "structure/overtopping.h"

using saiha::profile::CaissonDiagram;
using saiha::profile::ProfileWindow;
using saiha::profile::StructureModel;
using saiha::profile::StructureView;
using saiha::report::Language;
using saiha::window::CalcWindow;
namespace shore = saiha::shore;
namespace structure = saiha::structure;

namespace {

// value/scale to `decimals` places, as an engineer reads it off the page.
QString fixed(double value, int decimals, double scale = 1) {
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value / scale, std::chars_format::fixed, decimals).ptr;
  return QString::fromLatin1(text, end - text);
}

// The composite breakwater of docs/structure.md.
structure::CaissonInput composite() {
  structure::CaissonInput in;
  in.Hmax = 10;
  in.H13 = 5.6;
  in.T = 12;
  in.h = 16;
  in.hPrime = 12;
  in.d = 9;
  in.hc = 5;
  in.B = 18;
  in.n = 50;
  in.beta = 20;
  in.berm = 10;
  return in;
}

}  // namespace

class StructureTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CalcWindow> calc_;

  void startCalc() {
    calc_ = std::make_unique<CalcWindow>();
    saiha::app::attachProfileWindow(*calc_);
    calc_->sheet().setReporter([](const QString&) {});
    calc_->show();
  }
  ProfileWindow* openWindow() {
    emit calc_->profileRequested();
    auto* profile = calc_->findChild<ProfileWindow*>();
    if (profile) profile->setReporter([](const QString& m) { QFAIL(qPrintable(m)); });
    return profile;
  }
  StructureView& page() {
    ProfileWindow* window = openWindow();
    window->pages().setCurrentWidget(&window->structureView());
    return window->structureView();
  }
  // Types `text` into the page's box `name`, as the user does.
  static void type(StructureView& view, const char* name, const QString& text) {
    QLineEdit* box = view.box(QString::fromLatin1(name));
    QVERIFY2(box, name);
    box->selectAll();
    QTest::keyClicks(box, text);
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
  }
  static void typeCaisson(StructureView& view, const structure::CaissonInput& in) {
    const auto s = [](double v) { return QString::fromStdString(saiha::rt::formatShortest(float(v))); };
    type(view, "Hmax", s(in.Hmax));
    type(view, "H13", s(in.H13));
    type(view, "T13", s(in.T));
    type(view, "site-h", s(in.h));
    type(view, "hPrime", s(in.hPrime));
    type(view, "d", s(in.d));
    type(view, "hc", s(in.hc));
    type(view, "B", s(in.B));
    type(view, "site-n", s(in.n));
    type(view, "beta", s(in.beta));
    type(view, "berm", s(in.berm));
    type(view, "mu", s(in.mu));
    type(view, "density", s(in.density));
  }
  void press() { QTest::mouseClick(calc_->findChild<QPushButton*>("Command1"), Qt::LeftButton); }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    QSettings().clear();
    saiha::gui::setLanguage(Language::Japanese);
    startCalc();
  }
  void cleanup() {
    calc_.reset();
    saiha::gui::setLanguage(Language::Japanese);
  }

  // Every number of the caisson the page shows is the engine's for the
  // boxes, with and without Takahashi's impulsive coefficient.
  void caissonShowsTheEngine_data() {
    QTest::addColumn<bool>("impulsive");
    QTest::newRow("Takahashi") << true;
    QTest::newRow("Goda's original") << false;
  }
  void caissonShowsTheEngine() {
    QFETCH(bool, impulsive);
    StructureView& view = page();
    structure::CaissonInput in = composite();
    in.impulsive = impulsive;
    typeCaisson(view, in);
    view.findChild<QCheckBox*>("impulsive")->setChecked(impulsive);
    QVERIFY(!view.following());
    const structure::CaissonResult r = structure::caisson(in);
    QVERIFY(r.ok());
    QCOMPARE(view.caissonError(), QString());
    QCOMPARE(view.caissonText(StructureModel::P1), "p1 = " + fixed(r.p1, 1, 1000) + " kPa");
    QCOMPARE(view.caissonText(StructureModel::P2), "p2 = " + fixed(r.p2, 1, 1000) + " kPa");
    QCOMPARE(view.caissonText(StructureModel::P3), "p3 = " + fixed(r.p3, 1, 1000) + " kPa");
    QCOMPARE(view.caissonText(StructureModel::P4), "p4 = " + fixed(r.p4, 1, 1000) + " kPa");
    QCOMPARE(view.caissonText(StructureModel::Pu), "pu = " + fixed(r.pu, 1, 1000) + " kPa");
    QCOMPARE(view.caissonText(StructureModel::EtaStar), "η* = " + fixed(r.eta_star, 2) + " m");
    QVERIFY(view.caissonText(StructureModel::Force).endsWith("P = " + fixed(r.P, 0, 1000) + " kN/m"));
    QVERIFY(view.caissonText(StructureModel::Uplift).endsWith("U = " + fixed(r.U, 0, 1000) + " kN/m"));
    QVERIFY(view.caissonText(StructureModel::MomentP).endsWith(fixed(r.Mp, 0, 1000) + " kN·m/m"));
    QVERIFY(view.caissonText(StructureModel::MomentU).endsWith(fixed(r.Mu, 0, 1000) + " kN·m/m"));
    QVERIFY(view.caissonText(StructureModel::Weight).endsWith(fixed(r.W, 0, 1000) + " kN/m"));
    QVERIFY(view.caissonText(StructureModel::Sliding).endsWith(" = " + fixed(r.SF_sliding, 2)));
    QVERIFY(view.caissonText(StructureModel::Overturning).endsWith(" = " + fixed(r.SF_overturning, 2)));
    QVERIFY(view.caissonText(StructureModel::Heel).contains(fixed(r.heel_pressure, 1, 1000) + " kPa"));
    QVERIFY(view.caissonText(StructureModel::Coefficients).contains("αI = " + fixed(r.alphaI, 3)));
    // The docs' worked numbers, as printed there.
    if (impulsive) {
      QCOMPARE(fixed(r.P, 0, 1000), QStringLiteral("1653"));
      QCOMPARE(fixed(r.SF_sliding, 2), QStringLiteral("1.26"));
    }
    QVERIFY(!view.flagged(StructureModel::Sliding));
    QVERIFY(view.diagram().hasSection());
  }

  // The diagram is to scale: lengths share one scale in both directions and
  // every pressure's arrow is in proportion to its pressure, at any size.
  void diagramToScale_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide") << QSize(700, 400);
    QTest::newRow("tall") << QSize(380, 600);
  }
  void diagramToScale() {
    QFETCH(QSize, size);
    StructureView& view = page();
    typeCaisson(view, composite());
    const structure::CaissonResult r = structure::caisson(composite());
    const CaissonDiagram::Layout l = view.diagram().layout(QRectF(QPointF(0, 0), QSizeF(size)));
    QVERIFY(l.pixelsPerMetre > 0 && l.pixelsPerPascal > 0);
    const auto length = [&](CaissonDiagram::Pressure p) { return l.arrows[p].length(); };
    const double perPascal = length(CaissonDiagram::P1) / r.p1;
    QVERIFY(std::abs(perPascal - l.pixelsPerPascal) < 1e-9 * l.pixelsPerPascal);
    for (const auto& [p, value] : {std::pair{CaissonDiagram::P2, r.p2}, std::pair{CaissonDiagram::P3, r.p3},
                                  std::pair{CaissonDiagram::P4, r.p4}, std::pair{CaissonDiagram::Pu, r.pu}}) {
      QVERIFY2(std::abs(length(p) - perPascal * value) < 1e-6 * length(CaissonDiagram::P1),
               qPrintable(QString::number(p)));
    }
    // η* above the still water, and the base h′ below it, in metres.
    QVERIFY(std::abs(length(CaissonDiagram::EtaStar) - l.pixelsPerMetre * r.eta_star) < 1e-6);
    QVERIFY(std::abs((l.arrows[CaissonDiagram::P3].p2().y() - l.origin.y()) - l.pixelsPerMetre * 12) < 1e-6);
    QVERIFY(std::abs((l.arrows[CaissonDiagram::P2].p2().y() - l.origin.y()) - l.pixelsPerMetre * 16) < 1e-6);
    // Everything drawn lies inside the area: the tails, η* and the uplift.
    const QRectF area(QPointF(0, 0), QSizeF(size));
    for (const QLineF& arrow : l.arrows) {
      QVERIFY(area.contains(arrow.p1()) && area.contains(arrow.p2()));
    }
    // p4 where η* is above the crest; none where the crest is above η*.
    QVERIFY(!l.arrows[CaissonDiagram::P4].isNull());
    type(view, "hc", "20");
    QVERIFY(view.diagram().layout(area).arrows[CaissonDiagram::P4].isNull());
  }

  // A factor below the 1.2 the design requires is flagged in the line, in
  // red, and said by the catalogue's warning; one above is not.
  void factorsBelowRequiredFlagged() {
    StructureView& view = page();
    structure::CaissonInput in = composite();
    in.mu = 0.5;
    typeCaisson(view, in);
    const structure::CaissonResult r = structure::caisson(in);
    QVERIFY(r.SF_sliding < 1.2f && r.SF_overturning >= 1.2f);
    QVERIFY(view.flagged(StructureModel::Sliding));
    QVERIFY(!view.flagged(StructureModel::Overturning));
    QVERIFY2(view.caissonText(StructureModel::Sliding).contains("1.2"),
             qPrintable(view.caissonText(StructureModel::Sliding)));
    const QString warning = QString::fromStdString(saiha::report::warningText(
        shore::Warnings{std::uint32_t(shore::Warning::SlidingBelowRequired)}, Language::Japanese));
    QVERIFY(!warning.isEmpty());
    QVERIFY2(view.caissonNote().contains(warning), qPrintable(view.caissonNote()));
    type(view, "mu", "0.6");
    QVERIFY(!view.flagged(StructureModel::Sliding));
    QVERIFY(!view.caissonNote().contains(warning));
    // A light caisson tips over too.
    type(view, "density", "1500");
    QVERIFY(view.flagged(StructureModel::Overturning));
  }

  // A bad input is the catalogue's error with the values typed; nothing is
  // drawn and no result is left from before.
  void badInputsSaid_data() {
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("d above h′") << QByteArray("d") << "13" << int(shore::Error::DepthOrder);
    QTest::newRow("h′ below h") << QByteArray("hPrime") << "17" << int(shore::Error::DepthOrder);
    QTest::newRow("negative width") << QByteArray("B") << "-1" << int(shore::Error::InvalidStructureWidth);
    QTest::newRow("Hmax above 2h") << QByteArray("Hmax") << "33" << int(shore::Error::HeightAboveDepthLimit);
    QTest::newRow("empty period") << QByteArray("T13") << "" << int(shore::Error::InvalidDesignPeriod);
    QTest::newRow("H1/3 above Hmax") << QByteArray("H13") << "11" << int(shore::Error::HeightOrder);
  }
  void badInputsSaid() {
    QFETCH(QByteArray, box);
    QFETCH(QString, text);
    QFETCH(int, error);
    StructureView& view = page();
    typeCaisson(view, composite());
    type(view, box.constData(), text);
    const QString message =
        QString::fromStdString(saiha::report::errorText(shore::Error(error), Language::Japanese));
    QVERIFY2(view.caissonError().contains(message), qPrintable(view.caissonError()));
    QVERIFY(view.caissonText(StructureModel::P1).isEmpty());
    QVERIFY(!view.diagram().hasSection());
  }

  // The slope follows the calculation window's 1/n and the wave Goda's
  // design wave for the random-wave page's sea at the page's own depth,
  // until a wave box is typed; ticking the box again brings them back.
  void followsTheOtherPages() {
    calc_->findChild<QLineEdit*>("Text5")->setText("3");   // Ho
    calc_->findChild<QLineEdit*>("Text12")->setText("40");  // 1/n
    press();
    StructureView& view = page();
    QVERIFY(view.following());
    type(view, "site-h", "12");
    QVERIFY(view.following());  // the depth is the page's own
    QCOMPARE(view.box("site-n")->text(), QStringLiteral("40"));
    ProfileWindow* window = calc_->findChild<ProfileWindow*>();
    const QString H0p = window->randomView().heightText(), T13 = window->randomView().periodText();
    QCOMPARE(H0p, QStringLiteral("3"));
    const structure::DesignWave w = structure::designWave(3, T13.toDouble(), 40, 12);
    QVERIFY(w.ok());
    // To the millimetre, as a height is typed.
    const auto s = [](double v) {
      QString text = fixed(v, 3);
      while (text.endsWith('0')) text.chop(1);
      if (text.endsWith('.')) text.chop(1);
      return text;
    };
    QCOMPARE(view.box("Hmax")->text(), s(w.Hmax));
    QCOMPARE(view.box("H13")->text(), s(w.H13));
    QCOMPARE(view.box("T13")->text(), s(w.T));
    QCOMPARE(view.box("slope-Hm0")->text(), s(w.H13_h));
    QCOMPARE(view.box("slope-Tm10")->text(), s(double(w.T) / 1.1));
    QVERIFY(view.designText().contains(saiha::profile::StructureModel::fixed(w.Hmax, 2)));
    // The random-wave page's sea, typed there, is the design wave's.
    QLineEdit* H0pBox = window->randomView().findChild<QLineEdit*>("H0p");
    H0pBox->selectAll();
    QTest::keyClicks(H0pBox, "2");
    QCOMPARE(view.box("Hmax")->text(), s(structure::designWave(2, T13.toDouble(), 40, 12).Hmax));
    // Typing in a wave box: it keeps its text when the other pages change.
    type(view, "Hmax", "4.5");
    QVERIFY(!view.following());
    calc_->findChild<QLineEdit*>("Text12")->setText("30");
    press();
    QCOMPARE(view.box("Hmax")->text(), QStringLiteral("4.5"));
    QCOMPARE(view.box("site-n")->text(), QStringLiteral("40"));
    view.setFollowing(true);
    QCOMPARE(view.box("site-n")->text(), QStringLiteral("30"));
    QCOMPARE(view.box("Hmax")->text(), s(structure::designWave(2, T13.toDouble(), 30, 12).Hmax));
    // The boxes are kept for the next window.
    view.setFollowing(false);
    type(view, "B", "21");
    calc_.reset();
    startCalc();
    QCOMPARE(page().box("B")->text(), QStringLiteral("21"));
    QCOMPARE(page().box("site-h")->text(), QStringLiteral("12"));
    QVERIFY(!page().following());
  }

  // The slope's runup, discharge and armour are the engine's; every point
  // of the curve is the engine's q at its freeboard, and the crest chosen is
  // marked at its own q.
  void slopeShowsTheEngine() {
    StructureView& view = page();
    view.sections().setCurrentIndex(1);
    view.setFollowing(false);
    type(view, "slope-Hm0", "2");
    type(view, "slope-Tm10", "6");
    type(view, "slope-Rc", "3");
    type(view, "slope-cotAlpha", "3");
    type(view, "site-h", "8");
    structure::OvertoppingInput in;
    in.Hm0 = 2;
    in.Tm10 = 6;
    in.Rc = 3;
    in.cotAlpha = 3;
    in.h = 8;
    const structure::OvertoppingResult q = structure::overtopping(in);
    QVERIFY(q.ok());
    QVERIFY2(view.slopeText(StructureModel::Discharge).contains(fixed(double(q.q) * 1000, 1) + " l/s/m"),
             qPrintable(view.slopeText(StructureModel::Discharge)));
    structure::RunupInput ru;
    ru.Hm0 = 2;
    ru.Tm10 = 6;
    ru.cotAlpha = 3;
    ru.h = 8;
    QVERIFY(view.slopeText(StructureModel::Runup).contains("= " + fixed(structure::runup(ru).Ru2, 2) + " m"));
    QVERIFY(view.slopeText(StructureModel::RegimeLine).contains(StructureModel::regimeName(q.regime)));
    QVERIFY(view.slopeText(StructureModel::ApproachLine).contains(StructureModel::approachName(0)));
    const QList<QPointF> points = view.dischargeSeries().points();
    QVERIFY(points.size() > 20);
    double last = INFINITY;
    for (const QPointF& p : points) {
      structure::OvertoppingInput at = in;
      at.Rc = p.x();
      QCOMPARE(p.y(), double(structure::overtopping(at).q) * 1000);
      QVERIFY(p.y() <= last);  // q falls as the crest rises
      last = p.y();
    }
    const auto* crest = view.findChild<QChartView*>("dischargeChart")->chart()->series().at(2);
    QCOMPARE(static_cast<const QXYSeries*>(crest)->points().value(0), QPointF(3, double(q.q) * 1000));

    // Van Gent et al. (2003) armour for the same wave on the slope.
    structure::ArmourInput a;
    a.method = structure::ArmourMethod::VanGent2003;
    a.Hs = 2;
    a.T = 6;
    a.cotAlpha = 3;
    a.h = 8;
    type(view, "slope-armourT", "6");
    const structure::ArmourResult armour = structure::armour(a);
    QVERIFY(armour.ok());
    QVERIFY(view.armourText(StructureModel::Dn50).endsWith("= " + fixed(armour.Dn50, 2) + " m"));
    QVERIFY(view.armourText(StructureModel::M50).contains(fixed(armour.M50, 0) + " kg"));

    // The mean-value approach gives less, and says so.
    view.findChild<QComboBox*>("slope-approach")->setCurrentIndex(1);
    in.approach = structure::Approach::Mean;
    const structure::OvertoppingResult mean = structure::overtopping(in);
    QVERIFY(mean.q < q.q);
    QVERIFY(view.slopeText(StructureModel::Discharge).contains(fixed(double(mean.q) * 1000, 1)));
    QVERIFY(view.slopeText(StructureModel::ApproachLine).contains(StructureModel::approachName(1)));

    // A crest below the water is the catalogue's error; a very high one
    // negligible, not a number.
    type(view, "slope-Rc", "-1");
    QVERIFY(view.slopeError().contains(
        QString::fromStdString(saiha::report::errorText(shore::Error::NegativeFreeboard))));
    QVERIFY(view.dischargeSeries().points().isEmpty());
    type(view, "slope-Rc", "12");
    QVERIFY2(view.slopeText(StructureModel::Discharge)
                 .contains(QString::fromUtf8(saiha::report::kNegligibleDischargeText.ja.data(), qsizetype(saiha::report::kNegligibleDischargeText.ja.size()))),
             qPrintable(view.slopeText(StructureModel::Discharge)));
  }

  // Each Alt key of the page reaches one widget, the model panel's and the
  // menus' apart, on either section and in both languages.
  void mnemonicsApart() {
    for (const Language language : {Language::Japanese, Language::English}) {
      for (int section = 0; section < 2; ++section) {
        calc_.reset();
        saiha::gui::setLanguage(language);
        startCalc();
        StructureView& view = page();
        view.sections().setCurrentIndex(section);
        ProfileWindow* window = calc_->findChild<ProfileWindow*>();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QMap<QChar, QString> taken;
        for (const QString& menu : {QStringLiteral("F"), QStringLiteral("E"), QStringLiteral("V"),
                                    QStringLiteral("H")}) {
          taken.insert(menu.at(0).toLower(), QStringLiteral("menu ") + menu);
        }
        const QRegularExpression mnemonic(QStringLiteral("&([^&])"));
        const auto take = [&](const QString& text, const QWidget* widget) {
          const QRegularExpressionMatch m = mnemonic.match(text);
          if (!m.hasMatch() || !widget->isVisibleTo(window)) return;
          const QChar key = m.captured(1).at(0).toLower();
          QVERIFY2(!taken.contains(key), qPrintable(text + " and " + taken.value(key)));
          taken.insert(key, text);
        };
        for (const QLabel* label : window->findChildren<QLabel*>()) {
          if (label->buddy()) take(label->text(), label->buddy());
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
          take(button->text(), button);
        }
        QVERIFY(taken.size() >= 16);  // the menus, the page's top row and a section's ten boxes
      }
    }
  }

  // In English the page holds no Japanese: labels, tooltips, lists, tabs,
  // messages, the chart and the diagram's labels.
  void englishPage() {
    calc_.reset();
    saiha::gui::setLanguage(Language::English);
    startCalc();
    StructureView& view = page();
    const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    QStringList texts;
    const auto collect = [&] {
      texts << calc_->findChild<ProfileWindow*>()->pages().tabText(2);
      for (int i = 0; i < view.sections().count(); ++i) texts << view.sections().tabText(i);
      for (const QLabel* label : view.findChildren<QLabel*>()) texts << label->text() << label->toolTip();
      for (const QWidget* w : view.findChildren<QWidget*>()) texts << w->toolTip();
      for (const QAbstractButton* b : view.findChildren<QAbstractButton*>()) texts << b->text();
      for (const QComboBox* combo : view.findChildren<QComboBox*>()) {
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
      }
      const QChart* chart = view.dischargeChart().chart();
      for (const QAbstractAxis* axis : chart->axes()) texts << axis->titleText();
      for (const QAbstractSeries* series : chart->series()) texts << series->name();
      texts << view.reportHtml("a", "b");
    };
    typeCaisson(view, composite());
    type(view, "mu", "0.5");
    collect();
    type(view, "d", "13");
    type(view, "slope-Rc", "-1");
    view.findChild<QComboBox*>("slope-armour")->setCurrentIndex(1);
    collect();
    for (const QString& text : texts) QVERIFY2(!text.contains(japanese), qPrintable(text));
    QVERIFY(view.caissonError().startsWith("Cannot compute: "));
  }
};

QTEST_MAIN(StructureTest)
#include "structure_test.moc"
