// The language of the windows: Qt's translators for it, the choice from the
// command line, SAIHA_LANG or the saved setting, and the 言語 / Language
// menu that changes it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "report/language.h"

class QFileDialog;
class QMenu;
class QWidget;

namespace saiha::gui {

// The language the windows show now: English while the English translation
// is installed, Japanese otherwise.  Texts from report/ take it as their
// language argument.
report::Language language();

// Installs the translators for `language` in the application, replacing the
// previous ones: the program's English, or Qt's own Japanese (qtbase_ja) so
// that file and message dialogs speak the windows' language.  Every widget
// receives QEvent::LanguageChange.  False when a translation could not be
// loaded (the texts it would have translated stay as they are).
bool setLanguage(report::Language language);

// The language to start in: "--lang xx" or "--lang=xx" among `arguments`,
// else SAIHA_LANG, else the language last chosen in the menu, else Japanese.
// An unknown name is skipped with a warning in `warning`.
report::Language startLanguage(const QStringList& arguments, QString* warning = nullptr);

// Sets the application's display name, which window managers show after
// each window's own title, and gives every open window its title again so
// that none keeps the name of the previous language beside a new title.
void setDisplayName(const QString& name);

// Gives a file dialog room for its name, size, type and date columns, up to
// the screen's available size.
void fitFileDialog(QFileDialog& dialog);

// Adds the 言語 / Language submenu to `menu`: one checkable entry per
// language, named in its own language.  Choosing one switches the program
// to it and saves the choice for the next start.
QMenu* addLanguageMenu(QMenu* menu);

}  // namespace saiha::gui
