#pragma once

#include <array>
#include <string_view>

#include "model/FieldDescriptor.h"
#include "model/ProductModel.h"

namespace quelmora {

using TProductField = TFieldDescriptor<TProduct>;

namespace product_fields {

inline constexpr double kTop = 1000000;
inline constexpr TOrderedPair<TProduct> kVolumeOrder = {&TProduct::MinVolumeM3,
                                                        &TProduct::MaxVolumeM3};

}  // namespace product_fields

// The product's fields in the order of the grid columns, the dialog rows, the
// project file and the CSV columns. Id and Enabled are not fields here. A
// new field is one entry here plus the translations of its caption and help
// text.
inline constexpr auto ProductFields = std::to_array<TProductField>({
    RealField("MinVolumeM3", "Мин. объем, м³", &TProduct::MinVolumeM3,
              AboveTo(0, product_fields::kTop), "Нижняя граница объема пачки")
        .WithOrder(product_fields::kVolumeOrder),
    RealField("MaxVolumeM3", "Макс. объем, м³", &TProduct::MaxVolumeM3,
              AboveTo(0, product_fields::kTop), "Верхняя граница объема пачки; не меньше нижней")
        .WithOrder(product_fields::kVolumeOrder),
    RealField("RatioLB", "L/B", &TProduct::RatioLB, AboveTo(0, product_fields::kTop),
              "Желаемое отношение длины пачки к ее ширине"),
    RealField("RatioHB", "H/B", &TProduct::RatioHB, AboveTo(0, product_fields::kTop),
              "Желаемое отношение высоты пачки к ее ширине"),
    TextField("Name", "Название", &TProduct::Name, "Название изделия; не может быть пустым"),
    RealField("OriginalLengthMM", "L, мм", &TProduct::OriginalLengthMM,
              AboveTo(0, product_fields::kTop), "Длина нынешней пачки (образца)"),
    RealField("OriginalWidthMM", "B, мм", &TProduct::OriginalWidthMM,
              AboveTo(0, product_fields::kTop), "Ширина нынешней пачки (образца)"),
    RealField("OriginalHeightMM", "H, мм", &TProduct::OriginalHeightMM,
              AboveTo(0, product_fields::kTop), "Высота нынешней пачки (образца)"),
    RealField("ProductWeightG", "Вес, г", &TProduct::ProductWeightG,
              FromTo(0, product_fields::kTop), "Масса продукта в одной пачке; может быть нулевой"),
    RealField("MaxBoxWeightKG", "Макс. вес, кг", &TProduct::MaxBoxWeightKG,
              AboveTo(0, product_fields::kTop), "Наибольшая масса брутто одного ящика"),
    RealField("OriginalBoxLengthMM", "L0, мм", &TProduct::OriginalBoxLengthMM,
              AboveTo(0, product_fields::kTop), "Наружная длина нынешнего ящика"),
    RealField("OriginalBoxWidthMM", "B0, мм", &TProduct::OriginalBoxWidthMM,
              AboveTo(0, product_fields::kTop), "Наружная ширина нынешнего ящика"),
    RealField("OriginalBoxHeightMM", "H0, мм", &TProduct::OriginalBoxHeightMM,
              AboveTo(0, product_fields::kTop), "Наружная высота нынешнего ящика"),
    IntegerField("OriginalBoxCount", "N0", &TProduct::OriginalBoxCount, AboveTo(0, 100000),
                 "Число пачек в нынешнем ящике"),
});

inline constexpr int ProductFieldCount = static_cast<int>(ProductFields.size());
inline constexpr std::array<std::string_view, ProductFields.size()> ProductFieldNames =
    FieldKeys(ProductFields);
inline constexpr std::array<std::string_view, ProductFields.size()> ProductFieldCaptions =
    FieldCaptions(ProductFields);

// The one text entry of the table: the name.
inline constexpr int ProductNameFieldIndex = [] {
  for (int i = 0; i < ProductFieldCount; ++i)
    if (ProductFields[i].IsText()) return i;
  return -1;
}();
static_assert(ProductNameFieldIndex >= 0);

// The entry at Index; EArgumentOutOfRangeException "Product field" outside
// the table.
const TProductField& ProductFieldAt(int Index);

}  // namespace quelmora
