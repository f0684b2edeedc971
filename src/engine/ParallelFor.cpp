#include "engine/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace quelmora {

unsigned WorkerThreadCount() {
  if (const char* text = std::getenv("QUELMORA_THREADS")) {
    const long n = std::strtol(text, nullptr, 10);
    if (n >= 1 && n <= 256) return static_cast<unsigned>(n);
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

void ParallelFor(size_t Count, const std::function<void(size_t)>& Body) {
  if (Count == 0) return;
  const size_t threadCount = std::min<size_t>(WorkerThreadCount(), Count);
  std::atomic<size_t> next{0};
  // After a failure no further index is started: every lower one was handed
  // out before it, so the failure to report is among those already run.
  std::atomic<bool> failed{false};
  std::vector<std::exception_ptr> errors(Count);
  auto work = [&] {
    while (!failed.load(std::memory_order_relaxed)) {
      const size_t i = next++;  // an index taken is always run
      if (i >= Count) break;
      try {
        Body(i);
      } catch (...) {
        errors[i] = std::current_exception();
        failed.store(true, std::memory_order_relaxed);
      }
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(threadCount - 1);
  for (size_t t = 1; t < threadCount; ++t) {
    // Out of threads: the ones running take the rest, with the same results.
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;
    }
  }
  work();
  for (std::thread& helper : helpers)
    helper.join();
  for (const std::exception_ptr& error : errors)
    if (error) std::rethrow_exception(error);
}

}  // namespace quelmora
