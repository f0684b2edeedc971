// Closing and destroying the window at random moments of a run: the window
// goes, the run stops, and a pending save question is answered as asked.
// QUELMORA_STRESS_SCALE scales the number of runs (sanitizer builds).
#include <QLineEdit>
#include <deque>
#include <random>
#include <utility>

#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "support/Stress.h"
#include "ui/MainFormFixture.h"

namespace quelmora::testing {
namespace {

using TAnswer = IUserDialogs::TAnswer;

// The undisturbed run of a project, without its log (the elapsed time differs).
const TOptimizationResult& ReferenceRun(const TProjectData& project) {
  static std::deque<std::pair<TProjectData, TOptimizationResult>> known;
  for (const auto& [p, result] : known)
    if (p == project) return result;
  TCancelToken token;
  TOptimizationResult result = TOptimizer().Execute(
      project.Products, project.Settings, *CreateCriterion(project.OptimizationCriterion), token);
  result.Log.clear();
  known.emplace_back(project, std::move(result));
  return known.back().second;
}

// Lets the window work for Milliseconds.
void ProcessEventsFor(int Milliseconds) {
  const QDeadlineTimer deadline(Milliseconds);
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (!deadline.hasExpired());
}

// How the save question, if the window asks it, is answered.
enum class TClosing { Unchanged, DiscardChanges, SaveChanges, CancelThenDiscard };

const char* ClosingName(TClosing closing) {
  switch (closing) {
    case TClosing::Unchanged:
      return "Unchanged";
    case TClosing::DiscardChanges:
      return "DiscardChanges";
    case TClosing::SaveChanges:
      return "SaveChanges";
    case TClosing::CancelThenDiscard:
      return "CancelThenDiscard";
  }
  return "?";
}

void PrintTo(TClosing closing, std::ostream* os) {
  *os << ClosingName(closing);
}

class MainFormShutdown : public MainFormTest, public ::testing::WithParamInterface<TClosing> {
 protected:
  // A new window on the built-in sample, modified when the case needs a save
  // question; its run lasts a few hundredths of a second, so the random
  // moments below (mostly within its first 60 ms) fall into and after it.
  void PrepareWindow(bool modified) {
    if (modified) Control<QLineEdit>("FQuick2")->setText("5");
    ASSERT_EQ(Window().Modified(), modified);
    ShowWindow();
  }

