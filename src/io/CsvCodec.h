#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

using TCsvRow = std::vector<std::string>;

// Receives one row of ScanCsv: its first fields (at most the number kept) and
// how many fields it has in all. The row may be taken apart; false stops the
// scan at once.
using TCsvRowSink = std::function<bool(TCsvRow& Row, size_t FieldCount)>;

// The scanner under ParseCsv: hands each row to Sink as soon as it is
// complete, so that a large file never exists as a whole table of fields.
// Fields after the first MaxFieldsKept of a row are counted, not stored.
// Same rules and errors as ParseCsv; after the last row the end of the text
// is checked (an open quote raises) unless Sink stopped the scan.
void ScanCsv(std::string_view Text, char Separator, size_t MaxFieldsKept, const TCsvRowSink& Sink);

// Splits decoded CSV text into rows of fields. Fields may be quoted (a doubled
// quote stands for one); records end at CR, LF or CR LF; a leading byte-order
// mark is skipped; blank lines give no row. Quoting is strict: a quote may only
// open a field, and only a separator or a line end may follow a closing quote.
// Raises TErrorKind::NotANumber "Invalid CSV quoting" or "Unclosed CSV quote".
// MaxRows stops the scan once that many rows are complete, so a caller can
// look at the header without the rest of the text deciding the outcome.
std::vector<TCsvRow> ParseCsv(std::string_view Text, char Separator,
                              size_t MaxRows = std::numeric_limits<size_t>::max());

// Value as one quoted output field: inner quotes doubled, and an apostrophe in
// front when a spreadsheet would otherwise take the text for a formula.
std::string CsvQuote(std::string_view Value);

}  // namespace quelmora
