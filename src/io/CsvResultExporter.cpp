#include "io/CsvResultExporter.h"

#include "io/CsvCodec.h"
#include "io/Utf8File.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

constexpr const char* kHeader =
    "Product;OriginalL_MM;OriginalB_MM;OriginalH_MM;PackL_MM;PackB_MM;PackH_MM;PackCount;"
    "BoxL_MM;BoxB_MM;BoxH_MM;GrossWeightKG;BlankAreaM2;BoxCost;BoxesPerPallet;"
    "PackagingCostPerUnit;PackagingCostPerM3;SavingPercent;UnifiedGroupId";

// A product deleted after the run still gets a line, under its Id.
std::string ProductColumn(const std::vector<TProduct>& products, int32_t productId) {
  for (const TProduct& p : products)
    if (p.Id == productId) return p.Name;
  return Format("%d", productId);
}

}  // namespace

std::string FormatResultCsv(const std::vector<TProduct>& Products,
                            const TOptimizationResult& Result) {
  std::string text = kHeader;
  text += "\r\n";
  for (const TOptimizationSolution& s : Result.Solutions) {
    text += CsvQuote(ProductColumn(Products, s.ProductId));
    text += ';';
    // Format keeps the point whatever locale the process has set.
    text += Format(
        "%.6f;%.6f;%.6f;%.6f;%.6f;%.6f;%d;%.6f;%.6f;%.6f;%.6f;%.8f;%.6f;%d;%.6f;%.6f;%.6f;%d",
        s.OriginalPack.LengthMM, s.OriginalPack.WidthMM, s.OriginalPack.HeightMM, s.Pack.LengthMM,
        s.Pack.WidthMM, s.Pack.HeightMM, s.Box.PackCount, s.Box.LengthMM, s.Box.WidthMM,
        s.Box.HeightMM, s.Box.GrossWeightKG, s.Box.BlankAreaM2, s.Box.BoxCost, s.Box.PalletCount,
        s.Box.PackagingCostPerUnit, s.Box.PackagingCostPerM3, s.SavingPercent, s.UnifiedGroupId);
    text += "\r\n";
  }
  return text;
}

void TCsvResultExporter::ExportFile(const std::string& FileName,
                                    const std::vector<TProduct>& Products,
                                    const TOptimizationResult& Result) {
  WriteUtf8TextFile(FileName, FormatResultCsv(Products, Result));
}

}  // namespace quelmora
