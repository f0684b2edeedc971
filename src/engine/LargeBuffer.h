#pragma once

#include <cstddef>
#include <optional>

namespace quelmora {

// An uninitialised array of doubles for the very large working tables of a
// run (the assortment plan reaches hundreds of megabytes). Backed by huge
// pages where the system offers them on request: touching and, above all,
// returning such a table then costs a fraction of what small pages cost,
// which keeps cancelling a large run quick.
class TLargeBuffer {
 public:
  explicit TLargeBuffer(size_t Count);
  ~TLargeBuffer();
  TLargeBuffer(const TLargeBuffer&) = delete;
  TLargeBuffer& operator=(const TLargeBuffer&) = delete;

  double* Data() const { return FData; }
  double& operator[](size_t i) const { return FData[i]; }

 private:
  double* FData = nullptr;
  size_t FBytes = 0;
};

// The bytes a table of Rows x Columns doubles takes; none when that does not
// fit in a size_t.
std::optional<size_t> TableBytes(size_t Rows, size_t Columns);

// Whether a table of Rows x Columns doubles fits in AvailableBytes.
bool TableFits(size_t Rows, size_t Columns, size_t AvailableBytes);

// The memory the program can still get: the system's available memory
// (MemAvailable, else the physical memory), lowered by the process's address
// space limit and its control group's memory limit where these are set.
size_t AvailableMemoryBytes();

}  // namespace quelmora
