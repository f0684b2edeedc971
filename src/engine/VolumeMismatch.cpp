#include "engine/VolumeMismatch.h"

#include "calc/Tolerances.h"

namespace quelmora {

double SampleVolumeM3(const TProduct& Product) {
  return Product.OriginalLengthMM * Product.OriginalWidthMM * Product.OriginalHeightMM / 1000000000;
}

bool SampleVolumeOutsideRange(const TProduct& Product) {
  const double v = SampleVolumeM3(Product);
  return v < Product.MinVolumeM3 - kVolumeToleranceM3 ||
         v > Product.MaxVolumeM3 + kVolumeToleranceM3;
}

bool ResolveVolumeMismatch(std::vector<TProduct>& Products, TOptimizationSettings& Settings,
                           const TMismatchQuestion& AskUser) {
  if (Settings.VolumeMismatchMode != Ask) return true;
  for (TProduct& product : Products) {
    if (!product.Enabled || !SampleVolumeOutsideRange(product)) continue;
    const double v = SampleVolumeM3(product);
    switch (AskUser(product, v)) {
      case TMismatchAnswer::Cancel:
        return false;
      case TMismatchAnswer::UseSample:
        product.MinVolumeM3 = product.MaxVolumeM3 = v;
        break;
      case TMismatchAnswer::UseRange:
        break;
    }
  }
  Settings.VolumeMismatchMode = UseSpecifiedVolume;
  return true;
}

}  // namespace quelmora
