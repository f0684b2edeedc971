#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/OptimizationWorker.h"
#include "engine/Optimizer.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

void WaitDone(const TOptimizationWorker& worker) {
  while (!worker.Done())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(OptimizationWorker, CompletedRunMatchesADirectRun) {
  const auto products = test::SmallAssortment();
  const auto settings = test::SmallSettings();
  TOptimizationWorker worker(products, settings, ckCombined);
  int32_t percent = -1;
  std::string stage = "x";
  worker.Snapshot(percent, stage);
  EXPECT_EQ(percent, 0);
  EXPECT_EQ(stage, "");
  EXPECT_FALSE(worker.Done());
  worker.Start();
  WaitDone(worker);
  EXPECT_EQ(worker.Error(), "");
  EXPECT_FALSE(worker.Failure());
  worker.Snapshot(percent, stage);
  EXPECT_EQ(percent, 100);
  EXPECT_EQ(stage, "Расчет завершен");

  TCancelToken token;
  TOptimizationResult direct =
      TOptimizer().Execute(products, settings, *CreateCriterion(ckCombined), token);
  TOptimizationResult output = worker.Output();
  // Only the elapsed time in the closing log line may differ.
  direct.Log.clear();
  output.Log.clear();
  EXPECT_EQ(output, direct);

  const TOptimizationResult before = worker.Output();
  worker.Cancel();  // after the end: no effect
  EXPECT_EQ(worker.Output(), before);
  EXPECT_EQ(worker.Error(), "");
}

TEST(OptimizationWorker, FailedRunReportsKindAndMessage) {
  auto products = test::SmallAssortment();
  products[3].MaxBoxWeightKG = 0.1;
  TOptimizationWorker worker(products, test::SmallSettings(), ckCostPerVolume);
  worker.Start();
  WaitDone(worker);
  EXPECT_EQ(worker.Error(), "EInvalidOp: No shared box fits product Соль");
  EXPECT_EQ(worker.Output(), TOptimizationResult{});
  // The failure itself comes along, to be shown in the reader's language.
  ASSERT_TRUE(worker.Failure());
  EXPECT_EQ(worker.Failure()->Kind(), TErrorKind::NoSharedBox);
  EXPECT_EQ(ErrorText(*worker.Failure()), worker.Error());
}

TEST(OptimizationWorker, InvalidInputReportsTheValidationMessage) {
  auto settings = test::SmallSettings();
  settings.CurrencySymbol = " ";
  TOptimizationWorker worker(test::SmallAssortment(), settings, ckCostPerVolume);
  worker.Start();
  WaitDone(worker);
  EXPECT_EQ(worker.Error(), "EArgumentException: Некорректный параметр: Валюта");
}

TEST(OptimizationWorker, CancelBeforeStart) {
  TOptimizationWorker worker(test::SmallAssortment(), test::SmallSettings(), ckCostPerVolume);
  worker.Cancel();
  worker.Start();
  WaitDone(worker);
  EXPECT_EQ(worker.Error(), "");
  EXPECT_TRUE(worker.Output().Cancelled);
  EXPECT_TRUE(worker.Output().Log.empty());
}

// A run at the default limits lasts long enough to be stopped midway.
TEST(OptimizationWorker, CancelDuringARun) {
  TOptimizationWorker worker(test::SmallAssortment(), DefaultSettings(), ckCostPerVolume);
  worker.Start();
  int32_t percent = 0;
  std::string stage;
  while (stage.empty() && !worker.Done())
    worker.Snapshot(percent, stage);
  worker.Cancel();
  WaitDone(worker);
  EXPECT_EQ(worker.Error(), "");
  EXPECT_TRUE(worker.Output().Cancelled);
  EXPECT_TRUE(worker.Output().Solutions.empty());
}

TEST(OptimizationWorker, DestroyedWhileRunningOrNeverStarted) {
  {
    TOptimizationWorker worker(test::SmallAssortment(), DefaultSettings(), ckCostPerVolume);
    worker.Start();
  }  // returns once the thread has stopped
  { TOptimizationWorker never(test::SmallAssortment(), DefaultSettings(), ckCostPerVolume); }
  SUCCEED();
}

}  // namespace
}  // namespace quelmora
