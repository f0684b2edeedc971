#include "FuzzTargets.h"
#include "Scratch.h"
#include "io/ProjectSerializer.h"
#include "model/Errors.h"

namespace quelmora::fuzz {

int FuzzProjectFile(const uint8_t* Data, size_t Size) {
  const std::string path = WriteScratchFile("project.json", Data, Size);
  TProjectData project;
  try {
    project = LoadProject(path);
  } catch (const Exception&) {
    return 0;
  }
  // Whatever loads must save again, and a saved project must read back as
  // it was written: numbers are rounded once, on the first save.
  const std::string copy = ScratchFolder() + "/copy.json";
  TProjectData first;
  TProjectData second;
  try {
    SaveProject(copy, project);
    first = LoadProject(copy);
    SaveProject(copy, first);
    second = LoadProject(copy);
  } catch (const Exception& e) {
    throw TPropertyViolation("a loaded project does not save and load again: " + e.Message());
  }
  if (!(first == second)) throw TPropertyViolation("a saved project changed when read back");
  if (first.Products.size() != project.Products.size())
    throw TPropertyViolation("products were lost in a round trip");
  for (size_t i = 0; i < project.Products.size(); ++i)
    if (first.Products[i].Name != project.Products[i].Name)
      throw TPropertyViolation("a product name changed in a round trip");
  return 0;
}

}  // namespace quelmora::fuzz
