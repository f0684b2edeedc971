#include "ui/PalletView.h"

#include <utility>

#include "l10n/Localization.h"
#include "report/PackagingPreview.h"
#include "report/PalletPreview.h"
#include "report/QtSurface.h"
#include "report/ReportTexts.h"

namespace quelmora {

TPalletView::TPalletView(QWidget* Parent) : QWidget(Parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPalletView::Show(const TBoxVariant& Box, TPalletLayer Layer, const TPalletSetup& Pallet) {
  FBox = Box;
  FLayer = std::move(Layer);
  FPallet = Pallet;
  FShowing = true;
  update();
}

void TPalletView::Clear() {
  FShowing = false;
  FLayer = {};
  update();
}

void TPalletView::paintEvent(QPaintEvent*) {
  TQtSurface surface(*this);
  PaintOn(surface);
}

void TPalletView::PaintOn(IDrawingSurface& Canvas) {
  const TRect rect{0, 0, width(), height()};
  Canvas.SetBrush(0xFFFFFF, TBrushStyle::Solid);
  Canvas.FillRect(rect);
  if (!FShowing) return;
  // Captioned like the drawings beside it.
  DrawPalletPicture(Canvas, {rect.Left, rect.Top, rect.Right, rect.Bottom - 28}, FBox, FLayer,
                    FPallet);
  DrawPreviewCaption(Canvas, rect, Tr(RPalletHeading));
}

}  // namespace quelmora
