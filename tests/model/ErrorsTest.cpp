#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/Errors.h"
#include "model/TextFormat.h"

namespace quelmora {
namespace {

// The names a failed run shows ("Kind: message") are what logs, scripts and
// users have seen so far; two kinds may share one.
struct KindName {
  TErrorKind kind;
  const char* name;
};

void PrintTo(const KindName& c, std::ostream* out) {
  *out << c.name << " #" << static_cast<int>(c.kind);
}

class ErrorKindNames : public ::testing::TestWithParam<KindName> {};

TEST_P(ErrorKindNames, RunTextKeepsTheShownName) {
  const Exception e(GetParam().kind, "m");
  EXPECT_EQ(ErrorText(e), std::string(GetParam().name) + ": m");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorKindNames,
    ::testing::Values(KindName{TErrorKind::General, "Exception"},
                      KindName{TErrorKind::InvalidInput, "EArgumentException"},
                      KindName{TErrorKind::OutOfRange, "EArgumentOutOfRangeException"},
                      KindName{TErrorKind::NotANumber, "EConvertError"},
                      KindName{TErrorKind::InvalidOperation, "EInvalidOp"},
                      KindName{TErrorKind::NoSharedBox, "EInvalidOp"},
                      KindName{TErrorKind::DivisionByZero, "EZeroDivide"},
                      KindName{TErrorKind::Overflow, "EOverflow"},
                      KindName{TErrorKind::IdOutOfRange, "EOverflow"},
                      KindName{TErrorKind::Cancelled, "EOptimizationCancelled"},
                      KindName{TErrorKind::OutOfMemory, "EOutOfMemory"},
                      KindName{TErrorKind::FileOpen, "EFOpenError"},
                      KindName{TErrorKind::FileCreate, "EFCreateError"},
                      KindName{TErrorKind::FileReadWrite, "EInOutError"},
                      KindName{TErrorKind::Encoding, "EEncodingError"},
                      KindName{TErrorKind::JsonSyntax, "EJsonParseError"},
                      KindName{TErrorKind::Internal, "Exception"}));

// A message made from its catalogue text and arguments reads exactly as the
// text printf makes of them, so no message changed when the errors began to
// carry their arguments.
TEST(Errors, MessageFromArgumentsEqualsPrintf) {
  const std::string name = "Сахар 5 кг";
  EXPECT_EQ(Exception(TErrorKind::General, "CSV, строка %d: %s", {17, name}).Message(),
            Format("CSV, строка %d: %s", 17, name.c_str()));
  EXPECT_EQ(Exception(TErrorKind::General, "%d изд. %.1f ГБ, %.1f ГБ", {3, 1.25, 0.05}).Message(),
            Format("%d изд. %.1f ГБ, %.1f ГБ", 3, 1.25, 0.05));
  EXPECT_EQ(
      Exception(TErrorKind::General, "%.15g %.15g orientation %d", {0.1, -1e308, 5}).Message(),
      Format("%.15g %.15g orientation %d", 0.1, -1e308, 5));
  EXPECT_EQ(Exception(TErrorKind::General, "%s at byte %zu", {"Bad", size_t{42}}).Message(),
            Format("%s at byte %zu", "Bad", size_t{42}));
}

TEST(Errors, TextWithoutArgumentsIsTakenAsItStands) {
  EXPECT_EQ(Exception(TErrorKind::General, "100 % sure: %d").Message(), "100 % sure: %d");
}

TEST(Errors, TextArgumentsGoInWhole) {
  // Names may hold any bytes a file gave them, a NUL or a percent sign too.
  const std::string name("a\0b%s", 5);
  EXPECT_EQ(Exception(TErrorKind::InvalidInput, "%s: %s", {name, "L/B"}).Message(), name + ": L/B");
}

TEST(Errors, KeepsIdArgumentsAndPlace) {
  const Exception e = Exception(TErrorKind::InvalidInput, "CSV, строка %d: %s", {4, "B, мм"})
                          .AtCsv(4, 7)
                          .InField("OriginalWidthMM")
                          .InFile("/tmp/p.csv");
  EXPECT_EQ(e.MessageId(), "CSV, строка %d: %s");
  ASSERT_EQ(e.Args().size(), 2u);
  EXPECT_EQ(e.Args()[0].Integer(), 4);
  EXPECT_EQ(e.Args()[1].Text(), "B, мм");
  EXPECT_EQ(e.Place().Row, 4);
  EXPECT_EQ(e.Place().Column, 7);
  EXPECT_EQ(e.Place().Field, "OriginalWidthMM");
  EXPECT_EQ(e.Place().File, "/tmp/p.csv");
  EXPECT_TRUE(e.Place().Member.empty());
}

// Wrapping a failure in another keeps all that the inner one knew of its place.
TEST(Errors, AtCarriesEveryPartOfThePlace) {
  const Exception inner = Exception(TErrorKind::InvalidInput, "inner")
                              .InField("OriginalWidthMM")
                              .AtCsv(3, 7)
                              .InFile("p.csv")
                              .AtMember("Products[1]")
                              .WithFound("-5")
                              .WithFieldCount(3, 14)
                              .WithAllowed(AboveTo(0, 10000))
                              .WithExpected("1")
                              .AtByte(42);
  const Exception outer = Exception(TErrorKind::InvalidInput, "outer").At(inner.Place());
  EXPECT_EQ(outer.Place(), inner.Place());
  EXPECT_EQ(Exception(TErrorKind::General, "blank").At(TErrorPlace{}).Place(), TErrorPlace{});
}

TEST(Errors, AtAddsKnownPlacesWithoutClearingOthers) {
  TErrorPlace inner;
  inner.Field = "RatioLB";
  inner.Column = 3;
  const Exception e = Exception(TErrorKind::InvalidInput, "outer")
                          .InFile("p.vld")
                          .AtMember("Products[2]")
                          .At(inner);
  EXPECT_EQ(e.Place().Field, "RatioLB");
  EXPECT_EQ(e.Place().Column, 3);
  EXPECT_EQ(e.Place().File, "p.vld");
  EXPECT_EQ(e.Place().Member, "Products[2]");
  EXPECT_EQ(e.Place().Row, 0);
}

TEST(Errors, FileKindsAreTheFileErrors) {
  for (int k = 0; k <= static_cast<int>(TErrorKind::Internal); ++k) {
    const auto kind = static_cast<TErrorKind>(k);
    const std::string name = ErrorKindName(kind);
    EXPECT_EQ(IsFileError(kind),
              name == "EFOpenError" || name == "EFCreateError" || name == "EInOutError")
        << name;
  }
}

}  // namespace
}  // namespace quelmora
