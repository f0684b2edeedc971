#pragma once

#include <QWidget>
#include <functional>

#include "report/DrawingSurface.h"

namespace quelmora {

// A drawing area of the result views: its owner paints it on a drawing
// surface over the whole client rectangle; white when the owner has nothing.
class TPreviewArea final : public QWidget {
  Q_OBJECT

 public:
  explicit TPreviewArea(QWidget* Parent);

  std::function<void(IDrawingSurface& Canvas, const TRect& Rect)> Paint;
  // What a paint event draws, at the area's present size.
  void PaintOn(IDrawingSurface& Canvas);

 protected:
  void paintEvent(QPaintEvent* Event) override;
};

}  // namespace quelmora
