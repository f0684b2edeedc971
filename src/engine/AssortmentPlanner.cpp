#include "engine/AssortmentPlanner.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "calc/CostCalculator.h"
#include "calc/UnitConversion.h"
#include "engine/LargeBuffer.h"
#include "engine/ParallelFor.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/FloatChecks.h"
#include "model/TextFormat.h"

namespace quelmora {

const TSharedBoxTarget StandardBoxTargets[15] = {
    {300, 171, 300}, {600, 266, 600}, {400, 266, 400}, {400, 200, 400}, {342, 160, 342},
    {300, 160, 300}, {300, 133, 300}, {266, 133, 266}, {240, 114, 240}, {218, 100, 218},
    {200, 100, 200}, {171, 89, 171},  {160, 80, 160},  {150, 80, 150},  {141, 72, 141},
};

namespace {

class TargetList {
 public:
  void Add(double L, double B, double H) {
    if (!(L > 0 && B > 0 && H > 0)) return;
    if (keys_.insert(TargetKey(L, B, H)).second) targets_.push_back({L, B, H});
  }
  const std::vector<TSharedBoxTarget>& targets() const { return targets_; }

 private:
  std::vector<TSharedBoxTarget> targets_;
  std::unordered_set<std::string> keys_;
};

constexpr double kInfeasible = std::numeric_limits<double>::infinity();

// One candidate as the plan sees it: what it needs of a box and what it
// brings to the score, each computed as building the box would.
struct TPlanCandidate {
  const TOptimizationSolution* Source = nullptr;
  double NeedL = 0, NeedB = 0, NeedH = 0;
  int32_t Count = 0;
  double PackGrams = 0;   // Count x (product + pack material), g
  double PackVolume = 0;  // Count x pack volume, m3
};

class TPlanProduct {
 public:
  TPlanProduct() = default;
  // Candidates: the product's own, in the order of the run's list.
  TPlanProduct(const TProduct& product, const std::vector<const TOptimizationSolution*>& candidates,
               const TOptimizationSettings& S)
      : FProduct(&product) {
    for (const TOptimizationSolution* source : candidates) {
      const TOptimizationSolution& c = *source;
      const TPackPlacement& p = c.Box.PackPlacement;
      TPlanCandidate pc;
      pc.Source = &c;
      pc.NeedL = p.CountX * p.PackDimX + S.LengthGapMM;
      pc.NeedB = p.CountY * p.PackDimY + S.WidthGapMM;
      pc.NeedH = p.CountZ * p.PackDimZ;
      pc.Count = p.TotalCount;
      pc.PackGrams =
          pc.Count * (product.ProductWeightG + c.Pack.SurfaceAreaM2 * S.PackMaterialGramsPerM2);
      pc.PackVolume = pc.Count * c.Pack.VolumeM3;
      if (FCandidates.empty()) {
        FMinNeedL = pc.NeedL, FMinNeedB = pc.NeedB, FMinNeedH = pc.NeedH;
      } else {
        FMinNeedL = std::min(FMinNeedL, pc.NeedL);
        FMinNeedB = std::min(FMinNeedB, pc.NeedB);
        FMinNeedH = std::min(FMinNeedH, pc.NeedH);
      }
      FCandidates.push_back(pc);
    }
  }

  const std::vector<TPlanCandidate>& candidates() const { return FCandidates; }

