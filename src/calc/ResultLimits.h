#pragma once

#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// The settings that can stop a box from taking more packs.
enum class TLimitKind { PacksPerBox, PacksPerAxis, BoxWeight, BoxHeight };

struct TBindingLimit {
  TLimitKind Kind = TLimitKind::PacksPerBox;
  double Value = 0;  // the limit: packs, packs, kg, mm

  bool operator==(const TBindingLimit&) const = default;
};

// The limits the proposed box sits at, in TLimitKind order. A limit decided
// the result when the box could not take one more pack or one more layer
// because of it: its pack count or a count along an axis equals the maximum,
// one more pack would make the box heavier than the product allows, or one
// more layer would make it taller than box and pallet height allow. The
// acceptance tests' tolerances apply. Product supplies the weight limit and
// the pack's product weight; none without a recorded placement.
std::vector<TBindingLimit> BindingLimits(const TOptimizationSettings& Settings,
                                         const TProduct& Product,
                                         const TOptimizationSolution& Solution);

}  // namespace quelmora
