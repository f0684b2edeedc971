#pragma once

#include <cstdint>
#include <vector>

#include "calc/PalletLayer.h"

namespace quelmora {

// One run of the five-block search that BestLayer makes over an X x Y room,
// stopped after WorkBudget steps; Shortcuts passes over the steps the area
// shows to be fruitless, counting them as taken. Either way the same boxes
// and the same steps: this is how that is checked.
struct TFiveBlockRun {
  int32_t Count = -1;  // -1 where the room has too many lengths to search
  std::vector<TLayerBox> Boxes;
  int64_t Steps = 0;
};
TFiveBlockRun FiveBlockSearch(double X, double Y, double BoxL, double BoxW, int64_t WorkBudget,
                              bool Shortcuts);

}  // namespace quelmora