  // Into Best[b] (infinite at first), the lowest score of a candidate rebuilt
  // in Sizes[b], the value a full build and evaluation would give; stays
  // infinite where none fits. Largest holds the largest inner sizes of the
  // usable sizes among them.
  void BestScoresIn(const std::vector<const TFixedBoxSize*>& Sizes, const TFixedBoxSize& Largest,
                    const TOptimizationSettings& S, const IOptimizationCriterion& Criterion,
                    double* Best) const {
    // A candidate that fits none of the largest sizes fits none of them.
    auto fitsLargest = [&](double needL, double needB, double needH) {
      return !(needL - 1e-8 > Largest.InnerLengthMM || needB - 1e-8 > Largest.InnerWidthMM ||
               needH - 1e-8 > Largest.InnerHeightMM);
    };
    if (FCandidates.empty() || !fitsLargest(FMinNeedL, FMinNeedB, FMinNeedH)) return;
    for (const TPlanCandidate& c : FCandidates) {
      if (c.Count <= 0 || !fitsLargest(c.NeedL, c.NeedB, c.NeedH)) continue;
      const TPackVariant& pack = c.Source->Pack;
      TCriterionInputs in;
      in.PackCount = c.Count;
      in.OriginalPackagingCostPerM3 = c.Source->OriginalBox.PackagingCostPerM3;
      in.DimensionPenalty = pack.DimensionPenalty;
      in.GeometryPenalty = pack.GeometryPenalty;
      in.UnifiedProductCount = 1;
      for (size_t b = 0; b < Sizes.size(); ++b) {
        const TFixedBoxSize& size = *Sizes[b];
        if (!size.Usable || c.NeedL - 1e-8 > size.InnerLengthMM ||
            c.NeedB - 1e-8 > size.InnerWidthMM || c.NeedH - 1e-8 > size.InnerHeightMM)
          continue;
        if (!(GramsToKG(c.PackGrams + size.BoardGrams) <= FProduct->MaxBoxWeightKG + 1e-8))
          continue;
        in.PackagingCostPerM3 = CalcCostPerM3(pack.Cost, size.BoxCost, pack.VolumeM3, c.Count);
        in.PalletUtilization = size.Pallet.Utilization;
        in.FillRatio = FDiv(c.PackVolume, size.InnerVolumeM3);
        const double score = Criterion.EvaluateInputs(in, S);
        if (score < Best[b]) Best[b] = score;
      }
    }
  }

