#include "model/Validation.h"

#include <charconv>
#include <cmath>
#include <string>
#include <unordered_set>

#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Optional sign, digits with an optional fraction (either side of the point
// may be empty, not both), optional exponent.
bool IsNumberSyntax(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i]))
    ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i]))
      ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t exponentDigits = 0;
    while (i < s.size() && IsDigit(s[i]))
      ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == s.size();
}

// The value a numeric field holds, and its bounds when the value is outside
// them (a value refused only for its order with a partner has none to show).
template <class TRecord>
Exception WithValueFound(Exception e, const TRecord& record,
                         const TFieldDescriptor<TRecord>& field) {
  if (field.IsText()) return e;
  const double value = ReadNumericField(record, field);
  if (IsWithinBounds(field.Bounds, value)) return std::move(e).WithFound(Format("%.15g", value));
  return std::move(e).WithFound(Format("%.15g", value)).WithAllowed(field.Bounds);
}

// The throws of validation; one helper per message shape.
[[noreturn]] void RaiseInvalidParameter(std::string_view caption, std::string_view key) {
  throw Exception(TErrorKind::InvalidInput, SInvalidParameter, {TFormatArg::Key(caption)})
      .InField(std::string(key));
}

[[noreturn]] void RaiseInvalidSettingsField(const TOptimizationSettings& settings,
                                            const TSettingsField& field) {
  throw WithValueFound(
      Exception(TErrorKind::InvalidInput, SInvalidParameter, {TFormatArg::Key(field.Caption)})
          .InField(std::string(field.Key)),
      settings, field);
}

[[noreturn]] void RaiseInvalidProductField(const TProduct& product, const TProductField& field) {
  throw WithValueFound(Exception(TErrorKind::InvalidInput, SValueOfField,
                                 {product.Name, TFormatArg::Key(field.Caption)})
                           .InField(std::string(field.Key)),
                       product, field);
}

// The rule of one table entry: text not blank; a number finite, within its
// bounds and in order with its partner.
template <class TRecord>
bool IsFieldValid(const TRecord& record, const TFieldDescriptor<TRecord>& field) {
  if (field.IsText()) return !Trim(record.*field.Text).empty();
  return IsWithinBounds(field.Bounds, ReadNumericField(record, field)) && IsInOrder(record, field);
}

}  // namespace

bool TryParseNumber(std::string_view text, double& Value) {
  std::string s(Trim(text));
  for (char& c : s)
    if (c == ',') c = '.';
  if (!IsNumberSyntax(s)) return false;
  // from_chars takes no leading plus.
  const char* begin = s.data();
  const char* end = s.data() + s.size();
  if (*begin == '+') ++begin;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, v, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(v)) return false;
  Value = v;
  return true;
}

bool IsProductFieldValid(const TProduct& product, int index) {
  return IsFieldValid(product, ProductFieldAt(index));
}

bool IsSettingsFieldValid(const TOptimizationSettings& settings, int index) {
  return IsFieldValid(settings, SettingsFieldAt(index));
}

void ValidateProduct(const TProduct& product) {
  if (product.Id <= 0)
    throw Exception(TErrorKind::InvalidInput, SInvalidProductId, {product.Name, product.Id})
        .InField("Id")
        .WithFound(std::to_string(product.Id));
  for (const TProductField& field : ProductFields)
    if (!IsFieldValid(product, field)) RaiseInvalidProductField(product, field);
}

void ValidateSettings(const TOptimizationSettings& settings) {
  for (const TSettingsField& field : SettingsFields)
    if (!IsFieldValid(settings, field)) RaiseInvalidSettingsField(settings, field);
  if (Trim(settings.CurrencySymbol).empty()) RaiseInvalidParameter(SCurrency, "CurrencySymbol");
}

void ValidateProject(const std::vector<TProduct>& products, const TOptimizationSettings& settings) {
  ValidateSettings(settings);
  std::unordered_set<int32_t> seen;
  int enabled = 0;
  for (const TProduct& product : products) {
    ValidateProduct(product);
    if (!seen.insert(product.Id).second)
      throw Exception(TErrorKind::InvalidInput, SDuplicateProductId)
          .InField("Id")
          .WithFound(std::to_string(product.Id));
    if (product.Enabled) ++enabled;
  }
  if (enabled == 0)
    throw Exception(TErrorKind::InvalidInput, SAddEnabledProduct).InField("Enabled");
}

}  // namespace quelmora
