#include "app/wiring.h"

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
}

}  // namespace saiha::app
