// The window's commands driven through its buttons, with the boxes and file
// dialogs answered by the fake.
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <filesystem>

#include "io/ExampleFiles.h"
#include "io/LumarData.h"
#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "ui/MainFormFixture.h"
#include "ui/ResultViews.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

std::string Text(const QString& text) {
  return text.toStdString();
}

// The sample eight times over with the default search limits: a run that
// takes seconds, long enough to be cancelled.
TProjectData SlowProject() {
  const TProjectData sample = LoadLumarProject();
  TProjectData project = sample;
  project.Settings = DefaultSettings();
  project.Products.clear();
  for (int copy = 0; copy < 8; ++copy) {
    for (TProduct product : sample.Products) {
      product.Id = static_cast<int32_t>(project.Products.size() + 1);
      product.Name += " " + std::to_string(copy);
      project.Products.push_back(product);
    }
  }
  return project;
}

// The sample in Ask mode: products 1 and 3 have sample packs outside their
// ranges, product 2 as well but it is switched off.
TProjectData AskProject() {
  TProjectData project = LoadLumarProject();
  project.Settings.VolumeMismatchMode = Ask;
  for (int index : {0, 1, 2}) {
    TProduct& p = project.Products[index];
    const double volume = p.OriginalLengthMM * p.OriginalWidthMM * p.OriginalHeightMM / 1e9;
    p.MinVolumeM3 = volume * 1.1;
    p.MaxVolumeM3 = volume * 1.3;
  }
  project.Products[1].Enabled = false;
  return project;
}

TEST_F(MainFormTest, RunShowsUnifiedBoxesProductsAndDetails) {
  RunAndWait();
  const TOptimizationResult& result = Window().Result();
  ASSERT_EQ(result.Solutions.size(), 12u);
  EXPECT_FALSE(result.Cancelled);
  EXPECT_TRUE(Window().Project() == LoadLumarProject()) << "a run changes no project";

  // Three shared sizes, group 1 first, each line with its member count.
  ASSERT_EQ(Boxes()->count(), 3);
  const std::vector<int> boxes = UnifiedBoxRepresentatives(result);
  for (int line = 0; line < 3; ++line) {
    const TOptimizationSolution& s = result.Solutions[boxes[line]];
    EXPECT_EQ(s.UnifiedGroupId, line + 1);
    const std::string expected = Format("Ящик %d: %.1f × %.1f × %.1f мм — ", s.UnifiedGroupId,
                                        s.Box.LengthMM, s.Box.WidthMM, s.Box.HeightMM) +
                                 std::to_string(s.UnifiedProductCount) + " изд.";
    EXPECT_EQ(Text(Boxes()->item(line)->text()), expected);
  }
  EXPECT_EQ(Boxes()->currentRow(), 0);
  EXPECT_EQ(Products()->currentRow(), 0);
  EXPECT_EQ(Status(), "Расчет завершен: 12 изделий, 3 ящика");
  EXPECT_TRUE(Button(cmdExport)->isEnabled());
  EXPECT_TRUE(Button(cmdReport)->isEnabled());
  EXPECT_FALSE(Button(cmdCancel)->isEnabled());
  EXPECT_EQ(Control<QProgressBar>("FProgress")->value(), 100);

  // The first product of group 1 in the detail texts.
  const std::string product = Text(Products()->item(0)->text());
  const std::string name = product.substr(0, product.find(':'));
  const TOptimizationSolution* selected = nullptr;
  for (const TOptimizationSolution& s : result.Solutions)
    if (SolutionProductName(Window().Project(), s.ProductId) == name) selected = &s;
  ASSERT_NE(selected, nullptr) << product;
  EXPECT_EQ(selected->UnifiedGroupId, 1);
  EXPECT_EQ(product, Format("%s: %.1f × %.1f × %.1f мм", name.c_str(), selected->Pack.LengthMM,
                            selected->Pack.WidthMM, selected->Pack.HeightMM));
  const std::string optimal = Text(OptimalMemo()->toPlainText());
  EXPECT_EQ(optimal.rfind(Format("Пачка: %.1f × %.1f × %.1f мм\n", selected->Pack.LengthMM,
                                 selected->Pack.WidthMM, selected->Pack.HeightMM),
                          0),
            0u)
      << optimal;
  EXPECT_NE(optimal.find(Format("Пачек в ящике: %d\n", selected->Box.PackCount)),
            std::string::npos);
  EXPECT_NE(
      optimal.find(Format("Группа унификации: 1; изделий: %d", selected->UnifiedProductCount)),
      std::string::npos);
  EXPECT_NE(optimal.find("\n\nСРАВНЕНИЕ С ЛУМАР (tea.DB)\nЛУМАР, пачка: "), std::string::npos)
      << "every sample product has a reference entry";
  const std::string original = Text(OriginalMemo()->toPlainText());
  EXPECT_NE(original.find(Format("Пачек в ящике: %d\n", selected->OriginalBox.PackCount)),
            std::string::npos);
  EXPECT_NE(original.find("\n\nЭкономия: "), std::string::npos) << original;
}

