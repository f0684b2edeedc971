#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Validation.h"

namespace quelmora {
namespace {

struct ParseCase {
  const char* text;
  bool ok;
  double value;
  friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << "\"" << c.text << "\""; }
};

class TryParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TryParseNumberTest, ReadsOrRefuses) {
  const ParseCase& c = GetParam();
  double value = -12345;
  EXPECT_EQ(TryParseNumber(c.text, value), c.ok) << c.text;
  if (c.ok)
    EXPECT_EQ(value, c.value) << c.text;
  else
    EXPECT_EQ(value, -12345) << "value written on failure for " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TryParseNumberTest,
    ::testing::Values(
        ParseCase{" 12,5 ", true, 12.5}, ParseCase{"1e3", true, 1000}, ParseCase{"-4", true, -4},
        ParseCase{"+4.25", true, 4.25}, ParseCase{"\t7\r\n", true, 7},
        ParseCase{"0.00095", true, 0.00095}, ParseCase{"2,5E-2", true, 0.025},
        ParseCase{".5", true, 0.5}, ParseCase{"5.", true, 5}, ParseCase{"", false, 0},
        ParseCase{"   ", false, 0}, ParseCase{"1,234.5", false, 0}, ParseCase{"12 5", false, 0},
        ParseCase{"abc", false, 0}, ParseCase{"1e", false, 0}, ParseCase{"1e400", false, 0},
        ParseCase{"inf", false, 0}, ParseCase{"nan", false, 0}, ParseCase{"0x10", false, 0},
        ParseCase{".", false, 0}, ParseCase{"--1", false, 0}, ParseCase{"1 000", false, 0}));

TProduct ValidProduct(int32_t id = 1) {
  return DefaultProduct(id);
}

std::string ValidationMessage(const std::function<void()>& check) {
  try {
    check();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    EXPECT_STREQ(e.KindName(), "EArgumentException");
    return e.Message();
  }
  return "";
}

struct ProductCase {
  const char* what;
  std::function<void(TProduct&)> change;
  std::string message;  // empty: valid
  friend void PrintTo(const ProductCase& c, std::ostream* os) { *os << c.what; }
};

class ValidateProductTest : public ::testing::TestWithParam<ProductCase> {};

