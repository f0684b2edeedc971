#pragma once

#include <cstdint>

namespace quelmora {

// Standard gravity, m/s2: turns kilograms resting on a box into newtons.
inline constexpr double kStandardGravity = 9.80665;

// How boxes stand on one another on the pallet.
enum class TStackingPattern : int32_t {
  Column,       // every layer the same grid, corners over corners
  Interlocked,  // boxes turned against those below (the best-layer method may do this)
};

// Storage and stacking conditions. The defaults are those of the compression
// test itself, under which every factor is 1.
struct TStrengthConditions {
  double HumidityPercent = 50;  // relative humidity while under load
  double DaysUnderLoad = 0;
  TStackingPattern Pattern = TStackingPattern::Column;
  double OverhangMM = 0;  // how far the boxes stand out over the pallet edge

  bool operator==(const TStrengthConditions&) const = default;
};

// A box, its board and what rests on it.
struct TBoxStrengthInput {
  double LengthMM = 0;  // outer
  double WidthMM = 0;
  double BoardThicknessMM = 0;
  double EdgeCrushKNPerM = 0;  // the board's edge crush value (ECT)
  TStrengthConditions Conditions;
  double LoadN = 0;                 // on the box; 0 when not known
  double GrossBoxWeightKG = 0;      // for SafeLayers; 0 leaves it 0
  double RequiredSafetyFactor = 1;  // for SafeLayers

  bool operator==(const TBoxStrengthInput&) const = default;
};

struct TBoxStrength {
  double McKeeN = 0;  // the estimate under test conditions
  double HumidityFactor = 1;
  double TimeFactor = 1;
  double PatternFactor = 1;
  double OverhangFactor = 1;
  double ReducedN = 0;      // McKeeN times every factor
  double LoadN = 0;         // the load it was checked against
  double SafetyFactor = 0;  // ReducedN / LoadN; 0 without a load
  int32_t SafeLayers = 0;   // most layers of such boxes the bottom one carries safely

  bool operator==(const TBoxStrength&) const = default;
};

// McKee's simplified estimate of the top-to-bottom compression strength of a
// regular slotted box, in N, from the outer length and width (mm), the
// combined board thickness (mm) and the edge crush value (kN/m = N/mm). 0 for
// sizes that leave no inside.
double McKeeBoxCompressionN(double LengthMM, double WidthMM, double BoardThicknessMM,
                            double EdgeCrushKNPerM);

// Strength kept after storage, as fractions of the tested strength: 1 at the
// test conditions, never rising as conditions worsen, clamped beyond the
// published tables.
double HumidityFactor(double HumidityPercent);
double TimeUnderLoadFactor(double Days);
double StackingPatternFactor(TStackingPattern Pattern);
double OverhangFactor(double OverhangMM);

// The force on the bottom box of a column: the boxes above it in its own
// pallet's column, plus the loaded pallets stacked on that pallet. A pallet's
// weight rests on the whole bottom layer below it, so each of those boxes
// takes its share: pallet weight / boxes per layer.
struct TStackLoad {
  int32_t LayersAbove = 0;  // on the bottom box's own pallet
  double GrossBoxWeightKG = 0;
  int32_t PalletsAbove = 0;   // loaded pallets stacked on top
  double LoadedPalletKG = 0;  // each, boxes and pallet board together
  int32_t BoxesPerLayer = 0;  // of the bottom pallet
};
double BottomBoxLoadN(const TStackLoad& Stack);

// ReducedN / LoadN, 0 where there is no load.
double SafetyFactorReached(double ReducedN, double LoadN);

// The most layers (the bottom box counted) whose bottom box still reaches
// RequiredSafetyFactor under the layers above it plus AddedLoadN; 0 when the
// bottom box alone fails, the int32 maximum when no count fails. 0 for input
// that is not positive where it must be.
int32_t MostSafeLayers(double ReducedN, double GrossBoxWeightKG, double RequiredSafetyFactor,
                       double AddedLoadN = 0);

// Everything at once. Never throws on finite input; a box with no inside
// gets zero strength.
TBoxStrength EstimateBoxStrength(const TBoxStrengthInput& Input);

}  // namespace quelmora
