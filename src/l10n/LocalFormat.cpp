#include "l10n/LocalFormat.h"

#include <cmath>
#include <limits>

#include "io/Utf8.h"
#include "model/TextFormat.h"

namespace quelmora {

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
std::string Convert(const TNumberFormat& numbers, const std::string& flags, char conversion,
                    const TFormatArg& arg) {
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
                             : Convert(numbers, "", 'g', arg);
      return Format(f.c_str(), text.c_str());
    }
    default: {  // f F e E g G a A
      const std::string f = "%" + flags + conversion;
      std::string text = Format(f.c_str(), AsReal(arg));
      const size_t point = text.find('.');
      if (point != std::string::npos) text.replace(point, 1, numbers.DecimalSeparator);
      return text;
    }
  }
}

}  // namespace

std::string FormatLocalArgs(const TNumberFormat& Numbers, std::string_view Format,
                            std::initializer_list<TFormatArg> Args) {
  std::string out;
  auto next = Args.begin();
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
    if (known.find(conversion) == std::string_view::npos || next == Args.end() || tooWide) {
      out.append(Format.substr(start, i - start));
      continue;
    }
    out += Convert(Numbers, flags, conversion, *next++);
  }
  return out;
}

}  // namespace quelmora
