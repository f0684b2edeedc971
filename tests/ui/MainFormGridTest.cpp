// The product grid and the quick fields: judging, painting, editing, and how
// what the user typed reaches the project.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "io/LumarData.h"
#include "model/AppStrings.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "ui/MainFormFixture.h"
#include "ui/ProductGrid.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

std::string Text(const QString& text) {
  return text.toStdString();
}

// The colour at a point of a grid cell, as painted on screen.
QRgb CellPixel(TProductGridWidget* grid, int column, int row, int dx, int dy) {
  const QRect rect = grid->visualRect(grid->model()->index(row - 1, column));
  const QImage image = grid->viewport()->grab().toImage();
  const QPoint point = dx >= 0 ? QPoint(rect.left() + dx, rect.top() + dy)
                               : QPoint(rect.right() + dx, rect.top() + dy);
  return image.pixel(point.x() * image.devicePixelRatio(), point.y() * image.devicePixelRatio()) &
         0xFFFFFF;
}

TEST_F(MainFormTest, RejectedCellsArePaintedPinkWithRedText) {
  ShowWindow();
  TypeIntoCell(13, 1, "12.5");
  Grid()->setCurrentIndex(Grid()->model()->index(1, 0));  // move the selection away from the cell
  EXPECT_FALSE(Window().IsCellValid(13, 1));
  EXPECT_EQ(CellPixel(Grid(), 13, 1, -4, 4), 0xFFE4E4u);
  const QRect rect = Grid()->visualRect(Grid()->model()->index(0, 13));
  const QImage cell = Grid()->viewport()->grab(rect).toImage();
  bool red = false;
  for (int y = 0; y < cell.height() && !red; ++y)
    for (int x = 0; x < cell.width() && !red; ++x) {
      const QColor c = cell.pixelColor(x, y);
      red = c.red() > 150 && c.green() < 110 && c.blue() < 110;
    }
  EXPECT_TRUE(red) << "the text is drawn in red";
  EXPECT_NE(CellPixel(Grid(), 12, 1, -4, 4), 0xFFE4E4u) << "its neighbour is fine";
}

TEST_F(MainFormTest, HeaderCellsAreLightBlue) {
  ShowWindow();
  QHeaderView* header = Grid()->horizontalHeader();
  const QImage image = header->grab().toImage();
  EXPECT_EQ(image.pixel(3, 3) & 0xFFFFFF, 0xE5EBF2u);
  EXPECT_EQ(header->height(), 48);
}

TEST_F(MainFormTest, CountCellsMustBeWholeAndInRange) {
  Window();
  struct TCase {
    const char* Text;
    bool Valid;
  };
  for (const TCase& c : {TCase{"12.5", false}, TCase{"0", false}, TCase{"100001", false},
                         TCase{"-3", false}, TCase{"100000", true}, TCase{"24", true}}) {
    TypeIntoCell(13, 2, c.Text);
    EXPECT_EQ(Window().IsCellValid(13, 2), c.Valid) << c.Text;
  }
}

TEST_F(MainFormTest, OnCellsMustHoldZeroOrOne) {
  Window();
  for (const char* text : {"x", "", " 1", "2"}) {
    TypeIntoCell(14, 1, text);
    EXPECT_FALSE(Window().IsCellValid(14, 1)) << text;
    TProduct product;
    EXPECT_FALSE(Window().ReadGridRow(1, product, false));
    EXPECT_FALSE(product.Enabled) << text;
  }
  TypeIntoCell(14, 1, "0");
  EXPECT_TRUE(Window().IsCellValid(14, 1));
}

TEST_F(MainFormTest, ARangeTheWrongWayRoundRejectsBothVolumeCells) {
  Window();
  TypeIntoCell(0, 1, "0.01");
  EXPECT_FALSE(Window().IsCellValid(0, 1));
  EXPECT_FALSE(Window().IsCellValid(1, 1));
  EXPECT_TRUE(Window().IsCellValid(2, 1));
  TypeIntoCell(4, 1, "   ");
  EXPECT_FALSE(Window().IsCellValid(4, 1)) << "a blank name";
}

TEST_F(MainFormTest, ReadGridRowOverlaysUsableCellsOnTheStoredProduct) {
  Window();
  TypeIntoCell(5, 2, "123,5");
  TypeIntoCell(6, 2, "wide");
  TypeIntoCell(4, 2, " Чай ");
  // The length was taken over while the row was still whole.
  const TProjectData typed = Window().Project();
  TProduct product;
  EXPECT_FALSE(Window().ReadGridRow(2, product, false));
  const TProduct stored = LoadLumarProject().Products[1];
  EXPECT_EQ(product.Id, stored.Id);
  EXPECT_EQ(product.OriginalLengthMM, 123.5);
  EXPECT_EQ(product.OriginalWidthMM, stored.OriginalWidthMM);
  EXPECT_EQ(product.Name, " Чай ") << "the name is taken as typed";
  EXPECT_EQ(Window().Project(), typed) << "reading stores nothing";
  EXPECT_EQ(typed.Products[1].OriginalLengthMM, 123.5);
  EXPECT_EQ(typed.Products[1].Name, stored.Name);
}

