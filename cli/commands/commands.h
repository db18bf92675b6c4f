// The modes of saiha-calc, one file each: the FILE mode of the top level,
// then the subcommands in the order the help lists them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/options.h"
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

// The reasons a shared option does not apply, worded once.
namespace refusal {
inline constexpr std::string_view kOneWaveThreads =
    "it computes one wave (or one sea) at once, on one thread";
inline constexpr std::string_view kOneWaveProgress =
    "it computes one wave (or one sea) at once, with no progress to show";
inline constexpr std::string_view kFullPrecision =
    "its numbers are always the shortest texts that read back as the same single-precision "
    "values";
inline constexpr std::string_view kEveryModel = "it shows every breaker limit and shoaling rule";
inline constexpr std::string_view kGodaModel =
    "Goda's random-wave heights have their own breaking, not a regular wave's breaker limit or "
    "shoaling rule";
inline constexpr std::string_view kStructureModel =
    "the structure formulas take their waves as given, with no breaker limit or shoaling rule";
inline constexpr std::string_view kNoCells =
    "it reads no CSV cells: its options are always read strictly, as whole numbers";
}  // namespace refusal

// The first of `refused` (a shared option and why) given before or after the
// subcommand of `parsed`, as a one-line message for the one-wave form `form`
// of a mode whose FILE form honours them; empty when none was given.
struct Refusal {
  Shared option;
  std::string_view why;
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
