#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "io/Utf8File.h"
#include "l10n/LocalFormat.h"
#include "l10n/Localization.h"
#include "l10n/PluralWords.h"
#include "l10n/TranslationKeys.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/Utf8.h"
#include "report/ReportTexts.h"
#include "support/Cyrillic.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

const std::string ShippedFolder = std::string(QUELMORA_SOURCE_DIR) + "/lang";
const std::vector<std::string> ShippedFiles = {"Russian.lng", "English.lng", "German.lng"};

// Key -> value of the first line of each key, as Tr reads the file.
std::map<std::string, std::string> ReadShipped(const std::string& fileName) {
  const std::string text = ReadUtf8TextFile(ShippedFolder + "/" + fileName);
  std::map<std::string, std::string> table;
  size_t start = 0;
  while (start < text.size()) {
    size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string::npos) stop = text.size();
    const std::string line = text.substr(start, stop - start);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) table.emplace(line.substr(0, eq), line.substr(eq + 1));
    start = stop + 1;
  }
  return table;
}

// Every key the program looks up, from the code's own tables.
std::set<std::string> ProgramKeys() {
  std::set<std::string> keys;
  for (std::string& key : CatalogueTranslationKeys())
    keys.insert(std::move(key));
  for (std::string& key : ReportTranslationKeys())
    keys.insert(std::move(key));
  return keys;
}

std::vector<std::string> Conversions(const std::string& text) {
  static const std::regex conversion("%[-+ #0]*[0-9]*(\\.[0-9]+)?[a-zA-Z%]");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion);
       it != std::sregex_iterator(); ++it)
    found.push_back(it->str());
  return found;
}

TEST(LanguageFilesTest, EveryShippedFileTranslatesEveryKey) {
  const std::set<std::string> keys = ProgramKeys();
  ASSERT_GT(keys.size(), 150u);
  for (const std::string& key : keys)  // a line splits at its first "="
    EXPECT_EQ(key.find_first_of("&=\r\n"), std::string::npos) << key;
  for (const std::string& file : ShippedFiles) {
    const std::map<std::string, std::string> table = ReadShipped(file);
    std::string missing;
    for (const std::string& key : keys) {
      const auto it = table.find(key);
      if (it == table.end() || it->second.empty()) missing += "\n  " + key;
    }
    EXPECT_TRUE(missing.empty()) << file << " lacks:" << missing;
  }
}

// The tool tips of the field tables: each a key of every shipped file, and
// translated to distinct texts so that a tip on screen leads back to its key.
TEST(LanguageFilesTest, EveryFieldHelpIsTranslatedDistinctlyInEveryShippedFile) {
  std::vector<std::string> helps;
  for (const TSettingsField& field : SettingsFields)
    helps.emplace_back(field.Help);
  for (const TProductField& field : ProductFields)
    helps.emplace_back(field.Help);
  const std::set<std::string> keys = ProgramKeys();
  for (const std::string& help : helps)
    EXPECT_TRUE(keys.count(help)) << help;
  for (const std::string& file : ShippedFiles) {
    const std::map<std::string, std::string> table = ReadShipped(file);
    std::set<std::string> translations;
    for (const std::string& help : helps) {
      const auto it = table.find(help);
      ASSERT_NE(it, table.end()) << file << ": " << help;
      EXPECT_FALSE(it->second.empty()) << file << ": " << help;
      translations.insert(it->second);
    }
    EXPECT_EQ(translations.size(), helps.size()) << file;
  }
}

TEST(LanguageFilesTest, RussianMapsEveryKeyToItself) {
  for (const auto& [key, value] : ReadShipped("Russian.lng")) {
    if (key == "language") continue;
    EXPECT_EQ(value, key);
  }
}

TEST(LanguageFilesTest, TranslationsKeepTheConversionsOfTheirKeys) {
  for (const std::string& file : ShippedFiles)
    for (const auto& [key, value] : ReadShipped(file))
      EXPECT_EQ(Conversions(value), Conversions(key)) << file << ": " << key;
}

// Every word counted in the catalogue has its forms for one and for more in
// the languages counted one/other; a form line names no word the program lacks.
TEST(LanguageFilesTest, PluralWordsHaveTheirFormsInEnglishAndGerman) {
  std::set<std::string> formKeys;
  for (const TPluralWord& word : PluralWords)
    for (const char* category : {"[one]", "[other]"})
      formKeys.insert(std::string(word.Many) + category);
  for (const char* file : {"English.lng", "German.lng"}) {
    const std::map<std::string, std::string> table = ReadShipped(file);
    for (const std::string& key : formKeys) {
      const auto it = table.find(key);
      EXPECT_TRUE(it != table.end() && !it->second.empty()) << file << " lacks " << key;
    }
    for (const auto& [key, value] : table) {
      if (key.find('[') != std::string::npos) {
        EXPECT_TRUE(formKeys.count(key)) << file << ": " << key;
      }
    }
  }
}

TEST(LanguageFilesTest, EnglishAndGermanShowNoRussian) {
  for (const char* file : {"English.lng", "German.lng"})
    for (const auto& [key, value] : ReadShipped(file))
      EXPECT_FALSE(HasCyrillic(value)) << file << ": " << key << "=" << value;
}

TEST(LanguageFilesTest, ListedWithTheirDisplayNames) {
  OverrideLanguageFolder(ShippedFolder);
  const std::vector<TPackLanguageInfo> expected = {
      {"English.lng", "English"}, {"German.lng", "Deutsch"}, {"Russian.lng", "Русский"}};
  EXPECT_EQ(ListLanguages(), expected);
  OverrideLanguageFolder("");
}

// Every line the report and the detail texts draw, formatted and translated,
// must come out without a Russian word.
TEST(LanguageFilesTest, FormattedReportAndDetailLinesComeOutTranslated) {
  OverrideLanguageFolder(ShippedFolder);
  const TNumberFormat point;
  std::vector<std::string> texts;
  for (const char* text : ReportLineTexts)
    texts.emplace_back(text);
  for (const char* text : {SLumarComparison, SOptimalDetails, SOriginalDetails})
    texts.emplace_back(text);
  for (const char* file : {"English.lng", "German.lng"}) {
    ASSERT_TRUE(LoadLanguage(file));
    for (const std::string& text : texts) {
      const std::string line = FormatLocal(point, text, "7", "7", "7", "7", "7", "7", "7", "7", "7",
                                           "7", "7", "7", "7", "7", "7", "7", "7", "7", "7", "7",
                                           "7", "7", "7", "7", "7", "7", "7", "7", "7", "7");
      const std::string shown = TrMultiline(line);
      EXPECT_FALSE(HasCyrillic(shown)) << file << ": " << shown;
    }
    for (const char* text : ReportTrTexts)
      EXPECT_FALSE(HasCyrillic(Tr(text))) << file << ": " << text;
  }
  OverrideLanguageFolder("");
}

}  // namespace
}  // namespace quelmora
