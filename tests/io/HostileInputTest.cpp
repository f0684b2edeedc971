#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "io/CsvCodec.h"
#include "io/CsvProductImporter.h"
#include "io/CsvResultExporter.h"
#include "io/ProjectSerializer.h"
#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "model/Validation.h"
#include "support/InvalidFileByte.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

// ------------------------------------------------------------ deep nesting

struct NestingCase {
  const char* label;
  std::string text;
};

void PrintTo(const NestingCase& c, std::ostream* os) {
  *os << c.label;
}

std::string Repeat(std::string_view unit, size_t n) {
  std::string text;
  text.reserve(unit.size() * n);
  for (size_t i = 0; i < n; ++i)
    text += unit;
  return text;
}

class DeeplyNestedProject : public ::testing::TestWithParam<NestingCase> {};

// The reader stops at its depth limit: a clean "invalid file", never a
// stack overflow, however deep the file goes.
TEST_P(DeeplyNestedProject, IsAnInvalidFile) {
  TTempFolder folder;
  const std::string path = folder.File("deep.vld");
  WriteBytes(path, GetParam().text);
  try {
    LoadProject(path);
    FAIL() << "loaded";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    const long long byte = test::InvalidFileByte(e.Message(), path);
    EXPECT_GE(byte, 0) << e.Message();
    EXPECT_LT(byte, static_cast<long long>(GetParam().text.size()));
  }
}

constexpr size_t kDeep = 100000;

INSTANTIATE_TEST_SUITE_P(
    Table, DeeplyNestedProject,
    ::testing::Values(NestingCase{"OpenArrays", "{\"Version\":" + Repeat("[", kDeep)},
                      NestingCase{"OpenObjects", "{\"Version\":" + Repeat("{\"a\":", kDeep)},
                      NestingCase{"ClosedArrays",
                                  "{\"Version\":" + Repeat("[", kDeep) + Repeat("]", kDeep) + "}"},
                      NestingCase{"ClosedObjects", "{\"Products\":" + Repeat("{\"a\":", kDeep) +
                                                       "1" + Repeat("}", kDeep) + "}"},
                      NestingCase{"MixedAtTheTop", Repeat("[{\"x\":", kDeep)}),
    [](const auto& info) { return std::string(info.param.label); });

// ------------------------------------------------------------ extreme numbers

const char* const kExtremeTexts[] = {
    "1e308", "-1e308", "1.7976931348623157e308", "1e-320", "4.9e-324", "1e309", "-1e-320"};

// The value as the project file reader converts it.
double Parsed(const char* text) {
  return std::strtod(text, nullptr);
}

