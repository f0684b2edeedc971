#pragma once

#include <string>
#include <utility>
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

// Products with the small settings: a project that saves, loads and runs in milliseconds.
inline TProjectData SmallProject(std::vector<TProduct> products = SmallAssortment()) {
  TProjectData project;
  project.Settings = SmallSettings();
  project.Products = std::move(products);
  return project;
}

// One default product named "Чай" with the default settings.
inline TProjectData TeaProject() {
  TProjectData project;
  project.Settings = DefaultSettings();
  project.Products = {DefaultProduct(1)};
  project.Products[0].Name = "Чай";
  return project;
}

// A valid product that fits no box: one pack outweighs the heaviest box allowed.
inline TProduct UnpackableProduct(int32_t id, const std::string& name) {
  TProduct p = ScaledProduct(id, 1.0, name);
  p.ProductWeightG = 1000000;
  p.MaxBoxWeightKG = 1;
  return p;
}

}  // namespace quelmora::test
