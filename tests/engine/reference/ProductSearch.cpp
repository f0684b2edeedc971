#include "engine/reference/ProductSearch.h"

#include <algorithm>
#include <utility>

#include "calc/CostCalculator.h"
#include "calc/PackGeometry.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "engine/SolutionOrder.h"
#include "model/Errors.h"
#include "model/TextFormat.h"

namespace quelmora::reference {

void TCandidateKeeper::Keep(const TOptimizationSolution& Candidate) {
  const TBoxVariant& box = Candidate.Box;
  std::string key = BoxKey(box);
  for (size_t e = 0; e < FBest.size(); ++e) {
    if (FKeys[e] != key) continue;
    const TBoxVariant& kept = FBest[e].Box;
    if (kept.Score > box.Score ||
        (kept.Score == box.Score && kept.PackagingCostPerM3 > box.PackagingCostPerM3))
      FBest[e] = Candidate;
    return;
  }
  if (const auto seen = FSeenBoxes.find(key); seen != FSeenBoxes.end() && box.Score >= seen->second)
    return;
  if (FBest.size() < FRetain) {
    FBest.push_back(Candidate);
    FKeys.push_back(key);
  } else {
    if (FBest.empty()) return;
    size_t worst = 0;  // the first of the greatest scores
    for (size_t e = 1; e < FBest.size(); ++e)
      if (FBest[e].Box.Score > FBest[worst].Box.Score) worst = e;
    if (box.Score >= FBest[worst].Box.Score) return;
    FBest[worst] = Candidate;
    FKeys[worst] = key;
  }
  FSeenBoxes[std::move(key)] = box.Score;
  if (FSeenBoxes.size() > 50000) FSeenBoxes.clear();
}

std::vector<TOptimizationSolution> TCandidateKeeper::TakeSorted() {
  std::vector<TOptimizationSolution> result = std::move(FBest);
  FBest.clear();
  FKeys.clear();
  FSeenBoxes.clear();
  SortSolutions(result);
  return result;
}

std::vector<TOptimizationSolution> SearchProduct(const TProduct& P, const TOptimizationSettings& S,
                                                 const TBoxCalculator& Calc,
                                                 const IOptimizationCriterion& Criterion,
                                                 const TCancelToken& Token,
                                                 const TVariantProgress& OnVariant) {
  const std::vector<TPackVariant> variants = GeneratePackVariants(P, S, Token);
  TOptimizationSolution original;
  original.ProductId = P.Id;
  original.OriginalPack =
      MakePackVariant(P, P.OriginalLengthMM, P.OriginalWidthMM, P.OriginalHeightMM, S);
  original.OriginalBox = Calc.Original(P, original.OriginalPack, S);

  TCandidateKeeper keeper(3 * static_cast<size_t>(std::max(S.MaxResultsPerProduct, 0)));
  TOptimizationSolution candidate;
  const int count = static_cast<int>(variants.size());
  for (int j = 0; j < count; ++j) {
    Token.Check();
    const TPackVariant& pack = variants[j];
    if (pack.LengthMM <= 0)
      throw Exception(TErrorKind::Internal, "Invalid generated pack index %d of %d", {j, count});
    EnumeratePlacements(pack, P, S, Token, [&](const TPackPlacement& placement) {
      candidate = original;
      candidate.Pack = pack;
      if (!Calc.Build(P, pack, placement, S, candidate.Box)) return;
      candidate.UnifiedProductCount = 1;
      candidate.Box.Score = Criterion.Evaluate(candidate, S);
      candidate.SavingPercent = CalcSavingPercent(candidate.OriginalBox.PackagingCostPerM3,
                                                  candidate.Box.PackagingCostPerM3);
      keeper.Keep(candidate);
    });
    if (OnVariant) OnVariant(j, count);
  }
  return keeper.TakeSorted();
}

}  // namespace quelmora::reference
