#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace quelmora {

// Loading of one box size on a pallet.
struct TPalletResult {
  int32_t BoxesPerLayer = 0;
  int32_t LayerCount = 0;
  int32_t BoxesPerPallet = 0;
  bool Rotated = false;    // box length along the pallet width
  double Utilization = 0;  // fraction of pallet area x height limit

  bool operator==(const TPalletResult&) const = default;
};

// A pallet strategy's loading of the many boxes built around one pack. Their
// sides come from short lists (one size per pack count along an axis), so a
// strategy can work out once per side what depends on that side alone.
class IPalletPackPlan {
 public:
  virtual ~IPalletPackPlan() = default;
  // Box Sides[Length] x Sides[Width] x Heights[Height] of the lists the plan
  // was prepared with, loaded exactly as the strategy's Calculate loads it.
  virtual TPalletResult Load(size_t Length, size_t Width, size_t Height) const = 0;
  // Its utilization without a division, as close to Load's as the box
  // estimates are to Build's (kEstimateAccuracy); false where the strategy
  // has no such estimate (no box is skipped on it).
  virtual bool EstimateUtilization(size_t, size_t, size_t, double&) const { return false; }
};

// The pallet loading strategy. Stateless: one instance serves a whole run and
// may be shared between threads.
class IPalletOptimizer {
 public:
  virtual ~IPalletOptimizer() = default;
  // Box outer length, width, height; pallet length, width; load height; mm.
  virtual TPalletResult Calculate(double BoxL, double BoxB, double BoxH, double PalletL,
                                  double PalletB, double MaxHeight) const = 0;
  // The plan for boxes whose horizontal sides are among Sides and heights
  // among Heights. By default it calls Calculate for each box; a strategy
  // overrides this to be faster, never to load differently.
  virtual std::unique_ptr<IPalletPackPlan> PreparePack(std::vector<double> Sides,
                                                       std::vector<double> Heights, double PalletL,
                                                       double PalletB, double MaxHeight) const;
};

// The default plan: one Calculate per box.
class TPerBoxPalletPlan final : public IPalletPackPlan {
 public:
  TPerBoxPalletPlan(const IPalletOptimizer& Strategy, std::vector<double> Sides,
                    std::vector<double> Heights, double PalletL, double PalletB, double MaxHeight)
      : FStrategy(Strategy),
        FSides(std::move(Sides)),
        FHeights(std::move(Heights)),
        FPalletL(PalletL),
        FPalletB(PalletB),
        FMaxHeight(MaxHeight) {}
  TPalletResult Load(size_t Length, size_t Width, size_t Height) const override {
    return FStrategy.Calculate(FSides[Length], FSides[Width], FHeights[Height], FPalletL, FPalletB,
                               FMaxHeight);
  }

 private:
  const IPalletOptimizer& FStrategy;
  std::vector<double> FSides, FHeights;
  double FPalletL, FPalletB, FMaxHeight;
};

inline std::unique_ptr<IPalletPackPlan> IPalletOptimizer::PreparePack(std::vector<double> Sides,
                                                                      std::vector<double> Heights,
                                                                      double PalletL,
                                                                      double PalletB,
                                                                      double MaxHeight) const {
  return std::make_unique<TPerBoxPalletPlan>(*this, std::move(Sides), std::move(Heights), PalletL,
                                             PalletB, MaxHeight);
}

}  // namespace quelmora
