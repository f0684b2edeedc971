// The main window as it comes up: layout, captions, states, languages.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <filesystem>

#include "io/LumarData.h"
#include "l10n/SettingsIni.h"
#include "l10n/TranslateControl.h"
#include "model/AppStrings.h"
#include "model/Validation.h"
#include "ui/MainFormFixture.h"
#include "ui/Mnemonics.h"

namespace quelmora::testing {
namespace {

std::string Text(const QString& text) {
  return text.toStdString();
}

TEST_F(MainFormTest, StartsIdleOnTheSampleProject) {
  TMainForm& window = Window();
  EXPECT_EQ(window.Project(), LoadLumarProject());
  EXPECT_TRUE(window.Result().Solutions.empty());
  EXPECT_FALSE(window.Modified());
  EXPECT_FALSE(window.Busy());
  EXPECT_EQ(Status(), SReadyToCalculate);
  EXPECT_EQ(Text(window.windowTitle()), std::string("Пример — ") + ProgramName);
  EXPECT_EQ(window.minimumSize(), QSize(1080, 700));
  EXPECT_EQ(window.font().pointSize(), 10);

  for (int code : {cmdImport, cmdAdd, cmdEdit, cmdDelete, cmdAllParameters, cmdRun, cmdSave,
                   cmdOpen, cmdClose})
    EXPECT_TRUE(Button(code)->isEnabled()) << code;
  for (int code : {cmdExport, cmdReport, cmdCancel})
    EXPECT_FALSE(Button(code)->isEnabled()) << code;

  auto* sort = Control<QCheckBox>("FSort");
  EXPECT_TRUE(sort->isChecked());
  EXPECT_FALSE(sort->isEnabled());
}

TEST_F(MainFormTest, CommandButtonsCarryTheirCaptionsAndPlaces) {
  struct TCase {
    int Code;
    const char* Caption;
    int Left;
    int Width;
  };
  const TCase cases[] = {
      {cmdImport, SImportProducts, 10, 145},
      {cmdAdd, SAdd, 163, 100},
      {cmdEdit, SEdit, 271, 100},
      {cmdDelete, SDelete, 379, 100},
      {cmdAllParameters, SAllParameters, 280, 145},
      {cmdRun, SCalculate, 12, 120},
      {cmdSave, SSave, 144, 110},
      {cmdOpen, SOpen, 266, 110},
      {cmdExport, SExport, 388, 110},
      {cmdReport, SReport, 510, 110},
      {cmdClose, SClose, 632, 110},
      {cmdCancel, SCancel, 910, 120},
  };
  for (const TCase& c : cases) {
    QPushButton* button = Button(c.Code);
    ASSERT_NE(button, nullptr) << c.Code;
    EXPECT_EQ(Text(WithoutMnemonic(button->text())), c.Caption);
    const int top = c.Code == cmdAllParameters ? 82 : 8;
    EXPECT_EQ(button->geometry(), QRect(c.Left, top, c.Width, 34)) << c.Caption;
  }
}

TEST_F(MainFormTest, GridShowsEveryProductWithItsHeaders) {
  ShowWindow();
  TProductGridWidget* grid = Grid();
  const TProjectData sample = LoadLumarProject();
  ASSERT_EQ(grid->GridRowCount(), static_cast<int>(sample.Products.size()) + 1);
  EXPECT_EQ(grid->model()->columnCount(), 15);
  EXPECT_EQ(Text(grid->Cell(0, 0)), "Мин. объем, м³");
  EXPECT_EQ(Text(grid->Cell(13, 0)), "N0");
  EXPECT_EQ(Text(grid->Cell(14, 0)), "Вкл.");
  EXPECT_EQ(grid->columnWidth(0), 104);
  EXPECT_EQ(grid->columnWidth(4), 180);
  EXPECT_EQ(grid->columnWidth(14), 48);
  EXPECT_EQ(grid->horizontalHeader()->height(), 48);
  EXPECT_EQ(grid->rowHeight(0), 34);

  const TProduct& first = sample.Products[0];
  EXPECT_EQ(Text(grid->Cell(4, 1)), first.Name);
  EXPECT_EQ(Text(grid->Cell(0, 1)), "0.000248832");
  EXPECT_EQ(Text(grid->Cell(13, 1)), "88");
  EXPECT_EQ(Text(grid->Cell(14, 1)), "1");
}

TEST_F(MainFormTest, QuickFieldsAndCriterionShowTheSettings) {
  Window();
  const TOptimizationSettings settings = LoadLumarProject().Settings;
  const int fields[] = {0, 1, 2, 3, 5, 6};
  for (int i = 0; i < 6; ++i) {
    auto* edit = Control<QLineEdit>(("FQuick" + std::to_string(i)).c_str());
    double value = 0;
    ASSERT_TRUE(TryParseNumber(Text(edit->text()), value));
    EXPECT_EQ(value, GetSettingsField(settings, fields[i])) << i;
    EXPECT_EQ(edit->geometry(), QRect(12 + 174 * i, 48, 156, 28));
  }
  auto* criterion = Control<QComboBox>("FCriterion");
  ASSERT_EQ(criterion->count(), 4);
  EXPECT_EQ(Text(criterion->itemText(0)), SCriterionCostPerVolume);
  EXPECT_EQ(Text(criterion->itemText(3)), SCriterionCombined);
  EXPECT_EQ(criterion->currentIndex(), 0);
}

TEST_F(MainFormTest, LanguageListIsMarkedAndShowsTheCurrentLanguage) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  EXPECT_EQ(language->property(LanguageSelectorProperty).toInt(), 909);
  ASSERT_EQ(language->count(), 3);
  // In the order of the file names.
  EXPECT_EQ(Text(language->itemText(0)), "English");
  EXPECT_EQ(Text(language->itemText(1)), "Deutsch");
  EXPECT_EQ(Text(language->currentText()), "Русский");
  // Anchored to the header's right edge, 20 pixels in.
  ShowWindow();
  Window().resize(1400, 920);
  QCoreApplication::processEvents();
  const QWidget* header = language->parentWidget();
  EXPECT_EQ(language->geometry().right() + 1, header->width() - 20);
  EXPECT_EQ(language->y(), 12);
}

TEST_F(MainFormTest, StartsInTheSavedLanguage) {
  SaveLanguageChoice("English.lng");
  Window();
  EXPECT_EQ(Text(WithoutMnemonic(Button(cmdRun)->text())), "Calculate");
  EXPECT_EQ(Text(Grid()->Cell(14, 0)), "On");
  EXPECT_EQ(Status(), "Ready to calculate");
  EXPECT_EQ(Text(Control<QComboBox>("FLanguage")->currentText()), "English");
}

TEST_F(MainFormTest, SwitchingLanguageTranslatesEverythingAndRemembersIt) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(language->findText("English"));
  EXPECT_EQ(Text(WithoutMnemonic(Button(cmdRun)->text())), "Calculate");
  EXPECT_EQ(Text(Grid()->Cell(14, 0)), "On");
  EXPECT_EQ(Text(Window().windowTitle()), "Sample — quelmora");
  EXPECT_EQ(Text(QApplication::applicationDisplayName()), ProgramName);
  EXPECT_EQ(Text(Control<QComboBox>("FCriterion")->itemText(1)), Tr(SCriterionBoxCount));
  EXPECT_EQ(SavedLanguageChoice(), "English.lng");
  EXPECT_FALSE(Window().Modified()) << "a language is no change of the project";

