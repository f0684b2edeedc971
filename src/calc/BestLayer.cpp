#include "calc/BestLayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "calc/FiveBlockSearch.h"
#include "calc/LShapedLayer.h"
#include "calc/LayerBounds.h"
#include "calc/LayerLpBound.h"
#include "calc/PalletCalculator.h"
#include "calc/Tolerances.h"

namespace quelmora {

namespace {

constexpr double kTol = kLengthToleranceMM;
// Lengths a room side can take (sums r l + s w); more would make the tables
// too large for a layer the grid fills well anyway.
constexpr size_t kMostLengths = 600;
// Steps of the five-block enumeration before the search keeps what it has:
// the search stays within about a second on the hardest layers.
constexpr int64_t kWorkBudget = 60'000'000;
// Nodes of the cell search that tries one box more than found: about a
// tenth of a second.
constexpr int64_t kMostCellNodes = 2'000'000;

// The largest sum r l + s w not longer than Room.
double Normalized(double Room, double l, double w) {
  double best = 0;
  for (double r = 0; r * l <= Room + kTol; ++r)
    best = std::max(best, r * l + BoxesAlong(Room - r * l, w) * w);
  return best;
}

// Boxes that fit a room one way only fill it best as a grid: the count when
// so, else -1.
double OneWayCount(double X, double Y, double l, double w) {
  const bool straight = l <= X + kTol && w <= Y + kTol, turned = w <= X + kTol && l <= Y + kTol;
  if (straight && turned) return -1;
  return straight ? BoxesAlong(X, l) * BoxesAlong(Y, w)
         : turned ? BoxesAlong(X, w) * BoxesAlong(Y, l)
                  : 0;
}

// How a rectangle of the search is filled.
enum class TCut : uint8_t { Grid, TurnedGrid, Vertical, Horizontal, FiveBlock };

struct TNode {
  int32_t Value = -1;  // not solved yet
  TCut Cut = TCut::Grid;
  std::array<int16_t, 4> At{};  // cut positions, as length indices
};

// The recursive partitioning over one room. Rectangles are pairs of length
// indices (a, b), C[a] along X; a rectangle and its transpose hold the same,
// so only a <= b is solved.
class TPartitioner {
 public:
  TPartitioner(double X, double Y, double BoxL, double BoxW, int64_t WorkBudget = kWorkBudget,
               bool Shortcuts = true)
      : FBudget(WorkBudget), FShortcuts(Shortcuts), FL(BoxL), FW(BoxW) {
    const double most = std::max(X, Y);
    std::vector<double> all;
    for (double r = 0; r * FL <= most + kTol; ++r)
      for (double s = 0; r * FL + s * FW <= most + kTol; ++s) {
        all.push_back(r * FL + s * FW);
        if (all.size() > 8 * kMostLengths) return;
      }
    std::sort(all.begin(), all.end());
    for (const double v : all)
      if (FC.empty() || v > FC.back() + kTol)
        FC.push_back(v);
      else
        FC.back() = v;
    if (FC.size() > kMostLengths) return;
    const size_t n = FC.size();
    FN = n;
    FDiff.assign(n * n, 0);
    for (size_t a = 0; a < n; ++a) {
      // Index's answer, walked down as the difference shrinks.
      int k = static_cast<int>(n) - 1;
      for (size_t b = 0; b <= a; ++b) {
        const double length = FC[a] - FC[b] + kTol;
        while (k >= 0 && length < FC[k])
          --k;
        FDiff[a * n + b] = static_cast<int16_t>(k);
      }
    }
    // All rows in one array: one allocation rather than one per length.
    FRasterStart.assign(n + 1, 0);
    std::vector<size_t> seen(n, n);  // the last a that met each point
    for (size_t a = 0; a < n; ++a) {
      for (size_t b = 0; b <= a; ++b)
        if (const int16_t p = FDiff[a * n + b]; p > 0 && static_cast<size_t>(p) < a) seen[p] = a;
      for (size_t p = 1; p < a; ++p)
        if (seen[p] == a) {
          FRasterPoints.push_back(static_cast<int16_t>(p));
          FRasterRest.push_back(FDiff[a * n + p]);
        }
      FRasterStart[a + 1] = static_cast<int32_t>(FRasterPoints.size());
    }
    const int64_t scale = IntegerScale(FL, FW);
    const int64_t l = scale ? Scaled(FL, scale) : 0, w = scale ? Scaled(FW, scale) : 0;
    // What the bounds need of each side alone, worked out once per length.
    std::vector<TBarnesSide> sides(scale ? n : 0);
    for (size_t a = 0; a < sides.size(); ++a)
      sides[a] = BarnesSide(Scaled(FC[a], scale), l, w);
    std::vector<double> fitL(n), fitW(n);
    std::vector<uint8_t> holdsL(n), holdsW(n);
    for (size_t a = 0; a < n; ++a) {
      fitL[a] = BoxesAlong(FC[a], FL), fitW[a] = BoxesAlong(FC[a], FW);
      holdsL[a] = FL <= FC[a] + kTol, holdsW[a] = FW <= FC[a] + kTol;
    }
    FBound.assign(n * n, 0);
    FInverseBoxArea = 1 / (FL * FW);
    double excess = 0;
    for (size_t a = 0; a < n; ++a)
      for (size_t b = a; b < n; ++b) {
        int64_t bound;
        // As OneWayCount: a box that fits one way only fills the cell as a grid.
        const bool straight = holdsL[a] && holdsW[b], turned = holdsW[a] && holdsL[b];
        if (!(straight && turned))
          bound = static_cast<int64_t>(straight ? fitL[a] * fitW[b]
                                       : turned ? fitW[a] * fitL[b]
                                                : 0);
        else if (bound = AreaBound(FC[a], FC[b], FL, FW); scale)
          bound = std::min(bound, BarnesBound(sides[a], sides[b]));
        FBound[a * n + b] = FBound[b * n + a] = static_cast<int32_t>(bound);
        excess = std::max(excess, static_cast<double>(bound) - FC[a] * FC[b] * FInverseBoxArea);
      }
    // Bounds only ever fall, so each cell stays within its area plus excess.
    // Normalized sides may exceed the lengths they stand for by the
    // tolerance; the last term covers rounding.
    FThreeBlockSlack = 3 * excess + 4 * kTol * (FC.back() + 1) * FInverseBoxArea + 1e-6;
    FNodes.assign(n * n, TNode{});
    FStripX.resize(n);
    FStripY.resize(n);
  }

