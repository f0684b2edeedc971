#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "calc/PackPlacementCalculator.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

using test::WorkedPack;
using test::WorkedProduct;
using test::WorkedSettings;

std::vector<TPackPlacement> Enumerate(const TPackVariant& pack, const TProduct& product,
                                      const TOptimizationSettings& settings) {
  TCancelToken token;
  std::vector<TPackPlacement> all;
  EnumeratePlacements(pack, product, settings, token,
                      [&](const TPackPlacement& p) { all.push_back(p); });
  return all;
}

std::vector<TPackPlacement> OfOrientation(const std::vector<TPackPlacement>& all,
                                          TPackOrientation o) {
  std::vector<TPackPlacement> result;
  std::copy_if(all.begin(), all.end(), std::back_inserter(result),
               [o](const TPackPlacement& p) { return p.Orientation == o; });
  return result;
}

TEST(OrientPack, SizesAlongTheBoxAxes) {
  const TPackVariant pack = WorkedPack();  // L 100, B 50, H 150
  const double expected[6][3] = {{100, 50, 150}, {100, 150, 50}, {50, 100, 150},
                                 {50, 150, 100}, {150, 100, 50}, {150, 50, 100}};
  for (int o = 0; o < 6; ++o) {
    const TPackPlacement p = OrientPack(pack, static_cast<TPackOrientation>(o));
    EXPECT_EQ(p.Orientation, o);
    EXPECT_EQ(p.PackDimX, expected[o][0]);
    EXPECT_EQ(p.PackDimY, expected[o][1]);
    EXPECT_EQ(p.PackDimZ, expected[o][2]);
    EXPECT_EQ(p.CountX + p.CountY + p.CountZ + p.TotalCount, 0);
  }
}

TEST(EnumeratePlacements, OrderAndBoundsWithOversizeBoxes) {
  TProduct product = WorkedProduct();
  product.MaxBoxWeightKG = 1000;  // weight never limits here
  TOptimizationSettings s = WorkedSettings();
  s.MaxCountPerAxis = 10;
  s.MaxPacksPerBox = 24;
  s.AllowOversizeBoxes = true;
  s.MaxBoxHeightMM = 100000;
  s.MaxPalletHeightMM = 100000;
  const auto all = Enumerate(WorkedPack(), product, s);

  // Orientation blocks in enumeration order, counts ascending, Z fastest.
  for (size_t i = 1; i < all.size(); ++i) {
    const TPackPlacement& a = all[i - 1];
    const TPackPlacement& b = all[i];
    const auto ka = std::make_tuple(static_cast<int>(a.Orientation), a.CountX, a.CountY, a.CountZ);
    const auto kb = std::make_tuple(static_cast<int>(b.Orientation), b.CountX, b.CountY, b.CountZ);
    ASSERT_LT(ka, kb) << "at " << i;
  }
  const auto lbh = OfOrientation(all, poLBH);
  ASSERT_GE(lbh.size(), 11u);
  for (int z = 1; z <= 10; ++z) {
    EXPECT_EQ(lbh[z - 1].CountX, 1);
    EXPECT_EQ(lbh[z - 1].CountY, 1);
    EXPECT_EQ(lbh[z - 1].CountZ, z);
  }
  EXPECT_EQ(lbh[10].CountY, 2);
  EXPECT_EQ(lbh[10].CountZ, 1);

  for (const TPackPlacement& p : all) {
    EXPECT_LE(p.CountX, 10);
    EXPECT_LE(p.CountY, 10);
    EXPECT_LE(p.CountZ, 10);
    EXPECT_LE(p.TotalCount, 24);
    EXPECT_EQ(p.TotalCount, p.CountX * p.CountY * p.CountZ);
    EXPECT_FALSE(p.CountX == 3 && p.CountY == 3 && p.CountZ > 2);
  }
  EXPECT_EQ(all.size(), 6 * lbh.size());  // every orientation admits the same grids here
}

