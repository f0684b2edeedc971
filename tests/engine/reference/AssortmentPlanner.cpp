#include "engine/reference/AssortmentPlanner.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <unordered_set>

#include "calc/CostCalculator.h"
#include "model/Errors.h"

namespace quelmora::reference {

const TSharedBoxTarget StandardBoxTargets[15] = {
    {300, 171, 300}, {600, 266, 600}, {400, 266, 400}, {400, 200, 400}, {342, 160, 342},
    {300, 160, 300}, {300, 133, 300}, {266, 133, 266}, {240, 114, 240}, {218, 100, 218},
    {200, 100, 200}, {171, 89, 171},  {160, 80, 160},  {150, 80, 150},  {141, 72, 141},
};

namespace {

void AppendFixed4(std::string& out, double value) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  out.append(buffer, result.ptr);
}

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

}  // namespace

std::string TargetKey(double L, double B, double H) {
  std::string key;
  key.reserve(48);
  AppendFixed4(key, L);
  key += '/';
  AppendFixed4(key, B);
  key += '/';
  AppendFixed4(key, H);
  return key;
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
  for (const TOptimizationSolution& c : Candidates) {
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

  // The plan: each product's best candidate rebuilt in each target.
  std::vector<std::vector<TPlanCell>> plan(productCount, std::vector<TPlanCell>(targetCount));
  for (size_t k = 0; k < productCount; ++k) {
    const TProduct& product = *enabled[k];
    std::vector<const TOptimizationSolution*> own;
    for (const TOptimizationSolution& c : Candidates)
      if (c.ProductId == product.Id) own.push_back(&c);
    for (size_t t = 0; t < targetCount; ++t) {
      Token.Check();
      TPlanCell& cell = plan[k][t];
      for (const TOptimizationSolution* c : own) {
        TOptimizationSolution attempt = *c;
        if (!Calc.Build(product, c->Pack, c->Box.PackPlacement, S, attempt.Box, targets[t].L,
                        targets[t].B, targets[t].H))
          continue;
        attempt.UnifiedGroupId = 0;
        attempt.UnifiedProductCount = 1;
        attempt.Box.Score = Criterion.Evaluate(attempt, S);
        if (!cell.Feasible || attempt.Box.Score < cell.Value.Box.Score) {
          cell.Feasible = true;
          cell.Value = attempt;
        }
      }
    }
  }

  const size_t size = std::min(
      {static_cast<size_t>(std::max(S.TargetUnifiedBoxCount, 0)), productCount, targetCount});
  std::vector<size_t> chosen;
  std::vector<bool> isChosen(targetCount, false);

  // Greedy choice: each slot takes the target that, with those chosen
  // before, leaves the fewest products without a fit, then the lowest total.
  for (size_t s = 0; s < size; ++s) {
    size_t best = targetCount;
    size_t bestMissing = 0;
    double bestTotal = 0;
    for (size_t t = 0; t < targetCount; ++t) {
      if (isChosen[t]) continue;
      size_t missing = 0;
      double total = 0;
      for (size_t k = 0; k < productCount; ++k) {
        bool found = false;
        double value = 0;
        auto consider = [&](size_t column) {
          const TPlanCell& cell = plan[k][column];
          if (cell.Feasible && (!found || cell.Value.Box.Score < value)) {
            found = true;
            value = cell.Value.Box.Score;
          }
        };
        for (size_t column : chosen)
          consider(column);
        consider(t);
        if (found)
          total += value;
        else
          ++missing;
      }
      if (best == targetCount || missing < bestMissing ||
          (missing == bestMissing && total < bestTotal)) {
        best = t;
        bestMissing = missing;
        bestTotal = total;
      }
    }
    chosen.push_back(best);
    isChosen[best] = true;
  }

  // Assignment to the best chosen size; then empty sizes take the product
  // that loses least by moving there from a shared size.
  std::vector<int> assigned(productCount, -1);
  std::vector<int> members(size, 0);
  for (size_t k = 0; k < productCount; ++k) {
    double bestScore = 0;
    for (size_t s = 0; s < size; ++s) {
      const TPlanCell& cell = plan[k][chosen[s]];
      if (cell.Feasible && (assigned[k] < 0 || cell.Value.Box.Score < bestScore)) {
        assigned[k] = static_cast<int>(s);
        bestScore = cell.Value.Box.Score;
      }
    }
    if (assigned[k] >= 0) ++members[assigned[k]];
  }
  for (size_t s = 0; s < size; ++s) {
    if (members[s] != 0) continue;
    int mover = -1;
    double smallest = 0;
    for (size_t k = 0; k < productCount; ++k) {
      if (assigned[k] < 0 || members[assigned[k]] <= 1) continue;
      const TPlanCell& there = plan[k][chosen[s]];
      if (!there.Feasible) continue;
      const double difference =
          there.Value.Box.Score - plan[k][chosen[assigned[k]]].Value.Box.Score;
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
    TOptimizationSolution v = plan[k][chosen[assigned[k]]].Value;
    v.UnifiedGroupId = assigned[k] + 1;
    v.UnifiedProductCount = members[assigned[k]];
    v.Box.Score = Criterion.Evaluate(v, S);
    v.SavingPercent = CalcSavingPercent(v.OriginalBox.PackagingCostPerM3, v.Box.PackagingCostPerM3);
    result.push_back(v);
  }
  return result;
}

}  // namespace quelmora::reference
