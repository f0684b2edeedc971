// The libFuzzer entry of one target; QUELMORA_FUZZ_TARGET names its function.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  return quelmora::fuzz::QUELMORA_FUZZ_TARGET(Data, Size);
}
