#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "model/AppStrings.h"
#include "model/Errors.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out;
  std::string err;

  std::string LastErrLine() const {
    std::string text = err;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    const size_t cut = text.rfind('\n');
    return cut == std::string::npos ? text : text.substr(cut + 1);
  }
};

class BatchToolTest : public ::testing::Test {
 protected:
  fs::path folder;

  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("quelmora-batch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string File(const std::string& name) const { return (folder / name).string(); }

  static Outcome Run(const std::vector<std::string>& args, bool interrupt = false) {
    std::ostringstream out, err;
    const int status =
        RunBatch(args, out, err, [interrupt](int) { return interrupt; });
    return {status, out.str(), err.str()};
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
                                             {"--csv", "out.csv"},
                                             {"--pdf", "out.pdf"},
                                             {"--import", "in.csv"},
                                             {"--lang", "English.lng"}}) {
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 2) << args[0];
    EXPECT_NE(o.err.find("usage: quelmora-batch"), std::string::npos);
    EXPECT_TRUE(o.out.empty());
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
  const Outcome o = Run({"--sample", "--quiet", "--progress", "--criterion", "3",
                         "--json", File("r.json")});
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
  for (TProduct& p : project.Products) p.Enabled = false;
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

  const Outcome unresolved = Run({"--project", File("ask.vld"), "--json", File("r.json")});
  EXPECT_EQ(unresolved.status, 1);
  EXPECT_EQ(unresolved.LastErrLine(),
            "EArgumentException: Resolve VolumeMismatchMode.Ask before calling optimizer");
  EXPECT_FALSE(fs::exists(File("r.json")));

  for (const char* answer : {"sample", "range"}) {
    const Outcome o = Run({"--project", File("ask.vld"), "--on-mismatch", answer, "--quiet",
                           "--json", File("r.json")});
    EXPECT_EQ(o.status, 0) << answer << ": " << o.err;
  }
}

}  // namespace
}  // namespace quelmora
