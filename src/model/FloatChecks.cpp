#include "model/FloatChecks.h"
#include "model/ErrorTexts.h"

namespace quelmora {

void RaiseZeroDivide() {
  throw Exception(TErrorKind::DivisionByZero, EDivisionByZero);
}
void RaiseInvalidOp() {
  throw Exception(TErrorKind::InvalidOperation, EInvalidFloatOperation);
}
void RaiseOverflow() {
  throw Exception(TErrorKind::Overflow, EFloatOverflow);
}

}  // namespace quelmora
