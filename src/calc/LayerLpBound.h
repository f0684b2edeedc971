#pragma once

#include <cstdint>

namespace quelmora {

// The linear programming bound on how many l x w boxes, each turned by 0 or
// 90 degrees, fit in an X x Y room: the relaxation of the set packing model
// with one variable per box placed at a raster point and one constraint per
// raster point (no point covered twice), after
//   Isermann, H., "Ein Planungssystem zur Optimierung der Palettenbeladung mit
//   kongruenten rechteckigen Versandgebinden", OR Spektrum 9 (1987) 235-249,
//   and Letchford, A. N., Amaral, A., "Analysis of upper bounds for the pallet
//   loading problem", European Journal of Operational Research 132 (2001)
//   582-593, who find it almost always tight.
// Rows and columns are generated as needed; the bound is read from a dual
// solution checked against every placement, so it holds even when the
// programme is not solved to the end. The work stops once the bound reaches
// Goal or after a fixed effort; kNoLpBound means none was proven. X and Y
// should be the room reduced to sums r l + s w: the programme is smaller.
inline constexpr int64_t kNoLpBound = int64_t{1} << 40;

int64_t PackingLpBound(double X, double Y, double BoxL, double BoxW, int64_t Goal);

}  // namespace quelmora
