#pragma once

#include <cstdint>
#include <vector>

#include "calc/PalletLayer.h"

namespace quelmora {

// The recursive partitioning of a room into L-shaped pieces, after
//   Lins, L., Lins, S., Morabito, R., "An L-approach for packing
//   (l, w)-rectangles into rectangular and L-shaped pieces", Journal of the
//   Operational Research Society 54 (2003) 777-789,
// as the second step of
//   Birgin, E. G., Lobato, R. D., Morabito, R., "An effective recursive
//   partitioning approach for the packing of identical rectangles in a
//   rectangle", Journal of the Operational Research Society 61 (2010) 306-320.
// A piece is a bounding box X x Y less its corner beyond (x, y); each is cut,
// by straight or stepped cuts through raster points, into two rectangles or
// L-pieces, and the best is kept per piece. An effort cap ends the search
// with what it has.
//
// The boxes (l x w or w x l) of an X x Y room whose corner lies at
// (OriginMM, OriginMM), when the search finds more than Beat of them; else
// none. Bound is a known upper bound: reaching it ends the search.
std::vector<TLayerBox> LShapedLayer(double RoomXMM, double RoomYMM, double BoxLengthMM,
                                    double BoxWidthMM, int32_t Beat, int32_t Bound,
                                    double OriginMM = 0);

// Layers with at most this many boxes by their bound get the L-shaped step.
inline constexpr int kMostLShapedBoxes = 100;

}  // namespace quelmora
