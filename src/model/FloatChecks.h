#pragma once

#include <cmath>

#include "model/Errors.h"

namespace quelmora {

// Floating-point faults become errors instead of silent infinities or NaN.
// Validated input keeps every calculation clear of them; these guard the rest.

[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseOverflow();

// a / b, raising where the quotient would not be a finite number.
inline double FDiv(double a, double b) {
  const double q = a / b;
  if (!std::isfinite(q)) [[unlikely]] {
    if (std::isnan(a) || std::isnan(b) || (a == 0 && b == 0) || (std::isinf(a) && std::isinf(b)))
      RaiseInvalidOp();
    if (b == 0) RaiseZeroDivide();
    RaiseOverflow();
  }
  return q;
}

// A result computed without division: NaN is an invalid operation,
// an infinity an overflow.
inline double FChecked(double x) {
  if (!std::isfinite(x)) [[unlikely]] {
    if (std::isnan(x)) RaiseInvalidOp();
    RaiseOverflow();
  }
  return x;
}

}  // namespace quelmora
