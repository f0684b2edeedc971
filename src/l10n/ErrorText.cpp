#include "l10n/ErrorText.h"

#include <new>

#include "model/AppStrings.h"

namespace quelmora {

std::string LocalizedMessage(const Exception& e) {
  return e.Message();
}

std::string ErrorDetail(const Exception&) {
  return {};
}

std::string LocalizedFailure(const std::exception& e) {
  if (const auto* ours = dynamic_cast<const Exception*>(&e)) return LocalizedMessage(*ours);
  if (dynamic_cast<const std::bad_alloc*>(&e)) return SNoMemory;
  return e.what();
}

std::string LocalizedRunFailure(const Exception& e) {
  return std::string(e.KindName()) + ": " + LocalizedMessage(e);
}

}  // namespace quelmora
