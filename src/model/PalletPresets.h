#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quelmora {

// A pallet size offered ready made; the caption is the same in every language.
struct TPalletPreset {
  double LengthMM = 0;
  double WidthMM = 0;
  std::string_view Caption;
};

inline constexpr std::array<TPalletPreset, 8> PalletPresets = {{
    {1200, 800, "1200 × 800"},
    {800, 600, "800 × 600"},
    {600, 400, "600 × 400"},
    {1200, 1000, "1200 × 1000"},
    {1219, 1016, "1219 × 1016 (48 × 40″)"},
    {1140, 1140, "1140 × 1140"},
    {1100, 1100, "1100 × 1100"},
    {1067, 1067, "1067 × 1067"},
}};

// The preset of exactly this length and width, or -1 for any other size.
constexpr int FindPalletPreset(double LengthMM, double WidthMM) {
  for (size_t i = 0; i < PalletPresets.size(); ++i)
    if (PalletPresets[i].LengthMM == LengthMM && PalletPresets[i].WidthMM == WidthMM)
      return static_cast<int>(i);
  return -1;
}

}  // namespace quelmora
