#include "report/QtSurface.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cmath>

namespace quelmora {

namespace {

QColor ToQColor(TColor colour) {
  return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int FontPixelSize(int SizePt, int Dpi) {
  return std::max(1, (SizePt * Dpi + 36) / 72);
}

TQtSurface::TQtSurface(QPaintDevice& Device) : painter_(&Device), dpi_(Device.logicalDpiY()) {
  if (dpi_ <= 0) dpi_ = 96;
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void TQtSurface::SetBrush(TColor Colour, TBrushStyle Style) {
  brushColour_ = ToQColor(Colour);
  brushStyle_ = Style;
}

void TQtSurface::SetPen(TColor Colour, int Width) {
  penColour_ = ToQColor(Colour);
  penWidth_ = Width;
}

void TQtSurface::SetFont(std::string_view Name, int SizePt, bool Bold, TColor Colour) {
  font_ = QFont(ToQString(Name));
  font_.setPixelSize(FontPixelSize(SizePt, dpi_));
  font_.setBold(Bold);
  font_.setStyleHint(QFont::SansSerif);
  fontColour_ = ToQColor(Colour);
}

void TQtSurface::UseShapeTools() {
  if (penWidth_ > 0) {
    QPen pen(penColour_);
    pen.setWidth(penWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
  } else {
    painter_.setPen(Qt::NoPen);
  }
  painter_.setBrush(brushStyle_ == TBrushStyle::Solid ? QBrush(brushColour_) : QBrush());
}

void TQtSurface::FillRect(const TRect& Rect) {
  painter_.fillRect(QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()), brushColour_);
}

void TQtSurface::Polygon(const std::vector<TPoint>& Points) {
  QPolygon polygon;
  for (const TPoint& p : Points)
    polygon << QPoint(p.X, p.Y);
  UseShapeTools();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.drawPolygon(polygon);
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TQtSurface::MoveTo(int X, int Y) {
  position_ = QPoint(X, Y);
}

void TQtSurface::LineTo(int X, int Y) {
  UseShapeTools();
  painter_.drawLine(position_, QPoint(X, Y));
  position_ = QPoint(X, Y);
}

void TQtSurface::Rectangle(const TRect& Rect) {
  if (Rect.Width() <= 0 || Rect.Height() <= 0) return;
  UseShapeTools();
  // The outline is centred on the edge pixels, as the fill covers
  // [Left, Right) × [Top, Bottom).
  painter_.drawRect(QRect(Rect.Left, Rect.Top, Rect.Width() - 1, Rect.Height() - 1));
}

void TQtSurface::TextOut(int X, int Y, std::string_view Text) {
  painter_.setFont(font_);
  const QString text = ToQString(Text);
  const QFontMetrics metrics(font_, painter_.device());
  const QRect cell(X, Y, metrics.horizontalAdvance(text), metrics.height());
  if (brushStyle_ == TBrushStyle::Solid) painter_.fillRect(cell, brushColour_);
  painter_.setPen(fontColour_);
  painter_.drawText(QPoint(X, Y + metrics.ascent()), text);
}

void TQtSurface::DrawText(const TRect& Rect, std::string_view Text, unsigned Flags) {
  painter_.setFont(font_);
  const QRect rect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  int alignment = (Flags & dtCenter)  ? Qt::AlignHCenter
                  : (Flags & dtRight) ? Qt::AlignRight
                                      : Qt::AlignLeft;
  alignment |= (Flags & dtVCenter) && (Flags & dtSingleLine) ? Qt::AlignVCenter : Qt::AlignTop;
  if (Flags & dtSingleLine) alignment |= Qt::TextSingleLine;
  const QString text = ToQString(Text);
  if (brushStyle_ == TBrushStyle::Solid)
    painter_.fillRect(painter_.boundingRect(rect, alignment, text), brushColour_);
  painter_.setPen(fontColour_);
  painter_.drawText(rect, alignment, text);
}

int TQtSurface::TextWidth(std::string_view Text) {
  const QFontMetrics metrics(font_, painter_.device());
  return metrics.horizontalAdvance(ToQString(Text));
}

}  // namespace quelmora
