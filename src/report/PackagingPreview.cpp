#include "report/PackagingPreview.h"

#include <algorithm>
#include <cmath>

#include "l10n/Localization.h"
#include "l10n/TextTemplate.h"
#include "report/ReportTexts.h"

namespace quelmora {

namespace {

constexpr TColor White = 0xFFFFFF;
constexpr TColor Navy = 0x223449;
constexpr TColor PackOutline = 0x1F4570;
constexpr TColor PackTop = 0xFFD59A;
constexpr TColor PackSide = 0xEEA852;
constexpr TColor PackFront = 0xFFC274;
constexpr TColor BoxFloor = 0xFBF8F4;
constexpr TColor CellOutline = 0xC17C25;

void FillWhite(IDrawingSurface& canvas, const TRect& rect) {
  canvas.SetBrush(White, TBrushStyle::Solid);
  canvas.FillRect(rect);
}

}  // namespace

int RoundPixel(double Value) {
  if (!(Value > -1e9)) return -1000000000;  // also NaN
  if (Value > 1e9) return 1000000000;
  return static_cast<int>(std::nearbyint(Value));
}

void DrawPreviewCaption(IDrawingSurface& Canvas, const TRect& Rect, std::string_view Text) {
  TRect band = Rect;
  band.Top = Rect.Bottom - 28;
  Canvas.SetBrush(White, TBrushStyle::Clear);
  Canvas.SetFont(RFontName, 9, false, Navy);
  Canvas.DrawText(band, Text, dtSingleLine | dtCenter | dtVCenter);
}

void DrawPackPreview(IDrawingSurface& Canvas, const TRect& Rect,
                     const TOptimizationSolution& Solution, const TNumberFormat& Numbers) {
  FillWhite(Canvas, Rect);
  const double l = Solution.Pack.LengthMM;
  const double b = Solution.Pack.WidthMM;
  const double h = Solution.Pack.HeightMM;
  const int width = Rect.Width();
  const int height = Rect.Height();

  const double spanX = std::max(l + 0.45 * b, 1.0);
  const double spanY = std::max(h + 0.32 * b, 1.0);
  const double s = std::min({(width - 80) / spanX, (height - 62) / spanY, 1.25});
  const int fw = std::max(RoundPixel(l * s), 28);
  const int fh = std::max(RoundPixel(h * s), 36);
  const int d = std::max(RoundPixel(b * s * 0.42), 14);

  const int x0 = Rect.Left + (width - fw - d) / 2;
  const int y0 = Rect.Top + std::max(8, (height - fh - d - 28) / 2) + d;

  Canvas.SetPen(PackOutline, 2);
  Canvas.SetBrush(PackTop, TBrushStyle::Solid);
  Canvas.Polygon({{x0, y0}, {x0 + d, y0 - d}, {x0 + fw + d, y0 - d}, {x0 + fw, y0}});
  Canvas.SetBrush(PackSide, TBrushStyle::Solid);
  Canvas.Polygon(
      {{x0 + fw, y0}, {x0 + fw + d, y0 - d}, {x0 + fw + d, y0 + fh - d}, {x0 + fw, y0 + fh}});
  Canvas.SetBrush(PackFront, TBrushStyle::Solid);
  Canvas.Polygon({{x0, y0}, {x0 + fw, y0}, {x0 + fw, y0 + fh}, {x0, y0 + fh}});

  // The seam down the middle of the front.
  Canvas.SetPen(White, 2);
  Canvas.MoveTo(x0 + fw / 2, y0 + 5);
  Canvas.LineTo(x0 + fw / 2, y0 + fh - 5);

  DrawPreviewCaption(Canvas, Rect, FormatLocal(Numbers, RPackCaption, l, b, h) + Tr(RMillimetres));
}

void DrawBoxLayout(IDrawingSurface& Canvas, const TRect& Rect,
                   const TOptimizationSolution& Solution, const TNumberFormat& Numbers) {
  FillWhite(Canvas, Rect);
  const TBoxVariant& box = Solution.Box;
  const TPackPlacement& placement = box.PackPlacement;

  TRect area{Rect.Left + 24, Rect.Top + 14, Rect.Right - 24, Rect.Bottom - 14 - 32};
  const int aw = std::max(area.Width(), 1);
  const int ah = std::max(area.Height(), 1);
  const double il = std::max(box.InnerLengthMM, 1.0);
  const double iw = std::max(box.InnerWidthMM, 1.0);
  const double s = std::min(ah / iw, aw / il);
  const int bw = std::max(RoundPixel(il * s), 1);
  const int bh = std::max(RoundPixel(iw * s), 1);

  TRect outline;
  outline.Left = Rect.Left + (Rect.Width() - bw) / 2;
  outline.Top = Rect.Top + std::max(8, (Rect.Height() - bh - 32) / 2);
  outline.Right = outline.Left + bw;
  outline.Bottom = outline.Top + bh;
  Canvas.SetBrush(BoxFloor, TBrushStyle::Solid);
  Canvas.SetPen(Navy, 3);
  Canvas.Rectangle(outline);

  const int nx = std::max(placement.CountX, 1);
  const int ny = std::max(placement.CountY, 1);
  const int nz = std::max(placement.CountZ, 1);
  const int cw = std::max(RoundPixel(placement.PackDimX * s), 1);
  const int ch = std::max(RoundPixel(placement.PackDimY * s), 1);
  // The grid is centred by its exact size, not by the rounded cells.
  const int gx = outline.Left + RoundPixel((outline.Width() - nx * placement.PackDimX * s) / 2);
  const int gy = outline.Top + RoundPixel((outline.Height() - ny * placement.PackDimY * s) / 2);

  Canvas.SetBrush(PackFront, TBrushStyle::Solid);
  Canvas.SetPen(CellOutline, 3);
  // Cells are cut at the box edges; a cell left with nothing inside the box
  // (only with counts that do not fit it) is not drawn.
  for (int i = 0; i < ny && gy + i * ch + 1 < outline.Bottom - 1; ++i) {
    for (int j = 0; j < nx && gx + j * cw + 1 < outline.Right - 1; ++j) {
      const TRect cell{gx + j * cw + 1, gy + i * ch + 1,
                       std::min(outline.Right, gx + (j + 1) * cw) - 1,
                       std::min(outline.Bottom, gy + (i + 1) * ch) - 1};
      Canvas.Rectangle(cell);
    }
  }

  DrawPreviewCaption(
      Canvas, Rect,
      FormatTr(Numbers, RLayoutCaption, {box.LengthMM, box.WidthMM, nx, ny, nz, box.PackCount}));
}

}  // namespace quelmora
