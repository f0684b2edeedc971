#include "calc/CostCalculator.h"

#include "model/FloatChecks.h"

namespace quelmora {

double CalcBoxCost(double AreaM2, double PricePerM2) {
  return AreaM2 * PricePerM2;
}

double CalcCostPerUnit(double PackCost, double BoxCost, int32_t PackCount) {
  return PackCost + FDiv(BoxCost, static_cast<double>(PackCount));
}

double CalcCostPerM3(double PackCost, double BoxCost, double PackVolumeM3, int32_t PackCount) {
  return FDiv(CalcCostPerUnit(PackCost, BoxCost, PackCount), PackVolumeM3);
}

double CalcSavingPercent(double OriginalCost, double NewCost) {
  if (OriginalCost <= 0) return 0;
  return FDiv(OriginalCost - NewCost, OriginalCost) * 100;
}

}  // namespace quelmora
