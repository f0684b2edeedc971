#include "model/ProductModel.h"

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/IntegerField.h"

namespace quelmora {

TProduct DefaultProduct(int32_t n) {
  TProduct p;
  p.Id = n;
  p.Name = "Product " + std::to_string(n);
  p.MinVolumeM3 = 0.00095;
  p.MaxVolumeM3 = 0.00105;
  p.RatioLB = 2;
  p.RatioHB = 4;
  p.OriginalLengthMM = 100;
  p.OriginalWidthMM = 50;
  p.OriginalHeightMM = 200;
  p.ProductWeightG = 500;
  p.MaxBoxWeightKG = 15;
  p.OriginalBoxLengthMM = 410;
  p.OriginalBoxWidthMM = 310;
  p.OriginalBoxHeightMM = 210;
  p.OriginalBoxCount = 24;
  p.Enabled = true;
  return p;
}

namespace {

// The real fields in table order; the name (index 4) and the count (13) are
// handled apart.
double* RealField(TProduct& p, int index) {
  switch (index) {
    case 0:
      return &p.MinVolumeM3;
    case 1:
      return &p.MaxVolumeM3;
    case 2:
      return &p.RatioLB;
    case 3:
      return &p.RatioHB;
    case 5:
      return &p.OriginalLengthMM;
    case 6:
      return &p.OriginalWidthMM;
    case 7:
      return &p.OriginalHeightMM;
    case 8:
      return &p.ProductWeightG;
    case 9:
      return &p.MaxBoxWeightKG;
    case 10:
      return &p.OriginalBoxLengthMM;
    case 11:
      return &p.OriginalBoxWidthMM;
    case 12:
      return &p.OriginalBoxHeightMM;
    default:
      return nullptr;
  }
}

constexpr int kCountIndex = 13;

[[noreturn]] void RaiseBadProductField() {
  throw Exception(TErrorKind::OutOfRange, "Product field");
}

}  // namespace

double GetProductField(const TProduct& product, int index) {
  if (index == kCountIndex) return product.OriginalBoxCount;
  if (const double* field = RealField(const_cast<TProduct&>(product), index)) return *field;
  RaiseBadProductField();
}

void SetProductField(TProduct& product, int index, double value) {
  if (index == kCountIndex) {
    try {
      product.OriginalBoxCount = ToIntegerField(value);
    } catch (Exception& e) {
      throw std::move(e).InField(std::string(ProductFieldNames[index]));
    }
    return;
  }
  double* field = RealField(product, index);
  if (!field) RaiseBadProductField();
  *field = value;
}

}  // namespace quelmora
