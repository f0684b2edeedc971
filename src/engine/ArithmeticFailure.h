#pragma once

#include <exception>

#include "model/Errors.h"
#include "model/ProductModel.h"

namespace quelmora {

// Overflow, an invalid operation or a division by zero: a value left the
// range of double somewhere in a calculation.
bool IsArithmeticFailure(TErrorKind Kind) noexcept;

// The same failure naming Product and the field that most likely caused it:
// the one furthest, by orders of magnitude, from the default product's value.
// Valid input can still be that far out (a box side of 1e-306 mm); no single
// bound tells which field alone is at fault, the spread of the values does.
Exception NamedArithmeticFailure(const Exception& Failure, const TProduct& Product);

// Failure of Product's search as the user is to see it: an arithmetic fault
// that names no field becomes NamedArithmeticFailure, anything else stays.
std::exception_ptr WithProductNamed(std::exception_ptr Failure, const TProduct& Product);

}  // namespace quelmora
