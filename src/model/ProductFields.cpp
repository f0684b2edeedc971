#include "model/ProductFields.h"

#include "model/ErrorTexts.h"
#include "model/Errors.h"

namespace quelmora {

const TProductField& ProductFieldAt(int Index) {
  if (Index < 0 || Index >= ProductFieldCount)
    throw Exception(TErrorKind::OutOfRange, SProductField);
  return ProductFields[Index];
}

namespace {

// The name is text and has no numeric access.
const TProductField& NumericProductField(int index) {
  const TProductField& field = ProductFieldAt(index);
  if (field.IsText()) throw Exception(TErrorKind::OutOfRange, SProductField);
  return field;
}

}  // namespace

double GetProductField(const TProduct& product, int index) {
  return ReadNumericField(product, NumericProductField(index));
}

void SetProductField(TProduct& product, int index, double value) {
  WriteNumericField(product, NumericProductField(index), value);
}

}  // namespace quelmora
