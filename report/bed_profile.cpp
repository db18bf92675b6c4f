#include "report/bed_profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace saiha::report {

namespace {

std::string_view trimmed(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
  return cell;
}

// A cell as a fault shows it: at most 40 characters, control characters
// as '?'.
std::string shown(std::string_view cell) {
  std::string out;
  for (const char c : cell.substr(0, 40)) {
    out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
  }
  if (cell.size() > 40) out += "...";
  return out;
}

// A cell read whole: a finite number and nothing else (a leading '+'
// allowed; with a decimal comma, no full stop).
std::optional<double> number(std::string_view cell, bool decimalComma) {
  std::string text(trimmed(cell));
  if (decimalComma) {
    if (text.find('.') != std::string::npos) return std::nullopt;
    std::replace(text.begin(), text.end(), ',', '.');
  }
  if (!text.empty() && text.front() == '+') text.erase(0, 1);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// Splits CSV text into records of fields (RFC 4180 quoting), one record at
// a time, knowing the line each starts on.
class Records {
 public:
  Records(std::string_view text, char delimiter) : rest_(text), delimiter_(delimiter) {
    if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);
  }

  // The next record that is not blank into `fields`; false at the end.
  // A fault of the text goes to `fault`.
  bool next(std::vector<std::string>& fields, std::size_t& line, BedFault& fault) {
    for (;;) {
      if (rest_.empty()) return false;
      line = ++line_;
      fields.assign(1, std::string());
      bool quoted = false, closed = false, any = false;
      std::size_t i = 0;
      for (; i < rest_.size(); ++i) {
        const char c = rest_[i];
        if (c == '\0') return bad(fault, line_);
        if (quoted) {
          if (c == '"') {
            if (i + 1 < rest_.size() && rest_[i + 1] == '"') {
              fields.back().push_back('"');
              ++i;
            } else {
              quoted = false;
              closed = true;
            }
          } else {
            if (c == '\n') ++line_;
            fields.back().push_back(c);
          }
          continue;
        }
        if (c == '\n') break;
        if (c == '\r' && (i + 1 == rest_.size() || rest_[i + 1] == '\n')) continue;
        if (c == delimiter_) {
          fields.emplace_back();
          closed = false;
          any = true;
          continue;
        }
        if (c == '"') {
          if (closed || !trimmed(fields.back()).empty()) return bad(fault, line_);
          fields.back().clear();
          quoted = true;
          any = true;
          continue;
        }
        if (closed) {
          if (c == ' ' || c == '\t') continue;
          return bad(fault, line_);
        }
        fields.back().push_back(c);
        if (c != ' ' && c != '\t') any = true;
      }
      if (quoted) return bad(fault, line);
      rest_ = i < rest_.size() ? rest_.substr(i + 1) : std::string_view();
      if (any) return true;  // a line of blanks alone is skipped
    }
  }

 private:
  static bool bad(BedFault& fault, std::size_t line) {
    fault.kind = BedFaultKind::BadText;
    fault.line = line;
    return false;
  }

  std::string_view rest_;
  char delimiter_;
  std::size_t line_ = 0;
};

// A fault of `kind` with what it names.
BedFault faultOf(BedFaultKind kind, std::size_t line = 0, std::string column = {},
                 std::string value = {}, std::string at = {}, std::size_t count = 0,
                 std::size_t expected = 0) {
  BedFault f;
  f.kind = kind;
  f.line = line;
  f.column = std::move(column);
  f.value = std::move(value);
  f.at = std::move(at);
  f.count = count;
  f.expected = expected;
  return f;
}

BedProfileText withFault(BedFault fault) {
  BedProfileText out;
  out.fault = std::move(fault);
  return out;
}

}  // namespace

BedProfileText readBedProfile(std::string_view text, const BedFormat& format) {
  BedProfileText profile;
  BedFault& fault = profile.fault;
  Records records(text, format.delimiter);
  std::vector<std::string> fields;
  std::size_t line = 0;
  if (!records.next(fields, line, fault)) {
    if (fault.kind == BedFaultKind::None) fault.kind = BedFaultKind::Empty;
    return profile;
  }
  // The header: x and z, each once.
  std::optional<std::size_t> at[2];
  const char* const names[2] = {"x", "z"};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    for (int k = 0; k < 2; ++k) {
      if (trimmed(fields[i]) != names[k]) continue;
      if (at[k]) return withFault(faultOf(BedFaultKind::DuplicateColumn, line, names[k]));
      at[k] = i;
    }
  }
  for (int k = 0; k < 2; ++k) {
    if (!at[k]) return withFault(faultOf(BedFaultKind::MissingColumn, line, names[k]));
  }
  const std::size_t width = fields.size();
  while (records.next(fields, line, fault)) {
    if (fields.size() != width) {
      return withFault(faultOf(BedFaultKind::FieldCount, line, {}, {}, {}, fields.size(), width));
    }
    if (profile.x.size() == kMaxBedProfilePoints) {
      return withFault(
          faultOf(BedFaultKind::TooManyPoints, line, {}, {}, {}, kMaxBedProfilePoints));
    }
    double values[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      const std::string_view cell = fields[*at[k]];
      const auto value = number(cell, format.decimalComma);
      if (!value) return withFault(faultOf(BedFaultKind::NotANumber, line, names[k], shown(cell)));
      values[k] = *value;
    }
    const std::string_view xCell = trimmed(fields[*at[0]]);
    if (!profile.x.empty() && !(values[0] > profile.x.back())) {
      return withFault(
          faultOf(BedFaultKind::NotIncreasing, line, "x", shown(xCell), shown(profile.xText.back())));
    }
    profile.x.push_back(values[0]);
    profile.z.push_back(values[1]);
    profile.xText.emplace_back(xCell);
    profile.zText.emplace_back(trimmed(fields[*at[1]]));
    profile.lines.push_back(line);
  }
  if (fault.kind != BedFaultKind::None) return withFault(fault);
  if (profile.x.size() < 2) {
    return withFault(faultOf(BedFaultKind::TooFewPoints, 0, {}, {}, {}, profile.x.size()));
  }
  if (format.wetBoundary && !(profile.z.front() < 0)) {
    return withFault(faultOf(BedFaultKind::DryBoundary, profile.lines.front(), "z",
                      shown(profile.zText.front()), shown(profile.xText.front())));
  }
  return profile;
}

BedProfileText readBedProfileFile(const std::string& path, const BedFormat& format) {
  // Opened without blocking, so that a FIFO with no writer cannot hold the
  // face; its type checked before a byte is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    BedFault fault = faultOf(BedFaultKind::CannotOpen);
    fault.error = errno;
    return withFault(fault);
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    return withFault(faultOf(BedFaultKind::NotRegularFile));
  }
  if (info.st_size > static_cast<off_t>(kMaxBedProfileBytes)) {
    return withFault(faultOf(BedFaultKind::TooLarge));
  }
  // A regular file that grows while it is read is read no further than the
  // limit all the same.
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char block[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      BedFault fault = faultOf(BedFaultKind::CannotRead);
      fault.error = errno;
      return withFault(fault);
    }
    text.append(block, static_cast<std::size_t>(got));
    if (text.size() > kMaxBedProfileBytes) return withFault(faultOf(BedFaultKind::TooLarge));
  }
  return readBedProfile(text, format);
}

}  // namespace saiha::report
