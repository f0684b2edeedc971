// Writes a project of N products varied from the twelve sample products, for
// whole-run timings. Deterministic for a given seed on every machine: the
// variation is computed from the raw 64-bit engine output, not from a
// library distribution.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"
#include "model/OptimizationModel.h"

namespace {

// A factor in [1 - spread, 1 + spread].
double Factor(std::mt19937_64& engine, double spread) {
  const double unit = static_cast<double>(engine() >> 11) * 0x1.0p-53;
  return 1 - spread + 2 * spread * unit;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quelmora;
  if (argc < 4) {
    std::cerr << "usage: quelmora-genproject COUNT SEED OUTPUT.vld [--sample-settings]\n"
                 "  COUNT products varied from the sample products; default settings unless\n"
                 "  --sample-settings keeps the sample project's settings.\n";
    return 2;
  }
  const long count = std::strtol(argv[1], nullptr, 10);
  const unsigned long long seed = std::strtoull(argv[2], nullptr, 10);
  const bool sampleSettings = argc > 4 && std::string(argv[4]) == "--sample-settings";
  if (count < 1 || count > 1000000) {
    std::cerr << "COUNT must lie between 1 and 1000000\n";
    return 2;
  }

  const TProjectData sample = LoadLumarProject();
  TProjectData project;
  project.Settings = sampleSettings ? sample.Settings : DefaultSettings();
  project.OptimizationCriterion = sample.OptimizationCriterion;
  std::mt19937_64 engine(seed);
  for (long i = 0; i < count; ++i) {
    const size_t base = static_cast<size_t>(i) % sample.Products.size();
    TProduct p = sample.Products[base];
    p.Id = static_cast<int32_t>(i + 1);
    // Beyond the sample itself boxes may weigh 30 kg. With the sample's 5 kg
    // the cheapest grids weigh just under the limit and fit no larger box, so
    // three shared sizes could not serve a large, varied assortment at all.
    if (count > static_cast<long>(sample.Products.size())) p.MaxBoxWeightKG = 30;
    if (i >= static_cast<long>(sample.Products.size())) {
      p.Name += " #" + std::to_string(i + 1);
      const double l = Factor(engine, 0.03), b = Factor(engine, 0.03), h = Factor(engine, 0.03);
      p.OriginalLengthMM = std::round(p.OriginalLengthMM * l * 10) / 10;
      p.OriginalWidthMM = std::round(p.OriginalWidthMM * b * 10) / 10;
      p.OriginalHeightMM = std::round(p.OriginalHeightMM * h * 10) / 10;
      const double volume = p.OriginalLengthMM * p.OriginalWidthMM * p.OriginalHeightMM / 1e9;
      p.MinVolumeM3 = volume * Factor(engine, 0.05) * 0.9;
      p.MaxVolumeM3 = volume * Factor(engine, 0.05) * 1.15;
      p.ProductWeightG = std::round(p.ProductWeightG * l * b * h);
      p.RatioLB = std::round(p.RatioLB * Factor(engine, 0.1) * 100) / 100;
      p.RatioHB = std::round(p.RatioHB * Factor(engine, 0.1) * 100) / 100;
    }
    project.Products.push_back(p);
  }
  try {
    SaveProject(argv[3], project);
  } catch (const Exception& e) {
    std::cerr << e.Message() << '\n';
    return 1;
  }
  return 0;
}
