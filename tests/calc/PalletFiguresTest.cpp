#include "calc/PalletFigures.h"

#include <gtest/gtest.h>

#include "calc/BestLayerPalletOptimizer.h"
#include "calc/PalletCalculator.h"

namespace quelmora {
namespace {

struct TFiguresCase {
  double BoxL, BoxW, BoxH;
  int32_t Packs;
  double GrossKG;
  TPalletSetup Pallet;
};

// A box loaded by the case's strategy on the pallet and its overhang.
TBoxVariant GridBox(const TFiguresCase& c) {
  TBoxVariant box;
  box.LengthMM = c.BoxL;
  box.WidthMM = c.BoxW;
  box.HeightMM = c.BoxH;
  box.PackCount = c.Packs;
  box.GrossWeightKG = c.GrossKG;
  const double o = c.Pallet.OverhangMM;
  box.Pallet =
      c.Pallet.Method == pmBestLayer
          ? TBestLayerPalletOptimizer(o).Calculate(c.BoxL, c.BoxW, c.BoxH, c.Pallet.LengthMM,
                                                   c.Pallet.WidthMM, c.Pallet.LoadHeightMM)
          : TGridPalletOptimizer().Calculate(c.BoxL, c.BoxW, c.BoxH, c.Pallet.LengthMM + 2 * o,
                                             c.Pallet.WidthMM + 2 * o, c.Pallet.LoadHeightMM);
  box.PalletCount = box.Pallet.BoxesPerPallet;
  box.PalletUtilization = box.Pallet.Utilization;
  return box;
}

class PalletFiguresTest : public ::testing::TestWithParam<TFiguresCase> {};

// Packs, height and weight: a figure built from the wrong count or missing
// the pallet's own share.
TEST_P(PalletFiguresTest, AddUpFromTheLoadingAndThePalletsOwnShare) {
  const TFiguresCase& c = GetParam();
  const TBoxVariant box = GridBox(c);
  const TPalletLayer layer = SolutionLayer(box, c.Pallet);
  const TPalletFigures f = PalletFiguresOf(box, layer, c.Pallet);
  EXPECT_EQ(f.BoxesPerPallet, f.BoxesPerLayer * f.LayerCount);
  EXPECT_EQ(f.PacksPerPallet, static_cast<int64_t>(f.BoxesPerPallet) * c.Packs);

  TPalletSetup bare = c.Pallet;
  bare.OwnHeightMM = bare.OwnWeightKG = 0;
  const TPalletFigures load = PalletFiguresOf(box, layer, bare);
  EXPECT_EQ(f.LoadHeightMM, load.LoadHeightMM + c.Pallet.OwnHeightMM);
  EXPECT_EQ(f.GrossWeightKG, load.GrossWeightKG + c.Pallet.OwnWeightKG);
  EXPECT_LE(load.LoadHeightMM, c.Pallet.LoadHeightMM + kLengthToleranceMM);
  EXPECT_DOUBLE_EQ(load.GrossWeightKG, f.BoxesPerPallet * c.GrossKG);
}

// The layer drawn is the layer counted, and the shares stay within what the
// pallet and its overhang hold.
TEST_P(PalletFiguresTest, TheLayerAgreesWithTheLoadingAndTheSharesAreBounded) {
  const TFiguresCase& c = GetParam();
  const TBoxVariant box = GridBox(c);
  const TPalletLayer layer = SolutionLayer(box, c.Pallet);
  ASSERT_EQ(layer.Count, box.Pallet.BoxesPerLayer);
  const TPalletFigures f = PalletFiguresOf(box, layer, c.Pallet);
  const double o = c.Pallet.OverhangMM, L = c.Pallet.LengthMM, W = c.Pallet.WidthMM;
  EXPECT_GT(f.AreaUsedPercent, 0);
  EXPECT_LE(f.AreaUsedPercent, 100 * (L + 2 * o) * (W + 2 * o) / (L * W) + 1e-9);
  EXPECT_LE(f.VolumeUsedPercent, f.AreaUsedPercent * (1 + 1e-12));
  EXPECT_EQ(f.Proven, f.MoreAtMost == 0);
  EXPECT_EQ(f.MoreAtMost, layer.UpperBound - layer.Count);
  // Without overhang the volume share is the strategy's own utilization.
  if (o == 0) {
    EXPECT_EQ(f.VolumeUsedPercent, box.PalletUtilization * 100);
  }
}

TPalletSetup Pallet(double l, double w, double ownH, double ownKG, double overhang, double load,
                    TPalletMethod method = pmColumnGrid) {
  return {l, w, ownH, ownKG, overhang, load, method};
}

INSTANTIATE_TEST_SUITE_P(
    Table, PalletFiguresTest,
    ::testing::Values(
        TFiguresCase{400, 300, 200, 24, 5.2, Pallet(1200, 800, 0, 0, 0, 1800)},
        TFiguresCase{433.4, 208, 384, 36, 4.011, Pallet(1200, 800, 144, 25, 0, 1800)},
        TFiguresCase{600, 400, 250, 12, 9.5, Pallet(1200, 1000, 150, 22, 30, 1600)},
        TFiguresCase{355, 165, 300, 40, 3.3, Pallet(1200, 800, 0, 0, 25, 1800)},
        TFiguresCase{250, 250, 250, 9, 2.0, Pallet(1200, 800, 144, 25, 0, 1000)},
        // The best layer: 7 where the grid holds 6, boxes turned both ways.
        TFiguresCase{433.4, 208, 384, 36, 4.011, Pallet(1200, 800, 144, 25, 0, 1800, pmBestLayer)},
        TFiguresCase{355, 165, 300, 40, 3.3, Pallet(1200, 800, 0, 0, 25, 1800, pmBestLayer)}));

// A box of a pallet without area has no shares instead of raising.
TEST(PalletFiguresEdgeTest, AnEmptyPalletHasNoShares) {
  TBoxVariant box;
  box.LengthMM = box.WidthMM = box.HeightMM = 100;
  const TPalletFigures f = PalletFiguresOf(box, {}, {});
  EXPECT_EQ(f.AreaUsedPercent, 0);
  EXPECT_EQ(f.VolumeUsedPercent, 0);
}

TEST(PalletSetupTest, TakesThePalletOfTheSettings) {
  TOptimizationSettings s = DefaultSettings();
  s.PalletLengthMM = 1210;
  s.PalletWidthMM = 805;
  s.MaxPalletHeightMM = 1650;
  s.PalletHeightMM = 144;
  s.PalletWeightKG = 25;
  s.PalletOverhangMM = 20;
  s.PalletMethod = pmBestLayer;
  const TPalletSetup p = PalletSetupOf(s);
  EXPECT_EQ(p.LengthMM, s.PalletLengthMM);
  EXPECT_EQ(p.WidthMM, s.PalletWidthMM);
  EXPECT_EQ(p.LoadHeightMM, s.MaxPalletHeightMM);
  EXPECT_EQ(p.OwnHeightMM, s.PalletHeightMM);
  EXPECT_EQ(p.OwnWeightKG, s.PalletWeightKG);
  EXPECT_EQ(p.OverhangMM, s.PalletOverhangMM);
  EXPECT_EQ(p.Method, s.PalletMethod);
}

// A box is turned when its length runs along the pallet's width; a square
// box never is.
TEST(IsTurnedTest, ByTheSideAlongThePalletLength) {
  struct {
    double PlacedLength, BoxL, BoxW;
    bool Turned;
  } const cases[] = {{400, 400, 300, false},
                     {300, 400, 300, true},
                     {200, 200, 200, false},
                     {300.0000001, 400, 300, true}};
  for (const auto& c : cases)
    EXPECT_EQ(IsTurned({0, 0, c.PlacedLength, 1}, c.BoxL, c.BoxW), c.Turned) << c.PlacedLength;
}

}  // namespace
}  // namespace quelmora
