#pragma once

#include <string>
#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// Equal exactly when the outer sizes agree to seven decimals of a millimetre.
std::string BoxKey(const TBoxVariant& Box);

// Scores and costs this close (relative, or absolute near zero) count as a
// tie: candidates computed along different paths differ by a few ulps, far
// below a difference a user could act on, and ties fall to the next key.
inline constexpr double kScoreTolerance = 1e-12;

// Equal within max(min(|a|, |b|) x kScoreTolerance, kScoreTolerance).
bool EqualWithinTolerance(double a, double b);

// Lower criterion value first, then lower packaging cost per m3, each
// compared within tolerance. Returns <0, 0 or >0.
int CompareSolutions(const TOptimizationSolution& X, const TOptimizationSolution& Y);

// In CompareSolutions' order, stable, so that solutions equal in order keep
// their relative order; defined also where the tolerance is not transitive.
void SortSolutions(std::vector<TOptimizationSolution>& Solutions);

}  // namespace quelmora
