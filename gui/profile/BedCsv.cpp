#include "gui/profile/BedCsv.h"

#include <QFile>
#include <charconv>
#include <cmath>
#include <string_view>

#include "gui/language.h"
#include "report/messages.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {

std::string_view trimmed(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t' || cell.back() == '\r')) {
    cell.remove_suffix(1);
  }
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
    cell = cell.substr(1, cell.size() - 2);
  }
  return cell;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    out.push_back(trimmed(line.substr(start, comma - start)));
    if (comma == std::string_view::npos) return out;
    start = comma + 1;
  }
}

// The whole cell as a number (a leading '+' allowed); nothing when any of it
// is not.  "nan" and "inf" read as such, and are refused as not finite.
std::optional<double> number(std::string_view cell) {
  if (!cell.empty() && cell.front() == '+') cell.remove_prefix(1);
  if (cell.empty()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (ec != std::errc() || end != cell.data() + cell.size()) return std::nullopt;
  return value;
}

QString text(std::string_view cell) { return QString::fromUtf8(cell.data(), qsizetype(cell.size())); }
QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}
QString catalogue(shore::Error error) {
  return QString::fromStdString(report::errorText(error, gui::language()));
}

}  // namespace

std::optional<MeasuredBed> BedCsv::read(const QByteArray& bytes, QString* error) {
  QString ignored;
  if (!error) error = &ignored;
  std::string_view rest(bytes.constData(), std::size_t(bytes.size()));
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  int lineNumber = 0;
  const auto nextLine = [&rest, &lineNumber](std::string_view& line) {
    if (rest.empty()) return false;
    const std::size_t end = rest.find('\n');
    line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    ++lineNumber;
    return true;
  };

  std::string_view line;
  if (!nextLine(line) || trimmed(line).empty()) {
    *error = tr("1 行目に列の見出し（x と z を含む）がありません．");
    return std::nullopt;
  }
  const std::vector<std::string_view> header = fields(line);
  std::size_t xColumn = header.size(), zColumn = header.size();
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (header[i] == "x" && xColumn == header.size()) xColumn = i;
    if (header[i] == "z" && zColumn == header.size()) zColumn = i;
  }
  if (xColumn == header.size() || zColumn == header.size()) {
    *error = tr("1 行目の見出しに x と z の列がありません（見出し: %1）．").arg(text(trimmed(line)));
    return std::nullopt;
  }
  const std::size_t needed = std::max(xColumn, zColumn) + 1;

  MeasuredBed bed;
  while (nextLine(line)) {
    if (trimmed(line).empty()) continue;
    const std::vector<std::string_view> cells = fields(line);
    if (cells.size() < needed) {
      *error = tr("%1 行目: 列が %2 個しかありません（x と z を読むには %3 個必要です）．")
                   .arg(lineNumber)
                   .arg(qsizetype(cells.size()))
                   .arg(qsizetype(needed));
      return std::nullopt;
    }
    double values[2] = {0, 0};
    const std::size_t columns[2] = {xColumn, zColumn};
    const char* names[2] = {"x", "z"};
    for (int k = 0; k < 2; ++k) {
      const std::string_view cell = cells[columns[k]];
      const std::optional<double> value = number(cell);
      if (!value) {
        *error = tr("%1 行目: %2 = \"%3\" は数値ではありません．")
                     .arg(lineNumber)
                     .arg(QLatin1String(names[k]), text(cell));
        return std::nullopt;
      }
      if (!std::isfinite(*value)) {
        *error = catalogue(shore::Error::ProfileNotFinite) + QLatin1Char('\n') +
                 tr("%1 行目: %2 = %3").arg(lineNumber).arg(QLatin1String(names[k]), text(cell));
        return std::nullopt;
      }
      values[k] = *value;
    }
    if (!bed.x.empty() && !(values[0] > bed.x.back())) {
      *error = catalogue(shore::Error::ProfileNotIncreasing) + QLatin1Char('\n') +
               tr("%1 行目: x = %2 m が前の点（%3 行目）の x = %4 m より大きくありません．")
                   .arg(lineNumber)
                   .arg(shortest(values[0]))
                   .arg(bed.lines.back())
                   .arg(shortest(bed.x.back()));
      return std::nullopt;
    }
    bed.x.push_back(values[0]);
    bed.z.push_back(values[1]);
    bed.lines.push_back(lineNumber);
  }
  if (bed.x.size() < 2) {
    *error = catalogue(shore::Error::ProfileTooShort) + QLatin1Char('\n') +
             tr("読めた断面点: %1 点").arg(qsizetype(bed.x.size()));
    return std::nullopt;
  }
  return bed;
}

std::optional<MeasuredBed> BedCsv::readFile(const QString& path, QString* error) {
  QString ignored;
  if (!error) error = &ignored;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = tr("断面ファイルを開けませんでした: %1").arg(path);
    return std::nullopt;
  }
  if (file.size() > kMaxBytes) {
    *error = tr("断面ファイルが大きすぎます（%1 MB まで）: %2").arg(kMaxBytes >> 20).arg(path);
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  std::optional<MeasuredBed> bed = read(bytes, error);
  if (!bed) *error = path + QLatin1Char('\n') + *error;
  return bed;
}

}  // namespace saiha::profile
