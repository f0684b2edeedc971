#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "model/Errors.h"
#include "support/ScopedEnv.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

// Scores boxes with the cost criterion, counts them, and fails the products
// named in FailAfter (by the cost of their current box, which tells products
// apart) once they have had that many boxes scored.
class TFailingCriterion final : public IOptimizationCriterion {
 public:
  std::map<double, int> FailAfter;
  mutable std::atomic<long> Scored{0};

  double EvaluateInputs(const TCriterionInputs& Value,
                        const TOptimizationSettings& Settings) const override {
    ++Scored;
    if (const auto fail = FailAfter.find(Value.OriginalPackagingCostPerM3);
        fail != FailAfter.end()) {
      std::lock_guard lock(FLock);
      if (FSeen[fail->first]++ >= fail->second)
        throw Exception(TErrorKind::General, "failed after %d", {fail->second});
    }
    return FCost.EvaluateInputs(Value, Settings);
  }

 private:
  TCostPerVolumeCriterion FCost;
  mutable std::mutex FLock;
  mutable std::map<double, int> FSeen;
};

// The cost of a product's current box, as the criterion sees it.
double CurrentBoxCost(const TProduct& product, const TOptimizationSettings& settings) {
  struct TRecorder final : IOptimizationCriterion {
    mutable double Cost = 0;
    double EvaluateInputs(const TCriterionInputs& Value,
                          const TOptimizationSettings&) const override {
      Cost = Value.OriginalPackagingCostPerM3;
      return 0;
    }
  } recorder;
  TCancelToken token;
  TOptimizer().Execute({product}, settings, recorder, token);
  return recorder.Cost;
}

class FailureStop : public ::testing::Test {
 protected:
  // Two searches at once whatever the machine, so that a failing product has
  // a neighbour running beside it.
  FailureStop() { env_.Set("QUELMORA_THREADS", "2"); }

  std::vector<TProduct> Assortment(int count) const {
    std::vector<TProduct> products;
    for (int i = 0; i < count; ++i)
      products.push_back(test::ScaledProduct(i + 1, 0.8 + 0.04 * i, "P" + std::to_string(i)));
    return products;
  }

  // Boxes scored in a run, and the message it failed with ("" for none).
  std::pair<long, std::string> Run(const std::vector<TProduct>& products,
                                   const std::map<int, int>& failAfter) {
    TFailingCriterion criterion;
    for (const auto& [index, boxes] : failAfter)
      criterion.FailAfter[CurrentBoxCost(products[index], settings)] = boxes;
    TCancelToken token;
    try {
      TOptimizer().Execute(products, settings, criterion, token);
    } catch (const Exception& e) {
      return {criterion.Scored.load(), e.Message()};
    }
    return {criterion.Scored.load(), ""};
  }

  TOptimizationSettings settings = DefaultSettings();

 private:
  testing::TScopedEnv env_;
};

// A product failing at its first box ends the run long before the others
// would have finished: the neighbour searching beside it stops, and no
// product after it starts.
TEST_F(FailureStop, FirstFailureStopsTheOtherSearches) {
  const std::vector<TProduct> products = Assortment(8);
  const long full = Run(products, {}).first;
  const auto [scored, message] = Run(products, {{0, 0}});
  EXPECT_EQ(message, "failed after 0");
  EXPECT_LT(scored * 4, full) << scored << " of " << full;
}

// Whatever the order the searches end in, the error reported is the first
// failing product's in list order: a later product failing first must stop
// neither that one nor its error.
TEST_F(FailureStop, ReportsTheFirstFailingProductInListOrder) {
  std::vector<TProduct> products = Assortment(6);
  products[1] = test::ScaledProduct(2, 1.3, "late");
  for (int round = 0; round < 2; ++round) {
    const auto [scored, message] = Run(products, {{1, 2000}, {3, 0}});
    EXPECT_EQ(message, "failed after 2000");
    EXPECT_GT(scored, 2000);
  }
}

// A product's stop follows the whole run's cancellation, not the reverse.
TEST(CancelToken, ChildFollowsItsParentOnly) {
  TCancelToken parent;
  TCancelToken child(&parent);
  TCancelToken sibling(&parent);
  child.Cancel();
  EXPECT_TRUE(child.IsCancelled());
  EXPECT_FALSE(parent.IsCancelled());
  EXPECT_FALSE(sibling.IsCancelled());
  parent.Cancel();
  EXPECT_TRUE(sibling.IsCancelled());
  EXPECT_THROW(sibling.Check(), Exception);
}

}  // namespace
}  // namespace quelmora
