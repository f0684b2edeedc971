#pragma once

#include "model/OptimizationModel.h"
#include "model/PackModel.h"
#include "model/ProductModel.h"

namespace quelmora {

// |L / B / RatioLB - 1| + |H / B / RatioHB - 1|: 0 at the target proportions.
double CalcGeometryPenalty(double L, double B, double H, double RatioLB, double RatioHB);

// Whether a built pack lies in the product's dimension band and volume range.
bool PackWithinLimits(const TPackVariant& Pack, const TProduct& Product,
                      const TOptimizationSettings& Settings);

// Volume, blank area, cost, ratios, penalties and score of an L x B x H pack.
// No validation: also used for packs that PackWithinLimits then rejects.
TPackVariant MakePackVariant(const TProduct& Product, double L, double B, double H,
                             const TOptimizationSettings& Settings);

}  // namespace quelmora
