#include "calc/FiveBlockSearch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace quelmora {
namespace {

struct TRoom {
  double X, Y, l, w;
};

// Footprints of the sample run whose layers take the longest, and rooms with
// an overhang and with half millimetres.
const TRoom kRooms[] = {{1200, 800, 83, 66},     {1200, 800, 89.5, 71}, {1200, 800, 77, 113},
                        {1200, 800, 165, 72.5},  {1200, 800, 106, 87},  {1200, 800, 97, 80},
                        {1200, 800, 126.5, 106}, {1240, 840, 86, 72.5}, {1000, 1200, 133, 109.5},
                        {1250, 850, 107.5, 175}, {43, 26, 7, 4},        {57, 44, 12, 5}};

// Whole searches, and searches cut off early: the cut must fall on the same
// step with and without the shortcuts.
const int64_t kBudgets[] = {60'000'000, 20'000, 700};

class FiveBlockShortcuts : public testing::TestWithParam<std::tuple<TRoom, int64_t>> {};

void ExpectSameRun(const TRoom& r, int64_t budget) {
  SCOPED_TRACE(testing::Message() << r.X << "x" << r.Y << " box " << r.l << "x" << r.w << " budget "
                                  << budget);
  const TFiveBlockRun full = FiveBlockSearch(r.X, r.Y, r.l, r.w, budget, false);
  const TFiveBlockRun fast = FiveBlockSearch(r.X, r.Y, r.l, r.w, budget, true);
  EXPECT_EQ(fast.Count, full.Count);
  EXPECT_EQ(fast.Steps, full.Steps);
  EXPECT_EQ(fast.Boxes, full.Boxes);
  EXPECT_EQ(static_cast<int64_t>(fast.Boxes.size()), full.Count);
}

TEST_P(FiveBlockShortcuts, GiveTheFullSearchsBoxesAndSteps) {
  const auto& [room, budget] = GetParam();
  ExpectSameRun(room, budget);
}

INSTANTIATE_TEST_SUITE_P(Rooms, FiveBlockShortcuts,
                         testing::Combine(testing::ValuesIn(kRooms), testing::ValuesIn(kBudgets)));

TEST(FiveBlockShortcuts, GiveTheFullSearchsBoxesOnRandomRooms) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> room(200, 1300), side(30, 400), half(0, 1);
  for (int i = 0; i < 60; ++i) {
    const TRoom r{static_cast<double>(room(random)), static_cast<double>(room(random)),
                  side(random) + 0.5 * half(random), static_cast<double>(side(random))};
    if (r.X * r.Y > 200 * r.l * r.w) continue;
    ExpectSameRun(r, 60'000'000);
  }
}

}  // namespace
}  // namespace quelmora
