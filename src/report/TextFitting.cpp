#include "report/TextFitting.h"

#include <cstddef>
#include <vector>

namespace quelmora {

namespace {

constexpr std::string_view Ellipsis = "…";
// Code points measured whole at once: most texts are shorter.
constexpr size_t ShortText = 64;

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FitText(std::string Text, int MaxWidth, const TTextMeasure& Measure) {
  if (MaxWidth <= 0) return Text;
  const std::string_view text = Text;

  // Cut positions: 0 and every byte that starts a sequence; the whole text last.
  std::vector<size_t> cuts{0};
  for (size_t i = 1; i < text.size(); ++i)
    if (!IsContinuation(text[i])) cuts.push_back(i);
  const size_t whole = cuts.size();
  cuts.push_back(text.size());

  // Doubling over the plain prefixes finds whether the text fits without
  // measuring much more than what does; the whole text only when all the
  // shorter prefixes fit.
  size_t tooLong = 0;
  for (size_t k = ShortText;; k = k * 2) {
    if (k >= whole) {
      if (Measure(text) <= MaxWidth) return Text;
      tooLong = whole;
      break;
    }
    if (Measure(text.substr(0, cuts[k])) > MaxWidth) {
      tooLong = k;
      break;
    }
  }

  // The longest cut before the whole text whose blank-stripped prefix plus
  // the ellipsis fits. Every cut past tooLong is as long at least, so the
  // search stays below it unless the ellipsis made no difference.
  const auto fits = [&](size_t k) {
    std::string candidate(WithoutTrailingBlanks(text.substr(0, cuts[k])));
    candidate += Ellipsis;
    return Measure(candidate) <= MaxWidth;
  };
  size_t low = 0;         // fits, or 0 which is taken when nothing fits
  size_t high = tooLong;  // first cut known not to fit, or whole
  if (high < whole && fits(high)) {
    // Stripped blanks can let a prefix fit with the ellipsis that did not
    // fit plain; search upwards from there.
    low = high;
    size_t step = 1;
    high = whole;
    while (low + step < whole) {
      if (!fits(low + step)) {
        high = low + step;
        break;
      }
      low += step;
      step *= 2;
    }
  }
  while (high - low > 1) {
    const size_t mid = low + (high - low) / 2;
    if (fits(mid))
      low = mid;
    else
      high = mid;
  }
  std::string fitted(WithoutTrailingBlanks(text.substr(0, cuts[low])));
  fitted += Ellipsis;
  return fitted;
}

}  // namespace quelmora
