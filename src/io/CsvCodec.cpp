#include "io/CsvCodec.h"

#include <algorithm>

#include "io/Utf8File.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"

namespace quelmora {

namespace {

class TCsvScanner {
 public:
  TCsvScanner(char separator, size_t maxFieldsKept, const TCsvRowSink& sink)
      : separator_(separator), maxFieldsKept_(maxFieldsKept), sink_(sink) {}

  void Scan(std::string_view text) {
    if (text.starts_with(Utf8Bom)) text.remove_prefix(Utf8Bom.size());
    for (size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      const bool nextIs = i + 1 < text.size();
      if (inQuotes_) {
        if (c == '"' && nextIs && text[i + 1] == '"') {
          Append(text.substr(i, 1), text.size() - i);
          ++i;
        } else if (c == '"') {
          inQuotes_ = false;
          afterQuote_ = true;
        } else {
          // The run up to the next quote at once: a long quoted field is
          // the common case of a large cell.
          const size_t quote = text.find('"', i);
          const size_t stop = quote == std::string_view::npos ? text.size() : quote;
          Append(text.substr(i, stop - i), text.size() - i);
          i = stop - 1;
        }
      } else if (c == separator_) {
        EndField();
      } else if (c == '\r' || c == '\n') {
        if (!EndRow()) return;
        if (c == '\r' && nextIs && text[i + 1] == '\n') ++i;
      } else if (c == '"' && fieldEmpty_ && !afterQuote_) {
        inQuotes_ = true;
      } else if (afterQuote_ || c == '"') {
        throw Exception(TErrorKind::NotANumber, SInvalidCsvQuoting);
      } else {
        size_t stop = i + 1;
        while (stop < text.size() && text[stop] != separator_ && text[stop] != '\r' &&
               text[stop] != '\n' && text[stop] != '"')
          ++stop;
        Append(text.substr(i, stop - i), text.size() - i);
        i = stop - 1;
      }
    }
    if (inQuotes_) throw Exception(TErrorKind::NotANumber, SUnclosedCsvQuote);
    if (!fieldEmpty_ || fieldCount_ > 0 || afterQuote_) EndRow();
  }

 private:
  bool Keeping() const { return fieldCount_ < maxFieldsKept_; }

  // Part goes to the field; Left (the text still to scan) bounds how long the
  // field can grow, so a huge cell is never given twice its room.
  void Append(std::string_view part, size_t left) {
    fieldEmpty_ = false;
    if (!Keeping()) return;
    if (field_.size() + part.size() > field_.capacity())
      field_.reserve(std::min(std::max(field_.capacity() * 2, field_.size() + part.size()),
                              field_.size() + left));
    field_.append(part);
  }

  void EndField() {
    if (Keeping()) row_.push_back(std::move(field_));
    field_.clear();
    ++fieldCount_;
    fieldEmpty_ = true;
    afterQuote_ = false;
  }

  // A row of one empty field is a blank line, or one holding only "".
  bool EndRow() {
    const bool blank = fieldCount_ == 0 && fieldEmpty_;
    EndField();
    bool more = true;
    if (!blank) more = sink_(row_, fieldCount_);
    row_.clear();
    fieldCount_ = 0;
    return more;
  }

  const char separator_;
  const size_t maxFieldsKept_;
  const TCsvRowSink& sink_;
  std::string field_;
  bool fieldEmpty_ = true;
  size_t fieldCount_ = 0;  // fields of the current row ended so far
  TCsvRow row_;
  bool inQuotes_ = false;
  bool afterQuote_ = false;
};

}  // namespace

void ScanCsv(std::string_view Text, char Separator, size_t MaxFieldsKept, const TCsvRowSink& Sink) {
  TCsvScanner(Separator, MaxFieldsKept, Sink).Scan(Text);
}

std::vector<TCsvRow> ParseCsv(std::string_view Text, char Separator, size_t MaxRows) {
  std::vector<TCsvRow> rows;
  if (MaxRows == 0) return rows;
  ScanCsv(Text, Separator, std::numeric_limits<size_t>::max(), [&](TCsvRow& row, size_t) {
    rows.push_back(std::move(row));
    return rows.size() < MaxRows;
  });
  return rows;
}

std::string CsvQuote(std::string_view Value) {
  std::string result = "\"";
  if (!Value.empty()) {
    switch (Value.front()) {
      case '\t':
      case '\r':
      case '+':
      case '-':
      case '=':
      case '@':
        result += '\'';
        break;
      default:
        break;
    }
  }
  for (const char c : Value) {
    if (c == '"') result += '"';
    result += c;
  }
  result += '"';
  return result;
}

}  // namespace quelmora
