// Which breaker limit and which shoaling rule a calculation uses.
//
// A model replaces only the formula it names; inputs, narrowings and the
// bisection stay, so that two models side by side show that formula's
// effect.  The default model is the calculation of the window, bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "saiha/export.h"

namespace saiha::shore {

// The height at which the shoaled wave breaks at depth h.
enum class BreakerLimit : std::uint8_t {
  Goda1970,  // 0.17·L0·(1 − exp(−1.5π·(h/L0)·(1 + 15·tan^(4/3)β)))
  Goda2010,  // the same with 11 in place of 15 (Goda 2010)
  McCowan,   // 0.78·h
  Kamphuis,  // 0.56·e^(3.5·tanβ)·h (Kamphuis 1991)
  Miche,     // 0.142·L·tanh(kh), L and k at h
};

// How the wave height grows from deep water to the breaking point.
enum class Shoaling : std::uint8_t {
  TwoRegime,  // linear, then H·h^(5/2)·(√U − 2√3) constant from U = 50
  Shuto,      // linear for U < 30, H·h^(2/7) constant to U = 50, then as above
};

inline constexpr std::array<BreakerLimit, 5> kBreakerLimits = {
    BreakerLimit::Goda1970, BreakerLimit::Goda2010, BreakerLimit::McCowan,
    BreakerLimit::Kamphuis, BreakerLimit::Miche};
inline constexpr std::array<Shoaling, 2> kShoalings = {Shoaling::TwoRegime, Shoaling::Shuto};

struct Model {
  BreakerLimit breaker = BreakerLimit::Goda1970;
  Shoaling shoaling = Shoaling::TwoRegime;

  // The default model keeps its own breaking search: the nonlinear law from
  // the onset of nonlinear shoaling, whatever the height seaward of it.
  bool isDefault() const { return *this == Model{}; }
  friend bool operator==(const Model&, const Model&) = default;
};

// Stable names, as typed on the command line and in Python:
// "goda1970", "goda2010", "mccowan", "kamphuis", "miche"; "two-regime", "shuto".
// Empty for a value that is no enumerator.  The texts are static.
SAIHA_API std::string_view breakerName(BreakerLimit breaker);
SAIHA_API std::string_view shoalingName(Shoaling shoaling);
// The model of a name, exact and lower-case; nothing for any other text
// (no blanks trimmed, no case folded).
SAIHA_API std::optional<BreakerLimit> parseBreaker(std::string_view name);
SAIHA_API std::optional<Shoaling> parseShoaling(std::string_view name);
// Every name of a family, the default first and marked:
// "goda1970 (default), goda2010, …", for help texts and error messages.
SAIHA_API std::string breakerNameList();
SAIHA_API std::string shoalingNameList();

}  // namespace saiha::shore
