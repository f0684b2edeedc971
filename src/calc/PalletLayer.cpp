#include "calc/PalletLayer.h"

#include <algorithm>
#include <cmath>

#include "calc/PalletCalculator.h"

namespace quelmora {

TPalletLayer GridLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM) {
  TPalletLayer layer;
  if (BoxLengthMM <= 0 || BoxWidthMM <= 0) return layer;
  const double roomL = PalletLengthMM + 2 * OverhangMM, roomW = PalletWidthMM + 2 * OverhangMM;
  const double straight = PalletFit(roomL, BoxLengthMM) * PalletFit(roomW, BoxWidthMM);
  const double turned = PalletFit(roomL, BoxWidthMM) * PalletFit(roomW, BoxLengthMM);
  const bool rotated = turned > straight;  // a tie keeps the straight layer
  const double alongL = rotated ? BoxWidthMM : BoxLengthMM;
  const double alongW = rotated ? BoxLengthMM : BoxWidthMM;
  const int32_t columns = SaturatedCount(PalletFit(roomL, alongL));
  const int32_t rows = SaturatedCount(PalletFit(roomW, alongW));
  // Positions are for drawing and checking: a layer too large to list is
  // only counted.
  constexpr int64_t kMostListed = 1 << 20;
  layer.Count = layer.GridCount = SaturatedCount(static_cast<double>(columns) * rows);
  layer.UpperBound =
      std::max(layer.Count, SaturatedCount(std::floor(roomL * roomW / (BoxLengthMM * BoxWidthMM))));
  if (static_cast<int64_t>(columns) * rows > kMostListed) return layer;
  layer.Boxes.reserve(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  for (int32_t i = 0; i < columns; ++i)
    for (int32_t j = 0; j < rows; ++j)
      layer.Boxes.push_back({i * alongL - OverhangMM, j * alongW - OverhangMM, alongL, alongW});
  return layer;
}

}  // namespace quelmora
