#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "ReportFixture.h"
#include "report/QtSurface.h"
#include "report/RecordingSurface.h"
#include "report/ReportPages.h"

namespace quelmora {
namespace {

using testing::MakeSolution;

struct NameCase {
  const char* label;
  std::string name;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << c.label;
}

class ReportName : public testing::ReportFixture, public ::testing::WithParamInterface<NameCase> {
 protected:
  void SetUp() override {
    testing::ReportFixture::SetUp();
    project.Settings = DefaultSettings();
    project.Products = {DefaultProduct(1)};
    project.Products[0].Name = GetParam().name;
    result.Solutions.push_back(MakeSolution(1, 100, 50, 150));
    options.Timestamp = "05.06.2025 14:30";
  }

  TProjectData project;
  TOptimizationResult result;
  TReportOptions options;
};

size_t CountHolding(const std::vector<std::string>& texts, const std::string& part) {
  size_t n = 0;
  for (const std::string& text : texts)
    if (text.find(part) != std::string::npos) ++n;
  return n;
}

// Both pages draw the name exactly as it stands: no byte of it is dropped,
// replaced or split, whatever characters it holds.
TEST_P(ReportName, IsDrawnExactlyOnBothPages) {
  TRecordingSurface summary;
  RenderSummaryPage(summary, project, result, {0}, options);
  EXPECT_GE(CountHolding(summary.Texts(), GetParam().name), 1u);

  TRecordingSurface page;
  RenderProductPage(page, project, result.Solutions[0], 2, options);
  EXPECT_GE(CountHolding(page.Texts(), GetParam().name), 1u);
}

// Painted with Qt, as the PDF report is, the same pages come out whole.
TEST_P(ReportName, PaintsOnARealPage) {
  QImage image(1240, 1754, QImage::Format_RGB888);
  image.fill(Qt::white);
  {
    TQtSurface surface(image);
    RenderSummaryPage(surface, project, result, {0}, options);
    RenderProductPage(surface, project, result.Solutions[0], 2, options);
  }
  EXPECT_FALSE(image.isNull());
  EXPECT_NE(image.pixel(620, 40), QColor(Qt::white).rgb());  // the header band is there
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReportName,
    ::testing::Values(NameCase{"Tab", "Чай\tзелёный"},
                      NameCase{"ControlOne",
                               "Чай\x01"
                               "A"},
                      NameCase{"Delete", "Кофе\x7f"}, NameCase{"CrLf", "Чай\r\nмолотый"},
                      NameCase{"RightToLeftMark", "\u200Fשׁ Чай"},
                      NameCase{"RightToLeftOverride", "Tea \u202Eeert\u202C"},
                      NameCase{"OutsideTheBasicPlane", "Чай \U0001F375 \U00010348"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace quelmora
