#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "calc/BoxCalculator.h"
#include "engine/OptimizationCriteria.h"
#include "model/OptimizationModel.h"

namespace quelmora::reference {

// The keep step of one product: at most Retain distinct boxes (by box key),
// each with the pack and placement that gave its best score. A box pushed out
// returns only with a score below the one it was last admitted with, for as
// long as the memory of seen boxes (emptied past 50000 keys) holds it.
class TCandidateKeeper {
 public:
  explicit TCandidateKeeper(size_t Retain) : FRetain(Retain) {}
  void Keep(const TOptimizationSolution& Candidate);
  // The kept candidates in solution order.
  std::vector<TOptimizationSolution> TakeSorted();

 private:
  size_t FRetain;
  std::vector<TOptimizationSolution> FBest;
  std::vector<std::string> FKeys;  // box key of each entry of FBest
  std::unordered_map<std::string, double> FSeenBoxes;
};

// Called after each pack variant with its index and the number of variants.
using TVariantProgress = std::function<void(int Index, int Count)>;

// One enabled product's search: pack variants, every placement of each built
// and scored, the best distinct boxes kept (3 x MaxResultsPerProduct), in
// solution order. P is the product as the run sees it (volume range already
// settled).
std::vector<TOptimizationSolution> SearchProduct(const TProduct& P, const TOptimizationSettings& S,
                                                 const TBoxCalculator& Calc,
                                                 const IOptimizationCriterion& Criterion,
                                                 const TCancelToken& Token,
                                                 const TVariantProgress& OnVariant = nullptr);

}  // namespace quelmora::reference
