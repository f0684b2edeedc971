#include "model/OptimizationModel.h"

#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"

namespace quelmora {

TOptimizationSettings DefaultSettings() {
  TOptimizationSettings s;
  s.DimensionDeviationMinPercent = -15;
  s.DimensionDeviationMaxPercent = 15;
  s.LengthGapMM = 4;
  s.WidthGapMM = 4;
  s.FlapMM = 20;
  s.MaxPalletHeightMM = 1800;
  s.CardboardPricePerM2 = 60;
  s.PackMaterialPricePerM2 = 20;
  s.PalletLengthMM = 1200;
  s.PalletWidthMM = 800;
  s.PackDimensionStepMM = 1;
  s.BoxUnificationToleranceMM = 5;
  s.BoardThicknessMM = 3;
  s.BoxGlueFlapMM = 40;
  s.CardboardGramsPerM2 = 400;
  s.PackMaterialGramsPerM2 = 60;
  s.MaxBoxHeightMM = 600;
  s.WeightCost = 1;
  s.WeightDimension = 0.1;
  s.WeightRatio = 0.1;
  s.WeightFill = 0.1;
  s.WeightPallet = 0.1;
  s.WeightUnification = 0.05;
  s.MaxPackVariantsPerProduct = 500;
  s.MaxResultsPerProduct = 30;
  s.MaxPacksPerBox = 120;
  s.MaxCountPerAxis = 12;
  s.MaxGeometryEvaluations = 50000;
  s.TargetUnifiedBoxCount = 3;
  s.SortBoxes = true;
  s.AllowOversizeBoxes = false;
  s.VolumeMismatchMode = UseSpecifiedVolume;
  s.CurrencySymbol = "руб.";
  s.PalletMethod = pmColumnGrid;
  s.PalletHeightMM = 0;
  s.PalletWeightKG = 0;
  s.MaxLoadedPalletWeightKG = 0;
  s.PalletOverhangMM = 0;
  s.EdgeCrushKNPerM = 0;
  s.StorageHumidityPercent = 50;
  s.DaysUnderLoad = 0;
  s.StackedPallets = 1;
  s.RequiredSafetyFactor = 3;
  s.LimitLayersToStrength = false;
  return s;
}

void TCancelToken::Check() const {
  if (IsCancelled()) throw Exception(TErrorKind::Cancelled, SCancelled);
}

}  // namespace quelmora
