#pragma once

#include <string>
#include <string_view>

namespace quelmora {

// Text as a terminal may be given it: control characters (C0, DEL, C1, ESC
// among them) and bytes that are not UTF-8 become visible escapes, \x1b for
// a byte and \u009b for a C1 code point, so a product name cannot move the
// cursor, retitle the window or hide a line. Everything else is kept.
std::string TerminalSafe(std::string_view Text);

}  // namespace quelmora
