#pragma once

#include <array>
#include <string_view>

#include "model/FieldDescriptor.h"
#include "model/OptimizationModel.h"

namespace quelmora {

using TSettingsField = TFieldDescriptor<TOptimizationSettings>;

namespace settings_fields {

inline constexpr double kTop = 1000000;
// Beyond any pallet there is: a pallet's own height and weight, the most a
// loaded pallet may weigh, how far boxes may reach past its edge.
inline constexpr double kMostPalletHeightMM = 2000;
inline constexpr double kMostPalletWeightKG = 5000;
inline constexpr double kMostLoadedPalletWeightKG = 100000;
inline constexpr double kMostOverhangMM = 1000;
// The box strength check: beyond any board, storage or stack there is.
inline constexpr double kMostEdgeCrushKNPerM = 100;
inline constexpr double kMostDaysUnderLoad = 36500;
inline constexpr int32_t kMostStackedPallets = 10;
inline constexpr double kMostSafetyFactor = 100;
inline constexpr TOrderedPair<TOptimizationSettings> kDeviationOrder = {
    &TOptimizationSettings::DimensionDeviationMinPercent,
    &TOptimizationSettings::DimensionDeviationMaxPercent};

}  // namespace settings_fields

// The numeric settings, in the order the project file, the dialogs and the
// validation messages see them (not the record's order: BoxGlueFlapMM came
// late). A new setting is one entry here plus the translations of its
// caption and help text.
inline constexpr auto SettingsFields = std::to_array<TSettingsField>({
    RealField("DimensionDeviationMinPercent", "Отклонение размеров: min, %",
              &TOptimizationSettings::DimensionDeviationMinPercent, AboveTo(-100, 100),
              "Наименьшее изменение каждого размера пачки относительно образца, в процентах; "
              "отрицательное — уменьшение")
        .WithOrder(settings_fields::kDeviationOrder)
        .AsQuick(),
    RealField("DimensionDeviationMaxPercent", "Отклонение размеров: max, %",
              &TOptimizationSettings::DimensionDeviationMaxPercent, AboveTo(-100, 100),
              "Наибольшее изменение каждого размера пачки относительно образца, в процентах")
        .WithOrder(settings_fields::kDeviationOrder)
        .AsQuick(),
    RealField("LengthGapMM", "Зазор по длине (суммарный), мм", &TOptimizationSettings::LengthGapMM,
              FromTo(0, settings_fields::kTop),
              "Прибавляется к длине ряда пачек, чтобы получить внутреннюю длину ящика")
        .AsQuick(),
    RealField("WidthGapMM", "Зазор по ширине (суммарный), мм", &TOptimizationSettings::WidthGapMM,
              FromTo(0, settings_fields::kTop),
              "Прибавляется к ширине ряда пачек, чтобы получить внутреннюю ширину ящика")
        .AsQuick(),
    RealField("FlapMM", "Клапан пачки, мм", &TOptimizationSettings::FlapMM,
              FromTo(0, settings_fields::kTop),
              "Ширина закрывающих и склеечных клапанов развертки пачки"),
    RealField("MaxPalletHeightMM", "Макс. высота груза без паллеты, мм",
              &TOptimizationSettings::MaxPalletHeightMM, AboveTo(0, settings_fields::kTop),
              "Наибольшая высота груза на паллете без самой паллеты; ограничивает и высоту ящика")
        .AsQuick(),
    RealField("CardboardPricePerM2", "Цена картона ящика / м²",
              &TOptimizationSettings::CardboardPricePerM2, AboveTo(0, settings_fields::kTop),
              "Цена квадратного метра картона для ящиков")
        .AsQuick(),
    RealField("PackMaterialPricePerM2", "Цена материала пачки / м²",
              &TOptimizationSettings::PackMaterialPricePerM2, AboveTo(0, settings_fields::kTop),
              "Цена квадратного метра материала пачки"),
    RealField("PalletLengthMM", "Длина паллеты, мм", &TOptimizationSettings::PalletLengthMM,
              AboveTo(0, settings_fields::kTop), "Длина паллеты, на которую укладываются ящики"),
    RealField("PalletWidthMM", "Ширина паллеты, мм", &TOptimizationSettings::PalletWidthMM,
              AboveTo(0, settings_fields::kTop), "Ширина паллеты, на которую укладываются ящики"),
    RealField("PackDimensionStepMM", "Шаг размеров пачки, мм",
              &TOptimizationSettings::PackDimensionStepMM, FromTo(0.01, settings_fields::kTop),
              "Шаг, с которым перебираются размеры пачки при поиске вариантов"),
    RealField("BoxUnificationToleranceMM", "Допуск унификации, мм",
              &TOptimizationSettings::BoxUnificationToleranceMM, FromTo(0, settings_fields::kTop),
              "Хранится в проекте; расчет его не использует"),
    RealField("BoardThicknessMM", "Толщина картона, мм", &TOptimizationSettings::BoardThicknessMM,
              FromTo(0, settings_fields::kTop),
              "Толщина стенки ящика; наружный размер равен внутреннему плюс две толщины"),
    RealField("CardboardGramsPerM2", "Плотность картона, г/м²",
              &TOptimizationSettings::CardboardGramsPerM2, FromTo(0, settings_fields::kTop),
              "Масса квадратного метра картона, для массы ящика"),
    RealField("PackMaterialGramsPerM2", "Плотность материала пачки, г/м²",
              &TOptimizationSettings::PackMaterialGramsPerM2, FromTo(0, settings_fields::kTop),
              "Масса квадратного метра материала пачки, для массы пачки"),
    RealField("MaxBoxHeightMM", "Макс. высота ящика, мм", &TOptimizationSettings::MaxBoxHeightMM,
              AboveTo(0, settings_fields::kTop), "Наибольшая наружная высота ящика"),
    RealField("WeightCost", "Вес: стоимость", &TOptimizationSettings::WeightCost,
              FromTo(0, settings_fields::kTop),
              "Вес относительной стоимости в комбинированном критерии"),
    RealField("WeightDimension", "Вес: изменение размеров", &TOptimizationSettings::WeightDimension,
              FromTo(0, settings_fields::kTop),
              "Вес изменения размеров пачки в комбинированном критерии и в оценке пачки"),
    RealField("WeightRatio", "Вес: отношения сторон", &TOptimizationSettings::WeightRatio,
              FromTo(0, settings_fields::kTop),
              "Вес отклонения от заданных отношений сторон в комбинированном критерии и в оценке "
              "пачки"),
    RealField("WeightFill", "Вес: заполнение ящика", &TOptimizationSettings::WeightFill,
              FromTo(0, settings_fields::kTop), "Вес заполнения ящика в комбинированном критерии"),
    RealField("WeightPallet", "Вес: паллета", &TOptimizationSettings::WeightPallet,
              FromTo(0, settings_fields::kTop),
              "Вес использования паллеты в комбинированном критерии"),
    RealField("WeightUnification", "Вес: унификация", &TOptimizationSettings::WeightUnification,
              FromTo(0, settings_fields::kTop), "Вес унификации ящиков в комбинированном критерии"),
    IntegerField("MaxPackVariantsPerProduct", "Макс. вариантов пачки",
                 &TOptimizationSettings::MaxPackVariantsPerProduct, FromTo(1, 2000),
                 "Сколько вариантов пачки сохраняется на одно изделие, не больше"),
    IntegerField("MaxResultsPerProduct", "Макс. решений на изделие",
                 &TOptimizationSettings::MaxResultsPerProduct, FromTo(1, 200),
                 "Ограничивает поиск: на изделие хранится втрое больше разных ящиков-кандидатов"),
    IntegerField("MaxPacksPerBox", "Макс. пачек в ящике", &TOptimizationSettings::MaxPacksPerBox,
                 FromTo(1, 1000), "Наибольшее число пачек в одном ящике"),
    IntegerField("MaxCountPerAxis", "Макс. пачек по одной оси",
                 &TOptimizationSettings::MaxCountPerAxis, FromTo(1, 50),
                 "Наибольшее число пачек вдоль одной оси ящика"),
    IntegerField("MaxGeometryEvaluations", "Лимит проверок геометрии",
                 &TOptimizationSettings::MaxGeometryEvaluations, FromTo(100, settings_fields::kTop),
                 "Сколько геометрий пачки проверяется на одно изделие, не больше"),
    RealField("BoxGlueFlapMM", "Клапан склейки ящика, мм", &TOptimizationSettings::BoxGlueFlapMM,
              FromTo(0, settings_fields::kTop), "Ширина склеечного клапана развертки ящика"),
    IntegerField("TargetUnifiedBoxCount", "Целевое число типоразмеров ящика",
                 &TOptimizationSettings::TargetUnifiedBoxCount, FromTo(1, 50),
                 "Сколько разных размеров ящика может выбрать унификация ассортимента, не больше"),
    RealField("PalletHeightMM", "Высота паллеты, мм", &TOptimizationSettings::PalletHeightMM,
              FromTo(0, settings_fields::kMostPalletHeightMM),
              "Высота самой паллеты; входит в высоту груженой паллеты")
        .AsOmittedAtDefault(),
    RealField("PalletWeightKG", "Масса паллеты, кг", &TOptimizationSettings::PalletWeightKG,
              FromTo(0, settings_fields::kMostPalletWeightKG),
              "Масса пустой паллеты; входит в массу груженой паллеты")
        .AsOmittedAtDefault(),
    RealField("MaxLoadedPalletWeightKG", "Макс. масса груженой паллеты, кг",
              &TOptimizationSettings::MaxLoadedPalletWeightKG,
              FromTo(0, settings_fields::kMostLoadedPalletWeightKG),
              "Число слоев ограничивается так, чтобы паллета с грузом весила не больше; 0 — без "
              "ограничения")
        .AsOmittedAtDefault(),
    RealField("PalletOverhangMM", "Свес за край паллеты, мм",
              &TOptimizationSettings::PalletOverhangMM, FromTo(0, settings_fields::kMostOverhangMM),
              "На сколько ящики могут выступать за каждый край паллеты")
        .AsOmittedAtDefault(),
    RealField("EdgeCrushKNPerM", "Сопротивление торцевому сжатию (ECT), кН/м",
              &TOptimizationSettings::EdgeCrushKNPerM,
              FromTo(0, settings_fields::kMostEdgeCrushKNPerM),
              "ECT картона ящика; по нему оценивается прочность нижнего ящика на сжатие; 0 — без "
              "проверки прочности")
        .AsOmittedAtDefault(),
    RealField("StorageHumidityPercent", "Влажность при хранении, %",
              &TOptimizationSettings::StorageHumidityPercent, FromTo(0, 100),
              "Относительная влажность воздуха на складе; выше 50 % прочность ящика снижается")
        .AsOmittedAtDefault(),
    RealField("DaysUnderLoad", "Время под нагрузкой, сут", &TOptimizationSettings::DaysUnderLoad,
              FromTo(0, settings_fields::kMostDaysUnderLoad),
              "Сколько дней ящики стоят под грузом; со временем прочность снижается")
        .AsOmittedAtDefault(),
    IntegerField("StackedPallets", "Паллет друг на друге", &TOptimizationSettings::StackedPallets,
                 FromTo(1, settings_fields::kMostStackedPallets),
                 "Сколько груженых паллет ставится друг на друга; 1 — без штабелирования")
        .AsOmittedAtDefault(),
    RealField("RequiredSafetyFactor", "Требуемый запас прочности",
              &TOptimizationSettings::RequiredSafetyFactor,
              FromTo(1, settings_fields::kMostSafetyFactor),
              "Во сколько раз сниженная прочность нижнего ящика должна превышать нагрузку на него")
        .AsOmittedAtDefault(),
});

inline constexpr int SettingsFieldCount = static_cast<int>(SettingsFields.size());
inline constexpr std::array<std::string_view, SettingsFields.size()> SettingsFieldNames =
    FieldKeys(SettingsFields);
inline constexpr std::array<std::string_view, SettingsFields.size()> SettingsFieldCaptions =
    FieldCaptions(SettingsFields);

// True for the settings table entries that hold whole numbers.
constexpr bool IsIntegerSettingsField(int index) {
  return index >= 0 && index < SettingsFieldCount && SettingsFields[index].IsInteger();
}

// The table indices of the quick parameters, in table order.
inline constexpr int QuickSettingsFieldCount = [] {
  int count = 0;
  for (const TSettingsField& field : SettingsFields)
    count += field.Quick ? 1 : 0;
  return count;
}();
inline constexpr std::array<int, QuickSettingsFieldCount> QuickSettingsFields = [] {
  std::array<int, QuickSettingsFieldCount> indices{};
  int next = 0;
  for (int i = 0; i < SettingsFieldCount; ++i)
    if (SettingsFields[i].Quick) indices[next++] = i;
  return indices;
}();

// The entry at Index; EArgumentOutOfRangeException "Settings field" outside
// the table.
const TSettingsField& SettingsFieldAt(int Index);

}  // namespace quelmora
