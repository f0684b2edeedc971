// Runs a project through the straightforward engine kept for the tests (or,
// with --fast, through the program's engine) and writes every field of the
// result with its exact bits, so that two runs can be compared with cmp.
// The straightforward engine is slow and memory-hungry by design.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "engine/reference/Optimizer.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"

namespace {

using namespace quelmora;

class Dump {
 public:
  explicit Dump(std::ostream& out) : out_(out) {}
  void Value(const char* name, double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", v);
    out_ << name << '=' << text << '\n';
  }
  void Value(const char* name, int64_t v) { out_ << name << '=' << v << '\n'; }

  void Pack(const TPackVariant& p) {
    Value("ProductId", int64_t{p.ProductId});
    for (double v : {p.LengthMM, p.WidthMM, p.HeightMM, p.VolumeM3, p.VolumeDM3,
                     p.VolumeDeviationPercent, p.SurfaceAreaM2, p.Cost, p.RatioLB, p.RatioHB,
                     p.GeometryPenalty, p.DimensionPenalty, p.Score})
      Value("pack", v);
  }
  void Box(const TBoxVariant& b) {
    for (double v : {b.LengthMM,
                     b.WidthMM,
                     b.HeightMM,
                     b.InnerLengthMM,
                     b.InnerWidthMM,
                     b.InnerHeightMM,
                     b.GrossWeightKG,
                     b.BlankAreaM2,
                     b.BoxCost,
                     b.BoxVolumeM3,
                     b.PalletUtilization,
                     b.PackagingCostPerM3,
                     b.AveragePackagingCostPerM3,
                     b.PackagingCostPerUnit,
                     b.FillRatio,
                     b.Score,
                     b.PackPlacement.PackDimX,
                     b.PackPlacement.PackDimY,
                     b.PackPlacement.PackDimZ,
                     b.Pallet.Utilization})
      Value("box", v);
    for (int64_t v :
         {int64_t{b.PackCount}, int64_t{b.PalletCount}, int64_t{b.PackPlacement.Orientation},
          int64_t{b.PackPlacement.CountX}, int64_t{b.PackPlacement.CountY},
          int64_t{b.PackPlacement.CountZ}, int64_t{b.PackPlacement.TotalCount},
          int64_t{b.Pallet.BoxesPerLayer}, int64_t{b.Pallet.LayerCount},
          int64_t{b.Pallet.BoxesPerPallet}, int64_t{b.Pallet.Rotated}})
      Value("box", v);
  }
  void Result(const TOptimizationResult& r) {
    Value("Cancelled", int64_t{r.Cancelled});
    Value("AverageCostPerM3", r.AverageCostPerM3);
    Value("OriginalAverageCostPerM3", r.OriginalAverageCostPerM3);
    for (const TOptimizationSolution& s : r.Solutions) {
      Value("Solution", int64_t{s.ProductId});
      Pack(s.Pack);
      Box(s.Box);
      Pack(s.OriginalPack);
      Box(s.OriginalBox);
      Value("SavingPercent", s.SavingPercent);
      Value("UnifiedGroupId", int64_t{s.UnifiedGroupId});
      Value("UnifiedProductCount", int64_t{s.UnifiedProductCount});
    }
    // The last log line holds the run's own duration.
    for (size_t i = 0; i + 1 < r.Log.size(); ++i)
      out_ << "log=" << r.Log[i] << '\n';
  }

 private:
  std::ostream& out_;
};

}  // namespace

int main(int argc, char** argv) {
  const bool fast = argc == 4 && std::strcmp(argv[1], "--fast") == 0;
  if (argc != 3 && !fast) {
    std::cerr << "usage: quelmora-reference [--fast] PROJECT.vld DUMP.txt\n";
    return 2;
  }
  const char* projectFile = argv[argc - 2];
  const char* dumpFile = argv[argc - 1];
  try {
    const TProjectData project = LoadProject(projectFile);
    const auto criterion = CreateCriterion(project.OptimizationCriterion);
    TCancelToken token;
    const TOptimizationResult result =
        fast ? TOptimizer().Execute(project.Products, project.Settings, *criterion, token)
             : reference::TOptimizer().Execute(project.Products, project.Settings, *criterion,
                                               token);
    std::ofstream out(dumpFile);
    Dump(out).Result(result);
  } catch (const Exception& e) {
    std::cerr << ErrorText(e) << '\n';
    return 1;
  }
  return 0;
}
