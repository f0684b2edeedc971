#pragma once

#include <cstdint>
#include <vector>

namespace quelmora {

// One box of a pallet layer seen from above, mm. X runs along the pallet's
// length and Y along its width, from the pallet's corner; with an overhang
// they may be negative. LengthMM is the box's extent along X.
struct TLayerBox {
  double XMM = 0;
  double YMM = 0;
  double LengthMM = 0;
  double WidthMM = 0;

  bool operator==(const TLayerBox&) const = default;
};

// One layer of identical upright boxes and what is known of the best count.
struct TPalletLayer {
  int32_t Count = 0;
  std::vector<TLayerBox> Boxes;  // Count of them; empty for a layer too large to list
  int32_t GridCount = 0;         // what the column grid puts in the same layer
  int32_t UpperBound = 0;        // no layer of these boxes holds more

  bool Proven() const { return Count >= UpperBound; }
};

// The column grid's layer, as the grid strategy counts it: all boxes turned
// the same way, the turned grid only when it holds more. OverhangMM is
// allowed beyond each pallet edge. Its bound is the area bound.
// Its count alone, without listing the boxes.
int32_t GridLayerCount(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM = 0);

TPalletLayer GridLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM = 0);

}  // namespace quelmora