  bool Usable() const { return FN > 0; }
  int Index(double Length) const {
    return static_cast<int>(std::upper_bound(FC.begin(), FC.end(), Length + kTol) - FC.begin()) - 1;
  }
  bool Exhausted() const { return FWork >= FBudget; }
  int64_t Work() const { return FWork; }

  int32_t Value(int a, int b) { return a <= b ? Solve(a, b).Value : Solve(b, a).Value; }

  // Lists the boxes of rectangle (a, b) placed at Origin; Swap when the
  // rectangle's X runs along the layer's Y.
  void Emit(int a, int b, double OriginX, double OriginY, bool Swap,
            std::vector<TLayerBox>& Out) const {
    if (a > b) {
      std::swap(a, b);
      Swap = !Swap;
    }
    const TNode& node = FNodes[Slot(a, b)];
    auto place = [&](double x, double y, double lx, double ly) {
      if (Swap)
        Out.push_back({OriginX + y, OriginY + x, ly, lx});
      else
        Out.push_back({OriginX + x, OriginY + y, lx, ly});
    };
    auto child = [&](int ca, int cb, double x, double y) {
      if (Swap)
        Emit(ca, cb, OriginX + y, OriginY + x, Swap, Out);
      else
        Emit(ca, cb, OriginX + x, OriginY + y, Swap, Out);
    };
    const double X = FC[a], Y = FC[b];
    switch (node.Cut) {
      case TCut::Grid:
      case TCut::TurnedGrid: {
        const double lx = node.Cut == TCut::Grid ? FL : FW, ly = node.Cut == TCut::Grid ? FW : FL;
        const double columns = BoxesAlong(X, lx), rows = BoxesAlong(Y, ly);
        for (double i = 0; i < columns; ++i)
          for (double j = 0; j < rows; ++j)
            place(i * lx, j * ly, lx, ly);
        break;
      }
      case TCut::Vertical: {
        const int x = node.At[0];
        child(x, b, 0, 0);
        child(Diff(a, x), b, FC[x], 0);
        break;
      }
      case TCut::Horizontal: {
        const int y = node.At[0];
        child(a, y, 0, 0);
        child(a, Diff(b, y), 0, FC[y]);
        break;
      }
      case TCut::FiveBlock: {
        const int x1 = node.At[0], x2 = node.At[1], y1 = node.At[2], y2 = node.At[3];
        child(x1, y2, 0, 0);
        child(Diff(a, x1), y1, FC[x1], 0);
        child(Diff(a, x2), Diff(b, y1), FC[x2], FC[y1]);
        child(x2, Diff(b, y2), 0, FC[y2]);
        child(Diff(x2, x1), Diff(y2, y1), FC[x1], FC[y1]);
        break;
      }
    }
  }

