#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "gui/language.h"
#include "report/language.h"
#include "saiha/version.h"

namespace saiha::app {

namespace {

// Every text the command line prints: the terminal's, in English.
namespace text {
constexpr const char* kDescription =
    "The calculation window of saiha: refraction, shoaling and breaking of regular waves\n"
    "on a uniform slope.  Qt's own options (-platform, -style, ...) are passed to Qt.\n"
    "Without a display, run it as `xvfb-run -a saiha` or with QT_QPA_PLATFORM=offscreen.";
constexpr const char* kHelp = "Shows these options and exits.";
constexpr const char* kVersion = "Shows the version and exits.";
constexpr const char* kLang =
    "The windows' language: ja (Japanese) or en (English).  Without it, SAIHA_LANG, else "
    "the language last chosen in the 言語 / Language menu, else Japanese.";
constexpr const char* kLangValue = "ja|en";
// The lines on standard error, in the language the windows will take.
using report::Text;
constexpr Text kUsageError = {"saiha: %1（オプションは saiha --help で確かめられます）\n",
                              "saiha: %1 (saiha --help lists the options)\n"};
constexpr Text kUnknownOption = {"オプション '%1' はありません", "unknown option '%1'"};
constexpr Text kNoDisplay = {
    "saiha: ウィンドウを開くディスプレイがありません（DISPLAY，WAYLAND_DISPLAY，QT_QPA_PLATFORM "
    "のいずれも未設定）．`xvfb-run -a saiha` で，または QT_QPA_PLATFORM=offscreen を付けて実行してください\n",
    "saiha: no display to open the window on (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM "
    "are unset); run it as `xvfb-run -a saiha` or with QT_QPA_PLATFORM=offscreen\n"};
constexpr Text kNoWindowSystem = {
    "saiha: Qt のウィンドウシステムが起動しないため，ウィンドウを開けません．ディスプレイがなければ "
    "`xvfb-run -a saiha` で，または QT_QPA_PLATFORM=offscreen を付けて実行してください\n",
    "saiha: Qt's window system did not start, so the window cannot open; without a display, "
    "run it as `xvfb-run -a saiha` or with QT_QPA_PLATFORM=offscreen\n"};
}  // namespace text

// The language of those lines: --lang, else SAIHA_LANG, else the one last
// chosen in the 言語 / Language menu, else Japanese, as the windows choose.
report::Language gLanguage = report::Language::Japanese;

QString said(const report::Text& text) {
  const std::string_view words = text.in(gLanguage);
  return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

void print(std::FILE* stream, const QString& message) {
  std::fputs(message.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

// The name of an option as the parser takes it ("--lang=en" and "-lang" are
// both "lang"), or empty where `argument` is no option.
QString optionName(const QString& argument) {
  if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-") ||
      argument == QLatin1String("--"))
    return {};
  const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
  return name.left(name.indexOf(QLatin1Char('=')));
}

// The options Qt's applications take themselves (QGuiApplication,
// QApplication and the X11 platform), by name without dashes: left for Qt.
// Any other option is nobody's, which Qt would ignore without a word.
bool isQtOption(const QString& name) {
  static const QStringList kQt = {
      QStringLiteral("platform"),     QStringLiteral("platformpluginpath"),
      QStringLiteral("platformtheme"), QStringLiteral("plugin"),
      QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
      QStringLiteral("qwindowicon"),  QStringLiteral("qwindowtitle"),
      QStringLiteral("reverse"),      QStringLiteral("session"),
      QStringLiteral("display"),      QStringLiteral("geometry"),
      QStringLiteral("name"),         QStringLiteral("title"),
      QStringLiteral("visual"),       QStringLiteral("ncols"),
      QStringLiteral("cmap"),         QStringLiteral("nograb"),
      QStringLiteral("dograb"),       QStringLiteral("sync"),
      QStringLiteral("style"),        QStringLiteral("stylesheet"),
      QStringLiteral("widgetcount"),  QStringLiteral("testability"),
      QStringLiteral("fn"),           QStringLiteral("font"),
      QStringLiteral("bg"),           QStringLiteral("background"),
      QStringLiteral("fg"),           QStringLiteral("foreground"),
      QStringLiteral("btn"),          QStringLiteral("button"),
      QStringLiteral("im"),           QStringLiteral("inputstyle"),
      QStringLiteral("noxim"),        QStringLiteral("nocrashhandler")};
  return kQt.contains(name);
}

// Whether QApplication may find a window system: a platform named in the
// environment or with -platform, an X display (DISPLAY or -display) or a
// Wayland one.  Elsewhere than on X11/Wayland systems Qt always has one.
bool mayReachDisplay(const QStringList& arguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) return true;
  }
  for (const QString& argument : arguments) {
    const QString name = optionName(argument);
    if (name == QLatin1String("platform") || name == QLatin1String("display")) return true;
  }
  return false;
#else
  Q_UNUSED(arguments);
  return true;
#endif
}

CommandLine read(const QStringList& arguments) {
  QCommandLineParser parser;
  // Single-dash words are whole names, as Qt's own options are: "-style"
  // must not read as -s -t -y -l -e.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QString::fromUtf8(text::kDescription));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QString::fromUtf8(text::kHelp));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QString::fromUtf8(text::kVersion));
  const QCommandLineOption lang(QStringLiteral("lang"), QString::fromUtf8(text::kLang),
                                QString::fromUtf8(text::kLangValue));
  parser.addOptions({help, version, lang});

  CommandLine result;
  if (!parser.parse(arguments)) {
    // Options unknown here are Qt's (or nobody's, which Qt ignores); read
    // again without them, any error left is one in saiha's own options.
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString& name : unknown) {
      if (isQtOption(name)) continue;
      print(stderr, said(text::kUsageError).arg(said(text::kUnknownOption).arg(name)));
      result.exitCode = 2;
      return result;
    }
    QStringList known;
    for (const QString& argument : arguments) {
      if (!unknown.contains(optionName(argument))) known.append(argument);
    }
    if (!parser.parse(known)) {
      print(stderr, said(text::kUsageError).arg(parser.errorText()));
      result.exitCode = 2;
      return result;
    }
  }
  if (parser.isSet(help)) {
    print(stdout, parser.helpText());
    result.exitCode = 0;
  } else if (parser.isSet(version)) {
    print(stdout, QStringLiteral("saiha " SAIHA_VERSION "\n"));
    result.exitCode = 0;
  } else if (!mayReachDisplay(arguments)) {
    print(stderr, said(text::kNoDisplay));
    result.exitCode = 2;
  }
  for (const QString& name : parser.values(lang)) {
    result.languageArguments.append(QStringLiteral("--lang=") + name);
  }
  return result;
}

QtMessageHandler previousHandler = nullptr;

// Qt ends with a fatal message where no platform plugin could start; the
// warnings before it (which display, which library) go out as they are.
void onStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
    print(stderr, said(text::kNoWindowSystem));
    std::_Exit(2);
  }
  previousHandler(type, context, message);
}

}  // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
  // QCoreApplication needs no display; it gives the arguments as Qt reads
  // them and the program's name to the usage line.
  int count = argc;
  QCoreApplication reader(count, argv);
  // The names the saved language setting is kept under, as main sets them.
  QCoreApplication::setOrganizationName(QStringLiteral("saiha"));
  QCoreApplication::setApplicationName(QStringLiteral("saiha"));
  QStringList languages;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size()) {
      languages.append(QStringLiteral("--lang=") + arguments[++i]);
    } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
      languages.append(arguments[i]);
    }
  }
  gLanguage = gui::startLanguage(languages);
  return read(arguments);
}

DisplayGuard::DisplayGuard() { previousHandler = qInstallMessageHandler(onStartMessage); }

DisplayGuard::~DisplayGuard() { qInstallMessageHandler(previousHandler); }

}  // namespace saiha::app
