// The two languages every text of the program comes in.  Japanese is the
// default everywhere; English is chosen explicitly (saiha --lang en,
// saiha-calc --lang en, SAIHA_LANG=en, the window's 言語 / Language menu,
// Python's lang="en").
#pragma once

#include <optional>
#include <string_view>

#include "saiha/export.h"

namespace saiha::report {

enum class Language : unsigned char { Japanese, English };

// "ja" or "en"; a POSIX locale name such as "en_GB.UTF-8" or "ja_JP" counts
// by its language part.  Anything else is nullopt.
SAIHA_API std::optional<Language> languageNamed(std::string_view name);

// "ja" or "en".
SAIHA_API std::string_view languageCode(Language language);

// One text in both languages.  Tables of these keep every text next to its
// translation, so adding one is a single line.
struct Text {
  std::string_view ja;
  std::string_view en;
  constexpr std::string_view in(Language language) const {
    return language == Language::English ? en : ja;
  }
};

}  // namespace saiha::report
