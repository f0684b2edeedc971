#include "io/ExampleFiles.h"

#include <filesystem>
#include <system_error>

namespace quelmora {

std::string InstalledExampleCsv() {
  namespace fs = std::filesystem;
  const fs::path fromProgram = fs::path(QUELMORA_EXAMPLES_FROM_BINDIR) / "products.csv";
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fromProgram.string();
  return (program.parent_path() / fromProgram).lexically_normal().string();
}

}  // namespace quelmora
