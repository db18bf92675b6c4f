// How saiha-calc's CSV is spelt, in and out: the field separator, the
// decimal mark of numbers, a byte-order mark at the start of the output, and
// whether a cell must hold its number alone.  The default is RFC 4180 with
// full stops, what every run wrote before these choices existed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace saiha::cli {

struct CsvFormat {
  // The field separator of the input and the output: ',' (default), ';' or
  // '\t', as spreadsheets in countries with a decimal comma save CSV.
  char delimiter = ',';
  // Numbers read and written with ',' as the decimal mark: in an input cell
  // ',' is read as the full stop is otherwise (and a full stop ends the
  // number as a comma ends it otherwise: "1.5" reads as 1); every number the
  // output writes has ',' in place of '.'.  Needs a delimiter other than ','.
  bool decimalComma = false;
  // The output starts with a UTF-8 byte-order mark (spreadsheets that take
  // CSV without one for the local code page want it).
  bool bom = false;
  // A number cell whose text goes on after its number ("3ft", "10 s", "1,5"
  // in quotes) fails its row instead of reading as its leading number.
  bool strict = false;

  // Why the choices do not go together, or nothing when they do.
  std::optional<std::string> problem() const {
    if (delimiter != ',' && delimiter != ';' && delimiter != '\t') {
      return "the delimiter must be ',', ';' or tab";
    }
    if (decimalComma && delimiter == ',') {
      return "--decimal-comma needs --delimiter ';' or --delimiter tab (a comma cannot both "
             "separate the fields and mark the decimals)";
    }
    return std::nullopt;
  }
};

// The separator a --delimiter option names: ",", ";", "tab" or a tab
// character itself; nothing for any other text.
inline std::optional<char> delimiterNamed(std::string_view name) {
  if (name == "," || name == "comma") return ',';
  if (name == ";" || name == "semicolon") return ';';
  if (name == "tab" || name == "\t") return '\t';
  return std::nullopt;
}

}  // namespace saiha::cli
