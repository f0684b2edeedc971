#include "calc/PalletCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "model/FloatChecks.h"

namespace quelmora {

namespace {

// How many boxes fit along each side of the pallet, and in how many layers.
struct TGridFits {
  double LengthAlongLength = 0;  // the box's length along the pallet's length
  double WidthAlongWidth = 0;
  double WidthAlongLength = 0;  // turned
  double LengthAlongWidth = 0;
  double Layers = 0;
};

// Boxes per pallet: the better of the straight and the turned layer, stacked.
void CountGrid(const TGridFits& Fits, TPalletResult& R) {
  const double straight = Fits.LengthAlongLength * Fits.WidthAlongWidth;
  const double turned = Fits.WidthAlongLength * Fits.LengthAlongWidth;
  R.Rotated = turned > straight;  // a tie keeps the straight layer
  R.BoxesPerLayer = SaturatedCount(std::max(straight, turned));
  R.LayerCount = SaturatedCount(Fits.Layers);
  R.BoxesPerPallet =
      SaturatedCount(static_cast<double>(R.BoxesPerLayer) * static_cast<double>(R.LayerCount));
}

class TGridPackPlan final : public IPalletPackPlan {
 public:
  TGridPackPlan(std::vector<double> Sides, std::vector<double> Heights, double PalletL,
                double PalletB, double MaxHeight)
      : FSides(std::move(Sides)),
        FHeights(std::move(Heights)),
        FPalletVolume(PalletL * PalletB * MaxHeight),
        FInversePalletVolume(1 / FPalletVolume) {
    FAlongLength.resize(FSides.size());
    FAlongWidth.resize(FSides.size());
    for (size_t i = 0; i < FSides.size(); ++i) {
      FAlongLength[i] = PalletFit(PalletL, FSides[i]);
      FAlongWidth[i] = PalletFit(PalletB, FSides[i]);
    }
    FLayers.resize(FHeights.size());
    for (size_t i = 0; i < FHeights.size(); ++i)
      FLayers[i] = PalletFit(MaxHeight, FHeights[i]);
  }

  TPalletResult Load(size_t Length, size_t Width, size_t Height) const override {
    TPalletResult r;
    const double L = FSides[Length], B = FSides[Width], H = FHeights[Height];
    if (L <= 0 || B <= 0 || H <= 0) return r;
    CountGrid(FitsOf(Length, Width, Height), r);
    r.Utilization = FDiv(r.BoxesPerPallet * L * B * H, FPalletVolume);
    return r;
  }

  bool EstimateUtilization(size_t Length, size_t Width, size_t Height,
                           double& Utilization) const override {
    TPalletResult r;
    CountGrid(FitsOf(Length, Width, Height), r);
    Utilization = static_cast<double>(r.BoxesPerPallet) * FSides[Length] * FSides[Width] *
                  FHeights[Height] * FInversePalletVolume;
    return true;
  }

 private:
  TGridFits FitsOf(size_t Length, size_t Width, size_t Height) const {
    return {FAlongLength[Length], FAlongWidth[Width], FAlongLength[Width], FAlongWidth[Length],
            FLayers[Height]};
  }

  std::vector<double> FSides, FHeights;
  double FPalletVolume, FInversePalletVolume;
  std::vector<double> FAlongLength, FAlongWidth;  // by side
  std::vector<double> FLayers;                    // by height
};

}  // namespace

TPalletResult TGridPalletOptimizer::Calculate(double BoxL, double BoxB, double BoxH, double PalletL,
                                              double PalletB, double MaxHeight) const {
  TPalletResult r;
  if (BoxL <= 0 || BoxB <= 0 || BoxH <= 0) return r;
  const double roomL = PalletL + 2 * FOverhangMM, roomB = PalletB + 2 * FOverhangMM;
  CountGrid({PalletFit(roomL, BoxL), PalletFit(roomB, BoxB), PalletFit(roomL, BoxB),
             PalletFit(roomB, BoxL), PalletFit(MaxHeight, BoxH)},
            r);
  r.Utilization = FDiv(r.BoxesPerPallet * BoxL * BoxB * BoxH, roomL * roomB * MaxHeight);
  return r;
}

std::unique_ptr<IPalletPackPlan> TGridPalletOptimizer::PreparePack(std::vector<double> Sides,
                                                                   std::vector<double> Heights,
                                                                   double PalletL, double PalletB,
                                                                   double MaxHeight) const {
  return std::make_unique<TGridPackPlan>(std::move(Sides), std::move(Heights),
                                         PalletL + 2 * FOverhangMM, PalletB + 2 * FOverhangMM,
                                         MaxHeight);
}

}  // namespace quelmora
