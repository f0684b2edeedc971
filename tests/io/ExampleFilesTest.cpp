#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "io/ExampleFiles.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;

// The installed layout beside the built programs: <prefix>/bin and
// <prefix>/share/doc/quelmora/examples, whatever the prefix is.
TEST(ExampleFilesTest, TheInstalledExampleIsAShippedFileInTheDocumentationBesideTheProgram) {
  const fs::path example = InstalledExampleCsv();
  ASSERT_TRUE(example.is_absolute()) << example;
  EXPECT_EQ(example, example.lexically_normal());
  EXPECT_TRUE(fs::is_regular_file(fs::path(QUELMORA_SOURCE_DIR) / "examples" / example.filename()))
      << example;
  const fs::path program = fs::read_symlink("/proc/self/exe");
  const fs::path prefix = program.parent_path().parent_path();
  EXPECT_EQ(example.lexically_relative(prefix).parent_path(),
            fs::path("share/doc/quelmora/examples"));
}

}  // namespace
}  // namespace quelmora
