#include "ui/ResultFigureTexts.h"

#include "l10n/Localization.h"
#include "l10n/TextTemplate.h"
#include "model/AppStrings.h"
#include "report/ReportTexts.h"

namespace quelmora {

namespace {

const TProduct* FindProduct(const TProjectData& project, int32_t id) {
  for (const TProduct& product : project.Products)
    if (product.Id == id) return &product;
  return nullptr;
}

std::string LimitText(const TNumberFormat& numbers, const TBindingLimit& limit) {
  switch (limit.Kind) {
    case TLimitKind::PacksPerBox:
      return FormatTr(numbers, SLimitPacksPerBox, {static_cast<long long>(limit.Value)});
    case TLimitKind::PacksPerAxis:
      return FormatTr(numbers, SLimitPacksPerAxis, {static_cast<long long>(limit.Value)});
    case TLimitKind::BoxWeight:
      return FormatTr(numbers, SLimitBoxWeight, {limit.Value});
    case TLimitKind::BoxHeight:
      return FormatTr(numbers, SLimitBoxHeight, {limit.Value});
  }
  return {};
}

}  // namespace

std::string LimitsText(const TNumberFormat& Numbers, const std::vector<TBindingLimit>& Limits) {
  if (Limits.empty()) return {};
  std::string joined;
  for (const TBindingLimit& limit : Limits) {
    if (!joined.empty()) joined += ", ";
    joined += LimitText(Numbers, limit);
  }
  return FormatLocal(Numbers, Tr(SLimitedBy), joined);
}

std::string BeforeAfterText(const TNumberFormat& Numbers, const TProjectData& Project,
                            const TOptimizationSolution& Solution) {
  TOptimizationResult one;
  one.Solutions.push_back(Solution);
  const TResultRow row = ResultRowOf(Project, one, 0);
  const std::string& currency = Project.Settings.CurrencySymbol;
  std::string text = Tr(SBeforeAfterHeading);
  text += "\r\n" + FormatLocal(Numbers, Tr(SCostPerUnitChange), row.CostPerUnitBefore,
                               row.CostPerUnitAfter, currency);
  text += "\r\n" + FormatLocal(Numbers, Tr(SPacksPerPalletChange),
                               static_cast<long long>(row.PacksPerPalletBefore),
                               static_cast<long long>(row.PacksPerPalletAfter));
  text += "\r\n" + FormatLocal(Numbers, Tr(SCostPerM3Change), row.CostPerM3Before,
                               row.CostPerM3After, currency);
  if (const TProduct* product = FindProduct(Project, Solution.ProductId)) {
    const std::string limits =
        LimitsText(Numbers, BindingLimits(Project.Settings, *product, Solution));
    if (!limits.empty()) text += "\r\n" + limits;
  }
  return text;
}

std::string ResultColumnCaption(TResultColumn Column) {
  static constexpr const char* Captions[ResultColumnCount] = {RProductColumn,
                                                              RGroupColumn,
                                                              RPackColumn,
                                                              RBoxColumn,
                                                              SPacksPerBoxColumn,
                                                              SBoxesPerPalletColumn,
                                                              SCostPerUnitBeforeColumn,
                                                              SCostPerUnitAfterColumn,
                                                              SCostPerM3BeforeColumn,
                                                              SCostPerM3AfterColumn,
                                                              SSavingColumn};
  if (Column < 0 || Column >= ResultColumnCount) return {};
  return Tr(Captions[Column]);
}

std::string ResultCellText(const TNumberFormat& Numbers, const TResultRow& Row,
                           TResultColumn Column) {
  switch (Column) {
    case rcProduct:
      return Row.ProductName;
    case rcGroup:
      return FormatLocal(Numbers, "%d", Row.GroupId);
    case rcPack:
      return FormatLocal(Numbers, RSize, Row.PackLengthMM, Row.PackWidthMM, Row.PackHeightMM);
    case rcBox:
      return FormatLocal(Numbers, RSize, Row.BoxLengthMM, Row.BoxWidthMM, Row.BoxHeightMM);
    case rcPacksPerBox:
      return FormatLocal(Numbers, "%d", Row.PacksPerBox);
    case rcBoxesPerPallet:
      return FormatLocal(Numbers, "%d", Row.BoxesPerPallet);
    case rcCostPerUnitBefore:
      return FormatLocal(Numbers, "%.2f", Row.CostPerUnitBefore);
    case rcCostPerUnitAfter:
      return FormatLocal(Numbers, "%.2f", Row.CostPerUnitAfter);
    case rcCostPerM3Before:
      return FormatLocal(Numbers, "%.2f", Row.CostPerM3Before);
    case rcCostPerM3After:
      return FormatLocal(Numbers, "%.2f", Row.CostPerM3After);
    case rcSaving:
      return FormatLocal(Numbers, "%.1f", Row.SavingPercent);
    default:
      return {};
  }
}

}  // namespace quelmora
