#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "LanguageFixture.h"
#include "l10n/LocalFormat.h"
#include "l10n/Localization.h"
#include "l10n/TranslationKeys.h"
#include "model/AppStrings.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

size_t Count(std::string_view text, std::string_view part) {
  size_t n = 0;
  for (size_t pos = text.find(part); pos != std::string_view::npos;
       pos = text.find(part, pos + part.size()))
    ++n;
  return n;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos = text.find("\r\n"); pos != std::string_view::npos;
       pos = text.find("\r\n", start)) {
    lines.emplace_back(text.substr(start, pos - start));
    start = pos + 2;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

TEST(CatalogueTest, TheKeyTableListsEveryCatalogueEntry) {
  const std::string header =
      testing::ReadBytes(std::string(QUELMORA_SOURCE_DIR) + "/src/model/AppStrings.h");
  EXPECT_EQ(Count(header, "inline constexpr const char* S"), CatalogueTexts.size());
  const std::set<std::string_view> distinct(CatalogueTexts.begin(), CatalogueTexts.end());
  // "Расчет" is both a stage and a button.
  EXPECT_EQ(distinct.size(), CatalogueTexts.size() - 1);
}

TEST(CatalogueTest, MultiLineEntriesJoinTheirLinesWithCrLf) {
  const std::vector<std::string> comparison = Lines(SLumarComparison);
  ASSERT_EQ(comparison.size(), 7u);
  EXPECT_EQ(comparison[0], "");
  EXPECT_EQ(comparison[1], "");
  EXPECT_EQ(comparison[2], "СРАВНЕНИЕ С ЛУМАР (tea.DB)");
  EXPECT_EQ(comparison[6], "quelmora, упаковка / м³: %.2f %s; отличие от ЛУМАР: %.1f %%");

  const std::vector<std::string> optimal = Lines(SOptimalDetails);
  ASSERT_EQ(optimal.size(), 19u);
  EXPECT_EQ(optimal[13], "На паллете: %d ящиков (%d в слое × %d слоев)");

  const std::vector<std::string> original = Lines(SOriginalDetails);
  ASSERT_EQ(original.size(), 13u);
  EXPECT_EQ(original[11], "");
  EXPECT_EQ(original[12], "%s: %.1f %%");

  for (const char* text : CatalogueTexts)
    EXPECT_EQ(Count(text, "\n"), Count(text, "\r\n")) << text;
}

TEST(CatalogueTest, DoublePercentComesOutAsOnePercentSign) {
  const TNumberFormat comma{","};
  const std::string optimal =
      FormatLocal(comma, SOptimalDetails, 72.0, 36.0, 96.0, 4, 3, 2, "L-B-H", 24, 55.0, 0.0312,
                  0.2488, 0.31, "$", 1.5, 300.0, 220.0, 210.0, 2.345, 0.6, 0.013, 7.2, "$", 120, 12,
                  10, 85.5, 0.52, "$", 1234.5, "$", 1300.0, "$", 1, 4);
  EXPECT_EQ(Count(optimal, "%"), 2u);
  EXPECT_NE(optimal.find("Изменение объема: 1,5 %\r\n"), std::string::npos);
  EXPECT_NE(optimal.find("Заполнение объема паллеты: 85,5 %\r\n"), std::string::npos);
  EXPECT_NE(optimal.find("На паллете: 120 ящиков (12 в слое × 10 слоев)"), std::string::npos);
  EXPECT_EQ(Lines(optimal).back(), "Группа унификации: 1; изделий: 4");

  const std::string original =
      FormatLocal(comma, SOriginalDetails, 72.0, 36.0, 96.0, 88, 400.0, 300.0, 200.0, 60, 5.1, 0.9,
                  0.024, 10.8, "$", 0.4, "$", 1700.0, "$", 1650.0, "$", SCostIncrease, 3.26);
  EXPECT_EQ(Count(original, "%"), 1u);
  EXPECT_EQ(Lines(original).back(), "Удорожание: 3,3 %");

  const std::string comparison =
      FormatLocal(comma, SLumarComparison, 64.75, 42.0, 86.7, 260.0, 127.0, 260.0, 36, 1799.27, "$",
                  -3.48, 1650.0, "$", -8.3);
  EXPECT_EQ(Count(comparison, "%"), 2u);
  EXPECT_EQ(Lines(comparison).back(),
            "quelmora, упаковка / м³: 1650,00 $; отличие от ЛУМАР: -8,3 %");
}

class CatalogueScreenTest : public testing::LanguageFixture {};

TEST_F(CatalogueScreenTest, EveryTextReachesTheScreenUnchangedWithoutATranslation) {
  WriteLanguage("English.lng", "language=English\nДругое=Other\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  for (const char* text : CatalogueTexts) {
    if (std::string_view(text).find('\n') == std::string_view::npos)
      EXPECT_EQ(Tr(text), text);
    else
      EXPECT_EQ(TrMultiline(text), text);
  }
  for (std::string_view caption : SettingsFieldCaptions)
    EXPECT_EQ(Tr(caption), caption);
  for (std::string_view caption : ProductFieldCaptions)
    EXPECT_EQ(Tr(caption), caption);
}

}  // namespace
}  // namespace quelmora
