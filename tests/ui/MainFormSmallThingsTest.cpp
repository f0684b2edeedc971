#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "io/LumarData.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "support/Cyrillic.h"
#include "ui/MainFormFixture.h"
#include "ui/ProductEditForm.h"
#include "ui/ProductGrid.h"
#include "ui/SettingsForm.h"
#include "ui/UiText.h"
#include "ui/WindowTexts.h"
#include "workspace/Workspace.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

using testing::MainFormTest;
using TAnswer = IUserDialogs::TAnswer;

constexpr int NameColumn = ProductNameFieldIndex;

std::string Text(const QString& text) {
  return text.toStdString();
}

// The sample with every product's sample pack outside its volume range.
TProjectData AllMismatching() {
  TProjectData project = LoadLumarProject();
  project.Settings.VolumeMismatchMode = Ask;
  for (TProduct& p : project.Products) {
    const double volume = p.OriginalLengthMM * p.OriginalWidthMM * p.OriginalHeightMM / 1e9;
    p.MinVolumeM3 = volume * 1.1;
    p.MaxVolumeM3 = volume * 1.3;
  }
  return project;
}

// ---------------------------------------------------------------- delete

class DeleteQuestionTest
    : public MainFormTest,
      public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

// The name is put in as typed: neither formatted nor translated.
TEST_P(DeleteQuestionTest, NamesTheProductAsTyped) {
  const auto [name, language] = GetParam();
  Window();
  ASSERT_TRUE(LoadLanguage(language));
  TypeIntoCell(NameColumn, 2, QString::fromUtf8(name));
  Grid()->setCurrentIndex(Grid()->model()->index(1, 0));
  Click(cmdDelete);  // answered No
  ASSERT_EQ(dialogs_.Questions.size(), 1u);
  const std::string question = Tr(SConfirmDeleteProduct);
  const size_t slot = question.find("%s");
  ASSERT_NE(slot, std::string::npos);
  EXPECT_EQ(dialogs_.Questions[0], question.substr(0, slot) + name + question.substr(slot + 2));
  EXPECT_EQ(Window().Project().Products.size(), 12u);
}

INSTANTIATE_TEST_SUITE_P(Names, DeleteQuestionTest,
                         ::testing::Values(std::make_tuple("Чай «Утро»", "Russian.lng"),
                                           std::make_tuple("100% %s %d арабика", "Russian.lng"),
                                           std::make_tuple("Файл сохранен", "English.lng"),
                                           std::make_tuple("Расчет", "German.lng")));

// ---------------------------------------------------------------- import

TEST_F(MainFormTest, ImportSaysHowManyWereAddedAndShowsTheFirst) {
  ShowWindow();
  const int before = static_cast<int>(Window().Project().Products.size());
  const std::string csv = temp_.File("three.csv");
  const auto row = [](const std::string& name) {
    return "0.0009;0.0011;2;4;" + name + ";100;50;200;500;15;410;310;210;24\n";
  };
  testing::WriteBytes(csv,
                      "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;"
                      "OriginalWidthMM;OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;"
                      "OriginalBoxLengthMM;OriginalBoxWidthMM;OriginalBoxHeightMM;"
                      "OriginalBoxCount\n" +
                          row("Alpha") + row("Beta") + row("Gamma"));
  dialogs_.OpenNames.push_back(QString::fromStdString(csv));
  Click(cmdImport);
  QCoreApplication::processEvents();
  ASSERT_EQ(static_cast<int>(Window().Project().Products.size()), before + 3);
  EXPECT_EQ(Status(), "Добавлено изделий: 3");
  const QModelIndex current = Grid()->currentIndex();
  EXPECT_EQ(current.row(), before);
  EXPECT_EQ(Text(Grid()->Cell(NameColumn, current.row() + 1)), "Alpha");
  EXPECT_TRUE(Grid()->viewport()->rect().intersects(Grid()->visualRect(current)))
      << "the first added row is scrolled into view";
}

// ---------------------------------------------------------------- progress