  // The window's last result: complete and equal to a direct run, or cancelled and empty.
  void ExpectCompleteOrCancelled(const std::string& where) {
    TOptimizationResult result = Window().Result();
    if (result.Cancelled) {
      EXPECT_TRUE(result.Solutions.empty()) << where;
      return;
    }
    result.Log.clear();
    EXPECT_EQ(result, ReferenceRun(Window().Project())) << where;
  }
};

TEST_P(MainFormShutdown, ClosingAtRandomMomentsOfARun) {
  const TClosing closing = GetParam();
  const bool modified = closing != TClosing::Unchanged;
  const int runs = test::StressRuns(6);
  test::TWatchdog watchdog;
  int stoppedMidRun = 0, cancelled = 0;
  for (int r = 0; r < runs; ++r) {
    std::mt19937 rng(31337u * static_cast<unsigned>(r) + static_cast<unsigned>(closing));
    const int waitMs = static_cast<int>(rng() % 3 == 0 ? rng() % 200 : rng() % 60);
    const std::string where = "run " + std::to_string(r) + " (" + std::to_string(waitMs) + " ms)";
    watchdog.Kick(where);
    PrepareWindow(modified);
    Click(cmdRun);
    ASSERT_TRUE(Window().Busy());
    ProcessEventsFor(waitMs);

    const std::string saved = temp_.File("saved-" + std::to_string(r) + ".vld");
    dialogs_.Questions.clear();
    dialogs_.YesNoCancel.clear();
    if (closing == TClosing::DiscardChanges) dialogs_.YesNoCancel.push_back(TAnswer::No);
    if (closing == TClosing::SaveChanges) {
      dialogs_.YesNoCancel.push_back(TAnswer::Yes);
      dialogs_.SaveChoices.push_back({QString::fromStdString(saved), 0});
    }
    if (closing == TClosing::CancelThenDiscard) dialogs_.YesNoCancel.push_back(TAnswer::Cancel);
    const bool wasBusy = Window().Busy();
    const bool closedAtOnce = Window().close();
    EXPECT_EQ(closedAtOnce, !wasBusy && closing != TClosing::CancelThenDiscard) << where;
    if (wasBusy) {
      ++stoppedMidRun;
      EXPECT_TRUE(Window().isVisible()) << where << ": closed before the run stopped";
    }

    if (closing == TClosing::CancelThenDiscard) {
      ASSERT_TRUE(WaitUntil([this] { return !dialogs_.Questions.empty(); }, 60)) << where;
      EXPECT_TRUE(Window().isVisible()) << where;
      EXPECT_FALSE(Window().Busy()) << where;
      EXPECT_TRUE(Window().Modified()) << where;
      dialogs_.YesNoCancel.push_back(TAnswer::No);
      EXPECT_TRUE(Window().close()) << where;
    }
    ASSERT_TRUE(WaitUntil([this] { return !Window().isVisible(); }, 60)) << where;
    EXPECT_FALSE(Window().Busy()) << where << ": the run outlived the window";
    ExpectCompleteOrCancelled(where);
    cancelled += Window().Result().Cancelled;
    const size_t questions = modified ? (closing == TClosing::CancelThenDiscard ? 2u : 1u) : 0u;
    EXPECT_EQ(dialogs_.Questions.size(), questions) << where;
    EXPECT_TRUE(dialogs_.YesNoCancel.empty()) << where;
    if (closing == TClosing::SaveChanges) {
      EXPECT_FALSE(Window().Modified()) << where;
      EXPECT_EQ(LoadProject(saved), Window().Project()) << where;
    }
    EXPECT_TRUE(dialogs_.Errors.empty()) << where;
    DestroyWindow();
  }
  std::printf("%d closes, %d of them during the run, %d runs cancelled\n", runs, stoppedMidRun,
              cancelled);
}

INSTANTIATE_TEST_SUITE_P(SaveQuestion, MainFormShutdown,
                         ::testing::Values(TClosing::Unchanged, TClosing::DiscardChanges,
                                           TClosing::SaveChanges, TClosing::CancelThenDiscard),
                         [](const auto& info) { return std::string(ClosingName(info.param)); });

// Quitting the program destroys the window whatever it is doing: the
// destructor stops the run and its threads before it returns.
TEST_F(MainFormTest, DestroyedAtRandomMomentsOfARunLeavesNoThread) {
  const int runs = test::StressRuns(12);
  test::TWatchdog watchdog;
  const int baseline = test::UnnamedThreadCount();
  ASSERT_GT(baseline, 0);
  int midRun = 0;
  for (int r = 0; r < runs; ++r) {
    std::mt19937 rng(2718281u * static_cast<unsigned>(r) + 1u);
    const int waitMs = static_cast<int>(rng() % 3 == 0 ? rng() % 200 : rng() % 60);
    const std::string where = "run " + std::to_string(r) + " (" + std::to_string(waitMs) + " ms)";
    watchdog.Kick(where);
    if (r % 2 == 0) ShowWindow();
    Click(cmdRun);
    ProcessEventsFor(waitMs);
    midRun += Window().Busy();
    DestroyWindow();
    ASSERT_TRUE(test::ThreadsSettleAt(baseline, 60, test::UnnamedThreadCount))
        << where << ": " << test::UnnamedThreadCount() - baseline << " threads outlived the window";
    EXPECT_TRUE(dialogs_.Errors.empty()) << where;
  }
  std::printf("%d windows destroyed, %d of them during the run\n", runs, midRun);
}

}  // namespace
}  // namespace quelmora::testing
