#include <gtest/gtest.h>

#include <string>

#include "l10n/SettingsIni.h"

namespace quelmora {
namespace {

TEST(ReadIniValueTest, FindsTheFirstKeyOfTheFirstSectionIgnoringLatinCase) {
  const std::string text =
      "; comment\n"
      "Language=outside\n"
      "[Other]\n"
      "Language=other\n"
      "  [ interface ]  \n"
      "  LANGUAGE  =  \"German.lng\"  \n"
      "Language=second\n"
      "[Interface]\n"
      "Language=later section\n";
  EXPECT_EQ(ReadIniValue(text, "Interface", "Language"), "German.lng");
  EXPECT_EQ(ReadIniValue(text, "Other", "language"), "other");
  EXPECT_EQ(ReadIniValue(text, "Interface", "Theme"), "");
  EXPECT_EQ(ReadIniValue(text, "Missing", "Language"), "");
  EXPECT_EQ(ReadIniValue("", "Interface", "Language"), "");
  EXPECT_EQ(ReadIniValue("[Interface]\r\n;Language=x\r\nLanguage=y", "Interface", "Language"), "y");
}

TEST(WriteIniValueTest, ReplacesTheValueInPlace) {
  EXPECT_EQ(WriteIniValue("[Interface]\r\nlanguage = English.lng\r\nTheme=dark\r\n", "Interface",
                          "Language", "German.lng"),
            "[Interface]\r\nLanguage=German.lng\r\nTheme=dark\r\n");
  EXPECT_EQ(WriteIniValue("[Interface]\nLanguage=English.lng", "Interface", "Language", "x.lng"),
            "[Interface]\nLanguage=x.lng");
}

TEST(WriteIniValueTest, AddsAMissingKeyAtTheEndOfItsSection) {
  EXPECT_EQ(WriteIniValue("[Interface]\nTheme=dark\n\n[Window]\nLeft=1\n", "Interface", "Language",
                          "German.lng"),
            "[Interface]\nTheme=dark\nLanguage=German.lng\n\n[Window]\nLeft=1\n");
  EXPECT_EQ(WriteIniValue("[Interface]", "Interface", "Language", "German.lng"),
            "[Interface]\nLanguage=German.lng\n");
}

TEST(WriteIniValueTest, AddsAMissingSectionAtTheEnd) {
  EXPECT_EQ(WriteIniValue("", "Interface", "Language", "German.lng"),
            "[Interface]\nLanguage=German.lng\n");
  EXPECT_EQ(WriteIniValue("[Window]\r\nLeft=1", "Interface", "Language", "German.lng"),
            "[Window]\r\nLeft=1\r\n[Interface]\r\nLanguage=German.lng\r\n");
}

// A settings.ini saved by an editor that adds a byte-order mark once lost the
// language choice: the mark hid the section header of the first line.
class IniWithByteOrderMark : public ::testing::TestWithParam<const char*> {};

TEST_P(IniWithByteOrderMark, ReadsAndWritesAsWithoutIt) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string text = GetParam();
  EXPECT_EQ(ReadIniValue(bom + text, "Interface", "Language"),
            ReadIniValue(text, "Interface", "Language"));
  const std::string written = WriteIniValue(bom + text, "Interface", "Language", "German.lng");
  EXPECT_EQ(written, bom + WriteIniValue(text, "Interface", "Language", "German.lng"));
  EXPECT_EQ(ReadIniValue(written, "Interface", "Language"), "German.lng");
}

INSTANTIATE_TEST_SUITE_P(Table, IniWithByteOrderMark,
                         ::testing::Values("[Interface]\r\nLanguage=English.lng\r\n",
                                           "[Interface]\nTheme=dark\n", "[Window]\nLeft=1",
                                           "Language=outside\n[Interface]\nLanguage=x.lng", ""));

}  // namespace
}  // namespace quelmora
