#pragma once

#include <optional>
#include <string>

namespace quelmora {

// A --lang value names a language file: a bare file name is looked up in
// LanguageFolder as the window's selector does, a name with a folder part is
// that file and no other (never the installed one of the same name).
bool HasFolderPart(const std::string& Name);
std::string LanguageFilePath(const std::string& Name);

// Makes the language that Name (a --lang value) names current. False when
// it cannot be read.
bool LoadNamedLanguage(const std::string& Name);

// Makes the language of the tool's messages current: that of Lang (a --lang
// value) when it can be read, else the locale's (LC_ALL, LC_MESSAGES, LANG),
// else Russian. The window's saved choice plays no part: a script's output
// must not change with what someone picked in the window. Returns the name
// to load it again by LoadNamedLanguage.
std::string LoadMessageLanguage(const std::optional<std::string>& Lang);

// The stage of a run in the current language; the product's name after the
// calculation stage stays as it was typed.
std::string StageText(const std::string& Stage);

// Whatever language is made current while it lives, the one named Restore
// (a LoadNamedLanguage name) is current again afterwards.
class TScopedLanguage {
 public:
  explicit TScopedLanguage(std::string Restore) : FRestore(std::move(Restore)) {}
  TScopedLanguage(const TScopedLanguage&) = delete;
  TScopedLanguage& operator=(const TScopedLanguage&) = delete;
  ~TScopedLanguage();

 private:
  std::string FRestore;
};

}  // namespace quelmora
