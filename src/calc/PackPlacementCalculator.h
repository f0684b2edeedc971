#pragma once

#include <functional>

#include "model/OptimizationModel.h"
#include "model/PackModel.h"
#include "model/ProductModel.h"

namespace quelmora {

// Receives each placement; the record changes between calls, so a callback
// that keeps one must copy it.
using TPlacementCallback = std::function<void(const TPackPlacement&)>;

// The pack's sizes along the box axes for an orientation; counts zero.
TPackPlacement OrientPack(const TPackVariant& Pack, TPackOrientation Orientation);

// Calls Callback for every grid of the pack that the limits on packs per box,
// packs per axis, box weight, box height and (unless oversize boxes are
// allowed) the pallet's longer side admit: orientation in order, then CountX,
// CountY, CountZ ascending, CountZ fastest. A pack with a non-positive size
// raises "Bad pack: ..."; a cancelled token raises TErrorKind::Cancelled.
void EnumeratePlacements(const TPackVariant& Pack, const TProduct& Product,
                         const TOptimizationSettings& Settings, const TCancelToken& Token,
                         const TPlacementCallback& Callback);

}  // namespace quelmora
