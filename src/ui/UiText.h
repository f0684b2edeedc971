#pragma once

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

#include "l10n/LocalFormat.h"
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

// Numbers on screen: the user's decimal separator.
inline TNumberFormat UserNumbers() {
  const QString point = QLocale().decimalPoint();
  return TNumberFormat{point.isEmpty() ? std::string(".") : point.toStdString()};
}

}  // namespace quelmora
