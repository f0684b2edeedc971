#include "TerminalText.h"

#include "model/TextFormat.h"
#include "model/Utf8.h"

namespace quelmora {

std::string TerminalSafe(std::string_view Text) {
  std::string out;
  out.reserve(Text.size());
  size_t pos = 0;
  while (pos < Text.size()) {
    const size_t start = pos;
    char32_t cp = 0;
    if (!DecodeUtf8(Text, pos, cp)) {
      out += Format("\\x%02x", static_cast<unsigned char>(Text[pos]));
      ++pos;
    } else if (cp < 0x20 || cp == 0x7F) {
      out += Format("\\x%02x", static_cast<unsigned>(cp));
    } else if (cp >= 0x80 && cp <= 0x9F) {
      out += Format("\\u%04x", static_cast<unsigned>(cp));
    } else {
      out.append(Text.substr(start, pos - start));
    }
  }
  return out;
}

}  // namespace quelmora
