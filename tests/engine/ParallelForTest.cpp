#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ParallelFor.h"

namespace quelmora {
namespace {

TEST(ParallelFor, RunsEveryIndexOnce) {
  std::vector<std::atomic<int>> runs(1000);
  ParallelFor(runs.size(), [&](size_t i) { ++runs[i]; });
  for (const auto& r : runs)
    EXPECT_EQ(r.load(), 1);
  ParallelFor(0, [](size_t) { FAIL(); });
}

TEST(ParallelFor, RethrowsTheLowestFailureAndStopsStartingNewIndices) {
  std::atomic<size_t> started{0};
  try {
    ParallelFor(100000, [&](size_t i) {
      ++started;
      if (i == 7 || i == 9) throw std::runtime_error(std::to_string(i));
    });
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "7");
  }
  // Each thread finishes at most the index it holds after the failure.
  EXPECT_LT(started.load(), 100u);
}

}  // namespace
}  // namespace quelmora
