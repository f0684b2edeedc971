#include <gtest/gtest.h>

#include <memory>

#include "calc/BoxCalculator.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PalletCalculator.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

using test::WorkedPack;
using test::WorkedProduct;
using test::WorkedSettings;

TPackPlacement WorkedPlacement() {
  TPackPlacement p = OrientPack(WorkedPack(), poLBH);
  p.CountX = 3;
  p.CountY = 4;
  p.CountZ = 2;
  p.TotalCount = 24;
  return p;
}

class BoxCalculatorTest : public ::testing::Test {
 protected:
  TBoxCalculator calc{std::make_shared<TGridPalletOptimizer>()};
  TProduct product = WorkedProduct();
  TOptimizationSettings settings = WorkedSettings();

  bool Build(TBoxVariant& box, double L = 0, double B = 0, double H = 0) {
    return calc.Build(product, WorkedPack(), WorkedPlacement(), settings, box, L, B, H);
  }
};

TEST_F(BoxCalculatorTest, WorkedExample) {
  TBoxVariant box;
  ASSERT_TRUE(Build(box));
  EXPECT_EQ(box.InnerLengthMM, 305);
  EXPECT_EQ(box.InnerWidthMM, 205);
  EXPECT_EQ(box.InnerHeightMM, 300);
  EXPECT_EQ(box.LengthMM, 311);
  EXPECT_EQ(box.WidthMM, 211);
  EXPECT_EQ(box.HeightMM, 306);
  EXPECT_EQ(box.PackCount, 24);
  EXPECT_EQ(box.PackPlacement, WorkedPlacement());
  EXPECT_NEAR(box.BlankAreaM2, 0.541149, 1e-12);
  EXPECT_NEAR(box.BoxCost, 0.3246894, 1e-12);
  EXPECT_NEAR(box.GrossWeightKG, 12.3867345, 1e-10);
  EXPECT_EQ(box.Pallet.BoxesPerLayer, 10);
  EXPECT_TRUE(box.Pallet.Rotated);
  EXPECT_EQ(box.Pallet.LayerCount, 5);
  EXPECT_EQ(box.PalletCount, 50);
  EXPECT_NEAR(box.PalletUtilization, 0.6536467, 5e-8);
  EXPECT_EQ(box.PalletUtilization, box.Pallet.Utilization);
  EXPECT_NEAR(box.PackagingCostPerUnit, 0.0861287, 5e-8);
  EXPECT_NEAR(box.PackagingCostPerM3, 114.8383, 5e-5);
  EXPECT_NEAR(box.FillRatio, 0.9596162, 5e-8);
  EXPECT_NEAR(box.BoxVolumeM3, 0.020080026, 1e-12);
  EXPECT_EQ(box.Score, 0);
  EXPECT_EQ(box.AveragePackagingCostPerM3, 0);
}

TEST_F(BoxCalculatorTest, Limits) {
  TBoxVariant box;
  settings.MaxBoxHeightMM = 300;
  EXPECT_FALSE(Build(box));
  settings = WorkedSettings();
  settings.MaxPalletHeightMM = 305.9;
  EXPECT_FALSE(Build(box));
  settings = WorkedSettings();
  product.MaxBoxWeightKG = 12;
  EXPECT_FALSE(Build(box));
  product.MaxBoxWeightKG = 12.3867345 + 1e-9;
  EXPECT_TRUE(Build(box));
}

