#include "calc/ResultLimits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quelmora {
namespace {

// A box of 3 × 2 × 2 packs 100 mm high, 210 mm tall and 2 kg, far from every
// limit; each case moves it (or the settings) onto one or more of them.
struct TLimitCase {
  const char* Name;
  int32_t CountX = 3, CountY = 2, CountZ = 2;
  double HeightMM = 210;
  double GrossKG = 2;
  double MaxBoxHeightMM = 400;
  double MaxPalletHeightMM = 1600;
  std::vector<TBindingLimit> Expected;
};

TOptimizationSettings Settings(const TLimitCase& c) {
  TOptimizationSettings s = DefaultSettings();
  s.MaxPacksPerBox = 40;
  s.MaxCountPerAxis = 10;
  s.MaxBoxHeightMM = c.MaxBoxHeightMM;
  s.MaxPalletHeightMM = c.MaxPalletHeightMM;
  s.PackMaterialGramsPerM2 = 200;
  return s;
}

TProduct Product() {
  TProduct p;
  p.ProductWeightG = 100;
  p.MaxBoxWeightKG = 12;
  return p;
}

// One pack weighs 100 g of product and 0.05 m² × 200 g/m² of material: 0.11 kg.
TOptimizationSolution Solution(const TLimitCase& c) {
  TOptimizationSolution s;
  s.Pack.SurfaceAreaM2 = 0.05;
  TPackPlacement& p = s.Box.PackPlacement;
  p.CountX = c.CountX;
  p.CountY = c.CountY;
  p.CountZ = c.CountZ;
  p.TotalCount = c.CountX * c.CountY * c.CountZ;
  p.PackDimZ = 100;
  // Without a recorded arrangement: a current box, full as far as counts go.
  s.Box.PackCount = p.TotalCount > 0 ? p.TotalCount : 40;
  s.Box.HeightMM = c.HeightMM;
  s.Box.GrossWeightKG = c.GrossKG;
  return s;
}

class ResultLimitsTest : public ::testing::TestWithParam<TLimitCase> {};

TEST_P(ResultLimitsTest, NamesTheLimitsTheBoxSitsAt) {
  const TLimitCase& c = GetParam();
  EXPECT_EQ(BindingLimits(Settings(c), Product(), Solution(c)), c.Expected);
}

using K = TLimitKind;
const TLimitCase kCases[] = {
    {"FarFromAll", 3, 2, 2, 210, 2, 400, 1600, {}},
    {"PacksPerBox", 5, 4, 2, 210, 2, 400, 1600, {{K::PacksPerBox, 40}}},
    {"BelowPacksPerBox", 6, 6, 1, 110, 2, 400, 1600, {}},
    {"PacksAlongLength", 10, 1, 1, 110, 2, 400, 1600, {{K::PacksPerAxis, 10}}},
    {"PacksInLayers", 1, 1, 10, 1010, 2, 4000, 4000, {{K::PacksPerAxis, 10}}},
    {"NinePacksAlongAnAxis", 9, 1, 1, 110, 2, 400, 1600, {}},
    {"OneMorePackTooHeavy", 3, 2, 2, 210, 11.95, 400, 1600, {{K::BoxWeight, 12}}},
    {"OneMorePackJustAllowed", 3, 2, 2, 210, 11.89, 400, 1600, {}},
    {"OneMoreLayerTooTall", 3, 2, 3, 310, 5, 400, 1600, {{K::BoxHeight, 400}}},
    {"OneMoreLayerExactlyFits", 3, 2, 2, 300, 5, 400, 1600, {}},
    {"PalletLoadLowerThanBox", 3, 2, 2, 260, 5, 400, 350, {{K::BoxHeight, 350}}},
    {"Several",
     4,
     1,
     10,
     1010,
     11.95,
     1050,
     1600,
     {{K::PacksPerBox, 40}, {K::PacksPerAxis, 10}, {K::BoxWeight, 12}, {K::BoxHeight, 1050}}},
    {"NoPlacementRecorded", 0, 0, 0, 1010, 50, 400, 1600, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ResultLimitsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quelmora
