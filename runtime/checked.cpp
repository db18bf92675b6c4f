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

}  // namespace saiha::rt
