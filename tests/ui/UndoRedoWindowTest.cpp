// Undo and redo in the window: every kind of change is one step, undone and
// redone by one command each, and undoing back to the opened project clears
// the unsaved mark.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>

#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "ui/MainFormFixture.h"
#include "ui/ProductGrid.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

class UndoWindowTest;

struct TUndoCase {
  const char* Name;
  std::function<void(UndoWindowTest&)> Change;
};

void PrintTo(const TUndoCase& c, std::ostream* os) {
  *os << c.Name;
}

// Access to the fixture's helpers from the table's functions.
class UndoWindowTest : public MainFormTest, public ::testing::WithParamInterface<TUndoCase> {
 public:
  using MainFormTest::Button;
  using MainFormTest::Click;
  using MainFormTest::Control;
  using MainFormTest::dialogs_;
  using MainFormTest::EditProductAnswer;
  using MainFormTest::EditSettingsAnswer;
  using MainFormTest::Grid;
  using MainFormTest::temp_;
  using MainFormTest::TypeIntoCell;
  using MainFormTest::Window;
};

void SelectRow(UndoWindowTest& t, int row) {
  t.Grid()->SetCurrentCell(4, row);
}

const TUndoCase UndoCases[] = {
    {"GridCell", [](UndoWindowTest& t) { t.TypeIntoCell(8, 1, "95"); }},
    {"GridName", [](UndoWindowTest& t) { t.TypeIntoCell(4, 3, "Чай цейлонский"); }},
    {"OnFlagByDoubleClick",
     [](UndoWindowTest& t) {
       t.Window().show();
       TProductGridWidget* grid = t.Grid();
       const QRect rect = grid->visualRect(grid->model()->index(1, GridEnabledColumn));
       QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
       QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
     }},
    {"Add",
     [](UndoWindowTest& t) {
       t.EditProductAnswer = [](TProduct& product) {
         product.Name = "Перец";
         return true;
       };
       t.Click(cmdAdd);
     }},
    {"Edit",
     [](UndoWindowTest& t) {
       SelectRow(t, 2);
       t.EditProductAnswer = [](TProduct& product) {
         product.ProductWeightG += 10;
         return true;
       };
       t.Click(cmdEdit);
     }},
    {"Delete",
     [](UndoWindowTest& t) {
       SelectRow(t, 5);
       t.dialogs_.YesNo.push_back(TAnswer::Yes);
       t.Click(cmdDelete);
     }},
    {"Import",
     [](UndoWindowTest& t) {
       const std::string csv = t.temp_.File("two.csv");
       WriteBytes(csv,
                  "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;"
                  "OriginalWidthMM;OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;"
                  "OriginalBoxLengthMM;OriginalBoxWidthMM;OriginalBoxHeightMM;OriginalBoxCount\n"
                  "0.0009;0.0011;2;4;A;100;50;200;500;15;410;310;210;24\n"
                  "0.0009;0.0011;2;4;B;100;50;200;500;15;410;310;210;24\n");
       t.dialogs_.OpenNames.push_back(QString::fromStdString(csv));
       t.Click(cmdImport);
     }},
    {"AllParameters",
     [](UndoWindowTest& t) {
       t.EditSettingsAnswer = [](TOptimizationSettings& settings) {
         settings.LengthGapMM = 11;
         settings.CurrencySymbol = "€";
         return true;
       };
       t.Click(cmdAllParameters);
     }},
    {"QuickFieldTypedKeyByKey",
     [](UndoWindowTest& t) {
       auto* edit = t.Control<QLineEdit>("FQuick2");
       edit->selectAll();
       QTest::keyClicks(edit, "12");
       QTest::keyClick(edit, Qt::Key_Return);
     }},
    {"Criterion",
     [](UndoWindowTest& t) { t.Control<QComboBox>("FCriterion")->setCurrentIndex(3); }},
};

