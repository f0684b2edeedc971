// The batch tool writes its messages in the language of --lang, else of the
// locale, else Russian; the window's saved choice never decides them.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BatchRun.h"
#include "MessageLanguage.h"
#include "io/ExampleFiles.h"
#include "io/ProjectSerializer.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/ProductFields.h"
#include "model/TextFormat.h"
#include "support/Cyrillic.h"
#include "support/ScopedEnv.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

namespace fs = std::filesystem;

std::string ShippedLanguages() {
  return std::string(QUELMORA_SOURCE_DIR) + "/lang";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The products header, as the importer names its columns.
std::string ProductsHeader() {
  std::string header;
  for (const std::string_view name : ProductFieldNames)
    header += (header.empty() ? "" : ";") + std::string(name);
  return header + "\r\n";
}

// Settings in a folder of the test's own that choose German, as the window
// would have saved it: the tool must not listen to it.
class BatchLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(ShippedLanguages());
    env_.Set("LOCALAPPDATA", temp_.File("appdata"));
    SaveLanguageChoice("German.lng");
  }
  void TearDown() override { OverrideLanguageFolder(""); }

  quelmora::testing::TTempFolder temp_;
  quelmora::testing::TScopedEnv env_{"LOCALAPPDATA", "LC_ALL", "LC_MESSAGES", "LANG"};
};

struct TLanguageCase {
  const char* Label;
  std::vector<std::pair<std::string, std::string>> Env;
  std::vector<std::string> Lang;  // the --lang option, if any
  const char* Expected;           // the language file the messages take
};

void PrintTo(const TLanguageCase& c, std::ostream* os) {
  *os << c.Label;
}

const TLanguageCase kLanguageCases[] = {
    {"NoLocale", {}, {}, "Russian.lng"},
    {"LangOption", {}, {"--lang", "English.lng"}, "English.lng"},
    {"LangWithFolder", {}, {"--lang", ShippedLanguages() + "/English.lng"}, "English.lng"},
    {"GermanLocale", {{"LANG", "de_DE.UTF-8"}}, {}, "German.lng"},
    {"EnglishLocale", {{"LANG", "en_US.UTF-8"}}, {}, "English.lng"},
    {"LocaleWithoutFile", {{"LANG", "fr_FR.UTF-8"}}, {}, "Russian.lng"},
    {"LcAllFirst", {{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "en_US.UTF-8"}}, {}, "German.lng"},
    {"LcMessagesBeforeLang",
     {{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "de_DE.UTF-8"}},
     {},
     "English.lng"},
    {"OptionBeforeLocale", {{"LANG", "en_US.UTF-8"}}, {"--lang", "German.lng"}, "German.lng"},
};

class MessageLanguageCase : public BatchLanguageTest,
                            public ::testing::WithParamInterface<TLanguageCase> {
 protected:
  void SetUp() override {
    BatchLanguageTest::SetUp();
    for (const auto& [name, value] : GetParam().Env)
      env_.Set(name, value);
  }

  std::optional<std::string> LangOption() const {
    const std::vector<std::string>& lang = GetParam().Lang;
    return lang.empty() ? std::nullopt : std::optional<std::string>(lang[1]);
  }

  // The import of Csv fails; what the tool wrote to stderr.
  std::vector<std::string> FailedImport(const std::string& csv) {
    quelmora::testing::WriteBytes(temp_.File("in.csv"), csv);
    std::vector<std::string> args = {"--sample", "--import", temp_.File("in.csv"), "--csv",
                                     temp_.File("r.csv")};
    args.insert(args.end(), GetParam().Lang.begin(), GetParam().Lang.end());
    const quelmora::testing::Outcome o = quelmora::testing::RunTool(args);
    EXPECT_EQ(o.status, 1) << o.err;
    EXPECT_TRUE(o.out.empty());
    EXPECT_FALSE(fs::exists(temp_.File("r.csv")));
    return Lines(o.err);
  }

  // The message in the expected language, from its Russian template.
  std::string Expected(std::string_view Template, std::initializer_list<TFormatArg> Args) const {
    EXPECT_TRUE(LoadLanguage(GetParam().Expected));
    return FormatArgs(Tr(Template), Args);
  }

  // The last line is the message; a line before it, if any, is the detail
  // in the same language and names Found.
  void ExpectMessage(const std::vector<std::string>& lines, const std::string& message,
                     const std::string& found) const {
    ASSERT_FALSE(lines.empty());
    ASSERT_LE(lines.size(), 2u);
    const bool russian = std::string(GetParam().Expected) == "Russian.lng";
    EXPECT_EQ(lines.back(), message);
    EXPECT_EQ(HasCyrillic(lines.back()), russian) << lines.back();
    if (lines.size() == 2) {
      if (!russian) {
        EXPECT_FALSE(HasCyrillic(lines[0])) << lines[0];
      }
      EXPECT_NE(lines[0].find(found), std::string::npos) << lines[0];
    }
  }
};

