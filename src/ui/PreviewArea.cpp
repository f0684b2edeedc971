#include "ui/PreviewArea.h"

#include "report/QtSurface.h"

namespace quelmora {

TPreviewArea::TPreviewArea(QWidget* Parent) : QWidget(Parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewArea::paintEvent(QPaintEvent*) {
  TQtSurface surface(*this);
  PaintOn(surface);
}

void TPreviewArea::PaintOn(IDrawingSurface& Canvas) {
  const TRect rect{0, 0, width(), height()};
  if (Paint) {
    Paint(Canvas, rect);
  } else {
    Canvas.SetBrush(0xFFFFFF, TBrushStyle::Solid);
    Canvas.FillRect(rect);
  }
}

}  // namespace quelmora
