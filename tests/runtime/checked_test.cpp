// Fault testing of each arithmetic step and elementary function.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "runtime/checked.h"

namespace {

namespace rt = saiha::rt;
using rt::Fault;
using rt::Real;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

struct FaultRow {
  const char* name;
  std::function<double()> step;
  std::optional<Fault> expected;  // nothing: the step must not fault

  friend void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }
};

std::optional<Fault> faultOf(const std::function<double()>& step) {
  try {
    step();
  } catch (const rt::ArithmeticFault& fault) {
    return fault.fault();
  }
  return std::nullopt;
}

const FaultRow kRows[] = {
    {"DivideNonZeroByZero", [] { return (Real(1) / 0.0).value(); }, Fault::DivisionByZero},
    {"DivideNegativeByZero", [] { return (Real(-3) / 0.0).value(); }, Fault::DivisionByZero},
    {"DivideZeroByZero", [] { return (Real(0) / 0.0).value(); }, Fault::InvalidOperation},
    {"DivideInfByInf", [] { return (Real(kInf) / kInf).value(); }, Fault::InvalidOperation},
    {"DivideOverflows", [] { return (Real(kMax) / 0.5).value(); }, Fault::Overflow},
    {"DivideInfByZeroPropagates", [] { return (Real(kInf) / 0.0).value(); }, std::nullopt},
    {"MultiplyOverflows", [] { return (Real(1e200) * 1e200).value(); }, Fault::Overflow},
    {"MultiplyZeroByInf", [] { return (Real(0) * kInf).value(); }, Fault::InvalidOperation},
    {"MultiplyUnderflowIsNoFault", [] { return (Real(1e-200) * 1e-200).value(); }, std::nullopt},
    {"AddOverflows", [] { return (Real(kMax) + kMax).value(); }, Fault::Overflow},
    {"SubtractInfFromInf", [] { return (Real(kInf) - kInf).value(); }, Fault::InvalidOperation},
    {"InfPropagatesWithoutFault", [] { return (Real(kInf) + 1).value(); }, std::nullopt},
    {"NaNPropagatesWithoutFault", [] { return (Real(kNaN) * 2).value(); }, std::nullopt},
    {"SqrtOfNegative", [] { return rt::sqrt(-1e-300).value(); }, Fault::InvalidOperation},
    {"SqrtOfNegativeZero", [] { return rt::sqrt(-0.0).value(); }, std::nullopt},
    {"PowNegativeBaseFraction", [] { return rt::pow(-2, 4.0 / 3.0).value(); },
     Fault::InvalidOperation},
    {"PowNegativeBaseInteger", [] { return rt::pow(-2, 2.0).value(); }, std::nullopt},
    {"PowZeroToNegative", [] { return rt::pow(0, -2.5).value(); }, Fault::DivisionByZero},
    {"PowOverflows", [] { return rt::pow(1e10, 40).value(); }, Fault::Overflow},
    {"ExpOverflows", [] { return rt::exp(709.8).value(); }, Fault::Overflow},
    {"ExpLargestFinite", [] { return rt::exp(709.7).value(); }, std::nullopt},
    {"ExpUnderflowIsNoFault", [] { return rt::exp(-800).value(); }, std::nullopt},
    {"SinOfInfinity", [] { return rt::sin(kInf).value(); }, Fault::InvalidOperation},
    {"CosOfInfinity", [] { return rt::cos(-kInf).value(); }, Fault::InvalidOperation},
    {"AtanOfInfinity", [] { return rt::atan(kInf).value(); }, std::nullopt},
    {"NarrowBeyondSingle", [] { return double(rt::narrow(3.5e38)); }, Fault::Overflow},
    {"NarrowRoundsToLargestSingle", [] { return double(rt::narrow(3.4028235e38)); },
     std::nullopt},
    {"NarrowUnderflowIsNoFault", [] { return double(rt::narrow(1e-50)); }, std::nullopt},
    {"NarrowInfinityPassesThrough", [] { return double(rt::narrow(kInf)); }, std::nullopt},
};

class CheckedStep : public testing::TestWithParam<FaultRow> {};

TEST_P(CheckedStep, RaisesTheIeeeFault) {
  const auto fault = faultOf(GetParam().step);
  EXPECT_EQ(fault.has_value(), GetParam().expected.has_value());
  if (fault && GetParam().expected) {
    EXPECT_EQ(*fault, *GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, CheckedStep, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckedArithmetic, GivesTheSameBitsAsPlainDoubles) {
  const double a = 0.1, b = 3.141592, c = 9.81;
  EXPECT_EQ((Real(a) * b / c - a + b).value(), a * b / c - a + b);
  EXPECT_EQ(rt::narrow(Real(a) / 3), static_cast<float>(a / 3));
}

}  // namespace

namespace {

TEST(NarrowQuotient, SameFloatAsTheQuotientItself) {
  // Random quotients, and quotients placed within a few double ulps of the
  // halfway point between two floats, where a product by the reciprocal
  // could round the other way.
  std::uint64_t state = 0x9e3779b97f4a7c15u;
  const auto next = [&] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  const auto uniform = [&](double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(next() >> 11) * 0x1p-53;
  };
  for (int i = 0; i < 200000; ++i) {
    const double d = static_cast<float>(uniform(1e-3, 1.0));
    double x = uniform(1e-4, 50.0);
    if (i % 2 == 0) {
      // x/d lands on a float midpoint, give or take a few ulps.
      const float f = static_cast<float>(x / d);
      const double midpoint = (double(f) + double(std::nextafter(f, 2 * f))) / 2;
      x = std::nextafter(midpoint * d, static_cast<double>(next() % 2 ? 1e300 : -1e300));
      for (std::uint64_t k = next() % 4; k > 0; --k) x = std::nextafter(x, 0.0);
    }
    ASSERT_EQ(rt::narrowQuotient(x, d, 1 / d), rt::narrow(Real(x) / d)) << x << " / " << d;
  }
}

TEST(NarrowQuotient, FaultsLikeTheQuotient) {
  EXPECT_EQ(faultOf([] { return double(rt::narrowQuotient(1, 0, 1 / 0.0)); }),
            Fault::DivisionByZero);
  EXPECT_EQ(faultOf([] { return double(rt::narrowQuotient(0, 0, 1 / 0.0)); }),
            Fault::InvalidOperation);
  EXPECT_EQ(faultOf([] { return double(rt::narrowQuotient(1e300, 1e-10, 1e10)); }),
            Fault::Overflow);
}

}  // namespace
