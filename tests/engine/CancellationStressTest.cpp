// Cancelling and destroying runs at seeded random moments, hundreds of times:
// every run ends either complete, equal to an undisturbed run, or marked
// cancelled with nothing of its result kept; no thread outlives its worker.
// QUELMORA_STRESS_SCALE scales the number of runs (sanitizer builds).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "engine/OptimizationCriteria.h"
#include "engine/OptimizationWorker.h"
#include "engine/Optimizer.h"
#include "io/LumarData.h"
#include "model/Errors.h"
#include "support/SmallProjects.h"
#include "support/Stress.h"

namespace quelmora {
namespace {

using namespace std::chrono_literals;

// A project to stress, the number of runs at full scale and the longest
// random delay before a cancel, about the length of one run.
struct TStressCase {
  const char* Name;
  TProjectData (*Make)();
  int Runs;
  int MaxDelayUs;
};

void PrintTo(const TStressCase& c, std::ostream* os) {
  *os << c.Name;
}

TProjectData SmallProject() {
  TProjectData project;
  project.Products = test::SmallAssortment();
  project.Settings = test::SmallSettings();
  project.OptimizationCriterion = ckCombined;
  return project;
}

// The twelve sample products with wider search limits than the small ones.
TProjectData MediumProject() {
  TProjectData project = LoadLumarProject();
  project.Settings = test::SmallSettings();
  project.Settings.MaxGeometryEvaluations = 2000;
  project.Settings.MaxPackVariantsPerProduct = 16;
  project.Settings.MaxPacksPerBox = 60;
  project.Settings.MaxCountPerAxis = 8;
  project.OptimizationCriterion = ckCostPerVolume;
  return project;
}

const TStressCase kCases[] = {
    {"Small", SmallProject, 240, 3000},
    {"Medium", MediumProject, 60, 30000},
};

TOptimizationResult RunProject(const TProjectData& project, const TCancelToken& token,
                               const TProgressCallback& progress = nullptr) {
  return TOptimizer().Execute(project.Products, project.Settings,
                              *CreateCriterion(project.OptimizationCriterion), token, progress);
}

// The undisturbed run of a case, without its log (the elapsed time differs).
const TOptimizationResult& Reference(const TStressCase& c) {
  static std::map<std::string, TOptimizationResult> references;
  auto found = references.find(c.Name);
  if (found == references.end()) {
    TCancelToken token;
    TOptimizationResult result = RunProject(c.Make(), token);
    result.Log.clear();
    found = references.emplace(c.Name, std::move(result)).first;
  }
  return found->second;
}

// A run ended complete and equal to the reference, or cancelled with nothing
// kept; returns true for cancelled.
bool ExpectCompleteOrCancelled(const TStressCase& c, TOptimizationResult result,
                               const std::string& where) {
  if (result.Cancelled) {
    EXPECT_TRUE(result.Solutions.empty()) << where << ": partial solutions of a cancelled run";
    EXPECT_EQ(result.AverageCostPerM3, 0) << where;
    EXPECT_EQ(result.OriginalAverageCostPerM3, 0) << where;
    for (const std::string& line : result.Log)
      EXPECT_EQ(line.rfind("solutions=", 0), std::string::npos) << where << ": " << line;
    return true;
  }
  EXPECT_FALSE(result.Log.empty()) << where;
  if (!result.Log.empty()) {
    EXPECT_EQ(result.Log.back().rfind("solutions=", 0), 0u) << where << ": " << result.Log.back();
  }
  result.Log.clear();
  EXPECT_EQ(result, Reference(c)) << where << ": a complete run differs from the undisturbed one";
  return false;
}

class CancelStress : public ::testing::TestWithParam<TStressCase> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Reference(GetParam()).Solutions.empty());
    ASSERT_FALSE(Reference(GetParam()).Cancelled);
  }
};

// The cancel comes when the reported progress first reaches a chosen
// percentage (85 is the assortment planner), at once from the computing
// thread or after a random delay from another thread.
TEST_P(CancelStress, CancelAtAChosenProgressEndsCompleteOrCancelled) {
  const TStressCase& c = GetParam();
  const TProjectData project = c.Make();
  const int runs = test::StressRuns(c.Runs);
  test::TWatchdog watchdog;
  int cancelled = 0, plannerCancels = 0;
  for (int r = 0; r < runs; ++r) {
    std::mt19937 rng(7919u * static_cast<unsigned>(r) + 17u);
    const int percent = rng() % 4 == 0 ? 85 : static_cast<int>(rng() % 101);
    const int delayUs = rng() % 3 == 0 ? 0 : static_cast<int>(rng() % (c.MaxDelayUs + 1));
    const std::string where = std::string(c.Name) + " run " + std::to_string(r) + " (at " +
                              std::to_string(percent) + "%, " + std::to_string(delayUs) + " us)";
    watchdog.Kick(where);

    TCancelToken token;
    std::mutex lock;
    std::condition_variable wake;
    bool fired = false, finished = false;
    int firedAt = -1;
    std::thread canceller;
    if (delayUs > 0) {
      canceller = std::thread([&] {
        std::unique_lock guard(lock);
        wake.wait(guard, [&] { return fired || finished; });
        if (!fired) return;
        guard.unlock();
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        token.Cancel();
      });
    }
    const auto progress = [&](int32_t reached, const std::string&) {
      std::lock_guard guard(lock);
      if (fired || reached < percent) return;
      fired = true;
      firedAt = reached;
      if (delayUs == 0) token.Cancel();
      wake.notify_one();
    };
    TOptimizationResult result;
    try {
      result = RunProject(project, token, progress);
    } catch (const Exception& e) {
      ADD_FAILURE() << where << ": " << ErrorText(e);
    }
    {
      std::lock_guard guard(lock);
      finished = true;
    }
    wake.notify_one();
    if (canceller.joinable()) canceller.join();

    const bool wasCancelled = ExpectCompleteOrCancelled(c, std::move(result), where);
    cancelled += wasCancelled;
    if (delayUs == 0) {
      // A cancel from the progress report itself is never missed, and one at
      // the end comes too late to touch the finished result.
      if (firedAt >= 0 && firedAt <= 85) {
        EXPECT_TRUE(wasCancelled) << where << ": cancel lost";
      }
      if (firedAt == 100) {
        EXPECT_FALSE(wasCancelled) << where;
      }
    }
    if (firedAt == 85 && wasCancelled) ++plannerCancels;
  }
  std::printf("%s: %d runs, %d cancelled (%d in the assortment planner)\n", c.Name, runs, cancelled,
              plannerCancels);
  if (runs >= 20) {
    EXPECT_GT(plannerCancels, 0);
    EXPECT_LT(cancelled, runs) << "no run completed";
  }
}

