#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "io/CsvProductImporter.h"
#include "io/ExampleFiles.h"
#include "io/LumarData.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/TextFormat.h"
#include "support/ExpectError.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::TTempFolder;
using testing::WriteBytes;

const std::string kHeader =
    "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
    "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;OriginalBoxWidthMM;"
    "OriginalBoxHeightMM;OriginalBoxCount";
const std::string kCaptionHeader =
    "Мин. объем, м³;Макс. объем, м³;L/B;H/B;Название;L, мм;B, мм;H, мм;Вес, г;Макс. вес, кг;"
    "L0, мм;B0, мм;H0, мм;N0";
// The values of DefaultProduct, named Чай.
const std::string kRow = "0,00095;0,00105;2;4;Чай;100;50;200;500;15;410;310;210;24";

TProduct Tea(int32_t id) {
  TProduct p = DefaultProduct(id);
  p.Name = "Чай";
  return p;
}

// The message of the error Import raises, or "" when it succeeds.
std::string ImportError(const std::string& text) {
  try {
    ImportProductsCsv(text);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

// A faulty row names its row, column and field, and the file it came from.
struct RowFault {
  std::string row;
  int32_t column;
  std::string field;
};

void PrintTo(const RowFault& c, std::ostream* out) {
  *out << "column " << c.column;
}

class CsvRowFaultPlace : public ::testing::TestWithParam<RowFault> {};

TEST_P(CsvRowFaultPlace, NamesRowColumnFieldAndFile) {
  TTempFolder folder;
  const std::string path = folder.File("products.csv");
  WriteBytes(path, kHeader + "\n" + kRow + "\n\n" + GetParam().row + "\n");
  const auto caught = test::Caught([&] { TCsvProductImporter().ImportFile(path); });
  ASSERT_TRUE(caught);
  EXPECT_EQ(caught->Place().Row, 3);  // blank lines do not count
  EXPECT_EQ(caught->Place().Column, GetParam().column);
  EXPECT_EQ(caught->Place().Field, GetParam().field);
  EXPECT_EQ(caught->Place().File, path);
  EXPECT_EQ(caught->MessageId(), SCsvRowError);
}

INSTANTIATE_TEST_SUITE_P(
    Import, CsvRowFaultPlace,
    ::testing::Values(
        RowFault{"0,00095;0,00105;2;4;Чай;100;x;200;500;15;410;310;210;24", 7, "OriginalWidthMM"},
        RowFault{"0,00095;0,00105;2;4;Чай;100;50;200;500;15;410;310;210;24.5", 14,
                 "OriginalBoxCount"},
        RowFault{"0,00095;0,00105;0;4;Чай;100;50;200;500;15;410;310;210;24", 3, "RatioLB"},
        RowFault{"0,00095;0,00105;2;4;Чай;100;50;200;500;15;410;310;210", 0, ""}));

TEST(CsvProductImport, ExampleFileReadsAsTheDocumentedProduct) {
  const std::vector<TProduct> products = ImportProductsCsv(kHeader + "\r\n" + kRow + "\r\n");
  EXPECT_EQ(products, std::vector<TProduct>{Tea(1)});
}

TEST(CsvProductImport, NumbersIdsFromOneAndKeepsTheNameAsItStands) {
  const std::vector<TProduct> products =
      ImportProductsCsv(kHeader + "\n" + kRow +
                        "\n0.00095;0.00105;2;4;\"  Кофе \"\"Гранд\"\" \";100;50;200;"
                        "0;15;410;310;210;24.0\n");
  ASSERT_EQ(products.size(), 2u);
  EXPECT_EQ(products[0].Id, 1);
  EXPECT_EQ(products[1].Id, 2);
  EXPECT_TRUE(products[1].Enabled);
  EXPECT_EQ(products[1].Name, "  Кофе \"Гранд\" ");
  EXPECT_EQ(products[1].ProductWeightG, 0);
  EXPECT_EQ(products[1].OriginalBoxCount, 24);
  EXPECT_EQ(products[1].MinVolumeM3, products[0].MinVolumeM3);
}

TEST(CsvProductImport, HeaderOnlyGivesNoProducts) {
  EXPECT_TRUE(ImportProductsCsv(kHeader).empty());
  EXPECT_TRUE(ImportProductsCsv(kHeader + "\r\n\r\n\n").empty());
}

// Headers that must be accepted, each followed by the one Tea row.
struct HeaderCase {
  const char* label;
  std::string text;
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
  *os << c.label;
}

class AcceptedHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(AcceptedHeader, ImportsTheRow) {
  EXPECT_EQ(ImportProductsCsv(GetParam().text), std::vector<TProduct>{Tea(1)});
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AcceptedHeader,
    ::testing::Values(
        HeaderCase{"FieldNames", kHeader + "\n" + kRow},
        HeaderCase{"RussianCaptions", kCaptionHeader + "\n" + kRow},
        HeaderCase{"LowerCaseNames", LowerAscii(kHeader) + "\n" + kRow},
        HeaderCase{"NamesAndCaptionsMixed",
                   "minVOLUMEm3;Макс. объем, м³;ratiolb;H/B;Название;OriginalLengthMM;B, мм;"
                   "H, мм;productweightg;Макс. вес, кг;L0, мм;OriginalBoxWidthMM;H0, мм;N0\n" +
                       kRow},
        HeaderCase{"CellsTrimmed",
                   " MinVolumeM3\t;MaxVolumeM3;RatioLB;RatioHB;\" Name \";OriginalLengthMM;"
                   "OriginalWidthMM;OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;"
                   "OriginalBoxLengthMM;OriginalBoxWidthMM;OriginalBoxHeightMM; N0 \n" +
                       kRow},
        HeaderCase{"ByteOrderMarkInText", "\xEF\xBB\xBF" + kHeader + "\r\n" + kRow},
        HeaderCase{"BlankLinesBeforeTheHeader", "\r\n\n" + kHeader + "\r\n" + kRow}),
    [](const auto& info) { return std::string(info.param.label); });

class RejectedHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(RejectedHeader, GivesTheHeaderMessage) {
  EXPECT_EQ(ImportError(GetParam().text), FormatArgs(SInvalidCsvHeader, {InstalledExampleCsv()}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RejectedHeader,
    ::testing::Values(
        HeaderCase{"EmptyFile", ""}, HeaderCase{"OnlyBlankLines", "\r\n\n\"\"\r\n"},
        HeaderCase{"ColumnsReordered",
                   "MaxVolumeM3;MinVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;"
                   "OriginalWidthMM;OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;"
                   "OriginalBoxLengthMM;OriginalBoxWidthMM;OriginalBoxHeightMM;OriginalBoxCount\n" +
                       kRow},
        HeaderCase{"ThirteenColumns", kHeader.substr(0, kHeader.rfind(';')) + "\n" + kRow},
        HeaderCase{"FifteenColumns", kHeader + ";Enabled\n" + kRow},
        HeaderCase{"CaptionInAnotherCase",
                   "мин. объем, м³" + kHeader.substr(kHeader.find(';')) + "\n" + kRow},
        HeaderCase{"CaptionWithPlainThree",
                   "Мин. объем, м3" + kHeader.substr(kHeader.find(';')) + "\n" + kRow},
        HeaderCase{"TranslatedCaption",
                   "Min. volume, m³" + kHeader.substr(kHeader.find(';')) + "\n" + kRow},
        HeaderCase{"SingleColumn", "MinVolumeM3\n0,001"}),
    [](const auto& info) { return std::string(info.param.label); });

// Comma-separated files: the header decides the separator; decimal commas are
// quoted so they stay inside their field.
TEST(CsvProductImport, ReadsACommaFileWithQuotedDecimalCommas) {
  std::string header = kHeader;
  for (char& c : header)
    if (c == ';') c = ',';
  const std::string text = header +
                           "\r\n\"0,00095\",\"0,00105\",2,4,\"Чай\",100,50,200,500,15,410,310,"
                           "210,24\r\n0.00095,0.00105,\"2,0\",4,Чай,100,50,200,500,15,410,310,"
                           "210,24\r\n";
  EXPECT_EQ(ImportProductsCsv(text), (std::vector<TProduct>{Tea(1), Tea(2)}));
}

TEST(CsvProductImport, ReadsACommaFileWithAQuotedHeader) {
  std::string header;
  for (const std::string_view name : ProductFieldNames)
    header += (header.empty() ? "\"" : ",\"") + std::string(name) + "\"";
  const std::string text = header +
                           "\n\"0,00095\",\"0,00105\",2,4,Чай,100,50,200,500,15,410,310,"
                           "210,24\n";
  EXPECT_EQ(ImportProductsCsv(text), std::vector<TProduct>{Tea(1)});
}

TEST(CsvProductImport, CommaAndPointGiveTheSameValue) {
  const std::vector<TProduct> products =
      ImportProductsCsv(kHeader + "\n0,5;0.5;2;4;A;100;50;200;500;15;410;310;210;24\n" +
                        "\" 1e-3 \";0,001;2;4;B;100;50;200;500;15;410;310;210;24\n");
  ASSERT_EQ(products.size(), 2u);
  EXPECT_EQ(products[0].MinVolumeM3, 0.5);
  EXPECT_EQ(products[0].MaxVolumeM3, 0.5);
  EXPECT_EQ(products[1].MinVolumeM3, 0.001);
  EXPECT_EQ(products[1].MaxVolumeM3, 0.001);
}

// Data rows that fail: the message is the row number (header = 1) and the
// reason, whatever kind of fault it is.
struct RowCase {
  const char* label;
  std::string rows;  // after the header line
  std::string message;
};

void PrintTo(const RowCase& c, std::ostream* os) {
  *os << c.label;
}

class RejectedRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(RejectedRow, GivesTheWrappedMessage) {
  EXPECT_EQ(ImportError(kHeader + "\r\n" + GetParam().rows), GetParam().message);
}

std::string WithCell(int index, const std::string& cell) {
  std::vector<std::string> cells = {"0,00095", "0,00105", "2",  "4",   "Чай", "100", "50",
                                    "200",     "500",     "15", "410", "310", "210", "24"};
  cells[index] = cell;
  std::string row;
  for (const std::string& c : cells)
    row += (row.empty() ? "" : ";") + c;
  return row;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RejectedRow,
    ::testing::Values(
        RowCase{"ThirteenFields", "0,00095;0,00105;2;4;Чай;100;50;200;500;15;410;310;210",
                "CSV, строка 2: Expected 14 fields"},
        RowCase{"FifteenFields", kRow + ";1", "CSV, строка 2: Expected 14 fields"},
        RowCase{"EmptyNumericCell", WithCell(5, ""), "CSV, строка 2: L, мм"},
        RowCase{"SpacesOnly", WithCell(0, "  "), "CSV, строка 2: Мин. объем, м³"},
        RowCase{"DigitGrouping", WithCell(8, "1 000"), "CSV, строка 2: Вес, г"},
        RowCase{"BothSeparators", WithCell(10, "\"1,000.5\""), "CSV, строка 2: L0, мм"},
        RowCase{"Infinity", WithCell(2, "inf"), "CSV, строка 2: L/B"},
        RowCase{"FractionalCount", WithCell(13, "24.5"), "CSV, строка 2: Integer expected: N0"},
        RowCase{"CountAboveLimit", WithCell(13, "100001"), "CSV, строка 2: Чай: N0"},
        RowCase{"MinAboveMax", WithCell(0, "0,002"), "CSV, строка 2: Чай: Мин. объем, м³"},
        RowCase{"BlankName", WithCell(4, "  "), "CSV, строка 2:   : Название"},
        RowCase{"SecondRow", kRow + "\r\n" + WithCell(7, "x"), "CSV, строка 3: H, мм"},
        RowCase{"BlankLinesAreNotCounted", kRow + "\r\n\r\n\n" + WithCell(7, "x"),
                "CSV, строка 3: H, мм"},
        RowCase{"FirstFaultWins", kRow + "\n" + WithCell(9, "") + "\n" + WithCell(1, ""),
                "CSV, строка 3: Макс. вес, кг"}),
    [](const auto& info) { return std::string(info.param.label); });

// Quoting faults of the dialect are passed on as they are, without a row number.
TEST(CsvProductImport, QuotingErrorsAreNotWrapped) {
  EXPECT_EQ(ImportError(kHeader + "\n" + kRow + "\n" + WithCell(4, "Чай \"Gold\"")),
            "Invalid CSV quoting");
  EXPECT_EQ(ImportError(kHeader + "\n" + WithCell(4, "\"Чай")), "Unclosed CSV quote");
  EXPECT_EQ(ImportError("\"MinVolumeM3\" ;" + kHeader.substr(kHeader.find(';') + 1)),
            "Invalid CSV quoting");
  std::string commaHeader = kHeader;
  for (char& c : commaHeader)
    if (c == ';') c = ',';
  EXPECT_EQ(ImportError(commaHeader + "\n\"0,00095\"x,0.00105"), "Invalid CSV quoting");
}

// A comma file whose decimal commas are bare has too many fields.
TEST(CsvProductImport, CommaFileWithBareDecimalCommasFailsItsRow) {
  std::string commaHeader = kHeader;
  for (char& c : commaHeader)
    if (c == ';') c = ',';
  EXPECT_EQ(ImportError(commaHeader + "\n0,00095,0,00105,2,4,Чай,100,50,200,500,15,410,310,210,24"),
            "CSV, строка 2: Expected 14 fields");
}

// Files: through the interface, as the window and the batch tool use it.
class CsvProductImportFile : public ::testing::Test {
 protected:
  TTempFolder folder;
  std::shared_ptr<IProductImporter> importer = std::make_shared<TCsvProductImporter>();
};

TEST_F(CsvProductImportFile, ReadsWithAndWithoutByteOrderMark) {
  const std::string path = folder.File("p.csv");
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    WriteBytes(path, mark + kHeader + "\r\n" + kRow + "\r\n");
    EXPECT_EQ(importer->ImportFile(path), std::vector<TProduct>{Tea(1)});
  }
}

TEST_F(CsvProductImportFile, RefusesBytesThatAreNotUtf8) {
  const std::string path = folder.File("cp1251.csv");
  // Чай in a single-byte Cyrillic code page.
  WriteBytes(path,
             kHeader + "\r\n0,00095;0,00105;2;4;\xD7\xE0\xE9;100;50;200;500;15;410;310;210;24");
  EXPECT_ERROR_KIND(importer->ImportFile(path), TErrorKind::Encoding);
}

TEST_F(CsvProductImportFile, MissingFileIsAFileError) {
  EXPECT_ERROR_KIND(importer->ImportFile(folder.File("missing.csv")), TErrorKind::FileOpen);
}

TEST_F(CsvProductImportFile, FailedImportLeavesTheCallersListAlone) {
  const std::string path = folder.File("bad.csv");
  WriteBytes(path, kHeader + "\n" + kRow + "\n" + WithCell(0, "x"));
  std::vector<TProduct> products = LoadLumarProject().Products;
  const std::vector<TProduct> before = products;
  try {
    const std::vector<TProduct> imported = importer->ImportFile(path);
    products.insert(products.end(), imported.begin(), imported.end());
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "CSV, строка 3: Мин. объем, м³");
  }
  EXPECT_EQ(products, before);
}

// The shipped examples hold the sample assortment, one headed by field names
// and one by the Russian captions.
class ExampleFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleFile, ImportsAsTheSampleProducts) {
  const std::string path = std::string(QUELMORA_SOURCE_DIR) + "/examples/" + GetParam();
  const std::vector<TProduct> products = TCsvProductImporter().ImportFile(path);
  EXPECT_EQ(products, LoadLumarProject().Products);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleFile,
                         ::testing::Values("products.csv", "products-ru.csv"),
                         [](const auto& info) {
                           std::string name = info.param;
                           name.erase(name.find('.'));
                           std::erase(name, '-');
                           return name;
                         });

}  // namespace
}  // namespace quelmora
