#include "model/OptimizationModel.h"

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/IntegerField.h"

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
  return s;
}

namespace {

double* RealField(TOptimizationSettings& s, int index) {
  switch (index) {
    case 0:
      return &s.DimensionDeviationMinPercent;
    case 1:
      return &s.DimensionDeviationMaxPercent;
    case 2:
      return &s.LengthGapMM;
    case 3:
      return &s.WidthGapMM;
    case 4:
      return &s.FlapMM;
    case 5:
      return &s.MaxPalletHeightMM;
    case 6:
      return &s.CardboardPricePerM2;
    case 7:
      return &s.PackMaterialPricePerM2;
    case 8:
      return &s.PalletLengthMM;
    case 9:
      return &s.PalletWidthMM;
    case 10:
      return &s.PackDimensionStepMM;
    case 11:
      return &s.BoxUnificationToleranceMM;
    case 12:
      return &s.BoardThicknessMM;
    case 13:
      return &s.CardboardGramsPerM2;
    case 14:
      return &s.PackMaterialGramsPerM2;
    case 15:
      return &s.MaxBoxHeightMM;
    case 16:
      return &s.WeightCost;
    case 17:
      return &s.WeightDimension;
    case 18:
      return &s.WeightRatio;
    case 19:
      return &s.WeightFill;
    case 20:
      return &s.WeightPallet;
    case 21:
      return &s.WeightUnification;
    case 27:
      return &s.BoxGlueFlapMM;
    default:
      return nullptr;
  }
}

int32_t* IntegerField(TOptimizationSettings& s, int index) {
  switch (index) {
    case 22:
      return &s.MaxPackVariantsPerProduct;
    case 23:
      return &s.MaxResultsPerProduct;
    case 24:
      return &s.MaxPacksPerBox;
    case 25:
      return &s.MaxCountPerAxis;
    case 26:
      return &s.MaxGeometryEvaluations;
    case 28:
      return &s.TargetUnifiedBoxCount;
    default:
      return nullptr;
  }
}

[[noreturn]] void RaiseBadSettingsField() {
  throw Exception(TErrorKind::OutOfRange, "Settings field");
}

}  // namespace

double GetSettingsField(const TOptimizationSettings& settings, int index) {
  auto& s = const_cast<TOptimizationSettings&>(settings);
  if (const double* field = RealField(s, index)) return *field;
  if (const int32_t* field = IntegerField(s, index)) return *field;
  RaiseBadSettingsField();
}

void SetSettingsField(TOptimizationSettings& settings, int index, double value) {
  if (double* field = RealField(settings, index)) {
    *field = value;
    return;
  }
  int32_t* field = IntegerField(settings, index);
  if (!field) RaiseBadSettingsField();
  try {
    *field = ToIntegerField(value);
  } catch (Exception& e) {
    throw std::move(e).InField(std::string(SettingsFieldNames[index]));
  }
}

void TCancelToken::Check() const {
  if (IsCancelled()) throw Exception(TErrorKind::Cancelled, "Cancelled");
}

}  // namespace quelmora
