#include "calc/PalletLayer.h"

#include <algorithm>
#include <cmath>

#include "calc/PalletCalculator.h"

namespace quelmora {

namespace {

struct TGridShape {
  double AlongL = 0;  // the box's extent along the pallet length
  double AlongW = 0;
  int32_t Columns = 0;
  int32_t Rows = 0;
};

// All boxes turned the same way, turned only when that holds more.
TGridShape GridShape(double RoomL, double RoomW, double BoxLengthMM, double BoxWidthMM) {
  const double straight = PalletFit(RoomL, BoxLengthMM) * PalletFit(RoomW, BoxWidthMM);
  const double turned = PalletFit(RoomL, BoxWidthMM) * PalletFit(RoomW, BoxLengthMM);
  const bool rotated = turned > straight;  // a tie keeps the straight layer
  TGridShape g;
  g.AlongL = rotated ? BoxWidthMM : BoxLengthMM;
  g.AlongW = rotated ? BoxLengthMM : BoxWidthMM;
  g.Columns = SaturatedCount(PalletFit(RoomL, g.AlongL));
  g.Rows = SaturatedCount(PalletFit(RoomW, g.AlongW));
  return g;
}

}  // namespace

int32_t GridLayerCount(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM) {
  if (BoxLengthMM <= 0 || BoxWidthMM <= 0) return 0;
  const TGridShape g = GridShape(PalletLengthMM + 2 * OverhangMM, PalletWidthMM + 2 * OverhangMM,
                                 BoxLengthMM, BoxWidthMM);
  return SaturatedCount(static_cast<double>(g.Columns) * g.Rows);
}

TPalletLayer GridLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM) {
  TPalletLayer layer;
  if (BoxLengthMM <= 0 || BoxWidthMM <= 0) return layer;
  const double roomL = PalletLengthMM + 2 * OverhangMM, roomW = PalletWidthMM + 2 * OverhangMM;
  const TGridShape g = GridShape(roomL, roomW, BoxLengthMM, BoxWidthMM);
  const double alongL = g.AlongL, alongW = g.AlongW;
  const int32_t columns = g.Columns, rows = g.Rows;
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
