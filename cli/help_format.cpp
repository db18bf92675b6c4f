#include "cli/help_format.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace saiha::cli {

namespace {

// Columns of UTF-8 text: every byte but continuation bytes.
std::size_t columns(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Where a line's text starts for its continuations.
std::size_t hangingIndent(std::string_view line) {
  const std::size_t lead = std::min(line.find_first_not_of(' '), line.size());
  // "  -o,--output FILE     write the results ..." or "  profile     Writes
  // ...": the description's column, which CLI11 puts within its first 30
  // or so, after the names it indents by two.
  const std::size_t gap = line.find("  ", lead);
  if (gap != std::string_view::npos && gap <= 32 && lead < line.size()) {
    const std::string_view names = line.substr(lead, gap - lead);
    const std::size_t text = line.find_first_not_of(' ', gap);
    // Not a sentence that ends before two blanks ("... rule.  Numbers").
    if (text != std::string_view::npos && lead >= 2 && names.back() != '.' &&
        names.back() != ':') {
      return text;
    }
  }
  return lead;
}

void wrapLine(std::string_view line, std::size_t width, std::string& out) {
  if (columns(line) <= width) {
    out.append(line);
    return;
  }
  std::size_t indent = hangingIndent(line);
  if (indent + 20 > width) indent = std::min(line.find_first_not_of(' '), width / 2);
  std::size_t used = 0;  // columns on the output line so far
  std::size_t pos = 0;
  while (pos < line.size()) {
    // The next word with the blanks before it.
    const std::size_t wordStart = std::min(line.find_first_not_of(' ', pos), line.size());
    const std::size_t wordEnd = std::min(line.find(' ', wordStart), line.size());
    const std::string_view blanks = line.substr(pos, wordStart - pos);
    const std::string_view word = line.substr(wordStart, wordEnd - wordStart);
    // Nothing is broken off before the line reaches its text (an option's
    // names stay together), nor a word from a line that holds no other.
    if (used + columns(blanks) + columns(word) <= width || used <= indent) {
      out.append(blanks).append(word);
      used += columns(blanks) + columns(word);
    } else {
      out.push_back('\n');
      out.append(indent, ' ').append(word);
      used = indent + columns(word);
    }
    pos = wordEnd;
  }
}

}  // namespace

std::size_t helpWidth() {
  winsize size{};
  if (::isatty(STDOUT_FILENO) == 1 && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 &&
      size.ws_col > 0) {
    return std::max<std::size_t>(size.ws_col, 40);
  }
  return 80;
}

std::string wrapHelp(std::string_view text, std::size_t width) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = std::min(text.find('\n', begin), text.size());
    wrapLine(text.substr(begin, end - begin), width, out);
    if (end < text.size()) out.push_back('\n');
    begin = end + 1;
  }
  return out;
}

std::string WrappedHelp::make_help(const CLI::App* app, std::string name,
                                   CLI::AppFormatMode mode) const {
  return wrapHelp(CLI::Formatter::make_help(app, std::move(name), mode), helpWidth());
}

}  // namespace saiha::cli