  int32_t Bound(int a, int b) const { return FBound[static_cast<size_t>(a) * FN + b]; }

 private:
  static int64_t Scaled(double v, int64_t scale) {
    return static_cast<int64_t>(std::llround(v * static_cast<double>(scale)));
  }
  size_t Slot(int a, int b) const { return static_cast<size_t>(a) * FN + b; }
  int Diff(int a, int b) const { return FDiff[Slot(a, b)]; }
  std::span<const int16_t> Raster(int a) const {
    return {FRasterPoints.data() + FRasterStart[a],
            static_cast<size_t>(FRasterStart[a + 1] - FRasterStart[a])};
  }

  const TNode& Solve(int a, int b) {
    TNode& node = FNodes[Slot(a, b)];
    if (node.Value >= 0) return node;
    const double X = FC[a], Y = FC[b];
    const double straight = BoxesAlong(X, FL) * BoxesAlong(Y, FW),
                 turned = BoxesAlong(X, FW) * BoxesAlong(Y, FL);
    int32_t best = static_cast<int32_t>(std::max(straight, turned));
    TNode found{best, turned > straight ? TCut::TurnedGrid : TCut::Grid, {}};
    // The strip bound costs more than the table's: worked out only for the
    // rectangles the grid leaves open.
    if (best < Bound(a, b)) {
      if (FStripX[a].empty()) FStripX[a] = StripHullAlongX(X, FL, FW);
      if (FStripY[b].empty()) FStripY[b] = StripHullAlongY(Y, FL, FW);
      const int32_t strip =
          static_cast<int32_t>(StripBound(X, Y, FL, FW, FStripX[a], FStripY[b], Bound(a, b)));
      if (strip < Bound(a, b)) FBound[Slot(a, b)] = FBound[Slot(b, a)] = strip;
    }
    const int32_t bound = Bound(a, b);
    auto improve = [&](int32_t v, TCut cut, std::array<int16_t, 4> at) {
      if (v <= best) return false;
      best = v;
      found = {v, cut, at};
      return best >= bound;
    };
    auto search = [&]() {
      // Guillotine cuts; the other half of each is its mirror.
      for (const int16_t x : Raster(a)) {
        if (FC[x] > X / 2 + kTol) break;
        const int rest = Diff(a, x);
        if (Bound(x, b) + Bound(rest, b) <= best) continue;
        const int32_t left = Value(x, b);
        if (left + Bound(rest, b) <= best) continue;
        if (improve(left + Value(rest, b), TCut::Vertical, {x, 0, 0, 0})) return;
      }
      for (const int16_t y : Raster(b)) {
        if (FC[y] > Y / 2 + kTol) break;
        const int rest = Diff(b, y);
        if (Bound(a, y) + Bound(a, rest) <= best) continue;
        const int32_t low = Value(a, y);
        if (low + Bound(a, rest) <= best) continue;
        if (improve(low + Value(a, rest), TCut::Horizontal, {y, 0, 0, 0})) return;
      }
      // Five blocks turning around a centre one; the layout turned by 180
      // degrees is the same, so x1 + x2 <= X.
      const std::span<const int16_t> rx = Raster(a), ry = Raster(b);
      const int16_t* const above =
          FRasterRest.data() + FRasterStart[b];  // what a cut at ry[j] leaves
      for (size_t i1 = 0; i1 < rx.size(); ++i1)
        for (size_t i2 = i1 + 1; i2 < rx.size(); ++i2) {
          const int x1 = rx[i1], x2 = rx[i2];
          if (FC[x1] + FC[x2] > X + kTol) break;
          const int a1 = x1, a2 = Diff(a, x1), a3 = Diff(a, x2), a4 = x2, a5 = Diff(x2, x1);
          const int32_t *row1 = &FBound[Slot(a1, 0)], *row2 = &FBound[Slot(a2, 0)],
                        *row3 = &FBound[Slot(a3, 0)], *row4 = &FBound[Slot(a4, 0)],
                        *row5 = &FBound[Slot(a5, 0)];
          for (size_t j1 = 0; j1 < ry.size(); ++j1) {
            const int y1 = ry[j1];
            const int b2 = y1, b3 = above[j1];
            // Blocks 1, 4 and 5 cover the same area whatever y2: where that
            // area cannot lift the sum above best, no y2 can, and the steps
            // are counted as if taken.
            if (FShortcuts &&
                row2[b2] + row3[b3] + ThreeBlockBound(FC[x2] * (Y - FC[y1]) + FC[x1] * FC[y1]) <=
                    best) {
              // The first step past the budget stops the search, as below.
              if (const auto steps = static_cast<int64_t>(ry.size() - j1 - 1); steps > 0) {
                if (FWork + steps >= FBudget) {
                  FWork = std::max(FWork + 1, FBudget);
                  return;
                }
                FWork += steps;
              }
              continue;
            }
            for (size_t j2 = j1 + 1; j2 < ry.size(); ++j2) {
              if (++FWork >= FBudget) return;
              const int y2 = ry[j2];
              const int b1 = y2, b4 = above[j2], b5 = Diff(y2, y1);
              // Re-read each step: the recursion below may lower bounds.
              const int32_t u1 = row1[b1], u2 = row2[b2], u3 = row3[b3], u4 = row4[b4],
                            u5 = row5[b5];
              int32_t rest = u1 + u2 + u3 + u4 + u5;
              if (rest <= best) continue;
              int32_t sum = 0;
              const std::array<std::array<int, 3>, 5> blocks = {
                  {{a1, b1, u1}, {a2, b2, u2}, {a3, b3, u3}, {a4, b4, u4}, {a5, b5, u5}}};
              bool beaten = false;
              for (const auto& [ba, bb, bu] : blocks) {
                rest -= bu;
                sum += Value(ba, bb);
                if (sum + rest <= best) {
                  beaten = true;
                  break;
                }
              }
              if (beaten) continue;
              if (improve(sum, TCut::FiveBlock,
                          {static_cast<int16_t>(x1), static_cast<int16_t>(x2),
                           static_cast<int16_t>(y1), static_cast<int16_t>(y2)}))
                return;
            }
          }
        }
    };
    if (best < bound && !Exhausted()) search();
    // The recursion filled other slots: the table never moves, so node is
    // still this slot.
    node = found;
    return node;
  }

