#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "calc/PalletLayer.h"
#include "model/TextFormat.h"

namespace quelmora::test {

// What is wrong with a layer of l x w boxes on an L x W pallet with the
// overhang, or "" when nothing is: each box is l x w or w x l, inside the
// room L + 2o x W + 2o shifted by -o, no two overlap by more than the
// tolerance, the count is the listed boxes' and lies between the grid and
// the bound.
inline std::string LayerFault(const TPalletLayer& Layer, double L, double W, double l, double w,
                              double o = 0) {
  constexpr double kSlack = 1e-6;
  if (Layer.Count < Layer.GridCount) return "fewer boxes than the grid";
  if (Layer.Count > Layer.UpperBound) return "more boxes than the bound";
  if (static_cast<size_t>(Layer.Count) != Layer.Boxes.size()) return "count is not the list's";
  auto same = [](double a, double b) { return std::fabs(a - b) <= kSlack; };
  std::vector<TLayerBox> boxes = Layer.Boxes;
  std::sort(boxes.begin(), boxes.end(),
            [](const TLayerBox& a, const TLayerBox& b) { return a.XMM < b.XMM; });
  for (size_t i = 0; i < boxes.size(); ++i) {
    const TLayerBox& b = boxes[i];
    const std::string where = Format("box at %.6f, %.6f", b.XMM, b.YMM);
    if (!(same(b.LengthMM, l) && same(b.WidthMM, w)) &&
        !(same(b.LengthMM, w) && same(b.WidthMM, l)))
      return where + " has another size";
    if (b.XMM < -o - kSlack || b.YMM < -o - kSlack || b.XMM + b.LengthMM > L + o + kSlack ||
        b.YMM + b.WidthMM > W + o + kSlack)
      return where + " leaves the pallet";
    for (size_t j = i + 1; j < boxes.size() && boxes[j].XMM < b.XMM + b.LengthMM - kSlack; ++j) {
      const TLayerBox& c = boxes[j];
      if (c.YMM < b.YMM + b.WidthMM - kSlack && b.YMM < c.YMM + c.WidthMM - kSlack)
        return where + Format(" overlaps the box at %.6f, %.6f", c.XMM, c.YMM);
    }
  }
  return "";
}

}  // namespace quelmora::test
