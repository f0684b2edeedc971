#include "engine/ProductSearch.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "calc/CostCalculator.h"
#include "calc/PackBoxBuilder.h"
#include "calc/PackGeometry.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "engine/SolutionOrder.h"
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

namespace {

// A value certainly not above the score the criterion gives a built box,
// from the builder's division-free estimate: the estimates lie within a
// relative 1e-12 of the exact values, the margins here are a hundred times
// wider. Only our own criteria are known; for others there is no floor.
class TScoreFloor {
 public:
  TScoreFloor(const IOptimizationCriterion& criterion, const TOptimizationSettings& s,
              const TOptimizationSolution& candidate)
      : FSettings(s), FCandidate(candidate) {
    if (dynamic_cast<const TCostPerVolumeCriterion*>(&criterion))
      FKind = ckCostPerVolume;
    else if (dynamic_cast<const TBoxCountCriterion*>(&criterion))
      FKind = ckBoxCount;
    else if (dynamic_cast<const TPalletUtilizationCriterion*>(&criterion))
      FKind = ckPalletUtilization;
    else if (dynamic_cast<const TCombinedCriterion*>(&criterion))
      FKind = ckCombined;
  }

  bool Known() const { return FKind >= 0; }

  // The estimates the criterion reads.
  unsigned Parts() const {
    switch (FKind) {
      case ckCostPerVolume:
        return epCost;
      case ckPalletUtilization:
        return epPallet;
      case ckCombined:
        return epCost | epPallet | epFill;
      default:
        return 0;
    }
  }

  double Of(const TBoxEstimate& e) const {
    constexpr double kMargin = 1e-10;
    switch (FKind) {
      case ckCostPerVolume:
        return e.PackagingCostPerM3 * (1 - kMargin);
      case ckBoxCount:
        return -static_cast<double>(e.PackCount);
      case ckPalletUtilization:
        return -(e.PalletUtilization * (1 + kMargin));
      default: {
        const TOptimizationSettings& S = FSettings;
        const double cost =
            S.WeightCost * e.PackagingCostPerM3 / FCandidate.OriginalBox.PackagingCostPerM3;
        const double dimension = S.WeightDimension * FCandidate.Pack.DimensionPenalty;
        const double ratio = S.WeightRatio * FCandidate.Pack.GeometryPenalty;
        const double fill = S.WeightFill * (1 - e.FillRatio);
        const double pallet = S.WeightPallet * (1 - e.PalletUtilization);
        const double sum = cost + dimension + ratio + fill + pallet + S.WeightUnification;
        // The terms' own size bounds their errors: the differences from 1
        // carry the error of the fill and utilization, not of the result.
        const double scale = std::fabs(cost) + std::fabs(dimension) + std::fabs(ratio) +
                             S.WeightFill * (1 + std::fabs(e.FillRatio)) +
                             S.WeightPallet * (1 + std::fabs(e.PalletUtilization)) +
                             S.WeightUnification;
        return sum - kMargin * scale;
      }
    }
  }

 private:
  const TOptimizationSettings& FSettings;
  const TOptimizationSolution& FCandidate;
  int FKind = -1;
};

}  // namespace

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
  for (int j = 0; j < count; ++j) {
    Token.Check();
    const TPackVariant& pack = variants[j];
    if (pack.LengthMM <= 0)
      throw Exception(TErrorKind::Internal, "Invalid generated pack index %d of %d", {j, count});
    candidate.Pack = pack;
    const TPackBoxBuilder builder(Calc, P, pack, S);
    const TScoreFloor floor(Criterion, S, candidate);
    EnumeratePlacements(pack, P, S, Token, [&](const TPackPlacement& placement) {
      ++counted.Placements;
      // A box whose score surely lies above the worst of a full list would be
      // ignored whether or not it is acceptable: no need to build it.
      TBoxEstimate estimate;
      if (floor.Known() && keeper.Full() && builder.Estimate(placement, floor.Parts(), estimate) &&
          keeper.Ignores(floor.Of(estimate))) {
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
