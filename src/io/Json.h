#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

struct TJsonMember;

enum TJsonKind { jkNull, jkFalse, jkTrue, jkNumber, jkString, jkArray, jkObject };

// One JSON value. Objects keep their members in document order, duplicates
// included; lookups see the first occurrence of a key.
struct TJsonValue {
  TJsonKind Kind = jkNull;
  double Number = 0;  // jkNumber; infinite when the text overflows a double
  // jkString: the decoded UTF-8 text; jkNumber: the number as written.
  std::string Text;
  std::vector<TJsonValue> Items;     // jkArray
  std::vector<TJsonMember> Members;  // jkObject

  bool IsObject() const { return Kind == jkObject; }
  bool IsArray() const { return Kind == jkArray; }
  // The value of the first member named Key, or null when this is no object
  // or has no such member.
  const TJsonValue* Find(std::string_view Key) const;

  // Builders for objects and arrays, in the order the writer emits them.
  TJsonValue& Add(std::string_view Key, TJsonValue Value);
  TJsonValue& Append(TJsonValue Value);
};

struct TJsonMember {
  std::string Key;
  TJsonValue Value;
};

TJsonValue JsonNull();
TJsonValue JsonBool(bool Value);
TJsonValue JsonNumber(double Value);
TJsonValue JsonString(std::string_view Utf8Text);
TJsonValue JsonArray();
TJsonValue JsonObject();

// Parses a whole JSON text (RFC 8259): one value with only space, tab, CR and
// LF around it. Strings must be valid UTF-8; escaped surrogates must pair.
// Numbers keep their text; one too large for a double becomes an infinity
// here and is refused by whoever reads it. Raises TErrorKind::JsonSyntax.
TJsonValue ParseJson(std::string_view Text);

// Large documents are read piece by piece instead of as one tree, which needs
// many times the text. CheckJson accepts and refuses what ParseJson does but
// keeps nothing. The functions after it take the text of a value inside a
// text CheckJson accepted (leading whitespace allowed).
void CheckJson(std::string_view Text);

// Each member of the object, in document order, duplicates included: its
// decoded key (valid during the call) and the text of its value.
using TJsonMemberVisit = std::function<void(std::string_view Key, std::string_view Value)>;
void ForEachJsonMember(std::string_view Object, const TJsonMemberVisit& Visit);

// The text of each item of the array, in order.
using TJsonItemVisit = std::function<void(std::string_view Item)>;
void ForEachJsonItem(std::string_view Array, const TJsonItemVisit& Visit);

TJsonKind JsonKindOf(std::string_view Value);

// The value as ParseJson reads it, but an array or an object comes back
// empty: enough for whoever only checks what kind of value it is.
TJsonValue ParseJsonScalar(std::string_view Value);

// The number as the program's files write it: rounded to 15 significant
// digits, no trailing zeros, a point as separator, plain notation for decimal
// exponents -4..14 and d.dddE[-]x otherwise. Raises TErrorKind::InvalidOperation for NaN and
// TErrorKind::Overflow for an infinity.
std::string FormatJsonNumber(double Value);

// Appends Utf8Text as a quoted JSON string with every UTF-16 code unit at or
// above U+0080 (and every control character) escaped, so the output is plain
// printable ASCII. Raises TErrorKind::Encoding when the text is not UTF-8.
void AppendJsonString(std::string& Out, std::string_view Utf8Text);

// Compact serialization: no whitespace at all.
std::string WriteJson(const TJsonValue& Value);
// The same, appended to Out: for documents written in pieces.
void AppendJson(std::string& Out, const TJsonValue& Value);

}  // namespace quelmora
