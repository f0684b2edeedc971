#include <gtest/gtest.h>

#include <string>

#include "l10n/LocalFormat.h"

namespace quelmora {
namespace {

const TNumberFormat Point{"."};
const TNumberFormat Comma{","};

TEST(FormatLocalTest, WritesTheDecimalSeparatorIntoRealNumbersOnly) {
  EXPECT_EQ(FormatLocal(Comma, "%.1f × %.1f × %.1f мм", 410.0, 310.04, 210.05),
            "410,0 × 310,0 × 210,1 мм");
  EXPECT_EQ(FormatLocal(Comma, "%.2f %s", 1234.5, "руб."), "1234,50 руб.");
  EXPECT_EQ(FormatLocal(Point, "%.2f %s", 1234.5, "руб."), "1234.50 руб.");
  EXPECT_EQ(FormatLocal(Comma, "%d × %d; %5.1f|%-6.2f|%+.0f", 4, 3, 2.25, 1.5, 2.0),
            "4 × 3;   2,2|1,50  |+2");
  EXPECT_EQ(FormatLocal(Comma, "%.6f–%.6f м³", 0.00025, 0.0003), "0,000250–0,000300 м³");
}

TEST(FormatLocalTest, PercentSignsAndFormatsWithoutValues) {
  EXPECT_EQ(FormatLocal(Comma, "%s: %.1f %%", "Удорожание", 12.34), "Удорожание: 12,3 %");
  EXPECT_EQ(FormatLocal(Point, "100%%"), "100%");
  EXPECT_EQ(FormatLocal(Point, "%d and %d", 1), "1 and %d");
  EXPECT_EQ(FormatLocal(Point, "50 %"), "50 %");
  EXPECT_EQ(FormatLocal(Point, "%q %y", 1), "%q %y");
}

TEST(FormatLocalTest, ValuesOfTheWrongKindAreConverted) {
  EXPECT_EQ(FormatLocal(Comma, "%d|%.1f|%s|%s", 2.9, 3, 4, 0.5), "2|3,0|4|0,5");
  EXPECT_EQ(FormatLocal(Point, "%d %.2f", "text", "more"), "text more");
  EXPECT_EQ(FormatLocal(Point, "%ld %lld %zu", 1, 2, 3), "1 2 3");
  EXPECT_EQ(FormatLocal(Point, "%d", 1e300), "9223372036854775807");
}

TEST(FormatLocalTest, CharacterOfATextIsAWholeCharacter) {
  EXPECT_EQ(FormatLocal(Point, "[%c]", "Чай"), "[Ч]");
  EXPECT_EQ(FormatLocal(Point, "[%c]", "\xF0\x9F\x8D\xB5 tea"), "[\xF0\x9F\x8D\xB5]");
  EXPECT_EQ(FormatLocal(Point, "[%c]", "x"), "[x]");
  EXPECT_EQ(FormatLocal(Point, "[%c]", ""), "[]");
}

TEST(FormatLocalTest, RefusesAbsurdWidths) {
  EXPECT_EQ(FormatLocal(Point, "%999999999d|%9999.2f|%999d", 1, 2.0, 3).size(),
            std::string("%999999999d|%9999.2f|").size() + 999);
}

}  // namespace
}  // namespace quelmora
