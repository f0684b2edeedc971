#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace quelmora::fuzz {

// Each target feeds one input to a reader the way a user's file reaches it.
// Clean refusals (the program's own exceptions) are fine; anything else that
// escapes, a sanitizer report, or a broken property is a finding. A broken
// property raises TPropertyViolation, which no caller catches.
struct TPropertyViolation : std::logic_error {
  using std::logic_error::logic_error;
};

int FuzzProjectFile(const uint8_t* Data, size_t Size);
int FuzzCsvImport(const uint8_t* Data, size_t Size);
int FuzzLanguageFile(const uint8_t* Data, size_t Size);
int FuzzNumberText(const uint8_t* Data, size_t Size);

}  // namespace quelmora::fuzz
