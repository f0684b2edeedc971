#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace quelmora {

// Waits up to Milliseconds for an interrupt (Ctrl-C); true when one came.
using TInterruptWait = std::function<bool(int Milliseconds)>;

// Signals as the tool wants them: file size limits and closed pipes make
// writes fail rather than kill it; TERM, HUP and INT remove unfinished
// temporaries. For main, before anything else.
void SetUpBatchSignals();

// The whole batch tool: Args are the command-line arguments without the
// program name. Returns the exit status: 0 success, 1 failure (the last line
// written to Err is the error text), 2 usage error.
int RunBatch(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err,
             const TInterruptWait& WaitForInterrupt);

}  // namespace quelmora
