#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "BatchTool.h"
#include "TerminalText.h"
#include "io/ExampleFiles.h"
#include "io/Json.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "support/InvalidFileByte.h"
#include "support/ScopedEnv.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;

using quelmora::testing::Outcome;

class BatchToolTest : public ::testing::Test {
 protected:
  // The messages follow the locale: without one they are Russian.
  quelmora::testing::TScopedEnv locale_{"LC_ALL", "LC_MESSAGES", "LANG"};
  quelmora::testing::TTempFolder temp_;

  std::string File(const std::string& name) const { return temp_.File(name); }

  static Outcome Run(const std::vector<std::string>& args, bool interrupt = false) {
    return quelmora::testing::RunTool(args, interrupt);
  }
};

TEST_F(BatchToolTest, UsageErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--bogus"},
                                             {"--criterion", "4"},
                                             {"--criterion"},
                                             {"--sample", "--project", "x.vld"},
                                             {"--on-mismatch", "maybe"},
                                             {"--json", "a.json", "--json", "b.json"},
                                             {"--csv", "a.csv", "--csv", "b.csv"},
                                             {"--csv"},
                                             {"--import", "a.csv", "--import", "b.csv"},
                                             {"--import"},
                                             {"--pdf", "a.pdf", "--pdf", "b.pdf"},
                                             {"--pdf"},
                                             {"--lang"}}) {
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 2) << args[0];
    EXPECT_NE(o.err.find("usage: quelmora-batch"), std::string::npos);
    EXPECT_TRUE(o.out.empty());
  }
}

// Asked for, the usage and the version go to standard output with status 0,
// whatever else the line holds, and nothing is run or written.
TEST_F(BatchToolTest, HelpAndVersionAnswerAndDoNothingElse) {
  for (const char* asked : {"--help", "--version"}) {
    const Outcome o = Run({"--sample", "--json", File("result.json"), asked});
    EXPECT_EQ(o.status, 0) << asked;
    EXPECT_TRUE(o.err.empty()) << asked;
    EXPECT_FALSE(fs::exists(File("result.json"))) << asked;
    if (std::string(asked) == "--help") {
      EXPECT_EQ(o.out.rfind("usage: quelmora-batch", 0), 0u);
    } else {
      EXPECT_EQ(o.out.rfind("quelmora-batch ", 0), 0u);
      EXPECT_EQ(o.out.find('\n'), o.out.size() - 1);
    }
  }
}

