#include "model/Validation.h"

#include <charconv>
#include <cmath>
#include <string>
#include <unordered_set>

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

constexpr double kUpperBound = 1000000;

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

bool IsFiniteIn(double v, double low, double high) {
  return std::isfinite(v) && v >= low && v <= high;
}

[[noreturn]] void RaiseInvalidParameter(std::string_view caption, std::string_view key) {
  throw Exception(TErrorKind::InvalidInput, SInvalidParameter, {caption}).InField(std::string(key));
}

bool IsSettingsFieldValid(const TOptimizationSettings& s, int index, double v) {
  switch (index) {
    case 0:
      return IsFiniteIn(v, -100, 100) && v > -100 &&
             s.DimensionDeviationMaxPercent >= s.DimensionDeviationMinPercent;
    case 1:
      return IsFiniteIn(v, -100, 100) && v > -100 &&
             s.DimensionDeviationMaxPercent >= s.DimensionDeviationMinPercent;
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 15:
      return IsFiniteIn(v, 0, kUpperBound) && v > 0;
    case 10:
      return IsFiniteIn(v, 0.01, kUpperBound);
    case 22:
      return IsFiniteIn(v, 1, 2000);
    case 23:
      return IsFiniteIn(v, 1, 200);
    case 24:
      return IsFiniteIn(v, 1, 1000);
    case 25:
      return IsFiniteIn(v, 1, 50);
    case 26:
      return IsFiniteIn(v, 100, kUpperBound);
    case 28:
      return IsFiniteIn(v, 1, 50);
    default:
      return IsFiniteIn(v, 0, kUpperBound);
  }
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
  if (index == ProductNameFieldIndex) return !Trim(product.Name).empty();
  const double v = GetProductField(product, index);
  switch (index) {
    case 0:
    case 1:
      return IsFiniteIn(v, 0, kUpperBound) && v > 0 && product.MaxVolumeM3 >= product.MinVolumeM3;
    case 8:
      return IsFiniteIn(v, 0, kUpperBound);
    case 13:
      return IsFiniteIn(v, 0, 100000) && v > 0;
    default:
      return IsFiniteIn(v, 0, kUpperBound) && v > 0;
  }
}

void ValidateProduct(const TProduct& product) {
  if (product.Id <= 0)
    throw Exception(TErrorKind::InvalidInput, SFixHighlightedCells).InField("Id");
  for (int index = 0; index < ProductFieldCount; ++index) {
    if (!IsProductFieldValid(product, index))
      throw Exception(TErrorKind::InvalidInput, "%s: %s",
                      {product.Name, ProductFieldCaptions[index]})
          .InField(std::string(ProductFieldNames[index]));
  }
}

void ValidateSettings(const TOptimizationSettings& settings) {
  for (int index = 0; index < SettingsFieldCount; ++index) {
    if (!IsSettingsFieldValid(settings, index, GetSettingsField(settings, index)))
      RaiseInvalidParameter(SettingsFieldCaptions[index], SettingsFieldNames[index]);
  }
  if (Trim(settings.CurrencySymbol).empty()) RaiseInvalidParameter(SCurrency, "CurrencySymbol");
}

void ValidateProject(const std::vector<TProduct>& products, const TOptimizationSettings& settings) {
  ValidateSettings(settings);
  std::unordered_set<int32_t> seen;
  int enabled = 0;
  for (const TProduct& product : products) {
    ValidateProduct(product);
    if (!seen.insert(product.Id).second)
      throw Exception(TErrorKind::InvalidInput, "Duplicate Product.Id").InField("Id");
    if (product.Enabled) ++enabled;
  }
  if (enabled == 0)
    throw Exception(TErrorKind::InvalidInput, SAddEnabledProduct).InField("Enabled");
}

}  // namespace quelmora
