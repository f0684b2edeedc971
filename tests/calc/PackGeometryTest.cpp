#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include "calc/PackGeometry.h"
#include "calc/UnitConversion.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

using test::WorkedProduct;
using test::WorkedSettings;

TEST(UnitConversion, Constants) {
  EXPECT_EQ(MM3ToM3(750000000), 0.75);
  EXPECT_EQ(M3ToDM3(0.75), 750);
  EXPECT_EQ(MM2ToM2(60500), 0.0605);
  EXPECT_EQ(GramsToKG(500), 0.5);
}

TEST(MakePackVariant, SamplePackOfTheWorkedExample) {
  const TPackVariant v = MakePackVariant(WorkedProduct(), 100, 50, 150, WorkedSettings());
  EXPECT_EQ(v.ProductId, 1);
  EXPECT_DOUBLE_EQ(v.VolumeM3, 0.00075);
  EXPECT_DOUBLE_EQ(v.VolumeDM3, 0.75);
  EXPECT_EQ(v.VolumeDeviationPercent, 0);
  EXPECT_DOUBLE_EQ(v.SurfaceAreaM2, 0.0605);
  EXPECT_DOUBLE_EQ(v.Cost, 0.0726);
  EXPECT_EQ(v.RatioLB, 2);
  EXPECT_EQ(v.RatioHB, 3);
  EXPECT_EQ(v.GeometryPenalty, 0);
  EXPECT_EQ(v.DimensionPenalty, 0);
  EXPECT_NEAR(v.Score, 7.329053, 5e-7);
  EXPECT_EQ(v.Score, 0.0605 / std::pow(0.00075, 2.0 / 3.0));
}

TEST(MakePackVariant, LongerPackIsPenalised) {
  const TPackVariant v = MakePackVariant(WorkedProduct(), 110, 50, 150, WorkedSettings());
  EXPECT_NEAR(v.GeometryPenalty, 0.1, 1e-12);
  EXPECT_NEAR(v.DimensionPenalty, 0.1 / 3, 1e-12);
  EXPECT_NEAR(v.VolumeDeviationPercent, 10, 1e-9);
  const double base = v.SurfaceAreaM2 / std::pow(v.VolumeM3, 2.0 / 3.0);
  EXPECT_NEAR(v.Score, base + 0.1 * 0.1 + 0.1 * (0.1 / 3), 1e-12);
}

TEST(MakePackVariant, ZeroFlapGivesPlainSurface) {
  TOptimizationSettings s = WorkedSettings();
  s.FlapMM = 0;
  const TPackVariant v = MakePackVariant(WorkedProduct(), 120, 70, 90, s);
  EXPECT_DOUBLE_EQ(v.SurfaceAreaM2, 2 * (120.0 * 70 + 70.0 * 90 + 120.0 * 90) / 1e6);
}

TEST(MakePackVariant, DivisionFaultsAreErrors) {
  TProduct p = WorkedProduct();
  p.OriginalLengthMM = 0;  // the sample volume becomes 0
  EXPECT_ERROR_KIND(MakePackVariant(p, 100, 50, 150, WorkedSettings()), TErrorKind::DivisionByZero);
  p = WorkedProduct();
  p.RatioLB = 0;
  EXPECT_ERROR_KIND(MakePackVariant(p, 100, 50, 150, WorkedSettings()), TErrorKind::DivisionByZero);
  EXPECT_ERROR_KIND(MakePackVariant(WorkedProduct(), 0, 0, 150, WorkedSettings()),
                    TErrorKind::InvalidOperation);
}

struct LimitCase {
  const char* what;
  double L, B, H;
  double minVolume, maxVolume;
  bool within;
  friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.what; }
};

class PackWithinLimitsTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(PackWithinLimitsTest, BandAndVolume) {
  const LimitCase& c = GetParam();
  TProduct p = WorkedProduct();
  p.MinVolumeM3 = c.minVolume;
  p.MaxVolumeM3 = c.maxVolume;
  const TOptimizationSettings s = WorkedSettings();  // band -15 % .. +15 %
  // Built from the sample and then resized, so that a NaN can be tried too.
  TPackVariant v = MakePackVariant(p, 100, 50, 150, s);
  v.LengthMM = c.L;
  v.WidthMM = c.B;
  v.HeightMM = c.H;
  v.VolumeM3 = c.L * c.B * c.H / 1e9;
  EXPECT_EQ(PackWithinLimits(v, p, s), c.within) << c.what;
}

const double kLengthHi = 100 * (1 + 15.0 / 100);

INSTANTIATE_TEST_SUITE_P(
    Cases, PackWithinLimitsTest,
    ::testing::Values(
        LimitCase{"sample", 100, 50, 150, 0.0001, 0.01, true},
        LimitCase{"1e-9 above the band", kLengthHi + 1e-9, 50, 150, 0.0001, 0.01, true},
        LimitCase{"1e-7 above the band", kLengthHi + 1e-7, 50, 150, 0.0001, 0.01, false},
        LimitCase{"width below the band", 100, 42, 150, 0.0001, 0.01, false},
        LimitCase{"height above the band", 100, 50, 173, 0.0001, 0.01, false},
        LimitCase{"volume 1e-13 above max", 100, 50, 150, 0.0001, 0.00075 - 1e-13, true},
        LimitCase{"volume 1e-11 above max", 100, 50, 150, 0.0001, 0.00075 - 1e-11, false},
        LimitCase{"volume below min", 100, 50, 150, 0.0008, 0.01, false},
        LimitCase{"NaN length", std::nan(""), 50, 150, 0.0001, 0.01, false}));

}  // namespace
}  // namespace quelmora
