#include "cli/options.h"

#include <tbb/info.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/exit_status.h"
#include "cli/help_format.h"
#include "cli/output_file.h"
#include "cli/program.h"
#include "saiha/version.h"

namespace saiha::cli {

namespace {

std::array<SharedOptionInfo, kSharedCount> makeSharedOptions() {
  return {{
      {Shared::Lang, "--lang", "--lang", "LANG",
       "language of the messages and error cells: ja (default) or en; the environment "
       "variable SAIHA_LANG when absent",
       {"ja", "en"}},
      {Shared::Output, "-o,--output", "--output", "FILE", kOutputHelp, {}},
      {Shared::Precision, "--precision", "--precision", "WHICH",
       "results as shown in the window (shown: two decimals, the default) or in full (the "
       "shortest text that reads back as the same single-precision value)",
       {"shown", "full"}},
      {Shared::Units, "--units", "--units", "",
       "name each column of the header with its unit, as 'Hb [m]' ('1' for a number without "
       "dimension); columns passed through keep their names, and so does a column of text",
       {}},
      {Shared::Warnings, "--warnings", "--warnings", "",
       "add a last column 'warnings': the sum of the row's warning bits, 0 for none: 1 a slope "
       "steeper than 1/10 under Goda's formulas or Weggel's index, 2 the kamphuis limit (fitted "
       "to irregular waves), 4 a slope gentler than Goda's random-wave formulas were fitted on "
       "(1/100), 8 a height above the still-water depth, 16 the runup below the setup, 32 "
       "Stockdon's runup near its change of fit at xi0 = 0.3, 64 a depth below Goda's random-wave "
       "diagrams (h/H0' < 0.5), 128 a number cell with text after its number (or a "
       "Fortran exponent, 1d-1), read as that number, 256 Komar and Gaughan's breaker height below its fitted steepness, 512 a breaking "
       "point shallower than h/L0 = 0.001, 1024 Shuto's shoaling coefficient not formed, 2048 a "
       "breaker index above the setup theory's range; for transform 4096 the breaker parameter's "
       "fit used outside its data, 8192 a profile that ends under water (no shoreline), 16384 "
       "water shoreward of a dry bar crest. Rows with warnings are counted on standard "
       "error with or without this column",
       {}},
      {Shared::Progress, "--progress", "--progress", "",
       "show a progress line on standard error (default: when it is a terminal)", {}},
      {Shared::NoProgress, "--no-progress", "--no-progress", "", "never show the progress line",
       {}},
      {Shared::Jobs, "-j,--jobs", "--jobs", "N",
       "calculation threads (default, and at most: every core)", {}},
      {Shared::Strict, "--strict", "--strict", "",
       "a cell whose text goes on after its number (\"1,5\", 3ft, 10s, Fortran's 1d-1) is an "
       "input error of its own instead of being read as the window reads its box",
       {}},
      {Shared::Delimiter, "--delimiter", "--delimiter", "CHAR",
       "the field separator of input and output: ',' (default), ';' or tab", {",", ";", "tab"}},
      {Shared::DecimalComma, "--decimal-comma", "--decimal-comma", "",
       "numbers with a decimal comma, read and written (use with --delimiter ';' or tab)", {}},
      {Shared::Bom, "--bom", "--bom", "",
       "start the output with a UTF-8 byte-order mark, for spreadsheets that need one", {}},
      {Shared::Breaker, "--breaker", "--breaker", "NAME",
       "breaker limit: " + shore::breakerNameList(),
       {}},
      {Shared::Shoaling, "--shoaling", "--shoaling", "NAME",
       "shoaling rule: " + shore::shoalingNameList(),
       {}},
  }};
}

std::vector<std::string> split(const std::string& list) {
  std::vector<std::string> names;
  std::size_t begin = 0;
  while (begin <= list.size()) {
    std::size_t end = list.find(',', begin);
    if (end == std::string::npos) end = list.size();
    std::string name = list.substr(begin, end - begin);
    name = name.substr(0, name.find(" ("));  // "goda1970 (default)"
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    if (!name.empty()) names.push_back(name);
    begin = end + 1;
  }
  return names;
}

}  // namespace

// A check of CLI11 that says what is wrong in the catalogue's words.  CLI11
// puts the option's name before it ("--stations: ..."), an empty one for an
// option hidden under a subcommand; parse() takes the message alone.
CLI::Validator threadsCheck() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        int jobs = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), jobs);
        if (ec == std::errc() && end == text.data() + text.size() && jobs >= 1) return {};
        return say(report::Usage::Threads, {cli::quoted(text)});
      },
      "N");
}

