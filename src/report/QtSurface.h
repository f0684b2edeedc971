#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>

#include "report/DrawingSurface.h"

class QImage;

namespace quelmora {

// Pixels of a font of SizePt points at Dpi dots per inch, rounded to nearest.
int FontPixelSize(int SizePt, int Dpi);

// The drawing surface on a Qt paint device (a QImage for the report, a
// widget for the window). Font sizes in points become pixels at the
// device's logical resolution, rounded as the report expects (30 pt at
// 96 dots per inch is 40 pixels).
class TQtSurface : public IDrawingSurface {
 public:
  explicit TQtSurface(QPaintDevice& Device);
  TQtSurface(const TQtSurface&) = delete;
  TQtSurface& operator=(const TQtSurface&) = delete;

  void SetBrush(TColor Colour, TBrushStyle Style) override;
  void SetPen(TColor Colour, int Width) override;
  void SetFont(std::string_view Name, int SizePt, bool Bold, TColor Colour) override;
  void FillRect(const TRect& Rect) override;
  void Polygon(const std::vector<TPoint>& Points) override;
  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Rectangle(const TRect& Rect) override;
  void TextOut(int X, int Y, std::string_view Text) override;
  void DrawText(const TRect& Rect, std::string_view Text, unsigned Flags) override;
  int TextWidth(std::string_view Text) override;

 private:
  void UseShapeTools();

  QPainter painter_;
  int dpi_;
  QColor brushColour_{Qt::white};
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  QColor penColour_{Qt::black};
  int penWidth_ = 1;
  QFont font_;
  QColor fontColour_{Qt::black};
  QPoint position_;
};

}  // namespace quelmora
