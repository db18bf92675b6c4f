// saiha's command line, read before any window is made and without a
// display: --help, --version and --lang, and whether there is a display to
// open the window on.  Every text it prints is in command_line.cpp.
#pragma once

#include <QStringList>
#include <optional>

namespace saiha::app {

// What the command line asks for.
struct CommandLine {
  // Set where the program ends here, before any window: 0 after --help or
  // --version (printed to standard output), 2 after a malformed command line
  // or where no display can be reached (one line on standard error each).
  std::optional<int> exitCode;
  // The --lang choices as gui::startLanguage takes them ("--lang=xx" each,
  // in their order on the command line).
  QStringList languageArguments;
};

// Reads argc/argv.  Options it does not know (Qt's own, such as -platform or
// -style) are left for QApplication.  Makes and removes a QCoreApplication of
// its own: call it before QApplication is made.
CommandLine readCommandLine(int argc, char* argv[]);

// While one lives, a failure to start Qt's window system (no platform
// plugin could be initialised) ends the program with the no-display line and
// exit code 2 instead of Qt's abort.  Live one around making QApplication.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace saiha::app
