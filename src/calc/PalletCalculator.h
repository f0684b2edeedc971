#pragma once

#include "model/PalletModel.h"

namespace quelmora {

// Identical boxes in a column-stacked grid: every layer the same grid, all
// boxes in one orientation (turned by 90 degrees when that gives more), layers
// stacked up to the height limit.
class TGridPalletOptimizer final : public IPalletOptimizer {
 public:
  TPalletResult Calculate(double BoxL, double BoxB, double BoxH, double PalletL, double PalletB,
                          double MaxHeight) const override;
};

}  // namespace quelmora
