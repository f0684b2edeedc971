#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ReportFixture.h"
#include "calc/PalletCalculator.h"
#include "l10n/Localization.h"
#include "report/PalletPreview.h"
#include "report/RecordingSurface.h"
#include "report/ReportPages.h"
#include "report/ReportTexts.h"

namespace quelmora {
namespace {

using Kind = TRecordingSurface::TKind;
using testing::MakeSolution;

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TProduct Product(int32_t id, const std::string& name) {
  TProduct p = DefaultProduct(id);
  p.Name = name;
  return p;
}

TEST(CompareProductNamesTest, NumbersCompareAsNumbers) {
  EXPECT_LT(CompareProductNames("9", "10"), 0);
  EXPECT_GT(CompareProductNames("10", "9"), 0);
  EXPECT_EQ(CompareProductNames("  +10", "10"), 0);
  EXPECT_LT(CompareProductNames("-5", "3"), 0);
  EXPECT_EQ(CompareProductNames("$A", "10"), 0);
  EXPECT_EQ(CompareProductNames("0x1f", "x1F"), 0);
  EXPECT_LT(CompareProductNames("-9223372036854775808", "-1"), 0);
  // Out of range: compared as text, where "1" < "9".
  EXPECT_LT(CompareProductNames("10000000000000000000", "99999999999999999999"), 0);
}

TEST(CompareProductNamesTest, TextsCompareByUtf16CodeUnitsFoldingOnlyAsciiLetters) {
  EXPECT_EQ(CompareProductNames("apple", "APPLE"), 0);
  EXPECT_LT(CompareProductNames("Apple", "apples"), 0);
  EXPECT_LT(CompareProductNames("10", "Чай"), 0);
  EXPECT_NE(CompareProductNames("чай", "Чай"), 0);
  EXPECT_GT(CompareProductNames("_", "a"), 0);  // 'A' (0x41) < '_' (0x5F)
  // U+1F600 is a surrogate pair (0xD83D ...), below U+FF21 in UTF-16 but above it in UTF-8.
  EXPECT_LT(CompareProductNames("\xF0\x9F\x98\x80", "\xEF\xBC\xA1"), 0);
}

TEST(ReportOrderTest, GroupThenName) {
  TProjectData project;
  project.Products = {Product(1, "b"), Product(2, "10"), Product(3, "9"), Product(4, "APPLE")};
  TOptimizationResult result;
  const int groups[] = {2, 1, 1, 2};
  for (int i = 0; i < 4; ++i) {
    result.Solutions.push_back(MakeSolution(i + 1, 100, 50, 150));
    result.Solutions.back().UnifiedGroupId = groups[i];
  }
  EXPECT_EQ(ReportOrder(project, result), (std::vector<size_t>{2, 1, 3, 0}));
}

TEST(FindReportProductTest, AMissingProductIsNamedByItsId) {
  TProjectData project;
  project.Products = {Product(1, "Чай")};
  EXPECT_EQ(FindReportProduct(project, 1).Name, "Чай");
  const TProduct missing = FindReportProduct(project, 42);
  EXPECT_EQ(missing.Id, 42);
  EXPECT_EQ(missing.Name, "42");
  EXPECT_EQ(missing.ProductWeightG, 0);
}

class ReportPageTest : public testing::ReportFixture {
 protected:
  ReportPageTest() {
    project.Settings = DefaultSettings();
    project.Settings.CurrencySymbol = "$";
    options.Numbers.DecimalSeparator = ",";
    options.Timestamp = "05.06.2025 14:30";
  }

