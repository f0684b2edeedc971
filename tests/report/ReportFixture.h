#pragma once

#include <gtest/gtest.h>

#include <string>

#include "l10n/Localization.h"
#include "model/OptimizationModel.h"

namespace quelmora::testing {

// The shipped language files, Russian unless a test loads another.
class ReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    OverrideLanguageFolder(std::string(QUELMORA_SOURCE_DIR) + "/lang");
    ASSERT_TRUE(LoadLanguage("Russian.lng"));
  }
  void TearDown() override {
    LoadLanguage("Russian.lng");
    OverrideLanguageFolder("");
  }
};

// A solution with the pack and the inner box given; the rest as a built box has it.
inline TOptimizationSolution MakeSolution(int32_t productId, double l, double b, double h) {
  TOptimizationSolution s;
  s.ProductId = productId;
  s.Pack.LengthMM = l;
  s.Pack.WidthMM = b;
  s.Pack.HeightMM = h;
  s.Box.LengthMM = 410;
  s.Box.WidthMM = 310;
  s.Box.HeightMM = 210;
  s.Box.InnerLengthMM = 404;
  s.Box.InnerWidthMM = 304;
  s.Box.InnerHeightMM = 204;
  s.Box.PackCount = 24;
  s.Box.PackPlacement = {poLBH, 4, 6, 1, 24, l, b, h};
  s.UnifiedGroupId = 1;
  s.UnifiedProductCount = 1;
  return s;
}

}  // namespace quelmora::testing
