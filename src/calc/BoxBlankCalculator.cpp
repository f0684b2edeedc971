#include "calc/BoxBlankCalculator.h"

#include "calc/UnitConversion.h"

namespace quelmora {

double BoxBlankAreaM2(double L, double B, double H, double T, double G) {
  const double Li = L - 2 * T;
  const double Bi = B - 2 * T;
  const double Hi = H - 2 * T;
  // Two length and two width panels, three folds and the glue flap ...
  const double blankLength = 2 * Li + 2 * Bi + 3 * T + G;
  // ... by the side height plus two half-width closing flaps and two folds.
  const double blankWidth = Bi + Hi + 2 * T;
  return MM2ToM2(blankLength * blankWidth);
}

}  // namespace quelmora
