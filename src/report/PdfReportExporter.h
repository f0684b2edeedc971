#pragma once

#include <string>
#include <vector>

#include "l10n/Localization.h"
#include "model/OptimizationModel.h"
#include "report/ReportPages.h"

class QDateTime;
class QImage;

namespace quelmora {

// One complete JPEG file per page, in page order.
using TPdfPages = std::vector<std::string>;

// The bitmap as a colour JPEG file, quality 90, progressive. Raises
// Exception when the encoder fails.
std::string EncodePageJpeg(const QImage& Bitmap);

// The bytes of a PDF 1.4 document showing each page image on its own A4 page.
std::string BuildPdfDocument(const TPdfPages& Pages);

// BuildPdfDocument written to FileName; an existing file is replaced only
// once the new one is complete. Raises the file errors of WriteFileReplacing.
void WritePdfDocument(const std::string& FileName, const TPdfPages& Pages);

// The report of Result: a summary page and one page per product, written to
// FileName. Numbers and the date are written as the current language writes
// them and the summary shows the local time now. Raises Exception with the
// "no results" message, before touching the file, when Result has no
// solutions.
void ExportPdfReport(const std::string& FileName, const TProjectData& Project,
                     const TOptimizationResult& Result);
void ExportPdfReport(const std::string& FileName, const TProjectData& Project,
                     const TOptimizationResult& Result, const TReportOptions& Options);

// The report options of a reader with Conventions at Time.
TReportOptions ReportOptionsFor(const TLanguageConventions& Conventions, const QDateTime& Time);

// The report options of the current language, at the current local time.
TReportOptions UserReportOptions();

}  // namespace quelmora
