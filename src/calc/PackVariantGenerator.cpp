#include "calc/PackVariantGenerator.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>

#include "calc/PackGeometry.h"
#include "model/FloatChecks.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

// Equal exactly when the three dimensions agree to 15 significant digits.
std::string PackKey(double L, double B, double H) {
  return NumberKey(L, B, H, std::chars_format::general, 15);
}

// value limited to [low, high]; unlike std::clamp defined for any bounds.
double Limit(double value, double low, double high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

class Generation {
 public:
  Generation(const TProduct& product, const TOptimizationSettings& settings,
             const TCancelToken& token)
      : product_(product), settings_(settings), token_(token) {
    step_ = settings.PackDimensionStepMM;
    const double lo = 1 + settings.DimensionDeviationMinPercent / 100;
    const double hi = 1 + settings.DimensionDeviationMaxPercent / 100;
    lMin_ = product.OriginalLengthMM * lo;
    lMax_ = product.OriginalLengthMM * hi;
    bMin_ = product.OriginalWidthMM * lo;
    bMax_ = product.OriginalWidthMM * hi;
    hMin_ = product.OriginalHeightMM * lo;
    hMax_ = product.OriginalHeightMM * hi;
    maxEvaluations_ = settings.MaxGeometryEvaluations;
    maxKept_ = static_cast<size_t>(std::max(settings.MaxPackVariantsPerProduct, 0));
  }

  std::vector<TPackVariant> Run() {
    double nL = FDiv(lMax_ - lMin_, step_) + 1;
    double nB = FDiv(bMax_ - bMin_, step_) + 1;
    if (nL < 1) nL = 1;
    if (nB < 1) nB = 1;
    double k = std::ceil(std::sqrt(FDiv(nL * nB * 24, maxEvaluations_)));
    if (k < 1) k = 1;
    const double coarse = step_ * k;

    // The sample pack and its footprint.
    TryPack(product_.OriginalLengthMM, product_.OriginalWidthMM, product_.OriginalHeightMM);
    TryFootprint(Limit(product_.OriginalLengthMM, lMin_, lMax_),
                 Limit(product_.OriginalWidthMM, bMin_, bMax_));

    // The coarse grid; the last row and column are clamped onto the band edges.
    const double nI = std::ceil(FDiv(lMax_ - lMin_, coarse));
    const double nJ = std::ceil(FDiv(bMax_ - bMin_, coarse));
    for (double i = 0; i <= nI; ++i) {
      token_.Check();
      const double L = std::min(lMin_ + i * coarse, lMax_);
      for (double j = 0; j <= nJ; ++j) {
        const double B = std::min(bMin_ + j * coarse, bMax_);
        TryFootprint(L, B);
        if (BudgetSpent()) break;
      }
      if (BudgetSpent()) break;
    }

    // Refinement around the best coarse results, in whole fine steps.
    const std::vector<TPackVariant> seeds = kept_;
    const int r = static_cast<int>(std::min(8.0, std::ceil(FDiv(coarse, step_))));
    const size_t seedCount = std::min<size_t>(16, seeds.size());
    for (size_t s = 0; s < seedCount; ++s) {
      token_.Check();
      const TPackVariant& seed = seeds[s];
      for (int di = -r; di <= r; ++di)
        for (int dj = -r; dj <= r; ++dj)
          if (!BudgetSpent()) TryFootprint(seed.LengthMM + di * step_, seed.WidthMM + dj * step_);
      if (BudgetSpent()) break;
    }
    return std::move(kept_);
  }

  int32_t evaluations() const { return evaluations_; }
  int32_t rejected() const { return rejected_; }

 private:
  bool BudgetSpent() const { return evaluations_ >= maxEvaluations_; }

  void TryPack(double L, double B, double H) {
    if (BudgetSpent()) return;
    ++evaluations_;
    if (evaluations_ % 128 == 0) token_.Check();
    if (L <= 0 || B <= 0 || H <= 0) {
      ++rejected_;
      return;
    }
    TPackVariant v = MakePackVariant(product_, L, B, H, settings_);
    if (!PackWithinLimits(v, product_, settings_)) {
      ++rejected_;
      return;
    }
    // A duplicate is an evaluation, not a rejection; its key stays seen even
    // when the list below refuses it.
    if (!seen_.insert(PackKey(L, B, H)).second) return;
    if (!InsertKeptVariant(kept_, v, maxKept_)) ++rejected_;
  }

  void TryHeight(double L, double B, double h, double hLow, double hHigh) {
    const double hc = Limit(h, hLow, hHigh);
    const double kUp = std::ceil(FDiv(hc - hMin_, step_) - 1e-8);
    TryPack(L, B, hMin_ + kUp * step_);
    const double kDown = std::floor(FDiv(hc - hMin_, step_) + 1e-8);
    TryPack(L, B, hMin_ + kDown * step_);
  }

  void TryFootprint(double L, double B) {
    if (L < lMin_ - 1e-8 || L > lMax_ + 1e-8 || B < bMin_ - 1e-8 || B > bMax_ + 1e-8) return;
    const double area = L * B;
    double hLow = std::max(hMin_, FDiv(product_.MinVolumeM3 * 1000000000, area));
    double hHigh = std::min(hMax_, FDiv(product_.MaxVolumeM3 * 1000000000, area));
    if (hLow > hHigh + 1e-8) return;
    if (hLow > hHigh) hHigh = hLow;
    TryHeight(L, B, hLow, hLow, hHigh);
    TryHeight(L, B, hHigh, hLow, hHigh);
    TryHeight(L, B, (hLow + hHigh) / 2, hLow, hHigh);
    TryHeight(L, B, product_.OriginalHeightMM, hLow, hHigh);
    TryHeight(L, B, B * product_.RatioHB, hLow, hHigh);
    TryPack(L, B, hLow);
    TryPack(L, B, hHigh);
  }

  const TProduct& product_;
  const TOptimizationSettings& settings_;
  const TCancelToken& token_;
  double step_ = 0;
  double lMin_ = 0, lMax_ = 0, bMin_ = 0, bMax_ = 0, hMin_ = 0, hMax_ = 0;
  int32_t maxEvaluations_ = 0;
  size_t maxKept_ = 0;
  std::vector<TPackVariant> kept_;
  std::unordered_set<std::string> seen_;
  int32_t evaluations_ = 0;
  int32_t rejected_ = 0;
};

}  // namespace

