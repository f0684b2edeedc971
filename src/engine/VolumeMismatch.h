#pragma once

#include <functional>
#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// L x B x H of the sample pack, in m3.
double SampleVolumeM3(const TProduct& Product);

// The sample volume lies outside [MinVolumeM3, MaxVolumeM3] by more than
// kVolumeToleranceM3.
bool SampleVolumeOutsideRange(const TProduct& Product);

enum class TMismatchAnswer { UseSample, UseRange, Cancel };

using TMismatchQuestion =
    std::function<TMismatchAnswer(const TProduct& Product, double SampleVolumeM3)>;

// Settles the Ask mode before a run: asks about every enabled product whose
// sample volume lies outside its range, in list order; UseSample narrows the
// range to the sample volume. Afterwards the mode is UseSpecifiedVolume.
// Returns false, leaving the rest unasked, when an answer is Cancel. Other
// modes are left alone.
bool ResolveVolumeMismatch(std::vector<TProduct>& Products, TOptimizationSettings& Settings,
                           const TMismatchQuestion& AskUser);

}  // namespace quelmora
