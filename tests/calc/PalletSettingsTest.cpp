// The pallet settings' effect on one box: the overhang grows the grid's room,
// the loaded weight limit caps the layers, the factory passes both on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include "calc/BoxCalculator.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PalletCalculator.h"
#include "calc/PalletLayer.h"
#include "calc/PalletStrategy.h"
#include "calc/PalletWeightLimit.h"
#include "calc/Tolerances.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

struct TBoxCase {
  const char* What;
  double L, B, H;
  double GrossKG;
  friend void PrintTo(const TBoxCase& c, std::ostream* os) { *os << c.What; }
};

const TBoxCase kBoxes[] = {
    {"worked box", 311, 211, 306, 12.3867345},
    {"cube", 400, 400, 400, 20},
    {"flat", 600, 400, 120, 7.5},
    {"heavy", 300, 200, 250, 40},
    {"beyond the pallet", 1250, 900, 200, 10},
    {"tiny", 50, 40, 30, 0.2},
};

struct TPalletCase {
  double OverhangMM;
  double PalletWeightKG;
  double MaxLoadedKG;  // 0: no limit
};

const TPalletCase kPallets[] = {
    {0, 0, 0},     {0, 25, 0},    {30, 0, 0},  {75, 20, 0},  {0, 25, 500},  {0, 0, 300},
    {50, 25, 800}, {0, 25, 25.5}, {0, 30, 25}, {25, 0, 1e5}, {0, 0, 120.5}, {10, 5, 60},
};

TOptimizationSettings WithPallet(const TPalletCase& p) {
  TOptimizationSettings s = DefaultSettings();
  s.PalletOverhangMM = p.OverhangMM;
  s.PalletWeightKG = p.PalletWeightKG;
  s.MaxLoadedPalletWeightKG = p.MaxLoadedKG;
  return s;
}

TPalletResult Grid(const TBoxCase& b, const TOptimizationSettings& s) {
  return TGridPalletOptimizer(s.PalletOverhangMM)
      .Calculate(b.L, b.B, b.H, s.PalletLengthMM, s.PalletWidthMM, s.MaxPalletHeightMM);
}

bool SameBits(const TPalletResult& a, const TPalletResult& b) {
  return a == b && std::memcmp(&a.Utilization, &b.Utilization, sizeof(double)) == 0;
}

class PalletSettingsTest : public ::testing::TestWithParam<TBoxCase> {};

// An overhang of 0 must leave every result as it was; a wider room never
// holds fewer boxes; the grown room is the same grid as a larger pallet.
TEST_P(PalletSettingsTest, OverhangIsTheGridOfTheGrownRoom) {
  const TBoxCase& b = GetParam();
  const TOptimizationSettings s = DefaultSettings();
  const TPalletResult plain =
      TGridPalletOptimizer().Calculate(b.L, b.B, b.H, s.PalletLengthMM, s.PalletWidthMM, 1800);
  EXPECT_TRUE(SameBits(
      TGridPalletOptimizer(0).Calculate(b.L, b.B, b.H, s.PalletLengthMM, s.PalletWidthMM, 1800),
      plain));
  int32_t previous = plain.BoxesPerPallet;
  for (double o : {10.0, 25.0, 60.0, 150.0}) {
    SCOPED_TRACE(o);
    const TPalletResult grown =
        TGridPalletOptimizer(o).Calculate(b.L, b.B, b.H, s.PalletLengthMM, s.PalletWidthMM, 1800);
    EXPECT_TRUE(
        SameBits(grown, TGridPalletOptimizer().Calculate(b.L, b.B, b.H, s.PalletLengthMM + 2 * o,
                                                         s.PalletWidthMM + 2 * o, 1800)));
    EXPECT_GE(grown.BoxesPerPallet, previous);
    EXPECT_LE(grown.Utilization, 1 + 1e-12);
    // The layer the pallet view draws counts as the strategy does.
    EXPECT_EQ(GridLayer(s.PalletLengthMM, s.PalletWidthMM, b.L, b.B, o).Count, grown.BoxesPerLayer);
    previous = grown.BoxesPerPallet;
  }
}

// The pack plan of the fast path loads as Calculate does, overhang included.
TEST_P(PalletSettingsTest, PackPlanLoadsAsCalculateWithOverhang) {
  const TBoxCase& b = GetParam();
  for (double o : {0.0, 40.0}) {
    const TGridPalletOptimizer grid(o);
    const auto plan = grid.PreparePack({b.L, b.B}, {b.H}, 1200, 800, 1800);
    EXPECT_TRUE(SameBits(plan->Load(0, 1, 0), grid.Calculate(b.L, b.B, b.H, 1200, 800, 1800)));
    EXPECT_TRUE(SameBits(plan->Load(1, 0, 0), grid.Calculate(b.B, b.L, b.H, 1200, 800, 1800)));
  }
}

