#pragma once

#include <cstdint>

namespace quelmora {

// Which pack dimension lies along the box's X (length), Y (width) and Z
// (height) axis, in that order.
enum TPackOrientation : int32_t { poLBH = 0, poLHB, poBLH, poBHL, poHLB, poHBL };
inline constexpr int PackOrientationCount = 6;

// A candidate consumer pack.
struct TPackVariant {
  int32_t ProductId = 0;
  double LengthMM = 0;
  double WidthMM = 0;
  double HeightMM = 0;
  double VolumeM3 = 0;
  double VolumeDM3 = 0;
  double VolumeDeviationPercent = 0;  // against the sample pack
  double SurfaceAreaM2 = 0;           // flat blank of the pack material
  double Cost = 0;                    // material cost of one pack
  double RatioLB = 0;
  double RatioHB = 0;
  double GeometryPenalty = 0;   // distance from the target ratios
  double DimensionPenalty = 0;  // mean relative change against the sample
  double Score = 0;             // lower is better

  bool operator==(const TPackVariant&) const = default;
};

// How packs fill a box. All zero: the arrangement is not recorded.
struct TPackPlacement {
  TPackOrientation Orientation = poLBH;
  int32_t CountX = 0;  // along the box length
  int32_t CountY = 0;  // along the box width
  int32_t CountZ = 0;  // layers
  int32_t TotalCount = 0;
  double PackDimX = 0;  // pack size along the box length, mm
  double PackDimY = 0;
  double PackDimZ = 0;

  bool operator==(const TPackPlacement&) const = default;
};

}  // namespace quelmora
