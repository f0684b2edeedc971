#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "io/CsvResultExporter.h"
#include "io/Utf8File.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

const std::string kHeaderLine =
    "Product;OriginalL_MM;OriginalB_MM;OriginalH_MM;PackL_MM;PackB_MM;PackH_MM;PackCount;"
    "BoxL_MM;BoxB_MM;BoxH_MM;GrossWeightKG;BlankAreaM2;BoxCost;BoxesPerPallet;"
    "PackagingCostPerUnit;PackagingCostPerM3;SavingPercent;UnifiedGroupId\r\n";

TOptimizationSolution Solution(int32_t productId) {
  TOptimizationSolution s;
  s.ProductId = productId;
  s.OriginalPack.LengthMM = 100;
  s.OriginalPack.WidthMM = 50;
  s.OriginalPack.HeightMM = 200;
  s.Pack.LengthMM = 95.5;
  s.Pack.WidthMM = 48.25;
  s.Pack.HeightMM = 1.0 / 3.0;
  s.Box.PackCount = 36;
  s.Box.LengthMM = 406;
  s.Box.WidthMM = 301.5;
  s.Box.HeightMM = 206.0000004;
  s.Box.GrossWeightKG = 18.7654321;
  s.Box.BlankAreaM2 = 0.874;
  s.Box.BoxCost = 10.488;
  s.Box.PalletCount = 40;
  s.Box.PackagingCostPerUnit = 0.1234567;
  s.Box.PackagingCostPerM3 = 1799.2688135545282;
  s.SavingPercent = -3.477507631177489;
  s.UnifiedGroupId = 2;
  return s;
}

const std::string kSolutionNumbers =
    "100.000000;50.000000;200.000000;95.500000;48.250000;0.333333;36;406.000000;301.500000;"
    "206.000000;18.765432;0.87400000;10.488000;40;0.123457;1799.268814;-3.477508;2";

std::vector<TProduct> Products() {
  TProduct tea = DefaultProduct(1);
  tea.Name = "Чай";
  TProduct sugar = DefaultProduct(2);
  sugar.Name = "-Сахар-";
  TProduct twin = DefaultProduct(1);  // a second product with Id 1 loses to the first
  twin.Name = "Двойник";
  return {tea, sugar, twin};
}

TEST(CsvResultExport, NoSolutionsGiveTheHeaderLineOnly) {
  EXPECT_EQ(FormatResultCsv(Products(), TOptimizationResult()), kHeaderLine);
}

TEST(CsvResultExport, WritesEveryColumnWithItsFormat) {
  TOptimizationResult result;
  result.Solutions = {Solution(1)};
  EXPECT_EQ(FormatResultCsv(Products(), result),
            kHeaderLine + "\"Чай\";" + kSolutionNumbers + "\r\n");
}

TEST(CsvResultExport, BlankAreaHasEightDecimalsTheOthersSix) {
  TOptimizationResult result;
  result.Solutions = {TOptimizationSolution()};
  result.Solutions[0].Box.BlankAreaM2 = 0.874;
  EXPECT_EQ(FormatResultCsv({}, result),
            kHeaderLine +
                "\"0\";0.000000;0.000000;0.000000;0.000000;0.000000;0.000000;0;0.000000;0.000000;"
                "0.000000;0.000000;0.87400000;0.000000;0;0.000000;0.000000;0.000000;0\r\n");
}

// The first column: the product's name, or its Id when it is gone from the list.
struct NameCase {
  const char* label;
  int32_t productId;
  std::string cell;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << c.label;
}

class ProductColumn : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProductColumn, IsQuoted) {
  TOptimizationResult result;
  result.Solutions = {Solution(GetParam().productId)};
  EXPECT_EQ(FormatResultCsv(Products(), result),
            kHeaderLine + GetParam().cell + ";" + kSolutionNumbers + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Table, ProductColumn,
                         ::testing::Values(NameCase{"Name", 1, "\"Чай\""},
                                           NameCase{"LeadingMinusGuarded", 2, "\"'-Сахар-\""},
                                           NameCase{"DeletedProductShownById", 7, "\"7\""}),

                         [](const auto& info) { return std::string(info.param.label); });

TEST(CsvResultExport, SolutionsStayInArrayOrder) {
  TOptimizationResult result;
  result.Solutions = {Solution(2), Solution(1), Solution(2)};
  EXPECT_EQ(FormatResultCsv(Products(), result),
            kHeaderLine + "\"'-Сахар-\";" + kSolutionNumbers + "\r\n\"Чай\";" + kSolutionNumbers +
                "\r\n\"'-Сахар-\";" + kSolutionNumbers + "\r\n");
}

// Restores the process locale when a test has changed it.
class LocaleGuard {
 public:
  LocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
  ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }

 private:
  std::string saved_;
};

TEST(CsvResultExport, DecimalCommaLocaleStillWritesPoints) {
  LocaleGuard guard;
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "de_DE.utf8", "ru_RU.utf8"}) {
    if (std::setlocale(LC_ALL, name)) {
      chosen = name;
      break;
    }
  }
  if (!chosen) GTEST_SKIP() << "no locale with a decimal comma is installed";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",") << chosen;
  TOptimizationResult result;
  result.Solutions = {Solution(1)};
  result.Solutions[0].Pack.LengthMM = 0.5;
  const std::string text = FormatResultCsv(Products(), result);
  EXPECT_NE(text.find(";0.500000;"), std::string::npos) << chosen;
  EXPECT_EQ(text.find("0,5"), std::string::npos) << chosen;
}

class CsvResultExportFile : public ::testing::Test {
 protected:
  TTempFolder folder;
  std::shared_ptr<IResultExporter> exporter = std::make_shared<TCsvResultExporter>();
};

TEST_F(CsvResultExportFile, WritesTheMarkThenTheLines) {
  const std::string path = folder.File("r.csv");
  exporter->ExportFile(path, Products(), TOptimizationResult());
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF" + kHeaderLine);

  TOptimizationResult result;
  result.Solutions = {Solution(1)};
  exporter->ExportFile(path, Products(), result);
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF" + kHeaderLine + "\"Чай\";" + kSolutionNumbers + "\r\n");
}

TEST_F(CsvResultExportFile, ReplacesALongerFileWhole) {
  const std::string path = folder.File("r.csv");
  WriteBytes(path, std::string(5000, 'x'));
  exporter->ExportFile(path, Products(), TOptimizationResult());
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF" + kHeaderLine);
  EXPECT_EQ(folder.Listing(), "r.csv;");
}

TEST_F(CsvResultExportFile, UnwritableFolderIsAFileErrorAndLeavesNothing) {
  const std::string path = folder.File("missing/r.csv");
  EXPECT_FILE_ERROR(exporter->ExportFile(path, Products(), TOptimizationResult()));
  EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
}  // namespace quelmora
