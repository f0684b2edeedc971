#include "calc/LayerBounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "calc/Tolerances.h"

namespace quelmora {

namespace {

// Least waste of an X x Y rectangle filled with 1 x a bars.
int64_t BarWaste(int64_t X, int64_t Y, int64_t a) {
  const int64_t r = X % a, s = Y % a;
  return std::min(r * s, (a - r) * (a - s));
}

// Half-planes Ca a + Cb b <= C in the counts a (boxes with l along X) and b.
struct THalfPlane {
  double Ca, Cb, C;
};

// The upper hull of the most boxes of side q that fit beside r of side p in
// Room, as half-planes in (r, s): s <= y0 + m (r - r0), and r <= rmax.
void StripHull(double Room, double p, double q, std::vector<std::array<double, 3>>& Out) {
  std::vector<std::pair<double, double>> hull;  // (r, most s)
  hull.reserve(static_cast<size_t>(std::max(0.0, Room / p)) + 2);
  for (double r = 0; r * p <= Room + kLengthToleranceMM; ++r) {
    const std::pair<double, double> pt{r, std::floor((Room - r * p + kLengthToleranceMM) / q)};
    while (hull.size() >= 2) {
      const auto& [x1, y1] = hull[hull.size() - 2];
      const auto& [x2, y2] = hull.back();
      // Drop the middle point when it lies on or below the chord.
      if ((y2 - y1) * (pt.first - x1) <= (pt.second - y1) * (x2 - x1))
        hull.pop_back();
      else
        break;
    }
    hull.push_back(pt);
  }
  // {1, 0, x}: r <= x; {m, 1, c}: s - m r <= c.
  Out.reserve(Out.size() + hull.size() + 1);
  Out.push_back({1, 0, hull.back().first});
  for (size_t i = 0; i + 1 < hull.size(); ++i) {
    const double m = (hull[i + 1].second - hull[i].second) / (hull[i + 1].first - hull[i].first);
    Out.push_back({-m, 1, hull[i].second - m * hull[i].first});
  }
  if (hull.size() == 1) Out.push_back({0, 1, hull[0].second});
}

constexpr int64_t kMostCells = 200'000;

// The first-free-cell search of SurelyTooMany, on a room X cells wide.
class TCellSearch {
 public:
  TCellSearch(int64_t X, int64_t Y, int64_t l, int64_t w, int64_t Count, int64_t Spare,
              int64_t MostNodes)
      : FX(X),
        FY(Y),
        Fl(l),
        Fw(w),
        FCount(Count),
        FSpare(Spare),
        FNodesLeft(MostNodes),
        FUsed(static_cast<size_t>(X * Y), 0) {}

  // True: Count fit; false: they do not, or the nodes ran out (Exhausted).
  bool Fits() { return Search(0, 0, 0); }
  bool Exhausted() const { return FNodesLeft < 0; }

 private:
  bool Free(int64_t x, int64_t y, int64_t dx, int64_t dy) const {
    if (x + dx > FX || y + dy > FY) return false;
    for (int64_t j = y; j < y + dy; ++j)
      for (int64_t i = x; i < x + dx; ++i)
        if (FUsed[static_cast<size_t>(j * FX + i)]) return false;
    return true;
  }
  void Mark(int64_t x, int64_t y, int64_t dx, int64_t dy, uint8_t v) {
    for (int64_t j = y; j < y + dy; ++j)
      for (int64_t i = x; i < x + dx; ++i)
        FUsed[static_cast<size_t>(j * FX + i)] = v;
  }
  bool Search(int64_t cell, int64_t placed, int64_t wasted) {
    if (placed >= FCount) return true;
    if (--FNodesLeft < 0) return false;
    while (cell < FX * FY && FUsed[static_cast<size_t>(cell)])
      ++cell;
    if (cell >= FX * FY) return false;
    const int64_t x = cell % FX, y = cell / FX;
    for (const auto& [dx, dy] : {std::pair{Fl, Fw}, std::pair{Fw, Fl}}) {
      if (Free(x, y, dx, dy)) {
        Mark(x, y, dx, dy, 1);
        const bool fits = Search(cell + 1, placed + 1, wasted);
        Mark(x, y, dx, dy, 0);
        if (fits || Exhausted()) return fits;
      }
      if (Fl == Fw) break;
    }
    if (wasted >= FSpare) return false;
    FUsed[static_cast<size_t>(cell)] = 1;
    const bool fits = Search(cell + 1, placed, wasted + 1);
    FUsed[static_cast<size_t>(cell)] = 0;
    return fits;
  }

