#include "cli/commands/structure_options.h"

#include <stdexcept>

#include "cli/commands/commands.h"
#include "cli/program.h"

namespace saiha::cli {

void addSettingOptions(CLI::App& command, const StructureKind& kind,
                       const std::vector<std::string_view>& help, std::vector<std::string>& texts) {
  texts.resize(kind.optionNames.size());
  for (std::size_t s = 0; s < kind.optionNames.size(); ++s) {
    command.add_option(kind.optionNames[s], texts[s],
                       std::string(s < help.size() ? help[s] : std::string_view()) +
                           "; for every row without a column '" + std::string(kind.settings[s]) +
                           "'")
        ->option_text("X");
  }
}

std::vector<std::optional<double>> settingConstants(const CLI::App& parsed,
                                                    const StructureKind& kind,
                                                    const std::vector<std::string>& texts) {
  std::vector<std::optional<double>> constants(kind.optionNames.size());
  for (std::size_t s = 0; s < kind.optionNames.size(); ++s) {
    if (parsed.count(kind.optionNames[s]) == 0) continue;
    constants[s] = numberOption(std::string_view(kind.optionNames[s]).substr(2), texts[s]);
  }
  return constants;
}

std::string structureRefuses(Shared option) {
  switch (option) {
    case Shared::Breaker:
    case Shared::Shoaling: return refusal::kStructureModel();
    default: return {};
  }
}

std::size_t choiceOf(std::string_view option, const std::string& text,
                     std::span<const std::string_view> names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == text) return i;
    list += (list.empty() ? "" : ", ") + std::string(names[i]);
  }
  throw std::invalid_argument(say(report::Usage::NotAChoice, {option, cli::quoted(text), list}));
}

int runStructureFile(const std::string& file, const SharedValues& shared, StructureKind kind,
                     std::vector<std::optional<double>> constants) {
  report::Language language{};
  CsvFormat format;
  try {
    language = parseLanguage(shared.lang);
    format = formatOf(shared);
  } catch (const std::invalid_argument& error) {
    return fail(error.what());
  }
  StructureTable table(std::move(kind), std::move(constants),
                       shared.precision == "full" ? Precision::Full : Precision::Shown, language,
                       shared.warnings, format);
  return runFile(file, shared, table);
}

}  // namespace saiha::cli
