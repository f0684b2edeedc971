#pragma once

namespace quelmora {

// Whether a code point belongs to a word (digits, Latin, Greek, Cyrillic):
// a unit or plural word is only swapped where no such letter follows it.
inline bool IsWordCodePoint(char32_t cp) {
  if (cp < 0x80)
    return (cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z');
  if (cp == 0xD7 || cp == 0xF7) return false;  // × and ÷
  return (cp >= 0xC0 && cp <= 0x24F) || (cp >= 0x370 && cp <= 0x52F);
}

}  // namespace quelmora