  int64_t FX, FY, Fl, Fw, FCount, FSpare, FNodesLeft;
  std::vector<uint8_t> FUsed;
};

}  // namespace

bool SurelyTooMany(int64_t X, int64_t Y, int64_t BoxL, int64_t BoxW, int64_t Count,
                   int64_t MostNodes) {
  if (BoxL <= 0 || BoxW <= 0) return false;
  if (X <= 0 || Y <= 0) return Count > 0;
  // Normal layers put every box at a multiple of the sides' common divisor.
  const int64_t g = std::gcd(BoxL, BoxW);
  X /= g, Y /= g, BoxL /= g, BoxW /= g;
  // A room of more cells (sides in tenths of a millimetre) is not worth it.
  if (X > kMostCells || Y > kMostCells || X * Y > kMostCells) return false;
  // Every box takes a cell at least; one longer than the room fits nowhere.
  if (Count > 0 && (Count > X * Y || std::max(BoxL, BoxW) > std::max(X, Y))) return true;
  if (Count <= 0) return false;
  const int64_t spare = X * Y - Count * BoxL * BoxW;
  if (spare < 0) return true;
  if (spare > kMostSpareCells) return false;
  // Rows along the shorter side keep the free cells near one another.
  if (X > Y) std::swap(X, Y);
  TCellSearch search(X, Y, BoxL, BoxW, Count, spare, MostNodes);
  return !search.Fits() && !search.Exhausted();
}

TStripHull StripHullAlongX(double X, double BoxL, double BoxW) {
  TStripHull hull;
  if (X > 0 && BoxL > 0 && BoxW > 0) StripHull(X, BoxL, BoxW, hull);
  return hull;
}

TStripHull StripHullAlongY(double Y, double BoxL, double BoxW) {
  TStripHull hull;
  if (Y > 0 && BoxL > 0 && BoxW > 0) StripHull(Y, BoxW, BoxL, hull);
  return hull;
}

int64_t StripBound(double X, double Y, double BoxL, double BoxW) {
  return StripBound(X, Y, BoxL, BoxW, StripHullAlongX(X, BoxL, BoxW),
                    StripHullAlongY(Y, BoxL, BoxW));
}

int64_t StripBound(double X, double Y, double BoxL, double BoxW, const TStripHull& AlongX,
                   const TStripHull& AlongY, int64_t Enough) {
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return 0;
  // Most rooms have few half-planes: no allocation for them.
  const size_t count = 2 + AlongX.size() + AlongY.size();
  std::array<THalfPlane, 64> local;
  std::vector<THalfPlane> spill(count > local.size() ? count : 0);
  THalfPlane* const planes = spill.empty() ? local.data() : spill.data();
  planes[0] = {-1, 0, 0};
  planes[1] = {0, -1, 0};
  size_t i = 2;
  // Lines along X: (r, s) = (a w / Y, b l / Y).
  for (const auto& [cr, cs, c] : AlongX)
    planes[i++] = {cr * BoxW, cs * BoxL, c * Y};
  // Lines along Y: (r, s) = (a l / X, b w / X).
  for (const auto& [cr, cs, c] : AlongY)
    planes[i++] = {cr * BoxL, cs * BoxW, c * X};
  // Both counts are whole: for each a, the most b all half-planes allow.
  const double most = std::floor(X * Y / (BoxL * BoxW) + 1);
  int64_t best = 0;
  for (double a = 0; a <= most && best < Enough; ++a) {
    // Past b = best - a this a cannot lift best: the rest of the planes
    // would only lower b further.
    const double useless = static_cast<double>(best) - a;
    double b = most;
    for (size_t k = 0; k < count && b > useless; ++k) {
      const THalfPlane& h = planes[k];
      const double room = h.C - h.Ca * a + 1e-9 * (std::fabs(h.C) + 1);
      if (h.Cb > 0)
        b = std::min(b, std::floor(room / h.Cb));
      else if (room < 0)
        b = -1;  // this a breaks a bound on a alone
    }
    if (b >= 0) best = std::max(best, static_cast<int64_t>(a + b));
  }
  return best;
}

int64_t BarnesBound(int64_t X, int64_t Y, int64_t BoxL, int64_t BoxW) {
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return 0;
  // Normal layers put every box at a multiple of the sides' common divisor.
  const int64_t g = std::gcd(BoxL, BoxW);
  X /= g, Y /= g, BoxL /= g, BoxW /= g;
  const int64_t waste = std::max(BarWaste(X, Y, BoxL), BarWaste(X, Y, BoxW));
  return std::max<int64_t>(0, (X * Y - waste) / (BoxL * BoxW));
}

TBarnesSide BarnesSide(int64_t Length, int64_t BoxL, int64_t BoxW) {
  TBarnesSide side;
  if (Length <= 0 || BoxL <= 0 || BoxW <= 0) return side;
  const int64_t g = std::gcd(BoxL, BoxW);
  side.Cells = Length / g;
  side.BoxL = BoxL / g;
  side.BoxW = BoxW / g;
  side.RestL = side.Cells % side.BoxL;
  side.RestW = side.Cells % side.BoxW;
  return side;
}

int64_t IntegerScale(double BoxL, double BoxW) {
  for (int64_t scale = 1; scale <= 10000; scale *= 10) {
    const double l = BoxL * static_cast<double>(scale), w = BoxW * static_cast<double>(scale);
    if (l > 1e12 || w > 1e12) return 0;
    const double tolerance = kLengthToleranceMM * static_cast<double>(scale);
    if (std::fabs(l - std::round(l)) <= tolerance && std::fabs(w - std::round(w)) <= tolerance &&
        std::round(l) >= 1 && std::round(w) >= 1)
      return scale;
  }
  return 0;
}

}  // namespace quelmora
