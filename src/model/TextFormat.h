#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace quelmora {

// printf-style formatting into a string, always with "." as the decimal
// separator whatever locale the process has set (files, keys and log lines
// must not depend on it).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Three numbers joined by "/", each as std::to_chars writes it with the given
// format and precision ("." as decimal separator, locale-independent): the
// text keys that tell sizes apart.
std::string NumberKey(double a, double b, double c, std::chars_format format, int precision);

// Without leading and trailing spaces and control characters.
std::string_view Trim(std::string_view text);

}  // namespace quelmora
