#include "engine/ProductSearch.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "calc/CostCalculator.h"
#include "calc/PackBoxBuilder.h"
#include "calc/PackGeometry.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "engine/SolutionOrder.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/TextFormat.h"

namespace quelmora {

void TCandidateKeeper::Keep(const TOptimizationSolution& Candidate) {
  const TBoxVariant& box = Candidate.Box;
  // Full and worse than the worst kept: nothing below can change (a kept entry
  // of the same box scores at most the worst, so it is not replaced either).
  if (Ignores(box.Score)) return;
  std::string key = BoxKey(box);
  if (const auto kept = FIndex.find(key); kept != FIndex.end()) {
    TOptimizationSolution& entry = FBest[kept->second];
    if (entry.Box.Score > box.Score ||
        (entry.Box.Score == box.Score && entry.Box.PackagingCostPerM3 > box.PackagingCostPerM3)) {
      entry = Candidate;
      FWorst = kNoWorst;
    }
    return;
  }
  if (const auto seen = FSeenBoxes.find(key); seen != FSeenBoxes.end() && box.Score >= seen->second)
    return;
  if (FBest.size() < FRetain) {
    FIndex.emplace(key, FBest.size());
    FBest.push_back(Candidate);
    FKeys.push_back(key);
  } else {
    if (FBest.empty()) return;
    const size_t worst = Worst();
    if (box.Score >= FBest[worst].Box.Score) return;
    FIndex.erase(FKeys[worst]);
    FIndex.emplace(key, worst);
    FBest[worst] = Candidate;
    FKeys[worst] = key;
  }
  FWorst = kNoWorst;
  FSeenBoxes[std::move(key)] = box.Score;
  if (FSeenBoxes.size() > 50000) FSeenBoxes.clear();
}

size_t TCandidateKeeper::Worst() const {
  if (FWorst == kNoWorst) {
    FWorst = 0;  // the first of the greatest scores
    for (size_t e = 1; e < FBest.size(); ++e)
      if (FBest[e].Box.Score > FBest[FWorst].Box.Score) FWorst = e;
  }
  return FWorst;
}

std::vector<TOptimizationSolution> TCandidateKeeper::TakeSorted() {
  std::vector<TOptimizationSolution> result = std::move(FBest);
  FBest.clear();
  FKeys.clear();
  FIndex.clear();
  FSeenBoxes.clear();
  FWorst = kNoWorst;
  SortSolutions(result);
  return result;
}

std::vector<TOptimizationSolution> SearchProduct(const TProduct& P, const TOptimizationSettings& S,
                                                 const TBoxCalculator& Calc,
                                                 const IOptimizationCriterion& Criterion,
                                                 const TCancelToken& Token,
                                                 const TVariantProgress& OnVariant,
                                                 TSearchCounters* Counters) {
  TSearchCounters counted;
  const std::vector<TPackVariant> variants = GeneratePackVariants(P, S, Token);
  TOptimizationSolution original;
  original.ProductId = P.Id;
  original.OriginalPack =
      MakePackVariant(P, P.OriginalLengthMM, P.OriginalWidthMM, P.OriginalHeightMM, S);
  original.OriginalBox = Calc.Original(P, original.OriginalPack, S);

  TCandidateKeeper keeper(3 * static_cast<size_t>(std::max(S.MaxResultsPerProduct, 0)));
  const int count = static_cast<int>(variants.size());
  // Build writes the whole box, so the rest of the candidate is set once per
  // pack and stays as it is between placements.
  TOptimizationSolution candidate = original;
  candidate.UnifiedProductCount = 1;
  // Criteria without a floor have every box built.
  const std::optional<unsigned> floorParts = Criterion.FloorParts();
  for (int j = 0; j < count; ++j) {
    Token.Check();
    const TPackVariant& pack = variants[j];
    if (pack.LengthMM <= 0) throw Exception(TErrorKind::Internal, SInvalidPackIndex, {j, count});
    candidate.Pack = pack;
    const TPackBoxBuilder builder(Calc, P, pack, S);
    const TCriterionInputs packInputs = CriterionInputsOf(candidate);
    EnumeratePlacements(pack, P, S, Token, [&](const TPackPlacement& placement) {
      ++counted.Placements;
      // A box whose score surely lies above the worst of a full list would be
      // ignored whether or not it is acceptable: no need to build it.
      TBoxEstimate estimate;
      if (floorParts && keeper.Full() && builder.Estimate(placement, *floorParts, estimate) &&
          keeper.Ignores(Criterion.ScoreFloor(estimate, packInputs, S))) {
        ++counted.Skipped;
        return;
      }
      ++counted.Built;
      if (!builder.Build(placement, candidate.Box)) return;
      candidate.Box.Score = Criterion.Evaluate(candidate, S);
      if (keeper.Ignores(candidate.Box.Score)) return;
      candidate.SavingPercent = CalcSavingPercent(candidate.OriginalBox.PackagingCostPerM3,
                                                  candidate.Box.PackagingCostPerM3);
      keeper.Keep(candidate);
    });
    if (OnVariant) OnVariant(j, count);
  }
  if (Counters) {
    Counters->Placements += counted.Placements;
    Counters->Skipped += counted.Skipped;
    Counters->Built += counted.Built;
  }
  return keeper.TakeSorted();
}

}  // namespace quelmora
