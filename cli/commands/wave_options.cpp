#include <cmath>
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/program.h"
#include "report/messages.h"

namespace saiha::cli {

std::vector<std::unique_ptr<Command>> makeCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(makeCalcCommand());
  commands.push_back(makeProfileCommand());
  commands.push_back(makeCompareCommand());
  commands.push_back(makeRandomCommand());
  commands.push_back(makeShoreCommand());
  commands.push_back(makeTransformCommand());
  commands.push_back(makeCaissonCommand());
  commands.push_back(makeOvertoppingCommand());
  commands.push_back(makeArmourCommand());
  return commands;
}

std::string refusal::text(report::Usage why) { return say(why); }

std::string refusedIn(const CLI::App& parsed, std::string_view form,
                      std::initializer_list<Refusal> refused) {
  for (const Refusal& r : refused) {
    if (givenAnywhere(parsed, r.option)) {
      return say(report::Usage::DoesNotGoWith, {sharedOption(r.option).longName, form, r.why});
    }
  }
  return {};
}

shore::Wave WaveArgs::wave() const {
  return {numberOption("Ho", Ho), numberOption("T", T), numberOption("alpha0", alpha0),
          numberOption("n", n)};
}

void addWaveOptions(CLI::App& command, WaveArgs& a, bool required) {
  command.add_option("--Ho", a.Ho, "deep-water wave height (m)")
      ->required(required)
      ->option_text("M");
  command.add_option("--T", a.T, "wave period (s)")->required(required)->option_text("S");
  command.add_option("--alpha0", a.alpha0,
                     "deep-water angle of incidence from the shore normal (degrees)")
      ->required(required)
      ->option_text("DEG");
  command.add_option("--n", a.n, "bottom slope 1/n, given as its denominator n")
      ->required(required)
      ->option_text("N");
}

void addStationOptions(CLI::App& command, StationArgs& a, const std::string& fromHelp) {
  command.add_option("--from", a.from, fromHelp)->option_text("M");
  auto* stations = command
                       .add_option("--stations", a.stations,
                                   "number of evenly spaced stations, the marked ones not "
                                   "counted (default 200)")
                       ->check(wholeRangeCheck("--stations", 1, shore::kMaxStations));
  command.add_option("--spacing", a.spacing, "spacing of the stations in x (m)")
      ->option_text("M")
      ->excludes(stations);
}

shore::ProfileOptions stationOptions(const StationArgs& a, const CLI::App& command,
                                     report::Language language) {
  shore::ProfileOptions options;
  if (command.count("--from") > 0) {
    // A depth beyond single precision gets the depth box's own message.
    double from = 0;
    if (readNumber(a.from, from) == NumberText::TooLarge) from = HUGE_VAL;
    else from = numberOption("from", a.from);
    if (!(from > 0)) throw std::invalid_argument(say(report::Usage::FromDepth));
    if (!std::isfinite(static_cast<float>(from))) {
      throw std::invalid_argument("--from " + quoted(a.from) + ": " +
                                  report::depthTooLargeText(language));
    }
    options.fromDepth = from;
  }
  if (command.count("--spacing") > 0) {
    const double spacing = numberOption("spacing", a.spacing);
    if (!(spacing > 0 && std::isfinite(spacing))) {
      throw std::invalid_argument(say(report::Usage::SpacingDistance));
    }
    options.spacing = spacing;
  }
  options.stations = a.stations;
  return options;
}

}  // namespace saiha::cli
