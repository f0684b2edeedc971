// The product table model: cells as the grid rules show and judge them,
// typed texts, and taking the rows over into products.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <vector>

#include "io/LumarData.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "ui/ProductGrid.h"
#include "ui/ProductTableModel.h"

namespace quelmora::testing {
namespace {

std::vector<TProduct> Sample() {
  return LoadLumarProject().Products;
}

QString CellText(const TProductTableModel& model, int row, int column) {
  return model.data(model.index(row, column)).toString();
}

bool Rejected(const TProductTableModel& model, int row, int column) {
  return model.data(model.index(row, column), TProductTableModel::RejectedRole).toBool();
}

TEST(ProductTableModelTest, ShowsEachProductAsTheGridRulesWriteIt) {
  TProductTableModel model;
  const std::vector<TProduct> products = Sample();
  model.ShowProducts(products, ",");
  ASSERT_EQ(model.rowCount(), static_cast<int>(products.size()));
  ASSERT_EQ(model.columnCount(), GridColumnCount);
  for (int row = 0; row < model.rowCount(); ++row) {
    const TGridRowTexts texts = ProductRowTexts(products[row], ",");
    for (int column = 0; column < GridColumnCount; ++column) {
      EXPECT_EQ(CellText(model, row, column).toStdString(), texts[column]) << row << "/" << column;
      EXPECT_FALSE(Rejected(model, row, column)) << row << "/" << column;
    }
    TProduct read;
    EXPECT_TRUE(model.ReadRow(row, read, true));
    EXPECT_EQ(read, products[row]) << "an untouched row reads back unchanged";
  }
}

// The rejected role agrees with the grid's judgement of the typed row.
struct TCellCase {
  int Column;
  const char* Text;
  bool Rejected;
};

class ProductTableModelCellTest : public ::testing::TestWithParam<TCellCase> {};

TEST_P(ProductTableModelCellTest, TheRejectedRoleFollowsTheGridRules) {
  const TCellCase& c = GetParam();
  TProductTableModel model;
  const std::vector<TProduct> products = Sample();
  model.ShowProducts(products, ".");
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy edited(&model, &TProductTableModel::CellEdited);
  ASSERT_TRUE(model.setData(model.index(1, c.Column), QString::fromUtf8(c.Text)));
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited[0][0].toInt(), 1);
  EXPECT_EQ(edited[0][1].toInt(), c.Column);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().column(), 0) << "the whole row is judged anew";
  EXPECT_EQ(changed[0][1].toModelIndex().column(), GridColumnCount - 1);

  EXPECT_EQ(CellText(model, 1, c.Column), QString::fromUtf8(c.Text)) << "the typed text stays";
  EXPECT_EQ(Rejected(model, 1, c.Column), c.Rejected);
  EXPECT_EQ(Rejected(model, 1, c.Column),
            !IsProductCellValid(model.RowTexts(1), products[1], c.Column));
  for (int column = 0; column < GridColumnCount; ++column)
    EXPECT_FALSE(Rejected(model, 0, column)) << "other rows are untouched";
}

INSTANTIATE_TEST_SUITE_P(Cells, ProductTableModelCellTest,
                         ::testing::Values(TCellCase{13, "12.5", true}, TCellCase{13, "24", false},
                                           TCellCase{13, "0", true},
                                           TCellCase{GridEnabledColumn, "x", true},
                                           TCellCase{GridEnabledColumn, "0", false},
                                           TCellCase{4, "   ", true}, TCellCase{4, "Чай", false},
                                           TCellCase{6, "wide", true},
                                           TCellCase{5, "123,5", false}));

TEST(ProductTableModelTest, TakeOverReadsTypedCellsAndKeepsTheSkippedRow) {
  TProductTableModel model;
  const std::vector<TProduct> products = Sample();
  model.ShowProducts(products, ".");
  model.setData(model.index(0, 4), QStringLiteral("Улун"));
  model.setData(model.index(2, GridEnabledColumn), QStringLiteral("0"));
  model.setData(model.index(3, 4), QStringLiteral("Skipped"));
  const std::vector<TProduct> taken = model.TakeOver(3, nullptr);
  ASSERT_EQ(taken.size(), products.size());
  EXPECT_EQ(taken[0].Name, "Улун");
  EXPECT_FALSE(taken[2].Enabled);
  EXPECT_EQ(taken[3], products[3]) << "the skipped row keeps the shown product";
  EXPECT_EQ(taken[1], products[1]);
}

TEST(ProductTableModelTest, ARejectedCellStopsTheTakeOverAndIsNamed) {
  TProductTableModel model;
  model.ShowProducts(Sample(), ".");
  model.setData(model.index(2, 9), QStringLiteral("x"));
  model.setData(model.index(2, 7), QStringLiteral("-1"));
  int rejectedRow = -1;
  int rejectedColumn = -1;
  EXPECT_THROW(model.TakeOver(-1,
                              [&](int row, int column) {
                                rejectedRow = row;
                                rejectedColumn = column;
                              }),
               Exception);
  EXPECT_EQ(rejectedRow, 2);
  EXPECT_EQ(rejectedColumn, 7) << "the first rejected column of the row";
  EXPECT_NO_THROW(model.TakeOver(2, nullptr)) << "skipping the row skips its judgement";
}

TEST(ProductTableModelTest, ShowingDropsTypedTextsAndKeepingDoesNot) {
  TProductTableModel model;
  std::vector<TProduct> products = Sample();
  model.ShowProducts(products, ".");
  model.setData(model.index(0, 13), QStringLiteral("12.5"));
  products[0].Name = "Renamed";
  model.KeepProducts(products);
  EXPECT_EQ(CellText(model, 0, 13), QStringLiteral("12.5"));
  EXPECT_TRUE(Rejected(model, 0, 13));
  EXPECT_EQ(CellText(model, 1, 4).toStdString(), products[1].Name);
  model.ShowProducts(products, ".");
  EXPECT_FALSE(Rejected(model, 0, 13));
  EXPECT_EQ(CellText(model, 0, 4), QStringLiteral("Renamed"));
}

TEST(ProductTableModelTest, WithoutProductsOneEmptyRowStandsReady) {
  TProductTableModel model;
  model.ShowProducts({}, ".");
  ASSERT_EQ(model.rowCount(), 1);
  for (int column = 0; column < GridColumnCount; ++column) {
    EXPECT_TRUE(CellText(model, 0, column).isEmpty());
    EXPECT_FALSE(Rejected(model, 0, column));
  }
  model.setData(model.index(0, 4), QStringLiteral("typed"));
  TProduct product;
  EXPECT_FALSE(model.ReadRow(0, product, false));
  EXPECT_TRUE(model.TakeOver(-1, nullptr).empty());
}

TEST(ProductTableModelTest, EveryHeaderCarriesAHelpText) {
  TProductTableModel model;
  for (int column = 0; column < GridColumnCount; ++column) {
    const QString tip = model.headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString();
    EXPECT_FALSE(tip.isEmpty()) << column;
    EXPECT_FALSE(model.headerData(column, Qt::Horizontal).toString().isEmpty());
  }
}

}  // namespace
}  // namespace quelmora::testing
