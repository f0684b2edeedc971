#include <charconv>
#include <cstdlib>

#include "io/Json.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/FloatChecks.h"
#include "model/Utf8.h"

namespace quelmora {

namespace {

constexpr int kSignificantDigits = 15;

const char kHexDigits[] = "0123456789ABCDEF";

void AppendUnicodeEscape(std::string& out, unsigned unit) {
  out += "\\u";
  out += kHexDigits[(unit >> 12) & 0xF];
  out += kHexDigits[(unit >> 8) & 0xF];
  out += kHexDigits[(unit >> 4) & 0xF];
  out += kHexDigits[unit & 0xF];
}

void AppendValue(std::string& out, const TJsonValue& value) {
  switch (value.Kind) {
    case jkNull:
      out += "null";
      break;
    case jkFalse:
      out += "false";
      break;
    case jkTrue:
      out += "true";
      break;
    case jkNumber:
      out += FormatJsonNumber(value.Number);
      break;
    case jkString:
      AppendJsonString(out, value.Text);
      break;
    case jkArray: {
      out += '[';
      bool first = true;
      for (const TJsonValue& item : value.Items) {
        if (!first) out += ',';
        first = false;
        AppendValue(out, item);
      }
      out += ']';
      break;
    }
    case jkObject: {
      out += '{';
      bool first = true;
      for (const TJsonMember& member : value.Members) {
        if (!first) out += ',';
        first = false;
        AppendJsonString(out, member.Key);
        out += ':';
        AppendValue(out, member.Value);
      }
      out += '}';
      break;
    }
  }
}

}  // namespace

std::string FormatJsonNumber(double Value) {
  FChecked(Value);
  if (Value == 0) return "0";  // also -0

  // d.dddddddddddddde±x: the correctly rounded 15 significant digits and the
  // decimal exponent of the rounded value.
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, Value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
  (void)ec;  // the buffer is large enough for any double
  const std::string_view sci(buffer, static_cast<size_t>(end - buffer));
  const bool negative = sci.front() == '-';
  const size_t mantissaStart = negative ? 1 : 0;
  const size_t ePos = sci.find('e');

  std::string digits;
  for (size_t i = mantissaStart; i < ePos; ++i)
    if (sci[i] != '.') digits += sci[i];
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();
  const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());

  std::string out = negative ? "-" : "";
  if (exponent >= -4 && exponent <= 14) {
    if (exponent < 0) {
      out += "0.";
      out.append(static_cast<size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const size_t intDigits = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
      } else {
        out.append(digits, 0, intDigits);
        out += '.';
        out.append(digits, intDigits);
      }
    }
  } else {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += 'E';
    if (exponent < 0) out += '-';
    out += std::to_string(std::abs(exponent));
  }
  return out;
}

void AppendJsonString(std::string& Out, std::string_view Utf8Text) {
  Out += '"';
  size_t pos = 0;
  while (pos < Utf8Text.size()) {
    const unsigned char c = static_cast<unsigned char>(Utf8Text[pos]);
    if (c < 0x80) {
      ++pos;
      switch (c) {
        case '"':
        case '\\':
        case '/':
          Out += '\\';
          Out += static_cast<char>(c);
          break;
        case '\b':
          Out += "\\b";
          break;
        case '\t':
          Out += "\\t";
          break;
        case '\n':
          Out += "\\n";
          break;
        case '\f':
          Out += "\\f";
          break;
        case '\r':
          Out += "\\r";
          break;
        default:
          if (c < 0x20)
            AppendUnicodeEscape(Out, c);
          else
            Out += static_cast<char>(c);
      }
      continue;
    }
    char32_t cp;
    if (!DecodeUtf8(Utf8Text, pos, cp)) throw Exception(TErrorKind::Encoding, STextNotUtf8);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      AppendUnicodeEscape(Out, 0xD800 + (v >> 10));
      AppendUnicodeEscape(Out, 0xDC00 + (v & 0x3FF));
    } else {
      AppendUnicodeEscape(Out, cp);
    }
  }
  Out += '"';
}

std::string WriteJson(const TJsonValue& Value) {
  std::string out;
  AppendValue(out, Value);
  return out;
}

void AppendJson(std::string& Out, const TJsonValue& Value) {
  AppendValue(Out, Value);
}

}  // namespace quelmora
