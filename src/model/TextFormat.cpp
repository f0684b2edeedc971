#include "model/TextFormat.h"

#include <locale.h>
#include <clocale>
#include <cstdarg>
#include <cstdio>

namespace quelmora {

namespace {

locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

// Switches the calling thread to the "C" locale for its lifetime.
class ClassicLocaleScope {
 public:
  ClassicLocaleScope() : previous_(uselocale(ClassicLocale())) {}
  ~ClassicLocaleScope() { uselocale(previous_); }
  ClassicLocaleScope(const ClassicLocaleScope&) = delete;
  ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

 private:
  locale_t previous_;
};

}  // namespace

std::string Format(const char* format, ...) {
  ClassicLocaleScope scope;
  char buffer[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<size_t>(n));
  std::string result(static_cast<size_t>(n), '\0');
  va_start(args, format);
  std::vsnprintf(result.data(), result.size() + 1, format, args);
  va_end(args);
  return result;
}

std::string NumberKey(double a, double b, double c, std::chars_format format, int precision) {
  std::string key;
  key.reserve(64);
  for (const double value : {a, b, c}) {
    if (!key.empty()) key += '/';
    char buffer[400];  // the widest finite double in fixed notation
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    key.append(buffer, result.ptr);
  }
  return key;
}

std::string_view Trim(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
    ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
    --last;
  return text.substr(first, last - first);
}

}  // namespace quelmora
