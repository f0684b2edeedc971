#include "ui/ProductGrid.h"

#include <QLocale>
#include <cmath>

#include "l10n/LocalFormat.h"
#include "model/Errors.h"
#include "model/Validation.h"

namespace quelmora {

namespace {

constexpr std::array<int, GridColumnCount> ColumnWidths = {104, 104, 50, 50, 180, 78, 78, 78,
                                                           78,  78,  78, 78, 78,  78, 48};

constexpr int CountColumn = 13;

bool IsWholeCount(double value) {
  return std::floor(value) == value && value > 0 && value <= 100000;
}

}  // namespace

std::string_view GridColumnHeader(int Column) {
  if (Column == GridEnabledColumn) return SEnabledColumn;
  return ProductFieldCaptions.at(static_cast<size_t>(Column));
}

int GridColumnWidth(int Column) {
  return ColumnWidths.at(static_cast<size_t>(Column));
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
    cells[column] = column == ProductNameFieldIndex
                        ? Product.Name
                        : FormatGridNumber(GetProductField(Product, column), DecimalSeparator);
  }
  cells[GridEnabledColumn] = std::string(1, Product.Enabled ? '1' : '0');
  return cells;
}

bool ReadProductRow(const TGridRowTexts& Cells, const TProduct& Stored, TProduct& Product,
                    bool Strict) {
  Product = Stored;
  bool ok = true;
  for (int column = 0; column < ProductFieldCount; ++column) {
    if (column == ProductNameFieldIndex) {
      Product.Name = Cells[column];
      continue;
    }
    // A cell still showing the stored value keeps all of its digits.
    if (ShowsStoredNumber(Cells[column], GetProductField(Stored, column))) continue;
    double value = 0;
    if (!TryParseNumber(Cells[column], value)) {
      ok = false;
      continue;
    }
    try {
      SetProductField(Product, column, value);
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
  if (Column != ProductNameFieldIndex) {
    double value = 0;
    if (!TryParseNumber(Cells[Column], value)) return false;
    if (Column == CountColumn && !IsWholeCount(value)) return false;
  }
  return IsProductFieldValid(product, Column);
}

int FirstRejectedColumn(const TGridRowTexts& Cells, const TProduct& Stored) {
  for (int column = 0; column < GridColumnCount; ++column)
    if (!IsProductCellValid(Cells, Stored, column)) return column;
  return -1;
}

}  // namespace quelmora
