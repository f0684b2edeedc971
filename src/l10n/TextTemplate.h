#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "l10n/LocalFormat.h"
#include "model/TextFormat.h"

namespace quelmora {

// Translates Template (a catalogue text, one or more lines) and only then
// puts the values in, so that names and typed texts are never translated.
// A count followed by a plural word in the Russian template gets the form
// of that word for its value in the current language.
std::string FormatTr(const TNumberFormat& Numbers, std::string_view Template,
                     std::initializer_list<TFormatArg> Args);

}  // namespace quelmora
