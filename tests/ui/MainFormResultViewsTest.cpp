// The texts and orders behind the result views and the product grid, without
// a window.
#include <gtest/gtest.h>

#include "io/LumarData.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "ui/ProductGrid.h"
#include "ui/ResultViews.h"

namespace quelmora::testing {
namespace {

// Russian texts whatever language a previous test left current.
class ResultTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(std::string(QUELMORA_SOURCE_DIR) + "/lang");
    LoadLanguage("Russian.lng");
  }
  void TearDown() override { OverrideLanguageFolder(""); }

  static TOptimizationSolution Solution(int32_t productId, int32_t group, double boxLength = 400) {
    TOptimizationSolution s;
    s.ProductId = productId;
    s.UnifiedGroupId = group;
    s.Box.LengthMM = boxLength;
    s.Box.WidthMM = 300;
    s.Box.HeightMM = 200;
    return s;
  }

  static TProjectData Named(std::initializer_list<std::pair<int32_t, const char*>> products) {
    TProjectData project;
    project.Settings.CurrencySymbol = "$";
    for (const auto& [id, name] : products) {
      TProduct p = DefaultProduct(id);
      p.Name = name;
      project.Products.push_back(p);
    }
    return project;
  }

  TNumberFormat point_;
};

TEST_F(ResultTextsTest, NaturalCompareOrdersNumbersAsNumbers) {
  EXPECT_LT(NaturalCompare("9", "10"), 0);
  EXPECT_LT(NaturalCompare("10", "Чай"), 0);
  EXPECT_LT(NaturalCompare("-5", "+3"), 0);
  EXPECT_GT(NaturalCompare("10", "9"), 0);
  EXPECT_EQ(NaturalCompare("007", "7"), 0);
  // Numbers come before texts.
  EXPECT_LT(NaturalCompare("10", "9a"), 0);
  // Not decimal integers: code units, so "1" < "9".
  EXPECT_LT(NaturalCompare("0x10", "0x9"), 0) << "no hexadecimal";
  EXPECT_LT(NaturalCompare("100000000000000000000", "99999999999999999999"), 0)
      << "beyond 64 bits: text";
}

TEST_F(ResultTextsTest, NaturalCompareFoldsLatinCaseOnly) {
  EXPECT_EQ(NaturalCompare("b", "B"), 0);
  EXPECT_EQ(NaturalCompare("Tea", "TEA"), 0);
  EXPECT_NE(NaturalCompare("чай", "Чай"), 0);
  EXPECT_LT(NaturalCompare("Чай", "чай"), 0) << "upper-case Cyrillic comes first in UTF-16";
  EXPECT_LT(NaturalCompare("Tea", "Teas"), 0) << "a prefix comes first";
  EXPECT_LT(NaturalCompare("Z", "Ä"), 0);
  // A letter beyond the basic plane counts by its surrogates (0xD83D...).
  EXPECT_LT(NaturalCompare("\xF0\x9F\x8D\xB5", "\xEF\xBC\xA1"), 0);
}

TEST_F(ResultTextsTest, BoxesAreOnePerGroupOrderedByGroup) {
  TOptimizationResult result;
  result.Solutions = {Solution(1, 2), Solution(2, 1), Solution(3, 2)};
  EXPECT_EQ(UnifiedBoxRepresentatives(result), (std::vector<int>{1, 0}));
  EXPECT_EQ(UnifiedBoxLine(point_, result, 0), "Ящик 2: 400.0 × 300.0 × 200.0 мм — 2 изд.");
  EXPECT_EQ(UnifiedBoxLine(point_, result, 1), "Ящик 1: 400.0 × 300.0 × 200.0 мм — 1 изд.");
}

TEST_F(ResultTextsTest, SolutionsWithoutAGroupAreBoxesOfTheirOwnByLength) {
  TOptimizationResult result;
  result.Solutions = {Solution(1, 0, 500), Solution(2, 3), Solution(3, 0, 450)};
  EXPECT_EQ(SolutionBoxKey(result, 0), 100000);
  EXPECT_EQ(SolutionBoxKey(result, 2), 100002);
  EXPECT_EQ(UnifiedBoxRepresentatives(result), (std::vector<int>{2, 0, 1}));
}

