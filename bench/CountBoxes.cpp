// Prints how many boxes a run weighs: every grid of every pack variant of
// every enabled product, the boxes a search without shortcuts would build.
#include <cstdint>
#include <iostream>

#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "engine/VolumeMismatch.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"

int main(int argc, char** argv) {
  using namespace quelmora;
  if (argc != 2) {
    std::cerr << "usage: quelmora-countboxes PROJECT.vld | --sample\n";
    return 2;
  }
  try {
    const std::string source = argv[1];
    const TProjectData project = source == "--sample" ? LoadLumarProject() : LoadProject(source);
    const TOptimizationSettings& s = project.Settings;
    TCancelToken token;
    int64_t boxes = 0;
    for (TProduct p : project.Products) {
      if (!p.Enabled) continue;
      if (s.VolumeMismatchMode == UseSampleVolume && SampleVolumeOutsideRange(p))
        p.MinVolumeM3 = p.MaxVolumeM3 = SampleVolumeM3(p);
      for (const TPackVariant& pack : GeneratePackVariants(p, s, token))
        EnumeratePlacements(pack, p, s, token, [&](const TPackPlacement&) { ++boxes; });
    }
    std::cout << boxes << '\n';
  } catch (const Exception& e) {
    std::cerr << e.Message() << '\n';
    return 1;
  }
  return 0;
}
