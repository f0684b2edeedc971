#include "calc/ResultRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/CostCalculator.h"
#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "io/CsvCodec.h"
#include "io/CsvResultExporter.h"
#include "io/LumarData.h"
#include "model/TextFormat.h"
#include "support/ResultColumnFigures.h"

namespace quelmora {
namespace {

using testing::ColumnFigures;

struct TSampleRun {
  TProjectData Project;
  TOptimizationResult Result;
};

// The sample assortment, calculated once for all tests here.
const TSampleRun& Sample() {
  static const TSampleRun run = [] {
    TSampleRun r;
    r.Project = LoadLumarProject();
    TCancelToken token;
    r.Result = TOptimizer().Execute(r.Project.Products, r.Project.Settings,
                                    *CreateCriterion(r.Project.OptimizationCriterion), token);
    return r;
  }();
  return run;
}

std::vector<std::string> CsvLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t stop = text.find("\r\n"); stop != std::string::npos;
       start = stop + 2, stop = text.find("\r\n", start))
    lines.push_back(text.substr(start, stop - start));
  return lines;
}

// The CSV export writes the same figures for every product, line by line.
TEST(ResultRowsTest, AgreeWithTheCsvExportOfTheSample) {
  const TSampleRun& run = Sample();
  const std::vector<TResultRow> rows = ResultRowsOf(run.Project, run.Result);
  ASSERT_EQ(rows.size(), 12u);
  const std::vector<std::string> lines =
      CsvLines(FormatResultCsv(run.Project.Products, run.Result));
  ASSERT_EQ(lines.size(), rows.size() + 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    const TResultRow& r = rows[i];
    const TOptimizationSolution& s = run.Result.Solutions[i];
    EXPECT_EQ(r.SolutionIndex, static_cast<int>(i));
    const std::string expected =
        CsvQuote(r.ProductName) + ";" +
        Format(
            "%.6f;%.6f;%.6f;%.6f;%.6f;%.6f;%d;%.6f;%.6f;%.6f;%.6f;%.8f;%.6f;%d;%.6f;%.6f;%.6f;%d",
            s.OriginalPack.LengthMM, s.OriginalPack.WidthMM, s.OriginalPack.HeightMM,
            r.PackLengthMM, r.PackWidthMM, r.PackHeightMM, r.PacksPerBox, r.BoxLengthMM,
            r.BoxWidthMM, r.BoxHeightMM, s.Box.GrossWeightKG, s.Box.BlankAreaM2, s.Box.BoxCost,
            r.BoxesPerPallet, r.CostPerUnitAfter, r.CostPerM3After, r.SavingPercent, r.GroupId);
    EXPECT_EQ(lines[i + 1], expected);
  }
}

// Before and after are the same calculation on the current and the proposed
// packaging, and the saving compares them per cubic metre.
TEST(ResultRowsTest, FiguresHoldTogether) {
  const TSampleRun& run = Sample();
  int savings = 0;
  for (const TResultRow& r : ResultRowsOf(run.Project, run.Result)) {
    const TOptimizationSolution& s = run.Result.Solutions[static_cast<size_t>(r.SolutionIndex)];
    EXPECT_EQ(r.ProductId, s.ProductId);
    EXPECT_DOUBLE_EQ(r.CostPerUnitAfter,
                     CalcCostPerUnit(s.Pack.Cost, s.Box.BoxCost, r.PacksPerBox));
    EXPECT_DOUBLE_EQ(
        r.CostPerUnitBefore,
        CalcCostPerUnit(s.OriginalPack.Cost, s.OriginalBox.BoxCost, s.OriginalBox.PackCount));
    EXPECT_NEAR(r.CostPerM3After * s.Pack.VolumeM3, r.CostPerUnitAfter, 1e-9 * r.CostPerUnitAfter);
    EXPECT_NEAR(r.CostPerM3Before * s.OriginalPack.VolumeM3, r.CostPerUnitBefore,
                1e-9 * r.CostPerUnitBefore);
    EXPECT_EQ(r.SavingPercent, CalcSavingPercent(r.CostPerM3Before, r.CostPerM3After));
    EXPECT_EQ(r.SavingPercent > 0, r.CostPerM3After < r.CostPerM3Before);
    EXPECT_EQ(r.PacksPerPalletAfter, int64_t{r.PacksPerBox} * r.BoxesPerPallet);
    EXPECT_EQ(r.PacksPerPalletBefore, int64_t{s.OriginalBox.PackCount} * s.OriginalBox.PalletCount);
    EXPECT_GT(r.PacksPerPalletBefore, 0);
    savings += r.SavingPercent > 0;
  }
  EXPECT_GT(savings, 0);
}

TEST(ResultRowsTest, AProductNoLongerInTheProjectGoesUnderItsId) {
  TProjectData project = Sample().Project;
  const TOptimizationSolution& s = Sample().Result.Solutions[3];
  const auto named = std::find_if(project.Products.begin(), project.Products.end(),
                                  [&](const TProduct& p) { return p.Id == s.ProductId; });
  ASSERT_NE(named, project.Products.end());
  EXPECT_EQ(ResultRowOf(project, Sample().Result, 3).ProductName, named->Name);
  project.Products.erase(named);
  EXPECT_EQ(ResultRowOf(project, Sample().Result, 3).ProductName, std::to_string(s.ProductId));
}

TEST(ResultRowsTest, PacksPerPalletNeedsBothCounts) {
  TBoxVariant box;
  box.PackCount = 36;
  EXPECT_EQ(PacksPerPallet(box), 0);
  box.PalletCount = 2000000;
  EXPECT_EQ(PacksPerPallet(box), 72000000);  // beyond 32 bits would wrap
  box.PackCount = 70000;
  EXPECT_EQ(PacksPerPallet(box), int64_t{70000} * 2000000);
}

// Sorting the sample's rows by a column leaves that column's figures in
// order, and the comparison is antisymmetric.
class ResultColumnOrderTest : public ::testing::TestWithParam<TResultColumn> {};

TEST_P(ResultColumnOrderTest, SortedRowsAreMonotone) {
  const TResultColumn column = GetParam();
  std::vector<TResultRow> rows = ResultRowsOf(Sample().Project, Sample().Result);
  std::reverse(rows.begin(), rows.end());
  std::stable_sort(rows.begin(), rows.end(), [&](const TResultRow& a, const TResultRow& b) {
    return CompareResultFigures(a, b, column) < 0;
  });
  int steps = 0;
  for (size_t i = 1; i < rows.size(); ++i) {
    EXPECT_LE(ColumnFigures(rows[i - 1], column), ColumnFigures(rows[i], column)) << i;
    EXPECT_EQ(CompareResultFigures(rows[i - 1], rows[i], column),
              -CompareResultFigures(rows[i], rows[i - 1], column));
    steps += ColumnFigures(rows[i - 1], column) < ColumnFigures(rows[i], column);
  }
  EXPECT_GT(steps, 0) << "the sample's rows differ in every column";
}

INSTANTIATE_TEST_SUITE_P(Columns, ResultColumnOrderTest,
                         ::testing::Values(rcGroup, rcPack, rcBox, rcPacksPerBox, rcBoxesPerPallet,
                                           rcCostPerUnitBefore, rcCostPerUnitAfter,
                                           rcCostPerM3Before, rcCostPerM3After, rcSaving));

}  // namespace
}  // namespace quelmora