TEST_F(MainFormTest, EachBoxListsItsProductsByName) {
  RunAndWait();
  const TOptimizationResult& result = Window().Result();
  int listed = 0;
  for (int line = 0; line < Boxes()->count(); ++line) {
    Boxes()->setCurrentRow(line);
    ASSERT_GT(Products()->count(), 0);
    EXPECT_EQ(Products()->currentRow(), 0);
    std::vector<std::string> names;
    for (int row = 0; row < Products()->count(); ++row) {
      const std::string text = Text(Products()->item(row)->text());
      names.push_back(text.substr(0, text.find(':')));
    }
    for (size_t i = 1; i < names.size(); ++i)
      EXPECT_LE(NaturalCompare(names[i - 1], names[i]), 0) << names[i - 1] << " / " << names[i];
    listed += Products()->count();
  }
  EXPECT_EQ(listed, static_cast<int>(result.Solutions.size()));

  // Picking another product rewrites both texts.
  Boxes()->setCurrentRow(0);
  const QString before = OptimalMemo()->toPlainText();
  Products()->setCurrentRow(1);
  EXPECT_NE(OptimalMemo()->toPlainText(), before);
}

TEST_F(MainFormTest, BothDrawingsArePaintedForTheSelectedProductOnly) {
  ShowWindow();
  auto* pack = Control<QWidget>("FPackPreview");
  auto* layout = Control<QWidget>("FLayoutPreview");
  EXPECT_TRUE(AllPixels(pack->grab().toImage(), qRgb(255, 255, 255)));
  RunAndWait();
  EXPECT_FALSE(AllPixels(pack->grab().toImage(), qRgb(255, 255, 255)));
  EXPECT_FALSE(AllPixels(layout->grab().toImage(), qRgb(255, 255, 255)));
  Control<QLineEdit>("FQuick2")->setText("5");
  EXPECT_TRUE(AllPixels(pack->grab().toImage(), qRgb(255, 255, 255)));
  EXPECT_TRUE(AllPixels(layout->grab().toImage(), qRgb(255, 255, 255)));
}

