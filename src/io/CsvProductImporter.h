#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProductModel.h"

namespace quelmora {

// Reads a product table from a file. The importer never sees the project: the
// caller renumbers the products and appends them.
class IProductImporter {
 public:
  virtual ~IProductImporter() = default;
  // The products in file order, Ids 1, 2, ... and enabled; raises on the first
  // fault and then returns nothing.
  virtual std::vector<TProduct> ImportFile(const std::string& FileName) = 0;
};

// CSV in UTF-8 (with or without a byte-order mark), separated by semicolons or
// commas, one header row naming the 14 product fields in table order.
class TCsvProductImporter final : public IProductImporter {
 public:
  std::vector<TProduct> ImportFile(const std::string& FileName) override;
};

// The import of already decoded text, as ImportFile does after reading the file.
std::vector<TProduct> ImportProductsCsv(std::string_view Text);

}  // namespace quelmora