TEST_F(BoxCalculatorTest, FixedSizes) {
  TBoxVariant free;
  ASSERT_TRUE(Build(free));
  TBoxVariant fixed;
  ASSERT_TRUE(Build(fixed, 311, 211, 306));
  EXPECT_EQ(fixed, free);

  EXPECT_FALSE(Build(fixed, 310, 211, 306));  // inner length 304 < 305
  EXPECT_FALSE(Build(fixed, 311, 210, 306));
  EXPECT_FALSE(Build(fixed, 311, 211, 305));

  settings.MaxBoxHeightMM = 400;
  ASSERT_TRUE(Build(fixed, 400, 300, 400));
  EXPECT_EQ(fixed.InnerLengthMM, 394);
  EXPECT_EQ(fixed.InnerWidthMM, 294);
  EXPECT_EQ(fixed.InnerHeightMM, 394);
  EXPECT_NEAR(fixed.FillRatio, 24 * 0.00075 / (394 * 294 * 394 / 1e9), 1e-12);
  EXPECT_LT(fixed.FillRatio, free.FillRatio);

  // A fixed length of 0 means a free box; the other two are then ignored.
  TBoxVariant ignored;
  ASSERT_TRUE(Build(ignored, 0, 1, 1));
  EXPECT_EQ(ignored, free);
}

TEST_F(BoxCalculatorTest, BoxThatFitsNoPallet) {
  settings.PalletLengthMM = 300;
  settings.PalletWidthMM = 300;
  TBoxVariant box;
  EXPECT_FALSE(Build(box));
  settings.AllowOversizeBoxes = true;
  ASSERT_TRUE(Build(box));
  EXPECT_EQ(box.PalletCount, 0);
  EXPECT_EQ(box.PalletUtilization, 0);
}

TEST_F(BoxCalculatorTest, EmptyGridIsRejected) {
  TPackPlacement empty = WorkedPlacement();
  empty.TotalCount = 0;
  TBoxVariant box;
  EXPECT_FALSE(calc.Build(product, WorkedPack(), empty, settings, box));
}

TEST_F(BoxCalculatorTest, OriginalBox) {
  product.OriginalBoxLengthMM = 311;
  product.OriginalBoxWidthMM = 211;
  product.OriginalBoxHeightMM = 306;
  product.OriginalBoxCount = 24;
  const TBoxVariant original = calc.Original(product, WorkedPack(), settings);
  TBoxVariant built;
  ASSERT_TRUE(Build(built));
  // Same dimensions and count: priced the same, but without a recorded grid.
  TBoxVariant expected = built;
  expected.PackPlacement = TPackPlacement{};
  EXPECT_EQ(original, expected);

  // Priced as it is, beyond every limit.
  product.OriginalBoxHeightMM = 5000;
  product.MaxBoxWeightKG = 1;
  const TBoxVariant oversize = calc.Original(product, WorkedPack(), settings);
  EXPECT_EQ(oversize.HeightMM, 5000);
  EXPECT_EQ(oversize.PalletCount, 0);

  // Inner sizes never drop below 0.001 mm.
  settings.BoardThicknessMM = 200;
  const TBoxVariant thick = calc.Original(product, WorkedPack(), settings);
  EXPECT_EQ(thick.InnerWidthMM, 0.001);
  EXPECT_EQ(thick.InnerLengthMM, 0.001);
  EXPECT_EQ(thick.InnerHeightMM, 4600);
}

// Counts the pallet calls, to show the strategy handed in is the one used.
class CountingPallet : public IPalletOptimizer {
 public:
  mutable int calls = 0;
  TPalletResult Calculate(double, double, double, double, double, double) const override {
    ++calls;
    TPalletResult r;
    r.BoxesPerLayer = r.LayerCount = r.BoxesPerPallet = 1;
    r.Utilization = 0.25;
    return r;
  }
};

TEST(BoxCalculator, UsesTheGivenPalletStrategy) {
  auto pallet = std::make_shared<CountingPallet>();
  TBoxCalculator calc(pallet);
  TBoxVariant box;
  ASSERT_TRUE(calc.Build(WorkedProduct(), WorkedPack(), WorkedPlacement(), WorkedSettings(), box));
  EXPECT_EQ(pallet->calls, 1);
  EXPECT_EQ(box.PalletCount, 1);
  EXPECT_EQ(box.PalletUtilization, 0.25);
}

}  // namespace
}  // namespace quelmora