TEST_F(MainFormTest, ExportFollowsTheTypedExtensionThenTheSelectedFileType) {
  RunAndWait();
  const std::string csv = temp_.File("result.csv");
  dialogs_.SaveChoices.push_back({QString::fromStdString(csv), 0});
  Click(cmdExport);
  EXPECT_EQ(dialogs_.FiltersSeen.back(), QStringList({"CSV UTF-8 (*.csv)", "JSON (*.json)"}));
  EXPECT_EQ(dialogs_.SuffixesSeen.back(), "csv");
  EXPECT_EQ(ReadUtf8TextFile(csv).rfind("Product;OriginalL_MM;", 0), 0u);
  EXPECT_EQ(Status(), SFileSaved);

  const std::string json = temp_.File("typed-without-extension");
  dialogs_.SaveChoices.push_back({QString::fromStdString(json), 1});
  Click(cmdExport);
  const std::string text = ReadUtf8TextFile(json);
  EXPECT_EQ(text.rfind("{", 0), 0u) << text.substr(0, 40);
  EXPECT_NE(text.find("\"Solutions\""), std::string::npos);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(MainFormTest, ExportCancelledWritesNothing) {
  RunAndWait();
  Click(cmdExport);
  EXPECT_EQ(Status(), "Расчет завершен: 12 изделий, 3 ящика");
  EXPECT_EQ(temp_.Listing(), "");
}

TEST_F(MainFormTest, ReportWritesThePdf) {
  RunAndWait();
  const std::string pdf = temp_.File("report.pdf");
  dialogs_.SaveChoices.push_back({QString::fromStdString(pdf), 0});
  Click(cmdReport);
  EXPECT_EQ(dialogs_.FiltersSeen.back(), QStringList({"PDF (*.pdf)"}));
  EXPECT_EQ(dialogs_.SuffixesSeen.back(), "pdf");
  EXPECT_EQ(dialogs_.InitialNamesSeen.back(), "quelmora-report.pdf");
  EXPECT_EQ(ReadBytes(pdf).rfind("%PDF-1.4", 0), 0u);
  EXPECT_EQ(Status(), SPdfReportSaved);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(MainFormTest, WhileRunningOnlyCancelAndTheResultAreaAreUsable) {
  OpenProject(SlowProject());
  Click(cmdRun);
  ASSERT_TRUE(Window().Busy());
  EXPECT_TRUE(Button(cmdCancel)->isEnabled());
  for (int code : {cmdImport, cmdAdd, cmdEdit, cmdDelete, cmdAllParameters, cmdRun, cmdSave,
                   cmdOpen, cmdExport, cmdReport, cmdClose})
    EXPECT_FALSE(Button(code)->isEnabled()) << code;
  EXPECT_FALSE(Grid()->isEnabled());
  EXPECT_FALSE(Control<QLineEdit>("FQuick0")->isEnabled());
  EXPECT_TRUE(Control<QComboBox>("FLanguage")->isEnabled());
  EXPECT_TRUE(Boxes()->isEnabled());

  Click(cmdCancel);
  ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
  EXPECT_EQ(Status(), "Расчет отменен");
  EXPECT_TRUE(Window().Result().Cancelled);
  EXPECT_EQ(Boxes()->count(), 0);
  EXPECT_FALSE(Button(cmdExport)->isEnabled());
  EXPECT_FALSE(Button(cmdCancel)->isEnabled());
  EXPECT_TRUE(Button(cmdRun)->isEnabled());
  EXPECT_TRUE(Grid()->isEnabled());
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(MainFormTest, ClosingDuringARunCancelsThenAsksToSave) {
  OpenProject(SlowProject());
  Control<QLineEdit>("FQuick2")->setText("5");
  ASSERT_TRUE(Window().Modified());
  ShowWindow();
  Click(cmdRun);
  ASSERT_TRUE(Window().Busy());

  EXPECT_FALSE(Window().close());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Status(), SCancellingBeforeClose);
  EXPECT_TRUE(dialogs_.Questions.empty()) << "no question while the run is stopping";

  dialogs_.YesNoCancel.push_back(TAnswer::No);
  ASSERT_TRUE(WaitUntil([this] { return !Window().isVisible(); }));
  EXPECT_FALSE(Window().Busy());
  ASSERT_EQ(dialogs_.Questions.size(), 1u);
  EXPECT_EQ(dialogs_.Questions[0], "Сохранить изменения в «project.vld»?");
}

TEST_F(MainFormTest, ClosingDuringARunStaysOpenWhenTheSaveQuestionIsCancelled) {
  OpenProject(SlowProject());
  Control<QLineEdit>("FQuick2")->setText("5");
  ShowWindow();
  Click(cmdRun);
  EXPECT_FALSE(Window().close());
  ASSERT_TRUE(WaitUntil([this] { return !Window().Busy(); }));
  ASSERT_TRUE(WaitUntil([this] { return !dialogs_.Questions.empty(); }, 10));
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(Window().Modified());
}

TEST_F(MainFormTest, CloseWithoutChangesAsksNothing) {
  ShowWindow();
  Click(cmdClose);
  EXPECT_FALSE(Window().isVisible());
  EXPECT_TRUE(dialogs_.Questions.empty());
}

TEST_F(MainFormTest, AskModeAsksInListOrderAndCancelStartsNothing) {
  OpenProject(AskProject());
  const TProjectData opened = Window().Project();
  dialogs_.YesNoCancel = {TAnswer::Yes, TAnswer::No};
  RunAndWait();
  ASSERT_EQ(dialogs_.Questions.size(), 2u) << "the switched-off product is never asked about";
  const TProduct& first = Window().Project().Products[0];
  EXPECT_EQ(dialogs_.Questions[0].rfind(first.Name + ": задан диапазон ", 0), 0u)
      << dialogs_.Questions[0];
  EXPECT_NE(
      dialogs_.Questions[0].find(Format("%.6f–%.6f м³", first.MinVolumeM3, first.MaxVolumeM3)),
      std::string::npos);
  EXPECT_EQ(dialogs_.Questions[1].rfind(Window().Project().Products[2].Name + ":", 0), 0u);
  ASSERT_EQ(Boxes()->count(), 3) << (dialogs_.Errors.empty() ? "" : dialogs_.Errors[0]);
  EXPECT_EQ(Window().Project().Settings.VolumeMismatchMode, Ask) << "the answers stay in the run";
  EXPECT_EQ(Window().Project(), opened);

  // The answer Yes narrowed the first product's range to its sample.
  const TOptimizationResult shown = Window().Result();
  for (const TOptimizationSolution& s : shown.Solutions) {
    if (s.ProductId != first.Id) continue;
    EXPECT_NEAR(s.Pack.VolumeM3,
                first.OriginalLengthMM * first.OriginalWidthMM * first.OriginalHeightMM / 1e9,
                1e-9);
  }

  dialogs_.Questions.clear();
  dialogs_.YesNoCancel = {TAnswer::No, TAnswer::Cancel};
  Click(cmdRun);
  EXPECT_EQ(dialogs_.Questions.size(), 2u);
  EXPECT_FALSE(Window().Busy());
  EXPECT_EQ(Window().Result(), shown);
  EXPECT_EQ(Boxes()->count(), 3);
  EXPECT_TRUE(Button(cmdExport)->isEnabled());
}

TEST_F(MainFormTest, OpeningABrokenFileKeepsProjectAndResults) {
  RunAndWait();
  const TOptimizationResult shown = Window().Result();
  const std::string broken = temp_.File("broken.vld");
  WriteBytes(broken, "this is not a project");
  dialogs_.OpenNames.push_back(QString::fromStdString(broken));
  Click(cmdOpen);
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(dialogs_.Errors[0].rfind("Некорректный файл", 0), 0u) << dialogs_.Errors[0];
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_EQ(Window().Result(), shown);
  EXPECT_EQ(Boxes()->count(), 3);
  EXPECT_EQ(dialogs_.FiltersSeen.back(), QStringList({"quelmora (*.vld)"}));
}

TEST_F(MainFormTest, SaveAndOpenRoundTripClearsTheModifiedFlag) {
  Control<QLineEdit>("FQuick2")->setText("7,5");
  ASSERT_TRUE(Window().Modified());
  const std::string file = temp_.File("saved.vld");
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  Click(cmdSave);
  EXPECT_EQ(dialogs_.SuffixesSeen.back(), "vld");
  EXPECT_FALSE(Window().Modified());
  EXPECT_EQ(Status(), SFileSaved);
  EXPECT_EQ(LoadProject(file).Settings.LengthGapMM, 7.5);
  const TProjectData saved = Window().Project();

  Control<QLineEdit>("FQuick2")->setText("9");
  dialogs_.YesNoCancel.push_back(TAnswer::No);
  dialogs_.OpenNames.push_back(QString::fromStdString(file));
  Click(cmdOpen);
  EXPECT_EQ(dialogs_.Questions, std::vector<std::string>{"Сохранить изменения в «saved.vld»?"});
  EXPECT_EQ(Window().Project(), saved);
  EXPECT_FALSE(Window().Modified()) << "filling the quick fields is no change";
  EXPECT_EQ(Text(Control<QLineEdit>("FQuick2")->text()), "7.5");
  EXPECT_EQ(Status(), "Данные изменены — выполните расчет");
}

TEST_F(MainFormTest, CancelOnTheSaveQuestionKeepsTheProjectAndOpensNothing) {
  Control<QLineEdit>("FQuick2")->setText("9");
  dialogs_.YesNoCancel.push_back(TAnswer::Cancel);
  Click(cmdOpen);
  EXPECT_EQ(dialogs_.Questions.size(), 1u);
  EXPECT_TRUE(dialogs_.FiltersSeen.empty()) << "no file dialog";
  EXPECT_TRUE(Window().Modified());
  EXPECT_EQ(Text(Control<QLineEdit>("FQuick2")->text()), "9");
}

TEST_F(MainFormTest, YesOnTheSaveQuestionSavesFirst) {
  Control<QLineEdit>("FQuick2")->setText("6");
  const std::string file = temp_.File("first.vld");
  dialogs_.YesNoCancel.push_back(TAnswer::Yes);
  dialogs_.SaveChoices.push_back({QString::fromStdString(file), 0});
  Click(cmdOpen);  // the open dialog is then cancelled
  EXPECT_EQ(LoadProject(file).Settings.LengthGapMM, 6);
  EXPECT_FALSE(Window().Modified());
}

TEST_F(MainFormTest, ImportNumbersNewProductsAfterTheLargestId) {
  Window();
  // Rows 12 and 11 go, so the largest Id is 10.
  for (int row : {12, 11}) {
    Grid()->setCurrentIndex(Grid()->model()->index(row - 1, 2));
    dialogs_.YesNo.push_back(TAnswer::Yes);
    Click(cmdDelete);
  }
  ASSERT_EQ(Window().Project().Products.size(), 10u);
  EXPECT_EQ(dialogs_.Questions[0],
            "Удалить изделие «" + LoadLumarProject().Products[11].Name + "»?");
  EXPECT_EQ(Window().NextProductId(), 11);

  const std::string csv = temp_.File("three.csv");
  const auto row = [](const std::string& name) {
    return "0.0009;0.0011;2;4;" + name + ";100;50;200;500;15;410;310;210;24\n";
  };
  WriteBytes(csv,
             "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
             "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;"
             "OriginalBoxWidthMM;OriginalBoxHeightMM;OriginalBoxCount\n" +
                 row("Alpha") + row("Beta") + row("Gamma"));
  dialogs_.OpenNames.push_back(QString::fromStdString(csv));
  Click(cmdImport);
  EXPECT_EQ(dialogs_.FiltersSeen.back(), QStringList({"CSV UTF-8 (*.csv)"}));
  const std::vector<TProduct>& products = Window().Project().Products;
  ASSERT_EQ(products.size(), 13u) << (dialogs_.Errors.empty() ? "" : dialogs_.Errors[0]);
  EXPECT_EQ(products[10].Id, 11);
  EXPECT_EQ(products[11].Id, 12);
  EXPECT_EQ(products[12].Id, 13);
  EXPECT_EQ(products[12].Name, "Gamma");
  EXPECT_EQ(Text(Grid()->Cell(4, 13)), "Gamma");
  EXPECT_TRUE(Window().Modified());
}

TEST_F(MainFormTest, AFailedImportChangesNothing) {
  Window();
  const std::string csv = temp_.File("bad.csv");
  WriteBytes(csv, "Name;Something\nx;y\n");
  dialogs_.OpenNames.push_back(QString::fromStdString(csv));
  Click(cmdImport);
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  // The message, then the line that names the file read.
  const std::string& error = dialogs_.Errors[0];
  EXPECT_EQ(error.substr(0, error.find('\n')),
            FormatArgs(SInvalidCsvHeader, {InstalledExampleCsv()}));
  EXPECT_NE(error.find(csv, error.find('\n')), std::string::npos) << error;
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_FALSE(Window().Modified());
}

TEST_F(MainFormTest, AddAppendsTheProductTheDialogGivesBack) {
  RunAndWait();
  EditProductAnswer = [](TProduct& product) {
    product.Name = "Перец";
    return true;
  };
  Click(cmdAdd);
  ASSERT_EQ(productsEdited_.size(), 1u);
  EXPECT_EQ(productsEdited_[0].Id, 13);
  EXPECT_EQ(productsEdited_[0].Name, SNewProduct);
  ASSERT_EQ(Window().Project().Products.size(), 13u);
  EXPECT_EQ(Window().Project().Products.back().Name, "Перец");
  EXPECT_EQ(Text(Grid()->Cell(4, 13)), "Перец");
  EXPECT_TRUE(Window().Modified());
  EXPECT_TRUE(Window().Result().Solutions.empty());
  EXPECT_EQ(Boxes()->count(), 0);
}

TEST_F(MainFormTest, AddCancelledChangesNothing) {
  Click(cmdAdd);
  EXPECT_EQ(productsEdited_.size(), 1u);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_FALSE(Window().Modified());
}

TEST_F(MainFormTest, EditOpensTheRowAsTheGridShowsIt) {
  Window();
  TypeIntoCell(4, 3, "Кофе в зёрнах");
  TypeIntoCell(9, 3, "not a number");
  EditProductAnswer = [](TProduct& product) {
    product.MaxBoxWeightKG = 12;
    return true;
  };
  Grid()->setCurrentIndex(Grid()->model()->index(2, 0));
  Click(cmdEdit);
  ASSERT_EQ(productsEdited_.size(), 1u);
  EXPECT_EQ(productsEdited_[0].Name, "Кофе в зёрнах");
  EXPECT_EQ(productsEdited_[0].MaxBoxWeightKG, LoadLumarProject().Products[2].MaxBoxWeightKG)
      << "an unusable cell keeps the stored value";
  EXPECT_EQ(Window().Project().Products[2].Name, "Кофе в зёрнах");
  EXPECT_EQ(Window().Project().Products[2].MaxBoxWeightKG, 12);
  EXPECT_EQ(Text(Grid()->Cell(9, 3)), "12");
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(MainFormTest, DoubleClickOutsideTheOnColumnEdits) {
  ShowWindow();
  Grid()->setCurrentIndex(Grid()->model()->index(4, 1));
  emit Grid()->doubleClicked(Grid()->model()->index(4, 1));
  ASSERT_EQ(productsEdited_.size(), 1u);
  EXPECT_EQ(productsEdited_[0], LoadLumarProject().Products[4]);
}

TEST_F(MainFormTest, DeleteAsksAndKeepsWhatWasTypedInOtherRows) {
  Window();
  TypeIntoCell(4, 1, "Чай с бергамотом");
  Grid()->setCurrentIndex(Grid()->model()->index(1, 0));
  Click(cmdDelete);  // answered No
  EXPECT_EQ(Window().Project().Products.size(), 12u);

  dialogs_.YesNo.push_back(TAnswer::Yes);
  Click(cmdDelete);
  const std::vector<TProduct>& products = Window().Project().Products;
  ASSERT_EQ(products.size(), 11u);
  EXPECT_EQ(products[0].Name, "Чай с бергамотом");
  EXPECT_EQ(products[1].Id, 3) << "later products keep their Ids";
  EXPECT_EQ(Text(Grid()->Cell(4, 1)), "Чай с бергамотом");
  EXPECT_TRUE(Window().Modified());
}

TEST_F(MainFormTest, EditAndDeleteOnTheBlankRowOfAnEmptyListDoNothing) {
  Window();
  for (int left = 12; left > 0; --left) {
    Grid()->setCurrentIndex(Grid()->model()->index(0, 0));
    dialogs_.YesNo.push_back(TAnswer::Yes);
    Click(cmdDelete);
  }
  ASSERT_TRUE(Window().Project().Products.empty());
  EXPECT_EQ(Grid()->GridRowCount(), 2);
  EXPECT_EQ(Window().NextProductId(), 1);
  for (int column = 0; column < 15; ++column)
    EXPECT_TRUE(Window().IsCellValid(column, 1));
  const size_t asked = dialogs_.Questions.size();
  Grid()->setCurrentIndex(Grid()->model()->index(0, 3));
  Click(cmdDelete);
  Click(cmdEdit);
  EXPECT_EQ(dialogs_.Questions.size(), asked);
  EXPECT_TRUE(productsEdited_.empty());
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(MainFormTest, AllParametersReplacesTheSettings) {
  RunAndWait();
  EditSettingsAnswer = [](TOptimizationSettings& settings) {
    settings.LengthGapMM = 11;
    settings.CurrencySymbol = "€";
    return true;
  };
  Click(cmdAllParameters);
  EXPECT_EQ(Window().Project().Settings.CurrencySymbol, "€");
  EXPECT_EQ(Text(Control<QLineEdit>("FQuick2")->text()), "11");
  EXPECT_TRUE(Window().Modified());
  EXPECT_EQ(Boxes()->count(), 0);
}

TEST_F(MainFormTest, AllParametersCancelledChangesNothing) {
  Click(cmdAllParameters);
  EXPECT_EQ(Window().Project(), LoadLumarProject());
  EXPECT_FALSE(Window().Modified());
}

TEST_F(MainFormTest, AQuickFieldWithLettersStopsEveryCommandWithItsCaption) {
  Window();
  Control<QLineEdit>("FQuick5")->setText("abc");
  const std::string caption(SettingsFieldCaptions[6]);
  EditProductAnswer = [](TProduct&) { return true; };
  EditSettingsAnswer = [](TOptimizationSettings&) { return true; };
  for (int code : {cmdRun, cmdSave, cmdImport, cmdAdd, cmdEdit, cmdAllParameters}) {
    dialogs_.Errors.clear();
    Click(code);
    ASSERT_EQ(dialogs_.Errors.size(), 1u) << code;
    const std::string& error = dialogs_.Errors[0];
    EXPECT_EQ(error.substr(0, error.find('\n')), caption) << code;
    EXPECT_NE(error.find("«abc»", caption.size()), std::string::npos) << error;
  }
  EXPECT_TRUE(productsEdited_.empty());
  EXPECT_TRUE(dialogs_.FiltersSeen.empty());
  EXPECT_FALSE(Window().Busy());
}

TEST_F(MainFormTest, AnInvalidProjectIsNotRun) {
  Window();
  Control<QLineEdit>("FQuick0")->setText("-100");  // the deviation must stay above -100 %
  Click(cmdRun);
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_FALSE(Window().Busy());
  EXPECT_EQ(Window().Project(), LoadLumarProject());
}

TEST_F(MainFormTest, TheSaveQuestionIsAskedInTheUserLanguage) {
  Window();
  auto* language = Control<QComboBox>("FLanguage");
  language->setCurrentIndex(language->findText("English"));
  Control<QLineEdit>("FQuick2")->setText("9");
  dialogs_.YesNoCancel.push_back(TAnswer::Cancel);
  Click(cmdOpen);
  EXPECT_EQ(dialogs_.Questions, std::vector<std::string>{"Save changes to “Sample”?"});
}

}  // namespace
}  // namespace quelmora::testing
