#include "report/language.h"

namespace saiha::report {

std::optional<Language> languageNamed(std::string_view name) {
  // The language part of a locale name: "en_GB.UTF-8" → "en".
  const std::string_view part = name.substr(0, name.find_first_of("_.@-"));
  if (part == "ja") return Language::Japanese;
  if (part == "en") return Language::English;
  return std::nullopt;
}

std::string_view languageCode(Language language) {
  return language == Language::English ? "en" : "ja";
}

}  // namespace saiha::report
