#include "calc/PackGeometry.h"

#include <cmath>

#include "calc/Tolerances.h"
#include "calc/UnitConversion.h"
#include "model/FloatChecks.h"

namespace quelmora {

double CalcGeometryPenalty(double L, double B, double H, double RatioLB, double RatioHB) {
  return std::fabs(FDiv(FDiv(L, B), RatioLB) - 1) + std::fabs(FDiv(FDiv(H, B), RatioHB) - 1);
}

bool PackWithinLimits(const TPackVariant& Pack, const TProduct& Product,
                      const TOptimizationSettings& Settings) {
  const double lo = 1 + Settings.DimensionDeviationMinPercent / 100;
  const double hi = 1 + Settings.DimensionDeviationMaxPercent / 100;
  // Written as negations so that any NaN fails.
  auto within = [](double low, double value, double high) { return low <= value && value <= high; };
  if (!within(Product.OriginalLengthMM * lo - kLengthToleranceMM, Pack.LengthMM,
              Product.OriginalLengthMM * hi + kLengthToleranceMM))
    return false;
  if (!within(Product.OriginalWidthMM * lo - kLengthToleranceMM, Pack.WidthMM,
              Product.OriginalWidthMM * hi + kLengthToleranceMM))
    return false;
  if (!within(Product.OriginalHeightMM * lo - kLengthToleranceMM, Pack.HeightMM,
              Product.OriginalHeightMM * hi + kLengthToleranceMM))
    return false;
  return within(Product.MinVolumeM3 - kVolumeToleranceM3, Pack.VolumeM3,
                Product.MaxVolumeM3 + kVolumeToleranceM3);
}

TPackVariant MakePackVariant(const TProduct& Product, double L, double B, double H,
                             const TOptimizationSettings& Settings) {
  const double F = Settings.FlapMM;
  TPackVariant v;
  v.ProductId = Product.Id;
  v.LengthMM = L;
  v.WidthMM = B;
  v.HeightMM = H;
  v.VolumeM3 = MM3ToM3(L * B * H);
  v.VolumeDM3 = M3ToDM3(v.VolumeM3);
  v.VolumeDeviationPercent =
      (FDiv(v.VolumeM3, MM3ToM3(Product.OriginalLengthMM * Product.OriginalWidthMM *
                                Product.OriginalHeightMM)) -
       1) *
      100;
  v.SurfaceAreaM2 = MM2ToM2(2 * (L * B + B * H + L * H + L * F + 2 * B * F) + H * F);
  v.Cost = v.SurfaceAreaM2 * Settings.PackMaterialPricePerM2;
  v.RatioLB = FDiv(L, B);
  v.RatioHB = FDiv(H, B);
  v.GeometryPenalty = CalcGeometryPenalty(L, B, H, Product.RatioLB, Product.RatioHB);
  v.DimensionPenalty = (std::fabs(FDiv(L, Product.OriginalLengthMM) - 1) +
                        std::fabs(FDiv(B, Product.OriginalWidthMM) - 1) +
                        std::fabs(FDiv(H, Product.OriginalHeightMM) - 1)) /
                       3;
  v.Score = FDiv(v.SurfaceAreaM2, std::pow(v.VolumeM3, 2.0 / 3.0)) +
            Settings.WeightRatio * v.GeometryPenalty +
            Settings.WeightDimension * v.DimensionPenalty;
  FChecked(v.Score);
  return v;
}

}  // namespace quelmora
