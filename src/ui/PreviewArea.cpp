#include "ui/PreviewArea.h"

#include "report/QtSurface.h"

namespace quelmora {

TPreviewArea::TPreviewArea(QWidget* Parent) : QWidget(Parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewArea::paintEvent(QPaintEvent*) {
  TQtSurface surface(*this);
  const TRect rect{0, 0, width(), height()};
  if (Paint) {
    Paint(surface, rect);
  } else {
    surface.SetBrush(0xFFFFFF, TBrushStyle::Solid);
    surface.FillRect(rect);
  }
}

}  // namespace quelmora
