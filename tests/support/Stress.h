#pragma once

#include <dirent.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace quelmora::test {

// Repetitions of a stress test: Full times QUELMORA_STRESS_SCALE (default 1),
// at least one, so that slow builds (sanitizers) can run fewer.
inline int StressRuns(int Full) {
  double scale = 1;
  if (const char* text = std::getenv("QUELMORA_STRESS_SCALE")) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end != text && value > 0 && value <= 100) scale = value;
  }
  const int runs = static_cast<int>(Full * scale + 0.5);
  return runs < 1 ? 1 : runs;
}

// Threads of this process, as the kernel lists them.
inline int ThreadCount() {
  DIR* dir = ::opendir("/proc/self/task");
  if (!dir) return -1;
  int count = 0;
  while (const dirent* entry = ::readdir(dir))
    if (entry->d_name[0] != '.') ++count;
  ::closedir(dir);
  return count;
}

// Threads of this process that carry the program's own name: the ones made
// with std::thread, which Qt's named helper threads (thread pools, the
// event dispatcher's) do not count among.
inline int UnnamedThreadCount() {
  auto nameOf = [](const std::string& path) {
    std::string name;
    if (FILE* file = std::fopen(path.c_str(), "r")) {
      char buffer[64] = {};
      if (std::fgets(buffer, sizeof buffer, file)) name = buffer;
      std::fclose(file);
    }
    return name;
  };
  const std::string own = nameOf("/proc/self/comm");
  DIR* dir = ::opendir("/proc/self/task");
  if (!dir || own.empty()) {
    if (dir) ::closedir(dir);
    return -1;
  }
  int count = 0;
  while (const dirent* entry = ::readdir(dir))
    if (entry->d_name[0] != '.' &&
        nameOf(std::string("/proc/self/task/") + entry->d_name + "/comm") == own)
      ++count;
  ::closedir(dir);
  return count;
}

// Waits (at most Seconds) for the threads of this process to come down to
// Expected: a joined thread may linger in the kernel's list a moment longer.
inline bool ThreadsSettleAt(int Expected, int Seconds = 60, int (*Count)() = ThreadCount) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
  while (Count() > Expected) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Turns a hang into a failure: when a stretch of work between two Kick calls
// (or the end of scope) takes longer than Seconds, the process stops with a
// message naming what was under way. A deadlocked test cannot unwind, so
// aborting is the only honest outcome.
class TWatchdog {
 public:
  explicit TWatchdog(int Seconds = 120) : seconds_(Seconds), thread_([this] { Watch(); }) {}
  TWatchdog(const TWatchdog&) = delete;
  TWatchdog& operator=(const TWatchdog&) = delete;
  ~TWatchdog() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

  // A new stretch of work begins; What names it in the message.
  void Kick(std::string What) {
    {
      std::lock_guard lock(mutex_);
      what_ = std::move(What);
      ++generation_;
    }
    wake_.notify_one();
  }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
      const unsigned long long seen = generation_;
      if (!wake_.wait_for(lock, std::chrono::seconds(seconds_),
                          [&] { return stop_ || generation_ != seen; })) {
        std::fprintf(stderr, "watchdog: no progress for %d s during %s\n", seconds_, what_.c_str());
        std::fflush(stderr);
        std::abort();
      }
    }
  }

  const int seconds_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  unsigned long long generation_ = 0;
  std::string what_ = "start";
  std::thread thread_;
};

}  // namespace quelmora::test
