#include "ui/WindowTexts.h"

#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/TextFormat.h"

namespace quelmora {

std::string DeleteQuestion(std::string_view Name) {
  return FormatArgs(Tr(SConfirmDeleteProduct), {TFormatArg(std::string(Name))});
}

std::string ProductsAddedText(int Count) {
  return FormatArgs(Tr(SProductsAdded), {TFormatArg(Count)});
}

std::string RunProgressText(const std::string& Stage, const TProductCount& Count) {
  const std::string calculation = std::string(SStageCalculation) + ": ";
  // A product stage carries the product's name, which stays as it is; only
  // the product stages have a count: unification and the end come after all.
  if (!Stage.starts_with(calculation)) return Tr(Stage);
  std::string text = Tr(SStageCalculation) + ": " + Stage.substr(calculation.size());
  if (Count.Total > 0)
    text += " — " +
            FormatArgs(Tr(SProductOfCount), {TFormatArg(Count.Started), TFormatArg(Count.Total)});
  return text;
}

}  // namespace quelmora