TEST_P(ValidateProductTest, ReportsFirstFault) {
  TProduct p = ValidProduct();
  p.Name = "Чай";
  GetParam().change(p);
  EXPECT_EQ(ValidationMessage([&] { ValidateProduct(p); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateProductTest,
    ::testing::Values(
        ProductCase{"valid", [](TProduct&) {}, ""},
        ProductCase{"zero id", [](TProduct& p) { p.Id = 0; }, Format(SInvalidProductId, "Чай", 0)},
        ProductCase{"id before fields",
                    [](TProduct& p) {
                      p.Id = -3;
                      p.RatioLB = 0;
                    },
                    Format(SInvalidProductId, "Чай", -3)},
        ProductCase{"min above max",
                    [](TProduct& p) {
                      p.MinVolumeM3 = 0.002;
                      p.MaxVolumeM3 = 0.001;
                    },
                    "Чай: Мин. объем, м³"},
        ProductCase{"ratio zero", [](TProduct& p) { p.RatioLB = 0; }, "Чай: L/B"},
        ProductCase{"blank name", [](TProduct& p) { p.Name = " \t "; }, " \t : Название"},
        ProductCase{"weight zero ok", [](TProduct& p) { p.ProductWeightG = 0; }, ""},
        ProductCase{"weight negative", [](TProduct& p) { p.ProductWeightG = -1; }, "Чай: Вес, г"},
        ProductCase{"width above bound", [](TProduct& p) { p.OriginalWidthMM = 1000000.5; },
                    "Чай: B, мм"},
        ProductCase{"width at bound", [](TProduct& p) { p.OriginalWidthMM = 1000000; }, ""},
        ProductCase{"box height NaN", [](TProduct& p) { p.OriginalBoxHeightMM = std::nan(""); },
                    "Чай: H0, мм"},
        ProductCase{"infinite mass",
                    [](TProduct& p) { p.MaxBoxWeightKG = std::numeric_limits<double>::infinity(); },
                    "Чай: Макс. вес, кг"},
        ProductCase{"count 100000", [](TProduct& p) { p.OriginalBoxCount = 100000; }, ""},
        ProductCase{"count 100001", [](TProduct& p) { p.OriginalBoxCount = 100001; }, "Чай: N0"},
        ProductCase{"count 0", [](TProduct& p) { p.OriginalBoxCount = 0; }, "Чай: N0"},
        ProductCase{"first of two faults",
                    [](TProduct& p) {
                      p.OriginalBoxCount = 0;
                      p.OriginalLengthMM = -1;
                    },
                    "Чай: L, мм"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

struct SettingsCase {
  const char* what;
  std::function<void(TOptimizationSettings&)> change;
  std::string message;  // empty: valid
  friend void PrintTo(const SettingsCase& c, std::ostream* os) { *os << c.what; }
};

std::string InvalidParameter(std::string_view caption) {
  return "Некорректный параметр: " + std::string(caption);
}

class ValidateSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ValidateSettingsTest, ReportsFirstFault) {
  TOptimizationSettings s = DefaultSettings();
  GetParam().change(s);
  EXPECT_EQ(ValidationMessage([&] { ValidateSettings(s); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateSettingsTest,
    ::testing::Values(
        SettingsCase{"defaults", [](TOptimizationSettings&) {}, ""},
        SettingsCase{"min deviation -100",
                     [](TOptimizationSettings& s) { s.DimensionDeviationMinPercent = -100; },
                     InvalidParameter("Отклонение размеров: min, %")},
        SettingsCase{"both -99",
                     [](TOptimizationSettings& s) {
                       s.DimensionDeviationMinPercent = -99;
                       s.DimensionDeviationMaxPercent = -99;
                     },
                     ""},
        SettingsCase{"min above max",
                     [](TOptimizationSettings& s) {
                       s.DimensionDeviationMinPercent = 10;
                       s.DimensionDeviationMaxPercent = 5;
                     },
                     InvalidParameter("Отклонение размеров: min, %")},
        SettingsCase{"max above 100",
                     [](TOptimizationSettings& s) { s.DimensionDeviationMaxPercent = 100.5; },
                     InvalidParameter("Отклонение размеров: max, %")},
        SettingsCase{"evaluations 99",
                     [](TOptimizationSettings& s) { s.MaxGeometryEvaluations = 99; },
                     InvalidParameter("Лимит проверок геометрии")},
        SettingsCase{"evaluations 100",
                     [](TOptimizationSettings& s) { s.MaxGeometryEvaluations = 100; }, ""},
        SettingsCase{"zeros allowed",
                     [](TOptimizationSettings& s) {
                       s.BoxUnificationToleranceMM = 0;
                       s.WeightCost = s.WeightDimension = s.WeightRatio = 0;
                       s.WeightFill = s.WeightPallet = s.WeightUnification = 0;
                       s.LengthGapMM = s.WidthGapMM = s.FlapMM = s.BoardThicknessMM = 0;
                     },
                     ""},
        SettingsCase{"pallet height zero",
                     [](TOptimizationSettings& s) { s.MaxPalletHeightMM = 0; },
                     InvalidParameter("Макс. высота груза без паллеты, мм")},
        SettingsCase{"step below 0.01",
                     [](TOptimizationSettings& s) { s.PackDimensionStepMM = 0.0099; },
                     InvalidParameter("Шаг размеров пачки, мм")},
        SettingsCase{"variants 2001",
                     [](TOptimizationSettings& s) { s.MaxPackVariantsPerProduct = 2001; },
                     InvalidParameter("Макс. вариантов пачки")},
        SettingsCase{"results 201", [](TOptimizationSettings& s) { s.MaxResultsPerProduct = 201; },
                     InvalidParameter("Макс. решений на изделие")},
        SettingsCase{"packs 1001", [](TOptimizationSettings& s) { s.MaxPacksPerBox = 1001; },
                     InvalidParameter("Макс. пачек в ящике")},
        SettingsCase{"axis 51", [](TOptimizationSettings& s) { s.MaxCountPerAxis = 51; },
                     InvalidParameter("Макс. пачек по одной оси")},
        SettingsCase{"target 0", [](TOptimizationSettings& s) { s.TargetUnifiedBoxCount = 0; },
                     InvalidParameter("Целевое число типоразмеров ящика")},
        SettingsCase{"glue flap NaN",
                     [](TOptimizationSettings& s) { s.BoxGlueFlapMM = std::nan(""); },
                     InvalidParameter("Клапан склейки ящика, мм")},
        SettingsCase{"weight negative", [](TOptimizationSettings& s) { s.WeightPallet = -0.1; },
                     InvalidParameter("Вес: паллета")},
        SettingsCase{"table order: index 13 before 27",
                     [](TOptimizationSettings& s) {
                       s.BoxGlueFlapMM = -1;
                       s.CardboardGramsPerM2 = -1;
                     },
                     InvalidParameter("Плотность картона, г/м²")},
        SettingsCase{"blank currency", [](TOptimizationSettings& s) { s.CurrencySymbol = "   "; },
                     InvalidParameter("Валюта")},
        SettingsCase{"fields before currency",
                     [](TOptimizationSettings& s) {
                       s.CurrencySymbol = "";
                       s.MaxBoxHeightMM = 0;
                     },
                     InvalidParameter("Макс. высота ящика, мм")}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(ValidateProject, OrderOfChecks) {
  TOptimizationSettings s = DefaultSettings();
  std::vector<TProduct> products = {ValidProduct(1), ValidProduct(2)};
  EXPECT_EQ(ValidationMessage([&] { ValidateProject(products, s); }), "");

  products[1].Id = 1;
  products[1].Enabled = false;
  EXPECT_EQ(ValidationMessage([&] { ValidateProject(products, s); }), "Duplicate Product.Id");

  // A product fault is found before the duplicate that follows it.
  products[1].RatioHB = -1;
  EXPECT_EQ(ValidationMessage([&] { ValidateProject(products, s); }), "Product 2: H/B");

  // Settings come first of all.
  s.PalletWidthMM = 0;
  EXPECT_EQ(ValidationMessage([&] { ValidateProject(products, s); }),
            InvalidParameter("Ширина паллеты, мм"));
}

TEST(ValidateProject, NeedsAnEnabledProduct) {
  const TOptimizationSettings s = DefaultSettings();
  EXPECT_EQ(ValidationMessage([&] { ValidateProject({}, s); }), SAddEnabledProduct);
  std::vector<TProduct> products = {ValidProduct(1), ValidProduct(2)};
  products[0].Enabled = products[1].Enabled = false;
  EXPECT_EQ(ValidationMessage([&] { ValidateProject(products, s); }), SAddEnabledProduct);
  // Disabled products are validated all the same.
  products[0].OriginalBoxCount = 0;
  EXPECT_EQ(ValidationMessage([&] { ValidateProject(products, s); }), "Product 1: N0");
}

}  // namespace
}  // namespace quelmora
