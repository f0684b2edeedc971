#include "engine/AssortmentPlanner.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "calc/BoxAcceptance.h"
#include "calc/CostCalculator.h"
#include "calc/PalletStrength.h"
#include "calc/UnitConversion.h"
#include "engine/LargeBuffer.h"
#include "engine/ParallelFor.h"
#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
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

// Distinct targets in the order they were first offered.
class TTargetList {
 public:
  void Add(double L, double B, double H) {
    if (!(L > 0 && B > 0 && H > 0)) return;
    if (FKeys.insert(TargetKey(L, B, H)).second) FTargets.push_back({L, B, H});
  }
  std::vector<TSharedBoxTarget> Take() { return std::move(FTargets); }

 private:
  std::vector<TSharedBoxTarget> FTargets;
  std::unordered_set<std::string> FKeys;
};

constexpr double kInfeasible = std::numeric_limits<double>::infinity();

// One candidate as the plan sees it: what it needs of a box and what it
// brings to the score, each computed as building the box would.
struct TPlanCandidate {
  const TOptimizationSolution* Source = nullptr;
  TGridNeed Need;
  int32_t Count = 0;
  double PackGrams = 0;   // Count x (product + pack material), g
  double PackVolume = 0;  // Count x pack volume, m3
};

class TPlanProduct {
 public:
  TPlanProduct() = default;
  // Candidates: the product's own, in the order of the run's list.
  TPlanProduct(const TProduct& Product, const std::vector<const TOptimizationSolution*>& Candidates,
               const TOptimizationSettings& S)
      : FProduct(&Product) {
    for (const TOptimizationSolution* source : Candidates) {
      const TOptimizationSolution& c = *source;
      TPlanCandidate pc;
      pc.Source = &c;
      pc.Need = GridNeedOf(c.Box.PackPlacement, S);
      pc.Count = c.Box.PackPlacement.TotalCount;
      pc.PackGrams =
          pc.Count * (Product.ProductWeightG + c.Pack.SurfaceAreaM2 * S.PackMaterialGramsPerM2);
      pc.PackVolume = pc.Count * c.Pack.VolumeM3;
      if (FCandidates.empty()) {
        FMinNeed = pc.Need;
      } else {
        FMinNeed.LengthMM = std::min(FMinNeed.LengthMM, pc.Need.LengthMM);
        FMinNeed.WidthMM = std::min(FMinNeed.WidthMM, pc.Need.WidthMM);
        FMinNeed.HeightMM = std::min(FMinNeed.HeightMM, pc.Need.HeightMM);
      }
      FCandidates.push_back(pc);
    }
  }

  const TProduct& Product() const { return *FProduct; }
  const std::vector<TPlanCandidate>& Candidates() const { return FCandidates; }

  // Into Best[b] (infinite at first), the lowest score of a candidate rebuilt
  // in Sizes[b], the value a full build and evaluation would give; stays
  // infinite where none fits. Largest holds the largest inner sizes of the
  // usable sizes among them.
  void BestScoresIn(const std::vector<const TFixedBoxSize*>& Sizes, const TFixedBoxSize& Largest,
                    const TOptimizationSettings& S, const IOptimizationCriterion& Criterion,
                    double* Best) const {
    // A candidate that fits none of the largest sizes fits none of them.
    auto fitsLargest = [&](const TGridNeed& need) {
      return GridFits(need, Largest.InnerLengthMM, Largest.InnerWidthMM, Largest.InnerHeightMM);
    };
    if (FCandidates.empty() || !fitsLargest(FMinNeed)) return;
    for (const TPlanCandidate& c : FCandidates) {
      if (c.Count <= 0 || !fitsLargest(c.Need)) continue;
      const TPackVariant& pack = c.Source->Pack;
      TCriterionInputs in;
      in.PackCount = c.Count;
      in.OriginalPackagingCostPerM3 = c.Source->OriginalBox.PackagingCostPerM3;
      in.DimensionPenalty = pack.DimensionPenalty;
      in.GeometryPenalty = pack.GeometryPenalty;
      in.UnifiedProductCount = 1;
      for (size_t b = 0; b < Sizes.size(); ++b) {
        const TFixedBoxSize& size = *Sizes[b];
        // Build's acceptance, the size's own part settled once per size.
        if (!size.Usable ||
            !GridFits(c.Need, size.InnerLengthMM, size.InnerWidthMM, size.InnerHeightMM))
          continue;
        const double grossKG = GramsToKG(c.PackGrams + size.BoardGrams);
        if (!WithinWeightLimit(grossKG, *FProduct)) continue;
        const TPalletResult pallet =
            LimitPallet(size.Pallet, size.LengthMM, size.WidthMM, size.HeightMM, grossKG, S);
        if (!PalletAcceptable(pallet.BoxesPerPallet, S)) continue;
        in.PackagingCostPerM3 = CalcCostPerM3(pack.Cost, size.BoxCost, pack.VolumeM3, c.Count);
        in.PalletUtilization = pallet.Utilization;
        in.FillRatio = FDiv(c.PackVolume, size.InnerVolumeM3);
        const double score = Criterion.EvaluateInputs(in, S);
        if (score < Best[b]) Best[b] = score;
      }
    }
  }

