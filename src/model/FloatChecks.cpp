#include "model/FloatChecks.h"

namespace quelmora {

void RaiseZeroDivide() {
  throw Exception(TErrorKind::DivisionByZero, "Floating point division by zero");
}
void RaiseInvalidOp() {
  throw Exception(TErrorKind::InvalidOperation, "Invalid floating point operation");
}
void RaiseOverflow() {
  throw Exception(TErrorKind::Overflow, "Floating point overflow");
}

}  // namespace quelmora
