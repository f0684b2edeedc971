#include "report/PalletPreview.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>

#include "l10n/TextTemplate.h"
#include "report/PackagingPreview.h"
#include "report/ReportTexts.h"

namespace quelmora {

namespace {

constexpr TColor White = 0xFFFFFF;
constexpr TColor OverhangFill = 0xEEF2F6;
constexpr TColor OverhangEdge = 0xB8C2CC;
constexpr TColor PalletWood = 0xE3CDA4;
constexpr TColor PalletEdge = 0x6B4F2A;
constexpr TColor BoxEdge = 0x8A5A1C;
constexpr TColor StackFill = 0xFFD59A;
constexpr TColor LimitLine = 0x9AA5B1;

// Past this many boxes a layer is drawn as the block they cover: single
// boxes would be smaller than a pixel anyway.
constexpr size_t kMostBoxesDrawn = 20000;
// Layers thinner than this many pixels are drawn as one block.
constexpr int kThinnestLayerPx = 3;

// Millimetres to the pixels of one part, the span fitted and centred in it.
struct TScale {
  double MinX = 0, MinY = 0, Factor = 0, OffsetX = 0, OffsetY = 0;
  TRect Part;

  TScale(const TRect& part, double minX, double maxX, double minY, double maxY)
      : MinX(minX), MinY(minY), Part(part) {
    const double spanX = std::max(maxX - minX, 1e-9), spanY = std::max(maxY - minY, 1e-9);
    Factor = std::max(0.0, std::min(part.Width() / spanX, part.Height() / spanY));
    OffsetX = (part.Width() - spanX * Factor) / 2;
    OffsetY = (part.Height() - spanY * Factor) / 2;
  }
  int X(double x) const { return Part.Left + RoundPixel(OffsetX + (x - MinX) * Factor); }
  // Downwards from the top for the view from above.
  int Y(double y) const { return Part.Top + RoundPixel(OffsetY + (y - MinY) * Factor); }
  // Upwards from the bottom for the view from the side.
  int Up(double z) const { return Part.Bottom - RoundPixel(OffsetY + (z - MinY) * Factor); }
  TRect Plan(double x, double y, double l, double w) const {
    return {X(x), Y(y), X(x + l), Y(y + w)};
  }
};

struct TExtent {
  double MinX, MaxX, MinY, MaxY;
};

// E widened to take in every box of the layer.
TExtent Covered(const TPalletLayer& layer, TExtent e) {
  for (const TLayerBox& b : layer.Boxes) {
    e.MinX = std::min(e.MinX, b.XMM);
    e.MaxX = std::max(e.MaxX, b.XMM + b.LengthMM);
    e.MinY = std::min(e.MinY, b.YMM);
    e.MaxY = std::max(e.MaxY, b.YMM + b.WidthMM);
  }
  return e;
}

// The boxes' own extent; the pallet's for a layer that lists none.
TExtent BoxesExtent(const TPalletLayer& layer, const TPalletSetup& pallet) {
  if (layer.Boxes.empty()) return {0, pallet.LengthMM, 0, pallet.WidthMM};
  const TLayerBox& first = layer.Boxes.front();
  return Covered(layer,
                 {first.XMM, first.XMM + first.LengthMM, first.YMM, first.YMM + first.WidthMM});
}

void DrawFromAbove(IDrawingSurface& canvas, const TRect& part, const TBoxVariant& box,
                   const TPalletLayer& layer, const TPalletSetup& pallet, const TExtent& e) {
  const TScale s(part, e.MinX, e.MaxX, e.MinY, e.MaxY);
  const TRect palletRect = s.Plan(0, 0, pallet.LengthMM, pallet.WidthMM);
  if (pallet.OverhangMM > 0) {
    const double o = pallet.OverhangMM;
    canvas.SetBrush(OverhangFill, TBrushStyle::Solid);
    canvas.SetPen(OverhangEdge, 1);
    canvas.Rectangle(s.Plan(-o, -o, pallet.LengthMM + 2 * o, pallet.WidthMM + 2 * o));
  }
  canvas.SetBrush(PalletWood, TBrushStyle::Solid);
  canvas.SetPen(PalletEdge, 1);
  canvas.Rectangle(palletRect);

  canvas.SetPen(BoxEdge, 1);
  if (layer.Count > 0 && (layer.Boxes.empty() || layer.Boxes.size() > kMostBoxesDrawn)) {
    canvas.SetBrush(PalletBoxFill, TBrushStyle::Solid);
    const TExtent b = BoxesExtent(layer, pallet);
    canvas.Rectangle(s.Plan(b.MinX, b.MinY, b.MaxX - b.MinX, b.MaxY - b.MinY));
  } else {
    for (const TLayerBox& b : layer.Boxes) {
      const bool turned = IsTurned(b, box.LengthMM, box.WidthMM);
      canvas.SetBrush(turned ? PalletTurnedBoxFill : PalletBoxFill, TBrushStyle::Solid);
      canvas.Rectangle(s.Plan(b.XMM, b.YMM, b.LengthMM, b.WidthMM));
    }
  }
  // The edge goes over the boxes so that the overhang shows.
  canvas.SetBrush(White, TBrushStyle::Clear);
  canvas.SetPen(PalletEdge, 2);
  canvas.Rectangle(palletRect);
}

void DrawFromTheSide(IDrawingSurface& canvas, const TRect& part, const TBoxVariant& box,
                     const TPalletLayer& layer, const TPalletSetup& pallet, const TExtent& e) {
  const double own = std::max(pallet.OwnHeightMM, 0.0);
  const int layers = std::max(box.Pallet.LayerCount, 0);
  const double load = layers * box.HeightMM;
  const TScale s(part, e.MinX, e.MaxX, 0, own + std::max(load, pallet.LoadHeightMM));
  // The stack stands as wide as its layer.
  const TExtent b = BoxesExtent(layer, pallet);
  const double left = b.MinX, right = b.MaxX;
  canvas.SetBrush(StackFill, TBrushStyle::Solid);
  canvas.SetPen(BoxEdge, 1);
  if (layers > 0 && layer.Count > 0) {
    const bool lined = box.HeightMM * s.Factor >= kThinnestLayerPx;
    for (int i = 0; i < (lined ? layers : 1); ++i) {
      const double bottom = own + (lined ? i * box.HeightMM : 0);
      // The same sum as the next layer's bottom, so that layers meet.
      const double top = lined ? own + (i + 1) * box.HeightMM : own + load;
      canvas.Rectangle({s.X(left), s.Up(top), s.X(right), s.Up(bottom)});
    }
  }
  if (own > 0) {
    canvas.SetBrush(PalletWood, TBrushStyle::Solid);
    canvas.SetPen(PalletEdge, 2);
    canvas.Rectangle({s.X(0), s.Up(own), s.X(pallet.LengthMM), s.Up(0)});
  }
  if (pallet.LoadHeightMM > 0) {
    canvas.SetPen(LimitLine, 1);
    const int y = s.Up(own + pallet.LoadHeightMM);
    canvas.MoveTo(s.X(e.MinX), y);
    canvas.LineTo(s.X(e.MaxX), y);
  }
}

}  // namespace

void DrawPalletPicture(IDrawingSurface& Canvas, const TRect& Rect, const TBoxVariant& Box,
                       const TPalletLayer& Layer, const TPalletSetup& Pallet) {
  Canvas.SetBrush(White, TBrushStyle::Solid);
  Canvas.FillRect(Rect);
  constexpr int margin = 6, gap = 12;
  const TRect inner{Rect.Left + margin, Rect.Top + margin, Rect.Right - margin,
                    Rect.Bottom - margin};
  if (inner.Width() < 3 * gap || inner.Height() < gap) return;
  const int sideWidth = inner.Width() * 3 / 10;
  const TRect above{inner.Left, inner.Top, inner.Right - sideWidth - gap, inner.Bottom};
  const TRect side{inner.Right - sideWidth, inner.Top, inner.Right, inner.Bottom};
  const double o = std::max(Pallet.OverhangMM, 0.0);
  const TExtent extent = Covered(Layer, {-o, Pallet.LengthMM + o, -o, Pallet.WidthMM + o});
  DrawFromAbove(Canvas, above, Box, Layer, Pallet, extent);
  DrawFromTheSide(Canvas, side, Box, Layer, Pallet, extent);
}

std::vector<std::string> PalletFigureLines(const TNumberFormat& Numbers,
                                           const TPalletFigures& Figures) {
  const auto format = [&](std::string_view f, const auto&... args) {
    return FormatTr(Numbers, f, {TFormatArg(args)...});
  };
  return {
      format(RPalletBoxesLine, Figures.BoxesPerLayer, Figures.LayerCount, Figures.BoxesPerPallet),
      format(RPalletPacksLine, static_cast<long long>(Figures.PacksPerPallet)),
      format(RPalletHeightLine, Figures.LoadHeightMM),
      format(RPalletWeightLine, Figures.GrossWeightKG),
      format(RPalletAreaLine, Figures.AreaUsedPercent),
      format(RPalletVolumeLine, Figures.VolumeUsedPercent),
      Figures.Proven ? format(RPalletProvenLine) : format(RPalletMoreLine, Figures.MoreAtMost),
  };
}

std::vector<TStrengthLine> StrengthFigureLines(const TNumberFormat& Numbers,
                                               const TPalletStrength& Strength) {
  const auto format = [&](std::string_view f, const auto&... args) {
    return FormatTr(Numbers, f, {TFormatArg(args)...});
  };
  const TBoxStrength& s = Strength.Strength;
  const bool noLimit = s.SafeLayers == std::numeric_limits<int32_t>::max();
  std::vector<TStrengthLine> lines = {
      {format(RStrengthMcKeeLine, s.McKeeN), false},
      {format(RStrengthReducedLine, s.ReducedN), false},
      {format(RStrengthLoadLine, s.LoadN), false},
      {format(RStrengthFactorLine, s.SafetyFactor, Strength.Required), !Strength.Safe},
      {format(RStrengthLayersLine, noLimit ? std::string("∞") : std::to_string(s.SafeLayers)),
       false},
  };
  if (!Strength.Safe && s.SafeLayers < 2) lines.push_back({format(RStrengthUnsafeLine), true});
  return lines;
}

std::vector<TStrengthLine> PalletStrengthLines(const TNumberFormat& Numbers,
                                               const TOptimizationSettings& Settings,
                                               const TBoxVariant& Box) {
  if (!StrengthCheckOn(Settings) || !(Box.LengthMM > 0 && Box.WidthMM > 0)) return {};
  return StrengthFigureLines(Numbers, StrengthOf(Settings, Box));
}

}  // namespace quelmora
