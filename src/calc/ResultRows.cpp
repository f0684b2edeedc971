#include "calc/ResultRows.h"

#include <tuple>

namespace quelmora {

namespace {

template <typename T>
int Compare(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

std::string NameOf(const TProjectData& project, int32_t id) {
  for (const TProduct& product : project.Products)
    if (product.Id == id) return product.Name;
  return std::to_string(id);
}

}  // namespace

int64_t PacksPerPallet(const TBoxVariant& Box) {
  if (Box.PackCount <= 0 || Box.PalletCount <= 0) return 0;
  return static_cast<int64_t>(Box.PackCount) * Box.PalletCount;
}

TResultRow ResultRowOf(const TProjectData& Project, const TOptimizationResult& Result,
                       int SolutionIndex) {
  const TOptimizationSolution& s = Result.Solutions[static_cast<size_t>(SolutionIndex)];
  TResultRow row;
  row.SolutionIndex = SolutionIndex;
  row.ProductId = s.ProductId;
  row.ProductName = NameOf(Project, s.ProductId);
  row.GroupId = s.UnifiedGroupId;
  row.PackLengthMM = s.Pack.LengthMM;
  row.PackWidthMM = s.Pack.WidthMM;
  row.PackHeightMM = s.Pack.HeightMM;
  row.BoxLengthMM = s.Box.LengthMM;
  row.BoxWidthMM = s.Box.WidthMM;
  row.BoxHeightMM = s.Box.HeightMM;
  row.PacksPerBox = s.Box.PackCount;
  row.BoxesPerPallet = s.Box.PalletCount;
  row.PacksPerPalletBefore = PacksPerPallet(s.OriginalBox);
  row.PacksPerPalletAfter = PacksPerPallet(s.Box);
  row.CostPerUnitBefore = s.OriginalBox.PackagingCostPerUnit;
  row.CostPerUnitAfter = s.Box.PackagingCostPerUnit;
  row.CostPerM3Before = s.OriginalBox.PackagingCostPerM3;
  row.CostPerM3After = s.Box.PackagingCostPerM3;
  row.SavingPercent = s.SavingPercent;
  return row;
}

std::vector<TResultRow> ResultRowsOf(const TProjectData& Project,
                                     const TOptimizationResult& Result) {
  std::vector<TResultRow> rows;
  rows.reserve(Result.Solutions.size());
  for (size_t i = 0; i < Result.Solutions.size(); ++i)
    rows.push_back(ResultRowOf(Project, Result, static_cast<int>(i)));
  return rows;
}

int CompareResultFigures(const TResultRow& A, const TResultRow& B, TResultColumn Column) {
  switch (Column) {
    case rcGroup:
      return Compare(A.GroupId, B.GroupId);
    case rcPack:
      return Compare(std::tie(A.PackLengthMM, A.PackWidthMM, A.PackHeightMM),
                     std::tie(B.PackLengthMM, B.PackWidthMM, B.PackHeightMM));
    case rcBox:
      return Compare(std::tie(A.BoxLengthMM, A.BoxWidthMM, A.BoxHeightMM),
                     std::tie(B.BoxLengthMM, B.BoxWidthMM, B.BoxHeightMM));
    case rcPacksPerBox:
      return Compare(A.PacksPerBox, B.PacksPerBox);
    case rcBoxesPerPallet:
      return Compare(A.BoxesPerPallet, B.BoxesPerPallet);
    case rcCostPerUnitBefore:
      return Compare(A.CostPerUnitBefore, B.CostPerUnitBefore);
    case rcCostPerUnitAfter:
      return Compare(A.CostPerUnitAfter, B.CostPerUnitAfter);
    case rcCostPerM3Before:
      return Compare(A.CostPerM3Before, B.CostPerM3Before);
    case rcCostPerM3After:
      return Compare(A.CostPerM3After, B.CostPerM3After);
    case rcSaving:
      return Compare(A.SavingPercent, B.SavingPercent);
    default:
      return 0;
  }
}

}  // namespace quelmora
