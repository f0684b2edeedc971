// Names the user typed reach the screen as typed in every language, even when
// they hold words the catalogue translates.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QRegularExpression>
#include <string>

#include "io/LumarData.h"
#include "model/AppStrings.h"
#include "ui/MainFormFixture.h"
#include "ui/WindowTexts.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

// Every word of it is a catalogue word.
const std::string Name = "Сахар 5 кг в слое всего мм";

class UserDataTextsTest : public MainFormTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void StartIn(const char* Language) {
    SaveLanguageChoice(Language);
    Window();
    ASSERT_EQ(CurrentLanguageFile(), Language);
  }
};

TEST_P(UserDataTextsTest, WindowShowsTheNameAsTyped) {
  StartIn(GetParam());
  TProjectData project = LoadLumarProject();
  project.Products.resize(1);
  project.Products[0].Name = Name;
  OpenProject(project);
  RunAndWait();
  ASSERT_FALSE(Window().Result().Solutions.empty());
  ASSERT_GE(Products()->count(), 1);
  EXPECT_EQ(Products()->item(0)->text().toStdString().rfind(Name + ": ", 0), 0u)
      << Products()->item(0)->text().toStdString();

  Grid()->SetCurrentCell(1, 1);
  dialogs_.YesNo.push_back(TAnswer::No);
  Click(cmdDelete);
  ASSERT_EQ(dialogs_.Questions.size(), 1u);
  EXPECT_NE(dialogs_.Questions[0].find(Name), std::string::npos) << dialogs_.Questions[0];
}

TEST_P(UserDataTextsTest, ProgressShowsTheNameAfterTheTranslatedStage) {
  StartIn(GetParam());
  const std::string stage = std::string(SStageCalculation) + ": " + Name;
  const std::string shown = RunProgressText(stage, TProductCount{1, 2});
  EXPECT_EQ(shown.rfind(Tr(SStageCalculation) + ": " + Name + " — ", 0), 0u) << shown;
  EXPECT_EQ(RunProgressText(stage, TProductCount{}), Tr(SStageCalculation) + ": " + Name);
  EXPECT_NE(Tr(SStageCalculation), SStageCalculation);
}

TEST_P(UserDataTextsTest, NewProductIsNamedInTheLanguageShown) {
  StartIn(GetParam());
  EditProductAnswer = [](TProduct&) { return true; };
  Click(cmdAdd);
  ASSERT_EQ(productsEdited_.size(), 1u);
  EXPECT_EQ(productsEdited_[0].Name, Tr(SNewProduct));
  EXPECT_NE(productsEdited_[0].Name, SNewProduct);
}

// The status line is put into words again on a change of language, never
// translated from what it shows.
TEST_P(UserDataTextsTest, StatusFollowsAChangeOfLanguage) {
  Window();
  TProjectData project = LoadLumarProject();
  project.Products.resize(1);
  project.Products[0].Name = Name;
  OpenProject(project);
  RunAndWait();
  const std::string russian = Status();
  ASSERT_EQ(russian.rfind(SCalculationFinished, 0), 0u) << russian;
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(
      language->findText(GetParam() == std::string("German.lng") ? "Deutsch" : "English"));
  ASSERT_EQ(CurrentLanguageFile(), GetParam());
  EXPECT_EQ(Status().rfind(Tr(SCalculationFinished) + ": 1 ", 0), 0u) << Status();
  EXPECT_EQ(QString::fromStdString(Status()).count(QRegularExpression("[\\x{0400}-\\x{04FF}]")), 0)
      << Status();
}

INSTANTIATE_TEST_SUITE_P(Languages, UserDataTextsTest,
                         ::testing::Values("English.lng", "German.lng"));

}  // namespace
}  // namespace quelmora::testing
