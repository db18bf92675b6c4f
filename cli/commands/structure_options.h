// What saiha-calc caisson, overtopping and armour share: the options that
// give a structure's setting for every row (--n, --cot-alpha, --P ...), and
// the run of a structure table over a FILE.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/options.h"
#include "cli/structure_csv.h"

namespace saiha::cli {

// One option per setting of `kind` (kind.optionNames), its help from
// `help` in the same order, the texts typed going to `texts`.
void addSettingOptions(CLI::App& command, const StructureKind& kind,
                       const std::vector<std::string_view>& help, std::vector<std::string>& texts);
// The settings the options gave, read as whole numbers; throws
// std::invalid_argument naming the option.
std::vector<std::optional<double>> settingConstants(const CLI::App& parsed,
                                                    const StructureKind& kind,
                                                    const std::vector<std::string>& texts);
// Why a structure mode refuses a shared option (the wave models: its waves
// are given), empty for one it honours.
std::string structureRefuses(Shared option);
// A stable name among `names`; throws std::invalid_argument listing them.
std::size_t choiceOf(std::string_view option, const std::string& text,
                     std::span<const std::string_view> names);
// The rows of FILE through `kind`, with the shared options.
int runStructureFile(const std::string& file, const SharedValues& shared, StructureKind kind,
                     std::vector<std::optional<double>> constants);

}  // namespace saiha::cli
