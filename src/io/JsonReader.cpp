#include <locale.h>
#include <stdlib.h>

#include "io/Json.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Utf8.h"

namespace quelmora {

namespace {

// Deep enough for any file of ours, shallow enough for the stack.
constexpr int kMaxDepth = 512;

locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class TJsonParser {
 public:
  explicit TJsonParser(std::string_view text) : text_(text) {}

  TJsonValue ParseDocument() {
    SkipWhitespace();
    TJsonValue value = ParseValue();
    SkipWhitespace();
    if (pos_ != text_.size()) Fail("Unexpected text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const char* what) const {
    throw Exception(TErrorKind::JsonSyntax, "%s at byte %zu", {what, pos_});
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  // '\0' at the end, which no caller compares against.
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  void SkipWhitespace() {
    while (!AtEnd()) {
      const char c = text_[pos_];
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++pos_;
    }
  }

  void Expect(char c) {
    if (Peek() != c) Fail(Format("Expected '%c'", c).c_str());
    ++pos_;
  }

  TJsonValue ParseValue() {
    if (AtEnd()) Fail("Unexpected end of text");
    switch (text_[pos_]) {
      case '{':
        return ParseObject();
      case '[':
        return ParseArray();
      case '"': {
        TJsonValue v = JsonString({});
        v.Text = ParseString();
        return v;
      }
      case 't':
        ParseLiteral("true");
        return JsonBool(true);
      case 'f':
        ParseLiteral("false");
        return JsonBool(false);
      case 'n':
        ParseLiteral("null");
        return JsonNull();
      default:
        return ParseNumber();
    }
  }

  void ParseLiteral(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) Fail("Invalid literal");
    pos_ += word.size();
  }

  void Enter() {
    if (++depth_ > kMaxDepth) Fail("Nesting too deep");
  }

  TJsonValue ParseObject() {
    Enter();
    TJsonValue object = JsonObject();
    ++pos_;  // '{'
    SkipWhitespace();
    if (Peek() == '}') {
      ++pos_;
      --depth_;
      return object;
    }
    for (;;) {
      SkipWhitespace();
      if (Peek() != '"') Fail("Expected a member name");
      std::string key = ParseString();
      SkipWhitespace();
      Expect(':');
      SkipWhitespace();
      object.Add(key, ParseValue());
      SkipWhitespace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect('}');
      break;
    }
    --depth_;
    return object;
  }

  TJsonValue ParseArray() {
    Enter();
    TJsonValue array = JsonArray();
    ++pos_;  // '['
    SkipWhitespace();
    if (Peek() == ']') {
      ++pos_;
      --depth_;
      return array;
    }
    for (;;) {
      SkipWhitespace();
      array.Append(ParseValue());
      SkipWhitespace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect(']');
      break;
    }
    --depth_;
    return array;
  }

  char32_t ParseHex4() {
    if (text_.size() - pos_ < 4) Fail("Incomplete \\u escape");
    char32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const int h = HexValue(text_[pos_ + i]);
      if (h < 0) Fail("Invalid \\u escape");
      value = value * 16 + static_cast<char32_t>(h);
    }
    pos_ += 4;
    return value;
  }

  std::string ParseString() {
    ++pos_;  // opening quote
    std::string out;
    for (;;) {
      if (AtEnd()) Fail("Unterminated string");
      const unsigned char c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) Fail("Control character in string");
      if (c == '\\') {
        ++pos_;
        ParseEscape(out);
        continue;
      }
      if (c < 0x80) {
        out += static_cast<char>(c);
        ++pos_;
        continue;
      }
      const size_t start = pos_;
      char32_t cp;
      if (!DecodeUtf8(text_, pos_, cp)) Fail("Invalid UTF-8 in string");
      out.append(text_.substr(start, pos_ - start));
    }
  }

  void ParseEscape(std::string& out) {
    if (AtEnd()) Fail("Unterminated string");
    const char c = text_[pos_++];
    switch (c) {
      case '"':
      case '\\':
      case '/':
        out += c;
        return;
      case 'b':
        out += '\b';
        return;
      case 'f':
        out += '\f';
        return;
      case 'n':
        out += '\n';
        return;
      case 'r':
        out += '\r';
        return;
      case 't':
        out += '\t';
        return;
      case 'u':
        break;
      default:
        --pos_;
        Fail("Invalid escape");
    }
    char32_t cp = ParseHex4();
    if (cp >= 0xDC00 && cp <= 0xDFFF) Fail("Unpaired surrogate escape");
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      // Text is UTF-8 here, which cannot hold half a pair.
      if (text_.substr(pos_, 2) != "\\u") Fail("Unpaired surrogate escape");
      pos_ += 2;
      const char32_t low = ParseHex4();
      if (low < 0xDC00 || low > 0xDFFF) Fail("Unpaired surrogate escape");
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, cp);
  }

  TJsonValue ParseNumber() {
    const size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (IsDigit(Peek())) {
      while (IsDigit(Peek()))
        ++pos_;
    } else {
      Fail("Invalid value");
    }
    if (Peek() == '.') {
      ++pos_;
      if (!IsDigit(Peek())) Fail("Invalid number");
      while (IsDigit(Peek()))
        ++pos_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!IsDigit(Peek())) Fail("Invalid number");
      while (IsDigit(Peek()))
        ++pos_;
    }
    TJsonValue v = JsonNumber(0);
    v.Text = text_.substr(start, pos_ - start);
    // The grammar is checked above; strtod only converts (correctly rounded,
    // an infinity on overflow).
    v.Number = strtod_l(v.Text.c_str(), nullptr, ClassicLocale());
    return v;
  }

  std::string_view text_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

TJsonValue ParseJson(std::string_view Text) {
  return TJsonParser(Text).ParseDocument();
}

}  // namespace quelmora
