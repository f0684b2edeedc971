#include <pthread.h>
#include <signal.h>

#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "BatchTool.h"

int main(int argc, char** argv) {
  quelmora::SetUpBatchSignals();
  // Ctrl-C is taken synchronously while waiting for the worker, so the run
  // can be cancelled cooperatively; the worker thread inherits the mask.
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  pthread_sigmask(SIG_BLOCK, &interrupt, nullptr);
  const auto wait = [&interrupt](int milliseconds) {
    const timespec timeout{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    return sigtimedwait(&interrupt, nullptr, &timeout) == SIGINT;
  };
  std::ios::sync_with_stdio(true);
  return quelmora::RunBatch(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                            wait);
}
