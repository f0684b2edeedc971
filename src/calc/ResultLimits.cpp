#include "calc/ResultLimits.h"

#include <algorithm>

#include "calc/BoxAcceptance.h"
#include "calc/UnitConversion.h"

namespace quelmora {

std::vector<TBindingLimit> BindingLimits(const TOptimizationSettings& Settings,
                                         const TProduct& Product,
                                         const TOptimizationSolution& Solution) {
  std::vector<TBindingLimit> limits;
  const TBoxVariant& box = Solution.Box;
  const TPackPlacement& placement = box.PackPlacement;
  if (box.PackCount <= 0 || placement.TotalCount <= 0) return limits;

  if (box.PackCount >= Settings.MaxPacksPerBox)
    limits.push_back({TLimitKind::PacksPerBox, static_cast<double>(Settings.MaxPacksPerBox)});
  const int32_t most = std::max({placement.CountX, placement.CountY, placement.CountZ});
  if (most >= Settings.MaxCountPerAxis)
    limits.push_back({TLimitKind::PacksPerAxis, static_cast<double>(Settings.MaxCountPerAxis)});
  // The weight of one pack as the placement search counts it.
  const double packKG = GramsToKG(Product.ProductWeightG +
                                  Solution.Pack.SurfaceAreaM2 * Settings.PackMaterialGramsPerM2);
  if (!WithinWeightLimit(box.GrossWeightKG + packKG, Product))
    limits.push_back({TLimitKind::BoxWeight, Product.MaxBoxWeightKG});
  if (!WithinHeightLimit(box.HeightMM + placement.PackDimZ, Settings))
    limits.push_back(
        {TLimitKind::BoxHeight, std::min(Settings.MaxPalletHeightMM, Settings.MaxBoxHeightMM)});
  return limits;
}

}  // namespace quelmora