bool InsertKeptVariant(std::vector<TPackVariant>& Kept, const TPackVariant& V, size_t MaxCount) {
  if (Kept.size() >= MaxCount && (Kept.empty() || V.Score >= Kept.back().Score)) return false;
  // After every kept entry of equal score: earlier candidates win ties.
  size_t lo = 0;
  size_t hi = Kept.size();
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    if (V.Score >= Kept[mid].Score)
      lo = mid + 1;
    else
      hi = mid;
  }
  Kept.insert(Kept.begin() + static_cast<std::ptrdiff_t>(lo), V);
  if (Kept.size() > MaxCount) Kept.pop_back();
  return true;
}

std::vector<TPackVariant> GeneratePackVariants(const TProduct& Product,
                                               const TOptimizationSettings& Settings,
                                               const TCancelToken& Token, int32_t& Evaluations,
                                               int32_t& Rejected) {
  Generation generation(Product, Settings, Token);
  std::vector<TPackVariant> result = generation.Run();
  Evaluations = generation.evaluations();
  Rejected = generation.rejected();
  return result;
}

std::vector<TPackVariant> GeneratePackVariants(const TProduct& Product,
                                               const TOptimizationSettings& Settings,
                                               const TCancelToken& Token) {
  int32_t evaluations = 0;
  int32_t rejected = 0;
  return GeneratePackVariants(Product, Settings, Token, evaluations, rejected);
}

}  // namespace quelmora