 private:
  const TProduct* FProduct = nullptr;
  std::vector<TPlanCandidate> FCandidates;
  TGridNeed FMinNeed;
};

// The plan's table: each product's best score in each target, infinite where
// no candidate fits.
class TPlanTable {
 public:
  TPlanTable(size_t ProductCount, size_t TargetCount)
      : FProductCount(ProductCount),
        FTargetCount(TargetCount),
        FCells(ProductCount * TargetCount) {}
  size_t ProductCount() const { return FProductCount; }
  size_t TargetCount() const { return FTargetCount; }
  double& Cell(size_t Product, size_t Target) const {
    return FCells[Target * FProductCount + Product];
  }

 private:
  size_t FProductCount, FTargetCount;
  // Every cell is written before it is read: no need to clear the (possibly
  // very large) table first, and its pages are first touched in parallel.
  TLargeBuffer FCells;
};

std::vector<const TProduct*> EnabledProducts(const std::vector<TProduct>& Products) {
  std::vector<const TProduct*> enabled;
  for (const TProduct& p : Products)
    if (p.Enabled) enabled.push_back(&p);
  return enabled;
}

// Every candidate's box, the standard sizes, the largest box.
std::vector<TSharedBoxTarget> CollectTargets(const std::vector<TOptimizationSolution>& Candidates,
                                             const TCancelToken& Token) {
  TTargetList targets;
  double maxL = 0, maxB = 0, maxH = 0;
  for (size_t i = 0; i < Candidates.size(); ++i) {
    if (i % 4096 == 4095) Token.Check();
    const TOptimizationSolution& c = Candidates[i];
    targets.Add(c.Box.LengthMM, c.Box.WidthMM, c.Box.HeightMM);
    maxL = std::max(maxL, c.Box.LengthMM);
    maxB = std::max(maxB, c.Box.WidthMM);
    maxH = std::max(maxH, c.Box.HeightMM);
  }
  for (const TSharedBoxTarget& t : StandardBoxTargets)
    targets.Add(t.L, t.B, t.H);
  targets.Add(maxL, maxB, maxH);
  return targets.Take();
}

// A plan beyond the memory at hand would get the program killed while it
// fills the table: refuse it, before any of it is built, with a message the
// user can act on.
void RefusePlanBeyondMemory(size_t ProductCount, size_t TargetCount) {
  const size_t available = AvailableMemoryBytes();
  if (TableFits(ProductCount, TargetCount, available)) return;
  const std::optional<size_t> bytes = TableBytes(ProductCount, TargetCount);
  const double needed = bytes ? static_cast<double>(*bytes) : 0x1p64;
  throw Exception(
      TErrorKind::OutOfMemory, SPlanTooLarge,
      {static_cast<int>(ProductCount), needed / 0x1p30, static_cast<double>(available) / 0x1p30});
}

// Each enabled product with its candidates, gathered in one pass: looking
// through the whole list once per product grows with the square of the
// assortment.
std::vector<TPlanProduct> GroupCandidates(const std::vector<TOptimizationSolution>& Candidates,
                                          const std::vector<const TProduct*>& Enabled,
                                          const TOptimizationSettings& S,
                                          const TCancelToken& Token) {
  std::unordered_map<int32_t, std::vector<const TOptimizationSolution*>> byProduct;
  for (size_t i = 0; i < Candidates.size(); ++i) {
    if (i % 4096 == 4095) Token.Check();
    byProduct[Candidates[i].ProductId].push_back(&Candidates[i]);
  }
  const std::vector<const TOptimizationSolution*> none;
  std::vector<TPlanProduct> planProducts(Enabled.size());
  for (size_t k = 0; k < Enabled.size(); ++k) {
    if (k % 1024 == 1023) Token.Check();
    const auto own = byProduct.find(Enabled[k]->Id);
    planProducts[k] = TPlanProduct(*Enabled[k], own == byProduct.end() ? none : own->second, S);
  }
  return planProducts;
}

