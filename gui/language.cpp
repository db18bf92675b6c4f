#include "gui/language.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QScreen>
#include <QWindow>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QTranslator>
#include <algorithm>

namespace saiha::gui {

namespace {

const QString kSettingKey = QStringLiteral("language");
const QString kTranslatorName = QStringLiteral("saiha_translator");

std::optional<report::Language> named(const QString& name) {
  return report::languageNamed(name.trimmed().toStdString());
}

// A translator owned by the application, known by its object name so that
// the next switch finds and removes it.
bool install(const QString& file, const QString& directory) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  translator->setObjectName(kTranslatorName);
  if (!translator->load(file, directory)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace

report::Language language() {
  // The English translation renders this marker as "en"; untranslated it
  // stays "ja".
  return QCoreApplication::translate("saiha::gui::Language", "ja") == QLatin1String("en")
             ? report::Language::English
             : report::Language::Japanese;
}

bool setLanguage(report::Language language) {
  for (QTranslator* old :
       QCoreApplication::instance()->findChildren<QTranslator*>(kTranslatorName)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  if (language == report::Language::English) {
    return install(QStringLiteral("saiha_en"), QStringLiteral(":/i18n"));
  }
  // The windows' own texts are Japanese already; Qt's dialogs need theirs.
  const bool loaded =
      install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  // No translator changed above when qtbase_ja is missing: tell the windows
  // anyway, as they may be coming back from English.
  if (!loaded) {
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
  }
  return loaded;
}

report::Language startLanguage(const QStringList& arguments, QString* warning) {
  const auto skip = [warning](const QString& where, const QString& name) {
    if (warning) {
      *warning = QStringLiteral("%1: unknown language \"%2\" (ja or en)").arg(where, name);
    }
  };
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString name;
    if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size()) {
      name = arguments[i + 1];
    } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
      name = arguments[i].mid(7);
    } else {
      continue;
    }
    if (const auto chosen = named(name)) return *chosen;
    skip(QStringLiteral("--lang"), name);
  }
  const QString environment = qEnvironmentVariable("SAIHA_LANG");
  if (!environment.isEmpty()) {
    if (const auto chosen = named(environment)) return *chosen;
    skip(QStringLiteral("SAIHA_LANG"), environment);
  }
  return named(QSettings().value(kSettingKey).toString()).value_or(report::Language::Japanese);
}

void setDisplayName(const QString& name) {
  QGuiApplication::setApplicationDisplayName(name);
  // A platform window formats "title — display name" when its title is
  // set; setting the same title again formats it with the new name.
  for (QWindow* window : QGuiApplication::topLevelWindows()) window->setTitle(window->title());
}

void fitFileDialog(QFileDialog& dialog) {
  // Wide enough for a long file name beside the size, type and date
  // columns, in the dialog's own font.
  const QFontMetrics metrics(dialog.font());
  QSize size(std::max(860, 110 * metrics.averageCharWidth()), std::max(520, 28 * metrics.height()));
  if (const QScreen* screen = dialog.screen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  }
  dialog.resize(size);
}

QMenu* addLanguageMenu(QMenu* menu) {
  // Named in both languages, so that it is found whichever is showing.
  QMenu* languages = menu->addMenu(QStringLiteral("言語 / Language"));
  languages->setObjectName(QStringLiteral("languageMenu"));
  auto* group = new QActionGroup(languages);
  const struct {
    report::Language language;
    QString name;
  } choices[] = {{report::Language::Japanese, QStringLiteral("日本語")},
                 {report::Language::English, QStringLiteral("English")}};
  for (const auto& choice : choices) {
    QAction* action = languages->addAction(choice.name);
    action->setObjectName(QStringLiteral("language_") +
                          QString::fromLatin1(report::languageCode(choice.language)));
    action->setCheckable(true);
    action->setChecked(language() == choice.language);
    group->addAction(action);
    const report::Language chosen = choice.language;
    // Queued: the windows retranslate (the profile window is made anew)
    // once the menu has closed, not from inside its own signal.
    QObject::connect(
        action, &QAction::triggered, QCoreApplication::instance(),
        [chosen] {
          QSettings().setValue(kSettingKey, QString::fromLatin1(report::languageCode(chosen)));
          if (language() != chosen) setLanguage(chosen);
        },
        Qt::QueuedConnection);
  }
  // The other window's menu may have changed the language since.
  QObject::connect(languages, &QMenu::aboutToShow, languages, [languages] {
    for (QAction* action : languages->actions()) {
      action->setChecked(action->objectName().endsWith(
          QString::fromLatin1(report::languageCode(language()))));
    }
  });
  return languages;
}

}  // namespace saiha::gui
