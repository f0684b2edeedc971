#include "calc/PalletLayer.h"

#include <gtest/gtest.h>

#include <random>

#include "calc/PalletCalculator.h"

namespace quelmora {
namespace {

bool Overlap(const TLayerBox& A, const TLayerBox& B) {
  constexpr double kTouch = 1e-6;
  return A.XMM + A.LengthMM > B.XMM + kTouch && B.XMM + B.LengthMM > A.XMM + kTouch &&
         A.YMM + A.WidthMM > B.YMM + kTouch && B.YMM + B.WidthMM > A.YMM + kTouch;
}

// The listed grid is the grid strategy's count, inside the pallet plus its
// overhang, without overlap, and never above its own bound.
TEST(GridLayer, MatchesTheGridStrategyAndIsAValidLayer) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> pallet(400, 1300), box(60, 700), overhang(0, 40);
  const TGridPalletOptimizer grid;
  for (int run = 0; run < 300; ++run) {
    const double L = pallet(random), W = pallet(random), l = box(random), w = box(random);
    const double o = run % 3 == 0 ? overhang(random) : 0;
    const TPalletLayer layer = GridLayer(L, W, l, w, o);
    const TPalletResult counted = grid.Calculate(l, w, 100, L + 2 * o, W + 2 * o, 1000);
    ASSERT_EQ(layer.Count, counted.BoxesPerLayer) << L << " " << W << " " << l << " " << w;
    EXPECT_EQ(layer.GridCount, layer.Count);
    EXPECT_LE(layer.Count, layer.UpperBound);
    ASSERT_EQ(static_cast<int32_t>(layer.Boxes.size()), layer.Count);
    for (size_t i = 0; i < layer.Boxes.size(); ++i) {
      const TLayerBox& b = layer.Boxes[i];
      EXPECT_GE(b.XMM, -o - 1e-6);
      EXPECT_GE(b.YMM, -o - 1e-6);
      EXPECT_LE(b.XMM + b.LengthMM, L + o + 1e-6);
      EXPECT_LE(b.YMM + b.WidthMM, W + o + 1e-6);
      for (size_t j = 0; j < i; ++j)
        ASSERT_FALSE(Overlap(b, layer.Boxes[j]));
    }
  }
}

TEST(GridLayer, TurnsOnlyWhenTurningHoldsMore) {
  // 1200 x 800 with 400 x 300: 3 x 2 straight, 4 x 2 turned.
  const TPalletLayer turned = GridLayer(1200, 800, 400, 300);
  ASSERT_EQ(turned.Count, 8);
  EXPECT_EQ(turned.Boxes.front().LengthMM, 300);
  // A square box never turns.
  EXPECT_EQ(GridLayer(1200, 800, 200, 200).Boxes.front().LengthMM, 200);
  EXPECT_EQ(GridLayer(1200, 800, 0, 200).Count, 0);
}

}  // namespace
}  // namespace quelmora
