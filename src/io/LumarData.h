#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/OptimizationModel.h"

namespace quelmora {

// One result of the older packaging system, for comparison with ours.
struct TLumarReference {
  int32_t ProductId = 0;  // position in the reference list, from 1
  std::string Name;
  double PackLengthMM = 0;
  double PackWidthMM = 0;
  double PackHeightMM = 0;
  double BoxInnerLengthMM = 0;
  double BoxInnerWidthMM = 0;
  double BoxInnerHeightMM = 0;
  int32_t PacksPerBox = 0;
  double CostPerM3 = 0;          // packaging cost per m³ of product
  double OriginalCostPerM3 = 0;  // the same for the original pack and box
  double SavingPercent = 0;      // against the original

  bool operator==(const TLumarReference&) const = default;
};

// The built-in reference document, as UTF-8 text.
std::string LoadLumarText();

// The sample project: twelve products with settings close to the older system's.
TProjectData LoadLumarProject();

// Every reference, in document order.
std::vector<TLumarReference> LoadLumarReferences();

// The reference of ProductId; false and an all-zero record when there is none.
bool FindLumarReference(int32_t ProductId, TLumarReference& Reference);

// The same, only when Name is the reference's name too: any project numbers
// its products from 1, and only the sample's are the reference products.
bool FindLumarReference(int32_t ProductId, std::string_view Name, TLumarReference& Reference);

}  // namespace quelmora
