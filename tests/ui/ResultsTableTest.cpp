// The results table beside the lists: its rows, its order, the selection it
// shares with the lists, and the figures before and after in the details.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "calc/ResultRows.h"
#include "model/AppStrings.h"
#include "support/Cyrillic.h"
#include "support/ResultColumnFigures.h"
#include "ui/MainFormFixture.h"
#include "ui/ResultFigureTexts.h"
#include "ui/ResultTableModel.h"
#include "ui/ResultViews.h"

using quelmora::test::HasCyrillic;

namespace quelmora::testing {
namespace {

std::string Text(const QString& text) {
  return text.toStdString();
}

class ResultsTableTest : public MainFormTest {
 protected:
  QTableView* Table() { return Control<QTableView>("FResultTable"); }
  QTabWidget* Tabs() { return Control<QTabWidget>("FResultTabs"); }

  // The solution shown in the table's row Row, from the top.
  int SolutionAt(int row) {
    return Table()->model()->index(row, 0).data(TResultTableModel::SolutionRole).toInt();
  }
  TResultRow RowAt(int row) {
    return ResultRowOf(Window().Project(), Window().Result(), SolutionAt(row));
  }
  int CurrentTableSolution() {
    const QModelIndex current = Table()->currentIndex();
    return current.isValid() ? current.data(TResultTableModel::SolutionRole).toInt() : -1;
  }
  // The solution the lists have selected, by the product's name.
  int ListedSolution() {
    const std::string line = Text(Products()->currentItem()->text());
    const std::string name = line.substr(0, line.find(':'));
    const auto& solutions = Window().Result().Solutions;
    for (size_t i = 0; i < solutions.size(); ++i)
      if (SolutionProductName(Window().Project(), solutions[i].ProductId) == name)
        return static_cast<int>(i);
    return -1;
  }
};

TEST_F(ResultsTableTest, OneRowPerProductWithTheListsShownFirst) {
  ShowWindow();
  EXPECT_EQ(Table()->model()->rowCount(), 0);
  RunAndWait();
  EXPECT_EQ(Tabs()->currentIndex(), 0) << "the lists stay in front";
  EXPECT_EQ(Tabs()->count(), 2);
  const auto& solutions = Window().Result().Solutions;
  ASSERT_EQ(Table()->model()->rowCount(), static_cast<int>(solutions.size()));
  EXPECT_EQ(Table()->model()->columnCount(), ResultColumnCount);
  std::vector<int> seen;
  for (int row = 0; row < Table()->model()->rowCount(); ++row) {
    seen.push_back(SolutionAt(row));
    const TResultRow r = RowAt(row);
    EXPECT_EQ(Text(Table()->model()->index(row, rcProduct).data().toString()), r.ProductName);
    EXPECT_EQ(Text(Table()->model()->index(row, rcCostPerM3After).data().toString()),
              Format("%.2f", r.CostPerM3After));
  }
  std::sort(seen.begin(), seen.end());
  for (size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], static_cast<int>(i));
  // Grouped as the box list is, at first.
  for (int row = 1; row < Table()->model()->rowCount(); ++row)
    EXPECT_LE(RowAt(row - 1).GroupId, RowAt(row).GroupId);
}

TEST_F(ResultsTableTest, NumbersShowTheUserDecimalSeparatorAndHeadersTheLanguage) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  RunAndWait();
  const std::string cost = Text(Table()->model()->index(0, rcCostPerUnitAfter).data().toString());
  EXPECT_NE(cost.find(','), std::string::npos) << cost;
  EXPECT_EQ(cost.find('.'), std::string::npos) << cost;
  EXPECT_EQ(Text(Table()->model()->headerData(rcSaving, Qt::Horizontal).toString()), SSavingColumn);
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(Text(Table()->model()->headerData(rcProduct, Qt::Horizontal).toString()), "Product");
  EXPECT_EQ(Text(Table()->model()->headerData(rcCostPerM3Before, Qt::Horizontal).toString()),
            "Packaging / m³, before");
}

