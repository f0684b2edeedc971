#include <locale.h>
#include <stdlib.h>

#include "io/Json.h"
#include "model/ErrorTexts.h"
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
    EndDocument();
    return value;
  }

  // The same checks, nothing kept: the memory needed does not grow with the text.
  void CheckDocument() {
    SkipWhitespace();
    SkipValue();
    EndDocument();
  }

  // The members of the object the text starts with; Visit gets each decoded
  // key (valid until the next call) and the text of its value.
  template <typename TVisit>
  void ForEachMember(TVisit&& visit) {
    SkipWhitespace();
    Expect('{');
    SkipWhitespace();
    if (Peek() == '}') return;
    for (;;) {
      SkipWhitespace();
      if (Peek() != '"') Fail(SJsonMemberName);
      key_.clear();
      ScanString(&key_);
      SkipWhitespace();
      Expect(':');
      SkipWhitespace();
      const size_t start = pos_;
      SkipValue();
      visit(std::string_view(key_), text_.substr(start, pos_ - start));
      SkipWhitespace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect('}');
      return;
    }
  }

  template <typename TVisit>
  void ForEachItem(TVisit&& visit) {
    SkipWhitespace();
    Expect('[');
    SkipWhitespace();
    if (Peek() == ']') return;
    for (;;) {
      SkipWhitespace();
      const size_t start = pos_;
      SkipValue();
      visit(text_.substr(start, pos_ - start));
      SkipWhitespace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect(']');
      return;
    }
  }

  // The value the text starts with; an array or an object comes back empty.
  TJsonValue ParseScalar() {
    SkipWhitespace();
    switch (Peek()) {
      case '[':
        return JsonArray();
      case '{':
        return JsonObject();
      default:
        return ParseValue();
    }
  }

 private:
  [[noreturn]] void Fail(const char* what) const { Fail(TFormatArg::Key(what)); }
  [[noreturn]] void Fail(const TFormatArg& what) const {
    throw Exception(TErrorKind::JsonSyntax, SJsonAtByte, {what, pos_})
        .AtByte(static_cast<int64_t>(pos_));
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

  void EndDocument() {
    SkipWhitespace();
    if (pos_ != text_.size()) Fail(SJsonTextAfterValue);
  }

  void Expect(char c) {
    if (Peek() != c) Fail(TFormatArg::Nested({SJsonExpectedChar, {std::string(1, c)}}));
    ++pos_;
  }

  TJsonValue ParseValue() {
    if (AtEnd()) Fail(SJsonEndOfText);
    switch (text_[pos_]) {
      case '{':
        return ParseObject();
      case '[':
        return ParseArray();
      case '"': {
        TJsonValue v = JsonString({});
        ScanString(&v.Text);
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

  void SkipValue() {
    if (AtEnd()) Fail(SJsonEndOfText);
    switch (text_[pos_]) {
      case '{':
        return SkipContainer('}');
      case '[':
        return SkipContainer(']');
      case '"':
        return ScanString(nullptr);
      case 't':
        return ParseLiteral("true");
      case 'f':
        return ParseLiteral("false");
      case 'n':
        return ParseLiteral("null");
      default:
        ScanNumber();
    }
  }

  void ParseLiteral(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) Fail(SJsonInvalidLiteral);
    pos_ += word.size();
  }

  void Enter() {
    if (++depth_ > kMaxDepth) Fail(SJsonTooDeep);
  }

  // Every member and item is handed to Each, which reads or skips it.
  template <typename TEach>
  void ScanContainer(char close, TEach&& each) {
    Enter();
    ++pos_;  // '{' or '['
    SkipWhitespace();
    if (Peek() == close) {
      ++pos_;
      --depth_;
      return;
    }
    for (;;) {
      SkipWhitespace();
      each();
      SkipWhitespace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect(close);
      break;
    }
    --depth_;
  }

  void SkipMemberName() {
    if (Peek() != '"') Fail(SJsonMemberName);
    ScanString(nullptr);
    SkipWhitespace();
    Expect(':');
    SkipWhitespace();
  }

  void SkipContainer(char close) {
    ScanContainer(close, [&] {
      if (close == '}') SkipMemberName();
      SkipValue();
    });
  }

  TJsonValue ParseObject() {
    TJsonValue object = JsonObject();
    ScanContainer('}', [&] {
      if (Peek() != '"') Fail(SJsonMemberName);
      std::string key;
      ScanString(&key);
      SkipWhitespace();
      Expect(':');
      SkipWhitespace();
      object.Add(key, ParseValue());
    });
    return object;
  }

  TJsonValue ParseArray() {
    TJsonValue array = JsonArray();
    ScanContainer(']', [&] { array.Append(ParseValue()); });
    return array;
  }

  char32_t ParseHex4() {
    if (text_.size() - pos_ < 4) Fail(SJsonIncompleteEscape);
    char32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const int h = HexValue(text_[pos_ + i]);
      if (h < 0) Fail(SJsonInvalidUEscape);
      value = value * 16 + static_cast<char32_t>(h);
    }
    pos_ += 4;
    return value;
  }

  // Checks the string at pos_ and appends its decoded text to out, if any.
  void ScanString(std::string* out) {
    ++pos_;  // opening quote
    for (;;) {
      if (AtEnd()) Fail(SJsonUnterminatedString);
      const unsigned char c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return;
      }
      if (c < 0x20) Fail(SJsonControlCharacter);
      if (c == '\\') {
        ++pos_;
        ParseEscape(out);
        continue;
      }
      if (c < 0x80) {
        if (out) *out += static_cast<char>(c);
        ++pos_;
        continue;
      }
      const size_t start = pos_;
      char32_t cp;
      if (!DecodeUtf8(text_, pos_, cp)) Fail(SJsonInvalidUtf8);
      if (out) out->append(text_.substr(start, pos_ - start));
    }
  }

  void ParseEscape(std::string* out) {
    if (AtEnd()) Fail(SJsonUnterminatedString);
    const char c = text_[pos_++];
    char plain;
    switch (c) {
      case '"':
      case '\\':
      case '/':
        plain = c;
        break;
      case 'b':
        plain = '\b';
        break;
      case 'f':
        plain = '\f';
        break;
      case 'n':
        plain = '\n';
        break;
      case 'r':
        plain = '\r';
        break;
      case 't':
        plain = '\t';
        break;
      case 'u':
        plain = '\0';
        break;
      default:
        --pos_;
        Fail(SJsonInvalidEscape);
    }
    if (c != 'u') {
      if (out) *out += plain;
      return;
    }
    char32_t cp = ParseHex4();
    if (cp >= 0xDC00 && cp <= 0xDFFF) Fail(SJsonUnpairedSurrogate);
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      // Text is UTF-8 here, which cannot hold half a pair.
      if (text_.substr(pos_, 2) != "\\u") Fail(SJsonUnpairedSurrogate);
      pos_ += 2;
      const char32_t low = ParseHex4();
      if (low < 0xDC00 || low > 0xDFFF) Fail(SJsonUnpairedSurrogate);
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    if (out) AppendUtf8(*out, cp);
  }

  // Checks the number at pos_; returns where it started.
  size_t ScanNumber() {
    const size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (IsDigit(Peek())) {
      while (IsDigit(Peek()))
        ++pos_;
    } else {
      Fail(SJsonInvalidValue);
    }
    if (Peek() == '.') {
      ++pos_;
      if (!IsDigit(Peek())) Fail(SJsonInvalidNumber);
      while (IsDigit(Peek()))
        ++pos_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!IsDigit(Peek())) Fail(SJsonInvalidNumber);
      while (IsDigit(Peek()))
        ++pos_;
    }
    return start;
  }

  TJsonValue ParseNumber() {
    const size_t start = ScanNumber();
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
  std::string key_;
};

}  // namespace

TJsonValue ParseJson(std::string_view Text) {
  return TJsonParser(Text).ParseDocument();
}

void CheckJson(std::string_view Text) {
  TJsonParser(Text).CheckDocument();
}

void ForEachJsonMember(std::string_view Object, const TJsonMemberVisit& Visit) {
  TJsonParser(Object).ForEachMember(Visit);
}

void ForEachJsonItem(std::string_view Array, const TJsonItemVisit& Visit) {
  TJsonParser(Array).ForEachItem(Visit);
}

TJsonKind JsonKindOf(std::string_view Value) {
  const size_t start = Value.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return jkNull;
  switch (Value[start]) {
    case '{':
      return jkObject;
    case '[':
      return jkArray;
    case '"':
      return jkString;
    case 't':
      return jkTrue;
    case 'f':
      return jkFalse;
    case 'n':
      return jkNull;
    default:
      return jkNumber;
  }
}

TJsonValue ParseJsonScalar(std::string_view Value) {
  return TJsonParser(Value).ParseScalar();
}

}  // namespace quelmora
