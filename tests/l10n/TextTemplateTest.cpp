#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LanguageFixture.h"
#include "l10n/Localization.h"
#include "l10n/PluralWords.h"
#include "l10n/TextTemplate.h"
#include "model/AppStrings.h"

namespace quelmora {
namespace {

using testing::LanguageFixture;

const std::string ShippedFolder = std::string(QUELMORA_SOURCE_DIR) + "/lang";
const TNumberFormat Point;
const TNumberFormat Comma{","};

// ------------------------------------------------------------ plural forms

struct TRussianCount {
  int N;
  const char* Packs;
  const char* Products;
};

class RussianPluralTest : public ::testing::TestWithParam<TRussianCount> {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(ShippedFolder);
    ASSERT_TRUE(LoadLanguage("Russian.lng"));
  }
  void TearDown() override { OverrideLanguageFolder(""); }
};

TEST_P(RussianPluralTest, TheCountChoosesTheForm) {
  const TRussianCount& c = GetParam();
  EXPECT_EQ(FormatTr(Point, SLimitPacksPerBox, {c.N}),
            std::to_string(c.N) + " " + c.Packs + " в ящике");
  EXPECT_EQ(FormatTr(Point, "%s: %d изделий, %d ящика", {"Итог", c.N, c.N}),
            "Итог: " + std::to_string(c.N) + " " + c.Products + ", " + std::to_string(c.N) + " " +
                TrPluralWord("ящиков", c.N));
  // Every form of an entry leads to the same word for the same count; forms
  // two entries share ("слой" of "слоев" and "слоёв") belong to the first.
  std::vector<std::string_view> taken;
  for (const TPluralWord& word : PluralWords) {
    for (std::string_view form : {word.One, word.Few, word.Many})
      if (std::find(taken.begin(), taken.end(), form) == taken.end()) {
        EXPECT_EQ(TrPluralWord(form, c.N), TrPluralWord(word.Many, c.N)) << form;
      }
    taken.insert(taken.end(), {word.One, word.Few, word.Many});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, RussianPluralTest,
    ::testing::Values(TRussianCount{0, "пачек", "изделий"}, TRussianCount{1, "пачка", "изделие"},
                      TRussianCount{2, "пачки", "изделия"}, TRussianCount{5, "пачек", "изделий"},
                      TRussianCount{11, "пачек", "изделий"}, TRussianCount{21, "пачка", "изделие"},
                      TRussianCount{22, "пачки", "изделия"}, TRussianCount{25, "пачек", "изделий"},
                      TRussianCount{101, "пачка", "изделие"},
                      TRussianCount{111, "пачек", "изделий"}));

struct TShippedCase {
  const char* File;
  int N;
  const char* Expected;
};

class ShippedPluralTest : public ::testing::TestWithParam<TShippedCase> {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(ShippedFolder);
    ASSERT_TRUE(LoadLanguage(GetParam().File));
  }
  void TearDown() override { OverrideLanguageFolder(""); }
};

TEST_P(ShippedPluralTest, OneAndTwoInEveryLanguage) {
  const TShippedCase& c = GetParam();
  EXPECT_EQ(FormatTr(Point, SLimitPacksPerBox, {c.N}) + " | " +
                FormatTr(Comma, SUnifiedBoxItem, {3, 400.0, 300.0, 200.5, c.N}),
            c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ShippedPluralTest,
    ::testing::Values(
        TShippedCase{"English.lng", 1,
                     "1 pack per box | Box 3: 400,0 × 300,0 × 200,5 mm — 1 product"},
        TShippedCase{"English.lng", 2,
                     "2 packs per box | Box 3: 400,0 × 300,0 × 200,5 mm — 2 products"},
        TShippedCase{"German.lng", 1,
                     "1 Packung pro Karton | Karton 3: 400,0 × 300,0 × 200,5 mm — 1 Produkt"},
        TShippedCase{"German.lng", 2,
                     "2 Packungen pro Karton | Karton 3: 400,0 × 300,0 × 200,5 mm — 2 Produkte"},
        TShippedCase{"Russian.lng", 1,
                     "1 пачка в ящике | Ящик 3: 400,0 × 300,0 × 200,5 мм — 1 изд."}),
    [](const auto& info) {
      return std::string(info.param.File).substr(0, 2) + std::to_string(info.param.N);
    });

// ------------------------------------------------------------ templates

class FormatTrTest : public LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    WriteLanguage("Russian.lng", "language=Русский\nЯщик=Ящик\n");
    WriteLanguage("English.lng",
                  "language=English\n"
                  "ИЗДЕЛИЕ=PRODUCT\nЯщик=Box\nмм=mm\nкг=kg\nв слое=per layer\nвсего=total\n"
                  "ящиков=boxes\nящиков[one]=box\nящиков[other]=boxes\n"
                  "На паллете=Per pallet\n"
                  "%s: %d изделий=%s: %d products\n"
                  "изделий=products\nизделий[one]=product\n"
                  "%d пачек в ящике=Packs per box: %d\n"
                  "Ящик %d: %d ящиков=Box %d: %d  boxes\n");
    WriteLanguage("German.lng",
                  "language=Deutsch\nИЗДЕЛИЕ=PRODUKT\nЯщик=Karton\nкг=kg\nвсего=gesamt\n"
                  "%s: %d изделий=%s: %d Produkte\nизделий=Produkte\nизделий[one]=Produkt\n");
  }
};

