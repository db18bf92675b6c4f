// A measured cross-shore profile read from its CSV file, for every face: a
// header naming the columns `x` and `z` (in any order, each once; other
// columns are skipped), one profile point a record.  x (m) increases
// strictly onshore from the offshore boundary; z (m) is the bed elevation,
// negative below the still-water datum, the first point below it.
//
// The reader turns text into numbers and says what is wrong as a typed
// fault (what, the line, the column, the cell); each face words the fault in
// its language (bedProfileFaultText in report/messages.h).  One set of
// limits for every face, so that no file can make a face block or grow:
// - only a regular file is read (a FIFO, a terminal or /dev/zero is
//   refused before a byte is read; it is opened without blocking);
// - at most kMaxBedProfileBytes are read;
// - at most kMaxBedProfilePoints points are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saiha/export.h"

namespace saiha::report {

// The largest profile file read (bytes): a profile of the most points with
// many other columns fits many times over.
inline constexpr std::size_t kMaxBedProfileBytes = std::size_t{64} << 20;
// The most points a profile may hold: every condition keeps ten results per
// point, and the window draws every point.
inline constexpr std::size_t kMaxBedProfilePoints = 20000;

enum class BedFaultKind : std::uint8_t {
  None,
  CannotOpen,      // the file cannot be opened (`error` the system's errno)
  NotRegularFile,  // a FIFO, a device, a directory: not a file of text
  TooLarge,        // more than kMaxBedProfileBytes
  CannotRead,      // a read failed (`error` the errno)
  Empty,           // no header
  BadText,         // NUL bytes, a quote left open or text after a closing quote (line)
  MissingColumn,   // the header lacks `column` (x or z)
  DuplicateColumn, // the header names `column` twice
  FieldCount,      // a record of `count` fields where the header has `expected`
  NotANumber,      // `column`'s cell `value` is no finite number
  NotIncreasing,   // x = `value` does not exceed the x before it
  TooManyPoints,   // more than kMaxBedProfilePoints points (line: the first beyond)
  TooFewPoints,    // fewer than two points (`count` of them)
  DryBoundary,     // the first point (x `at`) at or above the datum, z = `value`
};

struct BedFault {
  BedFaultKind kind = BedFaultKind::None;
  std::size_t line = 0;      // the file's line (1 the header), 0 for the whole file
  std::string column;        // "x" or "z" where one is meant
  std::string value;         // the cell as written (at most 40 characters, controls as '?')
  std::string at;            // the x of the point meant (NotIncreasing: the x before it)
  std::size_t count = 0, expected = 0;
  int error = 0;             // errno of CannotOpen and CannotRead
};

// How the cells are written: the field separator (',', ';' or a tab) and a
// decimal comma in place of the point.
struct BedFormat {
  char delimiter = ',';
  bool decimalComma = false;
  // Whether the first point must lie below the datum (DryBoundary): a face
  // whose tide differs per condition refuses a dry boundary at reading; the
  // window, whose tide box may still flood it, leaves it to the engine.
  bool wetBoundary = false;
};

struct BedProfileText {
  std::vector<double> x, z;
  // The cells as the file gives them (blanks around them dropped), for
  // faces that write them back; the line of each point.
  std::vector<std::string> xText, zText;
  std::vector<std::size_t> lines;
  BedFault fault;  // kind None when the profile was read
  bool ok() const { return fault.kind == BedFaultKind::None; }
};

// The profile in `text` (a UTF-8 byte-order mark, CR LF line ends, blank
// lines and double-quoted cells allowed).
SAIHA_API BedProfileText readBedProfile(std::string_view text, const BedFormat& format = {});

// The profile in the file `path`: only a regular file, at most
// kMaxBedProfileBytes of it.
SAIHA_API BedProfileText readBedProfileFile(const std::string& path, const BedFormat& format = {});

}  // namespace saiha::report
