#pragma once

#include <cmath>

namespace quelmora {

// The values validation lets through: Low and High, each included or not.
// Every value must also be finite.
struct TFieldBounds {
  double Low = 0;
  bool LowOpen = false;
  double High = 0;
  bool HighOpen = false;

  bool operator==(const TFieldBounds&) const = default;
};

// Low ≤ v ≤ High.
constexpr TFieldBounds FromTo(double Low, double High) {
  return {Low, false, High, false};
}

// Low < v ≤ High.
constexpr TFieldBounds AboveTo(double Low, double High) {
  return {Low, true, High, false};
}

inline bool IsWithinBounds(const TFieldBounds& Bounds, double Value) {
  return std::isfinite(Value) && (Bounds.LowOpen ? Value > Bounds.Low : Value >= Bounds.Low) &&
         (Bounds.HighOpen ? Value < Bounds.High : Value <= Bounds.High);
}

}  // namespace quelmora
