#pragma once

#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

// printf-style formatting into a string, always with "." as the decimal
// separator whatever locale the process has set (files, keys and log lines
// must not depend on it).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

struct TMessage;

// One value for FormatArgs; keeps its kind so a conversion that does not
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

  // A catalogue text as a value: shown as it stands here, translated where
  // the message is shown in the user's language.
  static TFormatArg Key(std::string_view Text);
  // A whole message as a value: shown here in the catalogue's language.
  static TFormatArg Nested(TMessage Message);

  TKind Kind() const { return kind_; }
  bool IsKey() const { return key_; }
  // The message of a Nested value; null for any other.
  const TMessage* NestedMessage() const { return nested_.get(); }
  int64_t Integer() const { return integer_; }
  double Real() const { return real_; }
  const std::string& Text() const { return text_; }

 private:
  TKind kind_;
  int64_t integer_ = 0;
  double real_ = 0;
  std::string text_;
  bool key_ = false;
  std::shared_ptr<const TMessage> nested_;
};

// A catalogue text and its values, before it is put into words.
struct TMessage {
  std::string Id;
  std::vector<TFormatArg> Args;
};

// printf-style formatting at run time (%d %i %u %x %f %e %g %s %c %%, with
// flags, width and precision), writing DecimalSeparator into real numbers.
// Formats may come from language files, so a conversion without a value is
// copied as it stands and a value of the wrong kind is converted; nothing is
// ever read past the given values.
std::string FormatArgs(std::string_view Format, std::initializer_list<TFormatArg> Args,
                       std::string_view DecimalSeparator = ".");
std::string FormatArgs(std::string_view Format, const TFormatArg* Args, size_t ArgCount,
                       std::string_view DecimalSeparator = ".");

// Message in the catalogue's language, numbers with a point: the Id as it
// stands when there are no values.
std::string MessageText(const TMessage& Message);

// Three numbers joined by "/", each as std::to_chars writes it with the given
// format and precision ("." as decimal separator, locale-independent): the
// text keys that tell sizes apart.
std::string NumberKey(double a, double b, double c, std::chars_format format, int precision);

// Without leading and trailing spaces and control characters.
std::string_view Trim(std::string_view text);

}  // namespace quelmora
