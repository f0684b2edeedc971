#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "model/ErrorTexts.h"
#include "model/Errors.h"

namespace quelmora {

// The value of an integer field given as a double: a whole number within the
// 32-bit range, else TErrorKind::NotANumber SIntegerExpected. Values below the range
// are refused too, so that no value ever wraps.
inline int32_t ToIntegerField(double value) {
  if (!std::isfinite(value) || value != std::trunc(value) ||
      value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
    throw Exception(TErrorKind::NotANumber, SIntegerExpected);
  return static_cast<int32_t>(value);
}

}  // namespace quelmora
