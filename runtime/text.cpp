#include "runtime/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace saiha::rt {

namespace {
bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text while skipping blanks, tabs and line feeds.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) { skip(); }
  bool done() const { return pos_ >= text_.size(); }
  char peek() const { return done() ? '\0' : text_[pos_]; }
  void next() {
    ++pos_;
    skip();
  }

 private:
  void skip() {
    while (pos_ < text_.size() && isSkipped(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Integers of up to 15 digits, and the powers of ten up to 10^15, are exact
// doubles.
constexpr int kExactDigits = 15;
constexpr double kPowersOfTen[kExactDigits + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,
                                                   1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                   1e12, 1e13, 1e14, 1e15};

// The common case, read straight from the text: an optional minus, digits
// with at most one full stop, then the end of the text or a character that
// neither continues the number nor is skipped.  Nothing when the text is not
// of that form; the general reading then decides.
std::optional<double> plainNumber(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* const start = p;
  std::uint64_t digits = 0;  // the digits as one integer, while they fit
  int digitCount = 0, decimals = 0;
  bool pointSeen = false;
  for (; p != end; ++p) {
    if (isDigit(*p)) {
      if (++digitCount <= kExactDigits) digits = digits * 10 + static_cast<unsigned>(*p - '0');
      if (pointSeen) ++decimals;
    } else if (*p == '.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
  }
  if (digitCount == 0) return std::nullopt;
  if (p != end && (isSkipped(*p) || *p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
    return std::nullopt;
  }
  // Up to 15 digits the integer and the power of ten are exact doubles, so
  // their quotient, rounded once, is the double nearest to the text: what
  // from_chars gives, for the cost of one division.
  if (digitCount <= kExactDigits) {
    const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return negative ? -value : value;
  }
  double value = 0.0;
  const auto [read, ec] = std::from_chars(start, p, value, std::chars_format::general);
  // Beyond the double range the general reading tells overflow from underflow.
  if (ec != std::errc() || read != p) return std::nullopt;
  return negative ? -value : value;
}
}  // namespace

std::optional<double> leadingNumber(std::string_view text) {
  if (const auto plain = plainNumber(text)) return plain;
  Scanner in(text);
  std::string number;  // sign, mantissa and exponent, blanks removed
  bool negative = false;
  if (in.peek() == '+' || in.peek() == '-') {
    negative = in.peek() == '-';
    in.next();
  }
  // Mantissa; `scale` is the decimal exponent of the first significant digit
  // relative to the units place, used only to tell overflow from underflow.
  bool anyDigit = false, pointSeen = false, significant = false;
  long scale = 0;
  for (;;) {
    const char c = in.peek();
    if (isDigit(c)) {
      anyDigit = true;
      if (c != '0' && !significant) significant = true;
      if (significant && !pointSeen) ++scale;
      if (!significant && pointSeen) --scale;
      number.push_back(c);
    } else if (c == '.' && !pointSeen) {
      pointSeen = true;
      number.push_back(c);
    } else {
      break;
    }
    in.next();
  }
  if (!anyDigit) return std::nullopt;

  // Exponent: E or D, an optional sign, at least one digit.  Without its
  // digits the marker is not part of the number.
  long exponent = 0;
  if (const char c = in.peek(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    in.next();
    bool expNegative = false;
    if (in.peek() == '+' || in.peek() == '-') {
      expNegative = in.peek() == '-';
      in.next();
    }
    if (isDigit(in.peek())) {
      while (isDigit(in.peek())) {
        // Exponents beyond a few thousand only say "infinite" or "zero".
        if (exponent < 100000) exponent = exponent * 10 + (in.peek() - '0');
        in.next();
      }
      if (expNegative) exponent = -exponent;
      number += 'e';
      number += std::to_string(exponent);
    }
  }

  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    value = scale + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

namespace {

// "00" to "99", the two digits of each number below 100 side by side.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[std::size_t(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[std::size_t(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

char* twoDigits(char* out, unsigned n) {
  out[0] = kDigitPairs[2 * n];
  out[1] = kDigitPairs[2 * n + 1];
  return out + 2;
}

}  // namespace

char* writeResult(char* out, float value) {
  const double v = value;
  // A float has 24 significant bits, so v·100 (7 more bits) is exact in a
  // double and rounding it to an integer, ties to even, rounds v itself to
  // the nearest hundredth.  Up to 2^53 the integer is exact too.
  if (std::fabs(v) < 0x1p53 / 100) {
    // |v·100| to the nearest integer, ties to even, as nearbyint gives it in
    // the default rounding mode: below 2^52 by adding 2^52 and taking it away
    // (the sum's last bit is the units), above it the number is whole.
    double scaled = std::fabs(v * 100);
    if (scaled < 0x1p52) scaled = (scaled + 0x1p52) - 0x1p52;
    const auto units = static_cast<std::uint64_t>(scaled);
    std::uint64_t whole = units / 100;
    const auto cents = static_cast<unsigned>(units - whole * 100);
    if (std::signbit(v)) *out++ = '-';  // also "-0.00", as the rounded value's sign
    if (whole < 10) {
      *out++ = static_cast<char>('0' + whole);
    } else if (whole < 100) {
      out = twoDigits(out, static_cast<unsigned>(whole));
    } else {
      int wholeDigits = 1;
      for (std::uint64_t rest = whole; rest >= 10; rest /= 10) ++wholeDigits;
      char* const point = out + wholeDigits;
      for (char* at = point; at != out; whole /= 10) *--at = static_cast<char>('0' + whole % 10);
      out = point;
    }
    *out++ = '.';
    return twoDigits(out, cents);
  }
  // Larger values: the exact decimal expansion of the binary value (39
  // integer digits cover FLT_MAX; room for sign, point and two decimals).
  const auto [end, ec] = std::to_chars(out, out + kMaxResultChars, v, std::chars_format::fixed, 2);
  if (ec != std::errc()) return std::copy_n("????", 4, out);
  return end;
}

char* writeShortest(char* out, float value) {
  const auto [end, ec] = std::to_chars(out, out + kMaxResultChars, value);
  if (ec != std::errc()) return std::copy_n("nan", 3, out);
  if (!std::isfinite(value)) return end;
  // The shortest text names the float when read as a float; the sheet reads
  // it as a double and narrows, which could round a text lying within half a
  // double ulp of a midpoint between two floats the other way.  Nine
  // significant digits always read back exactly.
  const auto back = leadingNumber(std::string_view(out, static_cast<std::size_t>(end - out)));
  if (back && static_cast<float>(*back) == value) return end;
  return std::to_chars(out, out + kMaxResultChars, value, std::chars_format::general, 9).ptr;
}

std::string formatResult(float value) {
  char buffer[kMaxResultChars];
  return std::string(buffer, writeResult(buffer, value));
}

std::string formatShortest(float value) {
  char buffer[kMaxResultChars];
  return std::string(buffer, writeShortest(buffer, value));
}

}  // namespace saiha::rt
