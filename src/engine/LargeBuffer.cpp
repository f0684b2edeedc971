#include "engine/LargeBuffer.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <new>
#include <string>

namespace quelmora {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

// "MemAvailable:   123456 kB" of /proc/meminfo.
std::optional<size_t> MemAvailable() {
  std::ifstream in("/proc/meminfo");
  std::string key;
  size_t kib = 0;
  std::string unit;
  while (in >> key >> kib) {
    std::getline(in, unit);
    if (key == "MemAvailable:") return kib * 1024;
  }
  return std::nullopt;
}

// What the control group (v2) of the process may still take.
std::optional<size_t> GroupRemaining() {
  std::ifstream self("/proc/self/cgroup");
  std::string line, group;
  while (std::getline(self, line))
    if (line.starts_with("0::")) group = line.substr(3);
  if (group.empty()) return std::nullopt;
  const std::string folder = "/sys/fs/cgroup" + (group == "/" ? std::string() : group);
  std::ifstream maxFile(folder + "/memory.max");
  std::ifstream currentFile(folder + "/memory.current");
  std::string max;
  size_t current = 0;
  if (!(maxFile >> max) || max == "max" || !(currentFile >> current)) return std::nullopt;
  try {
    const size_t limit = std::stoull(max);
    return limit > current ? limit - current : 0;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<size_t> TableBytes(size_t Rows, size_t Columns) {
  size_t cells = 0, bytes = 0;
  if (__builtin_mul_overflow(Rows, Columns, &cells) ||
      __builtin_mul_overflow(cells, sizeof(double), &bytes))
    return std::nullopt;
  return bytes;
}

bool TableFits(size_t Rows, size_t Columns, size_t AvailableBytes) {
  const std::optional<size_t> bytes = TableBytes(Rows, Columns);
  return bytes && *bytes <= AvailableBytes;
}

size_t AvailableMemoryBytes() {
  size_t available = 0;
  if (const std::optional<size_t> free = MemAvailable()) {
    available = *free;
  } else {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    available = pages > 0 && pageSize > 0
                    ? static_cast<size_t>(pages) * static_cast<size_t>(pageSize)
                    : std::numeric_limits<size_t>::max();
  }
  if (rlimit limit; getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    available = std::min(available, static_cast<size_t>(limit.rlim_cur));
  if (const std::optional<size_t> group = GroupRemaining()) available = std::min(available, *group);
  return available;
}

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
