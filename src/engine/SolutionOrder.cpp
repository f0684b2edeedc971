#include "engine/SolutionOrder.h"

#include <algorithm>
#include <cmath>

#include "model/TextFormat.h"

namespace quelmora {

namespace {

int CompareValues(double a, double b) {
  if (EqualWithinTolerance(a, b)) return 0;
  return a < b ? -1 : 1;
}

}  // namespace

std::string BoxKey(const TBoxVariant& Box) {
  return NumberKey(Box.LengthMM, Box.WidthMM, Box.HeightMM, std::chars_format::fixed, 7);
}

bool EqualWithinTolerance(double a, double b) {
  return std::fabs(a - b) <=
         std::max(std::min(std::fabs(a), std::fabs(b)) * kScoreTolerance, kScoreTolerance);
}

int CompareSolutions(const TOptimizationSolution& X, const TOptimizationSolution& Y) {
  if (const int byScore = CompareValues(X.Box.Score, Y.Box.Score)) return byScore;
  return CompareValues(X.Box.PackagingCostPerM3, Y.Box.PackagingCostPerM3);
}

void SortSolutions(std::vector<TOptimizationSolution>& Solutions) {
  std::stable_sort(Solutions.begin(), Solutions.end(),
                   [](const auto& x, const auto& y) { return CompareSolutions(x, y) < 0; });
}

}  // namespace quelmora
