#pragma once

#include <cstdint>
#include <vector>

#include "model/OptimizationModel.h"
#include "model/PackModel.h"
#include "model/ProductModel.h"

namespace quelmora {

// The best-scoring consumer packs of a product, best first, at most
// MaxPackVariantsPerProduct of them, found within MaxGeometryEvaluations
// evaluations: the sample pack, a coarse grid over length and width, then a
// fine search around the best coarse results. Heights follow from the volume
// range and snap to the height grid. Raises TErrorKind::Cancelled when the
// token is cancelled; the counters are then not written.
std::vector<TPackVariant> GeneratePackVariants(const TProduct& Product,
                                               const TOptimizationSettings& Settings,
                                               const TCancelToken& Token, int32_t& Evaluations,
                                               int32_t& Rejected);

std::vector<TPackVariant> GeneratePackVariants(const TProduct& Product,
                                               const TOptimizationSettings& Settings,
                                               const TCancelToken& Token);

// The generator's kept list: Kept is sorted by Score ascending and holds at
// most MaxCount entries. V goes after every entry of equal score (earlier
// candidates win ties); returns false, leaving Kept unchanged, when the list
// is full and V scores no better than its last entry.
bool InsertKeptVariant(std::vector<TPackVariant>& Kept, const TPackVariant& V, size_t MaxCount);

}  // namespace quelmora