std::vector<TFixedBoxSize> PrepareSizes(const std::vector<TSharedBoxTarget>& Targets,
                                        const TOptimizationSettings& S, const TBoxCalculator& Calc,
                                        const TCancelToken& Token) {
  std::vector<TFixedBoxSize> sizes(Targets.size());
  ParallelFor(Targets.size(), [&](size_t t) {
    if (t % 1024 == 0) Token.Check();
    sizes[t] = Calc.PrepareFixedSize(S, Targets[t].L, Targets[t].B, Targets[t].H);
  });
  return sizes;
}

// Only each cell's best score; the few cells that are chosen are rebuilt in
// full at the end. Targets are worked through in blocks of similar length, so
// that a product's candidates stay at hand for a whole block and candidates
// too large for every size of a block are passed over at once.
void FillPlan(const TPlanTable& Plan, const std::vector<TPlanProduct>& PlanProducts,
              const std::vector<TFixedBoxSize>& Sizes, const TOptimizationSettings& S,
              const IOptimizationCriterion& Criterion, const TCancelToken& Token) {
  const size_t targetCount = Plan.TargetCount();
  std::vector<size_t> order(targetCount);
  for (size_t t = 0; t < targetCount; ++t)
    order[t] = t;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return Sizes[a].InnerLengthMM < Sizes[b].InnerLengthMM;
  });
  constexpr size_t kBlock = 32;
  ParallelFor((targetCount + kBlock - 1) / kBlock, [&](size_t block) {
    Token.Check();
    const size_t first = block * kBlock;
    const size_t last = std::min(first + kBlock, targetCount);
    std::vector<const TFixedBoxSize*> blockSizes;
    TFixedBoxSize largest;
    largest.InnerLengthMM = largest.InnerWidthMM = largest.InnerHeightMM =
        -std::numeric_limits<double>::infinity();
    for (size_t i = first; i < last; ++i) {
      const TFixedBoxSize& size = Sizes[order[i]];
      blockSizes.push_back(&size);
      if (!size.Usable) continue;
      largest.InnerLengthMM = std::max(largest.InnerLengthMM, size.InnerLengthMM);
      largest.InnerWidthMM = std::max(largest.InnerWidthMM, size.InnerWidthMM);
      largest.InnerHeightMM = std::max(largest.InnerHeightMM, size.InnerHeightMM);
    }
    std::vector<double> best(blockSizes.size());
    for (size_t k = 0; k < Plan.ProductCount(); ++k) {
      // A block of a large assortment takes milliseconds: look in between.
      if (k % 64 == 63) Token.Check();
      std::fill(best.begin(), best.end(), kInfeasible);
      PlanProducts[k].BestScoresIn(blockSizes, largest, S, Criterion, best.data());
      for (size_t i = first; i < last; ++i)
        Plan.Cell(k, order[i]) = best[i - first];
    }
  });
}

