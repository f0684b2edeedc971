#pragma once

#include <cstddef>

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

  double* data() const { return FData; }
  double& operator[](size_t i) const { return FData[i]; }

 private:
  double* FData = nullptr;
  size_t FBytes = 0;
};

}  // namespace quelmora
