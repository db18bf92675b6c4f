// Time from a press of 計算 to the profile window drawn again: the
// calculation, the profile, the chart and the table updated, and the whole
// window painted (QWidget::grab).  Runs offscreen; prints milliseconds per
// redraw.
//
// With --all-models every breaker limit and shoaling rule of the model panel
// is checked: ten curves and their comparison rows on each redraw.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/saiha-repaint-bench [PRESSES] [--all-models]
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <algorithm>
#include <vector>

#include "gui/profile/ModelPanel.h"
#include "app/wiring.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  const bool allModels = args.contains(QStringLiteral("--all-models"));
  const int presses = args.size() > 1 && args[1] != QStringLiteral("--all-models")
                          ? std::max(1, args[1].toInt())
                          : 50;

  saiha::window::CalcWindow calc;
  saiha::app::attachProfileWindow(calc);
  calc.show();
  emit calc.profileRequested();
  auto* profile = calc.findChild<saiha::profile::ProfileWindow*>();
  auto* height = calc.findChild<QLineEdit*>(QStringLiteral("Text5"));
  auto* button = calc.findChild<QPushButton*>(QStringLiteral("Command1"));
  if (allModels) {
    for (QCheckBox* box : profile->modelPanel().findChildren<QCheckBox*>()) box->setChecked(true);
  }
  QApplication::processEvents();
  (void)profile->grab();  // first paint: fonts and caches
  if (qEnvironmentVariableIsSet("SAIHA_GRAB")) profile->grab().save(qEnvironmentVariable("SAIHA_GRAB"));

  std::vector<double> ms, updateMs;
  QElapsedTimer timer;
  for (int i = 0; i < presses; ++i) {
    // Alternate the height so that every press draws a different curve.
    height->setText(i % 2 ? QStringLiteral("1") : QStringLiteral("1.5"));
    timer.start();
    button->click();
    QApplication::processEvents();
    updateMs.push_back(double(timer.nsecsElapsed()) * 1e-6);
    (void)profile->grab();
    ms.push_back(double(timer.nsecsElapsed()) * 1e-6);
  }
  const auto report = [presses](const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (double v : values) sum += v;
    QTextStream(stdout) << what << ": mean " << sum / double(values.size()) << " ms, median "
                        << values[values.size() / 2] << " ms, max " << values.back() << " ms ("
                        << presses << " presses)\n";
  };
  report("press to window painted", ms);
  report("  of which calculation, chart and table updated", updateMs);
  QTextStream(stdout) << (allModels ? "every model checked\n" : "the calculation window's model\n");
  return 0;
}
