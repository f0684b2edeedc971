#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quelmora::testing {
namespace {

namespace fs = std::filesystem;

// The program had other names once; none of them may come back into what is
// built or shipped.
TEST(ProgramNameTest, SourcesLanguagesAndPackagingUseOnlyTheOneName) {
  const fs::path root(QUELMORA_SOURCE_DIR);
  std::vector<std::string> found;
  size_t files = 0;
  for (const char* folder : {"src", "lang", "app", "packaging"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      if (!entry.is_regular_file()) continue;
      ++files;
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      for (const char* old : {"Велдран", "Veldran", "VELDRAN", "ВЕЛДРАН"})
        if (text.str().find(old) != std::string::npos)
          found.push_back(entry.path().string() + ": " + old);
    }
  }
  EXPECT_GT(files, 10u);
  EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
}

}  // namespace
}  // namespace quelmora::testing
