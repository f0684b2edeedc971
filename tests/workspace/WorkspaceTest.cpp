// The workspace: opening and saving, import with renumbering, product look-up,
// the volume question before a run, the run itself and its exports.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/VolumeMismatch.h"
#include "io/CsvResultExporter.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"
#include "workspace/Workspace.h"

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

constexpr const char* CsvHeader =
    "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
    "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;"
    "OriginalBoxWidthMM;OriginalBoxHeightMM;OriginalBoxCount\n";

std::string CsvOf(int count) {
  std::string text = CsvHeader;
  for (int i = 0; i < count; ++i)
    text +=
        "0.00095;0.00105;2;4;Imported " + std::to_string(i) + ";100;50;200;500;15;410;310;210;24\n";
  return text;
}

std::vector<int32_t> IdsOf(const TProjectData& project) {
  std::vector<int32_t> ids;
  for (const TProduct& p : project.Products)
    ids.push_back(p.Id);
  return ids;
}

// Runs Input to its end and returns how it ended.
TRunEnd RunToEnd(TWorkspace& workspace, TRunInput input) {
  workspace.Start(std::move(input));
  while (!workspace.Poll(nullptr)) {
  }
  return workspace.Finish();
}

TEST(WorkspaceTest, SaveAsThenOpenGivesTheSameProjectAndRemembersTheFile) {
  testing::TTempFolder temp;
  TWorkspace workspace;
  workspace.NewFromSample();
  EXPECT_EQ(workspace.Project(), LoadLumarProject());
  EXPECT_TRUE(workspace.FileName().empty());
  workspace.SetProject(test::SmallProject());
  workspace.MarkModified();
  const std::string file = temp.File("round.vld");
  workspace.SaveAs(file);
  EXPECT_FALSE(workspace.Modified()) << "saving leaves nothing unsaved";
  EXPECT_EQ(workspace.FileName(), file);
  const std::string direct = temp.File("direct.vld");
  SaveProject(direct, test::SmallProject());
  EXPECT_EQ(ReadBytes(file), ReadBytes(direct)) << "SaveAs writes what SaveProject writes";

  TWorkspace reopened;
  reopened.Open(file);
  EXPECT_EQ(reopened.Project(), LoadProject(file));
  EXPECT_EQ(reopened.FileName(), file);
  TProjectData changed = reopened.Project();
  changed.Products.pop_back();
  reopened.SetProject(changed);
  reopened.Save();
  EXPECT_EQ(LoadProject(file), changed) << "Save writes back where the project came from";
}

TEST(WorkspaceTest, AFailedOpenKeepsTheProjectAndItsFile) {
  testing::TTempFolder temp;
  TWorkspace workspace;
  workspace.NewFromSample();
  EXPECT_THROW(workspace.Open(temp.File("missing.vld")), Exception);
  EXPECT_EQ(workspace.Project(), LoadLumarProject());
  EXPECT_TRUE(workspace.FileName().empty());
}

// Imported Ids continue after the largest Id, wherever it stands in the list.
struct TImportCase {
  std::vector<int32_t> Before;
  int Imported;
  std::vector<int32_t> After;  // empty: the import is refused
};

class WorkspaceImportTest : public ::testing::TestWithParam<TImportCase> {};

TEST_P(WorkspaceImportTest, RenumbersAfterTheLargestId) {
  const TImportCase& c = GetParam();
  testing::TTempFolder temp;
  const std::string csv = temp.File("import.csv");
  WriteBytes(csv, CsvOf(c.Imported));
  std::vector<TProduct> products;
  for (int32_t id : c.Before)
    products.push_back(DefaultProduct(id));
  TWorkspace workspace;
  workspace.SetProject(test::SmallProject(products));
  if (c.After.empty()) {
    EXPECT_THROW(workspace.ImportCsv(csv), Exception);
    EXPECT_EQ(IdsOf(workspace.Project()), c.Before) << "the project is untouched";
    EXPECT_FALSE(workspace.Modified());
    return;
  }
  workspace.ImportCsv(csv);
  EXPECT_EQ(IdsOf(workspace.Project()), c.After);
  EXPECT_TRUE(workspace.Modified());
  EXPECT_EQ(workspace.ProductById(c.After.back())->Name,
            "Imported " + std::to_string(c.Imported - 1));
}

constexpr int32_t MaxId = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Ids, WorkspaceImportTest,
    ::testing::Values(TImportCase{{}, 2, {1, 2}}, TImportCase{{7, 3}, 2, {7, 3, 8, 9}},
                      TImportCase{{MaxId - 2}, 2, {MaxId - 2, MaxId - 1, MaxId}},
                      TImportCase{{MaxId - 1}, 2, {}}));