TEST(EnumeratePlacements, WeightLimitsPacksPerBox) {
  TProduct product = WorkedProduct();
  product.ProductWeightG = 500;
  product.MaxBoxWeightKG = 12;
  TOptimizationSettings s = WorkedSettings();
  s.PackMaterialGramsPerM2 = 0;
  s.MaxPacksPerBox = 1000;
  s.MaxCountPerAxis = 50;
  s.AllowOversizeBoxes = true;
  s.MaxBoxHeightMM = s.MaxPalletHeightMM = 1000000;
  int largest = 0;
  for (const auto& p : Enumerate(WorkedPack(), product, s))
    largest = std::max(largest, p.TotalCount);
  EXPECT_EQ(largest, 24);

  product.ProductWeightG = 0;  // no weight at all: only MaxPacksPerBox limits
  s.MaxPacksPerBox = 30;
  largest = 0;
  for (const auto& p : Enumerate(WorkedPack(), product, s))
    largest = std::max(largest, p.TotalCount);
  EXPECT_EQ(largest, 30);

  product.ProductWeightG = 20000;  // one pack is heavier than the box may be
  EXPECT_TRUE(Enumerate(WorkedPack(), product, s).empty());
}

TEST(EnumeratePlacements, PalletLongerSideLimitsBothHorizontalAxes) {
  TProduct product = WorkedProduct();
  product.MaxBoxWeightKG = 100000;
  TOptimizationSettings s = WorkedSettings();
  s.LengthGapMM = s.WidthGapMM = s.BoardThicknessMM = 0;
  s.MaxCountPerAxis = 50;
  s.MaxPacksPerBox = 1000;
  const TPackVariant pack = MakePackVariant(product, 250, 50, 150, s);
  const auto all = Enumerate(pack, product, s);
  int maxX = 0, maxYExtent = 0;
  for (const auto& p : OfOrientation(all, poLBH)) {
    maxX = std::max(maxX, p.CountX);
    maxYExtent = std::max(maxYExtent, static_cast<int>(p.CountY * p.PackDimY));
  }
  EXPECT_EQ(maxX, 4);
  EXPECT_EQ(maxYExtent, 1200);  // not the 800 of the pallet width
}

TEST(EnumeratePlacements, HeightLimitLeavesOneLayer) {
  TOptimizationSettings s = WorkedSettings();
  s.MaxBoxHeightMM = 300;
  s.MaxPalletHeightMM = 1600;
  for (const auto& p : OfOrientation(Enumerate(WorkedPack(), WorkedProduct(), s), poLBH))
    EXPECT_EQ(p.CountZ, 1);  // Floor(294 / 150)
  s.MaxBoxHeightMM = 305;
  bool twoLayers = false;
  for (const auto& p : OfOrientation(Enumerate(WorkedPack(), WorkedProduct(), s), poLBH))
    twoLayers |= p.CountZ == 2;
  EXPECT_FALSE(twoLayers);
  s.MaxBoxHeightMM = 306;
  for (const auto& p : OfOrientation(Enumerate(WorkedPack(), WorkedProduct(), s), poLBH))
    twoLayers |= p.CountZ == 2;
  EXPECT_TRUE(twoLayers);
}

TEST(EnumeratePlacements, BadPackNamesTheOrientation) {
  struct Case {
    double L, B, H;
    const char* message;
  } cases[] = {{0, 50, 150, "Bad pack: 0 50 150 orientation 0"},
               {100, -2.5, 150, "Bad pack: 100 -2.5 150 orientation 2"},
               {100, 50, 0, "Bad pack: 100 50 0 orientation 4"}};
  for (const Case& c : cases) {
    TPackVariant pack = WorkedPack();
    pack.LengthMM = c.L;
    pack.WidthMM = c.B;
    pack.HeightMM = c.H;
    int calls = 0;
    TCancelToken token;
    try {
      EnumeratePlacements(pack, WorkedProduct(), WorkedSettings(), token,
                          [&](const TPackPlacement&) { ++calls; });
      ADD_FAILURE() << c.message;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_STREQ(e.KindName(), "Exception");
    }
    EXPECT_EQ(calls, 0);
  }
}

TEST(EnumeratePlacements, CancelStopsTheEnumeration) {
  TCancelToken token;
  int calls = 0;
  EXPECT_ERROR_KIND(EnumeratePlacements(WorkedPack(), WorkedProduct(), WorkedSettings(), token,
                                        [&](const TPackPlacement&) {
                                          if (++calls == 5) token.Cancel();
                                        }),
                    TErrorKind::Cancelled);
  // The check runs once per CountX row, so the stop comes within that row.
  EXPECT_GE(calls, 5);
  EXPECT_LT(calls, 5 + 12 * 12);
}

}  // namespace
}  // namespace quelmora
