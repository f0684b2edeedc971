#include "engine/LargeBuffer.h"

#include <sys/mman.h>

#include <new>

namespace quelmora {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

TLargeBuffer::TLargeBuffer(size_t Count) {
  const size_t bytes = Count * sizeof(double);
  FBytes = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  if (FBytes == 0) FBytes = kHugePage;
  void* p = mmap(nullptr, FBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  // Only a request: without huge pages the table works the same, slower.
  madvise(p, FBytes, MADV_HUGEPAGE);
  FData = static_cast<double*>(p);
}

TLargeBuffer::~TLargeBuffer() {
  munmap(FData, FBytes);
}

}  // namespace quelmora
