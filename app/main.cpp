// saiha: opens the calculation window and runs until it is closed.
#include <QApplication>
#include <QToolTip>

#include "app/wiring.h"
#include "gui/style.h"
#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("saiha"));
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