TEST_F(MainFormTest, ProgressCountsTheProductsUpToTheEnabledCount) {
  TProjectData project = LoadLumarProject();
  // The full default search runs for seconds, so the status is seen while it goes.
  project.Settings = DefaultSettings();
  const std::vector<TProduct> sample = project.Products;
  project.Products.clear();
  for (int copy = 0; copy < 8; ++copy) {
    for (TProduct product : sample) {
      product.Id = static_cast<int32_t>(project.Products.size() + 1);
      product.Name += " " + std::to_string(copy);
      product.Enabled = project.Products.size() % 5 != 0;
      project.Products.push_back(product);
    }
  }
  int enabled = 0;
  for (const TProduct& p : project.Products)
    enabled += p.Enabled ? 1 : 0;
  OpenProject(project);

  QStringList parts = QString::fromStdString(Tr(SProductOfCount)).split(QStringLiteral("%d"));
  for (QString& part : parts)
    part = QRegularExpression::escape(part);
  const QRegularExpression count(parts.join(QStringLiteral("(\\d+)")));
  std::vector<int> seen;
  Click(cmdRun);
  ASSERT_TRUE(WaitUntil([&] {
    const QRegularExpressionMatch match = count.match(QString::fromStdString(Status()));
    if (match.hasMatch()) {
      EXPECT_EQ(match.captured(2).toInt(), enabled) << Status();
      seen.push_back(match.captured(1).toInt());
    }
    return !Window().Busy();
  }));
  ASSERT_FALSE(seen.empty()) << "no count was shown";
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GE(seen.front(), 1);
  EXPECT_LE(seen.back(), enabled);
  EXPECT_EQ(Window().Result().Solutions.size(), static_cast<size_t>(enabled));
}

TEST(RunProgressTextTest, OnlyTheProductStagesCarryTheCount) {
  const TProductCount count{3, 7};
  const std::string product = std::string(SStageCalculation) + ": Чай";
  EXPECT_EQ(RunProgressText(product, count), product + " — изделие 3 из 7");
  EXPECT_EQ(RunProgressText(product, TProductCount{}), product);
  for (const char* stage : {SStageUnification, SCalculationFinished})
    EXPECT_EQ(RunProgressText(stage, count), stage);
}

// ---------------------------------------------------------------- ask mode

class SameForAllTest : public ::testing::TestWithParam<TAnswer> {};

// One answer for all remaining gives the run the input that the same answer
// to every single question gives.
TEST_P(SameForAllTest, OneAnswerSettlesTheRestAsAnsweringEachWould) {
  TWorkspace workspace;
  workspace.SetProject(AllMismatching());
  const size_t products = workspace.Project().Products.size();

  testing::TFakeDialogs each;
  each.YesNoCancel.assign(products, GetParam());
  const std::optional<TRunInput> oneByOne =
      workspace.PrepareRun(VolumeMismatchQuestion(each, nullptr, UserNumbers()));
  ASSERT_TRUE(oneByOne);
  EXPECT_EQ(each.Questions.size(), products);

  testing::TFakeDialogs once;
  once.YesNoCancel = {GetParam()};
  once.Checks = {true};
  const std::optional<TRunInput> forAll =
      workspace.PrepareRun(VolumeMismatchQuestion(once, nullptr, UserNumbers()));
  ASSERT_TRUE(forAll);
  EXPECT_EQ(once.Questions.size(), 1u);
  EXPECT_EQ(once.CheckTexts, std::vector<std::string>{Tr(SSameForAllRemaining)});
  EXPECT_EQ(forAll->Products, oneByOne->Products);
  EXPECT_EQ(forAll->Settings, oneByOne->Settings);
}

INSTANTIATE_TEST_SUITE_P(Answers, SameForAllTest, ::testing::Values(TAnswer::Yes, TAnswer::No));

TEST(SameForAllCancelTest, CancelForAllStopsAtOnceAndTheNextRunAsksAgain) {
  TWorkspace workspace;
  workspace.SetProject(AllMismatching());
  testing::TFakeDialogs dialogs;
  dialogs.YesNoCancel = {TAnswer::Cancel};
  dialogs.Checks = {true};
  EXPECT_FALSE(workspace.PrepareRun(VolumeMismatchQuestion(dialogs, nullptr, UserNumbers())));
  EXPECT_EQ(dialogs.Questions.size(), 1u);
  // A checked answer holds for its run only.
  dialogs.YesNoCancel = {TAnswer::Yes, TAnswer::Cancel};
  EXPECT_FALSE(workspace.PrepareRun(VolumeMismatchQuestion(dialogs, nullptr, UserNumbers())));
  EXPECT_EQ(dialogs.Questions.size(), 3u);
}

