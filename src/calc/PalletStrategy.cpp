#include "calc/PalletStrategy.h"

#include "calc/BestLayerPalletOptimizer.h"
#include "calc/PalletCalculator.h"

namespace quelmora {

std::shared_ptr<const IPalletOptimizer> MakePalletOptimizer(const TOptimizationSettings& S) {
  switch (S.PalletMethod) {
    case pmBestLayer:
      return std::make_shared<TBestLayerPalletOptimizer>(S.PalletOverhangMM);
    case pmColumnGrid:
      break;
  }
  return std::make_shared<TGridPalletOptimizer>(S.PalletOverhangMM);
}

}  // namespace quelmora
