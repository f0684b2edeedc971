#include "calc/BestLayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "calc/BestLayerPalletOptimizer.h"
#include "calc/LayerBounds.h"
#include "calc/LayerLpBound.h"
#include "calc/PalletCalculator.h"
#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "support/LayerChecker.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

// The most l x w boxes (either way round) in an L x W room of whole cells:
// the first free cell is either covered by a box's corner or left empty.
class TExhaustive {
 public:
  TExhaustive(int L, int W, int l, int w) : FL(L), FW(W), Fl(l), Fw(w), FUsed(L * W, false) {}
  int Solve() {
    Search(0, 0, 0);
    return FBest;
  }

 private:
  bool Free(int x, int y, int dx, int dy) const {
    if (x + dx > FL || y + dy > FW) return false;
    for (int i = x; i < x + dx; ++i)
      for (int j = y; j < y + dy; ++j)
        if (FUsed[j * FL + i]) return false;
    return true;
  }
  void Mark(int x, int y, int dx, int dy, bool v) {
    for (int i = x; i < x + dx; ++i)
      for (int j = y; j < y + dy; ++j)
        FUsed[j * FL + i] = v;
  }
  void Search(int cell, int placed, int wasted) {
    FBest = std::max(FBest, placed);
    while (cell < FL * FW && FUsed[cell])
      ++cell;
    if (cell >= FL * FW) return;
    if (placed + (FL * FW - wasted - placed * Fl * Fw) / (Fl * Fw) <= FBest) return;
    const int x = cell % FL, y = cell / FL;
    for (const auto& [dx, dy] : {std::pair{Fl, Fw}, std::pair{Fw, Fl}}) {
      if (!Free(x, y, dx, dy)) continue;
      Mark(x, y, dx, dy, true);
      Search(cell + 1, placed + 1, wasted);
      Mark(x, y, dx, dy, false);
      if (Fl == Fw) break;
    }
    FUsed[cell] = true;
    Search(cell + 1, placed, wasted + 1);
    FUsed[cell] = false;
  }

  int FL, FW, Fl, Fw;
  std::vector<bool> FUsed;
  int FBest = 0;
};

// Would catch an unsound bound (too low), a search that loses to the grid or
// a layer with overlapping or stray boxes.
TEST(BestLayer, LiesBetweenExhaustiveOptimumAndBoundOnSmallInstances) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> room(3, 16), side(1, 7);
  int checked = 0, proven = 0;
  while (checked < 500) {
    const int L = room(random), W = room(random), l = side(random), w = side(random);
    if (L * W > 12 * l * w || L * W < l * w) continue;
    ++checked;
    const int best = TExhaustive(L, W, l, w).Solve();
    const TPalletLayer layer = BestLayer(L, W, l, w);
    SCOPED_TRACE(testing::Message() << L << "x" << W << " box " << l << "x" << w);
    EXPECT_GE(LayerUpperBound(L, W, l, w), best);
    EXPECT_GE(BarnesBound(L, W, l, w), best);
    EXPECT_GE(StripBound(L, W, l, w), best);
    EXPECT_GE(PackingLpBound(L, W, l, w, 0), best);
    EXPECT_GE(layer.UpperBound, best);
    EXPECT_LE(layer.Count, best);
    EXPECT_EQ(test::LayerFault(layer, L, W, l, w), "");
    EXPECT_EQ(layer.GridCount, GridLayer(L, W, l, w).Count);
    proven += layer.Proven();
  }
  // Nearly all small instances are proven; a search cut off early would not be.
  EXPECT_GT(proven, 450);
}

struct TOpenLayer {
  int L, W, l, w;
  int32_t count;  // the optimum, which area, Barnes and strip bounds leave open
};

class BestLayerLpProof : public testing::TestWithParam<TOpenLayer> {};

// Layers whose proof needs the linear programming bound: a bound too weak
// (or one cut short before it reaches the count) leaves them unproven; the
// search without it must give the same boxes.
TEST_P(BestLayerLpProof, ClosesTheGap) {
  const TOpenLayer& k = GetParam();
  const TPalletLayer layer = BestLayer(k.L, k.W, k.l, k.w);
  const TPalletLayer unproven = SearchedLayer(k.L, k.W, k.l, k.w, 0, false);
  EXPECT_EQ(test::LayerFault(layer, k.L, k.W, k.l, k.w), "");
  EXPECT_EQ(layer.Count, k.count);
  EXPECT_TRUE(layer.Proven());
  EXPECT_EQ(unproven.Boxes, layer.Boxes);
  EXPECT_GT(unproven.UpperBound, layer.UpperBound);
  EXPECT_GT(LayerUpperBound(k.L, k.W, k.l, k.w), k.count);
  EXPECT_EQ(PackingLpBound(k.L, k.W, k.l, k.w, 0), k.count);
}

