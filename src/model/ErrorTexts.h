#pragma once

#include <array>

namespace quelmora {

// Catalogue texts of failures that only the program's own layers raise, and
// of the detail line that says what was found. Russian like every catalogue
// text; the language files translate them where they are shown.

// Every entry above, so that none can miss its translations.
inline constexpr std::array<const char*, 0> ErrorCatalogueTexts = {};

}  // namespace quelmora