CLI::Validator choiceCheck(std::string name, std::vector<std::string> choices) {
  return CLI::Validator(
      [name = std::move(name), choices = std::move(choices)](std::string& text) -> std::string {
        if (std::find(choices.begin(), choices.end(), text) != choices.end()) return {};
        if (name == "--precision") return say(report::Usage::PrecisionChoice, {cli::quoted(text)});
        std::string list;
        for (const std::string& c : choices) list += (list.empty() ? "" : ", ") + c;
        return say(report::Usage::NotAChoice, {name, cli::quoted(text), list});
      },
      "");
}

CLI::Validator wholeRangeCheck(std::string name, int lowest, int highest) {
  return CLI::Validator(
      [name = std::move(name), lowest, highest](std::string& text) -> std::string {
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec == std::errc() && end == text.data() + text.size() && value >= lowest &&
            value <= highest) {
          return {};
        }
        return say(report::Usage::OutOfRange,
                   {name, cli::quoted(text), std::to_string(lowest), std::to_string(highest)});
      },
      "");
}

const std::array<SharedOptionInfo, kSharedCount>& sharedOptions() {
  static const std::array<SharedOptionInfo, kSharedCount> specs = [] {
    auto s = makeSharedOptions();
    s[static_cast<std::size_t>(Shared::Breaker)].choices = split(shore::breakerNameList());
    s[static_cast<std::size_t>(Shared::Shoaling)].choices = split(shore::shoalingNameList());
    return s;
  }();
  return specs;
}

const SharedOptionInfo& sharedOption(Shared id) { return sharedOptions()[static_cast<std::size_t>(id)]; }

// ------------------------------------------------------------ the model

void OptionModel::addShared(CLI::App& command, const Command& owner) {
  SharedValues& v = shared_;
  // At the top level every shared option is shown: it may stand before any
  // subcommand.  Under a subcommand only those it honours are.
  const bool top = &command == &app_;
  for (const SharedOptionInfo& s : sharedOptions()) {
    const std::string names(s.names);
    CLI::Option* option = nullptr;
    switch (s.id) {
      case Shared::Lang: option = command.add_option(names, v.lang, s.help); break;
      case Shared::Output: option = command.add_option(names, v.output, s.help); break;
      case Shared::Precision:
        option = command.add_option(names, v.precision, s.help)
                     ->check(choiceCheck(std::string(s.longName), s.choices));
        break;
      case Shared::Units: option = command.add_flag(names, v.units, s.help); break;
      case Shared::Warnings: option = command.add_flag(names, v.warnings, s.help); break;
      case Shared::Progress: option = command.add_flag(names, v.progress, s.help); break;
      case Shared::NoProgress: option = command.add_flag(names, v.noProgress, s.help); break;
      case Shared::Jobs:
        option = command.add_option(names, v.jobs, s.help)->check(threadsCheck());
        break;
      case Shared::Strict: option = command.add_flag(names, v.strict, s.help); break;
      case Shared::Delimiter:
        option = command.add_option(names, v.delimiter, s.help);
        break;
      case Shared::DecimalComma: option = command.add_flag(names, v.decimalComma, s.help); break;
      case Shared::Bom: option = command.add_flag(names, v.bom, s.help); break;
      case Shared::Breaker: option = command.add_option(names, v.breaker, s.help); break;
      case Shared::Shoaling: option = command.add_option(names, v.shoaling, s.help); break;
    }
    if (!s.valueName.empty()) option->option_text(std::string(s.valueName));
    option->group(top || owner.refuses(s.id).empty() ? "Shared options" : "");  // refused: parsed, not listed
  }
}

