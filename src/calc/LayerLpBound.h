#pragma once

#include <cstddef>
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
// The positions are the reduced raster points of Scheithauer and Terno: every
// layer can be moved onto them, and there are about a third as many. The
// programme is solved by first-order primal-dual steps over the whole raster;
// a small one they leave open goes on to a warm-started simplex with rows and
// columns generated as needed. The bound is read from a dual solution checked
// against every placement, so it holds wherever either method stops. The work
// stops once the bound reaches Goal or after a fixed effort; kNoLpBound means
// none was proven.
inline constexpr int64_t kNoLpBound = int64_t{1} << 40;

int64_t PackingLpBound(double X, double Y, double BoxL, double BoxW, int64_t Goal);

// Why the bound ended where it did, for the benchmark's diagnosis.
enum class TLpOutcome : uint8_t {
  ReachedGoal,  // the bound came down to Goal
  Fractional,   // solved to the end, its value at least Goal + 1
  TooLarge,     // more raster points or rows than the effort limits allow
  OutOfEffort,  // the simplex ran out of steps
};

struct TLpBoundReport {
  int64_t Bound = kNoLpBound;
  TLpOutcome Outcome = TLpOutcome::TooLarge;
  // The programme's value when solved to the end; else the best dual value
  // the first-order steps reached, which is above it.
  double Value = 0;
  size_t Points = 0, Rows = 0, Columns = 0;
  int64_t Pivots = 0;
};

TLpBoundReport PackingLpBoundReport(double X, double Y, double BoxL, double BoxW, int64_t Goal);

}  // namespace quelmora
