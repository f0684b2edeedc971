#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

using TCsvRow = std::vector<std::string>;

// Splits decoded CSV text into rows of fields. Fields may be quoted (a doubled
// quote stands for one); records end at CR, LF or CR LF; a leading byte-order
// mark is skipped; blank lines give no row. Quoting is strict: a quote may only
// open a field, and only a separator or a line end may follow a closing quote.
// Raises EConvertError "Invalid CSV quoting" or "Unclosed CSV quote".
// MaxRows stops the scan once that many rows are complete, so a caller can
// look at the header without the rest of the text deciding the outcome.
std::vector<TCsvRow> ParseCsv(std::string_view Text, char Separator,
                              size_t MaxRows = std::numeric_limits<size_t>::max());

// Value as one quoted output field: inner quotes doubled, and an apostrophe in
// front when a spreadsheet would otherwise take the text for a formula.
std::string CsvQuote(std::string_view Value);

}  // namespace quelmora
