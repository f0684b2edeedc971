#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "io/CsvProductImporter.h"
#include "io/ExampleFiles.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "support/ChildRun.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::RunInChild;
using testing::TChildRun;
using testing::TTempFolder;

constexpr size_t kFileBytes = size_t{200} << 20;

const std::string kHeader =
    "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
    "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;OriginalBoxWidthMM;"
    "OriginalBoxHeightMM;OriginalBoxCount\r\n";
const std::string kRow = "0.00095;0.00105;2;4;Чай;100;50;200;500;15;410;310;210;24\r\n";
// The shortest row a product can have.
const std::string kTinyRow = "1;1;1;1;a;1;1;1;0;1;1;1;1;1\n";

// Writes Head, then Unit repeated until the file holds at least Bytes, then
// Tail; returns how many units were written. The units go out in large
// blocks, so the test never holds the file.
size_t WriteRepeated(const std::string& path, const std::string& head, const std::string& unit,
                     size_t bytes, const std::string& tail) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << head;
  std::string block;
  const size_t perBlock = std::max<size_t>(1, (size_t{4} << 20) / unit.size());
  block.reserve(perBlock * unit.size());
  for (size_t i = 0; i < perBlock; ++i)
    block += unit;
  size_t units = 0;
  for (size_t written = head.size(); written < bytes;) {
    const size_t n = std::min(perBlock, (bytes - written + unit.size() - 1) / unit.size());
    out.write(block.data(), static_cast<std::streamsize>(n * unit.size()));
    written += n * unit.size();
    units += n;
  }
  out << tail;
  if (!out) throw std::runtime_error("cannot write " + path);
  return units;
}

std::string ImportSummary(const std::string& path) {
  const std::vector<TProduct> products = TCsvProductImporter().ImportFile(path);
  if (products.empty()) return "no products";
  const std::string& name = products.back().Name;
  const std::string shown =
      name.size() <= 64 ? name : Format("%zu bytes: %s", name.size(), name.substr(0, 16).c_str());
  return Format("%zu products, last %d \"%s\" %.5f", products.size(), products.back().Id,
                shown.c_str(), products.back().MaxVolumeM3);
}

struct LargeCase {
  const char* label;
  std::function<std::string(const std::string& path)> write;  // returns the expected outcome
};

void PrintTo(const LargeCase& c, std::ostream* os) {
  *os << c.label;
}

class LargeCsvImport : public ::testing::TestWithParam<LargeCase> {};

// AddressSanitizer pads every allocation and keeps freed memory aside for a
// while; its builds get one file size more.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kPeakFactor = 5;
#else
constexpr size_t kPeakFactor = 4;
#endif

// Whatever the shape of a 200 MB file, the import ends cleanly and its memory
// stays within a few times the file: no table of every field is ever built.
TEST_P(LargeCsvImport, EndsCleanlyWithinFourTimesTheFile) {
  TTempFolder folder;
  const std::string path = folder.File("big.csv");
  const std::string expected = GetParam().write(path);
  const size_t fileBytes = std::filesystem::file_size(path);
  ASSERT_GE(fileBytes, kFileBytes);

  const TChildRun run = RunInChild([&] { return ImportSummary(path); });
  EXPECT_EQ(run.outcome, expected);
  EXPECT_LT(run.peakBytes, kPeakFactor * fileBytes);
  std::printf("[ measured ] %s: %zu MB file, %.2f s, peak %zu MB\n", GetParam().label,
              fileBytes >> 20, run.seconds, run.peakBytes >> 20);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LargeCsvImport,
    ::testing::Values(
        LargeCase{"ValidRows",
                  [](const std::string& path) {
                    const size_t n = WriteRepeated(
                        path, kHeader, kRow, kFileBytes,
                        "0.002;0.003;2;4;\"Кофе; молотый\";100;50;200;500;15;410;310;210;24\r\n");
                    return Format("%zu products, last %zu \"Кофе; молотый\" 0.00300", n + 1, n + 1);
                  }},
        LargeCase{"OneRowOfOneCharacterFields",
                  [](const std::string& path) {
                    WriteRepeated(path, "", "1;", kFileBytes, "1\n");
                    return "EArgumentException: " +
                           FormatArgs(SInvalidCsvHeader, {InstalledExampleCsv()});
                  }},
        LargeCase{"RowsOfManySeparators",
                  [](const std::string& path) {
                    WriteRepeated(path, kHeader, std::string(999, ';') + "\n", kFileBytes, "");
                    return std::string("EArgumentException: CSV, строка 2: Expected 14 fields");
                  }},
        LargeCase{"TinyRowsFailingAtTheEnd",
                  [](const std::string& path) {
                    const size_t n = WriteRepeated(path, kHeader, kTinyRow, kFileBytes,
                                                   "1;1;1;1;a;1;1;1;0;1;1;1;1;x\n");
                    return Format("EArgumentException: CSV, строка %zu: N0", n + 2);
                  }},
        LargeCase{"TinyRowsWithAQuotingFaultAtTheEnd",
                  [](const std::string& path) {
                    WriteRepeated(path, kHeader, kTinyRow, kFileBytes, "1;\"1\"1\n");
                    return std::string("EConvertError: Invalid CSV quoting");
                  }},
        LargeCase{"OneQuotedField",
                  [](const std::string& path) {
                    // A name of 200 MB with quotes and line ends inside.
                    const std::string unit = "Чай \"\"Gold\"\";\r\nЧай;";
                    const size_t n =
                        WriteRepeated(path, kHeader + "0.001;0.002;2;4;\"", unit, kFileBytes,
                                      "\";100;50;200;500;15;410;310;210;24\r\n");
                    return Format("1 products, last 1 \"%zu bytes: Чай \"Gold\";\r\n\" 0.00200",
                                  n * (unit.size() - 2));
                  }},
        LargeCase{"OneUnclosedQuotedField",
                  [](const std::string& path) {
                    WriteRepeated(path, kHeader + "1;1;1;1;\"", "x", kFileBytes, "");
                    return std::string("EConvertError: Unclosed CSV quote");
                  }}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace quelmora
