#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "LanguageFixture.h"
#include "l10n/Localization.h"
#include "model/Errors.h"

namespace quelmora {
namespace {

using testing::LanguageFixture;

class TrTest : public LanguageFixture {};

TEST_F(TrTest, KeysAreTheTextsWithoutAmpersands) {
  WriteThreeLanguages();
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(Tr("Расчет"), "Calculate");
  EXPECT_EQ(Tr("&Расчет"), "Calculate");
  EXPECT_EQ(Tr("Рас&чет"), "Calculate");
  EXPECT_EQ(Tr(""), "");

  WriteLanguage("English.lng", "language=English\nЯщик=Box\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(Tr("Расчет"), "Расчет");
  EXPECT_EQ(Tr("&Расчет"), "Расчет");
}

TEST_F(TrTest, SpacesAroundTheEqualsSignBelongToKeyAndValue) {
  WriteLanguage("English.lng", "Расчет = Calculate\r\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(Tr("Расчет"), "Расчет");
  EXPECT_EQ(Tr("Расчет "), " Calculate");
}

TEST_F(TrTest, FirstLineOfAKeyCountsAndAnEmptyValueTranslatesNothing) {
  WriteLanguage("English.lng",
                "\xEF\xBB\xBFРасчет=Calculate\rРасчет=Compute\nЯщик=\nЯщик=Box\nлишь текст\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(Tr("Расчет"), "Calculate");  // the byte-order mark is not part of the first key
  EXPECT_EQ(Tr("Ящик"), "Ящик");
  EXPECT_EQ(Tr("лишь текст"), "лишь текст");
  EXPECT_EQ(Tr("Key=Value"), "Key=Value");
}

// A caption already on screen is no key: a change of language must start
// again from the keys, so Tr never guesses where a shown text came from.
TEST_F(TrTest, TrIsAPureLookupOfTheCurrentFile) {
  WriteThreeLanguages();
  struct TCase {
    const char* File;
    const char* Text;
    const char* Expected;
  };
  const TCase cases[] = {
      {"English.lng", "&Расчет", "Calculate"},
      {"English.lng", "Berechnen", "Berechnen"},
      {"German.lng", "Calculate", "Calculate"},
      {"German.lng", "CALCULATE", "CALCULATE"},
      {"German.lng", "Рас&чет", "Berechnen"},
      {"Russian.lng", "Berechnen", "Berechnen"},
      {"Russian.lng", "Box", "Box"},
      {"Russian.lng", "Ящик", "Ящик"},
      {"German.lng", "Unknown &text", "Unknown text"},
  };
  // Each language after the others, so that no earlier table can leak in.
  for (const char* first : {"Russian.lng", "English.lng", "German.lng"}) {
    for (const TCase& c : cases) {
      ASSERT_TRUE(LoadLanguage(first));
      ASSERT_TRUE(LoadLanguage(c.File));
      EXPECT_EQ(Tr(c.Text), c.Expected) << first << " then " << c.File << ": " << c.Text;
    }
  }
}

// A translation that is itself another key's Russian text is shown as it is,
// and looking it up again gives that other key's translation, not its source.
TEST_F(TrTest, ATranslationEqualToAnotherKeyIsNotTracedBack) {
  WriteLanguage("English.lng", "Расчет=&Calculate\nЯщик=Расчет\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_EQ(Tr("Ящик"), "Расчет");
  EXPECT_EQ(Tr(Tr("Ящик")), "&Calculate");
  EXPECT_EQ(Tr("&Calculate"), "Calculate");
  EXPECT_TRUE(HasTranslation("&Ящик"));
  EXPECT_FALSE(HasTranslation("Calculate"));
}

// Files changed on disk count from the next load on; no other file is read.
TEST_F(TrTest, OnlyTheLoadedFileIsRead) {
  WriteThreeLanguages();
  ASSERT_TRUE(LoadLanguage("German.lng"));
  WriteLanguage("German.lng", "language=Deutsch\nЯщик=Kiste\n");
  EXPECT_EQ(Tr("Ящик"), "Karton");
  ASSERT_TRUE(LoadLanguage("German.lng"));
  EXPECT_EQ(Tr("Ящик"), "Kiste");
  EXPECT_EQ(Tr("Расчет"), "Расчет");
}

TEST_F(TrTest, LoadLanguageFallsBackToRussianAndIgnoresFolders) {
  WriteThreeLanguages();
  EXPECT_TRUE(LoadLanguage("/somewhere/else/English.lng"));
  EXPECT_EQ(CurrentLanguageFile(), "English.lng");
  EXPECT_EQ(Tr("Ящик"), "Box");

  EXPECT_TRUE(LoadLanguage("Finnish.lng"));
  EXPECT_EQ(CurrentLanguageFile(), "Russian.lng");
  EXPECT_EQ(Tr("Ящик"), "Ящик");

  std::filesystem::remove(Lang() / "Russian.lng");
  ASSERT_TRUE(LoadLanguage("German.lng"));
  EXPECT_FALSE(LoadLanguage("Finnish.lng"));
  EXPECT_EQ(CurrentLanguageFile(), "German.lng");
  EXPECT_EQ(Tr("&Ящик"), "Ящик");
}

TEST_F(TrTest, AnUnreadableFileLeavesAnEmptyTable) {
  WriteThreeLanguages();
  WriteLanguage("Broken.lng", "Ящик=\xC0\xAF\n");
  ASSERT_TRUE(LoadLanguage("English.lng"));
  EXPECT_FALSE(LoadLanguage("Broken.lng"));
  EXPECT_EQ(CurrentLanguageFile(), "English.lng");
  EXPECT_EQ(Tr("&Ящик"), "Ящик");
  ASSERT_TRUE(LoadLanguage("German.lng"));
  EXPECT_EQ(Tr("Ящик"), "Karton");
  EXPECT_EQ(Tr("Box"), "Box");
}

class LanguageListTest : public LanguageFixture {};

TEST_F(LanguageListTest, ListsLanguageFilesByNameWithDisplayNames) {
  WriteLanguage("russian.lng", "\xEF\xBB\xBF  LANGUAGE=  Русский \r\nlanguage=Other\n");
  WriteLanguage("English.LNG", "# no display name here\nЯщик=Box\n");
  WriteLanguage("German.lng", "Ящик=Karton\n\t language=Deutsch\n");
  WriteLanguage("Broken.lng", "language=\xFF\n");
  WriteLanguage("notes.txt", "language=Notes\n");
  std::filesystem::create_directories(Lang() / "Folder.lng");

  const std::vector<TPackLanguageInfo> expected = {{"Broken.lng", "Broken"},
                                                   {"English.LNG", "English"},
                                                   {"German.lng", "Deutsch"},
                                                   {"russian.lng", "Русский"}};
  EXPECT_EQ(ListLanguages(), expected);
  EXPECT_EQ(ReadLanguageDisplayName((Lang() / "Missing.lng").string()), "Missing");
}

TEST_F(LanguageListTest, MissingFolderGivesNoLanguages) {
  OverrideLanguageFolder((temp_.Path() / "absent").string());
  EXPECT_TRUE(ListLanguages().empty());
  EXPECT_FALSE(LoadLanguage("Russian.lng"));
}

TEST(LanguageFolderTest, LooksNextToTheProgramWhenNotOverridden) {
  OverrideLanguageFolder("");
  const std::string folder = LanguageFolder();
  const std::filesystem::path program =
      std::filesystem::read_symlink("/proc/self/exe").parent_path();
  const std::vector<std::filesystem::path> candidates = {
      program / "lang", (program / "../lang").lexically_normal(),
      (program / "../share/quelmora/lang").lexically_normal()};
  EXPECT_NE(std::find(candidates.begin(), candidates.end(), std::filesystem::path(folder)),
            candidates.end())
      << folder;
  OverrideLanguageFolder("/opt/lang");
  EXPECT_EQ(LanguageFolder(), "/opt/lang");
  OverrideLanguageFolder("");
}

class DefaultLanguageTest : public LanguageFixture {};

TEST_F(DefaultLanguageTest, MapsTheLocaleLanguageToItsFile) {
  const std::vector<std::pair<std::string, std::string>> cases = {{"de_DE.UTF-8", "German.lng"},
                                                                  {"de_AT", "German.lng"},
                                                                  {"en_US.UTF-8", "English.lng"},
                                                                  {"en", "English.lng"},
                                                                  {"es_ES", "Spanish.lng"},
                                                                  {"fr_CA.UTF-8", "French.lng"},
                                                                  {"he_IL", "Hebrew.lng"},
                                                                  {"it_IT", "Italian.lng"},
                                                                  {"pt_BR", "Portuguese.lng"},
                                                                  {"sr_RS@latin", "Serbian.lng"},
                                                                  {"hr_HR", "Serbian.lng"},
                                                                  {"bs_BA", "Serbian.lng"},
                                                                  {"kk_KZ", "Kazakh.lng"},
                                                                  {"ru_RU.UTF-8", "Russian.lng"},
                                                                  {"uk_UA.UTF-8", "Russian.lng"},
                                                                  {"fi_FI", "Russian.lng"},
                                                                  {"C.UTF-8", "Russian.lng"},
                                                                  {"POSIX", "Russian.lng"},
                                                                  {"", "Russian.lng"}};
  for (const auto& [locale, file] : cases)
    EXPECT_EQ(LanguageFileForLocale(locale), file) << locale;
}

TEST_F(DefaultLanguageTest, TakesLcAllThenLcMessagesThenLang) {
  EXPECT_EQ(DefaultLanguageFile(), "Russian.lng");
  env_.Set("LANG", "en_GB.UTF-8");
  EXPECT_EQ(DefaultLanguageFile(), "English.lng");
  env_.Set("LC_MESSAGES", "de_DE.UTF-8");
  EXPECT_EQ(DefaultLanguageFile(), "German.lng");
  env_.Set("LC_ALL", "");  // empty values do not count
  EXPECT_EQ(DefaultLanguageFile(), "German.lng");
  env_.Set("LC_ALL", "fr_FR.UTF-8");
  EXPECT_EQ(DefaultLanguageFile(), "French.lng");
}

class InitLanguageTest : public LanguageFixture {};

TEST_F(InitLanguageTest, WithoutSettingsTheLocaleChooses) {
  WriteThreeLanguages();
  env_.Set("LANG", "en_US.UTF-8");
  EXPECT_EQ(InitLanguage(), "English.lng");
  EXPECT_EQ(Tr("Ящик"), "Box");
  env_.Set("LANG", "uk_UA.UTF-8");
  EXPECT_EQ(InitLanguage(), "Russian.lng");
  EXPECT_EQ(Tr("Ящик"), "Ящик");
}

TEST_F(InitLanguageTest, TheSavedChoiceWinsOverTheLocale) {
  WriteThreeLanguages();
  env_.Set("LANG", "en_US.UTF-8");
  SaveLanguageChoice("German.lng");
  EXPECT_EQ(InitLanguage(), "German.lng");
  EXPECT_EQ(CurrentLanguageFile(), "German.lng");
}

TEST_F(InitLanguageTest, AnUnknownSavedLanguageLoadsRussian) {
  WriteThreeLanguages();
  SaveLanguageChoice("Finnish.lng");
  EXPECT_EQ(InitLanguage(), "Russian.lng");
  EXPECT_EQ(Tr("Ящик"), "Ящик");

  std::filesystem::remove(Lang() / "Russian.lng");
  EXPECT_EQ(InitLanguage(), "Russian.lng");
  EXPECT_EQ(Tr("&Ящик"), "Ящик");
}

class SettingsFileTest : public LanguageFixture {};

TEST_F(SettingsFileTest, LivesUnderLocalAppDataElseTheXdgDataFolder) {
  env_.Set("LOCALAPPDATA", "/data/local/");
  EXPECT_EQ(SettingsFileName(), "/data/local/Osterlin/quelmora/settings.ini");
  env_.Set("LOCALAPPDATA", "");
  env_.Set("XDG_DATA_HOME", "/xdg");
  env_.Set("HOME", "/home/user");
  EXPECT_EQ(SettingsFileName(), "/xdg/Osterlin/quelmora/settings.ini");
  env_.Set("XDG_DATA_HOME", "relative/ignored");
  EXPECT_EQ(SettingsFileName(), "/home/user/.local/share/Osterlin/quelmora/settings.ini");
  env_.Unset("XDG_DATA_HOME");
  EXPECT_EQ(SettingsFileName(), "/home/user/.local/share/Osterlin/quelmora/settings.ini");
}

TEST_F(SettingsFileTest, SavingCreatesTheFolderAndKeepsOtherEntries) {
  EXPECT_EQ(SavedLanguageChoice(), "");
  SaveLanguageChoice("/some/folder/German.lng");
  EXPECT_EQ(SettingsText(), "[Interface]\nLanguage=German.lng\n");

  testing::WriteBytes(SettingsFileName(),
                      "[Window]\r\nLeft=10\r\n[Interface]\r\nTheme=dark\r\nlanguage=English.lng\r\n"
                      "[Other]\r\nLanguage=keep\r\n");
  EXPECT_EQ(SavedLanguageChoice(), "English.lng");
  SaveLanguageChoice("Russian.lng");
  EXPECT_EQ(SettingsText(),
            "[Window]\r\nLeft=10\r\n[Interface]\r\nTheme=dark\r\nLanguage=Russian.lng\r\n"
            "[Other]\r\nLanguage=keep\r\n");
}

TEST_F(SettingsFileTest, AnUnwritableFolderRaisesAFileError) {
  testing::WriteBytes((temp_.Path() / "file").string(), "x");
  env_.Set("LOCALAPPDATA", (temp_.Path() / "file").string());
  EXPECT_THROW(SaveLanguageChoice("German.lng"), Exception);
}

class TrMultilineTest : public LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    WriteLanguage("Russian.lng", "Пачек в ящике=Пачек в ящике\nмм=мм\n");
    WriteLanguage("English.lng",
                  "language=English\n"
                  "Пачек в ящике=Packs per box\n"
                  "Ящик=Box\n"
                  "ИЗДЕЛИЕ=PRODUCT\n"
                  "СРАВНЕНИЕ С ЛУМАР=COMPARISON WITH LUMAR\n"
                  "Группа унификации=Unification group\n"
                  "мм=mm\nг=g\nкг=kg\nв слое=per layer\nслоёв=layers\nвсего=total\n"
                  "изделий=products\n");
    ASSERT_TRUE(LoadLanguage("English.lng"));
  }
};

TEST_F(TrMultilineTest, TranslatesThePartBeforeTheFirstColon) {
  EXPECT_EQ(TrMultiline("Пачек в ящике: 24"), "Packs per box: 24");
  EXPECT_EQ(TrMultiline("Ящик: 410.0 × 310.0 × 210.0 мм"), "Box: 410.0 × 310.0 × 210.0 mm");
  EXPECT_EQ(TrMultiline("Группа унификации: 2; изделий: 4"), "Unification group: 2; products: 4");
  EXPECT_EQ(TrMultiline("Неизвестно: 1: 2 мм"), "Неизвестно: 1: 2 mm");
}

TEST_F(TrMultilineTest, TranslatesTheReferenceHeading) {
  EXPECT_EQ(TrMultiline("СРАВНЕНИЕ С ЛУМАР (tea.DB)"), "COMPARISON WITH LUMAR (tea.DB)");
}

TEST_F(TrMultilineTest, TranslatesUnitWordsWhereTheyStandAsWords) {
  EXPECT_EQ(TrMultiline("4 × 3 в слое; слоёв: 2; всего: 24"),
            "4 × 3 per layer; layers: 2; total: 24");
  EXPECT_EQ(TrMultiline("Масса: 55.0 г; 1.2 кг"), "Масса: 55.0 g; 1.2 kg");
  // Product names keep the letters that happen to spell a unit.
  EXPECT_EQ(TrMultiline("ИЗДЕЛИЕ: Крупа гречневая"), "PRODUCT: Крупа гречневая");
  EXPECT_EQ(TrMultiline("Чай 100 г"), "Чай 100 g");
}

TEST_F(TrMultilineTest, SplitsAtEveryLineEndAndJoinsWithCrLf) {
  EXPECT_EQ(TrMultiline("Пачек в ящике: 1\nЯщик: 2\rЯщик: 3\r\n\r\nЯщик: 4\r\n \r\n"),
            "Packs per box: 1\r\nBox: 2\r\nBox: 3\r\n\r\nBox: 4");
}

TEST_F(TrMultilineTest, LinesUnknownToEveryFileStayAsTheyAre) {
  EXPECT_EQ(TrMultiline("первая строка\nвторая строка\n"), "первая строка\r\nвторая строка");
  ASSERT_TRUE(LoadLanguage("Russian.lng"));
  EXPECT_EQ(TrMultiline("Пачек в ящике: 24\r\nЯщик: 1 мм"), "Пачек в ящике: 24\r\nЯщик: 1 мм");
}

}  // namespace
}  // namespace quelmora