// Greedy choice of SizeCount targets: each slot takes the target that, with
// those chosen before, leaves the fewest products without a fit, then the
// lowest total.
std::vector<size_t> ChooseTargets(const TPlanTable& Plan, size_t SizeCount,
                                  const TCancelToken& Token) {
  const size_t productCount = Plan.ProductCount();
  const size_t targetCount = Plan.TargetCount();
  std::vector<size_t> chosen;
  std::vector<bool> isChosen(targetCount, false);
  // Each product's best score over the chosen targets so far.
  std::vector<double> bestChosen(productCount, kInfeasible);
  std::vector<size_t> missing(targetCount);
  std::vector<double> total(targetCount);
  for (size_t s = 0; s < SizeCount; ++s) {
    ParallelFor(targetCount, [&](size_t t) {
      if (t % 64 == 0) Token.Check();
      if (isChosen[t]) return;
      size_t m = 0;
      double sum = 0;  // in product order
      for (size_t k = 0; k < productCount; ++k) {
        const double value = std::min(bestChosen[k], Plan.Cell(k, t));
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
      bestChosen[k] = std::min(bestChosen[k], Plan.Cell(k, best));
  }
  return chosen;
}

// Which chosen size each product goes into (-1: none fits) and how many
// products each size holds.
struct TAssignment {
  std::vector<int> SizeOf;
  std::vector<int> Members;
};

// Each product to its best chosen size; then empty sizes take the product
// that loses least by moving there from a shared size.
TAssignment AssignProducts(const TPlanTable& Plan, const std::vector<size_t>& Chosen) {
  const size_t productCount = Plan.ProductCount();
  const size_t size = Chosen.size();
  TAssignment a{std::vector<int>(productCount, -1), std::vector<int>(size, 0)};
  std::vector<int>& assigned = a.SizeOf;
  std::vector<int>& members = a.Members;
  for (size_t k = 0; k < productCount; ++k) {
    for (size_t s = 0; s < size; ++s) {
      const double score = Plan.Cell(k, Chosen[s]);
      if (score != kInfeasible && (assigned[k] < 0 || score < Plan.Cell(k, Chosen[assigned[k]])))
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
      const double there = Plan.Cell(k, Chosen[s]);
      if (there == kInfeasible) continue;
      const double difference = there - Plan.Cell(k, Chosen[assigned[k]]);
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
  return a;
}

// The product's best candidate rebuilt in full in the target: the first of
// the lowest score, as the plan found it. The plan only assigns a product to
// a size where one of its candidates builds, so finding none is a fault of
// this program, not of the input.
TOptimizationSolution BestFitIn(const TPlanProduct& PlanProduct, const TSharedBoxTarget& Target,
                                const TOptimizationSettings& S, const TBoxCalculator& Calc,
                                const IOptimizationCriterion& Criterion) {
  const TProduct& product = PlanProduct.Product();
  TOptimizationSolution best;
  bool found = false;
  for (const TPlanCandidate& c : PlanProduct.Candidates()) {
    TOptimizationSolution attempt = *c.Source;
    if (!Calc.Build(product, c.Source->Pack, c.Source->Box.PackPlacement, S, attempt.Box, Target.L,
                    Target.B, Target.H))
      continue;
    attempt.UnifiedGroupId = 0;
    attempt.UnifiedProductCount = 1;
    attempt.Box.Score = Criterion.Evaluate(attempt, S);
    if (!found || attempt.Box.Score < best.Box.Score) {
      found = true;
      best = attempt;
    }
  }
  if (!found)
    throw Exception(TErrorKind::Internal, SSharedBoxWithoutCandidate,
                    {product.Name, Target.L, Target.B, Target.H});
  return best;
}

// One solution per product, in product order, rebuilt in its assigned size.
std::vector<TOptimizationSolution> BuildAssigned(const std::vector<TPlanProduct>& PlanProducts,
                                                 const std::vector<TSharedBoxTarget>& Targets,
                                                 const std::vector<size_t>& Chosen,
                                                 const TAssignment& Assignment,
                                                 const TOptimizationSettings& S,
                                                 const TBoxCalculator& Calc,
                                                 const IOptimizationCriterion& Criterion) {
  std::vector<TOptimizationSolution> result;
  result.reserve(PlanProducts.size());
  for (size_t k = 0; k < PlanProducts.size(); ++k) {
    const int group = Assignment.SizeOf[k];
    if (group < 0)
      throw Exception(TErrorKind::NoSharedBox, SNoSharedBoxFits, {PlanProducts[k].Product().Name});
    const TSharedBoxTarget& target = Targets[Chosen[group]];
    TOptimizationSolution v = BestFitIn(PlanProducts[k], target, S, Calc, Criterion);
    v.UnifiedGroupId = group + 1;
    v.UnifiedProductCount = Assignment.Members[group];
    v.Box.Score = Criterion.Evaluate(v, S);
    v.SavingPercent = CalcSavingPercent(v.OriginalBox.PackagingCostPerM3, v.Box.PackagingCostPerM3);
    result.push_back(v);
  }
  return result;
}

}  // namespace

std::string TargetKey(double L, double B, double H) {
  return NumberKey(L, B, H, std::chars_format::fixed, 4);
}

std::vector<TOptimizationSolution> PlanAssortment(
    const std::vector<TOptimizationSolution>& Candidates, const std::vector<TProduct>& Products,
    const TOptimizationSettings& S, const TBoxCalculator& Calc,
    const IOptimizationCriterion& Criterion, const TCancelToken& Token) {
  const std::vector<const TProduct*> enabled = EnabledProducts(Products);
  if (enabled.empty() || Candidates.empty()) return {};
  const std::vector<TSharedBoxTarget> targets = CollectTargets(Candidates, Token);
  RefusePlanBeyondMemory(enabled.size(), targets.size());
  const std::vector<TPlanProduct> planProducts = GroupCandidates(Candidates, enabled, S, Token);
  const std::vector<TFixedBoxSize> sizes = PrepareSizes(targets, S, Calc, Token);
  const TPlanTable plan(enabled.size(), targets.size());
  FillPlan(plan, planProducts, sizes, S, Criterion, Token);
  const size_t sizeCount = std::min(
      {static_cast<size_t>(std::max(S.TargetUnifiedBoxCount, 0)), enabled.size(), targets.size()});
  const std::vector<size_t> chosen = ChooseTargets(plan, sizeCount, Token);
  const TAssignment assignment = AssignProducts(plan, chosen);
  return BuildAssigned(planProducts, targets, chosen, assignment, S, Calc, Criterion);
}

}  // namespace quelmora
