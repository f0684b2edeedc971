#include "engine/ArithmeticFailure.h"

#include <cmath>
#include <string>

#include "model/AppStrings.h"
#include "model/ProductFields.h"

namespace quelmora {

bool IsArithmeticFailure(TErrorKind Kind) noexcept {
  return Kind == TErrorKind::Overflow || Kind == TErrorKind::InvalidOperation ||
         Kind == TErrorKind::DivisionByZero;
}

Exception NamedArithmeticFailure(const Exception& Failure, const TProduct& Product) {
  const TProduct typical = DefaultProduct(Product.Id);
  const TProductField* suspect = nullptr;
  double furthest = -1;
  for (const TProductField& field : ProductFields) {
    if (field.IsText()) continue;
    const double value = ReadNumericField(Product, field);
    const double usual = ReadNumericField(typical, field);
    // A zero weight is allowed and harmless; only positive values compare.
    if (!(value > 0) || !(usual > 0)) continue;
    const double distance = std::fabs(std::log(value) - std::log(usual));
    if (distance > furthest) {
      furthest = distance;
      suspect = &field;
    }
  }
  if (!suspect) return Failure;
  return Exception(Failure.Kind(), SCalculationOutOfRange,
                   {Product.Name, TFormatArg::Key(suspect->Caption)})
      .InField(std::string(suspect->Key));
}

std::exception_ptr WithProductNamed(std::exception_ptr Failure, const TProduct& Product) {
  try {
    std::rethrow_exception(Failure);
  } catch (const Exception& e) {
    if (IsArithmeticFailure(e.Kind()) && e.Place().Field.empty())
      return std::make_exception_ptr(NamedArithmeticFailure(e, Product));
  } catch (...) {
  }
  return Failure;
}

}  // namespace quelmora