// The limit never raises the count, keeps pallet and load within it, takes
// no layer more than it must, and changes nothing without a limit.
TEST_P(PalletSettingsTest, WeightLimitCapsTheLayersAndNothingElse) {
  const TBoxCase& b = GetParam();
  for (const TPalletCase& p : kPallets) {
    SCOPED_TRACE(::testing::Message()
                 << p.OverhangMM << " " << p.PalletWeightKG << " " << p.MaxLoadedKG);
    const TOptimizationSettings s = WithPallet(p);
    const TPalletResult free = Grid(b, s);
    const TPalletResult capped = LimitPalletWeight(free, b.L, b.B, b.H, b.GrossKG, s);
    EXPECT_EQ(capped.BoxesPerLayer, free.BoxesPerLayer);
    EXPECT_EQ(capped.Rotated, free.Rotated);
    EXPECT_LE(capped.LayerCount, free.LayerCount);
    EXPECT_LE(capped.BoxesPerPallet, free.BoxesPerPallet);
    EXPECT_LE(capped.Utilization, free.Utilization);
    EXPECT_EQ(capped.BoxesPerPallet, capped.BoxesPerLayer * capped.LayerCount);
    if (p.MaxLoadedKG == 0) {
      EXPECT_TRUE(SameBits(capped, free));
      continue;
    }
    const double loadKG = capped.BoxesPerPallet * b.GrossKG;
    if (capped.BoxesPerPallet > 0) {
      EXPECT_LE(p.PalletWeightKG + loadKG, p.MaxLoadedKG + kWeightToleranceKG);
    }
    if (capped.LayerCount < free.LayerCount) {
      // One layer more would break the limit.
      EXPECT_GT(p.PalletWeightKG + loadKG + capped.BoxesPerLayer * b.GrossKG, p.MaxLoadedKG);
      // And the utilization is what the grid gives that many boxes.
      EXPECT_NEAR(capped.Utilization * free.BoxesPerPallet,
                  free.Utilization * capped.BoxesPerPallet, 1e-12);
    } else {
      EXPECT_TRUE(SameBits(capped, free));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Boxes, PalletSettingsTest, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) {
                           std::string name = info.param.What;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// The factory hands the overhang to the strategy it makes, for both methods.
TEST(MakePalletOptimizer, ChosenStrategyGetsTheOverhang) {
  for (TPalletMethod method : {pmColumnGrid, pmBestLayer}) {
    for (double o : {0.0, 35.0}) {
      TOptimizationSettings s = DefaultSettings();
      s.PalletMethod = method;
      s.PalletOverhangMM = o;
      const auto strategy = MakePalletOptimizer(s);
      ASSERT_NE(strategy, nullptr);
      for (const TBoxCase& b : kBoxes) {
        const TPalletResult got = strategy->Calculate(b.L, b.B, b.H, 1200, 800, 1800);
        const TPalletResult grid =
            TGridPalletOptimizer(o).Calculate(b.L, b.B, b.H, 1200, 800, 1800);
        // The best layer never holds fewer than the grid's.
        EXPECT_GE(got.BoxesPerLayer, grid.BoxesPerLayer) << b.What;
        if (method == pmColumnGrid) {
          EXPECT_TRUE(SameBits(got, grid)) << b.What;
        }
      }
    }
  }
}

// A box the limit leaves no layer for is refused, as one too large for the
// pallet is, unless oversize boxes are allowed; its count is 0 either way.
TEST(BoxCalculatorWeightLimit, NoLayerLeftRefusesTheBoxUnlessOversizeIsAllowed) {
  TPackPlacement placement = OrientPack(test::WorkedPack(), poLBH);
  placement.CountX = 3;
  placement.CountY = 4;
  placement.CountZ = 2;
  placement.TotalCount = 24;
  const TBoxCalculator calc(std::make_shared<TGridPalletOptimizer>());
  TOptimizationSettings s = test::WorkedSettings();
  TBoxVariant box;
  ASSERT_TRUE(calc.Build(test::WorkedProduct(), test::WorkedPack(), placement, s, box));
  const int32_t free = box.PalletCount;
  const double grossKG = box.GrossWeightKG;
  struct TLimitCase {
    double PalletKG, MaxKG;
    bool Oversize;
    bool Accepted;
  };
  const TLimitCase cases[] = {
      {25, 25 + 3 * 10 * grossKG, false, true},  // exactly three layers of ten
      {25, 25 + 10 * grossKG - 1e-3, false, false},
      {30, 20, false, false},  // the pallet alone is too heavy
      {30, 20, true, true},
  };
  for (const TLimitCase& c : cases) {
    s.PalletWeightKG = c.PalletKG;
    s.MaxLoadedPalletWeightKG = c.MaxKG;
    s.AllowOversizeBoxes = c.Oversize;
    EXPECT_EQ(calc.Build(test::WorkedProduct(), test::WorkedPack(), placement, s, box), c.Accepted)
        << c.MaxKG;
    EXPECT_LE(box.PalletCount, free);
    EXPECT_EQ(box.PalletCount, box.Pallet.BoxesPerPallet);
    EXPECT_EQ(box.PalletUtilization, box.Pallet.Utilization);
    if (c.Accepted && !c.Oversize) {
      EXPECT_EQ(box.PalletCount, 30);
    }
  }
}

}  // namespace
}  // namespace quelmora
