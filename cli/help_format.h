// saiha-calc's help screens wrapped to the terminal: CLI11 lays out each
// option with its description on one line, however long; here every line
// longer than the width is broken between words, its continuation indented
// under the text it continues (an option's description under its
// description, a paragraph under its own first word).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

namespace saiha::cli {

// The columns of the terminal standard output goes to; 80 when it is no
// terminal (a pipe, a file) or tells no width.
std::size_t helpWidth();

// `text` with each line wider than `width` columns (UTF-8 characters) broken
// at blanks.  A continuation starts where the line's text does: after the
// leading blanks, or where an option's description starts, after the first
// run of two or more blanks that follows the option's names.  A word wider
// than the room stays whole.
std::string wrapHelp(std::string_view text, std::size_t width);

// CLI11's help, wrapped to helpWidth().
class WrappedHelp : public CLI::Formatter {
 public:
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
};

}  // namespace saiha::cli
