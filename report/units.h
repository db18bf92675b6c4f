// The unit of every column the faces write, once: saiha-calc's CSV headers
// with --units ("Hb [m]"), the units of Python's frames (attrs["units"]) and
// of its xarray variables.  Units are spelt as the CF conventions and
// UDUNITS write them ("m s-1", "degree", "m3 year-1"); "1" is a number
// without dimension (a ratio, a fraction, a slope's denominator).  Columns of text (names, errors, the
// breaking point's mark) and warning bits have no unit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "saiha/export.h"

namespace saiha::report {

// The unit of the column `name`; nothing for a column of text, of warning
// bits, or one the program does not write (an input's own column).
SAIHA_API std::optional<std::string_view> columnUnit(std::string_view name);

// `name` as a header with its unit, "name [unit]"; `name` itself where the
// column has no unit.
SAIHA_API std::string withUnit(std::string_view name);

// The same in the table of one mode ("caisson", "armour", ...): a name whose
// quantity differs between tables takes that table's unit (P is Goda's
// horizontal force on a caisson, in N m-1, and the notional permeability of
// rock armour, a number); any other name its one unit.
SAIHA_API std::optional<std::string_view> columnUnit(std::string_view name,
                                                     std::string_view mode);
SAIHA_API std::string withUnit(std::string_view name, std::string_view mode);

}  // namespace saiha::report