INSTANTIATE_TEST_SUITE_P(Cases, BestLayerLpProof,
                         testing::Values(TOpenLayer{155, 111, 61, 22, 11},
                                         TOpenLayer{162, 101, 59, 18, 13},
                                         TOpenLayer{309, 157, 84, 26, 20},
                                         // Programmes of 300 to 1 300 raster points.
                                         TOpenLayer{154, 111, 31, 13, 40},
                                         TOpenLayer{149, 147, 28, 13, 59},
                                         TOpenLayer{256, 173, 38, 12, 95}));

// The programme's optimum is a box above the best layer here: only the cell
// search for that one more box closes the gap.
TEST(BestLayer, CellSearchClosesWhatTheProgrammeCannot) {
  const TPalletLayer layer = BestLayer(32, 22, 5, 4);
  EXPECT_EQ(layer.Count, 34);
  EXPECT_TRUE(layer.Proven());
  EXPECT_GT(PackingLpBound(32, 22, 5, 4, 0), 34);
  EXPECT_TRUE(SurelyTooMany(32, 22, 5, 4, 35, 2'000'000));
  EXPECT_FALSE(SurelyTooMany(32, 22, 5, 4, 34, 2'000'000));
}

// Against the exhaustive optimum: the cell search never refuses a count that
// fits, and refuses one more whenever it finishes; both ways round and with
// the sides' common divisor above 1.
TEST(SurelyTooMany, AgreesWithExhaustiveSearch) {
  std::mt19937 random(23);
  std::uniform_int_distribution<int> room(3, 13), side(1, 6);
  int refused = 0;
  for (int run = 0; run < 300; ++run) {
    const int L = room(random), W = room(random), l = side(random), w = side(random);
    if (L * W > 10 * l * w || L * W < l * w) continue;
    const int best = TExhaustive(L, W, l, w).Solve();
    // A coarser grid holds the same layers, scaled.
    const int k = 1 + run % 3;
    EXPECT_FALSE(SurelyTooMany(k * L, k * W, k * l, k * w, best, 1'000'000));
    SCOPED_TRACE(testing::Message() << L << "x" << W << " box " << l << "x" << w);
    EXPECT_FALSE(SurelyTooMany(L, W, l, w, best, 1'000'000));
    EXPECT_FALSE(SurelyTooMany(W, L, w, l, best, 1'000'000));
    if (L * W - (best + 1) * l * w <= kMostSpareCells) {
      EXPECT_TRUE(SurelyTooMany(L, W, l, w, best + 1, 1'000'000));
      EXPECT_TRUE(SurelyTooMany(k * L, k * W, k * l, k * w, best + 1, 1'000'000));
      ++refused;
    }
  }
  EXPECT_GT(refused, 30);
}

// The bound of a layer with overhang is the bound of the enlarged room: it
// must hold the exhaustive optimum of that room, either way round.
TEST(BestLayer, BoundHoldsWithOverhangBothWaysRound) {
  std::mt19937 random(31);
  std::uniform_int_distribution<int> room(3, 14), side(1, 7), overhang(0, 2);
  int checked = 0;
  while (checked < 120) {
    const int L = room(random), W = room(random), l = side(random), w = side(random),
              o = overhang(random);
    const int X = L + 2 * o, Y = W + 2 * o;
    if (X * Y > 12 * l * w || X * Y < l * w) continue;
    ++checked;
    const int best = TExhaustive(X, Y, l, w).Solve();
    SCOPED_TRACE(testing::Message() << L << "x" << W << " box " << l << "x" << w << " o " << o);
    for (const TPalletLayer& layer : {BestLayer(L, W, l, w, o), BestLayer(W, L, w, l, o)}) {
      EXPECT_GE(layer.UpperBound, best);
      EXPECT_LE(layer.Count, best);
    }
    EXPECT_GE(PackingLpBound(X, Y, l, w, 0), best);
    EXPECT_GE(PackingLpBound(Y, X, w, l, 0), best);
  }
}

struct TKnownLayer {
  double L, W, l, w, o;
  int32_t count;  // the best count, shown optimal by its bound
};

class BestLayerKnown : public testing::TestWithParam<TKnownLayer> {};

// Layers where the grid loses boxes: the search must find the proven best.
TEST_P(BestLayerKnown, FindsTheProvenBest) {
  const TKnownLayer& k = GetParam();
  const TPalletLayer layer = BestLayer(k.L, k.W, k.l, k.w, k.o);
  EXPECT_EQ(test::LayerFault(layer, k.L, k.W, k.l, k.w, k.o), "");
  EXPECT_EQ(layer.Count, k.count);
  EXPECT_TRUE(layer.Proven());
  EXPECT_GT(layer.Count, GridLayer(k.L, k.W, k.l, k.w, k.o).Count);
}

INSTANTIATE_TEST_SUITE_P(Cases, BestLayerKnown,
                         testing::Values(
                             // The sample's first shared box: the grid holds 6.
                             TKnownLayer{1200, 800, 433.4, 208, 0, 7},
                             // The area bound, reached only by mixing both ways round.
                             TKnownLayer{1200, 1000, 400, 300, 0, 10},
                             // With the overhang the grid holds 8.
                             TKnownLayer{1200, 800, 433.4, 208, 20, 9}));

