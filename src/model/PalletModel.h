#pragma once

#include <cstdint>

namespace quelmora {

// Loading of one box size on a pallet.
struct TPalletResult {
  int32_t BoxesPerLayer = 0;
  int32_t LayerCount = 0;
  int32_t BoxesPerPallet = 0;
  bool Rotated = false;    // box length along the pallet width
  double Utilization = 0;  // fraction of pallet area x height limit

  bool operator==(const TPalletResult&) const = default;
};

// The pallet loading strategy. Stateless: one instance serves a whole run and
// may be shared between threads.
class IPalletOptimizer {
 public:
  virtual ~IPalletOptimizer() = default;
  // Box outer length, width, height; pallet length, width; load height; mm.
  virtual TPalletResult Calculate(double BoxL, double BoxB, double BoxH, double PalletL,
                                  double PalletB, double MaxHeight) const = 0;
};

}  // namespace quelmora
