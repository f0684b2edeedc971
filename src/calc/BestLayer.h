#pragma once

#include "calc/PalletLayer.h"

namespace quelmora {

// The layer with the most identical upright boxes, each turned by 0 or 90
// degrees, that the search finds; never fewer than the column grid. Its
// UpperBound is the least of the area, Barnes, strip and (where those leave
// the proof open) linear programming bounds, so Proven() says the count
// cannot be beaten. OverhangMM
// is allowed beyond each pallet edge. Layers of very many boxes (more than
// kMostSearchedBoxes by area) are the grid's.
//
// The search is the recursive partitioning of
//   Birgin, E. G., Lobato, R. D., Morabito, R., "An effective recursive
//   partitioning approach for the packing of identical rectangles in a
//   rectangle", Journal of the Operational Research Society 61 (2010) 306-320,
// (first-order non-guillotine five-block cuts over raster points, after
//   Morabito, R., Morales, S., "A simple and effective recursive procedure for
//   the manufacturer's pallet loading problem", Journal of the Operational
//   Research Society 49 (1998) 819-828),
// with the raster points of Scheithauer and Terno and the bounds in
// LayerBounds.h.
TPalletLayer BestLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM = 0);

// BestLayer with the costly linear programming bound and the L-shaped step
// left out unless Prove: the five-block boxes, a bound perhaps higher, and in
// rare layers one box fewer. For the engine, which needs the count of many
// footprints quickly.
TPalletLayer SearchedLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                           double BoxWidthMM, double OverhangMM, bool Prove);

inline constexpr int kMostSearchedBoxes = 200;

// The bound alone, as BestLayer states it before searching: the least of the
// area and Barnes bounds of the pallet with the overhang.
int32_t LayerUpperBound(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                        double BoxWidthMM, double OverhangMM = 0);

}  // namespace quelmora
