#pragma once

#include <array>
#include <string_view>

namespace quelmora {

// A word the catalogue writes after a count, in its Russian forms for
// 1 (21, 31...), 2-4 (22-24...) and 5-20 (25-30...).
struct TPluralWord {
  std::string_view One;
  std::string_view Few;
  std::string_view Many;
};

// The words whose form follows the count before them.
// "изд." is an abbreviation and keeps its form in Russian.
inline constexpr auto PluralWords = std::to_array<TPluralWord>({
    {"изделие", "изделия", "изделий"},
    {"ящик", "ящика", "ящиков"},
    {"пачка", "пачки", "пачек"},
    {"слой", "слоя", "слоев"},
    {"слой", "слоя", "слоёв"},
    {"изд.", "изд.", "изд."},
});

}  // namespace quelmora
