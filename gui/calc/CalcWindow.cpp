#include "gui/calc/CalcWindow.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>

#include "gui/calc/frmKelvo.h"
#include "gui/language.h"
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
  // The sources of every formula the program evaluates, as a reader would
  // look them up.
  return tr("%1\nバージョン %2").arg(frmKelvo::caption(), version()) + QStringLiteral("\n\n") +
         tr("MIT ライセンス") + QStringLiteral("\n\n") + tr("参考文献") +
         QStringLiteral(
             "\n"
             "Goda, Y. (1970): A synthesis of breaker indices. Trans. JSCE 2(2), 227–230.\n"
             "Goda, Y. (2010): Reanalysis of regular and random breaking wave statistics. "
             "Coastal Eng. J. 52(1), 71–106.\n"
             "Shuto, N. (1974): Nonlinear long waves in a channel of variable section. "
             "Coastal Eng. in Japan 17, 1–12.\n"
             "McCowan, J. (1894): On the highest wave of permanent type. "
             "Phil. Mag. 38, 351–358.\n"
             "Kamphuis, J. W. (1991): Incipient wave breaking. Coastal Eng. 15, 185–203.\n"
             "Miche, R. (1944): Mouvements ondulatoires de la mer en profondeur constante ou "
             "décroissante. Ann. Ponts et Chaussées 114.\n"
             "Komar, P. D. and Gaughan, M. K. (1972): Airy wave theory and breaker height "
             "prediction. Proc. 13th ICCE, 405–418.\n"
             "Weggel, J. R. (1972): Maximum breaker height. J. Waterways, Harbors and Coastal "
             "Eng. Div. 98(WW4), 529–548.\n"
             "CERC (1984): Shore Protection Manual, 4th ed. U.S. Army Corps of Engineers "
             "(longshore transport, CERC formula).");
}

void CalcWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    retranslate();
    emit languageChanged();
  }
  QMainWindow::changeEvent(event);
}

void CalcWindow::buildMenus() {
  // The sheet is 172 pixels wide: the three menu titles go without the
  // bracketed access keys so that all of them fit the bar.
  // Texts are set in retranslate, here and at each change of language.
  file_ = menuBar()->addMenu(QString());
  quit_ = file_->addAction(QString(), this, &QWidget::close);
  quit_->setShortcut(QKeySequence::Quit);

  view_ = menuBar()->addMenu(QString());
  profileAction_ = view_->addAction(QString(), this, &CalcWindow::profileRequested);
  profileAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  // The shortcut works from any box of the sheet, whichever has the focus.
  profileAction_->setShortcutContext(Qt::WindowShortcut);
  view_->addSeparator();
  gui::addLanguageMenu(view_);

  help_ = menuBar()->addMenu(QString());
  about_ = help_->addAction(QString(), this, [this] {
    QMessageBox::about(this, tr("バージョン情報"), aboutText());
  });
  retranslate();
}

void CalcWindow::retranslate() {
  // The program's name first: the window manager shows it after each
  // window's title, and a title set before it would keep the old language's.
  gui::setDisplayName(frmKelvo::caption());
  setWindowTitle(frmKelvo::caption());
  file_->setTitle(tr("ファイル"));
  quit_->setText(tr("終了(&X)"));
  view_->setTitle(tr("表示"));
  profileAction_->setText(tr("断面図(&G)"));
  help_->setTitle(tr("ヘルプ"));
  about_->setText(tr("バージョン情報(&A)"));
}

}  // namespace saiha::window
