#include "calc/PackBoxBuilder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "calc/BoxAcceptance.h"
#include "calc/CostCalculator.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PalletStrength.h"
#include "calc/UnitConversion.h"
#include "model/FloatChecks.h"

namespace quelmora {

namespace {

// The first orientation, up to Last, with Last's pack size along the axis.
int FirstWithSize(const std::array<TPackPlacement, 6>& Sizes, int Last,
                  double TPackPlacement::*Dim) {
  int first = 0;
  while (first < Last && Sizes[first].*Dim != Sizes[Last].*Dim)
    ++first;
  return first;
}

}  // namespace

TPackBoxBuilder::TPackBoxBuilder(const TBoxCalculator& Calc, const TProduct& P,
                                 const TPackVariant& Pack, const TOptimizationSettings& S)
    : FCalc(Calc), FProduct(P), FPack(Pack), FSettings(S) {
  FPackGrams = P.ProductWeightG + Pack.SurfaceAreaM2 * S.PackMaterialGramsPerM2;
  FBoxCostPerMM2 = S.CardboardPricePerM2 / 1000000;
  FInversePackVolume = 1 / Pack.VolumeM3;
  FInverseCount.resize(static_cast<size_t>(std::max(S.MaxPacksPerBox, 0)) + 1);
  for (size_t n = 1; n < FInverseCount.size(); ++n)
    FInverseCount[n] = 1.0 / static_cast<double>(n);
  const double T = S.BoardThicknessMM;
  const int32_t maxCount = std::max(S.MaxCountPerAxis, 0);
  std::vector<double> sides, heights;  // outer sizes, for the pallet plan
  sides.reserve(static_cast<size_t>(6 * maxCount));
  heights.reserve(static_cast<size_t>(3 * maxCount));
  for (int o = 0; o < PackOrientationCount; ++o)
    FSizes[o] = OrientPack(Pack, static_cast<TPackOrientation>(o));
  // Orientations that put the same pack size along an axis share its table.
  auto fill = [&](std::array<TAxisTable, 6>& tables, double TPackPlacement::*dim, double gap,
                  bool height) {
    for (int o = 0; o < PackOrientationCount; ++o) {
      const double size = FSizes[o].*dim;
      // Only sizes the enumeration can produce: positive pack sizes.
      if (!(size > 0)) continue;
      if (const int same = FirstWithSize(FSizes, o, dim); same < o) {
        tables[o] = tables[same];
        continue;
      }
      TAxisTable& table = tables[o];
      table.resize(static_cast<size_t>(maxCount) + 1);
      std::vector<double>& outers = height ? heights : sides;
      for (int32_t n = 1; n <= maxCount; ++n) {
        TAxis& a = table[n];
        a.Need = n * size + gap;
        a.Outer = a.Need + 2 * T;
        a.Inner = a.Outer - 2 * T;
        a.InverseNeed = 1 / a.Need;
        a.Fits = !height || WithinHeightLimit(a.Outer, S);
        a.PalletSide = outers.size();
        outers.push_back(a.Outer);
      }
    }
  };
  fill(FX, &TPackPlacement::PackDimX, S.LengthGapMM, false);
  fill(FY, &TPackPlacement::PackDimY, S.WidthGapMM, false);
  fill(FZ, &TPackPlacement::PackDimZ, 0, true);
  FPalletPlan = Calc.Pallet().PreparePack(std::move(sides), std::move(heights), S.PalletLengthMM,
                                          S.PalletWidthMM, S.MaxPalletHeightMM);
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
  // Before the pallet limits (weight, strength): an upper bound of the limited utilization,
  // and every criterion counts a higher one as no worse, so a floor stays one.
  if ((Parts & epPallet) &&
      !FPalletPlan->EstimateUtilization(x->PalletSide, y->PalletSide, z->PalletSide,
                                        Estimate.PalletUtilization))
    return false;
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
  Box.Pallet = LimitPallet(FPalletPlan->Load(x->PalletSide, y->PalletSide, z->PalletSide),
                           Box.LengthMM, Box.WidthMM, Box.HeightMM, Box.GrossWeightKG, S);
  Box.PalletCount = Box.Pallet.BoxesPerPallet;
  Box.PalletUtilization = Box.Pallet.Utilization;
  Box.PackagingCostPerUnit = CalcCostPerUnit(FPack.Cost, Box.BoxCost, n);
  Box.PackagingCostPerM3 = CalcCostPerM3(FPack.Cost, Box.BoxCost, FPack.VolumeM3, n);
  Box.FillRatio =
      FDiv(n * FPack.VolumeM3, MM3ToM3(Box.InnerLengthMM * Box.InnerWidthMM * Box.InnerHeightMM));
  if (!WithinWeightLimit(Box.GrossWeightKG, FProduct)) return false;
  if (!PalletAcceptable(Box.PalletCount, S)) return false;
  return true;
}

}  // namespace quelmora
