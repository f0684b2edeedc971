#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "l10n/LocalFormat.h"
#include "model/OptimizationModel.h"
#include "report/DrawingSurface.h"

namespace quelmora {

// An A4 page at 150 pixels per inch.
inline constexpr int ReportPageWidth = 1240;
inline constexpr int ReportPageHeight = 1754;

// What a report takes from the user's environment.
struct TReportOptions {
  TNumberFormat Numbers;  // decimal separator of every number on the pages
  std::string Timestamp;  // in the reader's date format, shown in the summary's subtitle
  // Called before each page is drawn; may raise to abandon the report.
  std::function<void()> BeforePage;
};

// The project product with Id; for a product no longer in the project an
// empty record named by its Id.
TProduct FindReportProduct(const TProjectData& Project, int32_t Id);

// Names that both read as 64-bit integers (leading blanks, a sign, "$",
// "0x" or "x" for hexadecimal) compare as numbers and come before all other
// names; those by UTF-16 code units with a-z taken as A-Z. A strict weak
// order. Negative, zero or positive.
int CompareProductNames(std::string_view A, std::string_view B);

// Indices into Result.Solutions: by unification group, then by product name,
// then by product Id.
std::vector<size_t> ReportOrder(const TProjectData& Project, const TOptimizationResult& Result);

// White page, navy header band with title and subtitle (shown as they stand,
// already in the reader's language), footer and page number.
void DrawPageFrame(IDrawingSurface& Canvas, std::string_view Title, std::string_view Subtitle,
                   int PageNumber, const TNumberFormat& Numbers);

// Page 1: key figures, parameters, unified boxes and the products in Order.
void RenderSummaryPage(IDrawingSurface& Canvas, const TProjectData& Project,
                       const TOptimizationResult& Result, const std::vector<size_t>& Order,
                       const TReportOptions& Options);

// One product: its two drawings, the proposed and the current packaging and,
// where the built-in reference data has the product, the comparison with it;
// under each packaging its pallet, pictured and summed up.
void RenderProductPage(IDrawingSurface& Canvas, const TProjectData& Project,
                       const TOptimizationSolution& Solution, int PageNumber,
                       const TReportOptions& Options);

}  // namespace quelmora
