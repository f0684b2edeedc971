#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "io/TempFolder.h"
#include "l10n/Localization.h"

namespace quelmora::testing {

// A language folder and a settings folder of the test's own; the locale
// variables are cleared and restored afterwards.
class LanguageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(Lang());
    OverrideLanguageFolder(Lang().string());
    for (const char* name :
         {"LOCALAPPDATA", "XDG_DATA_HOME", "HOME", "LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = getenv(name);
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
      unsetenv(name);
    }
    setenv("LOCALAPPDATA", (temp_.Path() / "appdata").c_str(), 1);
  }

  void TearDown() override {
    OverrideLanguageFolder("");
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }

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

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace quelmora::testing
