#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"

namespace quelmora::testing {

// What one in-process run of the batch tool printed and returned.
struct Outcome {
  int status;
  std::string out;
  std::string err;

  std::string LastErrLine() const {
    std::string text = err;
    while (!text.empty() && text.back() == '\n')
      text.pop_back();
    const size_t cut = text.rfind('\n');
    return cut == std::string::npos ? text : text.substr(cut + 1);
  }
};

// Interrupt says whether Ctrl-C is pressed at every check.
inline Outcome RunTool(const std::vector<std::string>& Args, bool Interrupt = false) {
  std::ostringstream out, err;
  const int status = RunBatch(Args, out, err, [Interrupt](int) { return Interrupt; });
  return {status, out.str(), err.str()};
}

}  // namespace quelmora::testing
