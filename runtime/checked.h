// Checked floating-point arithmetic.
//
// Every step of the wave calculation runs in double precision and is tested
// for the three IEEE exceptions that make a result meaningless: invalid
// operation, division by zero and overflow.  Underflow and inexact results are
// no faults.  The test is made on the values themselves, operation by
// operation, so it cannot be moved or lost by the optimiser the way a test of
// the processor's sticky flags could, and the first faulting operation decides
// the kind of fault reported.
//
// A fault throws ArithmeticFault; nothing here prints or ends the program.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <compare>
#include <exception>

namespace saiha::rt {

// The kind of an arithmetic fault, in the IEEE sense.
enum class Fault {
  DivisionByZero,    // finite non-zero value divided by zero, pow(0, negative)
  InvalidOperation,  // 0/0, inf-inf, 0*inf, sqrt of a negative, negative base to a non-integer power
  Overflow,          // a finite computation whose value exceeds the double range,
                     // or a narrowing that exceeds the single range
};

class ArithmeticFault : public std::exception {
 public:
  explicit ArithmeticFault(Fault fault) noexcept : fault_(fault) {}
  Fault fault() const noexcept { return fault_; }
  const char* what() const noexcept override;

 private:
  Fault fault_;
};

// Throws ArithmeticFault(fault).  Kept out of line so that the checks below
// cost one predictable branch on the normal path.
[[noreturn]] void raiseFault(Fault fault);

namespace detail {
// Classifies a non-finite result r of an operation whose operands were a and b.
// Operands that are already infinite or NaN propagate without a new fault,
// as in IEEE arithmetic.
inline void checkBinary(double r, double a, double b) {
  if (std::isfinite(r)) [[likely]] return;
  if (std::isnan(r)) {
    if (!std::isnan(a) && !std::isnan(b)) raiseFault(Fault::InvalidOperation);
  } else if (std::isfinite(a) && std::isfinite(b)) {
    raiseFault(Fault::Overflow);
  }
}
}  // namespace detail

// A double-precision value whose arithmetic is fault-tested.  Floats and
// doubles convert to it implicitly and exactly, so a formula that starts from
// a Real is checked at every operation that follows.
class Real {
 public:
  constexpr Real(double v) noexcept : v_(v) {}  // NOLINT: implicit by design
  constexpr double value() const noexcept { return v_; }

  friend Real operator+(Real a, Real b) {
    const double r = a.v_ + b.v_;
    detail::checkBinary(r, a.v_, b.v_);
    return r;
  }
  friend Real operator-(Real a, Real b) {
    const double r = a.v_ - b.v_;
    detail::checkBinary(r, a.v_, b.v_);
    return r;
  }
  friend Real operator*(Real a, Real b) {
    const double r = a.v_ * b.v_;
    detail::checkBinary(r, a.v_, b.v_);
    return r;
  }
  friend Real operator/(Real a, Real b) {
    const double r = a.v_ / b.v_;
    if (!std::isfinite(r)) [[unlikely]] {
      if (std::isinf(r) && std::isfinite(a.v_) && b.v_ == 0.0) raiseFault(Fault::DivisionByZero);
      detail::checkBinary(r, a.v_, b.v_);
    }
    return r;
  }
  friend constexpr Real operator-(Real a) noexcept { return -a.v_; }
  friend constexpr bool operator==(Real a, Real b) noexcept { return a.v_ == b.v_; }
  friend constexpr std::partial_ordering operator<=>(Real a, Real b) noexcept {
    return a.v_ <=> b.v_;
  }

 private:
  double v_;
};

// Narrows to single precision, rounding to nearest.  A finite value that
// rounds beyond the single range is an overflow fault; an infinite or NaN
// value passes through, as it raised its fault (or not) where it arose.
inline float narrow(Real x) {
  const float f = static_cast<float>(x.value());
  if (std::isinf(f) && std::isfinite(x.value())) [[unlikely]] raiseFault(Fault::Overflow);
  return f;
}

// x / d narrowed to single, given recip = 1/d formed once for many
// quotients.  x·recip lies within 2.5 double ulps of the rounded quotient, so
// both narrow to the same float unless they straddle a rounding boundary
// between two floats: the product is used only when the 29 bits a float drops
// are more than 8 units away from that boundary's pattern, and it lies in the
// normal single range.  Elsewhere (and for any fault) the quotient itself is
// formed and checked.  The result is always that of narrow(x / d).
inline float narrowQuotient(Real x, Real d, double recip) {
  const double q = x.value() * recip;
  const double magnitude = std::fabs(q);
  if (magnitude >= 0x1p-126 && magnitude < 0x1p127) [[likely]] {
    constexpr std::uint64_t kDropped = (std::uint64_t{1} << 29) - 1;
    constexpr std::uint64_t kHalfway = std::uint64_t{1} << 28;
    const std::uint64_t tail = std::bit_cast<std::uint64_t>(q) & kDropped;
    if (tail + 8 < kHalfway || tail > kHalfway + 8) return static_cast<float>(q);
  }
  return narrow(x / d);
}

// Elementary functions, double in and double out, with the failures that a
// calculation must not pass over made into faults.

namespace detail {
// A NaN from a non-NaN argument is an invalid operation; an infinity from a
// finite argument is an overflow.
inline Real checkUnary(double r, double x) {
  if (!std::isfinite(r)) [[unlikely]] {
    if (std::isnan(r) && !std::isnan(x)) raiseFault(Fault::InvalidOperation);
    if (std::isinf(r) && std::isfinite(x)) raiseFault(Fault::Overflow);
  }
  return r;
}
}  // namespace detail

// All inline: the searches call them tens of times per probe.

// e^x; overflow when x exceeds ln(DBL_MAX) ≈ 709.78.
inline Real exp(Real x) { return detail::checkUnary(std::exp(x.value()), x.value()); }
// √x; invalid operation for x < 0 (√−0 is −0).
inline Real sqrt(Real x) {
  if (x.value() < 0.0) [[unlikely]] raiseFault(Fault::InvalidOperation);
  return std::sqrt(x.value());
}
// The fault test of x^y on r = std::pow(x, y): invalid operation for a
// negative base and a non-integer exponent, division by zero for a zero base
// and a negative exponent, overflow beyond the double range.  Separate from
// pow for a caller that starts a power ahead of the step it belongs to.
inline Real checkedPower(double r, Real x, Real y) {
  if (!std::isfinite(r)) [[unlikely]] {
    if (std::isinf(r) && x.value() == 0.0) raiseFault(Fault::DivisionByZero);
    detail::checkBinary(r, x.value(), y.value());
  }
  return r;
}
// x^y, fault-tested as above.
inline Real pow(Real x, Real y) { return checkedPower(std::pow(x.value(), y.value()), x, y); }
// sin x and cos x in radians; invalid operation for an infinite argument.
inline Real sin(Real x) { return detail::checkUnary(std::sin(x.value()), x.value()); }
inline Real cos(Real x) { return detail::checkUnary(std::cos(x.value()), x.value()); }
// arctan x in radians, in (−π/2, π/2); never faults.
inline Real atan(Real x) { return std::atan(x.value()); }
// |x|; never faults.
inline Real abs(Real x) { return std::fabs(x.value()); }

}  // namespace saiha::rt
