#include "calc/LShapedLayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "calc/BestLayer.h"
#include "support/LayerChecker.h"

namespace quelmora {
namespace {

// The L-step's boxes as a layer the checker reads.
TPalletLayer AsLayer(std::vector<TLayerBox> Boxes, double L, double W, double l, double w) {
  TPalletLayer layer = GridLayer(L, W, l, w);
  layer.UpperBound = std::max(layer.Count, LayerUpperBound(L, W, l, w));
  layer.Count = static_cast<int32_t>(Boxes.size());
  layer.Boxes = std::move(Boxes);
  return layer;
}

struct TLShapedCase {
  int L, W, l, w;
  int32_t fiveBlock;  // what the five-block recursion alone finds
  int32_t count;      // what the L-shaped pieces reach: the bound
};

class LShapedLayerKnown : public testing::TestWithParam<TLShapedCase> {};

// Layers whose best pattern is not of five blocks: the L-step must reach the
// bound and the layer must take its boxes.
TEST_P(LShapedLayerKnown, ReachesTheBoundWhereFiveBlocksFallShort) {
  const TLShapedCase& k = GetParam();
  const TPalletLayer lShaped =
      AsLayer(LShapedLayer(k.L, k.W, k.l, k.w, k.fiveBlock, k.count), k.L, k.W, k.l, k.w);
  EXPECT_EQ(test::LayerFault(lShaped, k.L, k.W, k.l, k.w), "");
  EXPECT_EQ(lShaped.Count, k.count);
  const TPalletLayer layer = BestLayer(k.L, k.W, k.l, k.w);
  EXPECT_EQ(test::LayerFault(layer, k.L, k.W, k.l, k.w), "");
  EXPECT_EQ(layer.Count, k.count);
  EXPECT_TRUE(layer.Proven());
  // Nothing at all when the search cannot beat what it is given.
  EXPECT_TRUE(LShapedLayer(k.L, k.W, k.l, k.w, k.count, k.count).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, LShapedLayerKnown,
                         testing::Values(
                             // Birgin, Lobato & Morabito's example.
                             TLShapedCase{49, 28, 8, 3, 56, 57}));

// Seeded instances of the literature's classes, some with an overhang: the
// L-step's boxes and the layer pass the checker, and the layer never holds
// fewer boxes than the L-step or the grid.
TEST(LShapedLayer, GivesValidLayersNeverWorseThanBefore) {
  std::mt19937_64 random(3);
  std::uniform_int_distribution<int> side(10, 120);
  int checked = 0;
  while (checked < 60) {
    const int W = side(random);
    const int L = std::uniform_int_distribution<int>(W, 2 * W)(random);
    const int w = std::uniform_int_distribution<int>(1, W)(random);
    const int l = std::uniform_int_distribution<int>(w, 4 * w)(random);
    const int64_t area = int64_t{L} * W / (int64_t{l} * w);
    if (l > L || area < 4 || area > kMostLShapedBoxes) continue;
    ++checked;
    const double o = checked % 4 == 0 ? 1.5 : 0;
    SCOPED_TRACE(testing::Message() << L << "x" << W << " box " << l << "x" << w << " o " << o);
    const TPalletLayer lShaped =
        AsLayer(LShapedLayer(L, W, l, w, 0, kMostLShapedBoxes), L, W, l, w);
    ASSERT_EQ(test::LayerFault(lShaped, L, W, l, w), "");
    EXPECT_GE(lShaped.Count, lShaped.GridCount);
    const TPalletLayer layer = BestLayer(L, W, l, w, o);
    ASSERT_EQ(test::LayerFault(layer, L, W, l, w, o), "");
    if (o == 0) {
      EXPECT_GE(layer.Count, lShaped.Count);
    }
    // Placed at the overhang's corner, the boxes stay on the pallet.
    const std::vector<TLayerBox> shifted =
        LShapedLayer(L + 2 * o, W + 2 * o, l, w, 0, kMostLShapedBoxes, -o);
    for (const TLayerBox& box : shifted) {
      EXPECT_GE(box.XMM, -o - 1e-9);
      EXPECT_LE(box.YMM + box.WidthMM, W + o + 1e-9);
    }
  }
}

// Rooms with no box or no room give nothing.
TEST(LShapedLayer, EmptyRoomsGiveNoBoxes) {
  EXPECT_TRUE(LShapedLayer(0, 100, 10, 5, 0, 10).empty());
  EXPECT_TRUE(LShapedLayer(100, 100, 0, 5, 0, 10).empty());
  EXPECT_TRUE(LShapedLayer(4, 4, 10, 5, 0, 10).empty());
}

}  // namespace
}  // namespace quelmora
