#include "calc/PackPlacementCalculator.h"

#include <algorithm>
#include <cmath>

#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/FloatChecks.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

// min(limit, Floor(room / size)) without leaving the 32-bit range. A negative
// count admits nothing, just as 0 does.
int32_t CountWithin(int32_t limit, double room, double size) {
  const double count = std::min<double>(limit, std::floor(FDiv(room, size)));
  return count < 0 ? 0 : static_cast<int32_t>(count);
}

}  // namespace

TPackPlacement OrientPack(const TPackVariant& Pack, TPackOrientation Orientation) {
  const double L = Pack.LengthMM;
  const double B = Pack.WidthMM;
  const double H = Pack.HeightMM;
  TPackPlacement p;
  p.Orientation = Orientation;
  switch (Orientation) {
    case poLBH:
      p.PackDimX = L, p.PackDimY = B, p.PackDimZ = H;
      break;
    case poLHB:
      p.PackDimX = L, p.PackDimY = H, p.PackDimZ = B;
      break;
    case poBLH:
      p.PackDimX = B, p.PackDimY = L, p.PackDimZ = H;
      break;
    case poBHL:
      p.PackDimX = B, p.PackDimY = H, p.PackDimZ = L;
      break;
    case poHLB:
      p.PackDimX = H, p.PackDimY = L, p.PackDimZ = B;
      break;
    case poHBL:
      p.PackDimX = H, p.PackDimY = B, p.PackDimZ = L;
      break;
  }
  return p;
}

void EnumeratePlacements(const TPackVariant& Pack, const TProduct& Product,
                         const TOptimizationSettings& Settings, const TCancelToken& Token,
                         const TPlacementCallback& Callback) {
  // A pack with a non-positive (or NaN) size fails at the first orientation
  // that puts such a size along X; checked before any division by the size.
  for (int o = 0; o < PackOrientationCount; ++o) {
    if (!(OrientPack(Pack, static_cast<TPackOrientation>(o)).PackDimX > 0))
      throw Exception(TErrorKind::Internal, SBadPack,
                      {Pack.LengthMM, Pack.WidthMM, Pack.HeightMM, o});
  }

  const double w =
      (Product.ProductWeightG + Pack.SurfaceAreaM2 * Settings.PackMaterialGramsPerM2) / 1000;
  int32_t maxPacks = Settings.MaxPacksPerBox;
  if (w > 0) maxPacks = CountWithin(Settings.MaxPacksPerBox, Product.MaxBoxWeightKG, w);
  const double palletSide = std::max(Settings.PalletLengthMM, Settings.PalletWidthMM);
  const double T = Settings.BoardThicknessMM;
  const double heightRoom = std::min(Settings.MaxBoxHeightMM, Settings.MaxPalletHeightMM) - 2 * T;

  for (int o = 0; o < PackOrientationCount; ++o) {
    Token.Check();
    TPackPlacement P = OrientPack(Pack, static_cast<TPackOrientation>(o));
    int32_t maxX = std::min(Settings.MaxCountPerAxis, maxPacks);
    int32_t maxY = maxX;
    if (!Settings.AllowOversizeBoxes) {
      maxX = CountWithin(maxX, palletSide - Settings.LengthGapMM - 2 * T, P.PackDimX);
      maxY = CountWithin(maxY, palletSide - Settings.WidthGapMM - 2 * T, P.PackDimY);
    }
    const int32_t maxZ = CountWithin(Settings.MaxCountPerAxis, heightRoom, P.PackDimZ);
    for (int32_t x = 1; x <= maxX; ++x) {
      Token.Check();
      const int32_t yLimit = std::min(maxY, maxPacks / x);
      for (int32_t y = 1; y <= yLimit; ++y) {
        const int32_t zLimit = std::min(maxZ, maxPacks / (x * y));
        for (int32_t z = 1; z <= zLimit; ++z) {
          P.CountX = x;
          P.CountY = y;
          P.CountZ = z;
          P.TotalCount = x * y * z;
          Callback(P);
        }
      }
    }
  }
}

}  // namespace quelmora