// Names, typed texts and file names are values: never translated, whatever
// unit words or keys they hold.
TEST_F(FormatTrTest, ValuesPassUntouchedInEveryLanguage) {
  const std::string name = "Сахар 5 кг в слое всего";
  struct TCase {
    const char* File;
    const char* Title;
  };
  for (const TCase& c : {TCase{"Russian.lng", "ИЗДЕЛИЕ"}, TCase{"English.lng", "PRODUCT"},
                         TCase{"German.lng", "PRODUKT"}}) {
    ASSERT_TRUE(LoadLanguage(c.File));
    EXPECT_EQ(FormatTr(Point, "ИЗДЕЛИЕ: %s", {name}), std::string(c.Title) + ": " + name);
    EXPECT_EQ(FormatTr(Point, "%s", {"Ящик"}), "Ящик") << c.File;
    EXPECT_TRUE(FormatTr(Point, "%s: %d изделий", {"5 изделий", 1}).starts_with("5 изделий: "))
        << c.File;
  }
}

TEST_F(FormatTrTest, KeyValuesAreTranslatedAndNestedMessagesRenderedAlike) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(FormatTr(Point, "%s", {TFormatArg::Key("Ящик")}), "Box");
  EXPECT_EQ(FormatTr(Point, "ИЗДЕЛИЕ: %s",
                     {TFormatArg::Nested({"%s: %d изделий", {TFormatArg::Key("Ящик"), 1}})}),
            "PRODUCT: Box: 1 product");
  ASSERT_TRUE(LoadLanguage("Russian.lng"));
  EXPECT_EQ(FormatTr(Point, "%s", {TFormatArg::Key("Ящик")}), "Ящик");
}

TEST_F(FormatTrTest, ALineWithoutAKeyOfItsOwnIsTranslatedByItsParts) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(FormatTr(Comma, "На паллете: %d ящиков\r\nЯщик: %.1f мм", {1, 2.5}),
            "Per pallet: 1 box\r\nBox: 2,5 mm");
  EXPECT_EQ(FormatTr(Comma, "На паллете: %d ящиков", {21}), "Per pallet: 21 boxes");
}

