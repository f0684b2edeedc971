// The undo history: random changes undone and redone as round trips, the
// saved mark along random walks, the limits, and products shared between
// states.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "io/LumarData.h"
#include "model/Errors.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"
#include "workspace/UndoHistory.h"
#include "workspace/Workspace.h"

namespace quelmora {
namespace {

// One random change of the kinds the window makes: a field of a product,
// an added, a deleted or a switched-off product, a setting, the criterion.
TProjectData Changed(TProjectData project, std::mt19937& rng) {
  const auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  std::vector<TProduct>& products = project.Products;
  switch (products.empty() ? 1 : rng() % 6) {
    case 0:
      products[pick(products.size())].OriginalLengthMM += 1 + pick(50);
      break;
    case 1: {
      int32_t id = 1;
      for (const TProduct& p : products)
        id = std::max(id, p.Id + 1);
      products.insert(products.begin() + static_cast<long>(pick(products.size() + 1)),
                      test::ScaledProduct(id, 0.5 + pick(10) / 10.0, "N" + std::to_string(id)));
      break;
    }
    case 2:
      products.erase(products.begin() + static_cast<long>(pick(products.size())));
      break;
    case 3:
      products[pick(products.size())].Enabled ^= true;
      break;
    case 4:
      project.Settings.LengthGapMM += 0.5;
      break;
    default:
      project.OptimizationCriterion =
          project.OptimizationCriterion == ckCombined ? ckBoxCount : ckCombined;
      break;
  }
  return project;
}

class UndoRoundTrip : public ::testing::TestWithParam<unsigned> {};

TEST_P(UndoRoundTrip, UndoingAllGivesTheStartAndRedoingAllTheEnd) {
  std::mt19937 rng(GetParam());
  const TProjectData start = LoadLumarProject();
  TUndoHistory history;
  history.Reset(start);
  std::vector<TProjectData> states = {start};
  for (int i = 0; i < 40; ++i) {
    states.push_back(Changed(states.back(), rng));
    EXPECT_EQ(history.Record(states.back()), !(states.back() == states[states.size() - 2]));
    if (states.back() == states[states.size() - 2]) states.pop_back();
  }
  for (size_t i = states.size() - 1; i > 0; --i)
    ASSERT_EQ(history.Undo(), states[i - 1]) << i;
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.AtSaved());
  for (size_t i = 1; i < states.size(); ++i)
    ASSERT_EQ(history.Redo(), states[i]) << i;
  EXPECT_FALSE(history.CanRedo());
  EXPECT_THROW(history.Redo(), Exception);
}

// A model of the history kept by copies: the saved mark must equal
// "current state equals the saved one" at every step of a random walk.
TEST_P(UndoRoundTrip, SavedMarkFollowsTheStateAlongARandomWalk) {
  std::mt19937 rng(GetParam());
  TProjectData saved = LoadLumarProject();
  std::vector<TProjectData> states = {saved};
  size_t position = 0;
  TUndoHistory history;
  history.Reset(saved);
  for (int step = 0; step < 200; ++step) {
    switch (rng() % 5) {
      case 0:
      case 1: {
        TProjectData next = Changed(states[position], rng);
        if (history.Record(next)) {
          states.resize(position + 1);
          states.push_back(next);
          ++position;
        }
        break;
      }
      case 2:
        if (history.CanUndo()) {
          ASSERT_EQ(history.Undo(), states[--position]) << step;
        }
        break;
      case 3:
        if (history.CanRedo()) {
          ASSERT_EQ(history.Redo(), states[++position]) << step;
        }
        break;
      default:
        history.MarkSaved();
        saved = states[position];
        break;
    }
    ASSERT_EQ(history.CanUndo(), position > 0) << step;
    ASSERT_EQ(history.CanRedo(), position + 1 < states.size()) << step;
    ASSERT_EQ(history.AtSaved(), states[position] == saved) << step;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoRoundTrip, ::testing::Values(1u, 7u, 2024u, 99991u));

struct TLimitCase {
  THistoryLimits Limits;
  size_t Products;
};

class UndoLimits : public ::testing::TestWithParam<TLimitCase> {};

TEST_P(UndoLimits, TheHistoryKeepsWithinItsLimits) {
  const TLimitCase& c = GetParam();
  std::mt19937 rng(5);
  TProjectData project;
  for (size_t i = 0; i < c.Products; ++i)
    project.Products.push_back(test::ScaledProduct(static_cast<int32_t>(i + 1), 1.0));
  TUndoHistory history(c.Limits);
  history.Reset(project);
  std::vector<TProjectData> states = {project};
  for (int i = 0; i < 60; ++i) {
    project.Products[rng() % project.Products.size()].RatioLB += 1;
    project.Settings.LengthGapMM += 1;
    ASSERT_TRUE(history.Record(project));
    states.push_back(project);
    EXPECT_LE(history.StateCount() - 1, c.Limits.MaxSteps);
    EXPECT_TRUE(history.Bytes() <= c.Limits.MaxBytes || history.StateCount() == 1)
        << history.Bytes();
  }
  // The steps kept are the latest ones.
  size_t undone = 0;
  while (history.CanUndo())
    ASSERT_EQ(history.Undo(), states[states.size() - 2 - undone++]);
  EXPECT_GE(undone, 1u);
  EXPECT_FALSE(history.AtSaved()) << "the saved state was dropped, not forgotten";
}

INSTANTIATE_TEST_SUITE_P(Caps, UndoLimits,
                         ::testing::Values(TLimitCase{{10, size_t{1} << 30}, 20},
                                           TLimitCase{{1000, 64 * 1024}, 200},
                                           TLimitCase{{3, 16 * 1024}, 50}));

// What one step adds to the history for each kind of change on a large
// project: the pointer list and the changed products, never a second copy
// of every product.
TEST(UndoHistoryTest, StepsShareTheUnchangedProducts) {
  constexpr size_t Count = 20000;
  TProjectData project;
  for (size_t i = 0; i < Count; ++i)
    project.Products.push_back(
        test::ScaledProduct(static_cast<int32_t>(i + 1), 1.0, "Product " + std::to_string(i)));
  TUndoHistory history;
  history.Reset(project);
  const size_t full = history.Bytes();
  const size_t list = Count * sizeof(std::shared_ptr<const TProduct>);
  const auto step = [&](auto change) {
    const size_t before = history.Bytes();
    change(project);
    EXPECT_TRUE(history.Record(project));
    return history.Bytes() - before;
  };
  EXPECT_LT(step([](TProjectData& p) { p.Settings.LengthGapMM += 1; }), 64u);
  EXPECT_LT(step([](TProjectData& p) { p.Products[5].RatioHB += 1; }), list + 1024);
  EXPECT_LT(step([](TProjectData& p) { p.Products.erase(p.Products.begin() + 10); }), list + 1024);
  EXPECT_LT(step([](TProjectData& p) { p.Products.insert(p.Products.begin(), p.Products[3]); }),
            list + 1024);
  EXPECT_LT(list * 2, full) << "the pointer list is the smaller part";
}

TEST(UndoHistoryTest, AChangeAfterUndoDropsTheStepsAhead) {
  TUndoHistory history;
  TProjectData a = test::SmallProject(), b = a, c = a;
  b.Settings.LengthGapMM += 1;
  c.OptimizationCriterion = ckPalletUtilization;
  history.Reset(a);
  history.Record(b);
  EXPECT_EQ(history.Undo(), a);
  EXPECT_TRUE(history.Record(c));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Undo(), a);
  EXPECT_EQ(history.Redo(), c);
  EXPECT_FALSE(history.Record(c)) << "no step without a change";
}

TEST(WorkspaceUndoTest, UndoingBackToTheSavedProjectClearsTheMark) {
  testing::TTempFolder temp;
  TWorkspace workspace;
  workspace.NewFromSample();
  EXPECT_FALSE(workspace.CanUndo());
  TProjectData changed = workspace.Project();
  changed.Settings.WidthGapMM += 2;
  workspace.SetProject(changed);
  EXPECT_TRUE(workspace.CanUndo()) << "a change set but not yet recorded";
  workspace.RecordChange();
  workspace.SaveAs(temp.File("saved.vld"));
  changed.Products.pop_back();
  workspace.SetProject(changed);
  workspace.RecordChange();
  EXPECT_TRUE(workspace.Modified());
  workspace.Undo();
  EXPECT_FALSE(workspace.Modified());
  workspace.Undo();
  EXPECT_TRUE(workspace.Modified());
  EXPECT_EQ(workspace.Project(), LoadLumarProject());
  workspace.Redo();
  EXPECT_FALSE(workspace.Modified());
  workspace.MarkModified();
  EXPECT_TRUE(workspace.Modified()) << "edits outside the project count";
  workspace.Redo();
  EXPECT_EQ(workspace.Project(), changed);

  workspace.Open(temp.File("saved.vld"));
  EXPECT_FALSE(workspace.CanUndo());
  EXPECT_FALSE(workspace.CanRedo());
  EXPECT_FALSE(workspace.Modified());
}

TEST(WorkspaceUndoTest, AnImportIsOneStep) {
  testing::TTempFolder temp;
  const std::string csv = temp.File("one.csv");
  testing::WriteBytes(csv,
                      "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;"
                      "OriginalWidthMM;OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;"
                      "OriginalBoxLengthMM;OriginalBoxWidthMM;OriginalBoxHeightMM;"
                      "OriginalBoxCount\n0.00095;0.00105;2;4;A;100;50;200;500;15;410;310;210;24\n");
  TWorkspace workspace;
  workspace.NewFromSample();
  workspace.ImportCsv(csv);
  EXPECT_EQ(workspace.Project().Products.size(), LoadLumarProject().Products.size() + 1);
  workspace.Undo();
  EXPECT_EQ(workspace.Project(), LoadLumarProject());
  EXPECT_FALSE(workspace.Modified());
  EXPECT_FALSE(workspace.CanUndo());
}

}  // namespace
}  // namespace quelmora