TEST_F(BatchToolTest, SampleRunWritesJsonAndTable) {
  const Outcome o = Run({"--sample", "--json", File("result.json"), "--log"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("Чай чёрный"), std::string::npos);
  EXPECT_NE(o.out.find("Average cost/m³"), std::string::npos);
  EXPECT_NE(o.out.find("solutions=12; total ms="), std::string::npos);
  std::ifstream in(File("result.json"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF{\"Version\":1,\"Cancelled\":false,", 0), 0u);
}

TEST_F(BatchToolTest, QuietProgressAndCriterion) {
  const Outcome o =
      Run({"--sample", "--quiet", "--progress", "--criterion", "3", "--json", File("r.json")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.empty());
  EXPECT_NE(o.err.find("100% Расчет завершен"), std::string::npos);
}

TEST_F(BatchToolTest, SaveProjectOnlyDoesNotRun) {
  const Outcome o = Run({"--sample", "--criterion", "2", "--save-project", File("p.vld")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.empty());
  TProjectData expected = LoadLumarProject();
  expected.OptimizationCriterion = ckPalletUtilization;
  EXPECT_EQ(LoadProject(File("p.vld")), expected);
}

TEST_F(BatchToolTest, InterruptCancelsAndWritesNothing) {
  const Outcome o = Run({"--sample", "--json", File("r.json")}, /*interrupt=*/true);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.LastErrLine(), SCalculationCancelled);
  EXPECT_FALSE(fs::exists(File("r.json")));
}

// A project nested far beyond the reader's depth limit ends the tool with the
// invalid-file message, not with a stack overflow.
TEST_F(BatchToolTest, DeeplyNestedProjectIsAnInvalidFile) {
  for (const std::string unit : {"[", "{\"a\":"}) {
    std::string text = "{\"Version\":";
    for (int i = 0; i < 100000; ++i)
      text += unit;
    std::ofstream(File("deep.vld"), std::ios::binary) << text;
    const Outcome o = Run({"--project", File("deep.vld"), "--json", File("r.json")});
    EXPECT_EQ(o.status, 1) << unit;
    const long long byte = test::InvalidFileByte(o.LastErrLine(), File("deep.vld"));
    EXPECT_GT(byte, 512) << o.LastErrLine();  // past the nesting allowed
    EXPECT_LT(byte, static_cast<long long>(text.size()));
    EXPECT_FALSE(fs::exists(File("r.json")));
  }
}

TEST_F(BatchToolTest, FileAndValidationErrorsAreShownBare) {
  const Outcome missing = Run({"--project", File("missing.vld"), "--json", File("r.json")});
  EXPECT_EQ(missing.status, 1);
  std::string expected;
  try {
    LoadProject(File("missing.vld"));
  } catch (const Exception& e) {
    expected = e.Message();
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(missing.LastErrLine(), expected);

  TProjectData project = LoadLumarProject();
  for (TProduct& p : project.Products)
    p.Enabled = false;
  SaveProject(File("off.vld"), project);
  const Outcome none = Run({"--project", File("off.vld"), "--json", File("r.json")});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.LastErrLine(), SAddEnabledProduct);
  EXPECT_FALSE(fs::exists(File("r.json")));
}

TEST_F(BatchToolTest, AskModeNeedsAnAnswer) {
  TProjectData project = LoadLumarProject();
  project.Settings.VolumeMismatchMode = Ask;
  project.Products[0].MinVolumeM3 = 0.0009;  // the sample pack holds about 0.00025
  project.Products[0].MaxVolumeM3 = 0.001;
  SaveProject(File("ask.vld"), project);

  // The engine's own refusal once reached the user; the tool names the option.
  const Outcome unresolved = Run({"--project", File("ask.vld"), "--json", File("r.json")});
  EXPECT_EQ(unresolved.status, 2);
  EXPECT_NE(unresolved.LastErrLine().find("pass --on-mismatch sample|range"), std::string::npos)
      << unresolved.err;
  EXPECT_NE(unresolved.LastErrLine().find(project.Products[0].Name), std::string::npos);
  EXPECT_FALSE(fs::exists(File("r.json")));

  for (const char* answer : {"sample", "range"}) {
    const Outcome o = Run({"--project", File("ask.vld"), "--on-mismatch", answer, "--quiet",
                           "--json", File("r.json")});
    EXPECT_EQ(o.status, 0) << answer << ": " << o.err;
  }
}

// Control characters in names once reached the terminal as they were.
struct TerminalCase {
  std::string text;
  std::string shown;
};

class TerminalText : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(TerminalText, ControlsBecomeVisibleEscapes) {
  EXPECT_EQ(TerminalSafe(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Table, TerminalText,
                         ::testing::Values(TerminalCase{"Чай 𝄞 \u200f", "Чай 𝄞 \u200f"},
                                           TerminalCase{"\x1b[2J\x1b]0;x\x07",
                                                        "\\x1b[2J\\x1b]0;x\\x07"},
                                           TerminalCase{std::string("a\0b\tc\r\n\x7f", 8),
                                                        "a\\x00b\\x09c\\x0d\\x0a\\x7f"},
                                           TerminalCase{"\xc2\x9b"
                                                        "31m\xc2\x85",
                                                        "\\u009b31m\\u0085"},
                                           TerminalCase{"\x9b"
                                                        "1;\xff\xc3",
                                                        "\\x9b1;\\xff\\xc3"}));

// The table and the error line show a name harmlessly; the result files keep it.
TEST_F(BatchToolTest, NamesWithEscapesAreShownHarmlessly) {
  const std::string name = "\x1b]0;owned\x07Чай\x1b[2J";
  SaveProject(File("p.vld"), test::SmallProject({test::ScaledProduct(1, 1.0, name)}));
  const Outcome ok = Run({"--project", File("p.vld"), "--csv", File("r.csv")});
  ASSERT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(ok.out.find('\x1b'), std::string::npos);
  EXPECT_NE(ok.out.find(TerminalSafe(name)), std::string::npos) << ok.out;
  EXPECT_NE(quelmora::testing::ReadBytes(File("r.csv")).find(name), std::string::npos);

  SaveProject(File("q.vld"), test::SmallProject({test::ScaledProduct(1, 1.0, "x"),
                                                 test::UnpackableProduct(2, name)}));
  const Outcome failed = Run({"--project", File("q.vld")});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err.find('\x1b'), std::string::npos) << failed.err;
  EXPECT_NE(failed.LastErrLine().find(TerminalSafe(name)), std::string::npos) << failed.err;
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kCsvHeader =
    "Product;OriginalL_MM;OriginalB_MM;OriginalH_MM;PackL_MM;PackB_MM;PackH_MM;PackCount;"
    "BoxL_MM;BoxB_MM;BoxH_MM;GrossWeightKG;BlankAreaM2;BoxCost;BoxesPerPallet;"
    "PackagingCostPerUnit;PackagingCostPerM3;SavingPercent;UnifiedGroupId\r\n";
const std::string kProductsHeader =
    "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
    "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;OriginalBoxWidthMM;"
    "OriginalBoxHeightMM;OriginalBoxCount\r\n";

std::string Example(const std::string& name) {
  return std::string(QUELMORA_SOURCE_DIR) + "/examples/" + name;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(BatchToolTest, ImportAppendsAfterTheLargestId) {
  TProjectData project = LoadLumarProject();
  project.Products.resize(3);
  project.Products[0].Id = 3;
  project.Products[1].Id = 7;
  project.Products[2].Id = 5;
  SaveProject(File("p.vld"), project);

  const Outcome o = Run({"--project", File("p.vld"), "--import", Example("products-ru.csv"),
                         "--save-project", File("out.vld")});
  ASSERT_EQ(o.status, 0) << o.err;
  TProjectData expected = project;
  int32_t id = 8;
  for (TProduct p : LoadLumarProject().Products) {
    p.Id = id++;
    expected.Products.push_back(p);
  }
  EXPECT_EQ(LoadProject(File("out.vld")), expected);
}

TEST_F(BatchToolTest, ImportedIdsMustStayWithin32Bits) {
  TProjectData project = LoadLumarProject();
  project.Products.resize(1);
  project.Products[0].Id = 2147483647;
  SaveProject(File("p.vld"), project);
  const Outcome o = Run({"--project", File("p.vld"), "--import", Example("products.csv"),
                         "--save-project", File("out.vld")});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.LastErrLine(), "Product Id out of range");
  EXPECT_FALSE(fs::exists(File("out.vld")));
}

TEST_F(BatchToolTest, CsvWritesOneLinePerSolution) {
  const Outcome o = Run({"--sample", "--quiet", "--csv", File("r.csv")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.empty());
  const std::string text = ReadFile(File("r.csv"));
  ASSERT_EQ(text.rfind(kBom + kCsvHeader, 0), 0u);
  size_t lines = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 13u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  for (const TProduct& p : LoadLumarProject().Products)
    EXPECT_NE(text.find("\r\n\"" + p.Name + "\";"), std::string::npos) << p.Name;
}

TEST_F(BatchToolTest, ImportedProductsTakePartInTheRun) {
  SaveProject(File("p.vld"), test::SmallProject({test::ScaledProduct(4, 1.0, "Чай")}));
  quelmora::testing::WriteBytes(
      File("more.csv"),
      kProductsHeader + "0,00095;0,00105;2;4;Кофе;100;50;200;500;15;410;310;210;24\r\n");

  const Outcome o = Run({"--project", File("p.vld"), "--import", File("more.csv"), "--csv",
                         File("r.csv"), "--json", File("r.json")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("Кофе"), std::string::npos);
  const std::string text = ReadFile(File("r.csv"));
  EXPECT_NE(text.find("\r\n\"Чай\";"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"Кофе\";"), std::string::npos);
  EXPECT_NE(ReadFile(File("r.json")).find("\"ProductId\":5"), std::string::npos);
}

// With the strength check on every solution carries its figures, the CSV
// stays the same; with it off neither file changes.
TEST_F(BatchToolTest, StrengthObjectsOnlyWithTheCheckOn) {
  TProjectData project = test::SmallProject();
  SaveProject(File("off.vld"), project);
  project.Settings.EdgeCrushKNPerM = 5;
  SaveProject(File("on.vld"), project);
  for (const char* name : {"off", "on"}) {
    const std::string n = name;
    const Outcome o = Run({"--project", File(n + ".vld"), "--quiet", "--json", File(n + ".json"),
                           "--csv", File(n + ".csv")});
    ASSERT_EQ(o.status, 0) << o.err;
  }
  EXPECT_EQ(ReadFile(File("off.csv")), ReadFile(File("on.csv")));
  for (const char* name : {"off", "on"}) {
    const bool on = std::string(name) == "on";
    const TJsonValue root = ParseJson(ReadFile(File(std::string(name) + ".json")).substr(3));
    const TJsonValue& solutions = *root.Find("Solutions");
    ASSERT_FALSE(solutions.Items.empty());
    for (const TJsonValue& solution : solutions.Items) {
      const TJsonValue* strength = solution.Find("Strength");
      ASSERT_EQ(strength != nullptr, on) << name;
      if (!on) continue;
      const double reduced = ReadJsonNumber(*strength, "ReducedN");
      const double load = ReadJsonNumber(*strength, "LoadN");
      const double factor = ReadJsonNumber(*strength, "SafetyFactor");
      EXPECT_LE(reduced, ReadJsonNumber(*strength, "McKeeN"));
      EXPECT_NEAR(factor, load > 0 ? reduced / load : 0, 1e-9 * factor);
      EXPECT_EQ(ReadJsonBool(*strength, "Safe"),
                load <= 0 || factor >= ReadJsonNumber(*strength, "Required"));
    }
  }
}

TEST_F(BatchToolTest, CsvIsWrittenAlsoWithoutSolutions) {
  SaveProject(File("p.vld"), test::SmallProject({test::UnpackableProduct(1, "Гиря")}));

  const Outcome o = Run({"--project", File("p.vld"), "--csv", File("r.csv")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("(no solutions)"), std::string::npos);
  EXPECT_EQ(ReadFile(File("r.csv")), kBom + kCsvHeader);
}

// A failed import ends the tool with the importer's message, before anything
// is saved or calculated.
struct ImportFailure {
  const char* label;
  std::string bytes;
  std::string message;
};

void PrintTo(const ImportFailure& c, std::ostream* os) {
  *os << c.label;
}

class BatchImportFailure : public ::testing::TestWithParam<ImportFailure> {
 protected:
  quelmora::testing::TScopedEnv locale_{"LC_ALL", "LC_MESSAGES", "LANG"};
};

TEST_P(BatchImportFailure, ShowsTheMessageAndWritesNothing) {
  quelmora::testing::TTempFolder folder;
  quelmora::testing::WriteBytes(folder.File("in.csv"), GetParam().bytes);
  const Outcome o = [&] {
    std::ostringstream out, err;
    const int status = RunBatch({"--sample", "--import", folder.File("in.csv"), "--save-project",
                                 folder.File("p.vld"), "--csv", folder.File("r.csv")},
                                out, err, [](int) { return false; });
    return Outcome{status, out.str(), err.str()};
  }();
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.LastErrLine(), GetParam().message);
  EXPECT_TRUE(o.out.empty());
  EXPECT_EQ(folder.Listing(), "in.csv;");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchImportFailure,
    ::testing::Values(
        ImportFailure{"Header", "Name;Price\r\n",
                      FormatArgs(SInvalidCsvHeader, {InstalledExampleCsv()})},
        ImportFailure{
            "Row", kProductsHeader + "0,00095;0,00105;2;4;Чай;100;50;200;500;15;410;310;210;24.5",
            "CSV, строка 2: Integer expected: N0"},
        ImportFailure{
            "Quoting",
            kProductsHeader + "0,00095;0,00105;2;4;\"Чай\" ;100;50;200;500;15;410;310;210;24",
            "Invalid CSV quoting"}),
    [](const auto& info) { return std::string(info.param.label); });

// Outputs named like an input or like each other once replaced the project
// by the result, or the imported CSV by the table.
TEST_F(BatchToolTest, NoFileIsBothReadAndWrittenNorWrittenTwice) {
  const std::string p = File("p.vld");
  SaveProject(p, test::SmallProject({test::ScaledProduct(1, 1.0, "Чай")}));
  const std::string projectBytes = ReadFile(p);
  quelmora::testing::WriteBytes(File("a.csv"), kProductsHeader);
  fs::create_symlink(p, File("link.vld"));
  const std::vector<std::vector<std::string>> refused = {
      {"--project", p, "--json", p},
      {"--project", p, "--csv", File("link.vld")},
      {"--project", p, "--import", p},
      {"--project", p, "--pdf", p},
      {"--import", File("a.csv"), "--csv", File("a.csv")},
      {"--json", File("new"), "--csv", File("new")},
      {"--json", File("new"), "--csv", File("sub/../new")},
      {"--save-project", File("new"), "--pdf", File("new")},
  };
  for (const std::vector<std::string>& args : refused) {
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 2) << args[1] << " " << args[3];
    EXPECT_NE(o.LastErrLine().find("name the same file"), std::string::npos) << o.err;
  }
  EXPECT_EQ(ReadFile(p), projectBytes);
  EXPECT_EQ(temp_.Listing(), "a.csv;link.vld;p.vld;");

  // Saving the project back where it came from is what it is for.
  ASSERT_EQ(Run({"--project", p, "--criterion", "2", "--save-project", p}).status, 0);
  EXPECT_EQ(LoadProject(p).OptimizationCriterion, ckPalletUtilization);
}

// Devices that never end once read until memory ran out.
TEST_F(BatchToolTest, InputsThatAreNoRegularFilesAreRefused) {
  for (const auto& [option, device] : std::vector<std::pair<std::string, std::string>>{
           {"--project", "/dev/zero"}, {"--import", "/dev/zero"}, {"--import", "/dev/urandom"}}) {
    const Outcome o = Run({option, device, "--json", File("r.json")});
    EXPECT_EQ(o.status, 1) << option << " " << device;
    EXPECT_EQ(o.LastErrLine(), "Cannot open file \"" + device + "\": not a regular file");
  }
  EXPECT_EQ(temp_.Listing(), "");
}

// The report runs with the shipped language files and a settings folder of
// the test's own; the locale variables are restored afterwards.
class BatchReportTest : public BatchToolTest {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(std::string(QUELMORA_SOURCE_DIR) + "/lang");
    env_.Set("LOCALAPPDATA", File("appdata"));
  }
  void TearDown() override { OverrideLanguageFolder(""); }

  // A project whose only product fits no box: the run has no solutions.
  std::string ProjectWithoutSolutions() const {
    SaveProject(File("p.vld"), test::SmallProject({test::UnpackableProduct(1, "Гиря")}));
    return File("p.vld");
  }

  quelmora::testing::TScopedEnv env_{"LOCALAPPDATA", "LC_ALL", "LC_MESSAGES", "LANG"};
};

TEST_F(BatchReportTest, PdfHoldsTheSummaryAndOnePagePerProduct) {
  const Outcome o = Run({"--sample", "--quiet", "--pdf", File("report.pdf"), "--lang",
                         "English.lng", "--json", File("r.json")});
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string pdf = ReadFile(File("report.pdf"));
  EXPECT_EQ(pdf.rfind("%PDF-1.4\n%QUELMORA\n", 0), 0u);
  EXPECT_NE(pdf.find("/Type /Pages /Count 13 "), std::string::npos);
  EXPECT_EQ(pdf.substr(pdf.size() - 7), "\n%%EOF\n");
  EXPECT_TRUE(fs::exists(File("r.json")));
}

TEST_F(BatchReportTest, LangChoosesTheLanguageOfTheReport) {
  const std::string project = ProjectWithoutSolutions();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"English.lng", "No results for the report."},
      {"German.lng", "Keine Ergebnisse für den Bericht."},
      {"Russian.lng", "Нет результатов для отчёта."}};
  for (const auto& [language, message] : cases) {
    const Outcome o = Run({"--project", project, "--lang", language, "--pdf", File("r.pdf"),
                           "--json", File("r.json")});
    EXPECT_EQ(o.status, 1) << language;
    EXPECT_EQ(o.LastErrLine(), message);
    EXPECT_FALSE(fs::exists(File("r.pdf")));
    EXPECT_FALSE(fs::exists(File("r.json")));  // nothing is written when the report fails
  }
}

TEST_F(BatchReportTest, WithoutLangTheSavedChoiceElseTheLocaleDecides) {
  const std::string project = ProjectWithoutSolutions();
  env_.Set("LANG", "en_US.UTF-8");
  EXPECT_EQ(Run({"--project", project, "--pdf", File("r.pdf")}).LastErrLine(),
            "No results for the report.");
  // The saved choice picks the report's language; messages keep the locale's.
  SaveLanguageChoice("German.lng");
  EXPECT_EQ(Run({"--project", project, "--pdf", File("r.pdf")}).LastErrLine(),
            "No results for the report.");
  EXPECT_TRUE(fs::exists(File("appdata/Osterlin/quelmora/settings.ini")));
}

// A run that failed late (no solutions for the report, an output that cannot
// be replaced) once had replaced the files written before the failure.
TEST_F(BatchReportTest, AFailingOutputLeavesEveryOtherFileAsItWas) {
  fs::create_directory(File("dir"));
  const struct {
    std::string project;
    std::string csv;
    std::string message;
  } cases[] = {
      {ProjectWithoutSolutions(), File("r.csv"), "No results for the report."},
      {File("p.vld"), File("dir"), "Cannot replace file \"" + File("dir") + "\": Is a directory"},
  };
  for (const auto& c : cases) {
    for (const char* name : {"out.vld", "r.json", "r.csv", "r.pdf"})
      quelmora::testing::WriteBytes(File(name), std::string("old ") + name);
    const Outcome o =
        Run({"--project", c.project, "--lang", "English.lng", "--save-project", File("out.vld"),
             "--json", File("r.json"), "--csv", c.csv, "--pdf", File("r.pdf")});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.LastErrLine(), c.message);
    for (const char* name : {"out.vld", "r.json", "r.csv", "r.pdf"})
      EXPECT_EQ(ReadFile(File(name)), std::string("old ") + name) << c.message;
    EXPECT_EQ(temp_.Listing(), "dir;out.vld;p.vld;r.csv;r.json;r.pdf;");
  }
}

// Ctrl-C was once ignored while loading, importing, saving and drawing the
// report: at every check the run ends cancelled, with no file written.
TEST_F(BatchReportTest, AnInterruptAtAnyStageWritesNothing) {
  SaveProject(File("p.vld"), test::SmallProject({test::ScaledProduct(1, 1.0, "Чай")}));
  quelmora::testing::WriteBytes(
      File("more.csv"),
      kProductsHeader + "0,00095;0,00105;2;4;Кофе;100;50;200;500;15;410;310;210;24\r\n");
  const std::vector<std::string> args = {
      "--project", File("p.vld"),  "--import", File("more.csv"), "--save-project", File("out.vld"),
      "--json",    File("r.json"), "--csv",    File("r.csv"),    "--pdf",          File("r.pdf")};
  // Stage checks poll without waiting; the calculation waits a little.
  int checks = 0;
  std::ostringstream out, err;
  ASSERT_EQ(RunBatch(args, out, err,
                     [&](int ms) {
                       checks += ms == 0;
                       return false;
                     }),
            0)
      << err.str();
  EXPECT_GE(checks, 8);  // loading, import, saving, json, csv, three pages, before the renames
  for (const char* name : {"out.vld", "r.json", "r.csv", "r.pdf"})
    fs::remove(File(name));

  for (int at = 1; at <= checks; ++at) {
    int seen = 0;
    std::ostringstream out, err;
    const int status = RunBatch(args, out, err, [&](int ms) { return ms == 0 && ++seen == at; });
    EXPECT_EQ(status, 1) << "check " << at;
    EXPECT_EQ((Outcome{status, out.str(), err.str()}.LastErrLine()), SCalculationCancelled);
    EXPECT_EQ(temp_.Listing(), "more.csv;p.vld;") << "check " << at;
  }
}

// A --lang with a folder part once silently took the installed file of the
// same name: it is that very file, or a clear error.
TEST_F(BatchReportTest, LangWithAFolderIsThatFile) {
  const std::string project = ProjectWithoutSolutions();
  fs::create_directory(File("mine"));
  fs::copy_file(std::string(QUELMORA_SOURCE_DIR) + "/lang/English.lng", File("mine/Russian.lng"));
  const struct {
    std::string lang;
    std::string message;
  } cases[] = {
      {File("mine/Russian.lng"), "No results for the report."},
      {File("elsewhere/Russian.lng"),
       "Language file not found: \"" + File("elsewhere/Russian.lng") + "\""},
      {File("mine"), "Language file not found: \"" + File("mine") + "\""},
  };
  for (const auto& c : cases) {
    const Outcome o = Run({"--project", project, "--lang", c.lang, "--pdf", File("r.pdf")});
    EXPECT_EQ(o.status, 1) << c.lang;
    EXPECT_EQ(o.LastErrLine(), c.message);
  }
}

TEST_F(BatchReportTest, AMissingLanguageFileIsRefusedBeforeTheRun) {
  const Outcome o =
      Run({"--sample", "--lang", "Klingon.lng", "--pdf", File("r.pdf"), "--json", File("r.json")});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.LastErrLine(), "Language file not found: \"" + std::string(QUELMORA_SOURCE_DIR) +
                                 "/lang/Klingon.lng\"");
  EXPECT_TRUE(o.out.empty());
  EXPECT_FALSE(fs::exists(File("r.json")));
  EXPECT_FALSE(fs::exists(File("r.pdf")));
}

// The layer calculator's line and file tell the same layer, and its boxes are
// the layer's own (a wrong scale or swapped axis shows).
TEST_F(BatchToolTest, LayerCalculatorPrintsAndWritesTheBestLayer) {
  const Outcome o = Run({"--layer", "1200x800", "433.4x208", "--json", File("layer.json")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "boxes per layer: 7; column grid: 6; upper bound: 7; proven optimal: yes\n");
  std::ifstream in(File("layer.json"));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TJsonValue json = ParseJson(text);
  ASSERT_TRUE(json.IsObject());
  EXPECT_EQ(json.Find("Count")->Number, 7);
  EXPECT_EQ(json.Find("Grid")->Number, 6);
  EXPECT_EQ(json.Find("Proven")->Kind, jkTrue);
  const TJsonValue* boxes = json.Find("Boxes");
  ASSERT_EQ(boxes->Items.size(), 7u);
  for (const TJsonValue& b : boxes->Items) {
    EXPECT_LE(b.Find("X")->Number + b.Find("L")->Number, 1200 + 1e-6);
    EXPECT_LE(b.Find("Y")->Number + b.Find("W")->Number, 800 + 1e-6);
  }
  const Outcome wide = Run({"--layer", "1200x800", "433.4x208", "--overhang", "20"});
  ASSERT_EQ(wide.status, 0) << wide.err;
  EXPECT_EQ(wide.out.rfind("boxes per layer: 9;", 0), 0u) << wide.out;
}

// Bad input is an error with a message and status 1, and writes no file.
TEST_F(BatchToolTest, LayerCalculatorRefusesBadInput) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--layer", "1200x800"},
           {"--layer", "1200x800", "abcx208"},
           {"--layer", "1200x800", "433.4x0"},
           {"--layer", "1200x-800", "433.4x208"},
           {"--layer", "1200", "433.4x208"},
           {"--layer", "1200x800", "1300x900"},
           {"--layer", "1200x800", "400x300", "--overhang", "-5"},
           {"--layer", "1200x800", "400x300", "--overhang", "nan"},
           {"--layer", "1200x800", "400x300", "--sample"}}) {
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 1) << args[2 % args.size()];
    EXPECT_FALSE(o.LastErrLine().empty());
    EXPECT_TRUE(o.out.empty());
  }
}

}  // namespace
}  // namespace quelmora
