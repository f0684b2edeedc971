#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "io/CsvProductImporter.h"
#include "io/ProjectSerializer.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "support/ChildRun.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::RunInChild;
using testing::TChildRun;
using testing::TTempFolder;

namespace fs = std::filesystem;

// The pieces of a saved one-product project: what comes before the product,
// the product's text with "%d" for its Id, and what comes after.
struct ProjectPieces {
  std::string head, product, tail;
};

ProjectPieces TeaPieces() {
  TTempFolder folder;
  const std::string path = folder.File("tea.vld");
  SaveProject(path, test::TeaProject());
  const std::string text = ReadBytes(path).substr(3);  // without the mark
  const size_t open = text.find("[{") + 1;
  const size_t close = text.find("}]") + 1;
  std::string product = text.substr(open, close - open);
  product.replace(product.find(R"("Id":1,)"), 7, R"("Id":%d,)");
  return {text.substr(0, open), product, text.substr(close)};
}

// Writes Head, Unit until the file holds at least Bytes, then Tail, in
// blocks, so that the test never holds the file; returns the units written.
size_t WriteRepeated(const std::string& path, const std::string& head, const std::string& unit,
                     size_t bytes, const std::string& tail) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << head;
  const size_t perBlock = std::max<size_t>(1, (size_t{1} << 20) / unit.size());
  std::string block;
  for (size_t i = 0; i < perBlock; ++i)
    block += unit;
  size_t units = 0;
  for (size_t written = head.size(); written < bytes; written += block.size(), units += perBlock)
    out << block;
  out << tail;
  if (!out) throw std::runtime_error("cannot write " + path);
  return units;
}

// A valid project of at least Bytes with products 1, 2, …; returns their count.
size_t WriteManyProducts(const std::string& path, size_t bytes) {
  const ProjectPieces pieces = TeaPieces();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << pieces.head;
  size_t count = 0;
  for (size_t written = pieces.head.size(); written < bytes;) {
    ++count;
    const std::string product = (count > 1 ? "," : "") + Format(pieces.product.c_str(), count);
    out << product;
    written += product.size();
  }
  out << pieces.tail;
  if (!out) throw std::runtime_error("cannot write " + path);
  return count;
}

std::string LoadSummary(const std::string& path) {
  const TProjectData project = LoadProject(path);
  if (project.Products.empty()) return "no products";
  return Format("%zu products, last %d", project.Products.size(), project.Products.back().Id);
}

std::string Refusal(TErrorKind kind, const char* messageId,
                    std::initializer_list<TFormatArg> args) {
  return ErrorText(Exception(kind, messageId, args));
}

struct LargeCase {
  const char* label;
  size_t bytes;
  std::function<std::string(const std::string& path)> write;  // returns the expected outcome
};

void PrintTo(const LargeCase& c, std::ostream* os) {
  *os << c.label;
}

class LargeProjectLoad : public ::testing::TestWithParam<LargeCase> {};

// AddressSanitizer pads every allocation and keeps up to 256 MB of freed
// blocks in its quarantine (its default), whatever the file's size.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kLoadFactor = 4;
constexpr size_t kSanitizerQuarantineBytes = size_t{256} << 20;
#else
constexpr size_t kLoadFactor = 3;
constexpr size_t kSanitizerQuarantineBytes = 0;
#endif