// The real box: its check box carries the text and reports how it was left.
TEST(SameForAllBoxTest, TheCheckBoxComesBackWithTheAnswer) {
  for (const bool check : {false, true}) {
    QString shown;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->checkBox()) return;
      answer.stop();
      shown = box->checkBox()->text();
      box->checkBox()->setChecked(check);
      box->button(QMessageBox::No)->click();
    });
    answer.start();
    TQtUserDialogs dialogs;
    bool checked = !check;
    EXPECT_EQ(
        dialogs.AskYesNoCancelChecked(nullptr, QStringLiteral("?"), QStringLiteral("all"), checked),
        TAnswer::No);
    EXPECT_EQ(checked, check);
    EXPECT_EQ(shown, QStringLiteral("all"));
  }
}

TEST_F(MainFormTest, AskModeSameForAllAsksOnceAndRunsAsAnsweringEach) {
  OpenProject(AllMismatching());
  const size_t products = Window().Project().Products.size();
  dialogs_.YesNoCancel.assign(products, TAnswer::Yes);
  RunAndWait();
  ASSERT_EQ(dialogs_.Questions.size(), products);
  const std::vector<TOptimizationSolution> eachAnswered = Window().Result().Solutions;
  ASSERT_FALSE(eachAnswered.empty());

  dialogs_.Questions.clear();
  dialogs_.YesNoCancel = {TAnswer::Yes};
  dialogs_.Checks = {true};
  RunAndWait();
  EXPECT_EQ(dialogs_.Questions.size(), 1u);
  EXPECT_EQ(Window().Result().Solutions, eachAnswered);
}

// ---------------------------------------------------------------- tool tips

class ToolTipTest : public MainFormTest, public ::testing::WithParamInterface<const char*> {
 protected:
  // Non-empty, and free of Russian unless the language is.
  void ExpectTip(const QString& tip, const std::string& where) {
    EXPECT_FALSE(tip.isEmpty()) << where;
    if (std::string(GetParam()) != "Русский") {
      EXPECT_FALSE(HasCyrillic(tip.toStdString())) << where << ": " << Text(tip);
    }
  }

  void ExpectInputTips(QWidget* parent, const std::string& where) {
    for (QWidget* input : parent->findChildren<QWidget*>()) {
      if (!qobject_cast<QLineEdit*>(input) && !qobject_cast<QComboBox*>(input) &&
          !qobject_cast<QCheckBox*>(input))
        continue;
      // The grids' own editors and the language list are not settings.
      if (qobject_cast<QLineEdit*>(input) && qobject_cast<QComboBox*>(input->parentWidget()))
        continue;
      ExpectTip(input->toolTip(),
                where + " " + Text(input->objectName()) + " " + input->metaObject()->className());
    }
  }
};

// Every grid column, product field, setting and quick parameter explains
// itself in the language chosen in the window, also after a switch.
TEST_P(ToolTipTest, EveryColumnFieldAndSettingHasATipInTheChosenLanguage) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  for (const char* shown : {"English", GetParam()}) {
    language->setCurrentIndex(language->findText(QString::fromUtf8(shown)));
    ASSERT_EQ(Text(language->currentText()), shown);
  }
  for (int column = 0; column < GridColumnCount; ++column)
    ExpectTip(Grid()->model()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString(),
              "column " + std::to_string(column));
  QWidget* parameters = Control<QWidget>("FParameters");
  ExpectInputTips(parameters, "quick parameters");

  TProductEditForm product(nullptr, LoadLumarProject().Products[0], dialogs_);
  for (int r = 1; r <= ProductFieldCount; ++r)
    for (int column = 0; column < 2; ++column)
      ExpectTip(product.Grid()->item(r, column)->toolTip(), "product field " + std::to_string(r));
  ExpectInputTips(&product, "product dialog");

  TSettingsForm settings(nullptr, Window().Project().Settings, dialogs_);
  for (int r = 1; r <= SettingsFieldCount; ++r)
    for (int column = 0; column < 2; ++column)
      ExpectTip(settings.Grid()->item(r, column)->toolTip(), "setting " + std::to_string(r));
  ExpectInputTips(&settings, "settings dialog");
}

INSTANTIATE_TEST_SUITE_P(Languages, ToolTipTest,
                         ::testing::Values("English", "Deutsch", "Русский"));

}  // namespace
}  // namespace quelmora
