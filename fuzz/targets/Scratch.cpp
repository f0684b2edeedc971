#include "Scratch.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quelmora::fuzz {

namespace {

namespace fs = std::filesystem;

struct TScratch {
  std::string Folder;
  TScratch() {
    // Memory-backed when the system has it: a fuzzer writes millions of files.
    std::string base =
        fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
    std::string pattern = base + "/quelmora-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    Folder = pattern;
  }
  ~TScratch() {
    std::error_code ec;
    fs::remove_all(Folder, ec);
  }
};

}  // namespace

const std::string& ScratchFolder() {
  static const TScratch scratch;
  return scratch.Folder;
}

std::string WriteScratchFile(const std::string& Name, const uint8_t* Data, size_t Size) {
  const std::string path = ScratchFolder() + "/" + Name;
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace quelmora::fuzz