  language->setCurrentIndex(language->findText("Deutsch"));
  EXPECT_EQ(Text(WithoutMnemonic(Button(cmdRun)->text())), "Berechnen");
  EXPECT_EQ(Status(), "Bereit zur Berechnung");
  EXPECT_EQ(SavedLanguageChoice(), "German.lng");
}

TEST_F(MainFormTest, TitleNamesTheProgramOnceAfterEverySwitchOfLanguage) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  for (const char* name : {"English", "Deutsch"})
    language->setCurrentIndex(language->findText(QString::fromUtf8(name)));
  const QString title = Window().windowTitle();
  EXPECT_EQ(Text(title), "Beispiel — quelmora");
  EXPECT_EQ(title.count(QStringLiteral("quelmora")), 1);
  EXPECT_TRUE(title.endsWith(QApplication::applicationDisplayName()));
}

TEST_F(MainFormTest, SwitchingLanguageKeepsTheCriterionSelection) {
  Window();
  auto* criterion = Control<QComboBox>("FCriterion");
  criterion->setCurrentIndex(2);
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(language->findText("English"));
  EXPECT_EQ(criterion->currentIndex(), 2);
  EXPECT_EQ(Text(criterion->currentText()), Tr(SCriterionPalletFill));
}

TEST_F(MainFormTest, RightColumnTakesHalfOfTheWidthBeyondTheLeftColumn) {
  ShowWindow();
  auto* right = Control<QWidget>("FOriginalPanel");
  Window().resize(1600, 900);
  QCoreApplication::processEvents();
  EXPECT_EQ(right->width(), 620);
  Window().resize(1080, 900);
  QCoreApplication::processEvents();
  EXPECT_EQ(right->width(), 360);
  EXPECT_EQ(Control<QWidget>("FList")->parentWidget()->parentWidget()->width(), 360);
}

