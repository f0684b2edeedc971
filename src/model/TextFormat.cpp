#include "model/TextFormat.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "model/Utf8.h"

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

namespace {

bool IsFlag(char c) {
  return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLength(char c) {
  return c == 'h' || c == 'l' || c == 'L' || c == 'z' || c == 'j' || c == 't';
}

int64_t AsInteger(const TFormatArg& arg) {
  switch (arg.Kind()) {
    case TFormatArg::TKind::Integer:
      return arg.Integer();
    case TFormatArg::TKind::Real: {
      const double v = arg.Real();
      if (!std::isfinite(v)) return 0;
      if (v >= 9.2e18) return std::numeric_limits<int64_t>::max();
      if (v <= -9.2e18) return std::numeric_limits<int64_t>::min();
      return static_cast<int64_t>(v);
    }
    case TFormatArg::TKind::Text:
      break;
  }
  return 0;
}

double AsReal(const TFormatArg& arg) {
  return arg.Kind() == TFormatArg::TKind::Real ? arg.Real() : static_cast<double>(arg.Integer());
}

// The text of one conversion: Flags holds the flags, width and precision
// (without the length modifier), Conversion its letter.
std::string Convert(std::string_view separator, const std::string& flags, char conversion,
                    const TFormatArg& arg) {
  // Plain text goes in whole, whatever bytes it holds.
  if (arg.Kind() == TFormatArg::TKind::Text && conversion == 's' && flags.empty())
    return arg.Text();
  if (arg.Kind() == TFormatArg::TKind::Text && conversion != 'c') {
    // Text for a number conversion is shown whole, padded the same way.
    const std::string f = "%" + flags.substr(0, flags.find('.')) + "s";
    return Format(f.c_str(), arg.Text().c_str());
  }
  switch (conversion) {
    case 'd':
    case 'i': {
      const std::string f = "%" + flags + "lld";
      return Format(f.c_str(), static_cast<long long>(AsInteger(arg)));
    }
    case 'u':
    case 'x':
    case 'X':
    case 'o': {
      const std::string f = "%" + flags + "ll" + conversion;
      return Format(f.c_str(), static_cast<unsigned long long>(AsInteger(arg)));
    }
    case 'c': {
      if (arg.Kind() == TFormatArg::TKind::Text) {
        // The first character, never half of one.
        size_t end = 0;
        char32_t codePoint = 0;
        if (!DecodeUtf8(arg.Text(), end, codePoint)) end = 0;
        return arg.Text().substr(0, end);
      }
      const std::string f = "%" + flags + "c";
      return Format(f.c_str(), static_cast<int>(AsInteger(arg) & 0x7F));
    }
    case 's': {
      const std::string f = "%" + flags + "s";
      std::string text = arg.Kind() == TFormatArg::TKind::Integer
                             ? Format("%lld", static_cast<long long>(arg.Integer()))
                             : Convert(separator, "", 'g', arg);
      return Format(f.c_str(), text.c_str());
    }
    default: {  // f F e E g G a A
      const std::string f = "%" + flags + conversion;
      std::string text = Format(f.c_str(), AsReal(arg));
      const size_t point = text.find('.');
      if (point != std::string::npos) text.replace(point, 1, separator);
      return text;
    }
  }
}

}  // namespace

std::string FormatArgs(std::string_view Format, const TFormatArg* Args, size_t ArgCount,
                       std::string_view DecimalSeparator) {
  std::string out;
  const TFormatArg* next = Args;
  const TFormatArg* const last = Args + ArgCount;
  size_t i = 0;
  while (i < Format.size()) {
    const char c = Format[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    const size_t start = i++;
    std::string flags;
    size_t digits = 0;
    while (i < Format.size() && IsFlag(Format[i]))
      flags += Format[i++];
    for (digits = 0; i < Format.size() && IsDigit(Format[i]); ++digits)
      flags += Format[i++];
    bool tooWide = digits > 3;
    if (i < Format.size() && Format[i] == '.') {
      flags += Format[i++];
      for (digits = 0; i < Format.size() && IsDigit(Format[i]); ++digits)
        flags += Format[i++];
      tooWide = tooWide || digits > 3;
    }
    while (i < Format.size() && IsLength(Format[i]))
      ++i;
    if (i >= Format.size()) {
      out.append(Format.substr(start));
      break;
    }
    const char conversion = Format[i++];
    if (conversion == '%') {
      out += '%';
      continue;
    }
    static constexpr std::string_view known = "diuxXocsfFeEgGaA";
    // A width beyond three digits is no layout but a broken (or hostile) format.
    if (known.find(conversion) == std::string_view::npos || next == last || tooWide) {
      out.append(Format.substr(start, i - start));
      continue;
    }
    out += Convert(DecimalSeparator, flags, conversion, *next++);
  }
  return out;
}

std::string FormatArgs(std::string_view Format, std::initializer_list<TFormatArg> Args,
                       std::string_view DecimalSeparator) {
  return FormatArgs(Format, Args.begin(), Args.size(), DecimalSeparator);
}

TFormatArg TFormatArg::Key(std::string_view Text) {
  TFormatArg arg(Text);
  arg.key_ = true;
  return arg;
}

TFormatArg TFormatArg::Nested(TMessage Message) {
  TFormatArg arg(MessageText(Message));
  arg.nested_ = std::make_shared<const TMessage>(std::move(Message));
  return arg;
}

std::string MessageText(const TMessage& Message) {
  return Message.Args.empty() ? Message.Id
                              : FormatArgs(Message.Id, Message.Args.data(), Message.Args.size());
}

}  // namespace quelmora