// Real sizes with and without overhang: every layer passes the checker, and
// the grid, the count and the bound are ordered.
TEST(BestLayer, RealSizesGiveValidLayers) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> pallet(600, 1300), box(120, 650), overhang(0, 40);
  for (int run = 0; run < 150; ++run) {
    const double L = pallet(random), W = pallet(random), l = box(random), w = box(random);
    const double o = run % 3 == 0 ? overhang(random) : 0;
    const TPalletLayer grid = GridLayer(L, W, l, w, o);
    const TPalletLayer layer = BestLayer(L, W, l, w, o);
    SCOPED_TRACE(testing::Message() << L << " " << W << " " << l << " " << w << " " << o);
    ASSERT_EQ(test::LayerFault(layer, L, W, l, w, o), "");
    ASSERT_EQ(test::LayerFault(grid, L, W, l, w, o), "");
    EXPECT_EQ(layer.GridCount, grid.Count);
    EXPECT_LE(layer.UpperBound, grid.UpperBound);
  }
  EXPECT_EQ(BestLayer(1200, 800, 0, 200).Count, 0);
  EXPECT_EQ(BestLayer(1200, 800, 1300, 900).UpperBound, 0);
}

// A cached or planned layer that differed from the one Calculate counts, or a
// utilization computed otherwise than the grid's, would show here.
TEST(BestLayerPalletOptimizer, AgreesWithBestLayerAndTheGrid) {
  const TBestLayerPalletOptimizer best;
  const TGridPalletOptimizer grid;
  const std::vector<double> sides = {208, 433.4, 300, 400, 250.5, 180, 333.3, 600};
  const std::vector<double> heights = {150, 201.7};
  const auto plan = best.PreparePack(sides, heights, 1200, 800, 1500);
  for (size_t i = 0; i < sides.size(); ++i)
    for (size_t j = 0; j < sides.size(); ++j)
      for (size_t k = 0; k < heights.size(); ++k) {
        const double l = sides[i], w = sides[j], h = heights[k];
        const TPalletResult r = best.Calculate(l, w, h, 1200, 800, 1500);
        const TPalletResult g = grid.Calculate(l, w, h, 1200, 800, 1500);
        const TPalletLayer layer = BestLayer(1200, 800, l, w);
        ASSERT_EQ(plan->Load(i, j, k), r);
        EXPECT_EQ(r.BoxesPerLayer, layer.Count);
        EXPECT_EQ(r.LayerCount, g.LayerCount);
        if (r.BoxesPerLayer == g.BoxesPerLayer) {
          EXPECT_EQ(r, g);
        }
        double estimate = 0;
        ASSERT_TRUE(plan->EstimateUtilization(i, j, k, estimate));
        EXPECT_NEAR(estimate, r.Utilization, 1e-12);
      }
}

// Threads sharing one optimizer see the same counts as a fresh one.
TEST(BestLayerPalletOptimizer, IsSafeToShareBetweenThreads) {
  const TBestLayerPalletOptimizer shared;
  std::vector<std::vector<int32_t>> seen(4);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < seen.size(); ++t)
    threads.emplace_back([&, t] {
      for (double l = 200; l <= 440; l += 20)
        seen[t].push_back(shared.Calculate(l, 0.6 * l, 100, 1200, 1000, 1000).BoxesPerLayer);
    });
  for (std::thread& t : threads)
    t.join();
  const TBestLayerPalletOptimizer fresh;
  std::vector<int32_t> expected;
  for (double l = 200; l <= 440; l += 20)
    expected.push_back(fresh.Calculate(l, 0.6 * l, 100, 1200, 1000, 1000).BoxesPerLayer);
  for (const auto& s : seen)
    EXPECT_EQ(s, expected);
}

// The strategy seen only through Calculate: the run must not change when the
// fast plan is used instead.
class TCalculateOnly final : public IPalletOptimizer {
 public:
  TPalletResult Calculate(double L, double B, double H, double PL, double PB,
                          double MH) const override {
    return FBest.Calculate(L, B, H, PL, PB, MH);
  }

 private:
  TBestLayerPalletOptimizer FBest;
};

TEST(BestLayerPalletOptimizer, PlanLoadsEveryBoxAsCalculateDoes) {
  const TProjectData project = test::SmallProject();
  TCancelToken token;
  const auto criterion = CreateCriterion(project.OptimizationCriterion);
  const TOptimizationResult planned =
      TOptimizer(std::make_shared<TBestLayerPalletOptimizer>())
          .Execute(project.Products, project.Settings, *criterion, token);
  const TOptimizationResult perBox =
      TOptimizer(std::make_shared<TCalculateOnly>())
          .Execute(project.Products, project.Settings, *criterion, token);
  ASSERT_FALSE(planned.Solutions.empty());
  EXPECT_EQ(planned.Solutions, perBox.Solutions);
}

}  // namespace
}  // namespace quelmora
