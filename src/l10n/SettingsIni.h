#pragma once

#include <string>
#include <string_view>

namespace quelmora {

// The INI text format of settings.ini: [Section] lines, Key=Value lines,
// ";" comments. Names compare ignoring the case of Latin letters, and the
// first section and key of a name count, as in the classic INI readers.

// The value of Key in Section, trimmed and without enclosing quotes; empty
// when there is none.
std::string ReadIniValue(std::string_view Text, std::string_view Section, std::string_view Key);

// Text with Key in Section set to Value. Every other line stays as it was;
// a missing key is added at the end of its section, a missing section at the
// end of the text. New lines follow the text's own line ends.
std::string WriteIniValue(std::string_view Text, std::string_view Section, std::string_view Key,
                          std::string_view Value);

}  // namespace quelmora
