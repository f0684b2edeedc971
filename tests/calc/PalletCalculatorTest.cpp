#include <gtest/gtest.h>

#include <ostream>

#include <limits>

#include "calc/PalletCalculator.h"

namespace quelmora {
namespace {

struct PalletCase {
  const char* what;
  double L, B, H, palletL, palletB, maxHeight;
  int perLayer, layers, perPallet;
  bool rotated;
  double utilization;
  friend void PrintTo(const PalletCase& c, std::ostream* os) { *os << c.what; }
};

class GridPalletTest : public ::testing::TestWithParam<PalletCase> {};

TEST_P(GridPalletTest, Loading) {
  const PalletCase& c = GetParam();
  const TPalletResult r =
      TGridPalletOptimizer().Calculate(c.L, c.B, c.H, c.palletL, c.palletB, c.maxHeight);
  EXPECT_EQ(r.BoxesPerLayer, c.perLayer);
  EXPECT_EQ(r.LayerCount, c.layers);
  EXPECT_EQ(r.BoxesPerPallet, c.perPallet);
  EXPECT_EQ(r.Rotated, c.rotated);
  EXPECT_NEAR(r.Utilization, c.utilization, 5e-8);
}

constexpr int kMax = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, GridPalletTest,
    ::testing::Values(
        PalletCase{"turned wins", 311, 211, 306, 1200, 800, 1600, 10, 5, 50, true, 0.6536467},
        PalletCase{"tie keeps straight", 400, 400, 400, 1200, 800, 1600, 6, 4, 24, false, 1},
        PalletCase{"height within tolerance", 300, 200, 1600.000000001, 1200, 800, 1600, 16, 1, 16,
                   false, 16 * 300 * 200 * 1600.000000001 / (1200.0 * 800 * 1600)},
        PalletCase{"too high", 300, 200, 1601, 1200, 800, 1600, 16, 0, 0, false, 0},
        PalletCase{"too long both ways", 1300, 900, 100, 1200, 800, 1600, 0, 16, 0, false, 0},
        PalletCase{"exact fit", 600, 400, 800, 1200, 800, 1600, 4, 2, 8, false, 1},
        PalletCase{"zero length", 0, 200, 100, 1200, 800, 1600, 0, 0, 0, false, 0},
        PalletCase{"negative height", 300, 200, -1, 1200, 800, 1600, 0, 0, 0, false, 0},
        // Sub-micrometre boxes: the counts saturate instead of wrapping.
        PalletCase{"absurdly small", 1e-6, 1e-6, 1e-3, 1200, 800, 1600, kMax, 1600000, kMax, false,
                   kMax * 1e-6 * 1e-6 * 1e-3 / (1200.0 * 800 * 1600)}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

}  // namespace
}  // namespace quelmora
