#include "calc/LShapedLayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "calc/LayerBounds.h"
#include "calc/Tolerances.h"

namespace quelmora {

namespace {

constexpr double kTol = kLengthToleranceMM;
// Lengths a side can take (sums r l + s w); beyond this the pieces are too
// many to weigh.
constexpr size_t kMostLengths = 400;
// Cuts weighed, and pieces remembered, before the search keeps what it has:
// the step stays within tens of milliseconds on layers of up to a hundred
// boxes.
constexpr int64_t kWorkBudget = 1'000'000;
constexpr size_t kMostPieces = 200'000;

// A piece by length indices: the box X x Y less its corner [x, X] x [y, Y];
// a rectangle has x = X and y = Y, the empty piece all zero.
struct TPiece {
  int X = 0, Y = 0, x = 0, y = 0;

  bool Rectangle() const { return x == X && y == Y; }
  TPiece Transposed() const { return {Y, X, y, x}; }
  uint64_t Key() const {
    return static_cast<uint64_t>(X) << 48 | static_cast<uint64_t>(Y) << 32 |
           static_cast<uint64_t>(x) << 16 | static_cast<uint64_t>(y);
  }
};

TPiece Make(int X, int Y, int x, int y) {
  if (x >= X || y >= Y)
    x = X, y = Y;
  else if (x == 0)
    Y = y, x = X;
  else if (y == 0)
    X = x, y = Y;
  if (X == 0 || Y == 0) return {};
  return {X, Y, x, y};
}

// Maps a piece's own coordinates into its parent's: O + M p.
struct TFrame {
  double OX = 0, OY = 0;
  int M00 = 1, M01 = 0, M10 = 0, M11 = 1;

  // This frame after Inner.
  TFrame Then(const TFrame& Inner) const {
    return {OX + M00 * Inner.OX + M01 * Inner.OY, OY + M10 * Inner.OX + M11 * Inner.OY,
            M00 * Inner.M00 + M01 * Inner.M10,    M00 * Inner.M01 + M01 * Inner.M11,
            M10 * Inner.M00 + M11 * Inner.M10,    M10 * Inner.M01 + M11 * Inner.M11};
  }
};
constexpr TFrame kSwap{0, 0, 0, 1, 1, 0};

struct TPlaced {
  TPiece Piece;
  TFrame Frame;
};

// How a piece is filled. Vertical: a straight cut at At[0] (two rectangles,
// a rectangle and an L, or an L and a rectangle). Stepped: a rectangle cut
// into two L-pieces along a step from (0, At[1]) over (At[0], At[1]) and
// (At[0], At[2]) to (X, At[2]). Corner: an L cut along a step from (At[0], Y)
// down to (At[0], At[1]) and across to (X, At[1]). Inner: an L cut from its
// inner edge at (At[0], y) down to (At[0], At[1]) and across to (0, At[1]).
enum class TSplit : uint8_t { Grid, TurnedGrid, Vertical, Stepped, Corner, Inner };

struct TNode {
  int32_t Value = 0;
  TSplit Split = TSplit::Grid;
  bool Transposed = false;  // the split is of the transposed piece
  std::array<int16_t, 3> At{};
};

class TLPartitioner {
 public:
  TLPartitioner(double X, double Y, double BoxL, double BoxW) : FL(BoxL), FW(BoxW) {
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
    FN = FC.size();
    FDiff.assign(FN * FN, 0);
    for (size_t a = 0; a < FN; ++a)
      for (size_t b = 0; b <= a; ++b)
        FDiff[a * FN + b] = static_cast<int16_t>(Index(FC[a] - FC[b]));
    FRaster.resize(FN);
    for (size_t a = 0; a < FN; ++a) {
      std::vector<int16_t>& r = FRaster[a];
      for (size_t b = 0; b <= a; ++b)
        if (const int16_t p = FDiff[a * FN + b]; p > 0 && static_cast<size_t>(p) < a)
          r.push_back(p);
      std::sort(r.begin(), r.end());
      r.erase(std::unique(r.begin(), r.end()), r.end());
    }
    FScale = IntegerScale(FL, FW);
  }

  bool Usable() const { return FN > 0; }
  int Index(double Length) const {
    return static_cast<int>(std::upper_bound(FC.begin(), FC.end(), Length + kTol) - FC.begin()) - 1;
  }

  int32_t Value(const TPiece& P) {
    if (P.X == 0) return 0;
    const TPiece c = Canonical(P);
    if (const auto it = FNodes.find(c.Key()); it != FNodes.end()) return it->second.Value;
    return Solve(c);
  }

