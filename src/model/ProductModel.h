#pragma once

#include <cstdint>
#include <string>

namespace quelmora {

// One assortment item as the user describes it.
struct TProduct {
  int32_t Id = 0;
  std::string Name;
  double MinVolumeM3 = 0;  // lower bound of the consumer-pack volume range
  double MaxVolumeM3 = 0;
  double RatioLB = 0;           // target pack length / width
  double RatioHB = 0;           // target pack height / width
  double OriginalLengthMM = 0;  // the current (sample) pack
  double OriginalWidthMM = 0;
  double OriginalHeightMM = 0;
  double ProductWeightG = 0;       // product in one pack; may be 0
  double MaxBoxWeightKG = 0;       // largest gross mass of one box
  double OriginalBoxLengthMM = 0;  // the current shipping box, outer
  double OriginalBoxWidthMM = 0;
  double OriginalBoxHeightMM = 0;
  int32_t OriginalBoxCount = 0;  // packs in the current box
  bool Enabled = false;

  bool operator==(const TProduct&) const = default;
};

// The record of a new product with identifier n.
TProduct DefaultProduct(int32_t n);

// Numeric access through the product field table (ProductFields.h; the name is text
// and not reachable here). Raises TErrorKind::OutOfRange "Product field"
// for index 4 or one outside the table, TErrorKind::NotANumber "Integer expected" for a
// count that is not a whole 32-bit number; nothing is stored then.
double GetProductField(const TProduct& product, int index);
void SetProductField(TProduct& product, int index, double value);

}  // namespace quelmora
