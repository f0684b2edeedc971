#pragma once

#include <string>
#include <vector>

#include "calc/PalletFigures.h"
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

// The figures as lines formatted with Numbers, each to be translated by its
// part before the colon (TrMultiline), as the detail lines are.
std::vector<std::string> PalletFigureLines(const TNumberFormat& Numbers,
                                           const TPalletFigures& Figures);

}  // namespace quelmora