// The plural word is found after the same count in the translation; a
// translation that places or spells it otherwise is left as it is.
TEST_F(FormatTrTest, TheWordIsSoughtOnlyRightAfterItsCount) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(FormatTr(Point, "%d пачек в ящике", {1}), "Packs per box: 1");
  EXPECT_EQ(FormatTr(Point, "Ящик %d: %d ящиков", {1, 1}), "Box 1: 1  box");
  // "ящиков" keeps no count when the value is a text.
  EXPECT_EQ(FormatTr(Point, "На паллете: %d ящиков", {"1"}), "Per pallet: 1 boxes");
  ASSERT_TRUE(LoadLanguage("German.lng"));
  EXPECT_EQ(FormatTr(Point, "%s: %d изделий", {"A", 1}), "A: 1 Produkt");
  EXPECT_EQ(FormatTr(Point, "%s: %d изделий", {"A", 2}), "A: 2 Produkte");
}

// ------------------------------------------------------------ word forms

class PluralWordTest : public LanguageFixture {};

TEST_F(PluralWordTest, FormLinesWinThenTheRussianFormThenThePlainWord) {
  WriteLanguage("Russian.lng", "ящиков[few]=коробки\n");
  WriteLanguage("English.lng", "ящиков=boxes\nящиков[one]=box\n");
  WriteLanguage("German.lng", "ящиков=Kartons\n");
  struct TCase {
    const char* File;
    const char* Word;
    int N;
    const char* Expected;
  };
  const TCase cases[] = {
      {"Russian.lng", "ящиков", 3, "коробки"}, {"Russian.lng", "ящик", 23, "коробки"},
      {"Russian.lng", "ящиков", 21, "ящик"},   {"Russian.lng", "ящика", 12, "ящиков"},
      {"English.lng", "ящиков", 1, "box"},     {"English.lng", "ящика", -1, "box"},
      {"English.lng", "ящиков", 2, "boxes"},   {"English.lng", "ящиков", 0, "boxes"},
      {"German.lng", "ящиков", 1, "Kartons"},  {"German.lng", "пачек", 1, "пачек"},
      {"English.lng", "штук", 1, "штук"},
  };
  for (const TCase& c : cases) {
    ASSERT_TRUE(LoadLanguage(c.File));
    EXPECT_EQ(TrPluralWord(c.Word, c.N), c.Expected) << c.File << " " << c.Word << " " << c.N;
  }
}

// ------------------------------------------------------------ conventions

class ConventionsTest : public LanguageFixture {};

TEST_F(ConventionsTest, FollowTheCurrentLanguageFile) {
  struct TCase {
    const char* File;
    TLanguageConventions Expected;
  };
  const TCase cases[] = {
      {"Russian.lng", {"ru_RU", ",", "dd.MM.yyyy HH:mm", TPluralRule::Slavic}},
      {"German.lng", {"de_DE", ",", "dd.MM.yyyy HH:mm", TPluralRule::Germanic}},
      {"English.lng", {"en_US", ".", "yyyy-MM-dd HH:mm", TPluralRule::Germanic}},
      {"French.lng", {"fr_FR", ".", "yyyy-MM-dd HH:mm", TPluralRule::Germanic}},
      {"Serbian.lng", {"sr_RS", ".", "yyyy-MM-dd HH:mm", TPluralRule::Germanic}},
      {"Custom.lng", {"C", ".", "yyyy-MM-dd HH:mm", TPluralRule::Germanic}},
  };
  for (const TCase& c : cases) {
    WriteLanguage(c.File, "Ящик=x\n");
    ASSERT_TRUE(LoadLanguage(c.File));
    ASSERT_EQ(CurrentLanguageFile(), c.File);
    const TLanguageConventions got = LanguageConventions();
    EXPECT_EQ(got.LocaleName, c.Expected.LocaleName) << c.File;
    EXPECT_EQ(got.DecimalSeparator, c.Expected.DecimalSeparator) << c.File;
    EXPECT_EQ(got.DateTimeFormat, c.Expected.DateTimeFormat) << c.File;
    EXPECT_EQ(got.PluralRule, c.Expected.PluralRule) << c.File;
    // A locale named in the conventions leads back to the same file.
    if (got.LocaleName != "C") {
      EXPECT_EQ(LanguageFileForLocale(got.LocaleName), c.File);
    }
  }
}

}  // namespace
}  // namespace quelmora
