// Text ↔ number rules of the calculation sheet.
//
// Both directions are independent of the process locale: the full stop is the
// only decimal mark, in and out.  Texts are ASCII.  Nothing here fails: every
// text reads as something and every value has a text; nothing throws but
// std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "saiha/export.h"

namespace saiha::rt {

// The number at the start of a box's text, or nothing when the text does not
// start with one.
//
// Blanks, tabs and line feeds are skipped wherever they stand ("1 2" is 12).
// Then an optional sign, digits with at most one full stop, and an optional
// exponent (E or D in either case, an optional sign, digits) are read; the
// first character that cannot continue the number ends it ("12 m" is 12,
// "1,5" is 1).  A mantissa needs at least one digit; an exponent marker
// without digits is ignored ("1e" is 1).  The value is the double nearest to
// the decimal text; beyond the double range it is ±infinity, below it ±0.
// Domain: any text.  Nothing (not an error) when no number starts it.
SAIHA_API std::optional<double> leadingNumber(std::string_view text);

// The sheet's reading of a text as a number: the leading number, or 0 when
// the text has none (the empty text included).  No text is ever rejected.
inline double readNumber(std::string_view text) { return leadingNumber(text).value_or(0.0); }

// A single-precision result as the sheet shows it, pattern "##0.00": fixed
// point, exactly two decimals, at least one digit before the point, no digit
// grouping, a leading minus for negative values.  The exact binary value is
// rounded to the nearest hundredth, ties to even (0.125 gives "0.12").
// Domain: any float; infinity and NaN give "inf", "-inf", "nan" ("-nan"
// with the sign bit set), for the caller to show as it shows a result not
// reached.
SAIHA_API std::string formatResult(float value);

// A single-precision value as the shortest decimal text that the sheet reads
// back (leadingNumber, then narrowed to single) as the same value: "2.0699999"
// style digits never appear where "2.07" reads back the same.  Domain: any
// float; infinity and NaN give "inf", "-inf" and "nan" ("-nan" with the
// sign bit set).
SAIHA_API std::string formatShortest(float value);

// Room enough for any text of formatResult or formatShortest: the 39 integer
// digits of the largest single, its sign, point and two decimals.
inline constexpr std::size_t kMaxResultChars = 48;

// formatResult and formatShortest written from `out` on, which must have room
// for kMaxResultChars; each returns the end of the text, which is not
// terminated.  These keep a row of many results free of a string per result.
// Never throw.
SAIHA_API char* writeResult(char* out, float value);
SAIHA_API char* writeShortest(char* out, float value);

}  // namespace saiha::rt
