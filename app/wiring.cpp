#include "app/wiring.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "gui/calc/CalcWindow.h"
#include "gui/calc/frmKelvo.h"
#include "gui/help/HelpWindow.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/profile/Report.h"
#include "gui/profile/Workbench.h"

namespace saiha::app {

namespace {

using help::HelpWindow;
using profile::ProfileWindow;
using profile::Workbench;

// The help window of `calc`, made on first use as a window of its own that
// closes with the calculation window; both windows' F1 show it.
HelpWindow& helpOf(window::CalcWindow& calc) {
  if (auto* help = calc.findChild<HelpWindow*>()) return *help;
  return *new HelpWindow(&calc);
}

// The profile window of `calc`, made hidden on first use (and after a change
// of language) as a top-level window of its own, closed with the
// calculation window: it follows each press of 計算 and carries the case
// and copy entries in its menus.
ProfileWindow& profileOf(window::CalcWindow& calc, Workbench& bench) {
  if (auto* profile = calc.findChild<ProfileWindow*>()) return *profile;
  auto* profile = new ProfileWindow(calc.sheet(), &calc);
  QObject::connect(&calc.sheet(), &window::frmKelvo::calculated, profile, [profile] {
    if (profile->isVisible()) profile->refresh();
  });
  QMenu* file = profile->fileMenu();
  bench.addCaseActions(file, file->actions().value(0));
  bench.addCopyAction(profile->editMenu());
  // The report, in its own group above 閉じる.
  QAction* closeGroup = nullptr;
  for (QAction* action : file->actions()) {
    if (action->isSeparator()) closeGroup = action;
  }
  profile::addReportActions(file, closeGroup, *profile, calc.sheet());
  file->insertSeparator(profile->findChild<QAction*>(QStringLiteral("printReport")));
  // F1 here opens the page about the profile and its models.
  help::addHelpAction(help::addHelpMenu(profile->menuBar()), QStringLiteral("profile"),
                      [&calc]() -> HelpWindow& { return helpOf(calc); });
  return *profile;
}

Workbench& workbenchOf(window::CalcWindow& calc) {
  return *calc.findChild<Workbench*>(QStringLiteral("workbench"), Qt::FindDirectChildrenOnly);
}

}  // namespace

void attachProfileWindow(window::CalcWindow& calc) {
  // Cases and copies, in both windows' menus.  The calculation window's bar
  // has room for its three menus only: 結果をコピー goes under its ファイル.
  auto* bench = new Workbench(
      calc.sheet(), [&calc]() -> ProfileWindow& { return profileOf(calc, workbenchOf(calc)); },
      &calc);
  bench->setObjectName(QStringLiteral("workbench"));
  bench->addCaseActions(calc.fileMenu(), calc.quitAction());
  bench->addCopyAction(calc.fileMenu(), calc.quitAction());
  calc.fileMenu()->insertSeparator(calc.quitAction());
  QObject::connect(&calc, &window::CalcWindow::languageChanged, bench, &Workbench::retranslate);

  // F1 here opens the page about the calculation's quantities.
  help::addHelpAction(calc.helpMenu(), QStringLiteral("calculation"),
                      [&calc]() -> HelpWindow& { return helpOf(calc); }, calc.aboutAction());
  calc.helpMenu()->insertSeparator(calc.aboutAction());

  QObject::connect(&calc, &window::CalcWindow::profileRequested, &calc, [&calc] {
    ProfileWindow& profile = profileOf(calc, workbenchOf(calc));
    profile.show();
    profile.raise();
    profile.activateWindow();
  });
  // A new language: the profile window is made again in it (it keeps its
  // settings and the choices it showed, such as a case's random-wave boxes),
  // shown again if it was open.
  // Queued: not from inside the calculation window's own event.
  QObject::connect(
      &calc, &window::CalcWindow::languageChanged, &calc,
      [&calc] {
        auto* profile = calc.findChild<ProfileWindow*>();
        if (!profile) return;
        const bool shown = profile->isVisible();
        const profile::ProfileChoices choices = profile->choices();
        delete profile;
        profileOf(calc, workbenchOf(calc)).setChoices(choices);
        if (shown) emit calc.profileRequested();
      },
      Qt::QueuedConnection);
}

}  // namespace saiha::app
