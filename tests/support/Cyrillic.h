#pragma once

#include <string_view>

#include "model/Utf8.h"

namespace quelmora::test {

// Whether Text holds a Russian letter (U+0400..U+04FF): the mark of a text
// left untranslated in an English or German window, report or message.
inline bool HasCyrillic(std::string_view Text) {
  size_t pos = 0;
  char32_t codePoint = 0;
  while (pos < Text.size())
    if (DecodeUtf8(Text, pos, codePoint) && codePoint >= 0x400 && codePoint <= 0x4FF) return true;
  return false;
}

}  // namespace quelmora::test
