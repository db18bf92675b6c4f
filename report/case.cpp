#include "report/case.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/text.h"

namespace saiha::report {

std::optional<float> defaultDepth(const shore::Breaking& breaking) {
  char shown[rt::kMaxResultChars];
  const char* const end = rt::writeResult(shown, breaking.hb);
  const float depth = static_cast<float>(
      rt::readNumber(std::string_view(shown, static_cast<std::size_t>(end - shown))));
  if (!(depth > 0)) return std::nullopt;
  return depth;
}

double inputNumber(std::string_view text) {
  return rt::leadingNumber(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a text holds more than the number at its start, as rt::leadingNumber
// reads it: blanks, tabs and line feeds skipped wherever they stand, an
// optional sign, digits with at most one full stop, an exponent only with
// its digits.  False for a text without a number.
bool textAfterNumber(std::string_view text) {
  std::size_t pos = 0;
  const auto skip = [&] {
    while (pos < text.size() && isSkipped(text[pos])) ++pos;
  };
  const auto peek = [&] { return pos < text.size() ? text[pos] : '\0'; };
  const auto next = [&] {
    ++pos;
    skip();
  };
  skip();
  if (peek() == '+' || peek() == '-') next();
  bool anyDigit = false, pointSeen = false;
  for (;; next()) {
    const char c = peek();
    if (isDigit(c)) {
      anyDigit = true;
    } else if (c == '.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  if (const char c = peek(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    const std::size_t marker = pos;
    next();
    if (peek() == '+' || peek() == '-') next();
    if (isDigit(peek())) {
      while (isDigit(peek())) next();
      // Fortran's D exponent ("1d-1") is read as the box reads it, but it
      // is no number anywhere else a CSV goes: it says more than its number.
      if (c == 'd' || c == 'D') return true;
    } else {
      pos = marker;  // a marker without digits is not part of the number
    }
  }
  return pos < text.size();
}

}  // namespace

CellNumber readCell(std::string_view text, bool decimalComma) {
  std::string swapped;
  if (decimalComma) {
    swapped.assign(text);
    for (char& c : swapped) c = c == ',' ? '.' : c == '.' ? ',' : c;
    text = swapped;
  }
  return {inputNumber(text), textAfterNumber(text)};
}

bool saysMoreThanNumber(std::string_view text, bool decimalComma) {
  return decimalComma ? readCell(text, true).trailingText : textAfterNumber(text);
}

bool beyondSingle(std::string_view text, bool decimalComma) {
  const double value = readCell(text, decimalComma).value;
  if (std::abs(value) > std::numeric_limits<float>::max()) return true;  // ±inf too
  std::string word;
  for (const char c : text) {
    if (isSkipped(c)) continue;
    word.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  if (!word.empty() && (word.front() == '+' || word.front() == '-')) word.erase(0, 1);
  return word == "inf" || word == "infinity";
}

CaseResult calcCase(const shore::Wave& wave, std::optional<double> depth,
                    const shore::Model& model) noexcept {
  return calcCase(shore::findBreaking(wave, model), depth);
}

namespace {
// The case up to its state: the breaking point and the depth chosen (in
// `depth`); false where it ended before the state.
bool caseDepth(CaseResult& r, std::optional<double>& depth) {
  if (!r.breaking.ok()) {
    r.error = r.breaking.error;
    return false;
  }
  if (!depth) {
    const std::optional<float> written = defaultDepth(r.breaking);
    if (!written) {
      r.error = shore::Error::BreakingDepthTooSmall;
      return false;
    }
    // The single read back from the two-decimal text: the depth the sheet's
    // box holds after the copy.
    depth = *written;
    r.depthDefaulted = true;
  }
  return true;
}
}  // namespace

CaseResult calcCase(const shore::Breaking& breaking, std::optional<double> depth) noexcept {
  CaseResult r;
  r.breaking = breaking;
  if (!caseDepth(r, depth)) return r;
  r.state = shore::stateAt(r.breaking, *depth);
  r.error = r.state.error;
  return r;
}

void calcCases(std::span<const shore::Breaking> breakings,
               std::span<const std::optional<double>> depths,
               std::span<CaseResult> out) noexcept {
  const std::size_t count = std::min({breakings.size(), depths.size(), out.size()});
  // In blocks on the stack, so that nothing allocates.
  constexpr std::size_t kBlock = 128;
  std::array<shore::Breaking, kBlock> reached;
  std::array<double, kBlock> chosen;
  std::array<std::size_t, kBlock> caseOf;
  std::array<shore::State, kBlock> states;
  for (std::size_t first = 0; first < count; first += kBlock) {
    const std::size_t end = std::min(count, first + kBlock);
    std::size_t n = 0;
    for (std::size_t i = first; i < end; ++i) {
      CaseResult& r = out[i];
      r = CaseResult{};
      r.breaking = breakings[i];
      std::optional<double> depth = depths[i];
      if (!caseDepth(r, depth)) continue;
      reached[n] = r.breaking;
      chosen[n] = *depth;
      caseOf[n++] = i;
    }
    shore::stateAt(std::span(reached.data(), n), std::span(chosen.data(), n),
                   std::span(states.data(), n));
    for (std::size_t k = 0; k < n; ++k) {
      CaseResult& r = out[caseOf[k]];
      r.state = states[k];
      r.error = r.state.error;
    }
  }
}

}  // namespace saiha::report
