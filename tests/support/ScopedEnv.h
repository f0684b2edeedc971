#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quelmora::testing {

// Sets and clears environment variables while it lives; on destruction every
// variable it touched gets back the value it had before the first change.
class TScopedEnv {
 public:
  TScopedEnv() = default;
  // Clears each of Names at once.
  explicit TScopedEnv(std::initializer_list<const char*> Names);
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;
  ~TScopedEnv();

  void Set(const std::string& Name, const std::string& Value);
  void Unset(const std::string& Name);
  // Leaves Name as it is, but restores it too: for code that sets it itself.
  void Keep(const std::string& Name);

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace quelmora::testing