TEST_P(MessageLanguageCase, ComesFromLangElseTheLocaleNeverTheSettings) {
  const std::string loaded = LoadMessageLanguage(LangOption());
  EXPECT_EQ(CurrentLanguageFile(), GetParam().Expected);
  // The name given back loads the same language again.
  ASSERT_TRUE(LoadLanguage("Russian.lng"));
  EXPECT_TRUE(LoadNamedLanguage(loaded));
  EXPECT_EQ(CurrentLanguageFile(), GetParam().Expected);
}

TEST_P(MessageLanguageCase, AWrongHeaderIsReportedInTheMessageLanguage) {
  const std::vector<std::string> lines = FailedImport("Name;Price\r\n");
  ExpectMessage(lines, Expected(SInvalidCsvHeader, {InstalledExampleCsv()}), "");
}

TEST_P(MessageLanguageCase, AWrongValueIsReportedInTheMessageLanguage) {
  const size_t column = static_cast<size_t>(FieldIndex(ProductFields, "OriginalLengthMM"));
  std::string row;
  for (size_t i = 0; i < ProductFields.size(); ++i)
    row += std::string(i ? ";" : "") + (i == column                 ? "abc"
                                        : ProductFields[i].IsText() ? "Чай"
                                                                    : "1");
  const std::vector<std::string> lines = FailedImport(ProductsHeader() + row + "\r\n");
  const std::string caption(ProductFields[column].Caption);
  ExpectMessage(lines, Expected(SCsvRowError, {2, Tr(caption)}), "abc");
}

INSTANTIATE_TEST_SUITE_P(Table, MessageLanguageCase, ::testing::ValuesIn(kLanguageCases),
                         [](const auto& info) { return std::string(info.param.Label); });

// The report takes its own language (here the saved German) and gives the
// messages theirs back afterwards, also when --lang names a file by folder.
TEST_F(BatchLanguageTest, TheReportLanguageEndsWithTheReport) {
  env_.Set("LANG", "en_US.UTF-8");
  const quelmora::testing::Outcome o =
      quelmora::testing::RunTool({"--sample", "--quiet", "--pdf", temp_.File("r.pdf")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(CurrentLanguageFile(), "English.lng");

  fs::create_directory(temp_.File("mine"));
  fs::copy_file(ShippedLanguages() + "/English.lng", temp_.File("mine/Mine.lng"));
  const std::string mine = LoadMessageLanguage(temp_.File("mine/Mine.lng"));
  {
    const TScopedLanguage keep(mine);
    ASSERT_TRUE(LoadLanguage("German.lng"));
    EXPECT_EQ(CurrentLanguageFile(), "German.lng");
  }
  EXPECT_EQ(CurrentLanguageFile(), "Mine.lng");
}

// The progress names the stages in the message language and the product
// exactly as typed, whatever words of the catalogue its name holds.
TEST_F(BatchLanguageTest, ProgressKeepsTheProductNameAsTyped) {
  const std::string name = "Расчет завершен 5 кг";
  SaveProject(temp_.File("p.vld"), test::SmallProject({test::ScaledProduct(1, 1.0, name)}));
  for (const char* language : {"English.lng", "German.lng", "Russian.lng"}) {
    const quelmora::testing::Outcome o =
        quelmora::testing::RunTool({"--project", temp_.File("p.vld"), "--quiet", "--progress",
                                    "--lang", language, "--json", temp_.File("r.json")});
    ASSERT_EQ(o.status, 0) << o.err;
    ASSERT_TRUE(LoadLanguage(language));
    EXPECT_NE(o.err.find("100% " + Tr(SCalculationFinished)), std::string::npos) << o.err;
    EXPECT_EQ(StageText(std::string(SStageCalculation) + ": " + name),
              Tr(SStageCalculation) + ": " + name);
    EXPECT_EQ(StageText(SStageUnification), Tr(SStageUnification));
  }
}

// A --lang file that is not there is refused in the locale's language.
TEST_F(BatchLanguageTest, AMissingLangFileIsRefusedInTheLocaleLanguage) {
  env_.Set("LANG", "de_DE.UTF-8");
  const quelmora::testing::Outcome o = quelmora::testing::RunTool(
      {"--sample", "--lang", "Klingon.lng", "--json", temp_.File("r.json")});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(CurrentLanguageFile(), "German.lng");
  const std::string path = ShippedLanguages() + "/Klingon.lng";
  EXPECT_EQ(o.LastErrLine(), FormatArgs(Tr("Language file not found: \"%s\""), {path}));
  EXPECT_FALSE(fs::exists(temp_.File("r.json")));
}

}  // namespace
}  // namespace quelmora
