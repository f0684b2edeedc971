#pragma once

#include <array>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "model/PalletModel.h"

namespace quelmora {

// Identical upright boxes, every layer BestLayer's: boxes turned either way
// within a layer, layers stacked up to the height limit as the grid stacks
// them. Safe to share between threads; layers are searched once per
// footprint and kept.
class TBestLayerPalletOptimizer final : public IPalletOptimizer {
 public:
  explicit TBestLayerPalletOptimizer(double OverhangMM = 0) : FOverhangMM(OverhangMM) {}

  TPalletResult Calculate(double BoxL, double BoxB, double BoxH, double PalletL, double PalletB,
                          double MaxHeight) const override;
  std::unique_ptr<IPalletPackPlan> PreparePack(std::vector<double> Sides,
                                               std::vector<double> Heights, double PalletL,
                                               double PalletB, double MaxHeight) const override;

  // Boxes per layer, and whether every one of them is turned.
  struct TLayerCount {
    int32_t Count = 0;
    bool Rotated = false;
  };
  TLayerCount LayerOf(double BoxL, double BoxB, double PalletL, double PalletB) const;
  double OverhangMM() const { return FOverhangMM; }

 private:
  double FOverhangMM;
  mutable std::mutex FMutex;
  mutable std::map<std::array<double, 4>, std::shared_future<TLayerCount>> FSearched;
};

}  // namespace quelmora
