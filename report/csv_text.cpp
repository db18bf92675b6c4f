#include "report/csv_text.h"

namespace saiha::report {

bool csvNeedsQuotes(std::string_view field, char delimiter) {
  for (const char c : field) {
    if (c == delimiter || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

void appendCsvField(std::string& out, std::string_view field, char delimiter) {
  if (!csvNeedsQuotes(field, delimiter)) {
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

void useDecimalComma(std::string& number) {
  for (char& c : number) {
    if (c == '.') c = ',';
  }
}

}  // namespace saiha::report