// Reading a project once built a tree of the whole document, 80 times the
// size of a long unknown array; now only the text and the products are held.
TEST_P(LargeProjectLoad, NeedsAFewTimesTheFile) {
  TTempFolder folder;
  const std::string path = folder.File("big.vld");
  const std::string expected = GetParam().write(path);
  const size_t fileBytes = fs::file_size(path);
  ASSERT_GE(fileBytes, GetParam().bytes);

  const TChildRun run = RunInChild([&] { return LoadSummary(path); });
  EXPECT_EQ(run.outcome, expected);
  EXPECT_LT(run.GrowthBytes(), kLoadFactor * fileBytes + kSanitizerQuarantineBytes);
  std::printf("[ measured ] %s: %zu MB file, %.2f s, peak %zu MB above the start (%.1fx)\n",
              GetParam().label, fileBytes >> 20, run.seconds, run.GrowthBytes() >> 20,
              static_cast<double>(run.GrowthBytes()) / static_cast<double>(fileBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LargeProjectLoad,
    ::testing::Values(LargeCase{"LongUnknownArray", size_t{20} << 20,
                                [](const std::string& path) {
                                  WriteRepeated(path, R"({"Version":1,"X":[)", "0,",
                                                size_t{20} << 20, "0]}");
                                  return Refusal(TErrorKind::InvalidInput, SInvalidFile,
                                                 {"OptimizationCriterion"});
                                }},
                      LargeCase{"ManyUnknownMembers", size_t{18} << 20,
                                [](const std::string& path) {
                                  const size_t n = WriteRepeated(
                                      path, R"({"Version":1,"OptimizationCriterion":0,)",
                                      R"("x":0,)", size_t{18} << 20, R"("y":0})");
                                  EXPECT_GE(n, 3000000u);
                                  return Refusal(TErrorKind::InvalidInput, SInvalidFile,
                                                 {"Products"});
                                }},
                      LargeCase{"LongUnknownArrayInAProduct", size_t{20} << 20,
                                [](const std::string& path) {
                                  const ProjectPieces pieces = TeaPieces();
                                  std::string product = Format(pieces.product.c_str(), 7);
                                  product.pop_back();  // the closing brace
                                  WriteRepeated(path, pieces.head + product + R"(,"X":[)", "[0],",
                                                size_t{20} << 20, "0]}" + pieces.tail);
                                  return std::string("1 products, last 7");
                                }},
                      LargeCase{"ManyProducts", size_t{64} << 20,
                                [](const std::string& path) {
                                  const size_t n = WriteManyProducts(path, size_t{64} << 20);
                                  return Format("%zu products, last %zu", n, n);
                                }}),
    [](const auto& info) { return std::string(info.param.label); });

// A project of many products, as a large CSV import makes it.
TProjectData ManyProducts(size_t count) {
  TProjectData project = test::TeaProject();
  const TProduct tea = project.Products.front();
  project.Products.reserve(count);
  for (size_t i = 1; i < count; ++i) {
    project.Products.push_back(tea);
    project.Products.back().Id = static_cast<int32_t>(i + 1);
  }
  return project;
}

// Saving built the whole document as a tree and then as one string; now it
// goes to the file in pieces and needs less than the product list again.
TEST(LargeProjectSave, NeedsLessThanTheProductListAgain) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer's quarantine keeps every freed block, so a save's peak
  // says nothing of what it keeps.
  GTEST_SKIP() << "peak memory is not measurable under AddressSanitizer";
#endif
  TTempFolder folder;
  const std::string path = folder.File("big.vld");
  const TProjectData project = ManyProducts(200000);
  const size_t listBytes = project.Products.size() * sizeof(TProduct);

  const TChildRun run = RunInChild([&] {
    SaveProject(path, project);
    return std::string("saved");
  });
  ASSERT_EQ(run.outcome, "saved");
  EXPECT_LT(run.GrowthBytes(), listBytes);
  EXPECT_EQ(LoadProject(path), project);
  std::printf(
      "[ measured ] save: %zu products (%zu MB in memory), %zu MB file, %.2f s, "
      "peak %zu MB above the start\n",
      project.Products.size(), listBytes >> 20, fs::file_size(path) >> 20, run.seconds,
      run.GrowthBytes() >> 20);
}

// --- running out of memory ---------------------------------------------------
//
// The child's address space is limited to a little more than it has, so that
// the work runs out of memory part way; the error must name what was being
// done and how large the input was, not be a bare std::bad_alloc.

struct OutOfMemoryCase {
  const char* label;
  // Writes the input into the folder and returns the work to run on it and
  // the address space it gets on top of what the child has.
  std::function<std::function<std::string()>(const TTempFolder& folder, size_t& headroom,
                                             std::string& expected)>
      prepare;
};

void PrintTo(const OutOfMemoryCase& c, std::ostream* os) {
  *os << c.label;
}

class RunningOutOfMemory : public ::testing::TestWithParam<OutOfMemoryCase> {};

double Megabytes(const std::string& path) {
  return static_cast<double>(fs::file_size(path)) / (1 << 20);
}

TEST_P(RunningOutOfMemory, NamesTheWorkAndTheSize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer ends the process where the allocation would fail";
#endif
  TTempFolder folder;
  size_t headroom = 0;
  std::string expected;
  const std::function<std::string()> work = GetParam().prepare(folder, headroom, expected);
  const std::vector<fs::path> before(fs::directory_iterator(folder.Path()), {});
  const TChildRun run = RunInChild(work, headroom);
  EXPECT_EQ(run.outcome, expected);
  // Nothing half-written is left behind.
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(folder.Path()), {}).size(), before.size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunningOutOfMemory,
    ::testing::Values(
        // The text fits, the product list does not.
        OutOfMemoryCase{"LoadingAProject",
                        [](const TTempFolder& folder, size_t& headroom, std::string& expected) {
                          const std::string path = folder.File("big.vld");
                          WriteManyProducts(path, size_t{32} << 20);
                          headroom = fs::file_size(path) + (size_t{4} << 20);
                          expected = Refusal(TErrorKind::OutOfMemory, SNoMemoryToReadProject,
                                             {path, Megabytes(path)});
                          return [path] { return LoadSummary(path); };
                        }},
        OutOfMemoryCase{"SavingAProject",
                        [](const TTempFolder& folder, size_t& headroom, std::string& expected) {
                          const std::string path = folder.File("big.vld");
                          TProjectData project = ManyProducts(3);
                          project.Products[1].Name = std::string(size_t{64} << 20, 'x');
                          headroom = size_t{16} << 20;
                          expected = Refusal(TErrorKind::OutOfMemory, SNoMemoryToSaveProject,
                                             {path, size_t{3}});
                          return [path, project] {
                            SaveProject(path, project);
                            return std::string("saved");
                          };
                        }},
        OutOfMemoryCase{"ImportingCsv",
                        [](const TTempFolder& folder, size_t& headroom, std::string& expected) {
                          const std::string path = folder.File("big.csv");
                          WriteRepeated(path,
                                        "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;"
                                        "OriginalLengthMM;OriginalWidthMM;OriginalHeightMM;"
                                        "ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;"
                                        "OriginalBoxWidthMM;OriginalBoxHeightMM;OriginalBoxCount\n",
                                        "1;1;1;1;a;1;1;1;0;1;1;1;1;1\n", size_t{16} << 20, "");
                          headroom = fs::file_size(path) + (size_t{4} << 20);
                          expected = Refusal(TErrorKind::OutOfMemory, SNoMemoryToImportCsv,
                                             {path, Megabytes(path)});
                          return [path] {
                            return Format("%zu products",
                                          TCsvProductImporter().ImportFile(path).size());
                          };
                        }}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace quelmora
