#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "l10n/TranslationKeys.h"
#include "model/AppStrings.h"

namespace quelmora {

// The Russian texts of the drawings and the report pages; each is also the
// source of its translation keys (ReportTranslationKeys).

inline constexpr const char* RFontName = "Segoe UI";

// Drawings.
inline constexpr const char* RPackCaption = "%.1f × %.1f × %.1f ";  // followed by Tr("мм")
inline constexpr const char* RMillimetres = "мм";
inline constexpr const char* RLayoutCaption =
    "ящик %.1f × %.1f мм; %d × %d в слое; слоев: %d; всего: %d";

// Frame of every page.
inline constexpr const char* RFooter = "quelmora — оптимизация упаковки сыпучих продуктов";
inline constexpr const char* RPage = "Страница";
inline constexpr const char* RPageNumber = " %d";

// Summary page.
inline constexpr const char* RSummaryTitle = "ОТЧЁТ ПО ОПТИМИЗАЦИИ УПАКОВКИ";
inline constexpr const char* RSummarySubtitle = "Сводка расчёта от";
// The plural word of the product count, shown in capitals over the count.
inline constexpr const char* RProductsFigure = "изделий";
inline constexpr const char* RBoxSizesFigure = "ТИПОРАЗМЕРОВ ЯЩИКА";
inline constexpr const char* RAverageFigure = "СРЕДНЕЕ, УПАКОВКА / М³";
inline constexpr const char* RParameters = "Параметры расчёта";
inline constexpr const char* RCriterionLine = "Критерий: %s";
inline constexpr const char* RDeviationLine = "Отклонение размеров: %.1f … %.1f %%";
inline constexpr const char* RGapsLine = "Зазоры L/B: %.1f / %.1f мм";
inline constexpr const char* RPalletLine = "Паллета: %.0f × %.0f мм; высота: %.0f мм";
inline constexpr const char* RUnifiedBoxes = SUnifiedBoxes;
inline constexpr const char* RGroupColumn = "Группа";
inline constexpr const char* ROuterSizeColumn = "Наружные размеры, мм";
inline constexpr const char* RProductCountColumn = "Изделий";
inline constexpr const char* RAverageCostColumn = "Средняя стоимость / м³";
inline constexpr const char* RDistribution = "Распределение изделий";
inline constexpr const char* RProductColumn = "Изделие";
inline constexpr const char* RPackColumn = "Пачка, мм";
inline constexpr const char* RBoxColumn = "Ящик, мм";
inline constexpr const char* RCostColumn = "Упаковка / м³";
inline constexpr const char* RInteger = "%d";
inline constexpr const char* RSize = "%.1f × %.1f × %.1f";
inline constexpr const char* RMoney = "%.2f %s";
// Below the last distribution row that fits on the summary page.
inline constexpr const char* RMoreProductsLine = "Ещё изделий: %d";
// Below the last unified box row that leaves the distribution its room.
inline constexpr const char* RMoreGroupsLine = "Ещё групп: %d";

// Product pages.
inline constexpr const char* RProductTitle = "ИЗДЕЛИЕ: %s";
inline constexpr const char* RUnificationGroup = "Группа унификации";
inline constexpr const char* RGroupNumber = " %d · ";
inline constexpr const char* RBox = "Ящик";
inline constexpr const char* RBoxSize = " %.1f × %.1f × %.1f мм";
inline constexpr const char* RPackModel = "3D-макет пачки";
inline constexpr const char* RLayoutHeading = "Раскладка пачек в ящике";
inline constexpr const char* RPackSize = "%.1f × %.1f × %.1f мм";
inline constexpr const char* RLayoutLine = "%d × %d в слое; слоёв: %d; всего: %d";

inline constexpr const char* ROptimalVariant = SOptimalVariant;
inline constexpr const char* RPackLine = "Пачка: %.1f × %.1f × %.1f мм";
inline constexpr const char* RPlacementLine = "Укладка: %d × %d × %d, %s";
inline constexpr const char* RPacksPerBoxLine = "Пачек в ящике: %d";
inline constexpr const char* RProductMassLine = "Масса продукта в пачке: %.1f г";
inline constexpr const char* RPackBlankLine = "Развертка пачки: %.4f м²";
inline constexpr const char* RPackVolumeLine = "Объем пачки: %.4f дм³";
inline constexpr const char* RPackCostLine = "Стоимость пачки: %.2f %s";
inline constexpr const char* RVolumeChangeLine = "Изменение объема: %.1f %%";
inline constexpr const char* RBoxLine = "Ящик: %.1f × %.1f × %.1f мм";
inline constexpr const char* RGrossMassLine = "Масса брутто: %.3f кг";
inline constexpr const char* RBoxBlankLine = "Развертка ящика: %.4f м²";
inline constexpr const char* RBoxCostLine = "Стоимость ящика: %.2f %s";
inline constexpr const char* RPalletLoadLine = "На паллете: %d (%d × %d)";
inline constexpr const char* RPalletFillLine = "Заполнение паллеты: %.1f %%";
inline constexpr const char* RCostPerUnitLine = "Упаковка / единицу: %.2f %s";
inline constexpr const char* RCostPerM3Line = "Упаковка / м³: %.2f %s";

// The pallet of each packaging, under its details.
inline constexpr const char* RPalletHeading = "Загрузка паллеты";
inline constexpr const char* RPalletBoxesLine = "Ящиков на паллете (в слое × слоёв): %d × %d = %d";
inline constexpr const char* RPalletPacksLine = "Пачек на паллете: %d";
inline constexpr const char* RPalletHeightLine = "Высота груза с паллетой: %.0f мм";
inline constexpr const char* RPalletWeightLine = "Масса брутто с паллетой: %.1f кг";
inline constexpr const char* RPalletAreaLine = "Площадь паллеты под слоем: %.1f %%";
inline constexpr const char* RPalletVolumeLine = "Объем паллеты под грузом: %.1f %%";
inline constexpr const char* RPalletProvenLine = "Слой лучший из возможных (доказано)";
inline constexpr const char* RPalletMoreLine = "Возможно больше ящиков в слое, не более чем на: %d";

// The bottom box's strength, with the pallet figures while the check is on.
inline constexpr const char* RStrengthHeading = "Прочность нижнего ящика";
inline constexpr const char* RStrengthMcKeeLine = "Прочность BCT, Н: %.0f";
inline constexpr const char* RStrengthReducedLine = "После хранения, Н: %.0f";
inline constexpr const char* RStrengthLoadLine = "Нагрузка, Н: %.0f";
inline constexpr const char* RStrengthFactorLine = "Запас / нужен: %.2f / %.2f";
inline constexpr const char* RStrengthLayersLine = "Слоёв без риска: %s";
inline constexpr const char* RStrengthUnsafeLine = "Не выдержит и слоя сверху";

inline constexpr const char* ROriginalVariant = SOriginalVariant;
inline constexpr const char* ROriginalPalletLine = "На паллете: %d ящиков";
inline constexpr const char* RSavingLine = "%s: %.1f %%";
inline constexpr const char* RSaving = SSaving;
inline constexpr const char* RCostIncrease = SCostIncrease;

inline constexpr const char* RReferenceHeading = "СРАВНЕНИЕ С ЛУМАР";
inline constexpr const char* RReferencePackLine = "Пачка ЛУМАР: %.1f × %.1f × %.1f мм";
inline constexpr const char* RReferenceBoxLine = "Ящик ЛУМАР (внутр.): %.1f × %.1f × %.1f мм";
inline constexpr const char* RReferencePacksLine = "Пачек в ящике ЛУМАР: %d";
inline constexpr const char* RReferenceCostLine = "ЛУМАР, упаковка / м³: %.2f %s";
inline constexpr const char* ROwnCostLine = "quelmora, упаковка / м³: %.2f %s";

inline constexpr const char* RNoResults = "Нет результатов для отчёта.";

// Orientation of the packs, by TPackOrientation; shown as they stand.
inline constexpr std::array<const char*, 6> ROrientationNames = {"L-B-H", "L-H-B", "B-L-H",
                                                                 "B-H-L", "H-L-B", "H-B-L"};

// Texts translated whole with Tr (before any formatting).
inline constexpr std::array<const char*, 11> ReportTrTexts = {
    RMillimetres,         RLayoutCaption,          RPage,
    RSummarySubtitle,     RUnificationGroup,       RBox,
    RNoResults,           SCriterionCostPerVolume, SCriterionBoxCount,
    SCriterionPalletFill, SCriterionCombined,
};

// Templates translated line by line (FormatTr) before their values go in.
inline constexpr std::array<const char*, 81> ReportLineTexts = {
    RFooter,
    RSummaryTitle,
    RProductsFigure,
    RBoxSizesFigure,
    RAverageFigure,
    RParameters,
    RCriterionLine,
    RDeviationLine,
    RGapsLine,
    RPalletLine,
    RUnifiedBoxes,
    RGroupColumn,
    ROuterSizeColumn,
    RProductCountColumn,
    RAverageCostColumn,
    RDistribution,
    RProductColumn,
    RPackColumn,
    RBoxColumn,
    RCostColumn,
    RInteger,
    RSize,
    RMoney,
    RProductTitle,
    RPackModel,
    RLayoutHeading,
    RPackSize,
    RLayoutLine,
    ROptimalVariant,
    RPackLine,
    RPlacementLine,
    RPacksPerBoxLine,
    RProductMassLine,
    RPackBlankLine,
    RPackVolumeLine,
    RPackCostLine,
    RVolumeChangeLine,
    RBoxLine,
    RGrossMassLine,
    RBoxBlankLine,
    RBoxCostLine,
    RPalletLoadLine,
    RPalletFillLine,
    RCostPerUnitLine,
    RCostPerM3Line,
    ROriginalVariant,
    ROriginalPalletLine,
    RSavingLine,
    RSaving,
    RCostIncrease,
    RReferenceHeading,
    RReferencePackLine,
    RReferenceBoxLine,
    RReferencePacksLine,
    RReferenceCostLine,
    ROwnCostLine,
    RPageNumber,
    RGroupNumber,
    RBoxSize,
    RPackCaption,
    RSummarySubtitle,
    RUnificationGroup,
    RBox,
    RMoreProductsLine,
    RMoreGroupsLine,
    RPalletHeading,
    RPalletBoxesLine,
    RPalletPacksLine,
    RPalletHeightLine,
    RPalletWeightLine,
    RPalletAreaLine,
    RPalletVolumeLine,
    RPalletProvenLine,
    RPalletMoreLine,
    RStrengthHeading,
    RStrengthMcKeeLine,
    RStrengthReducedLine,
    RStrengthLoadLine,
    RStrengthFactorLine,
    RStrengthLayersLine,
    RStrengthUnsafeLine,
};

// Every key the drawings and the report look up, sorted, without repeats.
inline std::vector<std::string> ReportTranslationKeys() {
  std::vector<std::string> keys;
  for (const char* text : ReportTrTexts)
    keys.emplace_back(text);
  for (const char* text : ReportLineTexts)
    for (std::string& key : LineKeys(text))
      keys.push_back(std::move(key));
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

}  // namespace quelmora
