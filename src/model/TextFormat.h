#pragma once

#include <string>
#include <string_view>

namespace quelmora {

// printf-style formatting into a string, always with "." as the decimal
// separator whatever locale the process has set (files, keys and log lines
// must not depend on it).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Without leading and trailing spaces and control characters.
std::string_view Trim(std::string_view text);

}  // namespace quelmora
