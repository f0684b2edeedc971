#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/CsvCodec.h"
#include "model/Errors.h"

namespace quelmora {
namespace {

using Rows = std::vector<TCsvRow>;

struct ParseCase {
  const char* label;
  std::string text;
  Rows rows;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
  *os << c.label;
}

class ParseCsvRows : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCsvRows, SplitsWithTheSemicolon) {
  EXPECT_EQ(ParseCsv(GetParam().text, ';'), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCsvRows,
    ::testing::Values(
        ParseCase{"TwoFields", "a;b", {{"a", "b"}}},
        ParseCase{"EmptyLineAddsNothing", "a;b\r\n\r\n", {{"a", "b"}}},
        ParseCase{"TrailingSeparator", "a;", {{"a", ""}}},
        ParseCase{"OnlySeparator", ";", {{"", ""}}}, ParseCase{"EmptyQuotedField", "\"\"", {}},
        ParseCase{"EmptyText", "", {}}, ParseCase{"QuotedSeparator", "\"x;y\";z", {{"x;y", "z"}}},
        ParseCase{"DoubledQuotes", "\"say \"\"hi\"\"\"", {{"say \"hi\""}}},
        ParseCase{"QuotedLineEnd", "\"a\r\nb\";c", {{"a\r\nb", "c"}}},
        ParseCase{"CrLf", "a\r\nb", {{"a"}, {"b"}}}, ParseCase{"LoneCr", "a\rb", {{"a"}, {"b"}}},
        ParseCase{"LoneLf", "a\nb", {{"a"}, {"b"}}},
        ParseCase{"CrCrIsABlankLine", "a\r\rb\n", {{"a"}, {"b"}}},
        ParseCase{"SpacesBelongToTheField", " a ; b", {{" a ", " b"}}},
        ParseCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBFx;y", {{"x", "y"}}},
        ParseCase{"QuoteInsideQuotedText", "\"a\"\"\";\"\"", {{"a\"", ""}}},
        ParseCase{"RowsOfDifferentLength", "a;b;c\nd\n;\n", {{"a", "b", "c"}, {"d"}, {"", ""}}},
        ParseCase{"Cyrillic", "Чай;\"Кофе; молотый\"", {{"Чай", "Кофе; молотый"}}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ParseCsv, UsesTheGivenSeparator) {
  EXPECT_EQ(ParseCsv("a;b,\"c,d\"\n", ','), (Rows{{"a;b", "c,d"}}));
  EXPECT_EQ(ParseCsv("a;b,c", ';'), (Rows{{"a", "b,c"}}));
}

TEST(ParseCsv, StopsAfterMaxRows) {
  EXPECT_EQ(ParseCsv("\n\na;b\nc;\"d", ';', 1), (Rows{{"a", "b"}}));
  EXPECT_EQ(ParseCsv("a\"b\nc", ';', 0), Rows{});
  EXPECT_EQ(ParseCsv("a\nb\nc", ';', 2), (Rows{{"a"}, {"b"}}));
  EXPECT_EQ(ParseCsv("a\nb", ';', 5), (Rows{{"a"}, {"b"}}));
}

struct ErrorCase {
  const char* label;
  std::string text;
  std::string message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << c.label;
}

class ParseCsvErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ParseCsvErrors, RaiseAConversionError) {
  try {
    ParseCsv(GetParam().text, ';');
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::NotANumber);
    EXPECT_EQ(e.Message(), GetParam().message);
    EXPECT_STREQ(e.KindName(), "EConvertError");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCsvErrors,
    ::testing::Values(ErrorCase{"TextAfterClosingQuote", "\"a\"b", "Invalid CSV quoting"},
                      ErrorCase{"QuoteInsideField", "a\"b", "Invalid CSV quoting"},
                      ErrorCase{"SpaceAfterClosingQuote", "\"a\" ;b", "Invalid CSV quoting"},
                      ErrorCase{"SpaceBeforeOpeningQuote", "a; \"b\"", "Invalid CSV quoting"},
                      ErrorCase{"QuoteAfterQuotedEmptyField", "\"\"\"", "Unclosed CSV quote"},
                      ErrorCase{"ErrorOnALaterLine", "a;b\r\nc;d\"", "Invalid CSV quoting"},
                      ErrorCase{"Unclosed", "\"abc", "Unclosed CSV quote"},
                      ErrorCase{"UnclosedAcrossLines", "a\n\"b;c\r\n", "Unclosed CSV quote"}),
    [](const auto& info) { return std::string(info.param.label); });

struct QuoteCase {
  const char* label;
  std::string value;
  std::string field;
};

void PrintTo(const QuoteCase& c, std::ostream* os) {
  *os << c.label;
}

class CsvQuoteTable : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(CsvQuoteTable, WritesTheField) {
  EXPECT_EQ(CsvQuote(GetParam().value), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvQuoteTable,
    ::testing::Values(QuoteCase{"Minus", "-5", "\"'-5\""},
                      QuoteCase{"Equals", "=SUM(A1)", "\"'=SUM(A1)\""},
                      QuoteCase{"InnerQuotes", "Tea \"Gold\"", "\"Tea \"\"Gold\"\"\""},
                      QuoteCase{"Empty", "", "\"\""}, QuoteCase{"Plus", "+7", "\"'+7\""},
                      QuoteCase{"At", "@cell", "\"'@cell\""}, QuoteCase{"Tab", "\tx", "\"'\tx\""},
                      QuoteCase{"CarriageReturn", "\rx", "\"'\rx\""},
                      QuoteCase{"GuardOnlyAtTheStart", "a-b=c", "\"a-b=c\""},
                      QuoteCase{"GuardAndQuote", "=\"x\"", "\"'=\"\"x\"\"\""}),
    [](const auto& info) { return std::string(info.param.label); });

// What the export writes, the import reads back (less the guard apostrophe).
TEST(CsvQuote, ParsesBackToTheValue) {
  for (const std::string value : {"Tea \"Gold\"", "a;b\r\nc", "", "Чай"}) {
    const Rows rows = ParseCsv(CsvQuote(value) + ";x", ';');
    ASSERT_EQ(rows.size(), 1u) << value;
    EXPECT_EQ(rows[0][0], value);
  }
}

}  // namespace
}  // namespace quelmora
