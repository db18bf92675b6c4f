// CSV as RFC 4180 writes it, for every table the front ends export:
// comma-separated fields, a field quoted (inner quotes doubled) when it holds
// a comma, a double quote, CR or LF, and LF at the end of each record.
#pragma once

#include <string>
#include <string_view>

#include "saiha/export.h"

namespace saiha::report {

// Whether a field must be quoted: it holds the field separator (a comma
// unless told otherwise: ';' or a tab for spreadsheets that use them), a
// double quote, CR or LF.
SAIHA_API bool csvNeedsQuotes(std::string_view field, char delimiter = ',');

// Appends one field to `out`, quoted when it needs to be.
SAIHA_API void appendCsvField(std::string& out, std::string_view field, char delimiter = ',');

// Appends one record: the cells (anything that converts to string_view),
// separated by `delimiter`, ended by LF.
template <class Cells>
void appendCsvRecord(std::string& out, const Cells& cells, char delimiter = ',') {
  bool first = true;
  for (const auto& cell : cells) {
    if (!first) out.push_back(delimiter);
    first = false;
    appendCsvField(out, std::string_view(cell), delimiter);
  }
  out.push_back('\n');
}

// A number's text with the decimal comma: every '.' becomes ','.
SAIHA_API void useDecimalComma(std::string& number);

}  // namespace saiha::report
