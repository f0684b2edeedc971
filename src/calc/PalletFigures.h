#pragma once

#include <cstdint>

#include "calc/PalletLayer.h"
#include "model/BoxModel.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// The pallet a loading is shown on; mm and kg.
struct TPalletSetup {
  double LengthMM = 0;
  double WidthMM = 0;
  double OwnHeightMM = 0;  // of the empty pallet
  double OwnWeightKG = 0;
  double OverhangMM = 0;    // allowed beyond each pallet edge
  double LoadHeightMM = 0;  // most load height, without the pallet
  TPalletMethod Method = pmColumnGrid;
};

// The pallet of the settings.
TPalletSetup PalletSetupOf(const TOptimizationSettings& Settings);

// What an engineer checks of one box's pallet.
struct TPalletFigures {
  int32_t BoxesPerLayer = 0;
  int32_t LayerCount = 0;
  int32_t BoxesPerPallet = 0;
  int64_t PacksPerPallet = 0;
  double LoadHeightMM = 0;       // with the pallet
  double GrossWeightKG = 0;      // with the pallet
  double AreaUsedPercent = 0;    // the layer's boxes over the pallet's area
  double VolumeUsedPercent = 0;  // the boxes over pallet area × load height limit
  bool Proven = false;           // no layer of these boxes holds more
  int32_t MoreAtMost = 0;        // boxes a layer might hold beyond this one
};

// The counts come from Box.Pallet (a weight limit may have lowered the
// layers), the layer's count and bound from Layer.
TPalletFigures PalletFiguresOf(const TBoxVariant& Box, const TPalletLayer& Layer,
                               const TPalletSetup& Pallet);

// The layer shown for Box, the same in the window and the report, by the
// loading method: the one the pallet strategy counts. The best layer comes
// without its costly proof (its bound may then say "at most N more"), so that
// it stays quick enough for the UI thread.
TPalletLayer SolutionLayer(const TBoxVariant& Box, const TPalletSetup& Pallet);

// A box of the layer lying with its length across the pallet, as against a
// box of BoxLengthMM × BoxWidthMM; never for a square box.
bool IsTurned(const TLayerBox& Placed, double BoxLengthMM, double BoxWidthMM);

}  // namespace quelmora
