#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace quelmora::fuzz {
namespace {

namespace fs = std::filesystem;

using TTarget = int (*)(const uint8_t*, size_t);

struct TTargetInfo {
  const char* Name;  // the folder under corpus/ and regressions/
  TTarget Function;
};

constexpr TTargetInfo Targets[] = {
    {"project", FuzzProjectFile},
    {"csv", FuzzCsvImport},
    {"language", FuzzLanguageFile},
    {"number", FuzzNumberText},
};

struct TReplayCase {
  TTargetInfo Target;
  fs::path File;
};

std::vector<TReplayCase> AllCases() {
  std::vector<TReplayCase> cases;
  for (const TTargetInfo& target : Targets) {
    std::vector<fs::path> files;
    for (const char* kind : {"corpus", "regressions"}) {
      const fs::path folder = fs::path(QUELMORA_FUZZ_DIR) / kind / target.Name;
      if (!fs::is_directory(folder)) continue;
      for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
      cases.push_back({target, file});
  }
  return cases;
}

class CorpusReplay : public testing::TestWithParam<TReplayCase> {};

TEST_P(CorpusReplay, InputIsHandledCleanly) {
  std::ifstream in(GetParam().File, std::ios::binary);
  ASSERT_TRUE(in) << GetParam().File;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NO_THROW(
      GetParam().Target.Function(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

// Every target has seeds, so a lost corpus folder cannot pass unnoticed.
TEST(CorpusReplaySeeds, EveryTargetHasInputs) {
  const std::vector<TReplayCase> cases = AllCases();
  for (const TTargetInfo& target : Targets)
    EXPECT_GE(std::count_if(cases.begin(), cases.end(),
                            [&](const TReplayCase& c) { return c.Target.Name == target.Name; }),
              3)
        << target.Name;
}

std::string CaseName(const testing::TestParamInfo<TReplayCase>& info) {
  std::string name = std::string(info.param.Target.Name) + "_" +
                     info.param.File.parent_path().parent_path().filename().string() + "_" +
                     info.param.File.filename().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusReplay, testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace quelmora::fuzz
