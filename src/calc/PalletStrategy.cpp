#include "calc/PalletStrategy.h"

#include "calc/PalletCalculator.h"

namespace quelmora {

std::shared_ptr<const IPalletOptimizer> MakePalletOptimizer(const TOptimizationSettings& S) {
  switch (S.PalletMethod) {
    case pmBestLayer:
      // MERGE: replace with std::make_shared<TBestLayerPalletOptimizer>(S.PalletOverhangMM).
      return std::make_shared<TGridPalletOptimizer>(S.PalletOverhangMM);
    case pmColumnGrid:
      break;
  }
  return std::make_shared<TGridPalletOptimizer>(S.PalletOverhangMM);
}

}  // namespace quelmora
