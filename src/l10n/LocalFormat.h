#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/TextFormat.h"

namespace quelmora {

// How numbers are shown to the user: everything but the decimal separator is
// fixed by the format strings.
struct TNumberFormat {
  std::string DecimalSeparator = ".";
};

// Formatting in the user's conventions (printf-style, see FormatArgs).
std::string FormatLocalArgs(const TNumberFormat& Numbers, std::string_view Format,
                            std::initializer_list<TFormatArg> Args);

template <typename... TArgs>
std::string FormatLocal(const TNumberFormat& Numbers, std::string_view Format,
                        const TArgs&... Args) {
  return FormatLocalArgs(Numbers, Format, {TFormatArg(Args)...});
}

}  // namespace quelmora
