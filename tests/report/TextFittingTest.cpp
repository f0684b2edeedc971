#include <gtest/gtest.h>

#include <QImage>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/QtSurface.h"
#include "report/ReportTexts.h"
#include "report/TextFitting.h"

namespace quelmora {
namespace {

// The fitting as it first was: drop one code point at a time and measure
// again. Kept as the reference the faster search must agree with.
std::string LinearFit(std::string text, int maxWidth, const TTextMeasure& measure) {
  if (maxWidth <= 0 || measure(text) <= maxWidth) return text;
  static constexpr std::string_view ellipsis = "…";
  while (!text.empty()) {
    size_t cut = text.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
      --cut;
    text.erase(cut);
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    if (measure(text + std::string(ellipsis)) <= maxWidth) break;
  }
  return text + std::string(ellipsis);
}

// Widths that differ by character, as a proportional font's do: blanks
// wide, multi-byte sequences wider, a stray continuation byte zero.
int ProportionalWidth(std::string_view text) {
  int width = 0;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == ' ')
      width += 9;
    else if (b >= 0xF0)
      width += 14;
    else if (b >= 0xC0)
      width += 11;
    else if (b < 0x80)
      width += c == 'i' || c == 'l' ? 3 : 7;
  }
  return width;
}

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = {
      "",
      "A",
      "Чай чёрный",
      "Чай зелёный крупнолистовой, пачка картонная с окном",
      "Tea          with blanks before the cut             and after",
      "a                                                                               b",
      "Кофе\xF0\x9F\x8D\xB5\xF0\x9F\x8D\xB5 молотый \xF0\x9F\x8D\xB5",
      "\x80\x80 stray continuation bytes \xBF",
      "illillillillillillillillillillillillillillillillillillillillillillillillillillillill"
      "WWWWWWWWWWWWWWWWWWWWWWWW",
      std::string(300, 'x') + " " + std::string(300, 'y'),
      "Mehl Type 405, 1 kg, Papierbeutel mit Sichtfenster und Tragegriff aus Pappe",
  };
  return names;
}

const int Widths[] = {-5, 0, 1, 10, 14, 15, 16, 25, 60, 100, 137, 250, 600, 5000};

// A faster search that finds a different cut changes the report's bytes.
TEST(TextFitting, AgreesWithTheLinearFitOnProportionalWidths) {
  for (const std::string& name : Names())
    for (int width : Widths)
      EXPECT_EQ(FitText(name, width, ProportionalWidth), LinearFit(name, width, ProportionalWidth))
          << "name " << name << " width " << width;
}

// The same with a real font, as the PDF report measures.
TEST(TextFitting, AgreesWithTheLinearFitInTheReportFont) {
  QImage image(200, 200, QImage::Format_RGB888);
  TQtSurface surface(image);
  const TTextMeasure measure = [&](std::string_view text) { return surface.TextWidth(text); };
  for (int size : {12, 17, 30}) {
    surface.SetFont(RFontName, size, size > 12, 0);
    for (const std::string& name : Names())
      for (int width : Widths)
        EXPECT_EQ(FitText(name, width, measure), LinearFit(name, width, measure))
            << "name " << name << " width " << width << " size " << size;
  }
}

struct LongCase {
  const char* label;
  std::string text;
  int maxWidth;
};

// A long text costs a few measurements of short prefixes, not one per
// dropped character over the whole text (quadratic time).
class TextFittingLong : public ::testing::TestWithParam<LongCase> {};

TEST_P(TextFittingLong, MeasuresLittle) {
  const LongCase& c = GetParam();
  size_t calls = 0;
  size_t bytes = 0;
  const TTextMeasure counting = [&](std::string_view text) {
    ++calls;
    bytes += text.size();
    return ProportionalWidth(text);
  };
  const std::string fitted = FitText(c.text, c.maxWidth, counting);
  EXPECT_LE(ProportionalWidth(fitted), c.maxWidth);
  EXPECT_LE(calls, 64u);
  // Never a broken sequence: the cut text is a prefix ending on a boundary.
  const std::string kept = fitted.substr(0, fitted.size() - std::string_view("…").size());
  EXPECT_LE(bytes, 32 * (kept.size() + 256)) << "measured far more than what is kept";
  EXPECT_EQ(c.text.compare(0, kept.size(), kept), 0);
  if (kept.size() < c.text.size()) {
    EXPECT_NE(static_cast<unsigned char>(c.text[kept.size()]) & 0xC0, 0x80);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextFittingLong,
    ::testing::Values(LongCase{"Latin1MB", std::string(1 << 20, 'a'), 500},
                      LongCase{"Cyrillic",
                               [] {
                                 std::string s;
                                 for (int i = 0; i < 200000; ++i)
                                   s += "ж";
                                 return s;
                               }(),
                               333},
                      LongCase{"Astral",
                               [] {
                                 std::string s;
                                 for (int i = 0; i < 100000; ++i)
                                   s += "\xF0\x9F\x8D\xB5";
                                 return s;
                               }(),
                               101},
                      LongCase{"BlanksAfterAWord", "ab" + std::string(1 << 20, ' ') + "c", 40},
                      LongCase{"WideColumn", std::string(1 << 20, 'i'), 20000}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace quelmora
