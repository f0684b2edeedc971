#pragma once

#include <string>

namespace quelmora {

// Makes Qt's own texts (standard buttons, file dialogs) follow the language
// of LanguageFile ("German.lng"); English when Qt has no translation for it.
void ApplyQtTranslations(const std::string& LanguageFile);

}  // namespace quelmora
