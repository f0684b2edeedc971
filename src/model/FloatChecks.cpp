#include "model/FloatChecks.h"

namespace quelmora {

void RaiseZeroDivide() {
  throw EZeroDivide("Floating point division by zero");
}
void RaiseInvalidOp() {
  throw EInvalidOp("Invalid floating point operation");
}
void RaiseOverflow() {
  throw EOverflow("Floating point overflow");
}

}  // namespace quelmora
