#include "report/case.h"

#include <limits>

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

CaseResult calcCase(const shore::Wave& wave, std::optional<double> depth,
                    const shore::Model& model) noexcept {
  return calcCase(shore::findBreaking(wave, model), depth);
}

CaseResult calcCase(const shore::Breaking& breaking, std::optional<double> depth) noexcept {
  CaseResult r;
  r.breaking = breaking;
  if (!r.breaking.ok()) {
    r.error = r.breaking.error;
    return r;
  }
  if (!depth) {
    const std::optional<float> written = defaultDepth(r.breaking);
    if (!written) {
      r.error = shore::Error::BreakingDepthTooSmall;
      return r;
    }
    // The single read back from the two-decimal text: the depth the sheet's
    // box holds after the copy.
    depth = *written;
    r.depthDefaulted = true;
  }
  r.state = shore::stateAt(r.breaking, *depth);
  r.error = r.state.error;
  return r;
}

}  // namespace saiha::report
