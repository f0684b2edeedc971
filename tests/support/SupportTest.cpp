// The helpers other tests rely on: a broken one would make them pass or fail
// for the wrong reason.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "io/ProjectSerializer.h"
#include "model/Validation.h"
#include "support/ScopedEnv.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;
using testing::TScopedEnv;
using testing::TTempFolder;

std::optional<std::string> Env(const char* name) {
  const char* value = getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// Every variable comes back as it was before the first change, whatever
// happened to it in between.
TEST(ScopedEnvTest, RestoresTheValueBeforeTheFirstChange) {
  setenv("QUELMORA_SUPPORT_SET", "before", 1);
  unsetenv("QUELMORA_SUPPORT_UNSET");
  {
    TScopedEnv env;
    env.Set("QUELMORA_SUPPORT_SET", "first");
    env.Unset("QUELMORA_SUPPORT_SET");
    env.Set("QUELMORA_SUPPORT_SET", "second");
    env.Set("QUELMORA_SUPPORT_UNSET", "");
    EXPECT_EQ(Env("QUELMORA_SUPPORT_SET"), "second");
    EXPECT_EQ(Env("QUELMORA_SUPPORT_UNSET"), "");
  }
  EXPECT_EQ(Env("QUELMORA_SUPPORT_SET"), "before");
  EXPECT_EQ(Env("QUELMORA_SUPPORT_UNSET"), std::nullopt);
  unsetenv("QUELMORA_SUPPORT_SET");
}

TEST(ScopedEnvTest, ClearsTheNamedVariablesAtOnce) {
  setenv("QUELMORA_SUPPORT_A", "a", 1);
  {
    TScopedEnv env{"QUELMORA_SUPPORT_A", "QUELMORA_SUPPORT_B"};
    EXPECT_EQ(Env("QUELMORA_SUPPORT_A"), std::nullopt);
    EXPECT_EQ(Env("QUELMORA_SUPPORT_B"), std::nullopt);
  }
  EXPECT_EQ(Env("QUELMORA_SUPPORT_A"), "a");
  unsetenv("QUELMORA_SUPPORT_A");
}

// Code under test may set a variable itself; Keep still brings it back.
TEST(ScopedEnvTest, KeepRestoresWhatOthersChange) {
  setenv("QUELMORA_SUPPORT_KEPT", "before", 1);
  {
    TScopedEnv env;
    env.Keep("QUELMORA_SUPPORT_KEPT");
    EXPECT_EQ(Env("QUELMORA_SUPPORT_KEPT"), "before");
    unsetenv("QUELMORA_SUPPORT_KEPT");
  }
  EXPECT_EQ(Env("QUELMORA_SUPPORT_KEPT"), "before");
  unsetenv("QUELMORA_SUPPORT_KEPT");
}

// A test that takes away its own write permission must not leave its folder behind.
TEST(TempFolderTest, RemovesEvenReadOnlyContent) {
  fs::path kept;
  {
    TTempFolder folder;
    kept = folder.Path();
    fs::create_directories(folder.Path() / "sub");
    testing::WriteBytes((folder.Path() / "sub" / "f").string(), "x");
    fs::permissions(folder.Path() / "sub", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(folder.Listing(), "sub;");
    TTempFolder other;
    EXPECT_NE(other.Path(), folder.Path());
  }
  EXPECT_FALSE(fs::exists(kept));
}

TEST(TempFolderTest, BytesRoundTrip) {
  TTempFolder folder;
  const std::string bytes("a\0\r\n\xff", 5);
  testing::WriteBytes(folder.File("b"), bytes);
  EXPECT_EQ(testing::ReadBytes(folder.File("b")), bytes);
}

// The projects are what their names promise: valid, stable in a project file,
// and, but for the unpackable product, solvable.
TEST(SmallProjectsTest, AreValidAndRoundTrip) {
  TTempFolder folder;
  for (const TProjectData& project : {test::SmallProject(), test::TeaProject(),
                                      test::SmallProject({test::UnpackableProduct(1, "Гиря")})}) {
    EXPECT_NO_THROW(ValidateProject(project.Products, project.Settings));
    SaveProject(folder.File("a.vld"), project);
    const TProjectData loaded = LoadProject(folder.File("a.vld"));
    ASSERT_EQ(loaded.Products.size(), project.Products.size());
    for (size_t i = 0; i < project.Products.size(); ++i)
      EXPECT_EQ(loaded.Products[i].Name, project.Products[i].Name);
    // The file keeps a limited number of digits: what it gives back, it writes alike.
    SaveProject(folder.File("b.vld"), loaded);
    EXPECT_EQ(testing::ReadBytes(folder.File("b.vld")), testing::ReadBytes(folder.File("a.vld")));
  }
}

TEST(SmallProjectsTest, OnlyTheUnpackableProductFindsNoBox) {
  for (const bool unpackable : {false, true}) {
    const TProjectData project = test::SmallProject(
        {unpackable ? test::UnpackableProduct(1, "Гиря") : test::ScaledProduct(1, 1.0, "Чай")});
    TCancelToken token;
    TOptimizer optimizer;
    const TOptimizationResult result =
        optimizer.Execute(project.Products, project.Settings,
                          *CreateCriterion(project.OptimizationCriterion), token, nullptr);
    EXPECT_EQ(result.Solutions.empty(), unpackable);
  }
}

}  // namespace
}  // namespace quelmora
