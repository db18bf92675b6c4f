// saiha: opens the calculation window and runs until it is closed.  --help,
// --version and a missing display end it before any window is made.
#include <QApplication>
#include <QToolTip>
#include <QtGlobal>
#include <memory>

#include "app/command_line.h"
#include "app/wiring.h"
#include "gui/language.h"
#include "gui/style.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"

int main(int argc, char* argv[]) {
  const saiha::app::CommandLine commandLine = saiha::app::readCommandLine(argc, argv);
  if (commandLine.exitCode) return *commandLine.exitCode;
  auto guard = std::make_unique<saiha::app::DisplayGuard>();
  QApplication app(argc, argv);
  guard.reset();
  QApplication::setOrganizationName(QStringLiteral("saiha"));
  QApplication::setApplicationName(QStringLiteral("saiha"));
  // Japanese unless --lang, SAIHA_LANG or the 言語 / Language menu last time
  // said otherwise.
  QString warning;
  saiha::gui::setLanguage(saiha::gui::startLanguage(commandLine.languageArguments, &warning));
  if (!warning.isEmpty()) qWarning().noquote() << warning;
  QApplication::setApplicationDisplayName(saiha::window::frmKelvo::caption());
  QApplication::setDesktopFileName(QStringLiteral("saiha"));

  // Tooltips and message boxes are windows of their own and do not take the
  // window's font; give them the same Japanese typeface at the desktop's size.
  QFont font = QApplication::font();
  font.setFamily(saiha::gui::sheetFont().family());
  QApplication::setFont(font);
  QToolTip::setFont(font);

  // The calculation window under its menu bar; 表示 → 断面図 (Ctrl+G) opens
  // the profile window, which follows each press of 計算.
  saiha::window::CalcWindow window;
  saiha::app::attachProfileWindow(window);
  QApplication::setWindowIcon(window.windowIcon());
  window.show();
  return QApplication::exec();
}
