#include "io/CsvProductImporter.h"

#include "io/CsvCodec.h"
#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Validation.h"

namespace quelmora {

namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringLatinCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool HeaderCellMatches(std::string_view cell, int index) {
  const std::string_view text = Trim(cell);
  return EqualsIgnoringLatinCase(text, ProductFieldNames[index]) ||
         text == ProductFieldCaptions[index];
}

// The header alone decides: a semicolon file keeps every quoting error of its
// own, and a comma file with quoted decimal commas is never read with the
// semicolon, which would trip over its quotes.
char DetectSeparator(std::string_view text) {
  std::vector<TCsvRow> header;
  try {
    header = ParseCsv(text, ';', 1);
  } catch (const EConvertError&) {
    return ',';
  }
  return !header.empty() && header.front().size() == 1 ? ',' : ';';
}

TProduct ParseProductRow(const TCsvRow& row, int32_t position) {
  if (row.size() != static_cast<size_t>(ProductFieldCount)) throw Exception("Expected 14 fields");
  TProduct product = DefaultProduct(position);
  for (int i = 0; i < ProductFieldCount; ++i) {
    if (i == ProductNameFieldIndex) {
      product.Name = row[i];
      continue;
    }
    double value = 0;
    if (!TryParseNumber(row[i], value)) throw EConvertError(std::string(ProductFieldCaptions[i]));
    SetProductField(product, i, value);
  }
  ValidateProduct(product);
  return product;
}

}  // namespace

std::vector<TProduct> ImportProductsCsv(std::string_view Text) {
  const std::vector<TCsvRow> rows = ParseCsv(Text, DetectSeparator(Text));
  if (rows.empty() || rows.front().size() != static_cast<size_t>(ProductFieldCount))
    throw Exception(SInvalidCsvHeader);
  for (int i = 0; i < ProductFieldCount; ++i)
    if (!HeaderCellMatches(rows.front()[i], i)) throw Exception(SInvalidCsvHeader);

  std::vector<TProduct> products;
  products.reserve(rows.size() - 1);
  for (size_t r = 1; r < rows.size(); ++r) {
    const int32_t position = static_cast<int32_t>(r);
    try {
      products.push_back(ParseProductRow(rows[r], position));
    } catch (const Exception& e) {
      // The header is row 1, so the row number is the position plus one.
      throw Exception(Format(SCsvRowError, position + 1, e.Message().c_str()));
    }
  }
  return products;
}

std::vector<TProduct> TCsvProductImporter::ImportFile(const std::string& FileName) {
  return ImportProductsCsv(ReadUtf8TextFile(FileName));
}

}  // namespace quelmora
