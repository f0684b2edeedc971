#include "ui/ResultViews.h"
#include "ui/UiText.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "io/LumarData.h"
#include "l10n/Localization.h"
#include "l10n/TextTemplate.h"
#include "model/AppStrings.h"
#include "report/PalletPreview.h"
#include "report/ReportTexts.h"

namespace quelmora {

namespace {

constexpr const char* OrientationNames[] = {"L-B-H", "L-H-B", "B-L-H", "B-H-L", "H-L-B", "H-B-L"};

bool ReadDecimalInt64(std::string_view text, int64_t& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  return ec == std::errc() && ptr == text.data() + text.size();
}

std::u16string UpperLatinUtf16(std::string_view text) {
  std::u16string units = Utf8(text).toStdU16String();
  for (char16_t& unit : units)
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  return units;
}

// Box sizes that differ by less than this share (relative, and the same in
// mm absolute near zero) sort as equal: the list shows them to 0.1 mm, so
// only rounding noise of one calculation can be that close.
constexpr double kSameLengthTolerance = 1e-12;

bool LengthLess(double a, double b) {
  const double tolerance =
      std::max(kSameLengthTolerance, kSameLengthTolerance * std::min(std::fabs(a), std::fabs(b)));
  return std::fabs(a - b) > tolerance && a < b;
}

const char* OrientationName(TPackOrientation orientation) {
  const int index = static_cast<int>(orientation);
  return index >= 0 && index < PackOrientationCount ? OrientationNames[index] : "?";
}

double ProductWeight(const TProjectData& project, int32_t id) {
  for (const TProduct& product : project.Products)
    if (product.Id == id) return product.ProductWeightG;
  return 0;
}

std::string_view TrimBlankLines(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  return text;
}

}  // namespace

int NaturalCompare(std::string_view A, std::string_view B) {
  int64_t a = 0, b = 0;
  const bool aNumber = ReadDecimalInt64(A, a);
  const bool bNumber = ReadDecimalInt64(B, b);
  if (aNumber && bNumber) return a < b ? -1 : (a > b ? 1 : 0);
  // Numbers before texts: comparing a number with a text as text would make
  // cycles ("9" < "10" < "1a" < "9"), and sorting would depend on the input order.
  if (aNumber != bNumber) return aNumber ? -1 : 1;
  const int order = UpperLatinUtf16(A).compare(UpperLatinUtf16(B));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int64_t SolutionBoxKey(const TOptimizationResult& Result, size_t Index) {
  const int32_t group = Result.Solutions[Index].UnifiedGroupId;
  return group > 0 ? group : static_cast<int64_t>(Index) + 100000;
}

std::vector<int> UnifiedBoxRepresentatives(const TOptimizationResult& Result) {
  std::vector<int> representatives;
  std::vector<int64_t> keys;
  for (size_t i = 0; i < Result.Solutions.size(); ++i) {
    const int64_t key = SolutionBoxKey(Result, i);
    if (std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
    keys.push_back(key);
    representatives.push_back(static_cast<int>(i));
  }
  // Insertion sort: the length tolerance is no strict weak order for std::sort.
  const auto less = [&](int x, int y) {
    const TOptimizationSolution& a = Result.Solutions[x];
    const TOptimizationSolution& b = Result.Solutions[y];
    if (a.UnifiedGroupId != b.UnifiedGroupId) return a.UnifiedGroupId < b.UnifiedGroupId;
    return LengthLess(a.Box.LengthMM, b.Box.LengthMM);
  };
  for (size_t i = 1; i < representatives.size(); ++i)
    for (size_t j = i; j > 0 && less(representatives[j], representatives[j - 1]); --j)
      std::swap(representatives[j], representatives[j - 1]);
  return representatives;
}

std::vector<int> SolutionsOfGroup(const TProjectData& Project, const TOptimizationResult& Result,
                                  int32_t Group) {
  std::vector<int> indices;
  std::vector<std::string> names(Result.Solutions.size());
  for (size_t i = 0; i < Result.Solutions.size(); ++i) {
    if (Result.Solutions[i].UnifiedGroupId != Group) continue;
    indices.push_back(static_cast<int>(i));
    names[i] = SolutionProductName(Project, Result.Solutions[i].ProductId);
  }
  std::stable_sort(indices.begin(), indices.end(), [&](int x, int y) {
    const int order = NaturalCompare(names[x], names[y]);
    if (order != 0) return order < 0;
    return Result.Solutions[x].ProductId < Result.Solutions[y].ProductId;
  });
  return indices;
}

std::string SolutionProductName(const TProjectData& Project, int32_t ProductId) {
  for (const TProduct& product : Project.Products)
    if (product.Id == ProductId) return product.Name;
  return std::to_string(ProductId);
}

std::string UnifiedBoxLine(const TNumberFormat& Numbers, const TOptimizationResult& Result,
                           int Representative) {
  const TOptimizationSolution& s = Result.Solutions[Representative];
  const auto members = std::count_if(
      Result.Solutions.begin(), Result.Solutions.end(),
      [&](const TOptimizationSolution& other) { return other.UnifiedGroupId == s.UnifiedGroupId; });
  return FormatTr(Numbers, SUnifiedBoxItem,
                  {s.UnifiedGroupId, s.Box.LengthMM, s.Box.WidthMM, s.Box.HeightMM,
                   static_cast<long long>(members)});
}

std::string ProductLine(const TNumberFormat& Numbers, const TProjectData& Project,
                        const TOptimizationSolution& Solution) {
  return FormatLocal(Numbers, "%s: %.1f × %.1f × %.1f ",
                     SolutionProductName(Project, Solution.ProductId), Solution.Pack.LengthMM,
                     Solution.Pack.WidthMM, Solution.Pack.HeightMM) +
         Tr("мм");
}

std::string CompletionStatus(const TNumberFormat& Numbers, size_t ProductCount, int BoxCount) {
  return FormatTr(Numbers, SCalculationSummary,
                  {Tr(SCalculationFinished), static_cast<long long>(ProductCount), BoxCount});
}

std::string OptimalDetailsText(const TNumberFormat& Numbers, const TProjectData& Project,
                               const TOptimizationSolution& Solution) {
  const TBoxVariant& b = Solution.Box;
  const TPackVariant& p = Solution.Pack;
  const TPackPlacement& placement = b.PackPlacement;
  const std::string& currency = Project.Settings.CurrencySymbol;
  std::string text = FormatTr(Numbers, SOptimalDetails,
                              {p.LengthMM,
                               p.WidthMM,
                               p.HeightMM,
                               placement.CountX,
                               placement.CountY,
                               placement.CountZ,
                               OrientationName(placement.Orientation),
                               b.PackCount,
                               ProductWeight(Project, Solution.ProductId),
                               p.SurfaceAreaM2,
                               p.VolumeDM3,
                               p.Cost,
                               currency,
                               p.VolumeDeviationPercent,
                               b.LengthMM,
                               b.WidthMM,
                               b.HeightMM,
                               b.GrossWeightKG,
                               b.BlankAreaM2,
                               b.BoxVolumeM3,
                               b.BoxCost,
                               currency,
                               b.PalletCount,
                               b.Pallet.BoxesPerLayer,
                               b.Pallet.LayerCount,
                               b.PalletUtilization * 100,
                               b.PackagingCostPerUnit,
                               currency,
                               b.PackagingCostPerM3,
                               currency,
                               b.AveragePackagingCostPerM3,
                               currency,
                               Solution.UnifiedGroupId,
                               Solution.UnifiedProductCount});

  TLumarReference r;
  if (FindLumarReference(Solution.ProductId, SolutionProductName(Project, Solution.ProductId), r)) {
    const double difference =
        r.CostPerM3 != 0 ? (b.PackagingCostPerM3 / r.CostPerM3 - 1) * 100 : 0.0;
    const std::string block =
        FormatTr(Numbers, SLumarComparison,
                 {r.PackLengthMM, r.PackWidthMM, r.PackHeightMM, r.BoxInnerLengthMM,
                  r.BoxInnerWidthMM, r.BoxInnerHeightMM, r.PacksPerBox, r.CostPerM3, currency,
                  r.SavingPercent, b.PackagingCostPerM3, currency, difference});
    text += "\r\n\r\n" + std::string(TrimBlankLines(block));
  }
  return text;
}

std::string OriginalDetailsText(const TNumberFormat& Numbers, const TProjectData& Project,
                                const TOptimizationSolution& Solution) {
  const TBoxVariant& ob = Solution.OriginalBox;
  const TPackVariant& op = Solution.OriginalPack;
  const std::string& currency = Project.Settings.CurrencySymbol;
  const std::string saving = Solution.SavingPercent >= 0 ? Tr(SSaving) : Tr(SCostIncrease);
  return FormatTr(Numbers, SOriginalDetails,
                  {op.LengthMM,
                   op.WidthMM,
                   op.HeightMM,
                   ob.PackCount,
                   ob.LengthMM,
                   ob.WidthMM,
                   ob.HeightMM,
                   ob.PalletCount,
                   ob.GrossWeightKG,
                   ob.BlankAreaM2,
                   ob.BoxVolumeM3,
                   ob.BoxCost,
                   currency,
                   ob.PackagingCostPerUnit,
                   currency,
                   ob.PackagingCostPerM3,
                   currency,
                   ob.AveragePackagingCostPerM3,
                   currency,
                   saving,
                   std::fabs(Solution.SavingPercent)});
}

std::string PalletDetailsText(const TNumberFormat& Numbers, const TBoxVariant& Box,
                              const TPalletLayer& Layer, const TPalletSetup& Pallet) {
  // The figure lines come translated, with their values in place.
  std::string text = TrMultiline(RPalletHeading);
  for (const std::string& line : PalletFigureLines(Numbers, PalletFiguresOf(Box, Layer, Pallet)))
    text += "\r\n" + line;
  return text;
}

std::vector<TStrengthLine> StrengthDetailLines(const TNumberFormat& Numbers,
                                               const TOptimizationSettings& Settings,
                                               const TBoxVariant& Box) {
  std::vector<TStrengthLine> lines = PalletStrengthLines(Numbers, Settings, Box);
  if (lines.empty()) return lines;
  lines.insert(lines.begin(), {TrMultiline(RStrengthHeading), false});
  return lines;
}

}  // namespace quelmora