  TProjectData project;
  TReportOptions options;
};

TEST_F(ReportPageTest, SummaryListsTheTargetGroupsOnly) {
  project.Products = {Product(1, "Чай"), Product(2, "Кофе"), Product(3, "Сахар")};
  TOptimizationResult result;
  const int groups[] = {4, 2, 1};
  for (int i = 0; i < 3; ++i) {
    result.Solutions.push_back(MakeSolution(i + 1, 100, 50, 150));
    result.Solutions.back().UnifiedGroupId = groups[i];
    result.Solutions.back().Box.PackagingCostPerM3 = 1000.0 * (i + 1);
  }
  result.AverageCostPerM3 = 2000;
  TRecordingSurface canvas;
  RenderSummaryPage(canvas, project, result, ReportOrder(project, result), options);

  const std::vector<std::string> texts = canvas.Texts();
  for (const char* text :
       {"ОТЧЁТ ПО ОПТИМИЗАЦИИ УПАКОВКИ", "Сводка расчёта от 05.06.2025 14:30", "Страница 1", "3",
        "2000,00 $", "Критерий: Стоимость / м³", "Отклонение размеров: -15,0 … 15,0 %",
        "Зазоры L/B: 4,0 / 4,0 мм", "Паллета: 1200 × 800 мм; высота: 1800 мм",
        "Средняя стоимость / м³", "3000,00 $", "2000,00 $", "Сахар", "Кофе", "Чай"})
    EXPECT_TRUE(Contains(texts, text)) << text;

  // Group rows start at 579; group 4 is above the target count and is not listed.
  std::vector<std::string> groupColumn;
  for (const auto& call : canvas.CallsOf(Kind::TextOut))
    if (call.Rect.Left == 76 && call.Rect.Top > 579) groupColumn.push_back(call.Text);
  EXPECT_EQ(groupColumn, (std::vector<std::string>{"1", "2"}));

  // Distribution rows in report order: Сахар (1), Кофе (2), Чай (4).
  std::vector<std::string> names;
  for (const auto& call : canvas.CallsOf(Kind::TextOut))
    if (call.Rect.Left == 74 && call.Font.Bold == false) names.push_back(call.Text);
  EXPECT_EQ(names, (std::vector<std::string>{"Сахар", "Кофе", "Чай"}));
}

TEST_F(ReportPageTest, SummaryIsTranslated) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  project.Products = {Product(1, "Крупа гречневая")};
  project.OptimizationCriterion = ckPalletUtilization;
  TOptimizationResult result;
  result.Solutions.push_back(MakeSolution(1, 100, 50, 150));
  TRecordingSurface canvas;
  RenderSummaryPage(canvas, project, result, {0}, options);
  const std::vector<std::string> texts = canvas.Texts();
  for (const char* text :
       {"PACKAGING OPTIMIZATION REPORT", "Calculation summary of 05.06.2025 14:30", "Page 1",
        "Criterion: Pallet fill", "Pallet: 1200 × 800 mm; height: 1800 mm", "Unified boxes",
        "Крупа гречневая", "100,0 × 50,0 × 150,0",
        "quelmora — packaging optimization for bulk products"})
    EXPECT_TRUE(Contains(texts, text)) << text;
}

TEST_F(ReportPageTest, SummaryStaysOnePageAndSaysHowManyRowsItLeftOut) {
  TOptimizationResult result;
  for (int i = 1; i <= 40; ++i) {
    project.Products.push_back(Product(i, "Изделие " + std::to_string(i)));
    result.Solutions.push_back(MakeSolution(i, 100, 50, 150));
  }
  std::vector<size_t> order(40);
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  TRecordingSurface canvas;
  RenderSummaryPage(canvas, project, result, order, options);
  int rows = 0;
  for (const auto& call : canvas.CallsOf(Kind::FillRect)) {
    if (call.Rect.Left == 64 && call.Rect.Height() == 43) {
      ++rows;
      EXPECT_LE(call.Rect.Bottom, 1690);
    }
  }
  EXPECT_GT(rows, 10);
  EXPECT_TRUE(Contains(canvas.Texts(), "Ещё изделий: " + std::to_string(40 - rows)));
}

// Up to 50 unified boxes: their table must leave the footer and the
// distribution table on the page, and account for every group.
class SummaryGroups : public testing::ReportFixture, public ::testing::WithParamInterface<int> {};

TEST_P(SummaryGroups, StayAboveTheDistributionAndTheFooter) {
  const int groupCount = GetParam();
  TProjectData project;
  project.Settings = DefaultSettings();
  project.Settings.TargetUnifiedBoxCount = groupCount;
  TOptimizationResult result;
  std::vector<size_t> order;
  for (int i = 1; i <= groupCount + 10; ++i) {
    project.Products.push_back(Product(i, "Изделие " + std::to_string(i)));
    result.Solutions.push_back(MakeSolution(i, 100, 50, 150));
    result.Solutions.back().UnifiedGroupId = (i - 1) % groupCount + 1;
    order.push_back(order.size());
  }
  TReportOptions options;
  TRecordingSurface canvas;
  RenderSummaryPage(canvas, project, result, order, options);

  int groupRows = 0;
  int distributionRows = 0;
  for (const auto& call : canvas.CallsOf(Kind::FillRect)) {
    if (call.Rect.Left != 64 || call.Rect.Top < 535) continue;
    EXPECT_LE(call.Rect.Bottom, 1690) << "over the footer";
    if (call.Rect.Height() == 48) ++groupRows;
    if (call.Rect.Height() == 43) ++distributionRows;
  }
  EXPECT_GE(distributionRows, 3);
  const auto outs = canvas.CallsOf(Kind::TextOut);
  const auto heading = std::find_if(
      outs.begin(), outs.end(), [](const auto& c) { return c.Text == "Распределение изделий"; });
  ASSERT_NE(heading, outs.end());
  for (const auto& call : outs) {  // the group rows' texts, the more line too
    if (call.Font.SizePt == 13 && call.Rect.Top > 535 + 44) {
      EXPECT_LT(call.Rect.Bottom, heading->Rect.Top) << call.Text;
    }
  }
  const std::string more = "Ещё групп: " + std::to_string(groupCount - groupRows);
  EXPECT_EQ(Contains(canvas.Texts(), more), groupRows < groupCount) << groupRows;
}

INSTANTIATE_TEST_SUITE_P(Table, SummaryGroups, ::testing::Values(1, 3, 17, 18, 24, 50));

TEST_F(ReportPageTest, ProductPageShowsACostIncreaseAndNoComparisonWithoutReference) {
  project.Products = {Product(99, "Товар")};
  TOptimizationSolution s = MakeSolution(99, 100, 50, 150);
  s.SavingPercent = -12.34;
  s.UnifiedGroupId = 2;
  TRecordingSurface canvas;
  RenderProductPage(canvas, project, s, 2, options);
  const std::vector<std::string> texts = canvas.Texts();
  for (const char* text :
       {"ИЗДЕЛИЕ: Товар", "Группа унификации 2 · Ящик 410,0 × 310,0 × 210,0 мм", "Страница 2",
        "100,0 × 50,0 × 150,0 мм", "4 × 6 в слое; слоёв: 1; всего: 24", "ОПТИМАЛЬНЫЙ ВАРИАНТ",
        "Укладка: 4 × 6 × 1, L-B-H", "Масса продукта в пачке: 500,0 г", "ИСХОДНЫЙ ВАРИАНТ",
        "Удорожание: 12,3 %"})
    EXPECT_TRUE(Contains(texts, text)) << text;
  EXPECT_FALSE(Contains(texts, "СРАВНЕНИЕ С ЛУМАР"));

  // Headings are bold navy, detail lines regular, 34 pixels apart.
  const auto outs = canvas.CallsOf(Kind::TextOut);
  const auto heading = std::find_if(outs.begin(), outs.end(),
                                    [](const auto& c) { return c.Text == "Удорожание: 12,3 %"; });
  ASSERT_NE(heading, outs.end());
  EXPECT_EQ(heading->Rect.Left, 674);
  EXPECT_EQ(heading->Rect.Top, 690 + 10 * 34);
  EXPECT_EQ(heading->Font, (TRecordingSurface::TFont{"Segoe UI", 15, true, 0x223449}));
}

TEST_F(ReportPageTest, ProductPageComparesWithTheReferenceData) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  project.Products = {Product(5, "Какао")};
  TOptimizationSolution s = MakeSolution(5, 76.5, 47.9, 112);
  s.SavingPercent = 22.04;
  s.Box.PackagingCostPerM3 = 1400;
  TRecordingSurface canvas;
  RenderProductPage(canvas, project, s, 3, options);
  const std::vector<std::string> texts = canvas.Texts();
  for (const char* text :
       {"PRODUCT: Какао", "Page 3", "Saving: 22,0 %", "COMPARISON WITH LUMAR",
        "LUMAR packs per box: 42", "LUMAR box (inner): 336,0 × 154,0 × 336,0 mm",
        "LUMAR, packaging / m³: 1436,18 $", "quelmora, packaging / m³: 1400,00 $",
        "Product weight per pack: 500,0 g", "Per pallet: 0 (0 × 0)"})
    EXPECT_TRUE(Contains(texts, text)) << text;
  const auto outs = canvas.CallsOf(Kind::TextOut);
  const auto heading = std::find_if(
      outs.begin(), outs.end(), [](const auto& c) { return c.Text == "COMPARISON WITH LUMAR"; });
  ASSERT_NE(heading, outs.end());
  EXPECT_EQ(heading->Rect.Top, 690 + 11 * 34 + 22);
}

