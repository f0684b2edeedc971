#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// One product of a finished run as the results table lists it: the figures
// the solution carries, proposal against current packaging, taken as they
// stand so that they agree with the report and the CSV file.
struct TResultRow {
  int SolutionIndex = 0;  // in TOptimizationResult::Solutions
  int32_t ProductId = 0;
  std::string ProductName;  // the Id as text for a product no longer in the project
  int32_t GroupId = 0;
  double PackLengthMM = 0;
  double PackWidthMM = 0;
  double PackHeightMM = 0;
  double BoxLengthMM = 0;  // outer
  double BoxWidthMM = 0;
  double BoxHeightMM = 0;
  int32_t PacksPerBox = 0;
  int32_t BoxesPerPallet = 0;
  int64_t PacksPerPalletBefore = 0;
  int64_t PacksPerPalletAfter = 0;
  double CostPerUnitBefore = 0;
  double CostPerUnitAfter = 0;
  double CostPerM3Before = 0;
  double CostPerM3After = 0;
  double SavingPercent = 0;
};

// The columns of the results table, in their order.
enum TResultColumn : int {
  rcProduct = 0,
  rcGroup,
  rcPack,
  rcBox,
  rcPacksPerBox,
  rcBoxesPerPallet,
  rcCostPerUnitBefore,
  rcCostPerUnitAfter,
  rcCostPerM3Before,
  rcCostPerM3After,
  rcSaving,
  ResultColumnCount
};

// Boxes times packs; 0 when either is not above 0.
int64_t PacksPerPallet(const TBoxVariant& Box);

TResultRow ResultRowOf(const TProjectData& Project, const TOptimizationResult& Result,
                       int SolutionIndex);
// One row per solution, in the result's order.
std::vector<TResultRow> ResultRowsOf(const TProjectData& Project,
                                     const TOptimizationResult& Result);

// Orders A and B by one column: numbers as numbers, sizes by length, width
// and height; the product column is left to the caller (-1, 0, 1; 0 there).
int CompareResultFigures(const TResultRow& A, const TResultRow& B, TResultColumn Column);

}  // namespace quelmora
