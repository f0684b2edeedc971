#include "ui/ProductGrid.h"

#include <QLocale>
#include <cmath>

#include "l10n/LocalFormat.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/Validation.h"

namespace quelmora {

namespace {

// Columns wider or narrower than the usual number column.
struct TColumnWidth {
  std::string_view Key;
  int Width;
};
constexpr int NumberColumnWidth = 78;
constexpr int EnabledColumnWidth = 48;
constexpr std::array<TColumnWidth, 5> SpecialWidths = {
    {{"MinVolumeM3", 104}, {"MaxVolumeM3", 104}, {"RatioLB", 50}, {"RatioHB", 50}, {"Name", 180}}};

// A typed count must be whole and within its bounds as typed: a count that
// cannot be stored leaves the stored one in place, which may well be valid.
bool IsStorableInteger(const TProductField& field, double value) {
  return std::floor(value) == value && IsWithinBounds(field.Bounds, value);
}

}  // namespace

std::string_view GridColumnHeader(int Column) {
  if (Column == GridEnabledColumn) return SEnabledColumn;
  return ProductFields.at(static_cast<size_t>(Column)).Caption;
}

std::string_view GridColumnHelp(int Column) {
  if (Column == GridEnabledColumn) return SEnabledHelp;
  return ProductFields.at(static_cast<size_t>(Column)).Help;
}

int GridColumnWidth(int Column) {
  if (Column == GridEnabledColumn) return EnabledColumnWidth;
  const std::string_view key = ProductFields.at(static_cast<size_t>(Column)).Key;
  for (const TColumnWidth& special : SpecialWidths)
    if (special.Key == key) return special.Width;
  return NumberColumnWidth;
}

std::string GridDecimalSeparator() {
  return QLocale().decimalPoint() == QStringLiteral(",") ? "," : ".";
}

std::string FormatGridNumber(double Value, std::string_view DecimalSeparator) {
  TNumberFormat numbers;
  numbers.DecimalSeparator = std::string(DecimalSeparator);
  return FormatLocal(numbers, "%.15g", Value);
}

bool ShowsStoredNumber(std::string_view Text, double Stored) {
  return Text == FormatGridNumber(Stored, ".") || Text == FormatGridNumber(Stored, ",");
}

TGridRowTexts ProductRowTexts(const TProduct& Product, std::string_view DecimalSeparator) {
  TGridRowTexts cells;
  for (int column = 0; column < ProductFieldCount; ++column) {
    const TProductField& field = ProductFields[column];
    cells[column] = field.IsText()
                        ? Product.*field.Text
                        : FormatGridNumber(ReadNumericField(Product, field), DecimalSeparator);
  }
  cells[GridEnabledColumn] = std::string(1, Product.Enabled ? '1' : '0');
  return cells;
}

bool ReadProductRow(const TGridRowTexts& Cells, const TProduct& Stored, TProduct& Product,
                    bool Strict) {
  Product = Stored;
  bool ok = true;
  for (int column = 0; column < ProductFieldCount; ++column) {
    const TProductField& field = ProductFields[column];
    if (field.IsText()) {
      Product.*field.Text = Cells[column];
      continue;
    }
    // A cell still showing the stored value keeps all of its digits.
    if (ShowsStoredNumber(Cells[column], ReadNumericField(Stored, field))) continue;
    double value = 0;
    if (!TryParseNumber(Cells[column], value)) {
      ok = false;
      continue;
    }
    try {
      WriteNumericField(Product, field, value);
    } catch (const Exception&) {
      ok = false;  // a fractional count: the stored one stays
    }
  }
  const std::string& flag = Cells[GridEnabledColumn];
  if (flag != "0" && flag != "1") ok = false;
  Product.Enabled = flag == "1";
  if (Strict)
    for (int index = 0; index < ProductFieldCount; ++index)
      ok = ok && IsProductFieldValid(Product, index);
  return ok;
}

bool IsProductCellValid(const TGridRowTexts& Cells, const TProduct& Stored, int Column) {
  if (Column == GridEnabledColumn)
    return Cells[GridEnabledColumn] == "0" || Cells[GridEnabledColumn] == "1";
  if (Column < 0 || Column > GridEnabledColumn) return true;
  TProduct product;
  ReadProductRow(Cells, Stored, product, false);
  const TProductField& field = ProductFields[Column];
  if (!field.IsText()) {
    double value = 0;
    if (!TryParseNumber(Cells[Column], value)) return false;
    if (field.IsInteger() && !IsStorableInteger(field, value)) return false;
  }
  return IsProductFieldValid(product, Column);
}

int FirstRejectedColumn(const TGridRowTexts& Cells, const TProduct& Stored) {
  for (int column = 0; column < GridColumnCount; ++column)
    if (!IsProductCellValid(Cells, Stored, column)) return column;
  return -1;
}

}  // namespace quelmora