// Another project's product 5 is not the sample's cocoa: no comparison.
TEST_F(ReportPageTest, ProductPageComparesOnlyWhenIdAndNameMatch) {
  for (const char* name : {"Какао", "какао", "Какао растворимое", "Сахар"}) {
    project.Products = {Product(5, name)};
    TRecordingSurface canvas;
    RenderProductPage(canvas, project, MakeSolution(5, 76.5, 47.9, 112), 3, options);
    EXPECT_EQ(Contains(canvas.Texts(), "СРАВНЕНИЕ С ЛУМАР"), std::string(name) == "Какао") << name;
  }
}

TEST_F(ReportPageTest, TextsWiderThanTheirColumnAreShortened) {
  project.Products = {Product(1, std::string(200, 'W'))};
  TOptimizationResult result;
  result.Solutions.push_back(MakeSolution(1, 100, 50, 150));
  TRecordingSurface canvas;
  RenderSummaryPage(canvas, project, result, {0}, options);
  RenderProductPage(canvas, project, result.Solutions[0], 2, options);
  for (const auto& call : canvas.CallsOf(Kind::TextOut)) {
    if (call.Text.find("WWW") == std::string::npos) continue;
    EXPECT_NE(call.Text.find("…"), std::string::npos);
    EXPECT_LE(call.Rect.Right, 1176);
  }
}

