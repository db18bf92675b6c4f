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
      {Shared::Warnings, "--warnings", "--warnings", "",
       "add a last column 'warnings': the sum of the row's warning bits, 0 for none: 1 a slope "
       "steeper than 1/10 under Goda's formulas or Weggel's index, 2 the kamphuis limit (fitted "
       "to irregular waves), 4 a slope gentler than Goda's random-wave formulas were fitted on "
       "(1/100), 8 a height above the still-water depth, 16 the runup below the setup, 32 "
       "Stockdon's runup near its change of fit at xi0 = 0.3, 64 a depth below Goda's random-wave "
       "diagrams (h/H0' < 0.5), 128 a number cell with text after its number, read as that "
       "number, 256 Komar and Gaughan's breaker height below its fitted steepness, 512 a breaking "
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
       "a cell whose text goes on after its number (\"1,5\", 3ft, 10s) is an input error of its "
       "own instead of being read as the window reads its box",
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
                     ->check(CLI::IsMember(s.choices));
        break;
      case Shared::Warnings: option = command.add_flag(names, v.warnings, s.help); break;
      case Shared::Progress: option = command.add_flag(names, v.progress, s.help); break;
      case Shared::NoProgress: option = command.add_flag(names, v.noProgress, s.help); break;
      case Shared::Jobs:
        option = command.add_option(names, v.jobs, s.help)->check(CLI::PositiveNumber);
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

int OptionModel::parse(int argc, const char* const* argv) {
  try {
    app_.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app_.exit(done);  // --help or --version, printed to standard output
  } catch (const CLI::ParseError& error) {
    std::string where = kProgramName;
    for (const CLI::App* sub : app_.get_subcommands()) where += " " + sub->get_name();
    return fail(std::string(error.what()) + " (see " + where + " --help)");
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
    const std::string_view why = command.refuses(s.id);
    if (!why.empty()) {
      return name + " does not go with " + std::string(command.name()) + ": " + std::string(why);
    }
  }
  if (&sub != &app_ && app_.count("FILE") > 0) {
    return "a FILE before '" + std::string(command.name()) + "' is not read: " +
           (sub.get_option_no_throw("FILE") != nullptr
                ? "give it after the subcommand"
                : std::string(command.name()) + " computes one wave from its options");
  }
  return {};
}

int OptionModel::run() {
  try {
    (void)parseLanguage(shared_.lang);
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

double numberOption(std::string_view name, const std::string& text) {
  double value = 0;
  const std::string option = "--" + std::string(name) + " " + quoted(text);
  switch (readNumber(text, value)) {
    case NumberText::Number: return value;
    case NumberText::TooLarge:
      throw std::invalid_argument(option + " is too large (beyond single precision, about 3.4e38)");
    case NumberText::TooSmall: throw std::invalid_argument(option + " is too small to be told from 0");
    case NumberText::NotANumber: break;
  }
  throw std::invalid_argument(option + " is not a number");
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
  throw std::invalid_argument(std::string(where) + ": unknown language " +
                              quoted(std::string(name)) + "; ja or en");
}

CsvFormat formatOf(const SharedValues& a) {
  CsvFormat format;
  const auto delimiter = delimiterNamed(a.delimiter);
  if (!delimiter) {
    throw std::invalid_argument("--delimiter " + quoted(a.delimiter) + ": one of ',', ';' or tab");
  }
  format.delimiter = *delimiter;
  format.decimalComma = a.decimalComma;
  format.bom = a.bom;
  format.strict = a.strict;
  if (const auto problem = format.problem()) throw std::invalid_argument(*problem);
  return format;
}

shore::Model parseModel(const SharedValues& a) {
  shore::Model model;
  if (const auto breaker = shore::parseBreaker(a.breaker)) {
    model.breaker = *breaker;
  } else {
    throw std::invalid_argument("unknown breaker limit " + quoted(a.breaker) + "; one of " +
                                shore::breakerNameList());
  }
  if (const auto shoaling = shore::parseShoaling(a.shoaling)) {
    model.shoaling = *shoaling;
  } else {
    throw std::invalid_argument("unknown shoaling rule " + quoted(a.shoaling) + "; one of " +
                                shore::shoalingNameList());
  }
  return model;
}

}  // namespace saiha::cli