 private:
  const TProduct* FProduct = nullptr;
  std::vector<TPlanCandidate> FCandidates;
  double FMinNeedL = 0, FMinNeedB = 0, FMinNeedH = 0;
};

// The product's best candidate rebuilt in full in the target: the first of
// the lowest score, as the plan found it.
TOptimizationSolution BestFitIn(const TProduct& product, const TPlanProduct& planProduct,
                                const TSharedBoxTarget& target, const TOptimizationSettings& S,
                                const TBoxCalculator& Calc,
                                const IOptimizationCriterion& Criterion) {
  TOptimizationSolution best;
  bool found = false;
  for (const TPlanCandidate& c : planProduct.candidates()) {
    TOptimizationSolution attempt = *c.Source;
    if (!Calc.Build(product, c.Source->Pack, c.Source->Box.PackPlacement, S, attempt.Box, target.L,
                    target.B, target.H))
      continue;
    attempt.UnifiedGroupId = 0;
    attempt.UnifiedProductCount = 1;
    attempt.Box.Score = Criterion.Evaluate(attempt, S);
    if (!found || attempt.Box.Score < best.Box.Score) {
      found = true;
      best = attempt;
    }
  }
  return best;
}

}  // namespace

std::string TargetKey(double L, double B, double H) {
  return NumberKey(L, B, H, std::chars_format::fixed, 4);
}

std::vector<TOptimizationSolution> PlanAssortment(
    const std::vector<TOptimizationSolution>& Candidates, const std::vector<TProduct>& Products,
    const TOptimizationSettings& S, const TBoxCalculator& Calc,
    const IOptimizationCriterion& Criterion, const TCancelToken& Token) {
  std::vector<const TProduct*> enabled;
  for (const TProduct& p : Products)
    if (p.Enabled) enabled.push_back(&p);
  if (enabled.empty() || Candidates.empty()) return {};

  // Targets: every candidate's box, the standard sizes, the largest box.
  TargetList targetList;
  double maxL = 0, maxB = 0, maxH = 0;
  for (size_t i = 0; i < Candidates.size(); ++i) {
    if (i % 4096 == 4095) Token.Check();
    const TOptimizationSolution& c = Candidates[i];
    targetList.Add(c.Box.LengthMM, c.Box.WidthMM, c.Box.HeightMM);
    maxL = std::max(maxL, c.Box.LengthMM);
    maxB = std::max(maxB, c.Box.WidthMM);
    maxH = std::max(maxH, c.Box.HeightMM);
  }
  for (const TSharedBoxTarget& t : StandardBoxTargets)
    targetList.Add(t.L, t.B, t.H);
  targetList.Add(maxL, maxB, maxH);
  const std::vector<TSharedBoxTarget>& targets = targetList.targets();
  const size_t productCount = enabled.size();
  const size_t targetCount = targets.size();

  // A plan beyond the memory at hand would get the program killed while it
  // fills the table: refuse it, before any of it is built, with a message
  // the user can act on.
  if (const size_t available = AvailableMemoryBytes();
      !TableFits(productCount, targetCount, available)) {
    const std::optional<size_t> bytes = TableBytes(productCount, targetCount);
    const double needed = bytes ? static_cast<double>(*bytes) : 0x1p64;
    throw Exception(
        TErrorKind::OutOfMemory, SPlanTooLarge,
        {static_cast<int>(productCount), needed / 0x1p30, static_cast<double>(available) / 0x1p30});
  }

  // Each product's candidates, gathered in one pass: looking through the
  // whole list once per product grows with the square of the assortment.
  std::unordered_map<int32_t, std::vector<const TOptimizationSolution*>> byProduct;
  for (size_t i = 0; i < Candidates.size(); ++i) {
    if (i % 4096 == 4095) Token.Check();
    byProduct[Candidates[i].ProductId].push_back(&Candidates[i]);
  }
  const std::vector<const TOptimizationSolution*> none;
  std::vector<TPlanProduct> planProducts(productCount);
  for (size_t k = 0; k < productCount; ++k) {
    if (k % 1024 == 1023) Token.Check();
    const auto own = byProduct.find(enabled[k]->Id);
    planProducts[k] = TPlanProduct(*enabled[k], own == byProduct.end() ? none : own->second, S);
  }
  byProduct.clear();

  // The plan holds only each cell's best score (infinite where no candidate
  // fits); the few cells that are chosen are rebuilt in full at the end.
  std::vector<TFixedBoxSize> sizes(targetCount);
  ParallelFor(targetCount, [&](size_t t) {
    if (t % 1024 == 0) Token.Check();
    sizes[t] = Calc.PrepareFixedSize(S, targets[t].L, targets[t].B, targets[t].H);
  });
  // Targets are worked through in blocks of similar length, so that a
  // product's candidates stay at hand for a whole block and candidates too
  // large for every size of a block are passed over at once.
  std::vector<size_t> order(targetCount);
  for (size_t t = 0; t < targetCount; ++t)
    order[t] = t;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return sizes[a].InnerLengthMM < sizes[b].InnerLengthMM;
  });
  constexpr size_t kBlock = 32;
  // Every block writes all of its cells: no need to clear the (possibly very
  // large) plan first, and its pages are first touched in the parallel loop.
  const TLargeBuffer plan(productCount * targetCount);
  ParallelFor((targetCount + kBlock - 1) / kBlock, [&](size_t block) {
    Token.Check();
    const size_t first = block * kBlock;
    const size_t last = std::min(first + kBlock, targetCount);
    std::vector<const TFixedBoxSize*> blockSizes;
    TFixedBoxSize largest;
    largest.InnerLengthMM = largest.InnerWidthMM = largest.InnerHeightMM =
        -std::numeric_limits<double>::infinity();
    for (size_t i = first; i < last; ++i) {
      const TFixedBoxSize& size = sizes[order[i]];
      blockSizes.push_back(&size);
      if (!size.Usable) continue;
      largest.InnerLengthMM = std::max(largest.InnerLengthMM, size.InnerLengthMM);
      largest.InnerWidthMM = std::max(largest.InnerWidthMM, size.InnerWidthMM);
      largest.InnerHeightMM = std::max(largest.InnerHeightMM, size.InnerHeightMM);
    }
    std::vector<double> best(blockSizes.size());
    for (size_t k = 0; k < productCount; ++k) {
      // A block of a large assortment takes milliseconds: look in between.
      if (k % 64 == 63) Token.Check();
      std::fill(best.begin(), best.end(), kInfeasible);
      planProducts[k].BestScoresIn(blockSizes, largest, S, Criterion, best.data());
      for (size_t i = first; i < last; ++i)
        plan[order[i] * productCount + k] = best[i - first];
    }
  });
  auto cell = [&](size_t k, size_t t) { return plan[t * productCount + k]; };

  const size_t size = std::min(
      {static_cast<size_t>(std::max(S.TargetUnifiedBoxCount, 0)), productCount, targetCount});
  std::vector<size_t> chosen;
  std::vector<bool> isChosen(targetCount, false);
  // Each product's best score over the chosen targets so far.
  std::vector<double> bestChosen(productCount, kInfeasible);

  // Greedy choice: each slot takes the target that, with those chosen
  // before, leaves the fewest products without a fit, then the lowest total.
  std::vector<size_t> missing(targetCount);
  std::vector<double> total(targetCount);
  for (size_t s = 0; s < size; ++s) {
    ParallelFor(targetCount, [&](size_t t) {
      if (t % 64 == 0) Token.Check();
      if (isChosen[t]) return;
      size_t m = 0;
      double sum = 0;  // in product order
      for (size_t k = 0; k < productCount; ++k) {
        const double value = std::min(bestChosen[k], cell(k, t));
        if (value == kInfeasible)
          ++m;
        else
          sum += value;
      }
      missing[t] = m;
      total[t] = sum;
    });
    size_t best = targetCount;
    for (size_t t = 0; t < targetCount; ++t) {
      if (isChosen[t]) continue;
      if (best == targetCount || missing[t] < missing[best] ||
          (missing[t] == missing[best] && total[t] < total[best]))
        best = t;
    }
    chosen.push_back(best);
    isChosen[best] = true;
    for (size_t k = 0; k < productCount; ++k)
      bestChosen[k] = std::min(bestChosen[k], cell(k, best));
  }

  // Assignment to the best chosen size; then empty sizes take the product
  // that loses least by moving there from a shared size.
  std::vector<int> assigned(productCount, -1);
  std::vector<int> members(size, 0);
  for (size_t k = 0; k < productCount; ++k) {
    for (size_t s = 0; s < size; ++s) {
      const double score = cell(k, chosen[s]);
      if (score != kInfeasible && (assigned[k] < 0 || score < cell(k, chosen[assigned[k]])))
        assigned[k] = static_cast<int>(s);
    }
    if (assigned[k] >= 0) ++members[assigned[k]];
  }
  for (size_t s = 0; s < size; ++s) {
    if (members[s] != 0) continue;
    int mover = -1;
    double smallest = 0;
    for (size_t k = 0; k < productCount; ++k) {
      if (assigned[k] < 0 || members[assigned[k]] <= 1) continue;
      const double there = cell(k, chosen[s]);
      if (there == kInfeasible) continue;
      const double difference = there - cell(k, chosen[assigned[k]]);
      if (mover < 0 || difference < smallest) {
        mover = static_cast<int>(k);
        smallest = difference;
      }
    }
    if (mover >= 0) {
      --members[assigned[mover]];
      assigned[mover] = static_cast<int>(s);
      members[s] = 1;
    }
  }

  std::vector<TOptimizationSolution> result;
  result.reserve(productCount);
  for (size_t k = 0; k < productCount; ++k) {
    if (assigned[k] < 0)
      throw Exception(TErrorKind::NoSharedBox, "No shared box fits product %s", {enabled[k]->Name});
    const TSharedBoxTarget& target = targets[chosen[assigned[k]]];
    TOptimizationSolution v = BestFitIn(*enabled[k], planProducts[k], target, S, Calc, Criterion);
    v.UnifiedGroupId = assigned[k] + 1;
    v.UnifiedProductCount = members[assigned[k]];
    v.Box.Score = Criterion.Evaluate(v, S);
    v.SavingPercent = CalcSavingPercent(v.OriginalBox.PackagingCostPerM3, v.Box.PackagingCostPerM3);
    result.push_back(v);
  }
  return result;
}

}  // namespace quelmora
