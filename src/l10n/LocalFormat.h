#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quelmora {

// How numbers are shown to the user: everything but the decimal separator is
// fixed by the format strings.
struct TNumberFormat {
  std::string DecimalSeparator = ".";
};

// One value for FormatLocal; keeps its kind so a conversion that does not
// match it is converted rather than read as garbage.
class TFormatArg {
 public:
  enum class TKind { Integer, Real, Text };

  TFormatArg(int value) : kind_(TKind::Integer), integer_(value) {}
  TFormatArg(long value) : kind_(TKind::Integer), integer_(value) {}
  TFormatArg(long long value) : kind_(TKind::Integer), integer_(value) {}
  TFormatArg(unsigned value) : kind_(TKind::Integer), integer_(value) {}
  TFormatArg(unsigned long value) : kind_(TKind::Integer), integer_(static_cast<int64_t>(value)) {}
  TFormatArg(unsigned long long value)
      : kind_(TKind::Integer), integer_(static_cast<int64_t>(value)) {}
  TFormatArg(double value) : kind_(TKind::Real), real_(value) {}
  TFormatArg(const char* value) : kind_(TKind::Text), text_(value ? value : "") {}
  TFormatArg(std::string_view value) : kind_(TKind::Text), text_(value) {}
  TFormatArg(const std::string& value) : kind_(TKind::Text), text_(value) {}

  TKind Kind() const { return kind_; }
  int64_t Integer() const { return integer_; }
  double Real() const { return real_; }
  const std::string& Text() const { return text_; }

 private:
  TKind kind_;
  int64_t integer_ = 0;
  double real_ = 0;
  std::string text_;
};

// printf-style formatting (%d %i %u %x %f %e %g %s %c %%, with flags, width
// and precision) that writes the decimal separator of Numbers into real
// numbers. Formats may come from language files, so a conversion without a
// value is copied as it stands and a value of the wrong kind is converted;
// nothing is ever read past the given values.
std::string FormatLocalArgs(const TNumberFormat& Numbers, std::string_view Format,
                            std::initializer_list<TFormatArg> Args);

template <typename... TArgs>
std::string FormatLocal(const TNumberFormat& Numbers, std::string_view Format,
                        const TArgs&... Args) {
  return FormatLocalArgs(Numbers, Format, {TFormatArg(Args)...});
}

}  // namespace quelmora
