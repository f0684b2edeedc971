#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ReportFixture.h"
#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "io/LumarData.h"
#include "l10n/ErrorText.h"
#include "l10n/Localization.h"
#include "model/Errors.h"
#include "report/PdfReportExporter.h"
#include "report/QtSurface.h"
#include "report/ReportPages.h"
#include "report/ReportTexts.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

// The sample assortment, calculated once for all tests here.
const TOptimizationResult& SampleResult() {
  static const TOptimizationResult result = [] {
    const TProjectData project = LoadLumarProject();
    TCancelToken token;
    return TOptimizer().Execute(project.Products, project.Settings,
                                *CreateCriterion(project.OptimizationCriterion), token);
  }();
  return result;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

class ReportExportTest : public testing::ReportFixture {
 protected:
  TReportOptions Options() const {
    TReportOptions options;
    options.Numbers.DecimalSeparator = ",";
    options.Timestamp = "01.02.2025 09:05";
    return options;
  }

  testing::TTempFolder folder_;
};

TEST_F(ReportExportTest, SampleReportOpensInAPdfReader) {
  ASSERT_TRUE(LoadLanguage("German.lng"));
  const TProjectData project = LoadLumarProject();
  ASSERT_EQ(SampleResult().Solutions.size(), 12u);
  const std::string file = folder_.File("Bericht.pdf");
  ExportPdfReport(file, project, SampleResult(), Options());

  const std::string pdf = testing::ReadBytes(file);
  EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
  EXPECT_NE(pdf.find("/Type /Pages /Count 13 "), std::string::npos);
  EXPECT_EQ(Count(pdf, "stream\n\xFF\xD8"), 13u);

  if (std::string(QUELMORA_PDFTOPPM).empty()) GTEST_SKIP() << "pdftoppm is not installed";
  const std::string command = std::string(QUELMORA_PDFTOPPM) + " -r 20 -png '" + file + "' '" +
                              folder_.File("page") + "' 2>'" + folder_.File("errors.txt") + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(testing::ReadBytes(folder_.File("errors.txt")), "");
  int pngs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
    if (entry.path().extension() == ".png") {
      ++pngs;
      QImage image(QString::fromStdString(entry.path().string()));
      EXPECT_FALSE(image.isNull());
      EXPECT_FALSE(image.isGrayscale());
    }
  EXPECT_EQ(pngs, 13);
}

TEST_F(ReportExportTest, OneProductGivesTwoPages) {
  TOptimizationResult one = SampleResult();
  one.Solutions.resize(1);
  ExportPdfReport(folder_.File("one.pdf"), LoadLumarProject(), one, Options());
  const std::string pdf = testing::ReadBytes(folder_.File("one.pdf"));
  EXPECT_NE(pdf.find("<< /Type /Pages /Count 2 /Kids [3 0 R 6 0 R ] >>"), std::string::npos);
}

TEST_F(ReportExportTest, NoSolutionsRaiseAMessageShownTranslatedAndTouchNoFile) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  const std::string file = folder_.File("report.pdf");
  testing::WriteBytes(file, "previous report");
  try {
    ExportPdfReport(file, LoadLumarProject(), TOptimizationResult{}, Options());
    FAIL() << "no error";
  } catch (const Exception& e) {
    // Raised in the catalogue's words, shown in the reader's.
    EXPECT_EQ(e.Message(), RNoResults);
    EXPECT_EQ(LocalizedMessage(e), "No results for the report.");
  }
  EXPECT_EQ(testing::ReadBytes(file), "previous report");
  EXPECT_EQ(folder_.Listing(), "report.pdf;");
}

TEST_F(ReportExportTest, PagesArePaintedInTheReportColours) {
  const TProjectData project = LoadLumarProject();
  const TOptimizationResult& result = SampleResult();
  QImage page(ReportPageWidth, ReportPageHeight, QImage::Format_RGB888);
  page.setDotsPerMeterX(3780);
  page.setDotsPerMeterY(3780);
  {
    TQtSurface surface(page);
    RenderSummaryPage(surface, project, result, ReportOrder(project, result), Options());
  }
  const auto at = [&](int x, int y) { return page.pixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(5, 5), 0x223449u);        // header band
  EXPECT_EQ(at(1230, 1740), 0xFFFFFFu);  // page
  EXPECT_EQ(at(370, 300), 0xE9F4FFu);    // first key figure
  EXPECT_EQ(at(780, 300), 0xFFF7EEu);    // second
  EXPECT_EQ(at(1160, 300), 0xF2F9ECu);   // third
  EXPECT_EQ(at(1170, 540), 0x223449u);   // group table header
  EXPECT_EQ(at(1170, 585), 0xF6F8FAu);   // group 1 row

  {
    TQtSurface surface(page);
    RenderProductPage(surface, project, result.Solutions[0], 2, Options());
  }
  EXPECT_EQ(at(5, 5), 0x223449u);
  EXPECT_EQ(at(80, 1650), 0xF8FAFBu);    // left text column
  EXPECT_EQ(at(1160, 1650), 0xFCF9F5u);  // right text column
  EXPECT_EQ(at(64, 1000), 0xD0D8E0u);    // column border
}

}  // namespace
}  // namespace quelmora
