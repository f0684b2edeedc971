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

}  // namespace
}  // namespace quelmora
