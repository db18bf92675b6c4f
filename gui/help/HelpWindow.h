// The help window: the program's own pages, in the windows' language,
// shown in a QTextBrowser.  The pages are Qt resources under
// :/help/<language>/<page>.html (index, calculation, profile, models).
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "report/language.h"

class QAction;
class QMenu;
class QMenuBar;
class QTextBrowser;
class QToolButton;

namespace saiha::help {

class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  // A window of its own; closed with `parent`.
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `page` ("calculation", or "profile#models" for a section) in the
  // windows' language, and brings the window up.  An unknown page shows
  // the contents.
  void showPage(const QString& page);
  // The page shown now, without its section: "calculation".
  QString page() const;
  QTextBrowser& browser() const { return *browser_; }

  // The resource of `page` ("models#random") in `language`.
  static QUrl pageUrl(report::Language language, const QString& page);
  // The names of every page.
  static QStringList pages();

 protected:
  // QEvent::LanguageChange: the same page again, in the new language.
  void changeEvent(QEvent* event) override;

 private:
  void retranslate();

  QTextBrowser* browser_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QToolButton* home_ = nullptr;
};

// Adds ヘルプ(&H)... (F1) to `menu`, before `before` when given: it shows
// the help window that `help` returns at `page`.  Its text follows the
// language of `menu`.
QAction* addHelpAction(QMenu* menu, const QString& page, std::function<HelpWindow&()> help,
                       QAction* before = nullptr);

// Adds a menu ヘルプ(&H) at the end of `bar`, its title following the
// language.
QMenu* addHelpMenu(QMenuBar* bar);

}  // namespace saiha::help
