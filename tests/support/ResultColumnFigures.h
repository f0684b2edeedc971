#pragma once

#include <vector>

#include "calc/ResultRows.h"

namespace quelmora::testing {

// What a results-table column holds, as numbers: a size by length, width and
// height. Written apart from the sort code, so the tests check it.
inline std::vector<double> ColumnFigures(const TResultRow& r, int column) {
  switch (column) {
    case rcGroup:
      return {double(r.GroupId)};
    case rcPack:
      return {r.PackLengthMM, r.PackWidthMM, r.PackHeightMM};
    case rcBox:
      return {r.BoxLengthMM, r.BoxWidthMM, r.BoxHeightMM};
    case rcPacksPerBox:
      return {double(r.PacksPerBox)};
    case rcBoxesPerPallet:
      return {double(r.BoxesPerPallet)};
    case rcCostPerUnitBefore:
      return {r.CostPerUnitBefore};
    case rcCostPerUnitAfter:
      return {r.CostPerUnitAfter};
    case rcCostPerM3Before:
      return {r.CostPerM3Before};
    case rcCostPerM3After:
      return {r.CostPerM3After};
    case rcSaving:
      return {r.SavingPercent};
    default:
      return {};
  }
}

}  // namespace quelmora::testing
