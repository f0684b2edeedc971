#include "calc/BoxStrength.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quelmora {

namespace {

// McKee, Gander and Wachuta, "Compression strength formula for corrugated
// boxes", Paperboard Packaging 48(8), 1963, simplified form:
//   BCT = 5.876 * ECT * sqrt(t * Z)
// with ECT the edge crush value, t the combined board thickness and Z the
// box perimeter 2 (L + W). The constant is dimensionless, so the formula
// holds in any consistent units: ECT in N/mm (= kN/m), t and Z in mm give N.
// Z is the inside perimeter, as the metric statement of the formula and the
// trade's box sizes take it.
constexpr double kMcKeeConstant = 5.876;

struct TTableRow {
  double X;
  double Factor;
};

// Compression loss multipliers of the corrugated industry, from the Fibre Box
// Association's Fibre Box Handbook (reproduced in box makers' "target
// compression" worksheets). Rows must be in increasing X.
constexpr TTableRow kHumidityRows[] = {{50, 1.00}, {60, 0.90}, {70, 0.80},
                                       {80, 0.68}, {90, 0.48}, {100, 0.15}};
// The handbook starts at 10 days; 0 days is the compression test itself.
constexpr TTableRow kTimeRows[] = {{0, 1.00}, {10, 0.63}, {30, 0.60}, {90, 0.55}, {180, 0.50}};
// Any overhang, "even as little as 1/2 inch", costs 20-40 %: the mild end at
// half an inch, the worst end from an inch on.
constexpr TTableRow kOverhangRows[] = {{0, 1.00}, {12.7, 0.80}, {25.4, 0.60}};
// Pallet pattern: columnar and aligned loses 0-8 %, interlocked 40-60 %. The
// column grid stacks every corner exactly on the one below, hence the best
// case; interlocked layers take the worst case, as this is a safety check.
constexpr double kColumnFactor = 1.00;
constexpr double kInterlockedFactor = 0.40;

// Linear between rows, the end rows' factor outside them (NaN gives the
// first row).
template <size_t N>
double Interpolate(const TTableRow (&rows)[N], double x) {
  if (!(x > rows[0].X)) return rows[0].Factor;
  for (size_t i = 1; i < N; ++i)
    if (x <= rows[i].X) {
      const TTableRow& a = rows[i - 1];
      const TTableRow& b = rows[i];
      return a.Factor + (b.Factor - a.Factor) * (x - a.X) / (b.X - a.X);
    }
  return rows[N - 1].Factor;
}

}  // namespace

double McKeeBoxCompressionN(double LengthMM, double WidthMM, double BoardThicknessMM,
                            double EdgeCrushKNPerM) {
  const double insideL = LengthMM - 2 * BoardThicknessMM;
  const double insideW = WidthMM - 2 * BoardThicknessMM;
  if (!(insideL > 0 && insideW > 0 && BoardThicknessMM > 0 && EdgeCrushKNPerM > 0)) return 0;
  const double perimeter = 2 * (insideL + insideW);
  return kMcKeeConstant * EdgeCrushKNPerM * std::sqrt(BoardThicknessMM * perimeter);
}

double HumidityFactor(double HumidityPercent) {
  return Interpolate(kHumidityRows, HumidityPercent);
}

double TimeUnderLoadFactor(double Days) {
  return Interpolate(kTimeRows, Days);
}

double StackingPatternFactor(TStackingPattern Pattern) {
  return Pattern == TStackingPattern::Interlocked ? kInterlockedFactor : kColumnFactor;
}

double OverhangFactor(double OverhangMM) {
  return Interpolate(kOverhangRows, OverhangMM);
}

double BottomBoxLoadN(const TStackLoad& Stack) {
  double kg = Stack.LayersAbove * Stack.GrossBoxWeightKG;
  if (Stack.PalletsAbove > 0 && Stack.BoxesPerLayer > 0)
    kg += Stack.PalletsAbove * (Stack.LoadedPalletKG / Stack.BoxesPerLayer);
  return kg * kStandardGravity;
}

double SafetyFactorReached(double ReducedN, double LoadN) {
  return LoadN > 0 ? ReducedN / LoadN : 0;
}

int32_t MostSafeLayers(double ReducedN, double GrossBoxWeightKG, double RequiredSafetyFactor,
                       double AddedLoadN) {
  constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
  if (!(ReducedN > 0 && GrossBoxWeightKG >= 0 && RequiredSafetyFactor > 0 && AddedLoadN >= 0))
    return 0;
  // The same load and factor a caller computes, so that the count agrees
  // with them to the last bit.
  auto safe = [&](int64_t layers) {
    const double load =
        BottomBoxLoadN({static_cast<int32_t>(layers - 1), GrossBoxWeightKG}) + AddedLoadN;
    return load <= 0 || SafetyFactorReached(ReducedN, load) >= RequiredSafetyFactor;
  };
  if (!safe(1)) return 0;
  const double boxN = GrossBoxWeightKG * kStandardGravity;
  if (boxN <= 0) return kMost;
  const double above = std::floor((ReducedN / RequiredSafetyFactor - AddedLoadN) / boxN);
  int64_t n = static_cast<int64_t>(std::clamp(above + 1, 1.0, static_cast<double>(kMost)));
  // The division above may land one off the comparison; step onto it.
  while (n > 1 && !safe(n))
    --n;
  while (n < kMost && safe(n + 1))
    ++n;
  return static_cast<int32_t>(n);
}

TBoxStrength EstimateBoxStrength(const TBoxStrengthInput& Input) {
  TBoxStrength s;
  s.McKeeN = McKeeBoxCompressionN(Input.LengthMM, Input.WidthMM, Input.BoardThicknessMM,
                                  Input.EdgeCrushKNPerM);
  const TStrengthConditions& c = Input.Conditions;
  s.HumidityFactor = HumidityFactor(c.HumidityPercent);
  s.TimeFactor = TimeUnderLoadFactor(c.DaysUnderLoad);
  s.PatternFactor = StackingPatternFactor(c.Pattern);
  s.OverhangFactor = OverhangFactor(c.OverhangMM);
  s.ReducedN = s.McKeeN * s.HumidityFactor * s.TimeFactor * s.PatternFactor * s.OverhangFactor;
  s.LoadN = Input.LoadN;
  s.SafetyFactor = SafetyFactorReached(s.ReducedN, s.LoadN);
  if (Input.GrossBoxWeightKG > 0)
    s.SafeLayers = MostSafeLayers(s.ReducedN, Input.GrossBoxWeightKG, Input.RequiredSafetyFactor);
  return s;
}

}  // namespace quelmora
