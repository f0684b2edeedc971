#include "calc/LayerBounds.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quelmora {
namespace {

struct TBoxSides {
  int64_t L, W;
};

class BarnesSideTest : public ::testing::TestWithParam<TBoxSides> {};

// The bound from the sides worked out once must equal the direct one for
// every room, including empty ones and rooms narrower than the divisor.
TEST_P(BarnesSideTest, MatchesTheDirectBound) {
  const auto [l, w] = GetParam();
  for (int64_t X = 0; X <= 90; ++X)
    for (int64_t Y = 0; Y <= 90; Y += 1 + Y / 20) {
      const TBarnesSide x = BarnesSide(X, l, w), y = BarnesSide(Y, l, w);
      ASSERT_EQ(BarnesBound(x, y), BarnesBound(X, Y, l, w)) << X << " x " << Y;
      ASSERT_EQ(BarnesBound(y, x), BarnesBound(X, Y, l, w)) << Y << " x " << X;
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, BarnesSideTest,
                         ::testing::Values(TBoxSides{1, 1}, TBoxSides{2, 1}, TBoxSides{3, 2},
                                           TBoxSides{5, 3}, TBoxSides{6, 4}, TBoxSides{7, 7},
                                           TBoxSides{12, 8}, TBoxSides{13, 5}, TBoxSides{30, 45}));

TEST(BarnesSideTest, EmptyBoxGivesNoBoxes) {
  EXPECT_EQ(BarnesBound(BarnesSide(10, 0, 3), BarnesSide(10, 0, 3)), 0);
  EXPECT_EQ(BarnesBound(BarnesSide(10, 3, -1), BarnesSide(10, 3, -1)), 0);
}

}  // namespace
}  // namespace quelmora
