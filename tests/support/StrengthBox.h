#pragma once

#include "calc/BoxStrength.h"

namespace quelmora {

// A 400 x 300 mm box of 4 mm board with an edge crush value of 7 kN/m.
inline TBoxStrengthInput Box400x300() {
  TBoxStrengthInput in;
  in.LengthMM = 400;
  in.WidthMM = 300;
  in.BoardThicknessMM = 4;
  in.EdgeCrushKNPerM = 7;
  return in;
}

}  // namespace quelmora
