#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/BoxModel.h"
#include "model/PackModel.h"
#include "model/ProductModel.h"

namespace quelmora {

enum TVolumeMismatchMode : int32_t { UseSpecifiedVolume = 0, UseSampleVolume, Ask };

enum TCriterionKind : int32_t { ckCostPerVolume = 0, ckBoxCount, ckPalletUtilization, ckCombined };

// How boxes are loaded on a pallet: every layer one column grid, or the
// layer that holds the most.
enum TPalletMethod : int32_t { pmColumnGrid = 0, pmBestLayer };

// Everything that steers a calculation. The field order is the record's; the
// settings field table orders the numeric fields differently.
struct TOptimizationSettings {
  double DimensionDeviationMinPercent = 0;
  double DimensionDeviationMaxPercent = 0;
  double LengthGapMM = 0;  // total clearance along the box length
  double WidthGapMM = 0;
  double FlapMM = 0;             // pack blank flap
  double MaxPalletHeightMM = 0;  // load height without the pallet
  double CardboardPricePerM2 = 0;
  double PackMaterialPricePerM2 = 0;
  double PalletLengthMM = 0;
  double PalletWidthMM = 0;
  double PackDimensionStepMM = 0;
  double BoxUnificationToleranceMM = 0;  // stored only; no calculation reads it
  double BoardThicknessMM = 0;
  double BoxGlueFlapMM = 0;
  double CardboardGramsPerM2 = 0;
  double PackMaterialGramsPerM2 = 0;
  double MaxBoxHeightMM = 0;  // outer
  double WeightCost = 0;
  double WeightDimension = 0;
  double WeightRatio = 0;
  double WeightFill = 0;
  double WeightPallet = 0;
  double WeightUnification = 0;
  int32_t MaxPackVariantsPerProduct = 0;
  int32_t MaxResultsPerProduct = 0;
  int32_t MaxPacksPerBox = 0;
  int32_t MaxCountPerAxis = 0;
  int32_t MaxGeometryEvaluations = 0;
  int32_t TargetUnifiedBoxCount = 0;
  bool SortBoxes = false;
  bool AllowOversizeBoxes = false;
  TVolumeMismatchMode VolumeMismatchMode = UseSpecifiedVolume;
  std::string CurrencySymbol;
  // The pallet beyond its footprint; each of these at 0 leaves the loading
  // as it was before they existed.
  TPalletMethod PalletMethod = pmColumnGrid;
  double PalletHeightMM = 0;           // the empty pallet, for the figures
  double PalletWeightKG = 0;           // the empty pallet
  double MaxLoadedPalletWeightKG = 0;  // pallet and load; 0 = no limit
  double PalletOverhangMM = 0;         // boxes may reach this far past each pallet edge
  // The bottom box's strength check (calc/PalletStrength.h); off while
  // EdgeCrushKNPerM is 0, and then none of these changes anything.
  double EdgeCrushKNPerM = 0;
  double StorageHumidityPercent = 50;
  double DaysUnderLoad = 0;
  int32_t StackedPallets = 1;  // loaded pallets on top of each other, 1 = none
  double RequiredSafetyFactor = 3;
  bool LimitLayersToStrength = false;  // cap the layers at what the bottom box holds

  bool operator==(const TOptimizationSettings&) const = default;
};

TOptimizationSettings DefaultSettings();

// Numeric access by settings field table index (SettingsFields.h). Raises
// TErrorKind::OutOfRange "Settings field" outside the table and TErrorKind::NotANumber
// "Integer expected" for an integer field given anything but a whole 32-bit
// number; nothing is stored then. No range check: that is validation's.
double GetSettingsField(const TOptimizationSettings& settings, int index);
void SetSettingsField(TOptimizationSettings& settings, int index, double value);

// One product's proposal with its comparison base.
struct TOptimizationSolution {
  int32_t ProductId = 0;
  TPackVariant Pack;
  TBoxVariant Box;
  TPackVariant OriginalPack;
  TBoxVariant OriginalBox;
  double SavingPercent = 0;
  int32_t UnifiedGroupId = 0;       // shared box size, from 1; 0 before planning
  int32_t UnifiedProductCount = 0;  // products sharing that size

  bool operator==(const TOptimizationSolution&) const = default;
};

struct TOptimizationResult {
  std::vector<TOptimizationSolution> Solutions;
  std::vector<std::string> Log;
  double AverageCostPerM3 = 0;
  double OriginalAverageCostPerM3 = 0;
  bool Cancelled = false;

  bool operator==(const TOptimizationResult&) const = default;
};

// The project document.
struct TProjectData {
  std::vector<TProduct> Products;
  TOptimizationSettings Settings;
  TCriterionKind OptimizationCriterion = ckCostPerVolume;

  bool operator==(const TProjectData&) const = default;
};

// A cooperative stop flag: one thread cancels, the computing thread checks.
class TCancelToken {
 public:
  TCancelToken() = default;
  // Cancelled on its own or with Parent, which must outlive it: one part of
  // a run can be stopped while the whole run stays cancellable.
  explicit TCancelToken(const TCancelToken* Parent) noexcept : FParent(Parent) {}
  TCancelToken(const TCancelToken&) = delete;
  TCancelToken& operator=(const TCancelToken&) = delete;

  void Cancel() noexcept { FCancelled.exchange(1, std::memory_order_seq_cst); }
  bool IsCancelled() const noexcept {
    return FCancelled.load(std::memory_order_seq_cst) != 0 || (FParent && FParent->IsCancelled());
  }
  // Raises TErrorKind::Cancelled "Cancelled" every time it is called after Cancel.
  void Check() const;

 private:
  std::atomic<int32_t> FCancelled{0};
  const TCancelToken* FParent = nullptr;
};

// Percentage 0..100 and stage text; called from the computing thread.
using TProgressCallback = std::function<void(int32_t percent, const std::string& stage)>;

}  // namespace quelmora