TEST_F(ResultTextsTest, ProductsOfAGroupAreSortedByNameThenId) {
  const TProjectData project = Named({{1, "b"}, {2, "10"}, {3, "9"}, {4, "B"}, {5, "Чай"}});
  TOptimizationResult result;
  for (int32_t id = 5; id >= 1; --id)
    result.Solutions.push_back(Solution(id, 1));
  result.Solutions.push_back(Solution(6, 2));
  const std::vector<int> order = SolutionsOfGroup(project, result, 1);
  std::vector<int32_t> ids;
  for (int index : order)
    ids.push_back(result.Solutions[index].ProductId);
  EXPECT_EQ(ids, (std::vector<int32_t>{3, 2, 1, 4, 5}));
}

TEST_F(ResultTextsTest, AProductNoLongerInTheProjectShowsItsId) {
  const TProjectData project = Named({{1, "Чай"}});
  EXPECT_EQ(SolutionProductName(project, 1), "Чай");
  EXPECT_EQ(SolutionProductName(project, 42), "42");
  TOptimizationSolution s = Solution(42, 1);
  s.Pack.LengthMM = 70;
  s.Pack.WidthMM = 55.25;
  s.Pack.HeightMM = 80;
  EXPECT_EQ(ProductLine(point_, project, s), "42: 70.0 × 55.2 × 80.0 мм");
  EXPECT_NE(OptimalDetailsText(point_, project, s).find("Масса продукта в пачке: 0.0 г"),
            std::string::npos);
}

TEST_F(ResultTextsTest, ACostIncreaseIsShownAsSuch) {
  const TProjectData project = Named({{1, "Чай"}});
  TOptimizationSolution s = Solution(1, 1);
  s.SavingPercent = -3.26;
  std::string text = OriginalDetailsText(point_, project, s);
  EXPECT_EQ(text.substr(text.rfind("\r\n\r\n")), "\r\n\r\nУдорожание: 3.3 %");
  TNumberFormat comma;
  comma.DecimalSeparator = ",";
  text = OriginalDetailsText(comma, project, s);
  EXPECT_EQ(text.substr(text.rfind("\r\n")), "\r\nУдорожание: 3,3 %");
  s.SavingPercent = 0;
  text = OriginalDetailsText(point_, project, s);
  EXPECT_EQ(text.substr(text.rfind("\r\n")), "\r\nЭкономия: 0.0 %");
}

TEST_F(ResultTextsTest, ProposedPackagingListsEveryLine) {
  const TProjectData project = Named({{77, "Соль"}});
  TOptimizationSolution s = Solution(77, 2);
  s.UnifiedProductCount = 4;
  s.Pack.LengthMM = 90;
  s.Pack.WidthMM = 71;
  s.Pack.HeightMM = 109.5;
  s.Pack.Cost = 1.234;
  s.Box.PackPlacement = {poHBL, 4, 3, 3, 36, 0, 0, 0};
  s.Box.PackCount = 36;
  s.Box.PalletUtilization = 0.8766;
  s.Box.PalletCount = 40;
  s.Box.Pallet.BoxesPerLayer = 8;
  s.Box.Pallet.LayerCount = 5;
  const std::string text = OptimalDetailsText(point_, project, s);
  const std::string expected =
      "Пачка: 90.0 × 71.0 × 109.5 мм\r\n"
      "Укладка: 4 × 3 × 3, H-B-L\r\n"
      "Пачек в ящике: 36\r\n"
      "Масса продукта в пачке: 500.0 г\r\n"
      "Развертка пачки: 0.0000 м²\r\n"
      "Объем пачки: 0.0000 дм³\r\n"
      "Стоимость пачки: 1.23 $\r\n"
      "Изменение объема: 0.0 %\r\n"
      "Ящик: 400.0 × 300.0 × 200.0 мм\r\n"
      "Масса брутто: 0.000 кг\r\n"
      "Развертка ящика: 0.0000 м²\r\n"
      "Объем ящика: 0.000000 м³\r\n"
      "Стоимость ящика: 0.00 $\r\n"
      "На паллете: 40 ящиков (8 в слое × 5 слоев)\r\n"
      "Заполнение объема паллеты: 87.7 %\r\n"
      "Упаковка / единицу: 0.00 $\r\n"
      "Упаковка / м³: 0.00 $\r\n"
      "Среднее по ассортименту / м³: 0.00 $\r\n"
      "Группа унификации: 2; изделий: 4";
  EXPECT_EQ(text, expected) << "no reference entry, no comparison";
}

