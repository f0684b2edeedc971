#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quelmora {

// Width in pixels of a text in the font in force.
using TTextMeasure = std::function<int(std::string_view)>;

// Text cut to MaxWidth pixels with a trailing ellipsis, trailing blanks
// dropped before it; unchanged when it fits or MaxWidth is not positive.
// Cuts fall between UTF-8 sequences only. The longest prefix that fits is
// found by a doubling then a halving search, so a text of n code points
// fitted to m takes O(log m) measurements of at most 2m code points.
std::string FitText(std::string Text, int MaxWidth, const TTextMeasure& Measure);

}  // namespace quelmora