  // Never below the sum of the bounds of three blocks covering Area.
  int32_t ThreeBlockBound(double Area) const {
    return static_cast<int32_t>(std::floor(Area * FInverseBoxArea + FThreeBlockSlack));
  }

  int64_t FBudget;
  bool FShortcuts;
  double FL, FW;
  double FInverseBoxArea = 0, FThreeBlockSlack = 0;
  std::vector<double> FC;  // the lengths, ascending, distinct beyond the tolerance
  size_t FN = 0;
  std::vector<int16_t> FDiff;  // index of C[a] - C[b], normalized
  // Raster points strictly inside C[a], from FRasterStart[a] to [a + 1],
  // and the index of what a cut at each leaves of C[a].
  std::vector<int32_t> FRasterStart;
  std::vector<int16_t> FRasterPoints, FRasterRest;
  std::vector<int32_t> FBound;
  std::vector<TNode> FNodes;
  std::vector<TStripHull> FStripX, FStripY;  // made when first needed
  int64_t FWork = 0;
};

}  // namespace

int32_t LayerUpperBound(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                        double BoxWidthMM, double OverhangMM) {
  const double l = BoxLengthMM, w = BoxWidthMM;
  if (l <= 0 || w <= 0) return 0;
  const double X = PalletLengthMM + 2 * OverhangMM, Y = PalletWidthMM + 2 * OverhangMM;
  if (const double oneWay = OneWayCount(X, Y, l, w); oneWay >= 0) return SaturatedCount(oneWay);
  const double x = Normalized(X, l, w), y = Normalized(Y, l, w);
  int64_t bound = AreaBound(x, y, l, w);
  // The strip bound counts through every box count: only for layers searched.
  if (bound <= 4 * kMostSearchedBoxes) bound = std::min(bound, StripBound(x, y, l, w));
  if (const int64_t scale = IntegerScale(l, w); scale && bound < (int64_t{1} << 40)) {
    const double s = static_cast<double>(scale);
    bound = std::min(bound, BarnesBound(std::llround(x * s), std::llround(y * s),
                                        std::llround(l * s), std::llround(w * s)));
  }
  return SaturatedCount(static_cast<double>(bound));
}

TFiveBlockRun FiveBlockSearch(double X, double Y, double BoxL, double BoxW, int64_t WorkBudget,
                              bool Shortcuts) {
  TFiveBlockRun run;
  TPartitioner search(X, Y, BoxL, BoxW, WorkBudget, Shortcuts);
  if (!search.Usable()) return run;
  const int a = search.Index(X), b = search.Index(Y);
  run.Count = search.Value(a, b);
  search.Emit(a, b, 0, 0, false, run.Boxes);
  run.Steps = search.Work();
  return run;
}

TPalletLayer BestLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                       double BoxWidthMM, double OverhangMM) {
  return SearchedLayer(PalletLengthMM, PalletWidthMM, BoxLengthMM, BoxWidthMM, OverhangMM, true);
}

