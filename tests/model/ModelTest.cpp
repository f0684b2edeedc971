#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <thread>

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/OptimizationModel.h"
#include "model/ProductFields.h"
#include "model/ProductModel.h"
#include "model/SettingsFields.h"
#include "model/Validation.h"
#include "support/ExpectError.h"

namespace quelmora {
namespace {

TEST(FieldTables, KeysAndCaptionsAreDistinctAndInTableOrder) {
  EXPECT_EQ(SettingsFieldNames[27], "BoxGlueFlapMM");
  EXPECT_EQ(SettingsFieldCaptions[27], "Клапан склейки ящика, мм");
  EXPECT_EQ(SettingsFieldNames[13], "CardboardGramsPerM2");
  EXPECT_EQ(SettingsFieldNames[28], "TargetUnifiedBoxCount");
  EXPECT_EQ(ProductFieldNames[4], "Name");
  EXPECT_EQ(ProductFieldCaptions[4], "Название");
  EXPECT_EQ(ProductFieldCaptions[13], "N0");
  EXPECT_EQ(std::set<std::string_view>(SettingsFieldNames.begin(), SettingsFieldNames.end()).size(),
            SettingsFieldNames.size());
  EXPECT_EQ(
      std::set<std::string_view>(SettingsFieldCaptions.begin(), SettingsFieldCaptions.end()).size(),
      SettingsFieldCaptions.size());
  EXPECT_EQ(std::set<std::string_view>(ProductFieldNames.begin(), ProductFieldNames.end()).size(),
            ProductFieldNames.size());
}

// Every settings index reaches its own field: writing a marker through the
// accessor changes exactly the record field of the same name.
TEST(SettingsAccessors, EachIndexReachesItsNamedField) {
  const TOptimizationSettings defaults = DefaultSettings();
  struct Expect {
    int index;
    double TOptimizationSettings::*real;
    int32_t TOptimizationSettings::*integer;
  };
  const Expect table[] = {
      {0, &TOptimizationSettings::DimensionDeviationMinPercent, nullptr},
      {1, &TOptimizationSettings::DimensionDeviationMaxPercent, nullptr},
      {2, &TOptimizationSettings::LengthGapMM, nullptr},
      {3, &TOptimizationSettings::WidthGapMM, nullptr},
      {4, &TOptimizationSettings::FlapMM, nullptr},
      {5, &TOptimizationSettings::MaxPalletHeightMM, nullptr},
      {6, &TOptimizationSettings::CardboardPricePerM2, nullptr},
      {7, &TOptimizationSettings::PackMaterialPricePerM2, nullptr},
      {8, &TOptimizationSettings::PalletLengthMM, nullptr},
      {9, &TOptimizationSettings::PalletWidthMM, nullptr},
      {10, &TOptimizationSettings::PackDimensionStepMM, nullptr},
      {11, &TOptimizationSettings::BoxUnificationToleranceMM, nullptr},
      {12, &TOptimizationSettings::BoardThicknessMM, nullptr},
      {13, &TOptimizationSettings::CardboardGramsPerM2, nullptr},
      {14, &TOptimizationSettings::PackMaterialGramsPerM2, nullptr},
      {15, &TOptimizationSettings::MaxBoxHeightMM, nullptr},
      {16, &TOptimizationSettings::WeightCost, nullptr},
      {17, &TOptimizationSettings::WeightDimension, nullptr},
      {18, &TOptimizationSettings::WeightRatio, nullptr},
      {19, &TOptimizationSettings::WeightFill, nullptr},
      {20, &TOptimizationSettings::WeightPallet, nullptr},
      {21, &TOptimizationSettings::WeightUnification, nullptr},
      {22, nullptr, &TOptimizationSettings::MaxPackVariantsPerProduct},
      {23, nullptr, &TOptimizationSettings::MaxResultsPerProduct},
      {24, nullptr, &TOptimizationSettings::MaxPacksPerBox},
      {25, nullptr, &TOptimizationSettings::MaxCountPerAxis},
      {26, nullptr, &TOptimizationSettings::MaxGeometryEvaluations},
      {27, &TOptimizationSettings::BoxGlueFlapMM, nullptr},
      {28, nullptr, &TOptimizationSettings::TargetUnifiedBoxCount},
      {29, &TOptimizationSettings::PalletHeightMM, nullptr},
      {30, &TOptimizationSettings::PalletWeightKG, nullptr},
      {31, &TOptimizationSettings::MaxLoadedPalletWeightKG, nullptr},
      {32, &TOptimizationSettings::PalletOverhangMM, nullptr},
      {33, &TOptimizationSettings::EdgeCrushKNPerM, nullptr},
      {34, &TOptimizationSettings::StorageHumidityPercent, nullptr},
      {35, &TOptimizationSettings::DaysUnderLoad, nullptr},
      {36, nullptr, &TOptimizationSettings::StackedPallets},
      {37, &TOptimizationSettings::RequiredSafetyFactor, nullptr},
  };
  ASSERT_EQ(std::size(table), static_cast<size_t>(SettingsFieldCount));
  for (const Expect& e : table) {
    SCOPED_TRACE(SettingsFieldNames[e.index]);
    TOptimizationSettings s = defaults;
    SetSettingsField(s, e.index, 777);
    TOptimizationSettings expected = defaults;
    if (e.real)
      expected.*e.real = 777;
    else
      expected.*e.integer = 777;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(GetSettingsField(s, e.index), 777);
    EXPECT_EQ(IsIntegerSettingsField(e.index), e.integer != nullptr);
  }
}

TEST(SettingsAccessors, DefaultsAndBadInput) {
  TOptimizationSettings s = DefaultSettings();
  EXPECT_EQ(GetSettingsField(s, 28), 3.0);
  EXPECT_EQ(GetSettingsField(s, 27), 40.0);
  EXPECT_EQ(s.CurrencySymbol, "руб.");
  EXPECT_TRUE(s.SortBoxes);
  EXPECT_FALSE(s.AllowOversizeBoxes);
  EXPECT_EQ(s.VolumeMismatchMode, UseSpecifiedVolume);

  SetSettingsField(s, 27, 40.5);
  EXPECT_EQ(s.BoxGlueFlapMM, 40.5);

  const TOptimizationSettings before = s;
  for (double bad :
       {12.5, 2147483648.0, -2147483649.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(bad);
    try {
      SetSettingsField(s, 25, bad);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Kind(), TErrorKind::NotANumber);
      EXPECT_EQ(e.Message(), "Integer expected: " + std::string(SettingsFieldCaptions[25]));
      EXPECT_STREQ(e.KindName(), "EConvertError");
    }
    EXPECT_EQ(s, before);
  }
  SetSettingsField(s, 25, 2147483647.0);
  EXPECT_EQ(s.MaxCountPerAxis, 2147483647);

  for (int index : {-1, SettingsFieldCount}) {
    try {
      GetSettingsField(s, index);
      ADD_FAILURE();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Kind(), TErrorKind::OutOfRange);
      EXPECT_EQ(e.Message(), "Settings field");
    }
    EXPECT_ERROR_KIND(SetSettingsField(s, index, 1), TErrorKind::OutOfRange);
  }
}

TEST(ProductAccessors, DefaultProductAndFields) {
  const TProduct p = DefaultProduct(7);
  EXPECT_EQ(p.Id, 7);
  EXPECT_EQ(p.Name, "Product 7");
  EXPECT_EQ(p.OriginalHeightMM, 200);
  EXPECT_EQ(p.OriginalBoxCount, 24);
  EXPECT_TRUE(p.Enabled);
  const double expected[] = {0.00095, 0.00105, 2, 4, 0, 100, 50, 200, 500, 15, 410, 310, 210, 24};
  for (int i = 0; i < ProductFieldCount; ++i) {
    if (i == ProductNameFieldIndex) continue;
    EXPECT_EQ(GetProductField(p, i), expected[i]) << ProductFieldNames[i];
  }
  TProduct q = p;
  SetProductField(q, 13, 24.0);
  EXPECT_EQ(q.OriginalBoxCount, 24);
  EXPECT_ERROR_KIND(SetProductField(q, 13, 24.5), TErrorKind::NotANumber);
  EXPECT_EQ(q, p);
  SetProductField(q, 12, 215.5);
  EXPECT_EQ(q.OriginalBoxHeightMM, 215.5);
  for (int index : {4, -1, 14}) {
    try {
      GetProductField(p, index);
      ADD_FAILURE();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Kind(), TErrorKind::OutOfRange);
      EXPECT_EQ(e.Message(), "Product field");
      EXPECT_STREQ(e.KindName(), "EArgumentOutOfRangeException");
    }
    TProduct r = p;
    EXPECT_ERROR_KIND(SetProductField(r, index, 1), TErrorKind::OutOfRange);
    EXPECT_EQ(r, p);
  }
}

TEST(CancelToken, CheckRaisesEveryTimeAfterCancel) {
  TCancelToken token;
  EXPECT_FALSE(token.IsCancelled());
  EXPECT_NO_THROW(token.Check());
  std::thread([&] { token.Cancel(); }).join();
  EXPECT_TRUE(token.IsCancelled());
  for (int i = 0; i < 3; ++i) {
    try {
      token.Check();
      ADD_FAILURE();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Kind(), TErrorKind::Cancelled);
      EXPECT_EQ(e.Message(), "Cancelled");
      EXPECT_STREQ(e.KindName(), "EOptimizationCancelled");
    }
  }
  token.Cancel();
  EXPECT_TRUE(token.IsCancelled());
}

TEST(Catalogue, MultiLineEntriesUseCrLf) {
  const std::string details = SOptimalDetails;
  size_t lines = 1;
  for (size_t p = details.find("\r\n"); p != std::string::npos; p = details.find("\r\n", p + 2))
    ++lines;
  EXPECT_EQ(lines, 19u);
  EXPECT_EQ(details.find('\n'), details.find("\r\n") + 1);
  EXPECT_EQ(std::string(SLumarComparison).rfind("\r\n\r\n", 0), 0u);
}

}  // namespace
}  // namespace quelmora