TEST_P(UndoWindowTest, EachChangeIsOneStepUndoneAndRedoneByOneCommand) {
  const TProjectData before = Window().Project();
  ASSERT_FALSE(Window().CanUndo());
  GetParam().Change(*this);
  ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors[0];
  const TProjectData after = Window().Project();
  ASSERT_NE(after, before) << "the change reached the project";
  EXPECT_TRUE(Window().Modified());
  EXPECT_TRUE(Window().CanUndo());
  EXPECT_FALSE(Window().CanRedo());

  Window().RunCommand(cmdUndo);
  EXPECT_EQ(Window().Project(), before);
  EXPECT_FALSE(Window().Modified()) << "back at the opened project";
  EXPECT_FALSE(Window().CanUndo()) << "one step, not more";
  EXPECT_EQ(Grid()->GridRowCount(), static_cast<int>(before.Products.size()) + 1);
  EXPECT_EQ(Grid()->Cell(4, 3).toStdString(), before.Products[2].Name);
  EXPECT_EQ(Control<QComboBox>("FCriterion")->currentIndex(),
            static_cast<int>(before.OptimizationCriterion));

  Window().RunCommand(cmdRedo);
  EXPECT_EQ(Window().Project(), after);
  EXPECT_TRUE(Window().Modified());
  EXPECT_FALSE(Window().CanRedo());
  EXPECT_TRUE(dialogs_.Errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Changes, UndoWindowTest, ::testing::ValuesIn(UndoCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainFormTest, UndoToTheSavedProjectClearsTheMarkAndTheResult) {
  TypeIntoCell(8, 1, "95");
  const std::string file = temp_.File("saved.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  Click(cmdSave);
  ASSERT_FALSE(Window().Modified());
  const TProjectData saved = Window().Project();
  Control<QComboBox>("FCriterion")->setCurrentIndex(2);
  RunAndWait();
  ASSERT_GT(Boxes()->count(), 0);

  Window().RunCommand(cmdUndo);
  EXPECT_EQ(Window().Project(), saved);
  EXPECT_FALSE(Window().Modified());
  EXPECT_EQ(Boxes()->count(), 0) << "the result belonged to the undone project";
  EXPECT_TRUE(Window().Result().Solutions.empty());
  Window().RunCommand(cmdUndo);
  EXPECT_TRUE(Window().Modified()) << "before the save";
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  Window().RunCommand(cmdRedo);
  EXPECT_FALSE(Window().Modified());
}

TEST_F(MainFormTest, AGridValueNotYetAcceptedIsNoStepUntilFixed) {
  TypeIntoCell(8, 1, "x");
  EXPECT_TRUE(Window().Modified()) << "typed, not yet saved";
  EXPECT_FALSE(Window().CanUndo());
  TypeIntoCell(8, 1, "95");
  EXPECT_TRUE(Window().CanUndo());
  Window().RunCommand(cmdUndo);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_FALSE(Window().CanUndo());
  EXPECT_FALSE(Window().Modified());
}

TEST_F(MainFormTest, QuickFieldTypedWithoutFinishingIsUndoneFirst) {
  Control<QLineEdit>("FQuick2")->setText("9");
  Window().RunCommand(cmdUndo);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_NE(Control<QLineEdit>("FQuick2")->text().toStdString(), "9");
  EXPECT_FALSE(Window().Modified());
  Window().RunCommand(cmdRedo);
  EXPECT_EQ(Window().Project().Settings.LengthGapMM, 9);
}

TEST_F(MainFormTest, OpeningForgetsTheHistory) {
  TypeIntoCell(8, 1, "95");
  ASSERT_TRUE(Window().CanUndo());
  OpenProject(LoadLumarProject());
  EXPECT_FALSE(Window().CanUndo());
  EXPECT_FALSE(Window().CanRedo());
  Window().RunCommand(cmdUndo);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
}

TEST_F(MainFormTest, UndoWaitsForARunningCalculation) {
  TProjectData project = LoadLumarProject();
  for (int copy = 0; copy < 6; ++copy)
    for (TProduct product : LoadLumarProject().Products) {
      product.Id = static_cast<int32_t>(project.Products.size() + 1);
      project.Products.push_back(product);
    }
  project.Settings = DefaultSettings();
  OpenProject(project);
  TypeIntoCell(8, 1, "95");
  const TProjectData typed = Window().Project();
  Click(cmdRun);
  ASSERT_TRUE(Window().Busy());
  EXPECT_FALSE(Window().CanUndo());
  Window().RunCommand(cmdUndo);
  EXPECT_EQ(Window().Project(), typed);
  Click(cmdCancel);
  ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
  EXPECT_TRUE(Window().CanUndo());
}

}  // namespace
}  // namespace quelmora::testing
