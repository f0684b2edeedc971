#pragma once

#include <QWidget>

#include "calc/PalletFigures.h"
#include "model/BoxModel.h"
#include "report/DrawingSurface.h"

namespace quelmora {

// The pallet of the selected proposal, drawn as the report draws it; white
// while nothing is selected. It keeps the layer it was given, so painting
// computes nothing.
class TPalletView final : public QWidget {
  Q_OBJECT

 public:
  explicit TPalletView(QWidget* Parent);

  void Show(const TBoxVariant& Box, TPalletLayer Layer, const TPalletSetup& Pallet);
  void Clear();
  bool Showing() const { return FShowing; }
  const TPalletLayer& Layer() const { return FLayer; }
  // What a paint event draws, at the view's present size.
  void PaintOn(IDrawingSurface& Canvas);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  bool FShowing = false;
  TBoxVariant FBox;
  TPalletLayer FLayer;
  TPalletSetup FPallet;
};

}  // namespace quelmora
