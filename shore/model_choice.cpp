#include "shore/model_choice.h"

namespace saiha::shore {

std::string_view breakerName(BreakerLimit breaker) {
  switch (breaker) {
    case BreakerLimit::Goda1970: return "goda1970";
    case BreakerLimit::Goda2010: return "goda2010";
    case BreakerLimit::McCowan: return "mccowan";
    case BreakerLimit::Kamphuis: return "kamphuis";
    case BreakerLimit::Miche: return "miche";
  }
  return "";
}

std::string_view shoalingName(Shoaling shoaling) {
  switch (shoaling) {
    case Shoaling::TwoRegime: return "two-regime";
    case Shoaling::Shuto: return "shuto";
  }
  return "";
}

std::optional<BreakerLimit> parseBreaker(std::string_view name) {
  for (BreakerLimit breaker : kBreakerLimits) {
    if (breakerName(breaker) == name) return breaker;
  }
  return std::nullopt;
}

std::optional<Shoaling> parseShoaling(std::string_view name) {
  for (Shoaling shoaling : kShoalings) {
    if (shoalingName(shoaling) == name) return shoaling;
  }
  return std::nullopt;
}

namespace {
template <class Kinds, class Name>
std::string nameList(const Kinds& kinds, Name name) {
  std::string list;
  for (const auto kind : kinds) {
    if (!list.empty()) list += ", ";
    list += name(kind);
    if (kind == kinds.front()) list += " (default)";
  }
  return list;
}
}  // namespace

std::string breakerNameList() { return nameList(kBreakerLimits, breakerName); }
std::string shoalingNameList() { return nameList(kShoalings, shoalingName); }

}  // namespace saiha::shore