TEST_F(MainFormTest, BandsStackInTheirOrderAndHeights) {
  ShowWindow();
  auto* input = Control<QWidget>("FInputPanel");
  auto* parameters = Control<QWidget>("FParameters");
  auto* actions = Control<QWidget>("FActions");
  auto* status = Control<QWidget>("StatusBand");
  // In the window's coordinates: the menu bar on top, the grid and the bands
  // under it in a splitter, the results in a scroll area, a handle under the grid.
  const auto placed = [this](const QWidget* band) {
    return QRect(band->mapTo(&Window(), QPoint(0, 0)), band->size());
  };
  const int handle = 5;
  const int menu = Control<QWidget>("MainMenu")->height();
  const int height = 920 + menu;
  EXPECT_EQ(Control<QWidget>("MainMenu")->y(), 0);
  EXPECT_EQ(Window().height(), height);
  EXPECT_EQ(placed(input), QRect(0, menu + 54, 1340, 246));
  EXPECT_EQ(placed(parameters), QRect(0, menu + 300 + handle, 1340, 120));
  EXPECT_EQ(placed(actions), QRect(0, height - 50, 1340, 50));
  EXPECT_EQ(placed(status), QRect(0, height - 98, 1340, 48));
  EXPECT_EQ(placed(Control<QWidget>("FDetails")),
            QRect(0, menu + 420 + handle, 1340, 920 - 98 - 420 - handle));
}

// A language folder with English only, and a saved choice that does not exist.
class MainFormWithoutRussianTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    std::filesystem::create_directories(temp_.Path() / "lang");
    std::filesystem::copy_file(std::string(QUELMORA_SOURCE_DIR) + "/lang/English.lng",
                               temp_.Path() / "lang" / "English.lng");
    OverrideLanguageFolder((temp_.Path() / "lang").string());
    SaveLanguageChoice("Finnish.lng");
  }
};

TEST_F(MainFormWithoutRussianTest, ShowsNoLanguageSelected) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  ASSERT_EQ(language->count(), 1);
  EXPECT_EQ(language->currentIndex(), -1);
  // Without any table the Russian texts stand.
  EXPECT_EQ(Text(WithoutMnemonic(Button(cmdRun)->text())), SCalculate);
}

}  // namespace
}  // namespace quelmora::testing
