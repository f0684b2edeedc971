#include "support/ScopedEnv.h"

#include <stdlib.h>

#include <algorithm>

namespace quelmora::testing {

TScopedEnv::TScopedEnv(std::initializer_list<const char*> Names) {
  for (const char* name : Names)
    Unset(name);
}

TScopedEnv::~TScopedEnv() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->second)
      setenv(it->first.c_str(), it->second->c_str(), 1);
    else
      unsetenv(it->first.c_str());
  }
}

void TScopedEnv::Set(const std::string& Name, const std::string& Value) {
  Keep(Name);
  setenv(Name.c_str(), Value.c_str(), 1);
}

void TScopedEnv::Unset(const std::string& Name) {
  Keep(Name);
  unsetenv(Name.c_str());
}

// Only the value before the first change is the one to restore.
void TScopedEnv::Keep(const std::string& Name) {
  const bool known = std::any_of(saved_.begin(), saved_.end(),
                                 [&](const auto& entry) { return entry.first == Name; });
  if (known) return;
  const char* value = getenv(Name.c_str());
  saved_.emplace_back(Name, value ? std::optional<std::string>(value) : std::nullopt);
}

}  // namespace quelmora::testing