  // The room's piece, where only more than Beat counts and reaching Goal
  // ends the search.
  TPiece Room(double X, double Y, int32_t Beat, int32_t Goal) {
    const TPiece room = Make(Index(X), Index(Y), Index(X), Index(Y));
    FRootKey = Canonical(room).Key();
    FBeat = Beat;
    FGoal = Goal;
    return room;
  }

  // Lists the boxes of P, its own coordinates mapped by Frame.
  void Emit(const TPiece& P, const TFrame& Frame, std::vector<TLayerBox>& Out) const {
    if (P.X == 0) return;
    TPiece c = Canonical(P);
    const TFrame frame = c.Key() == P.Key() ? Frame : Frame.Then(kSwap);
    const auto it = FNodes.find(c.Key());
    const TNode node = it != FNodes.end() ? it->second : TNode{};
    if (node.Value == 0) return;
    if (node.Split == TSplit::Grid || node.Split == TSplit::TurnedGrid) {
      const bool straight = node.Split == TSplit::Grid;
      const double lx = straight ? FL : FW, ly = straight ? FW : FL;
      const double columns = BoxesAlong(FC[c.X], lx), rows = BoxesAlong(FC[c.Y], ly);
      for (double i = 0; i < columns; ++i)
        for (double j = 0; j < rows; ++j) {
          const double u = i * lx, v = j * ly;
          const double x1 = frame.OX + frame.M00 * u + frame.M01 * v,
                       y1 = frame.OY + frame.M10 * u + frame.M11 * v;
          const double x2 = x1 + frame.M00 * lx + frame.M01 * ly,
                       y2 = y1 + frame.M10 * lx + frame.M11 * ly;
          Out.push_back(
              {std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)});
        }
      return;
    }
    for (const TPlaced& part : Pieces(c, node.Split, node.Transposed, node.At))
      Emit(part.Piece, frame.Then(part.Frame), Out);
  }

 private:
  static TPiece Canonical(const TPiece& P) {
    const TPiece t = P.Transposed();
    return t.Key() < P.Key() ? t : P;
  }
  int Diff(int a, int b) const { return FDiff[static_cast<size_t>(a) * FN + b]; }

  int32_t Bound(const TPiece& P) const {
    if (P.X == 0) return 0;
    const double X = FC[P.X], Y = FC[P.Y], area = X * FC[P.y] + FC[P.x] * (Y - FC[P.y]);
    int64_t bound = static_cast<int64_t>(std::floor((area + kTol * (X + Y)) / (FL * FW)));
    if (P.Rectangle() && FScale) {
      const double s = static_cast<double>(FScale);
      bound = std::min(bound, BarnesBound(std::llround(X * s), std::llround(Y * s),
                                          std::llround(FL * s), std::llround(FW * s)));
    }
    return static_cast<int32_t>(bound);
  }

  // The two pieces of a split of P in P's coordinates.
  std::array<TPlaced, 2> Pieces(const TPiece& P, TSplit Split, bool Transposed,
                                std::array<int16_t, 3> At) const {
    const TPiece p = Transposed ? P.Transposed() : P;
    const int X = p.X, Y = p.Y, x = p.x, y = p.y, a = At[0], b = At[1], c = At[2];
    std::array<TPlaced, 2> parts;
    switch (Split) {
      case TSplit::Vertical:
        parts = {{{Make(a, Y, std::min(x, a), y), {}},
                  {Make(Diff(X, a), Y, x > a ? Diff(x, a) : 0, y), {FC[a], 0}}}};
        break;
      case TSplit::Stepped:
        parts = {{{Make(X, c, Diff(X, a), b), {FC[X], 0, -1, 0, 0, 1}},
                  {Make(X, Diff(Y, b), a, Diff(Y, c)), {0, FC[Y], 1, 0, 0, -1}}}};
        break;
      case TSplit::Corner:
        parts = {{{Make(X, Y, a, b), {}},
                  {Make(Diff(X, a), Diff(Y, b), Diff(x, a), Diff(y, b)), {FC[a], FC[b]}}}};
        break;
      case TSplit::Inner:
        parts = {{{Make(X, y, Diff(X, a), b), {FC[X], 0, -1, 0, 0, 1}},
                  {Make(a, Diff(Y, b), x, Diff(y, b)), {0, FC[b]}}}};
        break;
      case TSplit::Grid:
      case TSplit::TurnedGrid:
        break;
    }
    if (Transposed)
      for (TPlaced& part : parts)
        part.Frame = kSwap.Then(part.Frame);
    return parts;
  }

  bool Exhausted() const { return FWork >= kWorkBudget || FNodes.size() >= kMostPieces; }

