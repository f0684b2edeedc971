// The batch tool when memory runs out: its last line names what it was doing
// and how large the input was, never a bare std::bad_alloc.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "BatchTool.h"
#include "io/ProjectSerializer.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "support/ChildRun.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;
using testing::RunInChild;
using testing::TTempFolder;

std::string LastLine(std::string text) {
  while (!text.empty() && text.back() == '\n')
    text.pop_back();
  const size_t cut = text.rfind('\n');
  return cut == std::string::npos ? text : text.substr(cut + 1);
}

TEST(BatchToolOutOfMemory, LastLineNamesTheProjectFileAndItsSize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer ends the process where the allocation would fail";
#endif
  TTempFolder folder;
  const std::string path = folder.File("big.vld");
  TProjectData project = test::TeaProject();
  for (int32_t id = 2; id <= 100000; ++id) {
    project.Products.push_back(project.Products.front());
    project.Products.back().Id = id;
  }
  SaveProject(path, project);
  project = TProjectData{};
  const double megabytes = static_cast<double>(fs::file_size(path)) / (1 << 20);

  // Room for the file's text, not for its products as well.
  const auto run = RunInChild(
      [&] {
        std::ostringstream out, err;
        const int status = RunBatch({"--project", path, "--save-project", folder.File("copy.vld")},
                                    out, err, [](int) { return false; });
        return Format("%d %s", status, LastLine(err.str()).c_str());
      },
      fs::file_size(path) + (size_t{4} << 20));
  const Exception expected(TErrorKind::OutOfMemory, SNoMemoryToReadProject, {path, megabytes});
  EXPECT_EQ(run.outcome, "1 " + expected.Message());
  EXPECT_FALSE(fs::exists(folder.File("copy.vld")));
}

}  // namespace
}  // namespace quelmora