// The window's way: a worker cancelled from the owning thread, while another
// thread cancels too or watches the progress.
TEST_P(CancelStress, WorkerCancelledFromOtherThreadsEndsCompleteOrCancelled) {
  const TStressCase& c = GetParam();
  const TProjectData project = c.Make();
  const int runs = test::StressRuns(c.Runs);
  test::TWatchdog watchdog;
  int cancelled = 0;
  for (int r = 0; r < runs; ++r) {
    std::mt19937 rng(104729u * static_cast<unsigned>(r) + 3u);
    const int delayUs = static_cast<int>(rng() % (c.MaxDelayUs + 1));
    const bool helper = rng() % 2 == 0;
    const std::string where = std::string(c.Name) + " worker run " + std::to_string(r) + " (" +
                              std::to_string(delayUs) + " us)";
    watchdog.Kick(where);

    TOptimizationWorker worker(project.Products, project.Settings, project.OptimizationCriterion);
    worker.Start();
    std::atomic<bool> stop{false};
    std::thread other;
    if (helper) {
      // Cancels at its own moment, or only watches the progress go forward.
      const int otherDelayUs = static_cast<int>(rng() % (c.MaxDelayUs + 1));
      const bool otherCancels = rng() % 2 == 0;
      other = std::thread([&, otherDelayUs, otherCancels] {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(otherDelayUs);
        int32_t last = 0;
        while (!stop.load() && std::chrono::steady_clock::now() < until) {
          int32_t percent = 0;
          std::string stage;
          worker.Snapshot(percent, stage);
          EXPECT_GE(percent, last) << where << ": progress went back";
          EXPECT_LE(percent, 100) << where;
          last = percent;
          std::this_thread::yield();
        }
        if (otherCancels) worker.Cancel();
      });
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    worker.Cancel();
    while (!worker.Done())
      std::this_thread::sleep_for(100us);
    stop.store(true);
    if (other.joinable()) other.join();
    EXPECT_EQ(worker.Error(), "") << where;
    cancelled += ExpectCompleteOrCancelled(c, worker.Output(), where);
  }
  std::printf("%s: %d worker runs, %d cancelled\n", c.Name, runs, cancelled);
  if (runs >= 20) {
    EXPECT_GT(cancelled, 0);
  }
}

// Destroying a worker at any moment stops the run and its search threads
// before the destructor returns: none of them is left to touch the freed worker.
TEST_P(CancelStress, WorkerDestroyedAtRandomMomentsLeavesNoThread) {
  const TStressCase& c = GetParam();
  const TProjectData project = c.Make();
  const int runs = test::StressRuns(c.Runs);
  test::TWatchdog watchdog;
  const int baseline = test::ThreadCount();
  ASSERT_GT(baseline, 0);
  int midRun = 0;
  for (int r = 0; r < runs; ++r) {
    std::mt19937 rng(15485863u * static_cast<unsigned>(r) + 11u);
    const int mode = static_cast<int>(rng() % 5);
    const int delayUs = static_cast<int>(rng() % (c.MaxDelayUs + 1));
    const std::string where = std::string(c.Name) + " destroy " + std::to_string(r) + " (mode " +
                              std::to_string(mode) + ", " + std::to_string(delayUs) + " us)";
    watchdog.Kick(where);
    auto worker = std::make_unique<TOptimizationWorker>(project.Products, project.Settings,
                                                        project.OptimizationCriterion);
    switch (mode) {
      case 0:  // never started
        break;
      case 1:  // at once
        worker->Start();
        break;
      case 2:  // somewhere in the run
        worker->Start();
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        break;
      case 3:  // cancelled, then destroyed before it has stopped
        worker->Start();
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        worker->Cancel();
        break;
      default:  // after the end
        worker->Start();
        while (!worker->Done())
          std::this_thread::sleep_for(100us);
        break;
    }
    if (mode >= 1 && mode <= 3 && !worker->Done()) ++midRun;
    worker.reset();
    ASSERT_TRUE(test::ThreadsSettleAt(baseline))
        << where << ": " << test::ThreadCount() - baseline << " threads outlived the worker";
  }
  std::printf("%s: %d workers destroyed, %d of them mid-run\n", c.Name, runs, midRun);
}

INSTANTIATE_TEST_SUITE_P(Projects, CancelStress, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quelmora
