#pragma once

#include <cstdint>

#include "model/PackModel.h"
#include "model/PalletModel.h"

namespace quelmora {

// A candidate shipping box with its contents and costs.
struct TBoxVariant {
  double LengthMM = 0;  // outer
  double WidthMM = 0;
  double HeightMM = 0;
  double InnerLengthMM = 0;
  double InnerWidthMM = 0;
  double InnerHeightMM = 0;
  int32_t PackCount = 0;
  TPackPlacement PackPlacement;  // all zero for a product's current box
  double GrossWeightKG = 0;
  double BlankAreaM2 = 0;  // cardboard blank
  double BoxCost = 0;
  double BoxVolumeM3 = 0;   // outer volume
  int32_t PalletCount = 0;  // boxes on one pallet
  TPalletResult Pallet;
  double PalletUtilization = 0;
  double PackagingCostPerM3 = 0;         // per cubic metre of product
  double AveragePackagingCostPerM3 = 0;  // assortment average, after a run
  double PackagingCostPerUnit = 0;       // per pack
  double FillRatio = 0;                  // packs' volume / inner volume
  double Score = 0;                      // criterion value, lower is better

  bool operator==(const TBoxVariant&) const = default;
};

}  // namespace quelmora