TEST(WorkspaceTest, NextProductIdFollowsTheLargestAndRefusesPastTheLast) {
  TWorkspace workspace;
  workspace.SetProject(test::SmallProject({DefaultProduct(5), DefaultProduct(2)}));
  EXPECT_EQ(workspace.NextProductId(), 6);
  workspace.SetProject(test::SmallProject({DefaultProduct(MaxId)}));
  EXPECT_THROW(workspace.NextProductId(), Exception);
}

TEST(WorkspaceTest, ProductByIdFindsEveryProductAndNothingElse) {
  TWorkspace workspace;
  workspace.NewFromSample();
  for (const TProduct& product : workspace.Project().Products) {
    const TProduct* found = workspace.ProductById(product.Id);
    ASSERT_NE(found, nullptr) << product.Id;
    EXPECT_EQ(*found, product);
  }
  EXPECT_EQ(workspace.ProductById(workspace.NextProductId()), nullptr);
}

// The Ask mode asks about each enabled product whose sample lies outside its
// range, and the answer shapes the run's input, never the project.
struct TQuestionCase {
  TMismatchAnswer Answer;
  bool Runs;
  bool Narrowed;
};

class WorkspaceQuestionTest : public ::testing::TestWithParam<TQuestionCase> {};

TEST_P(WorkspaceQuestionTest, TheAnswerShapesTheRunNotTheProject) {
  const TQuestionCase& c = GetParam();
  TProjectData project = test::SmallProject();
  project.Settings.VolumeMismatchMode = Ask;
  project.Products[1].MaxVolumeM3 = project.Products[1].MinVolumeM3 * 1.01;
  project.Products[1].OriginalLengthMM *= 2;  // outside its range
  project.Products[2].OriginalLengthMM *= 2;
  project.Products[2].Enabled = false;  // outside too, but not run
  TWorkspace workspace;
  workspace.SetProject(project);
  std::vector<int32_t> asked;
  const std::optional<TRunInput> input =
      workspace.PrepareRun([&](const TProduct& product, double volume) {
        EXPECT_EQ(volume, SampleVolumeM3(product));
        asked.push_back(product.Id);
        return c.Answer;
      });
  EXPECT_EQ(asked, std::vector<int32_t>{project.Products[1].Id});
  EXPECT_EQ(workspace.Project(), project) << "the project keeps its data";
  ASSERT_EQ(input.has_value(), c.Runs);
  if (!input) return;
  EXPECT_EQ(input->Settings.VolumeMismatchMode, UseSpecifiedVolume);
  const TProduct& asked1 = input->Products[1];
  EXPECT_EQ(asked1.MinVolumeM3 == SampleVolumeM3(asked1), c.Narrowed);
  EXPECT_EQ(input->Products[0], project.Products[0]);
}

INSTANTIATE_TEST_SUITE_P(Answers, WorkspaceQuestionTest,
                         ::testing::Values(TQuestionCase{TMismatchAnswer::UseSample, true, true},
                                           TQuestionCase{TMismatchAnswer::UseRange, true, false},
                                           TQuestionCase{TMismatchAnswer::Cancel, false, false}));

TEST(WorkspaceTest, NoQuestionOutsideTheAskMode) {
  TProjectData project = test::SmallProject();
  project.Products[1].OriginalLengthMM *= 2;
  TWorkspace workspace;
  workspace.SetProject(project);
  int questions = 0;
  const auto input = workspace.PrepareRun([&](const TProduct&, double) {
    ++questions;
    return TMismatchAnswer::Cancel;
  });
  EXPECT_EQ(questions, 0);
  ASSERT_TRUE(input.has_value());
  EXPECT_EQ(input->Products, project.Products);
}

TEST(WorkspaceTest, AnInvalidProjectIsRefusedBeforeAnyQuestion) {
  TProjectData project = test::SmallProject();
  project.Settings.VolumeMismatchMode = Ask;
  project.Products[0].Name = "";
  TWorkspace workspace;
  workspace.SetProject(project);
  EXPECT_THROW(workspace.PrepareRun([](const TProduct&, double) -> TMismatchAnswer {
    ADD_FAILURE() << "asked about an invalid project";
    return TMismatchAnswer::Cancel;
  }),
               Exception);
}

