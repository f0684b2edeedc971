// Runs a project through the straightforward engine kept for the tests and
// writes its result file, to compare a large run of the fast engine with it
// byte for byte. Slow and memory-hungry by design.
#include <iostream>

#include "engine/OptimizationCriteria.h"
#include "engine/reference/Optimizer.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"

int main(int argc, char** argv) {
  using namespace quelmora;
  if (argc != 3) {
    std::cerr << "usage: quelmora-reference PROJECT.vld RESULT.json\n";
    return 2;
  }
  try {
    const TProjectData project = LoadProject(argv[1]);
    TCancelToken token;
    const TOptimizationResult result =
        reference::TOptimizer().Execute(project.Products, project.Settings,
                                        *CreateCriterion(project.OptimizationCriterion), token);
    SaveResultJson(argv[2], result);
  } catch (const Exception& e) {
    std::cerr << ErrorText(e) << '\n';
    return 1;
  }
  return 0;
}
