#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quelmora {

// The batch tool's layer calculator: `--layer LxW lxw [--overhang MM]
// [--json FILE]` prints the best layer of lxw boxes on an LxW pallet and
// writes its boxes as JSON. Returns the exit status; bad input is 1 with the
// error as the last line on Err.
int RunLayerCalculator(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);

}  // namespace quelmora
