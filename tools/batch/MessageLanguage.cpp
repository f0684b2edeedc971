#include "MessageLanguage.h"

#include <filesystem>

#include "l10n/Localization.h"
#include "model/AppStrings.h"

namespace quelmora {

bool HasFolderPart(const std::string& Name) {
  return std::filesystem::path(Name).has_parent_path();
}

std::string LanguageFilePath(const std::string& Name) {
  if (HasFolderPart(Name)) return Name;
  return LanguageFolder() + "/" + Name;
}

bool LoadNamedLanguage(const std::string& Name) {
  return HasFolderPart(Name) ? LoadLanguageFrom(Name) : LoadLanguage(Name);
}

std::string LoadMessageLanguage(const std::optional<std::string>& Lang) {
  std::error_code ec;
  // A --lang file that is not there is refused later, in the locale's words;
  // LoadLanguage would quietly take Russian for it.
  if (Lang && std::filesystem::is_regular_file(LanguageFilePath(*Lang), ec) &&
      LoadNamedLanguage(*Lang))
    return *Lang;
  // A locale without a language file of its own gets Russian.
  const std::string file = DefaultLanguageFile();
  LoadLanguage(file);
  return file;
}

std::string StageText(const std::string& Stage) {
  const std::string calculation = std::string(SStageCalculation) + ": ";
  if (Stage.starts_with(calculation))
    return Tr(SStageCalculation) + ": " + Stage.substr(calculation.size());
  return Tr(Stage);
}

TScopedLanguage::~TScopedLanguage() {
  try {
    LoadNamedLanguage(FRestore);
  } catch (...) {
    // The messages then come as the last language left them; a destructor
    // must not throw.
  }
}

}  // namespace quelmora
