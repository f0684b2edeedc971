#include "calc/LayerBounds.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "calc/Tolerances.h"

namespace quelmora {

namespace {

// Least waste of an X x Y rectangle filled with 1 x a bars.
int64_t BarWaste(int64_t X, int64_t Y, int64_t a) {
  const int64_t r = X % a, s = Y % a;
  return std::min(r * s, (a - r) * (a - s));
}

}  // namespace

int64_t AreaBound(double X, double Y, double BoxL, double BoxW) {
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return 0;
  // Area met to within the tolerance of both sides counts as filled.
  const double slack = kLengthToleranceMM * (X + Y);
  return static_cast<int64_t>(std::floor((X * Y + slack) / (BoxL * BoxW)));
}

int64_t BarnesBound(int64_t X, int64_t Y, int64_t BoxL, int64_t BoxW) {
  if (X <= 0 || Y <= 0 || BoxL <= 0 || BoxW <= 0) return 0;
  // Normal layers put every box at a multiple of the sides' common divisor.
  const int64_t g = std::gcd(BoxL, BoxW);
  X /= g, Y /= g, BoxL /= g, BoxW /= g;
  const int64_t waste = std::max(BarWaste(X, Y, BoxL), BarWaste(X, Y, BoxW));
  return std::max<int64_t>(0, (X * Y - waste) / (BoxL * BoxW));
}

int64_t IntegerScale(double BoxL, double BoxW) {
  for (int64_t scale = 1; scale <= 10000; scale *= 10) {
    const double l = BoxL * static_cast<double>(scale), w = BoxW * static_cast<double>(scale);
    if (l > 1e12 || w > 1e12) return 0;
    const double tolerance = kLengthToleranceMM * static_cast<double>(scale);
    if (std::fabs(l - std::round(l)) <= tolerance && std::fabs(w - std::round(w)) <= tolerance &&
        std::round(l) >= 1 && std::round(w) >= 1)
      return scale;
  }
  return 0;
}

}  // namespace quelmora