TPalletLayer SearchedLayer(double PalletLengthMM, double PalletWidthMM, double BoxLengthMM,
                           double BoxWidthMM, double OverhangMM, bool Prove) {
  TPalletLayer layer =
      GridLayer(PalletLengthMM, PalletWidthMM, BoxLengthMM, BoxWidthMM, OverhangMM);
  if (BoxLengthMM <= 0 || BoxWidthMM <= 0) return layer;
  layer.UpperBound = std::max(layer.Count, LayerUpperBound(PalletLengthMM, PalletWidthMM,
                                                           BoxLengthMM, BoxWidthMM, OverhangMM));
  if (layer.Count >= layer.UpperBound || layer.UpperBound > kMostSearchedBoxes) return layer;
  const double X = PalletLengthMM + 2 * OverhangMM, Y = PalletWidthMM + 2 * OverhangMM;
  TPartitioner search(X, Y, BoxLengthMM, BoxWidthMM);
  if (!search.Usable()) return layer;
  const int a = search.Index(X), b = search.Index(Y);
  const int32_t count = search.Value(a, b);
  if (Prove && count < layer.UpperBound) {
    // The costly bound only where the cheap ones leave the proof open.
    const int64_t lp = PackingLpBound(Normalized(X, BoxLengthMM, BoxWidthMM),
                                      Normalized(Y, BoxLengthMM, BoxWidthMM), BoxLengthMM,
                                      BoxWidthMM, std::max(count, layer.Count));
    if (lp < layer.UpperBound)
      layer.UpperBound = static_cast<int32_t>(std::max<int64_t>(lp, std::max(count, layer.Count)));
    // One box short of a bound the programme cannot lower: a layer with
    // little spare area is searched cell by cell for that one more box.
    if (const int64_t scale = IntegerScale(BoxLengthMM, BoxWidthMM);
        scale && layer.UpperBound == std::max(count, layer.Count) + 1) {
      const double s = static_cast<double>(scale);
      if (SurelyTooMany(static_cast<int64_t>(std::floor((X + kTol) * s)),
                        static_cast<int64_t>(std::floor((Y + kTol) * s)),
                        std::llround(BoxLengthMM * s), std::llround(BoxWidthMM * s),
                        layer.UpperBound, kMostCellNodes))
        --layer.UpperBound;
    }
  }
  // Where the five blocks fall short of the proven bound, L-shaped pieces may
  // not. Only with the proof: against the cheap bounds alone most layers look
  // open, and the step made the engine five times slower without a box more
  // in thousands of sampled layers.
  if (const int32_t most = std::max(count, layer.Count);
      Prove && most < layer.UpperBound && layer.UpperBound <= kMostLShapedBoxes)
    if (std::vector<TLayerBox> l =
            LShapedLayer(X, Y, BoxLengthMM, BoxWidthMM, most, layer.UpperBound, -OverhangMM);
        !l.empty()) {
      layer.Count = static_cast<int32_t>(l.size());
      layer.Boxes = std::move(l);
      return layer;
    }
  if (count <= layer.Count) return layer;
  std::vector<TLayerBox> boxes;
  boxes.reserve(static_cast<size_t>(count));
  search.Emit(a, b, -OverhangMM, -OverhangMM, false, boxes);
  layer.Count = count;
  layer.Boxes = std::move(boxes);
  return layer;
}

}  // namespace quelmora
