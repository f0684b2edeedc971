#pragma once

#include <string>
#include <vector>

#include "calc/PalletFigures.h"
#include "calc/PalletStrength.h"
#include "l10n/LocalFormat.h"
#include "model/BoxModel.h"
#include "report/DrawingSurface.h"

namespace quelmora {

// Fills of the boxes seen from above: as the box stands, and lying across.
inline constexpr TColor PalletBoxFill = 0xFFC274;
inline constexpr TColor PalletTurnedBoxFill = 0x9CC3E6;

// The pallet of Box on a white background: Layer from above on the left and
// the stack from the side on the right, each fitted to its part of Rect. The
// pallet edge is outlined over the boxes, the overhang zone shaded around it;
// the side view shows every layer and the pallet itself when it has a height.
void DrawPalletPicture(IDrawingSurface& Canvas, const TRect& Rect, const TBoxVariant& Box,
                       const TPalletLayer& Layer, const TPalletSetup& Pallet);

// The figures as lines in the current language, numbers formatted with
// Numbers.
std::vector<std::string> PalletFigureLines(const TNumberFormat& Numbers,
                                           const TPalletFigures& Figures);

// A strength figure short of its target is drawn in this colour.
inline constexpr TColor StrengthWarningColour = 0xAF2020;

struct TStrengthLine {
  std::string Text;  // in the current language, as the pallet figures
  bool Warning = false;
};

// The bottom box's strength as lines in the current language, numbers
// formatted with Numbers: the estimate,
// the reduced strength, the load, the factor reached against the required
// one (a warning when short of it), the most safe layers and, when not even
// one layer above the bottom box is safe, the unsafe mark (a warning too).
std::vector<TStrengthLine> StrengthFigureLines(const TNumberFormat& Numbers,
                                               const TPalletStrength& Strength);

// Those of Box on its own pallet; none while the check is off or for a box
// without a size (a current box not given).
std::vector<TStrengthLine> PalletStrengthLines(const TNumberFormat& Numbers,
                                               const TOptimizationSettings& Settings,
                                               const TBoxVariant& Box);

}  // namespace quelmora
