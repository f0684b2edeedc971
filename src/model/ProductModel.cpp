#include "model/ProductModel.h"

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

}  // namespace quelmora
