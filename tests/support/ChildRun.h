#pragma once

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>

#include "model/Errors.h"

namespace quelmora::testing {

struct TChildRun {
  std::string outcome;    // what the body returned, or the error it raised as "Kind: message"
  size_t startBytes = 0;  // resident memory of the child before the body ran
  size_t peakBytes = 0;   // its peak resident memory, the start included
  double seconds = 0;

  size_t GrowthBytes() const { return peakBytes > startBytes ? peakBytes - startBytes : 0; }
};

// The process's address space and resident memory, in bytes (/proc/self/statm).
inline void ProcessMemory(size_t& virtualBytes, size_t& residentBytes) {
  size_t pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%zu %zu", &pages, &resident) != 2) pages = resident = 0;
    std::fclose(statm);
  }
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  virtualBytes = pages * page;
  residentBytes = resident * page;
}

// Memory the parent freed stays in the child's heap, resident: reused, it
// would not show in the peak. So the child gives it back to the system and
// starts its peak afresh. Under an address-space limit that free heap is
// still room beyond the headroom, which a test run alone (as CTest runs it)
// does not have.
// Runs Body in a forked child, so that its peak memory is its own. With
// AddressSpaceHeadroom, the child's address space is limited to what it
// already has plus that many bytes, so that an allocation beyond fails.
inline TChildRun RunInChild(const std::function<std::string()>& Body,
                            size_t AddressSpaceHeadroom = 0) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::close(fds[0]);
    ::malloc_trim(0);
    if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", clear);  // the peak starts at the present
      std::fclose(clear);
    }
    size_t virtualBytes = 0, residentBytes = 0;
    ProcessMemory(virtualBytes, residentBytes);
    if (AddressSpaceHeadroom > 0) {
      rlimit limit{};
      ::getrlimit(RLIMIT_AS, &limit);
      limit.rlim_cur = virtualBytes + AddressSpaceHeadroom;
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(3);
    }
    std::string text;
    try {
      text = std::to_string(residentBytes) + "\n" + Body();
    } catch (const Exception& e) {
      text = std::to_string(residentBytes) + "\n" + ErrorText(e);
    } catch (const std::exception& e) {
      text = std::to_string(residentBytes) + "\nunclean: " + e.what();
    }
    for (size_t done = 0; done < text.size();) {
      const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
      if (n <= 0) ::_exit(3);
      done += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string received;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
    received.append(buffer, static_cast<size_t>(n));
  ::close(fds[0]);
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) throw std::runtime_error("wait4 failed");
  TChildRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const size_t newline = received.find('\n');
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || newline == std::string::npos) {
    run.outcome = "child died, status " + std::to_string(status);
  } else {
    run.startBytes = std::stoull(received.substr(0, newline));
    run.outcome = received.substr(newline + 1);
  }
  run.peakBytes = static_cast<size_t>(usage.ru_maxrss) * 1024;
  return run;
}

}  // namespace quelmora::testing
