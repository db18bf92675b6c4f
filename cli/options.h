// The option model of saiha-calc: the options every mode shares, declared
// once, accepted before or after a subcommand, and honoured or refused by
// each subcommand with the reason it does not apply.  The help texts, the
// manual pages and the shell completions are all made from this model.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/csv_format.h"
#include "report/language.h"
#include "report/profile_table.h"
#include "shore/model_choice.h"

namespace saiha::cli {

inline constexpr const char* kProgramName = "saiha-calc";

// The options every mode shares.
enum class Shared : std::size_t {
  Lang,
  Output,
  Precision,
  Units,
  Warnings,
  Progress,
  NoProgress,
  Jobs,
  Strict,
  Delimiter,
  DecimalComma,
  Bom,
  Breaker,
  Shoaling,
};
inline constexpr std::size_t kSharedCount = 14;

struct SharedOptionInfo {
  Shared id;
  std::string_view names;      // as CLI11 takes them: "-o,--output"
  std::string_view longName;   // "--output"
  std::string_view valueName;  // "FILE"; empty for a flag
  std::string help;
  std::vector<std::string> choices;  // the values a completion offers; empty: any
};

// Every shared option, in the order the help lists them.
const std::array<SharedOptionInfo, kSharedCount>& sharedOptions();
const SharedOptionInfo& sharedOption(Shared id);

// The values of the shared options as typed, wherever they stood.
struct SharedValues {
  std::string lang;
  std::string output;
  std::string precision = "shown";
  bool units = false;
  bool warnings = false;
  bool progress = false;
  bool noProgress = false;
  int jobs = 0;  // 0: every core
  bool strict = false;
  std::string delimiter = ",";
  bool decimalComma = false;
  bool bom = false;
  std::string breaker{shore::breakerName(shore::Model{}.breaker)};
  std::string shoaling{shore::shoalingName(shore::Model{}.shoaling)};
};

// Values offered by the completion for an option of a subcommand's own
// (--height regular|significant), keyed by the option's long name.
using Choices = std::map<std::string, std::vector<std::string>, std::less<>>;

// One subcommand (or, with an empty name, the FILE mode of the top level).
class Command {
 public:
  virtual ~Command() = default;
  virtual std::string_view name() const = 0;
  virtual std::string summary() const = 0;  // one paragraph, for --help and NAME
  virtual std::string footer() const = 0;   // input, output, exit status
  // Command lines that show the mode at work, each with what it does: the
  // EXAMPLES of its manual page.
  struct Example {
    std::string_view what;
    std::string_view line;
  };
  virtual std::vector<Example> examples() const = 0;
  // Adds the command's own options to `command`; values a completion may
  // offer go to `choices`.
  virtual void addOptions(CLI::App& command, Choices& choices) = 0;
  // Why a shared option does not apply here; empty when the command honours it.
  virtual std::string refuses(Shared option) const = 0;
  // Runs the command once the command line is parsed and the shared options
  // checked.  `parsed` is the command's own App (for counts).
  virtual int run(const SharedValues& shared, const CLI::App& parsed) = 0;
};

// The whole command line: the top level and its subcommands, each with the
// shared options it honours (refused ones are parsed too, hidden from the
// help, so that the refusal can say why).
class OptionModel {
 public:
  OptionModel();
  OptionModel(const OptionModel&) = delete;
  OptionModel& operator=(const OptionModel&) = delete;

  CLI::App& app() { return app_; }
  const SharedValues& shared() const { return shared_; }
  // The top level (FILE mode) first, then each subcommand.
  const std::vector<std::unique_ptr<Command>>& commands() const { return commands_; }
  CLI::App& appOf(const Command& command);
  const Choices& choices() const { return choices_; }

  // Parses argv; returns the exit status of --help/--version or a usage
  // error (printed), or -1 when a command is to run.
  int parse(int argc, const char* const* argv);
  // The command the command line chose (the top level when none).
  Command& chosen();
  // The first shared option given that the chosen command refuses, as a
  // one-line message; empty when every option given applies.
  std::string refusal();
  int run();

 private:
  void addShared(CLI::App& command, const Command& owner);
  // A parse error of CLI11 in the catalogue's words.
  std::string usageError(const CLI::ParseError& error, int argc, const char* const* argv);
  CLI::App app_;
  SharedValues shared_;
  std::vector<std::unique_ptr<Command>> commands_;
  std::vector<CLI::App*> apps_;  // apps_[i] runs commands_[i]
  Choices choices_;
};

// The language of the messages: --lang, else SAIHA_LANG, else Japanese.
// Throws std::invalid_argument for an unknown name.
report::Language parseLanguage(const std::string& option);
// How the CSV is spelt (--delimiter, --decimal-comma, --bom, --strict);
// throws std::invalid_argument for choices that do not go together.
CsvFormat formatOf(const SharedValues& values);
// The breaker limit and shoaling rule named; throws std::invalid_argument.
shore::Model parseModel(const SharedValues& values);
// An option's text fit for a one-line message, control characters as '?'.
std::string quoted(const std::string& text);
// How a whole option's text reads as a decimal number.
enum class NumberText { Number, TooLarge, TooSmall, NotANumber };
NumberText readNumber(const std::string& text, double& value);
// A whole option read as a decimal number ("1x" and "" are errors, and so is
// a number beyond single precision: the engine computes in it).  Throws
// std::invalid_argument naming the option.
double numberOption(std::string_view name, const std::string& text);
// The items of a comma-separated option value ("200, 335,370"), each
// without the blanks around it, in their order; an empty item stays (and
// fails as a number where one is wanted).
std::vector<std::string> commaItems(const std::string& text);
// The shortest text that reads back as `value`.
std::string shortest(double value);
// Whether a shared option was given, before or after the subcommand whose
// App is `parsed`.
bool givenAnywhere(const CLI::App& parsed, Shared option);
// The digits of --precision: shown (two decimals, the default) or full.
report::Digits digitsOf(const SharedValues& values);
// Checks for CLI11 whose refusals are the catalogue's messages: -j's number
// of threads, a value among `choices`, a whole number from `lowest` to
// `highest`; `name` is the option's long name.
CLI::Validator threadsCheck();
CLI::Validator choiceCheck(std::string name, std::vector<std::string> choices);
CLI::Validator wholeRangeCheck(std::string name, int lowest, int highest);
// The calculation threads of -j: every core when 0, never more than the cores.
int threadsOf(int jobs);

}  // namespace saiha::cli