TEST_F(MainFormTest, ARejectedRowStopsRunAndSaveNamingTheCell) {
  Window();
  TypeIntoCell(7, 4, "-1");
  Grid()->setCurrentIndex(Grid()->model()->index(0, 0));
  const std::string file = temp_.File("never.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  for (int code : {cmdRun, cmdSave}) {
    dialogs_.Errors.clear();
    Click(code);
    ASSERT_EQ(dialogs_.Errors.size(), 1u) << code;
    EXPECT_EQ(dialogs_.Errors[0], std::string(SFixHighlightedCells) + "\n\n" +
                                      LoadLumarProject().Products[3].Name + ": H, мм");
  }
  EXPECT_EQ(Grid()->CurrentGridColumn(), 7) << "the rejected cell becomes the current one";
  EXPECT_EQ(Grid()->CurrentGridRow(), 4);
  EXPECT_FALSE(Window().Busy());
  EXPECT_TRUE(dialogs_.FiltersSeen.empty());
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_EQ(Text(Grid()->Cell(7, 4)), "-1") << "the typed value stays for the user to fix";
}

TEST_F(MainFormTest, TheRejectionIsReportedInTheUserLanguage) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(language->findText("English"));
  TypeIntoCell(14, 2, "yes");
  Click(cmdRun);
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(dialogs_.Errors[0],
            Tr(SFixHighlightedCells) + "\n\n" + LoadLumarProject().Products[1].Name + ": On");
}

TEST_F(MainFormTest, GridHeadersAndQuickFieldsShowTheFieldHelpInTheUserLanguage) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(language->findText("English"));
  for (int column = 0; column < ProductFieldCount; ++column) {
    const std::string help(ProductFields[column].Help);
    EXPECT_NE(Tr(help), help);
    EXPECT_EQ(Text(Grid()->model()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString()),
              Tr(help))
        << column;
  }
  EXPECT_EQ(Text(Grid()
                     ->model()
                     ->headerData(GridEnabledColumn, Qt::Horizontal, Qt::ToolTipRole)
                     .toString()),
            Tr(SEnabledHelp));
  for (int i = 0; i < QuickSettingsFieldCount; ++i) {
    const std::string help(SettingsFields[QuickSettingsFields[i]].Help);
    auto* edit = Control<QLineEdit>(("FQuick" + std::to_string(i)).c_str());
    EXPECT_EQ(Text(edit->toolTip()), Tr(help)) << i;
  }
}

