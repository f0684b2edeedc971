// Starts a run of a project on the background worker, cancels it after each
// of the given delays and prints how long the worker took to finish after
// the cancel request.
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "engine/OptimizationWorker.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"

int main(int argc, char** argv) {
  using namespace quelmora;
  using Clock = std::chrono::steady_clock;
  if (argc < 3) {
    std::cerr << "usage: quelmora-cancellatency PROJECT.vld DELAY_MS...\n";
    return 2;
  }
  try {
    const TProjectData project = LoadProject(argv[1]);
    double worst = 0;
    for (int i = 2; i < argc; ++i) {
      const long delay = std::strtol(argv[i], nullptr, 10);
      TOptimizationWorker worker(project.Products, project.Settings, project.OptimizationCriterion);
      worker.Start();
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      int32_t percent = 0;
      std::string stage;
      worker.Snapshot(percent, stage);
      const auto cancelled = Clock::now();
      worker.Cancel();
      while (!worker.Done())
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - cancelled).count();
      worst = std::max(worst, ms);
      std::cout << "cancel after " << delay << " ms (" << percent << "%): done " << ms
                << " ms later" << (worker.Output().Cancelled ? "" : " (had already finished)")
                << '\n';
    }
    std::cout << "worst " << worst << " ms\n";
  } catch (const Exception& e) {
    std::cerr << e.Message() << '\n';
    return 1;
  }
  return 0;
}