TEST_F(ResultsTableTest, SelectingInTheListsSelectsTheRow) {
  RunAndWait();
  int checked = 0;
  for (int box = 0; box < Boxes()->count(); ++box) {
    Boxes()->setCurrentRow(box);
    for (int row = 0; row < Products()->count(); ++row) {
      Products()->setCurrentRow(row);
      ASSERT_GE(ListedSolution(), 0);
      EXPECT_EQ(CurrentTableSolution(), ListedSolution());
      EXPECT_EQ(Table()->selectionModel()->selectedRows().size(), 1);
      ++checked;
    }
  }
  EXPECT_EQ(checked, static_cast<int>(Window().Result().Solutions.size()));
}

TEST_F(ResultsTableTest, SelectingARowSelectsItsProductAndBoxInTheLists) {
  ShowWindow();
  RunAndWait();
  Tabs()->setCurrentIndex(1);
  QCoreApplication::processEvents();
  Table()->sortByColumn(rcSaving, Qt::DescendingOrder);
  const TNumberFormat point;
  for (int row = Table()->model()->rowCount() - 1; row >= 0; --row) {
    const QModelIndex cell = Table()->model()->index(row, rcBox);
    Table()->scrollTo(cell);
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, Table()->visualRect(cell).center());
    const int solution = SolutionAt(row);
    EXPECT_EQ(CurrentTableSolution(), solution);
    EXPECT_EQ(ListedSolution(), solution);
    const std::vector<int> boxes = UnifiedBoxRepresentatives(Window().Result());
    EXPECT_EQ(SolutionBoxKey(Window().Result(), static_cast<size_t>(boxes[Boxes()->currentRow()])),
              SolutionBoxKey(Window().Result(), static_cast<size_t>(solution)));
    const std::string details = Text(OptimalMemo()->toPlainText());
    std::string expected = BeforeAfterText(
        point, Window().Project(), Window().Result().Solutions[static_cast<size_t>(solution)]);
    for (size_t at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n"))
      expected.replace(at, 2, "\n");
    EXPECT_NE(details.find(expected), std::string::npos) << details;
  }
  // The keyboard moves the selection the same way.
  QTest::keyClick(Table(), Qt::Key_Down);
  EXPECT_EQ(ListedSolution(), SolutionAt(1));
}

// Sorting by a column puts its figures in order, up and down, whatever the
// texts would say.
class ResultsTableOrderTest : public ResultsTableTest, public ::testing::WithParamInterface<int> {};

TEST_P(ResultsTableOrderTest, SortedColumnIsMonotone) {
  RunAndWait();
  const int column = GetParam();
  for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
    Table()->sortByColumn(column, order);
    int steps = 0;
    for (int row = 1; row < Table()->model()->rowCount(); ++row) {
      std::vector<double> before = ColumnFigures(RowAt(row - 1), column);
      std::vector<double> after = ColumnFigures(RowAt(row), column);
      if (order == Qt::DescendingOrder) std::swap(before, after);
      EXPECT_LE(before, after) << "row " << row;
      steps += before < after;
    }
    EXPECT_GT(steps, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Columns, ResultsTableOrderTest,
                         ::testing::Range(static_cast<int>(rcGroup),
                                          static_cast<int>(ResultColumnCount)));

TEST_F(ResultsTableTest, ProductColumnSortsByName) {
  RunAndWait();
  Table()->sortByColumn(rcProduct, Qt::AscendingOrder);
  for (int row = 1; row < Table()->model()->rowCount(); ++row)
    EXPECT_LE(NaturalCompare(RowAt(row - 1).ProductName, RowAt(row).ProductName), 0);
}

TEST_F(ResultsTableTest, ANewRunOrClearingEmptiesAndRefillsTheTable) {
  RunAndWait();
  ASSERT_GT(Table()->model()->rowCount(), 0);
  QTest::keyClicks(Control<QLineEdit>("FQuick3"), "5");
  EXPECT_EQ(Table()->model()->rowCount(), 0) << "a changed project has no result";
  RunAndWait();
  EXPECT_EQ(Table()->model()->rowCount(), static_cast<int>(Window().Result().Solutions.size()));
}

// The limits line and the figures before and after, in every shipped language.
class ResultFigureTextsTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(std::string(QUELMORA_SOURCE_DIR) + "/lang");
    ASSERT_TRUE(LoadLanguage(GetParam()));
  }
  void TearDown() override {
    OverrideLanguageFolder("");
    LoadLanguage("Russian.lng");
  }
};