TEST(WorkspaceTest, ARunsOutputBecomesTheResultAndExportsAsTheWritersWrite) {
  testing::TTempFolder temp;
  TWorkspace workspace;
  workspace.SetProject(test::SmallProject());
  EXPECT_THROW(workspace.Finish(), Exception) << "nothing has run";
  const TRunEnd end = RunToEnd(workspace, *workspace.PrepareRun(nullptr));
  ASSERT_TRUE(end.Error.empty()) << end.Error;
  EXPECT_FALSE(workspace.Running());
  ASSERT_FALSE(workspace.Result().Solutions.empty());
  EXPECT_EQ(workspace.Result(), end.Output);

  const std::string csv = temp.File("out.csv");
  const std::string json = temp.File("out.json");
  workspace.Export(csv, TExportKind::Csv);
  workspace.Export(json, TExportKind::Json);
  const std::string csvDirect = temp.File("direct.csv");
  const std::string jsonDirect = temp.File("direct.json");
  TCsvResultExporter().ExportFile(csvDirect, workspace.Project().Products, end.Output);
  SaveResultJson(jsonDirect, end.Output);
  EXPECT_EQ(ReadBytes(csv), ReadBytes(csvDirect));
  EXPECT_EQ(ReadBytes(json), ReadBytes(jsonDirect));
  EXPECT_NE(ReadBytes(csv), ReadBytes(json)) << "the kind chooses the writer";
}

TEST(WorkspaceTest, AStartDropsTheResultAndASecondStartIsRefused) {
  TWorkspace workspace;
  workspace.SetProject(test::SmallProject());
  RunToEnd(workspace, *workspace.PrepareRun(nullptr));
  ASSERT_FALSE(workspace.Result().Solutions.empty());
  workspace.Start(*workspace.PrepareRun(nullptr));
  EXPECT_TRUE(workspace.Result().Solutions.empty());
  EXPECT_THROW(workspace.Start(*workspace.PrepareRun(nullptr)), Exception);
  workspace.Cancel();
  while (!workspace.Poll(nullptr)) {
  }
  const TRunEnd end = workspace.Finish();
  EXPECT_TRUE(end.Error.empty()) << end.Error;
}

TEST(WorkspaceTest, ProgressIsReportedUntilTheRunEnds) {
  TWorkspace workspace;
  workspace.SetProject(test::SmallProject());
  workspace.Start(*workspace.PrepareRun(nullptr));
  int32_t last = -1;
  int reports = 0;
  while (!workspace.Poll([&](int32_t percent, const std::string&) {
    last = percent;
    ++reports;
  })) {
  }
  EXPECT_GE(reports, 1);
  EXPECT_EQ(last, 100) << "the last report of an ended run is its final one";
  workspace.Finish();
}

// Whatever fails in an operation on a file names that file, so that a person
// knows which one to look at.
struct TFileFault {
  const char* Name;
  std::function<void(TWorkspace&, const std::string&)> Act;
};

void PrintTo(const TFileFault& c, std::ostream* out) {
  *out << c.Name;
}

class WorkspaceFileFaultTest : public ::testing::TestWithParam<TFileFault> {};

TEST_P(WorkspaceFileFaultTest, NamesTheFile) {
  testing::TTempFolder temp;
  const std::string path = temp.File("file.dat");
  TWorkspace workspace;
  workspace.SetProject(test::SmallProject());
  const std::optional<Exception> e = test::Caught([&] { GetParam().Act(workspace, path); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->Place().File, path);
}

INSTANTIATE_TEST_SUITE_P(
    Workspace, WorkspaceFileFaultTest,
    ::testing::Values(TFileFault{"OpenMissing",
                                 [](TWorkspace& w, const std::string& f) { w.Open(f); }},
                      TFileFault{"SaveInvalid",
                                 [](TWorkspace& w, const std::string& f) {
                                   TProjectData project = w.Project();
                                   project.Settings.CurrencySymbol = " ";
                                   w.SetProject(project);
                                   w.SaveAs(f);
                                 }},
                      TFileFault{"ImportBadRow",
                                 [](TWorkspace& w, const std::string& f) {
                                   WriteBytes(f, std::string(CsvHeader) + "1;2;3\n");
                                   w.ImportCsv(f);
                                 }},
                      TFileFault{"ImportBeyondTheLastId",
                                 [](TWorkspace& w, const std::string& f) {
                                   WriteBytes(f, CsvOf(2));
                                   w.SetProject(test::SmallProject(
                                       {DefaultProduct(std::numeric_limits<int32_t>::max() - 1)}));
                                   w.ImportCsv(f);
                                 }},
                      TFileFault{"ReportWithoutResult",
                                 [](TWorkspace& w, const std::string& f) { w.WriteReport(f); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(WorkspaceTest, AFailedRunHandsOverTheFailureItself) {
  TWorkspace workspace;
  TProjectData project = test::SmallProject();
  project.Settings.CurrencySymbol = " ";
  workspace.SetProject(project);
  workspace.Start(TRunInput{project.Products, project.Settings, ckCostPerVolume});
  while (!workspace.Poll(nullptr)) {
  }
  const TRunEnd end = workspace.Finish();
  ASSERT_TRUE(end.Failure);
  EXPECT_EQ(ErrorText(*end.Failure), end.Error);
}

}  // namespace
}  // namespace quelmora
