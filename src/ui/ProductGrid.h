#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/ProductFields.h"
#include "model/ProductModel.h"

namespace quelmora {

// The product grid's rows as texts: columns 0..13 are the product field table,
// column 14 the on/off flag ("1" or "0"). The functions here judge and read
// such rows; the widget only shows them.

inline constexpr int GridColumnCount = ProductFieldCount + 1;
inline constexpr int GridEnabledColumn = ProductFieldCount;

using TGridRowTexts = std::array<std::string, GridColumnCount>;

// Russian header text (the translation key), its tool tip (empty for the
// on/off column) and the default width of a column.
std::string_view GridColumnHeader(int Column);
std::string_view GridColumnHelp(int Column);
int GridColumnWidth(int Column);

// The separator numbers are typed and shown with: the user's when it is a
// comma, otherwise a point, since TryParseNumber reads nothing else.
std::string GridDecimalSeparator();

// Shortest general form with up to 15 significant digits, no grouping.
std::string FormatGridNumber(double Value, std::string_view DecimalSeparator);

// True when Text is exactly how Stored is shown; the stored value is then
// kept as it is rather than read back with 15 digits.
bool ShowsStoredNumber(std::string_view Text, double Stored);

TGridRowTexts ProductRowTexts(const TProduct& Product, std::string_view DecimalSeparator);

// The product the row describes: Stored overlaid with every cell that can be
// used. False when a cell could not be used or, with Strict, when a field of
// the result is not valid.
bool ReadProductRow(const TGridRowTexts& Cells, const TProduct& Stored, TProduct& Product,
                    bool Strict);

// Whether one cell of a product row is acceptable as it stands.
bool IsProductCellValid(const TGridRowTexts& Cells, const TProduct& Stored, int Column);

// The first column whose cell is not acceptable, or -1.
int FirstRejectedColumn(const TGridRowTexts& Cells, const TProduct& Stored);

}  // namespace quelmora