TEST_F(MainFormTest, GridEditsReachTheProjectOnRunAndSave) {
  Window();
  TypeIntoCell(4, 1, "Чай цейлонский");
  TypeIntoCell(8, 1, "95");
  TypeIntoCell(14, 2, "0");
  EXPECT_TRUE(Window().Modified());
  RunAndWait();
  ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors[0];
  EXPECT_EQ(Window().Project().Products[0].Name, "Чай цейлонский");
  EXPECT_EQ(Window().Project().Products[0].ProductWeightG, 95);
  EXPECT_FALSE(Window().Project().Products[1].Enabled);
  EXPECT_EQ(Window().Result().Solutions.size(), 11u) << "the switched-off product is not run";

  const std::string file = temp_.File("edited.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  Click(cmdSave);
  EXPECT_EQ(LoadProject(file).Products[0].Name, "Чай цейлонский");
}

TEST_F(MainFormTest, AValueStillInTheEditorIsTakenOverByTheCommand) {
  ShowWindow();
  QApplication::setActiveWindow(&Window());
  Grid()->setFocus();
  Grid()->setCurrentIndex(Grid()->model()->index(0, 4));
  Grid()->edit(Grid()->model()->index(0, 4));
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
  qobject_cast<QLineEdit*>(editor)->setText("Чай улун");
  const std::string file = temp_.File("typed.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  Click(cmdSave);
  ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors[0];
  EXPECT_EQ(LoadProject(file).Products[0].Name, "Чай улун");
  EXPECT_EQ(Text(Grid()->Cell(4, 1)), "Чай улун");
}

TEST_F(MainFormTest, DoubleClickTogglesTheOnColumn) {
  RunAndWait();
  ShowWindow();
  const auto doubleClick = [this](int row) {
    const QRect rect = Grid()->visualRect(Grid()->model()->index(row - 1, 14));
    // A real double click: press and release, then the second press.
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, rect.center());
  };
  doubleClick(1);
  EXPECT_EQ(Text(Grid()->Cell(14, 1)), "0");
  EXPECT_TRUE(Window().Modified());
  EXPECT_EQ(Boxes()->count(), 0);
  EXPECT_EQ(Status(), SDataChanged);
  doubleClick(1);
  EXPECT_EQ(Text(Grid()->Cell(14, 1)), "1");
  for (const char* text : {"", "x"}) {
    TypeIntoCell(14, 2, text);
    doubleClick(2);
    EXPECT_EQ(Text(Grid()->Cell(14, 2)), "1") << text;
  }
  EXPECT_TRUE(productsEdited_.empty()) << "no product dialog for the on column";
}

TEST_F(MainFormTest, TypingAQuickFieldClearsTheResults) {
  RunAndWait();
  ASSERT_EQ(Boxes()->count(), 3);
  ASSERT_FALSE(Window().Modified());
  QTest::keyClicks(Control<QLineEdit>("FQuick3"), "5");
  EXPECT_TRUE(Window().Modified());
  EXPECT_TRUE(Window().Result().Solutions.empty());
  EXPECT_EQ(Boxes()->count(), 0);
  EXPECT_EQ(Products()->count(), 0);
  EXPECT_TRUE(OptimalMemo()->toPlainText().isEmpty());
  EXPECT_TRUE(OriginalMemo()->toPlainText().isEmpty());
  EXPECT_FALSE(Button(cmdExport)->isEnabled());
  EXPECT_FALSE(Button(cmdReport)->isEnabled());
  EXPECT_EQ(Status(), SDataChanged);
}

TEST_F(MainFormTest, ChoosingACriterionMarksTheProjectModified) {
  RunAndWait();
  Control<QComboBox>("FCriterion")->setCurrentIndex(3);
  EXPECT_TRUE(Window().Modified());
  EXPECT_EQ(Boxes()->count(), 0);
  RunAndWait();
  EXPECT_EQ(Window().Project().OptimizationCriterion, ckCombined);
}

TEST_F(MainFormTest, NextProductIdFollowsTheLargestId) {
  TProjectData project = LoadLumarProject();
  project.Products.resize(3);
  project.Products[0].Id = 3;
  project.Products[1].Id = 7;
  project.Products[2].Id = 5;
  OpenProject(project);
  EXPECT_EQ(Window().NextProductId(), 8);
  EXPECT_EQ(Grid()->GridRowCount(), 4);
}

TEST_F(MainFormTest, SwitchingLanguageRebuildsTheResultViews) {
  RunAndWait();
  Boxes()->setCurrentRow(2);
  Products()->setCurrentRow(1);
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(language->findText("English"));

  EXPECT_FALSE(Window().Modified());
  ASSERT_EQ(Boxes()->count(), 3);
  EXPECT_EQ(Text(Boxes()->item(0)->text()).rfind("Box 1: ", 0), 0u);
  EXPECT_NE(Text(Boxes()->item(0)->text()).find(" mm — "), std::string::npos);
  EXPECT_EQ(Boxes()->currentRow(), 0) << "back to the first box";
  EXPECT_EQ(Products()->currentRow(), 0);
  EXPECT_EQ(Status(), "Calculation finished: 12 products, 3 boxes");
  const std::string optimal = Text(OptimalMemo()->toPlainText());
  EXPECT_EQ(optimal.rfind("Pack: ", 0), 0u) << optimal;
  EXPECT_NE(optimal.find("COMPARISON WITH LUMAR (tea.DB)"), std::string::npos) << optimal;
  EXPECT_NE(Text(OriginalMemo()->toPlainText()).find("\n\nSaving: "), std::string::npos);
  EXPECT_NE(Text(Products()->item(0)->text()).find(" mm"), std::string::npos);

  language->setCurrentIndex(language->findText("Deutsch"));
  EXPECT_EQ(Status(), "Berechnung abgeschlossen: 12 Produkte, 3 Kartons");
  EXPECT_EQ(Text(OptimalMemo()->toPlainText()).rfind("Packung: ", 0), 0u);
}

TEST_F(MainFormTest, DetailNumbersUseTheUserDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  RunAndWait();
  const std::string optimal = Text(OptimalMemo()->toPlainText());
  EXPECT_EQ(optimal.find('.'), optimal.find("(tea.DB)") + 4) << optimal;
  EXPECT_NE(optimal.find(','), std::string::npos);
  EXPECT_NE(Text(Grid()->Cell(0, 1)).find(','), std::string::npos)
      << "the grid shows the user's separator too";
  EXPECT_EQ(Window().Project(), LoadLumarProject()) << "and reads it back unchanged";
}

}  // namespace
}  // namespace quelmora::testing
