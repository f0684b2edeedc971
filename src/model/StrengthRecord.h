#pragma once

#include <cstdint>

namespace quelmora {

// A solution's bottom-box strength as the result file writes it: newtons,
// the factor reached and the one required, the most safe layers (the int32
// maximum when no count fails) and whether the pallet as loaded is safe.
struct TStrengthRecord {
  double McKeeN = 0;
  double ReducedN = 0;
  double LoadN = 0;
  double SafetyFactor = 0;
  double Required = 0;
  int32_t SafeLayers = 0;
  bool Safe = true;

  bool operator==(const TStrengthRecord&) const = default;
};

}  // namespace quelmora
