#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quelmora {

// Whole pixels, x to the right, y downwards.
struct TPoint {
  int X = 0;
  int Y = 0;

  bool operator==(const TPoint&) const = default;
};

// Left and top inside, right and bottom just outside.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// 0xRRGGBB.
using TColor = uint32_t;

enum class TBrushStyle { Solid, Clear };

// Alignment flags of DrawText; combined with |.
enum TTextFlags : unsigned {
  dtLeft = 0,
  dtCenter = 1,
  dtRight = 2,
  dtVCenter = 4,
  dtSingleLine = 32,
};

// What the drawings and the report pages draw on: a bitmap for the window
// and the report, a recorder for the tests. Shapes take the current brush
// (fill) and pen (outline); text takes the current font and, when the brush
// is solid, is drawn on the brush colour.
class IDrawingSurface {
 public:
  virtual ~IDrawingSurface() = default;

  virtual void SetBrush(TColor Colour, TBrushStyle Style) = 0;
  virtual void SetPen(TColor Colour, int Width) = 0;
  // Size in points; the surface converts it at its own resolution.
  virtual void SetFont(std::string_view Name, int SizePt, bool Bold, TColor Colour) = 0;

  // Fills Rect with the brush colour, without outline.
  virtual void FillRect(const TRect& Rect) = 0;
  // A closed, filled polygon outlined with the pen.
  virtual void Polygon(const std::vector<TPoint>& Points) = 0;
  virtual void MoveTo(int X, int Y) = 0;
  // A line with the pen from the current position, which then moves to (X, Y).
  virtual void LineTo(int X, int Y) = 0;
  // A filled rectangle outlined with the pen.
  virtual void Rectangle(const TRect& Rect) = 0;
  // One line of UTF-8 text with the top left of its cell at (X, Y).
  virtual void TextOut(int X, int Y, std::string_view Text) = 0;
  // Text placed in Rect by TTextFlags; without dtVCenter it stands at the top.
  virtual void DrawText(const TRect& Rect, std::string_view Text, unsigned Flags) = 0;
  // Width in pixels of Text in the current font.
  virtual int TextWidth(std::string_view Text) = 0;
};

}  // namespace quelmora
