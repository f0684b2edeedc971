#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quelmora::fuzz {

// A private folder of this process for the files an input is written to, so
// the readers see it through their real file path. Made on first use and
// removed at exit.
const std::string& ScratchFolder();

// Writes the input as the file Name in the scratch folder; returns its path.
std::string WriteScratchFile(const std::string& Name, const uint8_t* Data, size_t Size);

}  // namespace quelmora::fuzz
