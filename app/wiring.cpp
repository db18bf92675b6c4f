#include "app/wiring.h"

#include <QApplication>

#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/profile/ProfileWindow.h"

namespace saiha::app {

void attachProfileWindow(window::CalcWindow& calc) {
  using profile::ProfileWindow;
  QObject::connect(&calc, &window::CalcWindow::profileRequested, &calc, [&calc] {
    auto* profile = calc.findChild<ProfileWindow*>();
    if (!profile) {
      // A top-level window of its own, closed with the calculation window.
      profile = new ProfileWindow(calc.sheet(), &calc);
      QObject::connect(&calc.sheet(), &window::frmKelvo::calculated, profile, [profile] {
        if (profile->isVisible()) profile->refresh();
      });
    }
    profile->show();
    profile->raise();
    profile->activateWindow();
  });
  // A new language: the profile window is made again in it (it keeps its
  // settings), shown again if it was open.
  // Queued: not from inside the calculation window's own event.
  QObject::connect(
      &calc, &window::CalcWindow::languageChanged, &calc, [&calc] {
    QApplication::setApplicationDisplayName(window::frmKelvo::caption());
    auto* profile = calc.findChild<ProfileWindow*>();
    if (!profile) return;
    const bool shown = profile->isVisible();
    delete profile;
    if (shown) emit calc.profileRequested();
      },
      Qt::QueuedConnection);
}

}  // namespace saiha::app
