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

// The corpus and regression files of one target, in name order.
std::vector<fs::path> InputsOf(const TTargetInfo& target) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(QUELMORA_FUZZ_DIR) / kind / target.Name;
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class CorpusReplay : public testing::TestWithParam<TTargetInfo> {};

// One test per target keeps the suite quick; a failure names its file.
TEST_P(CorpusReplay, EveryInputIsHandledCleanly) {
  const std::vector<fs::path> files = InputsOf(GetParam());
  // Seeds are always there, so a lost corpus folder cannot pass unnoticed.
  EXPECT_GE(files.size(), 3u);
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
      GetParam().Function(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << file << ": " << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, testing::ValuesIn(Targets),
                         [](const testing::TestParamInfo<TTargetInfo>& info) {
                           return std::string(info.param.Name);
                         });

}  // namespace
}  // namespace quelmora::fuzz
