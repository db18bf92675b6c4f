#include "cli/say.h"

namespace saiha::cli {

namespace {
report::Language gLanguage = report::Language::Japanese;
}  // namespace

report::Language messageLanguage() { return gLanguage; }
void setMessageLanguage(report::Language language) { gLanguage = language; }

std::string say(report::Usage usage, std::initializer_list<std::string_view> details) {
  return report::usageText(usage, details, gLanguage);
}

std::string atLine(std::size_t line) {
  return say(report::Usage::AtLine, {std::to_string(line)});
}

}  // namespace saiha::cli
