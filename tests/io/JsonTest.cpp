#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "io/Json.h"
#include "model/Errors.h"
#include "model/Utf8.h"
#include "support/ExpectError.h"

namespace quelmora {
namespace {

// --- number format ---------------------------------------------------------

struct NumberCase {
  double value;
  const char* text;
};
std::ostream& operator<<(std::ostream& os, const NumberCase& c) {
  return os << c.text;
}

class JsonNumberFormat : public ::testing::TestWithParam<NumberCase> {};

TEST_P(JsonNumberFormat, WritesFifteenSignificantDigits) {
  EXPECT_EQ(FormatJsonNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonNumberFormat,
    ::testing::Values(
        NumberCase{0, "0"}, NumberCase{-0.0, "0"}, NumberCase{1, "1"}, NumberCase{1800, "1800"},
        NumberCase{-15, "-15"}, NumberCase{0.1, "0.1"}, NumberCase{0.1 + 0.2, "0.3"},
        NumberCase{12.5, "12.5"}, NumberCase{0.00095, "0.00095"},
        NumberCase{1.0 / 3, "0.333333333333333"}, NumberCase{2.0 / 3, "0.666666666666667"},
        NumberCase{-2.0 / 3, "-0.666666666666667"},
        NumberCase{1799.2688135545282, "1799.26881355453"},
        NumberCase{86.66666666666667, "86.6666666666667"},
        // The plain range ends at decimal exponents -4 and 14.
        NumberCase{0.0001, "0.0001"}, NumberCase{0.000123456, "0.000123456"},
        NumberCase{0.00001, "1E-5"}, NumberCase{1.5e-5, "1.5E-5"}, NumberCase{-1.5e-7, "-1.5E-7"},
        NumberCase{123456789012345, "123456789012345"}, NumberCase{1e14, "100000000000000"},
        NumberCase{1e15, "1E15"}, NumberCase{2.5e20, "2.5E20"}, NumberCase{-2.5e20, "-2.5E20"},
        NumberCase{2147483647, "2147483647"}, NumberCase{1e100, "1E100"},
        NumberCase{1e-300, "1E-300"},
        // Rounding decides the exponent: these become 1E15 and 1E16.
        NumberCase{999999999999999.9, "1E15"}, NumberCase{9999999999999998, "1E16"},
        NumberCase{0.000099999999999999999, "0.0001"},
        NumberCase{999999999999999.4, "999999999999999"},
        NumberCase{1234567890123456789.0, "1.23456789012346E18"},
        NumberCase{DBL_MAX, "1.79769313486232E308"},
        NumberCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}));

TEST(JsonNumberFormat, RefusesWhatJsonCannotHold) {
  EXPECT_ERROR_KIND(FormatJsonNumber(std::numeric_limits<double>::quiet_NaN()),
                    TErrorKind::InvalidOperation);
  EXPECT_ERROR_KIND(FormatJsonNumber(std::numeric_limits<double>::infinity()),
                    TErrorKind::Overflow);
  EXPECT_ERROR_KIND(FormatJsonNumber(-std::numeric_limits<double>::infinity()),
                    TErrorKind::Overflow);
}

// --- string escaping -------------------------------------------------------

struct EscapeCase {
  std::string text;
  const char* json;
};
std::ostream& operator<<(std::ostream& os, const EscapeCase& c) {
  return os << c.json;
}

class JsonStringEscape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonStringEscape, EscapesPerUtf16CodeUnit) {
  std::string out;
  AppendJsonString(out, GetParam().text);
  EXPECT_EQ(out, GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonStringEscape,
    ::testing::Values(EscapeCase{"", R"("")"}, EscapeCase{"plain text 123", R"("plain text 123")"},
                      EscapeCase{"Чай", R"("\u0427\u0430\u0439")"},
                      EscapeCase{"руб.", R"("\u0440\u0443\u0431.")"},
                      EscapeCase{"a\"b\\c/d", R"("a\"b\\c\/d")"},
                      EscapeCase{"\b\t\n\f\r", R"("\b\t\n\f\r")"},
                      EscapeCase{std::string("\0", 1), R"("\u0000")"},
                      EscapeCase{"\x01\x1f", R"("\u0001\u001F")"},
                      EscapeCase{"\x7f~ ", "\"\x7f~ \""}, EscapeCase{"é", R"("\u00E9")"},
                      EscapeCase{"€", R"("\u20AC")"}, EscapeCase{"\uFFFF", R"("\uFFFF")"},
                      // Outside the Basic Multilingual Plane: a surrogate pair.
                      EscapeCase{"😀", R"("\uD83D\uDE00")"},
                      EscapeCase{"\U0010FFFF", R"("\uDBFF\uDFFF")"}));

TEST(JsonStringEscape, RefusesTextThatIsNotUtf8) {
  std::string out;
  EXPECT_ERROR_KIND(AppendJsonString(out, "ab\xff"), TErrorKind::Encoding);
  EXPECT_ERROR_KIND(AppendJsonString(out, "\xED\xA0\x80"), TErrorKind::Encoding);  // a surrogate
}

TEST(JsonWriter, IsCompactAndKeepsMemberOrder) {
  TJsonValue root = JsonObject();
  root.Add("z", JsonNumber(1));
  root.Add("a", JsonArray()).Append(JsonBool(true));
  root.Add("m", JsonObject()).Add("k", JsonString("v"));
  root.Add("n", JsonNull());
  root.Add("e", JsonArray());
  root.Add("f", JsonBool(false));
  EXPECT_EQ(WriteJson(root), R"({"z":1,"a":[true],"m":{"k":"v"},"n":null,"e":[],"f":false})");
}

// --- reader ----------------------------------------------------------------

struct ReadCase {
  std::string text;
  const char* canonical;  // the value written back compactly
};
std::ostream& operator<<(std::ostream& os, const ReadCase& c) {
  return os << c.canonical;
}

class JsonReaderAccepts : public ::testing::TestWithParam<ReadCase> {};

// The value rebuilt from the piecewise readers, for comparing with ParseJson.
TJsonValue FromPieces(std::string_view text) {
  TJsonValue value = ParseJsonScalar(text);
  if (value.IsObject())
    ForEachJsonMember(text, [&](std::string_view key, std::string_view member) {
      value.Add(key, FromPieces(member));
    });
  if (value.IsArray())
    ForEachJsonItem(text, [&](std::string_view item) { value.Append(FromPieces(item)); });
  EXPECT_EQ(JsonKindOf(text), value.Kind) << text;
  return value;
}

TEST_P(JsonReaderAccepts, ReadsTheValue) {
  EXPECT_EQ(WriteJson(ParseJson(GetParam().text)), GetParam().canonical);
}

// The checking reader that keeps nothing and the piecewise readers agree with
// the reader that builds the tree.
TEST_P(JsonReaderAccepts, PiecewiseReadersAgree) {
  EXPECT_NO_THROW(CheckJson(GetParam().text));
  EXPECT_EQ(WriteJson(FromPieces(GetParam().text)), GetParam().canonical);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonReaderAccepts,
    ::testing::Values(
        ReadCase{"{}", "{}"}, ReadCase{"[]", "[]"}, ReadCase{" \t\r\n{ } \r\n\t ", "{}"},
        ReadCase{"{ \"a\" : [ 1 , 2.5e0 ,true,false,null ] }", R"({"a":[1,2.5,true,false,null]})"},
        ReadCase{"-0", "0"}, ReadCase{"1E2", "100"}, ReadCase{"1e+2", "100"},
        ReadCase{"25e-1", "2.5"}, ReadCase{"0.5", "0.5"}, ReadCase{"-12.75", "-12.75"},
        ReadCase{R"("\u0427")", R"("\u0427")"}, ReadCase{"\"Чай\"", R"("\u0427\u0430\u0439")"},
        ReadCase{R"("\ud83d\ude00")", R"("\uD83D\uDE00")"}, ReadCase{"\"😀\"", R"("\uD83D\uDE00")"},
        ReadCase{R"("\"\\\/\b\f\n\r\t")", R"("\"\\\/\b\f\n\r\t")"},
        ReadCase{R"("\u0000")", R"("\u0000")"}, ReadCase{"[[[[]]]]", "[[[[]]]]"},
        ReadCase{"{\"\":\"\"}", R"({"":""})"}));

class JsonReaderRefuses : public ::testing::TestWithParam<std::string> {};

TEST_P(JsonReaderRefuses, RaisesParseError) {
  EXPECT_ERROR_KIND(ParseJson(GetParam()), TErrorKind::JsonSyntax) << GetParam();
  EXPECT_ERROR_KIND(CheckJson(GetParam()), TErrorKind::JsonSyntax) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonReaderRefuses,
    ::testing::Values("", " ", "{", "}", "[1,]", "[,1]", "{\"a\":1,}", "{\"a\" 1}", "{a:1}",
                      "{\"a\":}", "{1:2}", "[1 2]", "01", "-01", "1.", ".5", "+1", "-", "1e", "1e+",
                      "0x10", "tru", "True", "nul", "NaN", "Infinity", "-Infinity", "'a'", "\"a",
                      R"("\x")", R"("\u12")", R"("\u12G4")", R"("\ud800")", R"("\udc00")",
                      R"("\ud800\u0041")", R"("\ud800x")", "\"tab\there\"", "\"line\nbreak\"",
                      "{} {}", "1 2", "{}x", "{},",
                      // Only space, tab, CR and LF count as whitespace.
                      "\f1", "1\f", "\v{}", "\xC2\xA0{}", std::string("{}\0", 3),
                      // Strings must be UTF-8.
                      "\"\xC0\xAF\"", "\"\xED\xA0\x80\"", "\"\xFF\"", "\"\xD0\""));

TEST(JsonReader, DuplicateKeysKeepTheFirstOccurrence) {
  const TJsonValue v = ParseJson(R"({"a":1,"b":{"x":true,"x":false},"a":2})");
  ASSERT_NE(v.Find("a"), nullptr);
  EXPECT_EQ(v.Find("a")->Number, 1);
  EXPECT_EQ(v.Find("b")->Find("x")->Kind, jkTrue);
  EXPECT_EQ(v.Members.size(), 3u);  // nothing is dropped, only looked past
  EXPECT_EQ(v.Find("A"), nullptr);  // keys are case-sensitive
  EXPECT_EQ(v.Find("c"), nullptr);
  EXPECT_EQ(v.Find("b")->Find("a"), nullptr);
  EXPECT_EQ(v.Find("a")->Find("a"), nullptr);  // not an object
}

TEST(JsonReader, NumbersKeepTheirTextAndOverflowToInfinity) {
  const TJsonValue v =
      ParseJson(R"([1e400,-1e400,1e-400,86.66666666666667,123456789012345678901234567890,1.50])");
  ASSERT_EQ(v.Items.size(), 6u);
  EXPECT_TRUE(std::isinf(v.Items[0].Number) && v.Items[0].Number > 0);
  EXPECT_EQ(v.Items[0].Text, "1e400");
  EXPECT_TRUE(std::isinf(v.Items[1].Number) && v.Items[1].Number < 0);
  EXPECT_EQ(v.Items[2].Number, 0);  // underflow is still a finite number
  EXPECT_EQ(v.Items[3].Number, 86.66666666666667);
  EXPECT_EQ(v.Items[4].Number, 123456789012345678901234567890.0);
  EXPECT_EQ(v.Items[5].Text, "1.50");
  EXPECT_EQ(v.Items[5].Number, 1.5);
}

TEST(JsonReader, StringsDecodeToUtf8) {
  const TJsonValue v = ParseJson(R"(["\u0427a\u0439","Ч\u0430й","\uD83D\uDE00x"])");
  EXPECT_EQ(v.Items[0].Text, "Чaй");
  EXPECT_EQ(v.Items[1].Text, "Чай");
  EXPECT_EQ(v.Items[2].Text, "😀x");
  EXPECT_EQ(v.Items[0].Kind, jkString);
}

TEST(JsonReader, NestingHasALimitInsteadOfExhaustingTheStack) {
  const auto nested = [](int depth) {
    return std::string(static_cast<size_t>(depth), '[') +
           std::string(static_cast<size_t>(depth), ']');
  };
  EXPECT_NO_THROW(ParseJson(nested(500)));
  EXPECT_ERROR_KIND(ParseJson(nested(100000)), TErrorKind::JsonSyntax);
  EXPECT_NO_THROW(CheckJson(nested(500)));
  EXPECT_ERROR_KIND(CheckJson(nested(100000)), TErrorKind::JsonSyntax);
}

TEST(JsonReader, ErrorNamesThePosition) {
  try {
    ParseJson("{\"a\":1,}");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::JsonSyntax);
    EXPECT_NE(e.Message().find("byte 7"), std::string::npos) << e.Message();
  }
}

// --- UTF-8 -----------------------------------------------------------------

struct Utf8Case {
  std::string bytes;
  size_t firstInvalid;
};
std::ostream& operator<<(std::ostream& os, const Utf8Case& c) {
  return os << ::testing::PrintToString(c.bytes);
}

class StrictUtf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(StrictUtf8, FindsTheFirstInvalidByte) {
  EXPECT_EQ(FindInvalidUtf8(GetParam().bytes), GetParam().firstInvalid);
}

constexpr size_t kValid = std::string::npos;

INSTANTIATE_TEST_SUITE_P(
    Table, StrictUtf8,
    ::testing::Values(Utf8Case{"", kValid}, Utf8Case{"abc", kValid}, Utf8Case{"Чай", kValid},
                      Utf8Case{"😀", kValid}, Utf8Case{"\xEF\xBF\xBF", kValid},
                      Utf8Case{"\xF4\x8F\xBF\xBF", kValid}, Utf8Case{"\x80", 0},
                      Utf8Case{"a\xC3", 1}, Utf8Case{"\xC3\x28", 0}, Utf8Case{"\xC0\x80", 0},
                      Utf8Case{"\xC1\xBF", 0}, Utf8Case{"\xE0\x80\x80", 0},
                      Utf8Case{"\xF0\x80\x80\x80", 0}, Utf8Case{"ok\xED\xA0\x80", 2},
                      Utf8Case{"\xED\xBF\xBF", 0}, Utf8Case{"\xF4\x90\x80\x80", 0},
                      Utf8Case{"\xF8\x88\x80\x80\x80", 0}, Utf8Case{"ab\xFF", 2},
                      Utf8Case{"Ч\xE2\x82", 2}));

TEST(StrictUtf8, EncodesAndDecodesEveryLength) {
  for (char32_t cp : {U'\u0000', U'A', U'\u007F', U'\u0080', U'\u07FF', U'\u0800', U'\uFFFF',
                      U'\U00010000', U'\U0010FFFF'}) {
    std::string bytes;
    AppendUtf8(bytes, cp);
    size_t pos = 0;
    char32_t decoded = 0;
    ASSERT_TRUE(DecodeUtf8(bytes, pos, decoded));
    EXPECT_EQ(decoded, cp);
    EXPECT_EQ(pos, bytes.size());
  }
}

}  // namespace
}  // namespace quelmora
