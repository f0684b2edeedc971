#include <gtest/gtest.h>

#include <ostream>

#include "calc/BoxBlankCalculator.h"
#include "calc/CostCalculator.h"
#include "model/Errors.h"
#include "support/ExpectError.h"

namespace quelmora {
namespace {

struct BlankCase {
  double L, B, H, T, G, area;
  friend void PrintTo(const BlankCase& c, std::ostream* os) {
    *os << c.L << "x" << c.B << "x" << c.H << " T" << c.T << " G" << c.G;
  }
};

class BoxBlankAreaTest : public ::testing::TestWithParam<BlankCase> {};

TEST_P(BoxBlankAreaTest, Area) {
  const BlankCase& c = GetParam();
  EXPECT_DOUBLE_EQ(BoxBlankAreaM2(c.L, c.B, c.H, c.T, c.G), c.area);
}

INSTANTIATE_TEST_SUITE_P(Cases, BoxBlankAreaTest,
                         ::testing::Values(BlankCase{300, 200, 150, 0, 0, 0.35},
                                           BlankCase{306, 206, 156, 3, 30, 0.369884},
                                           BlankCase{311, 211, 306, 3, 30, 0.541149},
                                           BlankCase{410, 310, 210, 3, 40, 0.75301}));

TEST(CostCalculator, WorkedFigures) {
  EXPECT_EQ(CalcBoxCost(0.5, 60), 30);
  EXPECT_DOUBLE_EQ(CalcCostPerUnit(0.5, 12, 24), 1.0);
  EXPECT_NEAR(CalcCostPerM3(0.5, 12, 0.00075, 24), 1333.3333333, 1e-6);
}

TEST(CostCalculator, SavingPercent) {
  EXPECT_DOUBLE_EQ(CalcSavingPercent(100, 80), 20);
  EXPECT_DOUBLE_EQ(CalcSavingPercent(100, 120), -20);
  EXPECT_EQ(CalcSavingPercent(0, 5), 0);
  EXPECT_EQ(CalcSavingPercent(-1, 5), 0);
}

TEST(CostCalculator, DivisionFaultsAreErrors) {
  EXPECT_ERROR_KIND(CalcCostPerUnit(0.5, 12, 0), TErrorKind::DivisionByZero);
  EXPECT_ERROR_KIND(CalcCostPerUnit(0.5, 0, 0), TErrorKind::InvalidOperation);
  EXPECT_ERROR_KIND(CalcCostPerM3(0.5, 12, 0, 24), TErrorKind::DivisionByZero);
  EXPECT_ERROR_KIND(CalcCostPerM3(0.5, 12, 1e-310, 24), TErrorKind::Overflow);
}

}  // namespace
}  // namespace quelmora