TEST_P(ResultFigureTextsTest, LimitsAreNamedWithTheirValues) {
  const TNumberFormat comma{","};
  using K = TLimitKind;
  EXPECT_EQ(LimitsText(comma, {}), "");
  const std::string one = LimitsText(comma, {{K::PacksPerBox, 36}});
  const std::string all = LimitsText(
      comma,
      {{K::PacksPerBox, 36}, {K::PacksPerAxis, 8}, {K::BoxWeight, 12.5}, {K::BoxHeight, 400}});
  for (const char* part : {"36 ", "8 ", "12,5 ", "400 "})
    EXPECT_NE(all.find(part), std::string::npos) << part << " in " << all;
  EXPECT_EQ(all.rfind(one, 0), 0u) << "the first limit leads";
  EXPECT_EQ(std::count(all.begin(), all.end(), ','), 4) << "three joins and a decimal comma";
  if (std::string(GetParam()) == "English.lng") {
    EXPECT_EQ(one, "limited by: 36 packs per box");
  }
  if (std::string(GetParam()) == "Russian.lng") {
    EXPECT_EQ(one, "ограничено: 36 пачек в ящике");
  }
  EXPECT_EQ(HasCyrillic(all), std::string(GetParam()) == "Russian.lng") << all;
}

TEST_P(ResultFigureTextsTest, BeforeAndAfterShowTheSolutionsFigures) {
  TProjectData project;
  project.Settings = DefaultSettings();
  project.Settings.CurrencySymbol = "$";
  TProduct product = DefaultProduct(7);
  project.Products.push_back(product);
  TOptimizationSolution s;
  s.ProductId = 7;
  s.OriginalBox.PackCount = 20;
  s.OriginalBox.PalletCount = 50;
  s.OriginalBox.PackagingCostPerUnit = 0.126;
  s.OriginalBox.PackagingCostPerM3 = 1700;
  s.Box.PackCount = project.Settings.MaxPacksPerBox;
  s.Box.PackPlacement.TotalCount = s.Box.PackCount;
  s.Box.PackPlacement.CountX = 1;
  s.Box.PackPlacement.CountY = 1;
  s.Box.PackPlacement.CountZ = 1;
  s.Box.PalletCount = 40;
  s.Box.PackagingCostPerUnit = 0.0975;
  s.Box.PackagingCostPerM3 = 1650.5;
  const std::string text = BeforeAfterText(TNumberFormat{}, project, s);
  for (const std::string& part :
       {std::string("0.13 → 0.10 $"), "1000 → " + std::to_string(40 * s.Box.PackCount),
        std::string("1700.00 → 1650.50 $")})
    EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
  EXPECT_NE(
      text.find(LimitsText(TNumberFormat{}, {{TLimitKind::PacksPerBox, double(s.Box.PackCount)}})),
      std::string::npos)
      << text;
  EXPECT_EQ(HasCyrillic(text), std::string(GetParam()) == "Russian.lng") << text;
  project.Products.clear();
  EXPECT_EQ(
      BeforeAfterText(TNumberFormat{}, project, s)
          .find(LimitsText(TNumberFormat{}, {{TLimitKind::PacksPerBox, double(s.Box.PackCount)}})),
      std::string::npos)
      << "without the product no limits are judged";
}

INSTANTIATE_TEST_SUITE_P(Languages, ResultFigureTextsTest,
                         ::testing::Values("Russian.lng", "English.lng", "German.lng"),
                         [](const auto& info) {
                           const std::string file = info.param;
                           return file.substr(0, file.find('.'));
                         });

}  // namespace
}  // namespace quelmora::testing
