#pragma once

#include <string>
#include <vector>

#include "model/OptimizationModel.h"
#include "model/ProductModel.h"

namespace quelmora::test {

// Settings with small search limits, so that whole runs take milliseconds.
inline TOptimizationSettings SmallSettings() {
  TOptimizationSettings s = DefaultSettings();
  s.MaxGeometryEvaluations = 400;
  s.MaxPackVariantsPerProduct = 8;
  s.MaxResultsPerProduct = 4;
  s.MaxPacksPerBox = 36;
  s.MaxCountPerAxis = 6;
  return s;
}

// A product whose sample pack is scaled from 100 x 50 x 200 mm.
inline TProduct ScaledProduct(int32_t id, double scale, const std::string& name = "") {
  TProduct p = DefaultProduct(id);
  if (!name.empty()) p.Name = name;
  p.OriginalLengthMM *= scale;
  p.OriginalWidthMM *= scale;
  p.OriginalHeightMM *= scale;
  const double volume = p.OriginalLengthMM * p.OriginalWidthMM * p.OriginalHeightMM / 1e9;
  p.MinVolumeM3 = volume * 0.95;
  p.MaxVolumeM3 = volume * 1.05;
  p.ProductWeightG = 500 * scale * scale * scale;
  return p;
}

inline std::vector<TProduct> SmallAssortment() {
  return {ScaledProduct(1, 1.0, "Чай"), ScaledProduct(2, 0.8, "Кофе"),
          ScaledProduct(3, 1.2, "Сахар"), ScaledProduct(4, 0.9, "Соль")};
}

}  // namespace quelmora::test
