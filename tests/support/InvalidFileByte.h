#pragma once

#include <string>

#include "model/AppStrings.h"
#include "model/TextFormat.h"

namespace quelmora::test {

// The byte an "invalid file ... at byte N" message names for Path, or -1 for
// any other message.
inline long long InvalidFileByte(const std::string& Message, const std::string& Path) {
  const std::string zero = Format(SInvalidFileAtByte, Path.c_str(), 0LL);
  const size_t cut = zero.rfind('0');
  if (Message.compare(0, cut, zero, 0, cut) != 0) return -1;
  size_t digits = cut;
  while (digits < Message.size() && Message[digits] >= '0' && Message[digits] <= '9')
    ++digits;
  if (digits == cut || Message.substr(digits) != zero.substr(cut + 1)) return -1;
  return std::stoll(Message.substr(cut, digits - cut));
}

}  // namespace quelmora::test
