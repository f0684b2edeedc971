#pragma once

#include <string>
#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// Equal exactly when the outer sizes agree to seven decimals of a millimetre.
std::string BoxKey(const TBoxVariant& Box);

// Equal within max(min(|a|, |b|) x 1e-12, 1e-12).
bool EqualWithinTolerance(double a, double b);

// Lower criterion value first, then lower packaging cost per m3, each
// compared within tolerance. Returns <0, 0 or >0.
int CompareSolutions(const TOptimizationSolution& X, const TOptimizationSolution& Y);

// In CompareSolutions' order, stable, so that solutions equal in order keep
// their relative order; defined also where the tolerance is not transitive.
void SortSolutions(std::vector<TOptimizationSolution>& Solutions);

}  // namespace quelmora
