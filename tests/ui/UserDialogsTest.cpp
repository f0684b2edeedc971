#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "model/AppStrings.h"
#include "model/Errors.h"
#include "support/FakeDialogs.h"
#include "ui/UserDialogs.h"

namespace quelmora {
namespace {

TEST(FilterSuffix, TheSingleExtensionOfAFilter) {
  EXPECT_EQ(FilterSuffix("JSON (*.json)"), "json");
  EXPECT_EQ(FilterSuffix("CSV UTF-8 (*.csv)"), "csv");
  EXPECT_EQ(FilterSuffix("quelmora (*.vld)"), "vld");
  EXPECT_EQ(FilterSuffix("Pictures (*.png *.jpg)"), "");
  EXPECT_EQ(FilterSuffix("All files (*)"), "");
  EXPECT_EQ(FilterSuffix("No pattern"), "");
  EXPECT_EQ(FilterSuffix("Archives (*.tar.*)"), "");
}

// In the catalogue's language the box begins with the message word for word.
TEST(ErrorMessageText, BeginsWithTheMessageInTheCataloguesLanguage) {
  const Exception cases[] = {
      Exception(TErrorKind::NotANumber, "%s", {TFormatArg::Key("Длина, мм")})
          .InField("LengthMM")
          .WithFound("abc"),
      Exception(TErrorKind::InvalidInput, SInvalidFile, {"OriginalWidthMM"}).InFile("a.vld"),
      Exception(TErrorKind::General, "Integer expected"),
  };
  for (const Exception& e : cases) {
    const std::string text = ErrorMessageText(e).toStdString();
    EXPECT_EQ(text.substr(0, text.find('\n')), e.Message());
  }
  EXPECT_EQ(ErrorMessageText(std::bad_alloc()).toStdString(), SNoMemory);
  EXPECT_EQ(ErrorMessageText(std::runtime_error("plain")).toStdString(), "plain");
}

struct TGuardCase {
  bool Ours;
  bool Throws;
};

class RunOrShowErrorTest : public ::testing::TestWithParam<TGuardCase> {};

// The dialog hears of its own failures only, after the box was shown.
TEST_P(RunOrShowErrorTest, HandsOurFailureOnAfterShowingIt) {
  testing::TFakeDialogs dialogs;
  std::string field;
  size_t errorsSeen = 99;
  const bool completed = RunOrShowError(
      dialogs, nullptr,
      [] {
        if (!GetParam().Throws) return;
        if (GetParam().Ours)
          throw Exception(TErrorKind::InvalidInput, "x").InField("PalletWidthMM");
        throw std::runtime_error("y");
      },
      [&](const Exception& e) {
        field = e.Place().Field;
        errorsSeen = dialogs.Errors.size();
      });
  EXPECT_EQ(completed, !GetParam().Throws);
  EXPECT_EQ(dialogs.Errors.size(), GetParam().Throws ? 1u : 0u);
  EXPECT_EQ(field, GetParam().Throws && GetParam().Ours ? "PalletWidthMM" : "");
  EXPECT_EQ(errorsSeen, GetParam().Throws && GetParam().Ours ? 1u : 99u);
}

INSTANTIATE_TEST_SUITE_P(Failures, RunOrShowErrorTest,
                         ::testing::Values(TGuardCase{true, true}, TGuardCase{false, true},
                                           TGuardCase{true, false}));

}  // namespace
}  // namespace quelmora
