#include "report/csv_text.h"

namespace saiha::report {

bool csvNeedsQuotes(std::string_view field) {
  for (const char c : field) {
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

void appendCsvField(std::string& out, std::string_view field) {
  if (!csvNeedsQuotes(field)) {
    out += field;
    return;
  }
  out.push_back('"');
  for (char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace saiha::report
