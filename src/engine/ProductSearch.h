#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "calc/BoxCalculator.h"
#include "engine/OptimizationCriteria.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// The keep step of one product: at most Retain distinct boxes (by box key),
// each with the pack and placement that gave its best score. A box pushed out
// returns only with a score below the one it was last admitted with, for as
// long as the memory of seen boxes (emptied past 50000 keys) holds it.
class TCandidateKeeper {
 public:
  explicit TCandidateKeeper(size_t Retain) : FRetain(Retain) {}
  void Keep(const TOptimizationSolution& Candidate);
  // True when Keep would leave everything as it is for a candidate of this
  // score, whatever its box: the list is full and the score above its worst.
  bool Full() const { return FBest.size() >= FRetain && !FBest.empty(); }
  bool Ignores(double Score) const {
    return FBest.size() >= FRetain && !FBest.empty() && Score > FBest[Worst()].Box.Score;
  }
  // The kept candidates in solution order.
  std::vector<TOptimizationSolution> TakeSorted();

 private:
  static constexpr size_t kNoWorst = static_cast<size_t>(-1);
  // Index of the entry with the greatest score, the first of several.
  size_t Worst() const;

  size_t FRetain;
  std::vector<TOptimizationSolution> FBest;
  std::vector<std::string> FKeys;                  // box key of each entry of FBest
  std::unordered_map<std::string, size_t> FIndex;  // box key -> entry of FBest
  std::unordered_map<std::string, double> FSeenBoxes;
  mutable size_t FWorst = kNoWorst;
};

// Called after each pack variant with its index and the number of variants.
using TVariantProgress = std::function<void(int Index, int Count)>;

// What a search weighed, for measurements.
struct TSearchCounters {
  int64_t Placements = 0;  // every grid of every pack: the boxes the search considers
  int64_t Skipped = 0;     // of those, left unbuilt because their score could not count
  int64_t Built = 0;       // built in full
};

// One enabled product's search: pack variants, every placement of each built
// and scored, the best distinct boxes kept (3 x MaxResultsPerProduct), in
// solution order. P is the product as the run sees it (volume range already
// settled).
std::vector<TOptimizationSolution> SearchProduct(const TProduct& P, const TOptimizationSettings& S,
                                                 const TBoxCalculator& Calc,
                                                 const IOptimizationCriterion& Criterion,
                                                 const TCancelToken& Token,
                                                 const TVariantProgress& OnVariant = nullptr,
                                                 TSearchCounters* Counters = nullptr);

}  // namespace quelmora
