#include "calc/PalletFigures.h"

#include <algorithm>
#include <cmath>

#include "calc/BestLayer.h"

namespace quelmora {

namespace {

// Figures of a pallet without area or height (unvalidated settings) are 0.
double Share(double part, double whole) {
  return whole > 0 ? part / whole * 100 : 0;
}

}  // namespace

TPalletSetup PalletSetupOf(const TOptimizationSettings& Settings) {
  TPalletSetup pallet;
  pallet.LengthMM = Settings.PalletLengthMM;
  pallet.WidthMM = Settings.PalletWidthMM;
  pallet.OwnHeightMM = Settings.PalletHeightMM;
  pallet.OwnWeightKG = Settings.PalletWeightKG;
  pallet.OverhangMM = Settings.PalletOverhangMM;
  pallet.LoadHeightMM = Settings.MaxPalletHeightMM;
  pallet.Method = Settings.PalletMethod;
  return pallet;
}

TPalletFigures PalletFiguresOf(const TBoxVariant& Box, const TPalletLayer& Layer,
                               const TPalletSetup& Pallet) {
  TPalletFigures f;
  f.BoxesPerLayer = Box.Pallet.BoxesPerLayer;
  f.LayerCount = Box.Pallet.LayerCount;
  f.BoxesPerPallet = Box.Pallet.BoxesPerPallet;
  f.PacksPerPallet = static_cast<int64_t>(f.BoxesPerPallet) * Box.PackCount;
  f.LoadHeightMM = f.LayerCount * Box.HeightMM + Pallet.OwnHeightMM;
  f.GrossWeightKG = f.BoxesPerPallet * Box.GrossWeightKG + Pallet.OwnWeightKG;
  f.AreaUsedPercent =
      Share(Layer.Count * Box.LengthMM * Box.WidthMM, Pallet.LengthMM * Pallet.WidthMM);
  // Summed in the order the pallet strategy sums its utilization.
  f.VolumeUsedPercent = Share(f.BoxesPerPallet * Box.LengthMM * Box.WidthMM * Box.HeightMM,
                              Pallet.LengthMM * Pallet.WidthMM * Pallet.LoadHeightMM);
  f.Proven = Layer.Proven();
  f.MoreAtMost = std::max(0, Layer.UpperBound - Layer.Count);
  return f;
}

TPalletLayer SolutionLayer(const TBoxVariant& Box, const TPalletSetup& Pallet) {
  if (Pallet.Method == pmBestLayer)
    // Without the costly proof: the window asks for it on its own thread.
    return SearchedLayer(Pallet.LengthMM, Pallet.WidthMM, Box.LengthMM, Box.WidthMM,
                         Pallet.OverhangMM, false);
  return GridLayer(Pallet.LengthMM, Pallet.WidthMM, Box.LengthMM, Box.WidthMM, Pallet.OverhangMM);
}

bool IsTurned(const TLayerBox& Placed, double BoxLengthMM, double BoxWidthMM) {
  if (BoxLengthMM == BoxWidthMM) return false;
  return std::fabs(Placed.LengthMM - BoxWidthMM) < std::fabs(Placed.LengthMM - BoxLengthMM);
}

}  // namespace quelmora
