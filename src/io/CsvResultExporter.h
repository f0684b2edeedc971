#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/OptimizationModel.h"
#include "model/ProductModel.h"

namespace quelmora {

// Writes the solutions of a finished run to a file. Products only supply the
// names; the result is written as it stands, without validation.
class IResultExporter {
 public:
  virtual ~IResultExporter() = default;
  virtual void ExportFile(const std::string& FileName, const std::vector<TProduct>& Products,
                          const TOptimizationResult& Result) = 0;
};

// One semicolon-separated line per solution for spreadsheets: UTF-8 with a
// byte-order mark, CR LF line ends, numbers with a point in any locale. The
// file is replaced whole or left as it was.
class TCsvResultExporter final : public IResultExporter {
 public:
  void ExportFile(const std::string& FileName, const std::vector<TProduct>& Products,
                  const TOptimizationResult& Result) override;
};

// The file's text after the byte-order mark.
std::string FormatResultCsv(const std::vector<TProduct>& Products,
                            const TOptimizationResult& Result);

}  // namespace quelmora