  int32_t Solve(const TPiece& P) {
    TNode best;
    if (P.Rectangle()) {
      const double X = FC[P.X], Y = FC[P.Y];
      const double straight = BoxesAlong(X, FL) * BoxesAlong(Y, FW),
                   turned = BoxesAlong(X, FW) * BoxesAlong(Y, FL);
      best.Value = static_cast<int32_t>(std::max(straight, turned));
      best.Split = turned > straight ? TSplit::TurnedGrid : TSplit::Grid;
    }
    int32_t bound = Bound(P);
    if (P.Key() == FRootKey) {
      bound = std::min(bound, FGoal);
      // Splits that cannot beat what the room has are not weighed: the room
      // then keeps Beat, never listed.
      if (best.Value <= FBeat) best.Value = FBeat;
    }
    // Weighs one split; true when the bound is reached.
    auto weigh = [&](TSplit Split, bool Transposed, int a, int b, int c) {
      ++FWork;
      const std::array<int16_t, 3> at = {static_cast<int16_t>(a), static_cast<int16_t>(b),
                                         static_cast<int16_t>(c)};
      const auto [first, second] = Pieces(P, Split, Transposed, at);
      const int32_t rest = Bound(second.Piece);
      if (Bound(first.Piece) + rest <= best.Value) return false;
      const int32_t v = Value(first.Piece);
      if (v + rest <= best.Value) return false;
      const int32_t total = v + Value(second.Piece);
      if (total <= best.Value) return false;
      best = {total, Split, Transposed, at};
      return total >= bound;
    };
    if (!P.Rectangle()) {
      // The two rectangles of the inner corner: the start even without effort.
      weigh(TSplit::Vertical, false, P.x, 0, 0);
      weigh(TSplit::Vertical, true, P.y, 0, 0);
    }
    auto search = [&]() {
      for (const bool t : {false, true}) {
        const TPiece p = t ? P.Transposed() : P;
        for (const int16_t a : FRaster[p.X]) {
          if (p.Rectangle() && FC[a] > FC[p.X] / 2 + kTol) break;
          if (Exhausted() || weigh(TSplit::Vertical, t, a, 0, 0)) return;
        }
      }
      if (P.Rectangle()) {
        for (const bool t : {false, true}) {
          const TPiece p = t ? P.Transposed() : P;
          const std::vector<int16_t>& ry = FRaster[p.Y];
          for (const int16_t a : FRaster[p.X]) {
            if (FC[a] > FC[p.X] / 2 + kTol) break;
            for (size_t i = 0; i < ry.size(); ++i)
              for (size_t j = i + 1; j < ry.size(); ++j)
                if (Exhausted() || weigh(TSplit::Stepped, t, a, ry[i], ry[j])) return;
          }
        }
        return;
      }
      for (const int16_t a : FRaster[P.x])
        for (const int16_t b : FRaster[P.y])
          if (Exhausted() || weigh(TSplit::Corner, false, a, b, 0)) return;
      for (const bool t : {false, true}) {
        const TPiece p = t ? P.Transposed() : P;
        for (const int16_t a : FRaster[p.X]) {
          if (a <= p.x) continue;
          for (const int16_t b : FRaster[p.y])
            if (Exhausted() || weigh(TSplit::Inner, t, a, b, 0)) return;
        }
      }
    };
    if (best.Value < bound && !Exhausted()) search();
    FNodes[P.Key()] = best;
    return best.Value;
  }

  double FL, FW;
  std::vector<double> FC;  // the lengths, ascending, distinct beyond the tolerance
  size_t FN = 0;
  std::vector<int16_t> FDiff;                 // index of C[a] - C[b], normalized
  std::vector<std::vector<int16_t>> FRaster;  // raster points strictly inside C[a]
  int64_t FScale = 0;
  std::unordered_map<uint64_t, TNode> FNodes;
  int64_t FWork = 0;
  uint64_t FRootKey = 0;
  int32_t FBeat = 0, FGoal = 0;
};

}  // namespace

std::vector<TLayerBox> LShapedLayer(double RoomXMM, double RoomYMM, double BoxLengthMM,
                                    double BoxWidthMM, int32_t Beat, int32_t Bound,
                                    double OriginMM) {
  if (RoomXMM <= 0 || RoomYMM <= 0 || BoxLengthMM <= 0 || BoxWidthMM <= 0) return {};
  TLPartitioner search(RoomXMM, RoomYMM, BoxLengthMM, BoxWidthMM);
  if (!search.Usable()) return {};
  const TPiece room = search.Room(RoomXMM, RoomYMM, Beat, Bound);
  if (search.Value(room) <= Beat) return {};
  std::vector<TLayerBox> boxes;
  search.Emit(room, {OriginMM, OriginMM}, boxes);
  return boxes;
}

}  // namespace quelmora
