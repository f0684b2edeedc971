#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "calc/Tolerances.h"

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

// The same bound for many rooms of one box: the lines along X depend on X
// alone and those along Y on Y alone, so each side's hull is made once.
using TStripHull = std::vector<std::array<double, 3>>;
TStripHull StripHullAlongX(double X, double BoxL, double BoxW);
TStripHull StripHullAlongY(double Y, double BoxL, double BoxW);
// Stops once the bound reaches Enough: a result below Enough is exact.
int64_t StripBound(double X, double Y, double BoxL, double BoxW, const TStripHull& AlongX,
                   const TStripHull& AlongY, int64_t Enough = std::numeric_limits<int64_t>::max());

// How many boxes of one side fit along a room, within the length tolerance.
inline double BoxesAlong(double Room, double Size) {
  return std::floor((Room + kLengthToleranceMM) / Size);
}

// The area bound, to within the length tolerance.
inline int64_t AreaBound(double X, double Y, double BoxL, double BoxW) {
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return 0;
  // Area met to within the tolerance of both sides counts as filled.
  const double slack = kLengthToleranceMM * (X + Y);
  return static_cast<int64_t>(std::floor((X * Y + slack) / (BoxL * BoxW)));
}

// The Barnes bound on integer data (all sizes >= 1); never above the area
// bound.
int64_t BarnesBound(int64_t X, int64_t Y, int64_t BoxL, int64_t BoxW);

// One side of many rooms for the same box, reduced once, so that the Barnes
// bound of a room costs a few operations: the side and the box's sides
// divided by their common divisor, and the side's residues modulo those.
struct TBarnesSide {
  int64_t Cells = 0, BoxL = 1, BoxW = 1, RestL = 0, RestW = 0;
};
TBarnesSide BarnesSide(int64_t Length, int64_t BoxL, int64_t BoxW);

// BarnesBound(X, Y, BoxL, BoxW) from the sides BarnesSide made of X and Y.
inline int64_t BarnesBound(const TBarnesSide& X, const TBarnesSide& Y) {
  if (X.Cells <= 0 || Y.Cells <= 0) return 0;
  const int64_t l = X.BoxL, w = X.BoxW;
  const int64_t wasteL = std::min(X.RestL * Y.RestL, (l - X.RestL) * (l - Y.RestL));
  const int64_t wasteW = std::min(X.RestW * Y.RestW, (w - X.RestW) * (w - Y.RestW));
  return std::max<int64_t>(0, (X.Cells * Y.Cells - std::max(wasteL, wasteW)) / (l * w));
}

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
