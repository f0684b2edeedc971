#include <gtest/gtest.h>

#include <memory>

#include "calc/PackBoxBuilder.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PalletCalculator.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

// A strategy other than the grid, so the builder must ask it for each box.
class HalfGridPallet : public IPalletOptimizer {
 public:
  TPalletResult Calculate(double L, double B, double H, double PL, double PB,
                          double MH) const override {
    TPalletResult r = TGridPalletOptimizer().Calculate(L, B, H, PL, PB, MH);
    r.BoxesPerPallet /= 2;
    return r;
  }
};

// A strategy that knows only the per-box method: the grid's loading, without
// the per-pack plan.
class PerBoxGridPallet : public IPalletOptimizer {
 public:
  TPalletResult Calculate(double L, double B, double H, double PL, double PB,
                          double MH) const override {
    return TGridPalletOptimizer().Calculate(L, B, H, PL, PB, MH);
  }
};

struct BuilderCase {
  const char* what;
  double L, B, H;
  double board, lengthGap, widthGap;
  bool oversize;
  double maxBoxWeight;
  bool gridPallet;
  friend void PrintTo(const BuilderCase& c, std::ostream* os) { *os << c.what; }
};

TProduct CaseProduct(const BuilderCase& c) {
  TProduct p = test::WorkedProduct();
  p.MaxBoxWeightKG = c.maxBoxWeight;
  return p;
}

TOptimizationSettings CaseSettings(const BuilderCase& c) {
  TOptimizationSettings s = test::WorkedSettings();
  s.BoardThicknessMM = c.board;
  s.LengthGapMM = c.lengthGap;
  s.WidthGapMM = c.widthGap;
  s.AllowOversizeBoxes = c.oversize;
  s.MaxCountPerAxis = 8;
  s.MaxPacksPerBox = 200;
  return s;
}

class PackBoxBuilderTest : public ::testing::TestWithParam<BuilderCase> {};

// Every placement the enumeration offers gives the very box Build gives.
TEST_P(PackBoxBuilderTest, SameBoxesAsBuild) {
  const BuilderCase& c = GetParam();
  const TProduct p = CaseProduct(c);
  const TOptimizationSettings s = CaseSettings(c);
  std::shared_ptr<const IPalletOptimizer> pallet;
  if (c.gridPallet)
    pallet = std::make_shared<TGridPalletOptimizer>();
  else
    pallet = std::make_shared<HalfGridPallet>();
  const TBoxCalculator calc(pallet);
  const TPackVariant pack = MakePackVariant(p, c.L, c.B, c.H, s);
  const TPackBoxBuilder builder(calc, p, pack, s);
  TCancelToken token;
  int placements = 0, accepted = 0, estimated = 0;
  EnumeratePlacements(pack, p, s, token, [&](const TPackPlacement& placement) {
    TBoxVariant expected, actual;
    const bool ok = calc.Build(p, pack, placement, s, expected);
    ASSERT_EQ(builder.Build(placement, actual), ok) << placements;
    // The estimates stay within kEstimateAccuracy of what the box holds,
    // whether or not the box is acceptable.
    TBoxEstimate e;
    if (builder.Estimate(placement, epCost | epPallet | epFill, e)) {
      EXPECT_EQ(e.PackCount, actual.PackCount);
      EXPECT_NEAR(e.PackagingCostPerM3, actual.PackagingCostPerM3,
                  kEstimateAccuracy * actual.PackagingCostPerM3);
      EXPECT_NEAR(e.PalletUtilization, actual.PalletUtilization,
                  kEstimateAccuracy * actual.PalletUtilization);
      EXPECT_NEAR(e.FillRatio, actual.FillRatio, kEstimateAccuracy * actual.FillRatio);
      ++estimated;
    } else {
      EXPECT_FALSE(c.gridPallet) << "the grid pallet always has estimates";
    }
    if (ok) {
      EXPECT_EQ(actual, expected) << placements;
    }
    ++placements;
    accepted += ok;
  });
  EXPECT_GT(placements, 100);
  EXPECT_GT(accepted, 0);
  EXPECT_EQ(estimated, c.gridPallet ? placements : 0);
}

// A strategy without a plan of its own plugs in through the default one and
// loads every box as the grid's plan does; only its pallet estimate is missing.
TEST_P(PackBoxBuilderTest, PerBoxStrategyGivesTheGridsBoxes) {
  const BuilderCase& c = GetParam();
  const TProduct p = CaseProduct(c);
  const TOptimizationSettings s = CaseSettings(c);
  const TBoxCalculator grid(std::make_shared<TGridPalletOptimizer>());
  const TBoxCalculator perBox(std::make_shared<PerBoxGridPallet>());
  const TPackVariant pack = MakePackVariant(p, c.L, c.B, c.H, s);
  const TPackBoxBuilder fast(grid, p, pack, s);
  const TPackBoxBuilder slow(perBox, p, pack, s);
  TCancelToken token;
  int placements = 0;
  EnumeratePlacements(pack, p, s, token, [&](const TPackPlacement& placement) {
    TBoxVariant expected, actual;
    const bool ok = fast.Build(placement, expected);
    ASSERT_EQ(slow.Build(placement, actual), ok) << placements;
    EXPECT_EQ(actual.Pallet, expected.Pallet) << placements;
    if (ok) {
      EXPECT_EQ(actual, expected) << placements;
    }
    TBoxEstimate gridEstimate, perBoxEstimate;
    ASSERT_TRUE(fast.Estimate(placement, epCost | epFill, gridEstimate));
    ASSERT_TRUE(slow.Estimate(placement, epCost | epFill, perBoxEstimate));
    EXPECT_EQ(perBoxEstimate.PackagingCostPerM3, gridEstimate.PackagingCostPerM3);
    EXPECT_EQ(perBoxEstimate.FillRatio, gridEstimate.FillRatio);
    EXPECT_FALSE(slow.Estimate(placement, epPallet, perBoxEstimate));
    ++placements;
  });
  EXPECT_GT(placements, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackBoxBuilderTest,
    ::testing::Values(BuilderCase{"worked", 100, 50, 150, 3, 5, 5, false, 15, true},
                      BuilderCase{"odd sizes", 97.3, 41.7, 133.9, 2.7, 3.3, 1.1, false, 12, true},
                      BuilderCase{"no board", 120, 60, 80, 0, 0, 0, false, 20, true},
                      BuilderCase{"oversize", 250, 140, 300, 4, 4, 4, true, 40, true},
                      BuilderCase{"weight bound", 100, 50, 150, 3, 5, 5, false, 6, true},
                      BuilderCase{"other pallet", 100, 50, 150, 3, 5, 5, false, 15, false}));

TEST(PackBoxBuilder, PlacementOfAnotherPackIsBuiltTheOrdinaryWay) {
  const TProduct p = test::WorkedProduct();
  const TOptimizationSettings s = test::WorkedSettings();
  const TBoxCalculator calc(std::make_shared<TGridPalletOptimizer>());
  const TPackVariant pack = MakePackVariant(p, 100, 50, 150, s);
  const TPackVariant other = MakePackVariant(p, 90, 55, 150, s);
  const TPackBoxBuilder builder(calc, p, pack, s);
  TPackPlacement placement = OrientPack(other, poLBH);
  placement.CountX = 2;
  placement.CountY = 3;
  placement.CountZ = 1;
  placement.TotalCount = 6;
  TBoxVariant expected, actual;
  ASSERT_EQ(builder.Build(placement, actual), calc.Build(p, pack, placement, s, expected));
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(actual.LengthMM, 2 * 90 + 5 + 6);
}

}  // namespace
}  // namespace quelmora
