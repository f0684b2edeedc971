#include "l10n/QtTranslations.h"

namespace quelmora {

void ApplyQtTranslations(const std::string&) {}

}  // namespace quelmora