OptionModel::OptionModel() : app_("", kProgramName), commands_(makeCommands()) {
  // Before the subcommands are added: each takes its parent's formatter.
  app_.formatter(std::make_shared<WrappedHelp>());
  Command& top = *commands_.front();
  app_.description(top.summary());
  std::string footer = top.footer();
  footer += "\n\nSubcommands (each with its own --help):";
  for (std::size_t i = 1; i < commands_.size(); ++i) {
    footer += "\n  " + std::string(kProgramName) + " " + std::string(commands_[i]->name()) +
              " --help";
  }
  app_.footer(footer);
  app_.set_version_flag("--version", std::string(kProgramName) + " " + SAIHA_VERSION);
  app_.require_subcommand(0, 1);
  top.addOptions(app_, choices_);
  addShared(app_, top);
  apps_.push_back(&app_);
  for (std::size_t i = 1; i < commands_.size(); ++i) {
    Command& command = *commands_[i];
    CLI::App* sub = app_.add_subcommand(std::string(command.name()), command.summary());
    sub->footer(command.footer());
    command.addOptions(*sub, choices_);
    addShared(*sub, command);
    apps_.push_back(sub);
  }
}

CLI::App& OptionModel::appOf(const Command& command) {
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    if (commands_[i].get() == &command) return *apps_[i];
  }
  throw std::logic_error("a command outside the model");
}

namespace {

// The language the command line asks for, read before CLI11 parses it so
// that a usage error is worded in it: the last --lang X or --lang=X, else
// SAIHA_LANG, else Japanese; a name that is no language counts as none.
report::Language languageOfArguments(int argc, const char* const* argv) {
  std::string_view chosen;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--") break;
    if (a == "--lang" && i + 1 < argc) chosen = argv[++i];
    else if (a.starts_with("--lang=")) chosen = a.substr(7);
  }
  if (chosen.empty()) {
    const char* environment = std::getenv("SAIHA_LANG");
    chosen = environment ? environment : "";
  }
  return report::languageNamed(chosen).value_or(report::Language::Japanese);
}

// The text of a CLI11 message up to its first blank or colon: the option it
// names ("--Ho is required", "--lang: 1 required TEXT missing").
std::string firstWord(std::string_view text) {
  return std::string(text.substr(0, text.find_first_of(" :")));
}

}  // namespace

