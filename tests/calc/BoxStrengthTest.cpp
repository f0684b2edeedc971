#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

#include "calc/BoxStrength.h"
#include "support/StrengthBox.h"

namespace quelmora {
namespace {

constexpr double kNewtonsPerPoundForce = 4.4482216152605;
constexpr double kMMPerInch = 25.4;

// Published worked example of the simplified formula (calculatorfriend.com,
// "BCT calculator"): ECT 120 lb/in, perimeter 50 in, thickness 2.5 in gives
// about 7883.78 lb. Taken through the metric interface, with the outer sizes
// made from an inside perimeter of 50 in, so a wrong unit, constant or
// perimeter (outer for inner) fails it.
TEST(BoxStrengthTest, McKeeMatchesThePublishedWorkedExample) {
  const double t = 2.5 * kMMPerInch;
  const double insideL = 15 * kMMPerInch, insideW = 10 * kMMPerInch;
  const double ect = 120 * kNewtonsPerPoundForce / kMMPerInch;  // N/mm = kN/m
  const double n = McKeeBoxCompressionN(insideL + 2 * t, insideW + 2 * t, t, ect);
  EXPECT_NEAR(n / kNewtonsPerPoundForce, 7883.78, 1.0);
}

// The formula's units cancel: scaling every length by s scales the strength
// by s, and the strength is proportional to ECT. A hidden unit conversion or
// an outer-for-inner perimeter breaks one of these.
struct ScaleCase {
  const char* what;
  double lengthScale, ectScale, strengthScale;
  friend void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.what; }
};

class McKeeScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(McKeeScaleTest, ScalesAsTheFormulaDoes) {
  const ScaleCase& c = GetParam();
  const double base = McKeeBoxCompressionN(400, 300, 4, 7);
  const double s = c.lengthScale;
  EXPECT_NEAR(McKeeBoxCompressionN(400 * s, 300 * s, 4 * s, 7 * c.ectScale), base * c.strengthScale,
              base * 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, McKeeScaleTest,
                         ::testing::Values(ScaleCase{"same", 1, 1, 1},
                                           ScaleCase{"lengths doubled", 2, 1, 2},
                                           ScaleCase{"lengths in tenths", 0.1, 1, 0.1},
                                           ScaleCase{"ECT tripled", 1, 3, 3}));

// A box whose walls leave no inside, or a board without strength, must not
// get a strength (nor a NaN from a negative root).
TEST(BoxStrengthTest, NoInsideOrNoBoardGivesNoStrength) {
  EXPECT_EQ(McKeeBoxCompressionN(8, 300, 4, 7), 0);
  EXPECT_EQ(McKeeBoxCompressionN(400, 300, 0, 7), 0);
  EXPECT_EQ(McKeeBoxCompressionN(400, 300, 4, 0), 0);
  EXPECT_GT(McKeeBoxCompressionN(8.1, 300, 4, 7), 0);
}

// Each storage factor must never rise as its condition worsens, stay within
// (0, 1], and be 1 at the test's own conditions.
struct FactorCase {
  const char* what;
  double (*factor)(double);
  double reference;  // the test condition
  double from, to;   // a sweep past both ends of the table
  friend void PrintTo(const FactorCase& c, std::ostream* os) { *os << c.what; }
};

class StrengthFactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(StrengthFactorTest, OneAtTheReferenceAndMonotone) {
  const FactorCase& c = GetParam();
  EXPECT_EQ(c.factor(c.reference), 1.0);
  double previous = c.factor(c.from);
  bool fell = false;
  for (double x = c.from; x <= c.to; x += (c.to - c.from) / 1000) {
    const double f = c.factor(x);
    EXPECT_LE(f, previous) << x;
    EXPECT_GT(f, 0) << x;
    EXPECT_LE(f, 1) << x;
    fell = fell || f < previous;
    previous = f;
  }
  EXPECT_TRUE(fell) << "a constant factor reduces nothing";
  // Clamped outside the table: no extrapolation below zero or above one.
  EXPECT_EQ(c.factor(c.to * 10), c.factor(c.to));
}

INSTANTIATE_TEST_SUITE_P(Cases, StrengthFactorTest,
                         ::testing::Values(FactorCase{"humidity", HumidityFactor, 50, 0, 120},
                                           FactorCase{"time under load", TimeUnderLoadFactor, 0, 0,
                                                      400},
                                           FactorCase{"overhang", OverhangFactor, 0, 0, 60}));

// Interpolation must pass through its rows continuously: a factor just
// either side of a row differs by next to nothing (a wrong row index jumps).
TEST(BoxStrengthTest, FactorsAreContinuous) {
  for (double (*factor)(double) : {HumidityFactor, TimeUnderLoadFactor, OverhangFactor})
    for (double x = 0.5; x < 200; x += 0.5)
      EXPECT_NEAR(factor(x - 1e-9), factor(x + 1e-9), 1e-6) << x;
}

TEST(BoxStrengthTest, InterlockedLayersLoseMoreThanColumns) {
  EXPECT_EQ(StackingPatternFactor(TStackingPattern::Column), 1.0);
  EXPECT_LT(StackingPatternFactor(TStackingPattern::Interlocked), 0.8);
  EXPECT_GT(StackingPatternFactor(TStackingPattern::Interlocked), 0);
}

// The reduced strength is the estimate times every factor, never above it,
// and equal to it at the default (test) conditions.
struct ConditionsCase {
  const char* what;
  TStrengthConditions conditions;
  friend void PrintTo(const ConditionsCase& c, std::ostream* os) { *os << c.what; }
};

class ReducedStrengthTest : public ::testing::TestWithParam<ConditionsCase> {};

TEST_P(ReducedStrengthTest, ReducedIsTheEstimateTimesItsFactors) {
  TBoxStrengthInput in = Box400x300();
  in.Conditions = GetParam().conditions;
  const TBoxStrength s = EstimateBoxStrength(in);
  EXPECT_EQ(s.McKeeN, McKeeBoxCompressionN(400, 300, 4, 7));
  EXPECT_LE(s.ReducedN, s.McKeeN);
  EXPECT_DOUBLE_EQ(s.ReducedN,
                   s.McKeeN * s.HumidityFactor * s.TimeFactor * s.PatternFactor * s.OverhangFactor);
  if (in.Conditions == TStrengthConditions{}) {
    EXPECT_EQ(s.ReducedN, s.McKeeN);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReducedStrengthTest,
    ::testing::Values(ConditionsCase{"test conditions", {}},
                      ConditionsCase{"humid", {85, 0, TStackingPattern::Column, 0}},
                      ConditionsCase{"long", {50, 90, TStackingPattern::Column, 0}},
                      ConditionsCase{"interlocked", {50, 0, TStackingPattern::Interlocked, 0}},
                      ConditionsCase{"overhang", {50, 0, TStackingPattern::Column, 10}},
                      ConditionsCase{"all", {95, 365, TStackingPattern::Interlocked, 30}}));

// The bottom box carries its own column plus its share of every pallet
// above; a pallet spread over one box instead of the layer overstates it.
TEST(BoxStrengthTest, BottomBoxLoadSumsColumnAndPalletShare) {
  EXPECT_DOUBLE_EQ(BottomBoxLoadN({4, 10}), 40 * kStandardGravity);
  EXPECT_DOUBLE_EQ(BottomBoxLoadN({4, 10, 1, 600, 12}), (40 + 50) * kStandardGravity);
  EXPECT_DOUBLE_EQ(BottomBoxLoadN({4, 10, 2, 600, 12}), (40 + 100) * kStandardGravity);
  // Without boxes per layer the pallets have nothing to rest on: no share.
  EXPECT_DOUBLE_EQ(BottomBoxLoadN({4, 10, 2, 600, 0}), 40 * kStandardGravity);
}

// At SafeLayers the bottom box reaches the required factor, one layer more
// it does not: the count agrees with the factor a caller computes.
struct LayersCase {
  const char* what;
  double reducedN, boxKG, required, addedN;
  friend void PrintTo(const LayersCase& c, std::ostream* os) { *os << c.what; }
};

class MostSafeLayersTest : public ::testing::TestWithParam<LayersCase> {};

TEST_P(MostSafeLayersTest, FactorHoldsAtTheCountAndFailsOneAbove) {
  const LayersCase& c = GetParam();
  const int32_t n = MostSafeLayers(c.reducedN, c.boxKG, c.required, c.addedN);
  auto factorAt = [&](int32_t layers) {
    return SafetyFactorReached(c.reducedN, BottomBoxLoadN({layers - 1, c.boxKG}) + c.addedN);
  };
  if (n >= 1) {
    const double load = BottomBoxLoadN({n - 1, c.boxKG}) + c.addedN;
    EXPECT_TRUE(load <= 0 || factorAt(n) >= c.required) << n;
  }
  ASSERT_LT(n, std::numeric_limits<int32_t>::max());
  EXPECT_LT(factorAt(n + 1), c.required) << n;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MostSafeLayersTest,
    ::testing::Values(LayersCase{"typical", 3000, 12, 3, 0},
                      // Exactly on a boundary: 1000 N / (10 kg g) layers above at factor 1.
                      LayersCase{"boundary", 10 * kStandardGravity * 10, 10, 1, 0},
                      LayersCase{"boundary with a factor", 10 * kStandardGravity * 7 * 3, 10, 3, 0},
                      LayersCase{"pallets above", 3000, 12, 2, 600},
                      LayersCase{"bottom box alone fails", 1000, 12, 2, 600},
                      LayersCase{"heavy box", 100, 50, 1.5, 0},
                      LayersCase{"fractional factor", 2000, 7.3, 1.7, 13.1}));

TEST(BoxStrengthTest, MostSafeLayersRefusesNonsenseAndSaturates) {
  EXPECT_EQ(MostSafeLayers(0, 10, 2), 0);
  EXPECT_EQ(MostSafeLayers(1000, 10, 0), 0);
  EXPECT_EQ(MostSafeLayers(1000, -1, 2), 0);
  EXPECT_EQ(MostSafeLayers(std::numeric_limits<double>::quiet_NaN(), 10, 2), 0);
  // Weightless boxes never fail.
  EXPECT_EQ(MostSafeLayers(1000, 0, 2), std::numeric_limits<int32_t>::max());
}

TEST(BoxStrengthTest, EstimateFillsLoadFactorAndLayersConsistently) {
  TBoxStrengthInput in = Box400x300();
  in.Conditions = {85, 90, TStackingPattern::Column, 0};
  in.LoadN = 1200;
  in.GrossBoxWeightKG = 12;
  in.RequiredSafetyFactor = 1.5;
  const TBoxStrength s = EstimateBoxStrength(in);
  EXPECT_EQ(s.LoadN, 1200);
  EXPECT_EQ(s.SafetyFactor, s.ReducedN / 1200);
  EXPECT_EQ(s.SafeLayers, MostSafeLayers(s.ReducedN, 12, 1.5));
  in.LoadN = 0;
  in.GrossBoxWeightKG = 0;
  const TBoxStrength unloaded = EstimateBoxStrength(in);
  EXPECT_EQ(unloaded.SafetyFactor, 0);
  EXPECT_EQ(unloaded.SafeLayers, 0);
}

}  // namespace
}  // namespace quelmora
