#pragma once

#include <memory>

#include "model/OptimizationModel.h"
#include "model/PalletModel.h"

namespace quelmora {

// The pallet strategy the settings choose, with their overhang.
std::shared_ptr<const IPalletOptimizer> MakePalletOptimizer(const TOptimizationSettings& S);

}  // namespace quelmora