TEST_F(ResultTextsTest, TheComparisonFollowsForAReferenceProduct) {
  TLumarReference reference;
  ASSERT_TRUE(FindLumarReference(1, reference));
  const TProjectData project = Named({{1, "Чай чёрный"}});
  TOptimizationSolution s = Solution(1, 1);
  s.Box.PackagingCostPerM3 = reference.CostPerM3 * 1.1;
  const std::string text = OptimalDetailsText(point_, project, s);
  const size_t block = text.find("\r\n\r\nСРАВНЕНИЕ С ЛУМАР (tea.DB)\r\nЛУМАР, пачка: ");
  ASSERT_NE(block, std::string::npos) << text;
  EXPECT_EQ(text.substr(text.rfind("\r\n") + 2).rfind("quelmora, упаковка / м³: ", 0), 0u);
  EXPECT_NE(text.find("; отличие от ЛУМАР: 10.0 %"), std::string::npos) << text;
}

// Every project numbers its products from 1: another project's product 1
// is not the sample's tea and gets no comparison.
TEST_F(ResultTextsTest, NoComparisonForAReferenceIdWithAnotherName) {
  for (const char* name : {"Чай", "чай чёрный", "Чай чёрный ", "Кофе молотый"}) {
    const TProjectData project = Named({{1, name}});
    const std::string text = OptimalDetailsText(point_, project, Solution(1, 1));
    EXPECT_EQ(text.find("ЛУМАР"), std::string::npos) << name;
  }
}

TEST_F(ResultTextsTest, GridNumbersAreShortAndUseTheGivenSeparator) {
  EXPECT_EQ(FormatGridNumber(0.000248832, "."), "0.000248832");
  EXPECT_EQ(FormatGridNumber(1800, ","), "1800");
  EXPECT_EQ(FormatGridNumber(7.5, ","), "7,5");
  EXPECT_EQ(FormatGridNumber(0.1 + 0.2, "."), "0.3");
}

TEST_F(ResultTextsTest, ARowShowingTheStoredValuesReadsBackExactly) {
  TProduct stored = DefaultProduct(4);
  stored.MinVolumeM3 = 0.1 + 0.2;  // more digits than the grid shows
  stored.MaxVolumeM3 = 0.5;
  const TGridRowTexts cells = ProductRowTexts(stored, ",");
  EXPECT_EQ(cells[0], "0,3");
  EXPECT_EQ(cells[14], "1");
  TProduct read;
  EXPECT_TRUE(ReadProductRow(cells, stored, read, true));
  EXPECT_EQ(read, stored);
  EXPECT_EQ(FirstRejectedColumn(cells, stored), -1);
}

TEST_F(ResultTextsTest, ARowFailingTheStrictReadNamesItsFirstRejectedColumn) {
  const TProduct stored = DefaultProduct(1);
  TGridRowTexts cells = ProductRowTexts(stored, ".");
  cells[9] = "0";
  cells[13] = "2.5";
  TProduct read;
  EXPECT_TRUE(ReadProductRow(cells, stored, read, false) == false);
  EXPECT_EQ(read.OriginalBoxCount, stored.OriginalBoxCount) << "a fractional count is refused";
  EXPECT_EQ(read.MaxBoxWeightKG, 0);
  EXPECT_EQ(FirstRejectedColumn(cells, stored), 9);
  cells[9] = "15";
  EXPECT_EQ(FirstRejectedColumn(cells, stored), 13);
  cells[13] = "24";
  EXPECT_TRUE(ReadProductRow(cells, stored, read, true));
}

TEST_F(ResultTextsTest, ColumnHeadersAndWidths) {
  EXPECT_EQ(GridColumnHeader(0), "Мин. объем, м³");
  EXPECT_EQ(GridColumnHeader(4), "Название");
  EXPECT_EQ(GridColumnHeader(14), "Вкл.");
  EXPECT_EQ(GridColumnWidth(4), 180);
  EXPECT_EQ(GridColumnWidth(2), 50);
  EXPECT_EQ(GridColumnWidth(13), 78);
}

}  // namespace
}  // namespace quelmora::testing
