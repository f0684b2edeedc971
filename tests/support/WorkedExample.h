#pragma once

#include "calc/PackGeometry.h"
#include "model/OptimizationModel.h"
#include "model/ProductModel.h"

namespace quelmora::test {

// The pack 100 x 50 x 150 mm and box 311 x 211 x 306 mm used as the reference
// case throughout the calculator tests.
inline TProduct WorkedProduct() {
  TProduct p = DefaultProduct(1);
  p.Name = "Worked";
  p.MinVolumeM3 = 0.0007;
  p.MaxVolumeM3 = 0.0008;
  p.RatioLB = 2;
  p.RatioHB = 3;
  p.OriginalLengthMM = 100;
  p.OriginalWidthMM = 50;
  p.OriginalHeightMM = 150;
  p.ProductWeightG = 500;
  p.MaxBoxWeightKG = 15;
  return p;
}

inline TOptimizationSettings WorkedSettings() {
  TOptimizationSettings s = DefaultSettings();
  s.FlapMM = 10;
  s.PackMaterialPricePerM2 = 1.2;
  s.LengthGapMM = 5;
  s.WidthGapMM = 5;
  s.BoardThicknessMM = 3;
  s.BoxGlueFlapMM = 30;
  s.CardboardPricePerM2 = 0.6;
  s.CardboardGramsPerM2 = 500;
  s.PackMaterialGramsPerM2 = 80;
  s.PalletLengthMM = 1200;
  s.PalletWidthMM = 800;
  s.MaxPalletHeightMM = 1600;
  return s;
}

inline TPackVariant WorkedPack() {
  return MakePackVariant(WorkedProduct(), 100, 50, 150, WorkedSettings());
}

}  // namespace quelmora::test
