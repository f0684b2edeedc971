#include "calc/PackVariantGenerator.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>

#include "calc/PackGeometry.h"
#include "calc/Tolerances.h"
#include "model/FloatChecks.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

// Equal exactly when the three dimensions agree to 15 significant digits.
std::string PackKey(double L, double B, double H) {
  return NumberKey(L, B, H, std::chars_format::general, 15);
}

// Value limited to [Low, High]; unlike std::clamp defined for any bounds.
double Limit(double Value, double Low, double High) {
  if (Value < Low) return Low;
  if (Value > High) return High;
  return Value;
}

class TVariantGeneration {
 public:
  TVariantGeneration(const TProduct& Product, const TOptimizationSettings& Settings,
                     const TCancelToken& Token)
      : FProduct(Product), FSettings(Settings), FToken(Token) {
    FStepMM = Settings.PackDimensionStepMM;
    const double lo = 1 + Settings.DimensionDeviationMinPercent / 100;
    const double hi = 1 + Settings.DimensionDeviationMaxPercent / 100;
    FMinLengthMM = Product.OriginalLengthMM * lo;
    FMaxLengthMM = Product.OriginalLengthMM * hi;
    FMinWidthMM = Product.OriginalWidthMM * lo;
    FMaxWidthMM = Product.OriginalWidthMM * hi;
    FMinHeightMM = Product.OriginalHeightMM * lo;
    FMaxHeightMM = Product.OriginalHeightMM * hi;
    FMaxEvaluations = Settings.MaxGeometryEvaluations;
    FMaxKept = static_cast<size_t>(std::max(Settings.MaxPackVariantsPerProduct, 0));
  }

  std::vector<TPackVariant> Run() {
    double nL = FDiv(FMaxLengthMM - FMinLengthMM, FStepMM) + 1;
    double nB = FDiv(FMaxWidthMM - FMinWidthMM, FStepMM) + 1;
    if (nL < 1) nL = 1;
    if (nB < 1) nB = 1;
    double k = std::ceil(std::sqrt(FDiv(nL * nB * 24, FMaxEvaluations)));
    if (k < 1) k = 1;
    const double coarse = FStepMM * k;

    // The sample pack and its footprint.
    TryPack(FProduct.OriginalLengthMM, FProduct.OriginalWidthMM, FProduct.OriginalHeightMM);
    TryFootprint(Limit(FProduct.OriginalLengthMM, FMinLengthMM, FMaxLengthMM),
                 Limit(FProduct.OriginalWidthMM, FMinWidthMM, FMaxWidthMM));

    // The coarse grid; the last row and column are clamped onto the band edges.
    const double nI = std::ceil(FDiv(FMaxLengthMM - FMinLengthMM, coarse));
    const double nJ = std::ceil(FDiv(FMaxWidthMM - FMinWidthMM, coarse));
    for (double i = 0; i <= nI; ++i) {
      FToken.Check();
      const double L = std::min(FMinLengthMM + i * coarse, FMaxLengthMM);
      for (double j = 0; j <= nJ; ++j) {
        const double B = std::min(FMinWidthMM + j * coarse, FMaxWidthMM);
        TryFootprint(L, B);
        if (BudgetSpent()) break;
      }
      if (BudgetSpent()) break;
    }

    // Refinement around the best coarse results, in whole fine steps.
    const std::vector<TPackVariant> seeds = FKept;
    const int r = static_cast<int>(std::min(8.0, std::ceil(FDiv(coarse, FStepMM))));
    const size_t seedCount = std::min<size_t>(16, seeds.size());
    for (size_t s = 0; s < seedCount; ++s) {
      FToken.Check();
      const TPackVariant& seed = seeds[s];
      for (int di = -r; di <= r; ++di)
        for (int dj = -r; dj <= r; ++dj)
          if (!BudgetSpent())
            TryFootprint(seed.LengthMM + di * FStepMM, seed.WidthMM + dj * FStepMM);
      if (BudgetSpent()) break;
    }
    return std::move(FKept);
  }

  int32_t Evaluations() const { return FEvaluations; }
  int32_t Rejected() const { return FRejected; }

 private:
  bool BudgetSpent() const { return FEvaluations >= FMaxEvaluations; }

  void TryPack(double L, double B, double H) {
    if (BudgetSpent()) return;
    ++FEvaluations;
    if (FEvaluations % 128 == 0) FToken.Check();
    if (L <= 0 || B <= 0 || H <= 0) {
      ++FRejected;
      return;
    }
    TPackVariant v = MakePackVariant(FProduct, L, B, H, FSettings);
    if (!PackWithinLimits(v, FProduct, FSettings)) {
      ++FRejected;
      return;
    }
    // A duplicate is an evaluation, not a rejection; its key stays seen even
    // when the list below refuses it.
    if (!FSeen.insert(PackKey(L, B, H)).second) return;
    if (!InsertKeptVariant(FKept, v, FMaxKept)) ++FRejected;
  }

  // The step heights on either side of H, limited to [Low, High].
  void TryHeight(double L, double B, double H, double Low, double High) {
    const double hc = Limit(H, Low, High);
    const double stepsUp = std::ceil(FDiv(hc - FMinHeightMM, FStepMM) - kStepCountTolerance);
    TryPack(L, B, FMinHeightMM + stepsUp * FStepMM);
    const double stepsDown = std::floor(FDiv(hc - FMinHeightMM, FStepMM) + kStepCountTolerance);
    TryPack(L, B, FMinHeightMM + stepsDown * FStepMM);
  }

  void TryFootprint(double L, double B) {
    if (L < FMinLengthMM - kLengthToleranceMM || L > FMaxLengthMM + kLengthToleranceMM ||
        B < FMinWidthMM - kLengthToleranceMM || B > FMaxWidthMM + kLengthToleranceMM)
      return;
    const double area = L * B;
    double hLow = std::max(FMinHeightMM, FDiv(FProduct.MinVolumeM3 * 1000000000, area));
    double hHigh = std::min(FMaxHeightMM, FDiv(FProduct.MaxVolumeM3 * 1000000000, area));
    if (hLow > hHigh + kLengthToleranceMM) return;
    if (hLow > hHigh) hHigh = hLow;
    TryHeight(L, B, hLow, hLow, hHigh);
    TryHeight(L, B, hHigh, hLow, hHigh);
    TryHeight(L, B, (hLow + hHigh) / 2, hLow, hHigh);
    TryHeight(L, B, FProduct.OriginalHeightMM, hLow, hHigh);
    TryHeight(L, B, B * FProduct.RatioHB, hLow, hHigh);
    TryPack(L, B, hLow);
    TryPack(L, B, hHigh);
  }

  const TProduct& FProduct;
  const TOptimizationSettings& FSettings;
  const TCancelToken& FToken;
  double FStepMM = 0;
  double FMinLengthMM = 0, FMaxLengthMM = 0, FMinWidthMM = 0, FMaxWidthMM = 0, FMinHeightMM = 0,
         FMaxHeightMM = 0;
  int32_t FMaxEvaluations = 0;
  size_t FMaxKept = 0;
  std::vector<TPackVariant> FKept;
  std::unordered_set<std::string> FSeen;
  int32_t FEvaluations = 0;
  int32_t FRejected = 0;
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
  TVariantGeneration generation(Product, Settings, Token);
  std::vector<TPackVariant> result = generation.Run();
  Evaluations = generation.Evaluations();
  Rejected = generation.Rejected();
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
