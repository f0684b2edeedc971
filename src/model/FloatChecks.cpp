#include "model/FloatChecks.h"
#include "model/ErrorTexts.h"

namespace quelmora {

void RaiseZeroDivide() {
  throw Exception(TErrorKind::DivisionByZero, SDivisionByZero);
}
void RaiseInvalidOp() {
  throw Exception(TErrorKind::InvalidOperation, SInvalidFloatOperation);
}
void RaiseOverflow() {
  throw Exception(TErrorKind::Overflow, SFloatOverflow);
}

}  // namespace quelmora
