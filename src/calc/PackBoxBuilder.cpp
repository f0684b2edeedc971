#include "calc/PackBoxBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/CostCalculator.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PalletCalculator.h"
#include "calc/UnitConversion.h"
#include "model/FloatChecks.h"

namespace quelmora {

TPackBoxBuilder::TPackBoxBuilder(const TBoxCalculator& Calc, const TProduct& P,
                                 const TPackVariant& Pack, const TOptimizationSettings& S)
    : FCalc(Calc), FProduct(P), FPack(Pack), FSettings(S) {
  FGridPallet = dynamic_cast<const TGridPalletOptimizer*>(&Calc.Pallet()) != nullptr;
  FPackGrams = P.ProductWeightG + Pack.SurfaceAreaM2 * S.PackMaterialGramsPerM2;
  FPalletVolume = S.PalletLengthMM * S.PalletWidthMM * S.MaxPalletHeightMM;
  FBoxCostPerMM2 = S.CardboardPricePerM2 / 1000000;
  FInversePackVolume = 1 / Pack.VolumeM3;
  FInversePalletVolume = 1 / FPalletVolume;
  FInverseCount.resize(static_cast<size_t>(std::max(S.MaxPacksPerBox, 0)) + 1);
  for (size_t n = 1; n < FInverseCount.size(); ++n)
    FInverseCount[n] = 1.0 / static_cast<double>(n);
  const double T = S.BoardThicknessMM;
  const double heightLimit = std::min(S.MaxPalletHeightMM, S.MaxBoxHeightMM) + 1e-8;
  const int32_t maxCount = std::max(S.MaxCountPerAxis, 0);
  for (int o = 0; o < PackOrientationCount; ++o) {
    const TPackPlacement& sizes = FSizes[o] = OrientPack(Pack, static_cast<TPackOrientation>(o));
    auto fill = [&](TAxisTable& table, double dim, double gap, bool height) {
      // Only sizes the enumeration can produce: positive pack sizes.
      if (!(dim > 0)) return;
      table.resize(static_cast<size_t>(maxCount) + 1);
      for (int32_t n = 1; n <= maxCount; ++n) {
        TAxis& a = table[n];
        a.Need = n * dim + gap;
        a.Outer = a.Need + 2 * T;
        a.Inner = a.Outer - 2 * T;
        a.InverseNeed = 1 / a.Need;
        if (height) {
          a.AlongPalletLength = PalletFit(S.MaxPalletHeightMM, a.Outer);  // layers
          a.Fits = !(a.Outer > heightLimit);
        } else {
          a.AlongPalletLength = PalletFit(S.PalletLengthMM, a.Outer);
          a.AlongPalletWidth = PalletFit(S.PalletWidthMM, a.Outer);
        }
      }
    };
    fill(FX[o], sizes.PackDimX, S.LengthGapMM, false);
    fill(FY[o], sizes.PackDimY, S.WidthGapMM, false);
    fill(FZ[o], sizes.PackDimZ, 0, true);
  }
}

const TPackBoxBuilder::TAxis* TPackBoxBuilder::Find(const std::array<TAxisTable, 6>& Tables,
                                                    TPackOrientation Orientation,
                                                    int32_t Count) const {
  const int o = static_cast<int>(Orientation);
  if (o < 0 || o >= PackOrientationCount || Count < 1) return nullptr;
  const TAxisTable& table = Tables[o];
  return static_cast<size_t>(Count) < table.size() ? &table[Count] : nullptr;
}

bool TPackBoxBuilder::Estimate(const TPackPlacement& Placement, unsigned Parts,
                               TBoxEstimate& Estimate) const {
  if (!FGridPallet) return false;
  const TAxis* x = Find(FX, Placement.Orientation, Placement.CountX);
  const TAxis* y = Find(FY, Placement.Orientation, Placement.CountY);
  const TAxis* z = Find(FZ, Placement.Orientation, Placement.CountZ);
  const int32_t n = Placement.TotalCount;
  const TPackPlacement& sizes = FSizes[static_cast<int>(Placement.Orientation) % 6];
  if (!x || !y || !z || n <= 0 || static_cast<size_t>(n) >= FInverseCount.size() ||
      Placement.PackDimX != sizes.PackDimX || Placement.PackDimY != sizes.PackDimY ||
      Placement.PackDimZ != sizes.PackDimZ)
    return false;
  Estimate.PackCount = n;
  if (Parts & epCost) {
    const TOptimizationSettings& S = FSettings;
    const double T = S.BoardThicknessMM;
    // The blank's two sides exactly as Build has them; then products instead
    // of quotients.
    const double blankLength = 2 * x->Inner + 2 * y->Inner + 3 * T + S.BoxGlueFlapMM;
    const double blankWidth = y->Inner + z->Inner + 2 * T;
    const double boxCost = blankLength * blankWidth * FBoxCostPerMM2;
    Estimate.PackagingCostPerM3 = (FPack.Cost + boxCost * FInverseCount[n]) * FInversePackVolume;
  }
  if (Parts & epPallet) {
    const double straight = x->AlongPalletLength * y->AlongPalletWidth;
    const double turned = y->AlongPalletLength * x->AlongPalletWidth;
    const double perPallet = static_cast<double>(
        SaturatedCount(static_cast<double>(SaturatedCount(std::max(straight, turned))) *
                       static_cast<double>(SaturatedCount(z->AlongPalletLength))));
    Estimate.PalletUtilization = perPallet * x->Outer * y->Outer * z->Outer * FInversePalletVolume;
  }
  if (Parts & epFill)
    Estimate.FillRatio =
        n * FPack.VolumeM3 * 1000000000 * x->InverseNeed * y->InverseNeed * z->InverseNeed;
  return true;
}

bool TPackBoxBuilder::Build(const TPackPlacement& Placement, TBoxVariant& Box) const {
  const TAxis* x = Find(FX, Placement.Orientation, Placement.CountX);
  const TAxis* y = Find(FY, Placement.Orientation, Placement.CountY);
  const TAxis* z = Find(FZ, Placement.Orientation, Placement.CountZ);
  // A placement the tables do not hold (not from the enumeration) is built
  // the ordinary way.
  const TPackPlacement& sizes = FSizes[static_cast<int>(Placement.Orientation) % 6];
  if (!x || !y || !z || Placement.PackDimX != sizes.PackDimX ||
      Placement.PackDimY != sizes.PackDimY || Placement.PackDimZ != sizes.PackDimZ)
    return FCalc.Build(FProduct, FPack, Placement, FSettings, Box);
  const TOptimizationSettings& S = FSettings;
  const double T = S.BoardThicknessMM;
  Box = TBoxVariant{};
  Box.InnerLengthMM = x->Need;
  Box.InnerWidthMM = y->Need;
  Box.InnerHeightMM = z->Need;
  Box.LengthMM = x->Outer;
  Box.WidthMM = y->Outer;
  Box.HeightMM = z->Outer;
  // The packs' own grid always fits the box built around it.
  if (Placement.TotalCount <= 0 || !z->Fits) return false;
  const int32_t n = Placement.TotalCount;
  Box.PackCount = n;
  Box.PackPlacement = Placement;

  const double blankLength = 2 * x->Inner + 2 * y->Inner + 3 * T + S.BoxGlueFlapMM;
  const double blankWidth = y->Inner + z->Inner + 2 * T;
  Box.BlankAreaM2 = MM2ToM2(blankLength * blankWidth);
  Box.BoxCost = CalcBoxCost(Box.BlankAreaM2, S.CardboardPricePerM2);
  Box.GrossWeightKG = GramsToKG(n * FPackGrams + Box.BlankAreaM2 * S.CardboardGramsPerM2);
  Box.BoxVolumeM3 = MM3ToM3(Box.LengthMM * Box.WidthMM * Box.HeightMM);
  if (FGridPallet) {
    TPalletResult& r = Box.Pallet;
    const double straight = x->AlongPalletLength * y->AlongPalletWidth;
    const double turned = y->AlongPalletLength * x->AlongPalletWidth;
    r.Rotated = turned > straight;
    r.BoxesPerLayer = SaturatedCount(std::max(straight, turned));
    r.LayerCount = SaturatedCount(z->AlongPalletLength);
    r.BoxesPerPallet =
        SaturatedCount(static_cast<double>(r.BoxesPerLayer) * static_cast<double>(r.LayerCount));
    r.Utilization =
        FDiv(r.BoxesPerPallet * Box.LengthMM * Box.WidthMM * Box.HeightMM, FPalletVolume);
  } else {
    Box.Pallet = FCalc.Pallet().Calculate(Box.LengthMM, Box.WidthMM, Box.HeightMM, S.PalletLengthMM,
                                          S.PalletWidthMM, S.MaxPalletHeightMM);
  }
  Box.PalletCount = Box.Pallet.BoxesPerPallet;
  Box.PalletUtilization = Box.Pallet.Utilization;
  Box.PackagingCostPerUnit = CalcCostPerUnit(FPack.Cost, Box.BoxCost, n);
  Box.PackagingCostPerM3 = CalcCostPerM3(FPack.Cost, Box.BoxCost, FPack.VolumeM3, n);
  Box.FillRatio =
      FDiv(n * FPack.VolumeM3, MM3ToM3(Box.InnerLengthMM * Box.InnerWidthMM * Box.InnerHeightMM));
  if (!(Box.GrossWeightKG <= FProduct.MaxBoxWeightKG + 1e-8)) return false;
  if (!S.AllowOversizeBoxes && Box.PalletCount <= 0) return false;
  return true;
}

}  // namespace quelmora
