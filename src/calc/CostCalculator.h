#pragma once

#include <cstdint>

namespace quelmora {

double CalcBoxCost(double AreaM2, double PricePerM2);
// Pack cost plus the pack's share of the box.
double CalcCostPerUnit(double PackCost, double BoxCost, int32_t PackCount);
// Packaging money per cubic metre of product.
double CalcCostPerM3(double PackCost, double BoxCost, double PackVolumeM3, int32_t PackCount);
// Positive for a saving; 0 when the original cost is not above 0.
double CalcSavingPercent(double OriginalCost, double NewCost);

}  // namespace quelmora
