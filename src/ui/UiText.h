#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "l10n/Localization.h"

namespace quelmora {

// The core's UTF-8 text as Qt text.
inline QString Utf8(std::string_view Text) {
  return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

// A source text in the current language, as Qt text.
inline QString Translated(std::string_view Text) {
  return Utf8(Tr(Text));
}

}  // namespace quelmora
