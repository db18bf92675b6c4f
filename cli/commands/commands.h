// The modes of saiha-calc, one file each: the FILE mode of the top level,
// then the subcommands in the order the help lists them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/options.h"
#include "report/messages.h"
#include "shore/engine.h"

namespace saiha::cli {

std::unique_ptr<Command> makeCalcCommand();
std::unique_ptr<Command> makeProfileCommand();
std::unique_ptr<Command> makeCompareCommand();
std::unique_ptr<Command> makeRandomCommand();
std::unique_ptr<Command> makeShoreCommand();
std::unique_ptr<Command> makeTransformCommand();
std::unique_ptr<Command> makeCaissonCommand();
std::unique_ptr<Command> makeOvertoppingCommand();
std::unique_ptr<Command> makeArmourCommand();

// Every mode, the FILE mode first.
std::vector<std::unique_ptr<Command>> makeCommands();

// The reasons a shared option does not apply, worded once in the catalogue
// (report::Usage::Why…), in the language of the messages.
namespace refusal {
std::string text(report::Usage why);
inline std::string kOneWaveThreads() { return text(report::Usage::WhyOneWaveThreads); }
inline std::string kOneWaveProgress() { return text(report::Usage::WhyOneWaveProgress); }
inline std::string kOwnUnits() { return text(report::Usage::WhyOwnUnits); }
inline std::string kEveryModel() { return text(report::Usage::WhyEveryModel); }
inline std::string kGodaModel() { return text(report::Usage::WhyGodaModel); }
inline std::string kStructureModel() { return text(report::Usage::WhyStructureModel); }
}  // namespace refusal

// The first of `refused` (a shared option and why) given before or after the
// subcommand of `parsed`, as a one-line message for the one-wave form `form`
// of a mode whose FILE form honours them; empty when none was given.
struct Refusal {
  Shared option;
  std::string why;
};
std::string refusedIn(const CLI::App& parsed, std::string_view form,
                      std::initializer_list<Refusal> refused);

// The four inputs of one wave, as typed after their options.
struct WaveArgs {
  std::string Ho, T, alpha0, n;
  // Throws std::invalid_argument for a text that is no number.
  shore::Wave wave() const;
};
// --Ho, --T, --alpha0, --n; `required` unless the command can read its waves
// from a FILE instead.
void addWaveOptions(CLI::App& command, WaveArgs& a, bool required = true);

// --from, --stations and --spacing of a profile.
struct StationArgs {
  std::string from, spacing;
  int stations = 200;
};
void addStationOptions(CLI::App& command, StationArgs& a, const std::string& fromHelp);
// Throws std::invalid_argument for a value that is no depth or distance.
shore::ProfileOptions stationOptions(const StationArgs& a, const CLI::App& command,
                                     report::Language language);

}  // namespace saiha::cli
