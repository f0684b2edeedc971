#include "io/Json.h"

namespace quelmora {

const TJsonValue* TJsonValue::Find(std::string_view Key) const {
  if (Kind != jkObject) return nullptr;
  for (const TJsonMember& member : Members)
    if (member.Key == Key) return &member.Value;
  return nullptr;
}

TJsonValue& TJsonValue::Add(std::string_view Key, TJsonValue Value) {
  Members.push_back(TJsonMember{std::string(Key), std::move(Value)});
  return Members.back().Value;
}

TJsonValue& TJsonValue::Append(TJsonValue Value) {
  Items.push_back(std::move(Value));
  return Items.back();
}

TJsonValue JsonNull() {
  return TJsonValue();
}

TJsonValue JsonBool(bool Value) {
  TJsonValue v;
  v.Kind = Value ? jkTrue : jkFalse;
  return v;
}

TJsonValue JsonNumber(double Value) {
  TJsonValue v;
  v.Kind = jkNumber;
  v.Number = Value;
  return v;
}

TJsonValue JsonString(std::string_view Utf8Text) {
  TJsonValue v;
  v.Kind = jkString;
  v.Text = Utf8Text;
  return v;
}

TJsonValue JsonArray() {
  TJsonValue v;
  v.Kind = jkArray;
  return v;
}

TJsonValue JsonObject() {
  TJsonValue v;
  v.Kind = jkObject;
  return v;
}

}  // namespace quelmora
