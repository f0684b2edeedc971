#include "l10n/TextTemplate.h"

#include "l10n/Localization.h"

namespace quelmora {

std::string FormatTr(const TNumberFormat& Numbers, std::string_view Template,
                     std::initializer_list<TFormatArg> Args) {
  return FormatLocalArgs(Numbers, TrMultiline(Template), Args);
}

}  // namespace quelmora
