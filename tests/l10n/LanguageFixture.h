#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "l10n/Localization.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

namespace quelmora::testing {

// A language folder and a settings folder of the test's own; the locale
// variables are cleared and restored afterwards.
class LanguageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(Lang());
    OverrideLanguageFolder(Lang().string());
    env_.Set("LOCALAPPDATA", (temp_.Path() / "appdata").string());
  }

  void TearDown() override { OverrideLanguageFolder(""); }

  std::filesystem::path Lang() const { return temp_.Path() / "lang"; }

  // Writes a language file into the test's language folder.
  void WriteLanguage(const std::string& fileName, const std::string& text) const {
    WriteBytes((Lang() / fileName).string(), text);
  }

  // Russian, English and German with a few lines each; the tests add more.
  void WriteThreeLanguages() const {
    WriteLanguage("Russian.lng", "language=Русский\nРасчет=Расчет\nЯщик=Ящик\nмм=мм\n");
    WriteLanguage("English.lng", "language=English\nРасчет=Calculate\nЯщик=Box\nмм=mm\n");
    WriteLanguage("German.lng", "language=Deutsch\nРасчет=Berechnen\nЯщик=Karton\nмм=mm\n");
  }

  std::string SettingsText() const { return ReadBytes(SettingsFileName()); }

  TTempFolder temp_;
  // The variables the language look-up reads, cleared for each test.
  TScopedEnv env_{"LOCALAPPDATA", "XDG_DATA_HOME", "HOME", "LC_ALL", "LC_MESSAGES", "LANG"};
};

}  // namespace quelmora::testing
