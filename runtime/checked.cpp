#include "runtime/checked.h"

namespace saiha::rt {

const char* ArithmeticFault::what() const noexcept {
  switch (fault_) {
    case Fault::DivisionByZero: return "division by zero";
    case Fault::InvalidOperation: return "invalid operation";
    case Fault::Overflow: return "overflow";
  }
  return "arithmetic fault";
}

void raiseFault(Fault fault) { throw ArithmeticFault(fault); }

namespace {
// A NaN from a non-NaN argument is an invalid operation; an infinity from a
// finite argument is an overflow.
Real checkedUnary(double r, double x) {
  if (!std::isfinite(r)) [[unlikely]] {
    if (std::isnan(r) && !std::isnan(x)) raiseFault(Fault::InvalidOperation);
    if (std::isinf(r) && std::isfinite(x)) raiseFault(Fault::Overflow);
  }
  return r;
}
}  // namespace

Real exp(Real x) { return checkedUnary(std::exp(x.value()), x.value()); }

Real pow(Real x, Real y) {
  const double r = std::pow(x.value(), y.value());
  if (!std::isfinite(r)) [[unlikely]] {
    if (std::isinf(r) && x.value() == 0.0) raiseFault(Fault::DivisionByZero);
    detail::checkBinary(r, x.value(), y.value());
  }
  return r;
}

Real sin(Real x) { return checkedUnary(std::sin(x.value()), x.value()); }
Real cos(Real x) { return checkedUnary(std::cos(x.value()), x.value()); }
Real atan(Real x) { return std::atan(x.value()); }

}  // namespace saiha::rt
