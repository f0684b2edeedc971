#pragma once

#include <string_view>

#include "l10n/LocalFormat.h"
#include "model/OptimizationModel.h"
#include "report/DrawingSurface.h"

namespace quelmora {

// The two small pictures of a solution, each with its caption at the bottom
// of Rect and its own white background. Numbers in the captions use Numbers.

// The consumer pack as an oblique sketch: front face L × H, depth up and right.
void DrawPackPreview(IDrawingSurface& Canvas, const TRect& Rect,
                     const TOptimizationSolution& Solution, const TNumberFormat& Numbers);

// One layer of packs in the box, seen from above, to scale.
void DrawBoxLayout(IDrawingSurface& Canvas, const TRect& Rect,
                   const TOptimizationSolution& Solution, const TNumberFormat& Numbers);

// Text on one line, centred in the bottom 28 pixels of Rect.
void DrawPreviewCaption(IDrawingSurface& Canvas, const TRect& Rect, std::string_view Text);

// Rounds to the nearest whole pixel, ties to even; clamped far outside any bitmap.
int RoundPixel(double Value);

}  // namespace quelmora
