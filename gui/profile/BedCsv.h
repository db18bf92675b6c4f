// A measured cross-shore profile read from a CSV file: a header line naming
// the columns, `x` and `z` among them in any order (others are skipped), one
// profile point a line.  x (m) increases onshore from the offshore boundary;
// z (m) is the bed elevation, negative below the still-water datum.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <optional>
#include <vector>

namespace saiha::profile {

struct MeasuredBed {
  std::vector<double> x;
  std::vector<double> z;
  // The file's line of each point (1 is the header), for messages.
  std::vector<int> lines;
};

class BedCsv {
  Q_DECLARE_TR_FUNCTIONS(saiha::profile::BedCsv)

 public:
  // The largest file read (bytes): a profile of a million points fits.
  static constexpr qint64 kMaxBytes = 64 << 20;

  // The profile in `bytes`, or nothing with the reason in `*error` (in the
  // window's language), naming the line and the value: no x or z column, a
  // line with too few fields, a cell that is no number, a number that is not
  // finite, an x not above the one before it, fewer than two points.
  // Empty lines are skipped; a UTF-8 byte-order mark, CR LF line ends and
  // blanks or double quotes around a cell are allowed.
  static std::optional<MeasuredBed> read(const QByteArray& bytes, QString* error);
  // The same from a file, with the file's own faults (missing, unreadable,
  // too large) in `*error`.
  static std::optional<MeasuredBed> readFile(const QString& path, QString* error);
};

}  // namespace saiha::profile
