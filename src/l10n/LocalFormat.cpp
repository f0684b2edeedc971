#include "l10n/LocalFormat.h"

namespace quelmora {

std::string FormatLocalArgs(const TNumberFormat& Numbers, std::string_view Format,
                            std::initializer_list<TFormatArg> Args) {
  return FormatArgs(Format, Args, Numbers.DecimalSeparator);
}

}  // namespace quelmora
