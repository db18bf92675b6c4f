#include "gui/calc/CalcWindow.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>

#include "gui/calc/frmKelvo.h"
#include "saiha/version.h"

namespace saiha::window {

CalcWindow::CalcWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("CalcWindow"));
  setWindowTitle(frmKelvo::caption());
  sheet_ = new frmKelvo;
  setWindowIcon(sheet_->windowIcon());
  setFont(frmKelvo::sheetFont());
  // Reparenting makes the sheet a plain child; its fixed size stays.
  setCentralWidget(sheet_);
  // Like the sheet: neither resizable nor maximisable.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  buildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // The sheet set its focus before it was hosted; set it again in this window.
  if (auto* height = sheet_->findChild<QLineEdit*>(QStringLiteral("Text5"))) {
    height->setFocus(Qt::OtherFocusReason);
  }
}

QString CalcWindow::version() { return QStringLiteral(SAIHA_VERSION); }

QString CalcWindow::aboutText() {
  return tr("%1\nバージョン %2").arg(frmKelvo::caption(), version());
}

void CalcWindow::buildMenus() {
  // The sheet is 172 pixels wide: the three menu titles go without the
  // bracketed access keys so that all of them fit the bar.
  QMenu* file = menuBar()->addMenu(tr("ファイル"));
  QAction* quit = file->addAction(tr("終了(&X)"), this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);

  QMenu* view = menuBar()->addMenu(tr("表示"));
  profileAction_ =
      view->addAction(tr("断面図(&G)"), this, &CalcWindow::profileRequested);
  profileAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  // The shortcut works from any box of the sheet, whichever has the focus.
  profileAction_->setShortcutContext(Qt::WindowShortcut);

  QMenu* help = menuBar()->addMenu(tr("ヘルプ"));
  help->addAction(tr("バージョン情報(&A)"), this, [this] {
    QMessageBox::about(this, tr("バージョン情報"), aboutText());
  });
}

}  // namespace saiha::window
