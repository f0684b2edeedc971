#include "engine/SolutionOrder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <numeric>
#include <utility>

#include "model/TextFormat.h"

namespace quelmora {

namespace {

int CompareValues(double a, double b) {
  if (EqualWithinTolerance(a, b)) return 0;
  return a < b ? -1 : 1;
}

// A total order on doubles, NaN last, for the exact sort.
bool ExactLess(double a, double b) {
  if (std::isnan(a)) return false;
  return std::isnan(b) || a < b;
}

// Sorts Order[first, last) exactly by Value, equal values by index, then
// hands each run of values within tolerance of the run's first to InRun.
void SortInRuns(std::vector<size_t>& Order, size_t first, size_t last,
                const std::function<double(size_t)>& Value,
                const std::function<void(size_t, size_t)>& InRun) {
  std::sort(Order.begin() + static_cast<std::ptrdiff_t>(first),
            Order.begin() + static_cast<std::ptrdiff_t>(last), [&](size_t a, size_t b) {
              const double x = Value(a);
              const double y = Value(b);
              if (ExactLess(x, y) || ExactLess(y, x)) return ExactLess(x, y);
              return a < b;
            });
  for (size_t begin = first; begin < last;) {
    size_t end = begin + 1;
    while (end < last && EqualWithinTolerance(Value(Order[begin]), Value(Order[end])))
      ++end;
    InRun(begin, end);
    begin = end;
  }
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

// The tolerance is not transitive (a ~ b ~ c with a < c), so CompareSolutions
// is no strict weak order and std::stable_sort would be undefined with it.
// Exact sorts with runs of equal-within-tolerance values put back into their
// first order give what a stable sort gives wherever the tolerance happens to
// be transitive, and a defined order everywhere else.
void SortSolutions(std::vector<TOptimizationSolution>& Solutions) {
  std::vector<size_t> order(Solutions.size());
  std::iota(order.begin(), order.end(), size_t{0});
  const auto score = [&](size_t i) { return Solutions[i].Box.Score; };
  const auto cost = [&](size_t i) { return Solutions[i].Box.PackagingCostPerM3; };
  SortInRuns(order, 0, order.size(), score, [&](size_t first, size_t last) {
    SortInRuns(order, first, last, cost, [&](size_t from, size_t to) {
      std::sort(order.begin() + static_cast<std::ptrdiff_t>(from),
                order.begin() + static_cast<std::ptrdiff_t>(to));
    });
  });
  std::vector<TOptimizationSolution> sorted;
  sorted.reserve(Solutions.size());
  for (size_t i : order)
    sorted.push_back(std::move(Solutions[i]));
  Solutions = std::move(sorted);
}

}  // namespace quelmora
