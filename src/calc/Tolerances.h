#pragma once

namespace quelmora {

// Lengths that meet to within this count as meeting: sums of pack sizes and
// clearances (3 x 33.3 mm) land a few ulps off the size they should equal,
// and a millionth of a micrometre is far below anything a box maker measures.
inline constexpr double kLengthToleranceMM = 1e-8;

// The same for a height counted in whole steps of the pack size grid, so that
// a height on a step rounds onto that step and not onto its neighbour.
inline constexpr double kStepCountTolerance = 1e-8;

// A box's gross weight may exceed the product's limit by this much: the
// weight sums pack, material and board grams in floating point, and a limit
// met exactly on paper must not fail by a rounding (1e-8 kg is 10 µg).
inline constexpr double kWeightToleranceKG = 1e-8;

// Volumes (m3) that meet to within this count as meeting: a pack's volume is
// a product of three lengths in mm scaled by 1e-9, so its rounding lies near
// 1e-19 m3, and 1e-12 m3 (a cubic millimetre's thousandth) is still far below
// any volume a user enters.
inline constexpr double kVolumeToleranceM3 = 1e-12;

}  // namespace quelmora
