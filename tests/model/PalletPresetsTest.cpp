#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "model/PalletPresets.h"
#include "model/SettingsFields.h"
#include "model/Validation.h"

namespace quelmora {
namespace {

// Each preset is found by its own sizes alone and is a valid pallet; a
// size near one, or turned, is another size (the dialog keeps it as typed).
TEST(PalletPresets, EachIsFoundByItsSizesAndNothingElseIs) {
  std::set<std::string_view> captions;
  for (size_t i = 0; i < PalletPresets.size(); ++i) {
    const TPalletPreset& p = PalletPresets[i];
    SCOPED_TRACE(p.Caption);
    captions.insert(p.Caption);
    EXPECT_EQ(FindPalletPreset(p.LengthMM, p.WidthMM), static_cast<int>(i));
    EXPECT_EQ(FindPalletPreset(p.LengthMM + 0.5, p.WidthMM), -1);
    EXPECT_EQ(FindPalletPreset(p.LengthMM, p.WidthMM - 1), -1);
    if (p.LengthMM != p.WidthMM) {
      EXPECT_EQ(FindPalletPreset(p.WidthMM, p.LengthMM), -1);
    }
    TOptimizationSettings s = DefaultSettings();
    s.PalletLengthMM = p.LengthMM;
    s.PalletWidthMM = p.WidthMM;
    EXPECT_NO_THROW(ValidateSettings(s));
  }
  EXPECT_EQ(captions.size(), PalletPresets.size());
  // The default pallet is a preset, so a new project's dialog shows one.
  EXPECT_GE(FindPalletPreset(DefaultSettings().PalletLengthMM, DefaultSettings().PalletWidthMM), 0);
}

}  // namespace
}  // namespace quelmora
