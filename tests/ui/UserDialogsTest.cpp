#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quelmora