std::string OptionModel::usageError(const CLI::ParseError& error, int argc,
                                    const char* const* argv) {
  const std::string what = error.what();
  const auto isSubcommand = [&](std::string_view word) {
    for (std::size_t i = 1; i < commands_.size(); ++i) {
      if (commands_[i]->name() == word) return true;
    }
    return false;
  };
  // An option whose value is missing before a subcommand takes the
  // subcommand's name as its value: say so, whatever CLI11 made of the rest.
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string option = argv[i];
    const CLI::Option* known = app_.get_option_no_throw(option);
    if (known != nullptr && known->get_items_expected_max() > 0 && isSubcommand(argv[i + 1])) {
      return say(report::Usage::ValueIsSubcommand, {option, argv[i + 1]});
    }
  }
  // The subcommand named on the command line, and where.
  int subcommandAt = argc;
  for (int i = 1; i < argc; ++i) {
    if (isSubcommand(argv[i])) {
      subcommandAt = i;
      break;
    }
  }
  if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
    const std::string option = firstWord(what);
    if (option.starts_with("-")) {
      for (int i = 1; i < subcommandAt; ++i) {
        const std::string_view given = argv[i];
        if (given == option || given.starts_with(option + "=")) {
          return say(report::Usage::BeforeSubcommand, {option, argv[subcommandAt]});
        }
      }
      return say(report::Usage::Required, {option});
    }
  } else if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    // The arguments no option took, in the order they were given.
    std::vector<std::string> extras = app_.remaining();
    for (const CLI::App* sub : app_.get_subcommands()) {
      const std::vector<std::string> more = sub->remaining();
      extras.insert(extras.end(), more.begin(), more.end());
    }
    std::string list;
    for (int i = 1; i < argc; ++i) {
      if (std::find(extras.begin(), extras.end(), argv[i]) != extras.end()) {
        list += (list.empty() ? "" : " ") + quoted(argv[i]);
      }
    }
    if (!list.empty()) return say(report::Usage::Unexpected, {list});
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    const std::string option = firstWord(what);
    if (what.find("missing") != std::string::npos) {
      return say(report::Usage::MissingValue, {option});
    }
    if (what.find("At Most") != std::string::npos) return say(report::Usage::GivenTwice, {option});
  } else if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
    // Our own checks' messages, after the name CLI11 puts first (empty for
    // an option hidden under a subcommand).
    const std::size_t colon = what.find(": ");
    if (colon != std::string::npos) return what.substr(colon + 2);
  } else if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
    const std::size_t space = what.find(" excludes ");
    if (space != std::string::npos) {
      return say(report::Usage::Excludes, {what.substr(0, space), what.substr(space + 10)});
    }
  } else if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
    // "Could not convert: --warnings = abc": a flag given a value.
    const std::size_t colon = what.find(": "), equals = what.find(" = ");
    if (colon != std::string::npos && equals != std::string::npos && equals > colon) {
      return say(report::Usage::FlagValue, {what.substr(colon + 2, equals - colon - 2),
                                            quoted(what.substr(equals + 3))});
    }
  }
  return what;
}

int OptionModel::parse(int argc, const char* const* argv) {
  setMessageLanguage(languageOfArguments(argc, argv));
  try {
    app_.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app_.exit(done);  // --help or --version, printed to standard output
  } catch (const CLI::ParseError& error) {
    std::string where = kProgramName;
    for (const CLI::App* sub : app_.get_subcommands()) where += " " + sub->get_name();
    return fail(usageError(error, argc, argv) + say(report::Usage::SeeHelp, {where}));
  }
  return -1;
}

Command& OptionModel::chosen() {
  for (std::size_t i = 1; i < commands_.size(); ++i) {
    if (apps_[i]->parsed()) return *commands_[i];
  }
  return *commands_.front();
}

std::string OptionModel::refusal() {
  Command& command = chosen();
  CLI::App& sub = appOf(command);
  for (const SharedOptionInfo& s : sharedOptions()) {
    const std::string name(s.longName);
    if (!givenAnywhere(sub, s.id)) continue;
    const std::string why = command.refuses(s.id);
    if (!why.empty()) return say(report::Usage::DoesNotGoWith, {name, command.name(), why});
  }
  if (&sub != &app_ && app_.count("FILE") > 0) {
    return say(report::Usage::FileBeforeSubcommand,
               {command.name(), sub.get_option_no_throw("FILE") != nullptr
                                    ? say(report::Usage::GiveFileAfter)
                                    : say(report::Usage::OneWaveOptions, {command.name()})});
  }
  return {};
}

int OptionModel::run() {
  try {
    setMessageLanguage(parseLanguage(shared_.lang));
    (void)formatOf(shared_);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  if (const std::string why = refusal(); !why.empty()) return fail(why);
  if (const std::string why = openOutput(shared_.output); !why.empty()) return fail(why);
  Command& command = chosen();
  return closeOutput(command.run(shared_, appOf(command)));
}

// ------------------------------------------------------------ values

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
  return out + "'";
}

