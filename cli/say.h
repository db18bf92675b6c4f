// The language of saiha-calc's own messages and the catalogue's texts in it,
// for the reader, the tables and the program alike.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "report/messages.h"

namespace saiha::cli {

// The language of saiha-calc's own messages (--lang, else SAIHA_LANG, else
// Japanese), set as soon as the command line is read and before any thread
// starts; Japanese before.
report::Language messageLanguage();
void setMessageLanguage(report::Language language);
// A message of the catalogue (report::usageText) in that language.
std::string say(report::Usage usage, std::initializer_list<std::string_view> details = {});
// "line N: " before a fault of input line N, in that language.
std::string atLine(std::size_t line);

}  // namespace saiha::cli