// What validation makes of a product with Value in field Index: "" when it
// passes, else its message.
std::string ProductVerdict(int index, double value) {
  TProduct product = DefaultProduct(1);
  product.Name = "Чай";
  try {
    SetProductField(product, index, value);
    ValidateProduct(product);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

// One extreme text in one field of a product or of the settings.
struct FieldNumber {
  int index;
  std::string_view name;
  const char* text;
};

void PrintTo(const FieldNumber& c, std::ostream* os) {
  *os << c.name << " = " << c.text;
}

// Every extreme text in every field of Names but the one at Skip.
template <size_t N>
std::vector<FieldNumber> FieldNumbers(const std::array<std::string_view, N>& names, int skip) {
  std::vector<FieldNumber> cases;
  for (int i = 0; i < static_cast<int>(N); ++i)
    if (i != skip)
      for (const char* text : kExtremeTexts)
        cases.push_back({i, names[i], text});
  return cases;
}

// Saves Project to Path with the member Key written as Text, as another
// program could have written it.
void SaveWithNumberText(const std::string& path, const TProjectData& project, std::string_view key,
                        const char* text) {
  SaveProject(path, project);
  std::string bytes = ReadBytes(path);
  const std::string member = "\"" + std::string(key) + "\":";
  const size_t at = bytes.find(member);
  ASSERT_NE(at, std::string::npos);
  const size_t start = at + member.size() + (bytes[at + member.size()] == ' ' ? 1 : 0);
  const size_t end = bytes.find_first_of(",}\r\n", start);
  bytes.replace(start, end - start, text);
  WriteBytes(path, bytes);
}

const std::string kHeader =
    "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
    "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;OriginalBoxWidthMM;"
    "OriginalBoxHeightMM;OriginalBoxCount\n";

std::string RowWith(int index, const std::string& text) {
  const char* cells[] = {"0.00095", "0.00105", "2",  "4",   "Чай", "100", "50",
                         "200",     "500",     "15", "410", "310", "210", "24"};
  std::string row;
  for (int i = 0; i < ProductFieldCount; ++i) {
    if (i > 0) row += ';';
    row += i == index ? text : cells[i];
  }
  return row + "\n";
}

class ExtremeProductNumber : public ::testing::TestWithParam<FieldNumber> {};

// The import takes an extreme number exactly when validation passes it, and
// then keeps its value to the last bit; otherwise it names row and field.
TEST_P(ExtremeProductNumber, ImportsExactlyWhenValid) {
  const FieldNumber c = GetParam();
  double value = 0;
  const std::string verdict = TryParseNumber(c.text, value)
                                  ? ProductVerdict(c.index, value)
                                  : std::string(ProductFieldCaptions[c.index]);
  try {
    const std::vector<TProduct> products = ImportProductsCsv(kHeader + RowWith(c.index, c.text));
    ASSERT_EQ(verdict, "") << "imported a product validation refuses";
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(GetProductField(products[0], c.index), value);
  } catch (const Exception& e) {
    EXPECT_NE(verdict, "");
    EXPECT_EQ(e.Message(), "CSV, строка 2: " + verdict);
  }
  // Extremes of the double range are never a size, a mass or a count.
  if (std::string_view(c.text).find("e30") != std::string_view::npos) {
    EXPECT_NE(verdict, "");
  }
}

// Through the project file: loaded exactly when valid, else refused with the
// validation message or as an invalid file (a number beyond the range).
TEST_P(ExtremeProductNumber, LoadsExactlyWhenValid) {
  const FieldNumber c = GetParam();
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  const TProjectData project = test::TeaProject();
  ASSERT_NO_FATAL_FAILURE(SaveWithNumberText(path, project, c.name, c.text));

  const double value = Parsed(c.text);
  const std::string verdict = std::isfinite(value)
                                  ? ProductVerdict(c.index, value)
                                  : Format(SInvalidFile, ProductFieldNames[c.index].data());
  try {
    const TProjectData loaded = LoadProject(path);
    ASSERT_EQ(verdict, "") << "loaded a product validation refuses";
    EXPECT_EQ(GetProductField(loaded.Products[0], c.index), Parsed(c.text));
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), verdict);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ExtremeProductNumber,
                         ::testing::ValuesIn(FieldNumbers(ProductFieldNames,
                                                          ProductNameFieldIndex)));

class ExtremeSettingsNumber : public ::testing::TestWithParam<FieldNumber> {};

TEST_P(ExtremeSettingsNumber, LoadsExactlyWhenValid) {
  const FieldNumber c = GetParam();
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  TProjectData project;
  project.Settings = DefaultSettings();
  project.Products = {DefaultProduct(1)};
  // A key written only when set must be in the file to be rewritten.
  if (SettingsFields[c.index].OmitAtDefault)
    SetSettingsField(project.Settings, c.index,
                     GetSettingsField(project.Settings, c.index) == 1 ? 2 : 1);
  ASSERT_NO_FATAL_FAILURE(SaveWithNumberText(path, project, c.name, c.text));

  std::string verdict;
  const double value = Parsed(c.text);
  try {
    TOptimizationSettings settings = DefaultSettings();
    SetSettingsField(settings, c.index, value);
    ValidateSettings(settings);
  } catch (const Exception& e) {
    verdict = e.Message();
  }
  if (!std::isfinite(value)) verdict = Format(SInvalidFile, SettingsFieldNames[c.index].data());

  try {
    const TProjectData loaded = LoadProject(path);
    ASSERT_EQ(verdict, "") << "loaded settings validation refuses";
    EXPECT_EQ(GetSettingsField(loaded.Settings, c.index), value);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), verdict);
  }
  if (std::fabs(value) >= 1e308) {
    EXPECT_NE(verdict, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ExtremeSettingsNumber,
                         ::testing::ValuesIn(FieldNumbers(SettingsFieldNames, -1)));

// ------------------------------------------------------------ unusual names

struct NameCase {
  const char* label;
  std::string name;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << c.label;
}

const NameCase kNames[] = {
    {"Tab", "Чай\tзелёный"},
    {"ControlOne",
     "Чай\x01"
     "A"},
    {"Delete", "Кофе\x7f"},
    {"CrLf", "Чай\r\nвторая строка\rтретья\nчетвёртая"},
    {"RightToLeftMark", "\u200Fשׁ Чай"},
    {"RightToLeftOverride", "Tea \u202Eeert\u202C"},
    {"OutsideTheBasicPlane", "Чай \U0001F375 \U00010348"},
    {"QuotesAndSeparators", "\"Чай\"; \"Gold\", 1"},
    {"LeadingTab", "\tЧай"},
    {"LeadingCr", "\rЧай"},
    {"FormulaLike", "=SUM(A1)"},
};

class UnusualName : public ::testing::TestWithParam<NameCase> {};

TEST_P(UnusualName, SurvivesTheProjectFile) {
  TTempFolder folder;
  const std::string path = folder.File("names.vld");
  TProjectData project;
  project.Settings = DefaultSettings();
  project.Products = {DefaultProduct(1), DefaultProduct(2)};
  project.Products[0].Name = GetParam().name;
  project.Products[1].Name = GetParam().name + GetParam().name;
  SaveProject(path, project);
  const TProjectData loaded = LoadProject(path);
  EXPECT_EQ(loaded, project);
  // Stored as UTF-8 that any reader takes.
  EXPECT_NO_THROW(ReadUtf8TextFile(path));
}

// The result table keeps the name exactly; only the rule against formulas
// (an apostrophe before a leading + - = @, tab or CR) changes it.
TEST_P(UnusualName, SurvivesTheResultTable) {
  const std::string& name = GetParam().name;
  TProduct product = DefaultProduct(7);
  product.Name = name;
  TOptimizationResult result;
  result.Solutions.resize(1);
  result.Solutions[0].ProductId = 7;
  TTempFolder folder;
  const std::string path = folder.File("result.csv");
  TCsvResultExporter().ExportFile(path, {product}, result);
  const std::vector<TCsvRow> rows = ParseCsv(ReadUtf8TextFile(path), ';');
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_EQ(rows[1].size(), rows[0].size());
  const bool formulaLike = name.find_first_of("+-=@\t\r") == 0;
  EXPECT_EQ(rows[1][0], formulaLike ? "'" + name : name);
}

// The product import reads the same names back from a quoted cell.
TEST_P(UnusualName, SurvivesTheImportQuoted) {
  const std::string& name = GetParam().name;
  std::string quoted = "\"";
  for (const char c : name)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  quoted += "\"";
  const std::vector<TProduct> products = ImportProductsCsv(kHeader + RowWith(4, quoted));
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].Name, name);
}

INSTANTIATE_TEST_SUITE_P(Table, UnusualName, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.label); });

// ------------------------------------------------------------ 100 000 products

TEST(LargeAssortmentImport, HundredThousandProducts) {
  constexpr int kCount = 100000;
  std::string text = kHeader;
  for (int i = 1; i <= kCount; ++i)
    text +=
        Format("0.00095;0.00105;2;4;Чай %06d;100;50;200;500;15;410;310;210;%d\n", i, i % 100 + 1);
  const auto start = std::chrono::steady_clock::now();
  const std::vector<TProduct> products = ImportProductsCsv(text);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(products.size(), static_cast<size_t>(kCount));
  for (int i = 0; i < kCount; i += 9973) {
    EXPECT_EQ(products[i].Id, i + 1);
    EXPECT_EQ(products[i].Name, Format("Чай %06d", i + 1));
    EXPECT_EQ(products[i].OriginalBoxCount, (i + 1) % 100 + 1);
  }
  std::printf("[ measured ] %d products, %zu bytes of CSV, imported in %.3f s\n", kCount,
              text.size(), seconds);
}

}  // namespace
}  // namespace quelmora