NumberText readNumber(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec == std::errc::result_out_of_range && ptr == end) {
    // from_chars says so for an underflow too: a negative exponent is a
    // number too close to 0, not too large.
    const bool tiny = text.find("e-") != std::string::npos || text.find("E-") != std::string::npos;
    return tiny ? NumberText::TooSmall : NumberText::TooLarge;
  }
  if (text.empty() || ec != std::errc() || ptr != end) return NumberText::NotANumber;
  // The engine computes in single precision: a value beyond it (or an
  // infinity) is no size any wave or beach has.
  if (!(std::isnan(value) || std::abs(value) <= std::numeric_limits<float>::max())) {
    return NumberText::TooLarge;
  }
  return NumberText::Number;
}

std::vector<std::string> commaItems(const std::string& text) {
  std::vector<std::string> items;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find(',', begin);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(begin, end - begin);
    item.erase(0, item.find_first_not_of(' '));
    item.erase(item.find_last_not_of(' ') + 1);
    items.push_back(std::move(item));
    begin = end + 1;
  }
  return items;
}

double numberOption(std::string_view name, const std::string& text) {
  double value = 0;
  const std::string option = "--" + std::string(name);
  switch (readNumber(text, value)) {
    case NumberText::Number: return value;
    case NumberText::TooLarge:
      throw std::invalid_argument(say(report::Usage::TooLarge, {option, quoted(text)}));
    case NumberText::TooSmall:
      throw std::invalid_argument(say(report::Usage::TooSmall, {option, quoted(text)}));
    case NumberText::NotANumber: break;
  }
  throw std::invalid_argument(say(report::Usage::NotANumber, {option, quoted(text)}));
}

std::string shortest(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

bool givenAnywhere(const CLI::App& parsed, Shared option) {
  const std::string name(sharedOption(option).longName);
  std::size_t given = parsed.count(name);
  if (const CLI::App* parent = parsed.get_parent()) given += parent->count(name);
  return given > 0;
}

report::Digits digitsOf(const SharedValues& values) {
  return values.precision == "full" ? report::Digits::Full : report::Digits::Shown;
}

int threadsOf(int jobs) {
  const int cores = std::max(1, tbb::info::default_concurrency());
  return jobs <= 0 ? cores : std::min(jobs, cores);
}

report::Language parseLanguage(const std::string& option) {
  std::string_view name = option;
  std::string_view where = "--lang";
  if (name.empty()) {
    const char* environment = std::getenv("SAIHA_LANG");
    name = environment ? environment : "";
    where = "SAIHA_LANG";
  }
  if (name.empty()) return report::Language::Japanese;
  if (const auto language = report::languageNamed(name)) return *language;
  throw std::invalid_argument(
      say(report::Usage::UnknownLanguage, {where, quoted(std::string(name))}));
}

CsvFormat formatOf(const SharedValues& a) {
  CsvFormat format;
  const auto delimiter = delimiterNamed(a.delimiter);
  if (!delimiter) {
    throw std::invalid_argument(say(report::Usage::DelimiterChoice, {quoted(a.delimiter)}));
  }
  format.delimiter = *delimiter;
  format.decimalComma = a.decimalComma;
  format.bom = a.bom;
  format.strict = a.strict;
  if (format.problem()) {
    throw std::invalid_argument(say(report::Usage::DecimalCommaNeedsDelimiter));
  }
  return format;
}

shore::Model parseModel(const SharedValues& a) {
  shore::Model model;
  if (const auto breaker = shore::parseBreaker(a.breaker)) {
    model.breaker = *breaker;
  } else {
    throw std::invalid_argument(
        say(report::Usage::UnknownBreaker, {quoted(a.breaker), shore::breakerNameList()}));
  }
  if (const auto shoaling = shore::parseShoaling(a.shoaling)) {
    model.shoaling = *shoaling;
  } else {
    throw std::invalid_argument(
        say(report::Usage::UnknownShoaling, {quoted(a.shoaling), shore::shoalingNameList()}));
  }
  return model;
}

}  // namespace saiha::cli
