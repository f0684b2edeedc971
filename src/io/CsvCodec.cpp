#include "io/CsvCodec.h"

#include "io/Utf8File.h"
#include "model/Errors.h"

namespace quelmora {

namespace {

class TCsvParser {
 public:
  TCsvParser(char separator, size_t maxRows) : separator_(separator), maxRows_(maxRows) {}

  std::vector<TCsvRow> Parse(std::string_view text) {
    if (text.starts_with(Utf8Bom)) text.remove_prefix(Utf8Bom.size());
    for (size_t i = 0; i < text.size() && rows_.size() < maxRows_; ++i) {
      const char c = text[i];
      const bool nextIs = i + 1 < text.size();
      if (inQuotes_) {
        if (c == '"' && nextIs && text[i + 1] == '"') {
          field_ += '"';
          ++i;
        } else if (c == '"') {
          inQuotes_ = false;
          afterQuote_ = true;
        } else {
          field_ += c;
        }
      } else if (c == separator_) {
        EndField();
      } else if (c == '\r' || c == '\n') {
        EndRow();
        if (c == '\r' && nextIs && text[i + 1] == '\n') ++i;
      } else if (c == '"' && field_.empty() && !afterQuote_) {
        inQuotes_ = true;
      } else if (afterQuote_ || c == '"') {
        throw EConvertError("Invalid CSV quoting");
      } else {
        field_ += c;
      }
    }
    if (rows_.size() >= maxRows_) return std::move(rows_);
    if (inQuotes_) throw EConvertError("Unclosed CSV quote");
    if (!field_.empty() || !row_.empty() || afterQuote_) EndRow();
    return std::move(rows_);
  }

 private:
  void EndField() {
    row_.push_back(std::move(field_));
    field_.clear();
    afterQuote_ = false;
  }

  // A row of one empty field is a blank line, or one holding only "".
  void EndRow() {
    EndField();
    if (row_.size() >= 2 || !row_.front().empty()) rows_.push_back(std::move(row_));
    row_.clear();
  }

  const char separator_;
  const size_t maxRows_;
  std::string field_;
  TCsvRow row_;
  std::vector<TCsvRow> rows_;
  bool inQuotes_ = false;
  bool afterQuote_ = false;
};

}  // namespace

std::vector<TCsvRow> ParseCsv(std::string_view Text, char Separator, size_t MaxRows) {
  return TCsvParser(Separator, MaxRows).Parse(Text);
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
