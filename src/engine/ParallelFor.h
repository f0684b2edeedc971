#pragma once

#include <cstddef>
#include <functional>

namespace quelmora {

// Threads to use: one per hardware thread, or QUELMORA_THREADS when set.
unsigned WorkerThreadCount();

// Runs Body(i) for every i in [0, Count) on up to WorkerThreadCount()
// threads, the calling one included; indices are handed out in increasing
// order. When a body throws, no further index is started, and the exception
// of the lowest index that threw is rethrown once the running ones have
// finished, as a loop in index order would have stopped there.
void ParallelFor(size_t Count, const std::function<void(size_t)>& Body);

}  // namespace quelmora
