#pragma once

#include <cstdint>

namespace quelmora {

// Upper bounds on how many l x w boxes, each turned by 0 or 90 degrees, fit in
// an X x Y rectangle without overlap.
//
// Barnes, F. W., "Packing the maximum number of m x n tiles in a large p x q
// rectangle", Discrete Mathematics 26 (1979) 93-100: a rectangle tiled by
// 1 x a bars wastes at least min(rs, (a-r)(a-s)) cells, r and s its sides
// modulo a, and every box is w bars of length l as well as l bars of length w.

// The bound of the strips: every line across the room, along X or along Y,
// meets a set of boxes whose sides along it fit the room's side; averaged over
// the room, the shares of boxes turned each way lie in the convex hull of
// those sets. The most boxes such averages allow, counted in whole boxes of
// each turn, is never above the area bound and often below the Barnes bound.
// In the spirit of Isermann's linear programming bound (OR Spektrum, 1987).
int64_t StripBound(double X, double Y, double BoxL, double BoxW);

// The area bound, to within the length tolerance.
int64_t AreaBound(double X, double Y, double BoxL, double BoxW);

// The Barnes bound on integer data (all sizes >= 1); never above the area
// bound.
int64_t BarnesBound(int64_t X, int64_t Y, int64_t BoxL, int64_t BoxW);

// Whether Count boxes surely do not fit the integer room: true when a search
// over all layers finds no room for them. The search takes the first free
// cell, row by row, as either a box's corner or waste, and gives up once the
// waste passes the area's spare cells; it is tried only when those are at
// most kMostSpareCells (of at most 200 000) after dividing out the sides'
// common divisor, and false also means the search ran out of MostNodes.
inline constexpr int64_t kMostSpareCells = 48;
bool SurelyTooMany(int64_t X, int64_t Y, int64_t BoxL, int64_t BoxW, int64_t Count,
                   int64_t MostNodes);

// Scale that makes both box sides whole numbers (1, 10, ... 10000), or 0 when
// none does; lengths built from the sides then scale to whole numbers too.
int64_t IntegerScale(double BoxL, double BoxW);

}  // namespace quelmora