// What a call covers: its rectangle, or the box around a line's ends.
TRect Extent(const TRecordingSurface::TCall& call) {
  if (call.Kind != Kind::Line && call.Kind != Kind::Polygon) return call.Rect;
  TRect r{call.Points[0].X, call.Points[0].Y, call.Points[0].X, call.Points[0].Y};
  for (const TPoint& p : call.Points) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X + 1);
    r.Bottom = std::max(r.Bottom, p.Y + 1);
  }
  return r;
}

bool Within(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

bool Meet(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Both pallet sections, with and without the reference block: drawn last,
// each element lies on the page and either clear of every earlier element
// or wholly on it (the page, the column panel); a section moved onto the
// details, off the page, or with the wrong figures fails.
TEST_F(ReportPageTest, PalletSectionsOverlapNothingAndShowTheirFigures) {
  const TGridPalletOptimizer grid;
  for (const auto& [id, name] : {std::pair{99, "Товар"}, std::pair{5, "Какао"}}) {
    project.Products = {Product(id, name)};
    TOptimizationSolution s = MakeSolution(id, 76.5, 47.9, 112);
    s.Box.Pallet = grid.Calculate(410, 310, 210, 1200, 800, 1800);
    s.OriginalBox = s.Box;
    s.OriginalBox.LengthMM = 400;
    s.OriginalBox.WidthMM = 300;
    s.OriginalBox.Pallet = grid.Calculate(400, 300, 210, 1200, 800, 1800);
    TRecordingSurface canvas;
    RenderProductPage(canvas, project, s, 2, options);
    const auto& calls = canvas.Calls();
    const auto first = std::find_if(calls.begin(), calls.end(),
                                    [](const auto& c) { return c.Text == RPalletHeading; });
    ASSERT_NE(first, calls.end()) << name;
    const TRect page{0, 0, ReportPageWidth, ReportPageHeight};
    const TRect columns[] = {{64, 660, 590, 1669}, {650, 660, 1176, 1669}};
    for (auto later = first; later != calls.end(); ++later) {
      const TRect r = Extent(*later);
      EXPECT_TRUE(Within(r, page));
      EXPECT_TRUE(Within(r, columns[0]) || Within(r, columns[1])) << later->Text;
      for (auto earlier = calls.begin(); earlier != first; ++earlier)
        if (Meet(r, Extent(*earlier))) {
          EXPECT_TRUE(Within(r, Extent(*earlier)))
              << name << ": " << later->Text << " on " << earlier->Text;
        }
    }

    const TPalletSetup pallet = PalletSetupOf(project.Settings);
    const std::vector<std::string> texts = canvas.Texts();
    for (const TBoxVariant* box : {&s.Box, &s.OriginalBox})
      for (const std::string& line : PalletFigureLines(
               options.Numbers, PalletFiguresOf(*box, SolutionLayer(*box, pallet), pallet)))
        EXPECT_TRUE(Contains(texts, line)) << line;
    EXPECT_EQ(std::count(texts.begin(), texts.end(), RPalletHeading), 2);
  }
}

struct ReportStrengthCase {
  const char* Name;
  int32_t ProductId;  // 5 has the reference block, 99 not
  double Ect;
  double Required;
  bool Warnings;  // some figure misses its target
};

class ReportStrength : public ReportPageTest,
                       public ::testing::WithParamInterface<ReportStrengthCase> {};

// The strength lines sit beside the pallet picture: on the page, in their
// column, clear of everything else, in the warning colour exactly where the
// figure misses its target; nothing above the pallet sections moves.
TEST_P(ReportStrength, LinesBesideThePictureOverlapNothing) {
  const ReportStrengthCase& c = GetParam();
  const TGridPalletOptimizer grid;
  project.Products = {Product(c.ProductId, "Изделие")};
  TOptimizationSolution s = MakeSolution(c.ProductId, 76.5, 47.9, 112);
  s.Box.GrossWeightKG = 12;
  s.Box.Pallet = grid.Calculate(410, 310, 210, 1200, 800, 1800);
  s.OriginalBox = s.Box;
  s.OriginalBox.LengthMM = 400;
  s.OriginalBox.WidthMM = 300;
  s.OriginalBox.Pallet = grid.Calculate(400, 300, 210, 1200, 800, 1800);
  TRecordingSurface off(105);  // about the report font's width at 150 dpi
  RenderProductPage(off, project, s, 2, options);
  project.Settings.EdgeCrushKNPerM = c.Ect;
  project.Settings.RequiredSafetyFactor = c.Required;
  TRecordingSurface on(105);
  RenderProductPage(on, project, s, 2, options);

  const auto& calls = on.Calls();
  const auto isHeading = [](const auto& call) { return call.Text == RPalletHeading; };
  const auto first = std::find_if(calls.begin(), calls.end(), isHeading);
  ASSERT_NE(first, calls.end());
  const auto offFirst = std::find_if(off.Calls().begin(), off.Calls().end(), isHeading);
  ASSERT_EQ(first - calls.begin(), offFirst - off.Calls().begin());
  for (size_t i = 0; calls.begin() + static_cast<ptrdiff_t>(i) != first; ++i) {
    EXPECT_EQ(calls[i].Text, off.Calls()[i].Text);
    EXPECT_TRUE(Within(calls[i].Rect, off.Calls()[i].Rect) &&
                Within(off.Calls()[i].Rect, calls[i].Rect));
  }

  std::vector<TStrengthLine> expected;
  for (const TBoxVariant* box : {&s.Box, &s.OriginalBox})
    for (const TStrengthLine& line : PalletStrengthLines(options.Numbers, project.Settings, *box))
      expected.push_back(line);
  ASSERT_FALSE(expected.empty());
  const TRect page{0, 0, ReportPageWidth, ReportPageHeight};
  const TRect columns[] = {{64, 660, 590, 1669}, {650, 660, 1176, 1669}};
  int found = 0;
  bool warnings = false;
  for (auto it = first; it != calls.end(); ++it) {
    const auto line = std::find_if(expected.begin(), expected.end(),
                                   [&](const TStrengthLine& l) { return l.Text == it->Text; });
    if (it->Kind != Kind::TextOut || line == expected.end()) continue;
    ++found;
    warnings = warnings || line->Warning;
    EXPECT_EQ(it->Font.Colour == StrengthWarningColour, line->Warning) << it->Text;
    const TRect r = Extent(*it);
    EXPECT_TRUE(Within(r, page));
    EXPECT_TRUE(Within(r, columns[0]) || Within(r, columns[1])) << it->Text;
    for (auto other = calls.begin(); other != calls.end(); ++other)
      if (other != it && Meet(r, Extent(*other)) && other >= first)
        ADD_FAILURE() << it->Text << " on " << other->Text;
  }
  EXPECT_EQ(found, static_cast<int>(expected.size()));  // none cut, none left out
  EXPECT_EQ(warnings, c.Warnings);
}

const ReportStrengthCase kReportStrengthCases[] = {
    {"Strong", 99, 20, 1, false},
    {"BelowTarget", 99, 0.3, 50, true},
    {"BelowTargetWithReference", 5, 0.3, 50, true},
};

INSTANTIATE_TEST_SUITE_P(Table, ReportStrength, ::testing::ValuesIn(kReportStrengthCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quelmora
