#include "calc/BoxCalculator.h"

#include <algorithm>
#include <utility>

#include "calc/BoxAcceptance.h"
#include "calc/BoxBlankCalculator.h"
#include "calc/CostCalculator.h"
#include "calc/PalletStrength.h"
#include "calc/UnitConversion.h"
#include "model/FloatChecks.h"

namespace quelmora {

TBoxCalculator::TBoxCalculator(std::shared_ptr<const IPalletOptimizer> Pallet)
    : FPallet(std::move(Pallet)) {}

bool TBoxCalculator::Build(const TProduct& P, const TPackVariant& Pack,
                           const TPackPlacement& Placement, const TOptimizationSettings& S,
                           TBoxVariant& Box, double FixedL, double FixedB, double FixedH) const {
  const double T = S.BoardThicknessMM;
  Box = TBoxVariant{};
  const TGridNeed need = GridNeedOf(Placement, S);
  Box.InnerLengthMM = need.LengthMM;
  Box.InnerWidthMM = need.WidthMM;
  Box.InnerHeightMM = need.HeightMM;
  Box.LengthMM = need.LengthMM + 2 * T;
  Box.WidthMM = need.WidthMM + 2 * T;
  Box.HeightMM = need.HeightMM + 2 * T;
  if (FixedL > 0) {
    Box.LengthMM = FixedL;
    Box.WidthMM = FixedB;
    Box.HeightMM = FixedH;
    Box.InnerLengthMM = FixedL - 2 * T;
    Box.InnerWidthMM = FixedB - 2 * T;
    Box.InnerHeightMM = FixedH - 2 * T;
  }
  if (!GridFits(need, Box.InnerLengthMM, Box.InnerWidthMM, Box.InnerHeightMM) ||
      Placement.TotalCount <= 0)
    return false;
  if (!WithinHeightLimit(Box.HeightMM, S)) return false;
  Box.PackCount = Placement.TotalCount;
  Box.PackPlacement = Placement;
  FillDerived(Box, P, Pack, S);
  if (!WithinWeightLimit(Box.GrossWeightKG, P)) return false;
  if (!PalletAcceptable(Box.PalletCount, S)) return false;
  return true;
}

TFixedBoxSize TBoxCalculator::PrepareFixedSize(const TOptimizationSettings& S, double L, double B,
                                               double H) const {
  const double T = S.BoardThicknessMM;
  TFixedBoxSize size;
  size.LengthMM = L;
  size.WidthMM = B;
  size.HeightMM = H;
  size.InnerLengthMM = L - 2 * T;
  size.InnerWidthMM = B - 2 * T;
  size.InnerHeightMM = H - 2 * T;
  size.BlankAreaM2 = BoxBlankAreaM2(L, B, H, T, S.BoxGlueFlapMM);
  size.BoxCost = CalcBoxCost(size.BlankAreaM2, S.CardboardPricePerM2);
  size.BoardGrams = size.BlankAreaM2 * S.CardboardGramsPerM2;
  size.BoxVolumeM3 = MM3ToM3(L * B * H);
  size.InnerVolumeM3 = MM3ToM3(size.InnerLengthMM * size.InnerWidthMM * size.InnerHeightMM);
  size.Pallet = FPallet->Calculate(L, B, H, S.PalletLengthMM, S.PalletWidthMM, S.MaxPalletHeightMM);
  size.Usable = SizeAcceptable(H, size.Pallet.BoxesPerPallet, S);
  return size;
}

TBoxVariant TBoxCalculator::Original(const TProduct& P, const TPackVariant& Pack,
                                     const TOptimizationSettings& S) const {
  const double T = S.BoardThicknessMM;
  auto inner = [T](double outer) {
    const double size = outer - 2 * T;
    return size < 0.001 ? 0.001 : size;
  };
  TBoxVariant box;
  box.LengthMM = P.OriginalBoxLengthMM;
  box.WidthMM = P.OriginalBoxWidthMM;
  box.HeightMM = P.OriginalBoxHeightMM;
  box.InnerLengthMM = inner(box.LengthMM);
  box.InnerWidthMM = inner(box.WidthMM);
  box.InnerHeightMM = inner(box.HeightMM);
  box.PackCount = P.OriginalBoxCount;
  FillDerived(box, P, Pack, S);
  return box;
}

void TBoxCalculator::FillDerived(TBoxVariant& Box, const TProduct& P, const TPackVariant& Pack,
                                 const TOptimizationSettings& S) const {
  Box.BlankAreaM2 =
      BoxBlankAreaM2(Box.LengthMM, Box.WidthMM, Box.HeightMM, S.BoardThicknessMM, S.BoxGlueFlapMM);
  Box.BoxCost = CalcBoxCost(Box.BlankAreaM2, S.CardboardPricePerM2);
  // Product, pack material and board, each material by its blank area.
  Box.GrossWeightKG =
      GramsToKG(Box.PackCount * (P.ProductWeightG + Pack.SurfaceAreaM2 * S.PackMaterialGramsPerM2) +
                Box.BlankAreaM2 * S.CardboardGramsPerM2);
  Box.BoxVolumeM3 = MM3ToM3(Box.LengthMM * Box.WidthMM * Box.HeightMM);
  Box.Pallet =
      LimitPallet(FPallet->Calculate(Box.LengthMM, Box.WidthMM, Box.HeightMM, S.PalletLengthMM,
                                     S.PalletWidthMM, S.MaxPalletHeightMM),
                  Box.LengthMM, Box.WidthMM, Box.HeightMM, Box.GrossWeightKG, S);
  Box.PalletCount = Box.Pallet.BoxesPerPallet;
  Box.PalletUtilization = Box.Pallet.Utilization;
  Box.PackagingCostPerUnit = CalcCostPerUnit(Pack.Cost, Box.BoxCost, Box.PackCount);
  Box.PackagingCostPerM3 = CalcCostPerM3(Pack.Cost, Box.BoxCost, Pack.VolumeM3, Box.PackCount);
  Box.FillRatio = FDiv(Box.PackCount * Pack.VolumeM3,
                       MM3ToM3(Box.InnerLengthMM * Box.InnerWidthMM * Box.InnerHeightMM));
}

}  // namespace quelmora
