#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quelmora {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.

// Decodes one code point at text[pos] and advances pos past it. Returns false
// (pos unchanged) when the bytes there are not a valid sequence.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& codePoint);

// Offset of the first byte that does not start a valid sequence, or npos.
size_t FindInvalidUtf8(std::string_view text);

// Appends the UTF-8 bytes of a Unicode scalar value (no surrogates).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace quelmora
