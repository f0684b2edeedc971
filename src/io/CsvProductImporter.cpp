#include "io/CsvProductImporter.h"

#include <functional>
#include <new>
#include <optional>

#include "io/CsvCodec.h"
#include "io/ExampleFiles.h"
#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
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

bool HeaderCellMatches(std::string_view cell, const TProductField& field) {
  const std::string_view text = Trim(cell);
  return EqualsIgnoringLatinCase(text, field.Key) || text == field.Caption;
}

// The header alone decides: a semicolon file keeps every quoting error of its
// own, and a comma file with quoted decimal commas is never read with the
// semicolon, which would trip over its quotes.
char DetectSeparator(std::string_view text) {
  size_t headerFields = 0;
  try {
    ScanCsv(text, ';', 0, [&](TCsvRow&, size_t fieldCount) {
      headerFields = fieldCount;
      return false;
    });
  } catch (const Exception& e) {
    if (e.Kind() != TErrorKind::NotANumber) throw;
    return ',';
  }
  return headerFields == 1 ? ',' : ';';
}

// The column of a fault: where the reader stopped, else the field that
// validation refused.
int32_t ColumnOf(const TErrorPlace& place) {
  if (place.Column > 0) return place.Column;
  return FieldIndex(ProductFields, place.Field) + 1;  // 0 when no field is named
}

TProduct ParseProductRow(TCsvRow& row, size_t fieldCount, int32_t position) {
  if (fieldCount != ProductFields.size())
    throw Exception(TErrorKind::InvalidInput, SExpectedFields, {ProductFields.size()})
        .WithFieldCount(static_cast<int32_t>(fieldCount),
                        static_cast<int32_t>(ProductFields.size()));
  TProduct product = DefaultProduct(position);
  for (size_t i = 0; i < ProductFields.size(); ++i) {
    const TProductField& field = ProductFields[i];
    if (field.IsText()) {
      product.*field.Text = std::move(row[i]);
      continue;
    }
    double value = 0;
    const int32_t column = static_cast<int32_t>(i) + 1;
    if (!TryParseNumber(row[i], value))
      // The caption is the whole message: a catalogue text of its own.
      throw Exception(TErrorKind::NotANumber, std::string(field.Caption))
          .InField(std::string(field.Key))
          .AtCsv(0, column)
          .WithFound(row[i]);
    try {
      WriteNumericField(product, field, value);
    } catch (Exception& e) {
      throw std::move(e).AtCsv(0, column).WithFound(row[i]);
    }
  }
  try {
    ValidateProduct(product);
  } catch (Exception& e) {
    // The cell as written, not the number it was read as.
    const int index = FieldIndex(ProductFields, e.Place().Field);
    if (index >= 0 && !ProductFields[static_cast<size_t>(index)].IsText())
      throw std::move(e).WithFound(row[static_cast<size_t>(index)]);
    throw;
  }
  return product;
}

// Converts the rows of Text one by one as the scanner hands them over; Keep
// receives each product. The first fault (the header or a row) is remembered,
// not raised at once: a quoting fault anywhere in the text still comes first.
void ConvertRows(std::string_view text, char separator,
                 const std::function<void(TProduct&&)>& keep) {
  bool headerSeen = false;
  int32_t position = 1;
  std::optional<Exception> fault;
  ScanCsv(text, separator, ProductFieldCount, [&](TCsvRow& row, size_t fieldCount) {
    if (fault) return true;
    if (!headerSeen) {
      headerSeen = true;
      bool matches = fieldCount == ProductFields.size();
      for (size_t i = 0; matches && i < ProductFields.size(); ++i)
        matches = HeaderCellMatches(row[i], ProductFields[i]);
      if (!matches)
        fault = Exception(TErrorKind::InvalidInput, SInvalidCsvHeader, {InstalledExampleCsv()})
                    .AtCsv(1, 0);
      return true;
    }
    try {
      keep(ParseProductRow(row, fieldCount, position));
    } catch (const Exception& e) {
      // The header is row 1, so the row number is the position plus one.
      fault = Exception(TErrorKind::InvalidInput, SCsvRowError,
                        {position + 1, TFormatArg::Nested(e.Text())})
                  .At(e.Place())
                  .AtCsv(position + 1, ColumnOf(e.Place()));
    }
    ++position;
    return true;
  });
  if (!headerSeen)
    throw Exception(TErrorKind::InvalidInput, SInvalidCsvHeader, {InstalledExampleCsv()});
  if (fault) throw *fault;
}

}  // namespace

// Two passes over the text: the first only checks and counts, so that a file
// that fails late never holds its products, and the second keeps them in a
// list of exactly their number.
std::vector<TProduct> ImportProductsCsv(std::string_view Text) {
  const char separator = DetectSeparator(Text);
  size_t count = 0;
  ConvertRows(Text, separator, [&](TProduct&&) { ++count; });
  std::vector<TProduct> products;
  products.reserve(count);
  ConvertRows(Text, separator, [&](TProduct&& product) { products.push_back(std::move(product)); });
  return products;
}

std::vector<TProduct> TCsvProductImporter::ImportFile(const std::string& FileName) {
  try {
    const std::string text = ReadUtf8TextFile(FileName, MaxCsvFileBytes);
    return ImportProductsCsv(text);
  } catch (Exception& e) {
    throw std::move(e).InFile(FileName);
  } catch (const std::bad_alloc&) {
    throw Exception(TErrorKind::OutOfMemory, SNoMemoryToImportCsv,
                    {FileName, FileMegabytes(FileName)})
        .InFile(FileName);
  }
}

}  // namespace quelmora
