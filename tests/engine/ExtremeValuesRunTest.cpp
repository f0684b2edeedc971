#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/ArithmeticFailure.h"
#include "engine/LargeBuffer.h"
#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/Validation.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

// Values at and beyond the ends of the double range.
const double kExtremeValues[] = {1e308, -1e308, 1.7976931348623157e308, 1e-320, 4.9e-324};

struct FieldValue {
  bool product;  // a product field, else a settings field
  int index;
  double value;
};

void PrintTo(const FieldValue& c, std::ostream* os) {
  *os << (c.product ? "product " : "settings ") << c.index << " = " << c.value;
}

std::vector<FieldValue> AllFieldValues() {
  std::vector<FieldValue> cases;
  for (int i = 0; i < ProductFieldCount; ++i)
    if (i != ProductNameFieldIndex)
      for (const double v : kExtremeValues)
        cases.push_back({true, i, v});
  for (int i = 0; i < SettingsFieldCount; ++i)
    for (const double v : kExtremeValues)
      cases.push_back({false, i, v});
  return cases;
}

bool Finite(const TPackVariant& p) {
  for (const double v :
       {p.LengthMM, p.WidthMM, p.HeightMM, p.VolumeM3, p.SurfaceAreaM2, p.Cost, p.Score})
    if (!std::isfinite(v)) return false;
  return true;
}

bool Finite(const TBoxVariant& b) {
  for (const double v : {b.LengthMM, b.WidthMM, b.HeightMM, b.GrossWeightKG, b.BlankAreaM2,
                         b.BoxCost, b.BoxVolumeM3, b.PackagingCostPerM3, b.PackagingCostPerUnit})
    if (!std::isfinite(v)) return false;
  return true;
}

class ExtremeValueRun : public ::testing::TestWithParam<FieldValue> {};

void CheckRun(const FieldValue& c, const TOptimizationSettings& base) {
  std::vector<TProduct> products = test::SmallAssortment();
  TOptimizationSettings settings = base;
  try {
    if (c.product)
      SetProductField(products[0], c.index, c.value);
    else
      SetSettingsField(settings, c.index, c.value);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::NotANumber);
    EXPECT_EQ(e.Message(),
              "Integer expected: " + std::string(c.product ? ProductFieldCaptions[c.index]
                                                           : SettingsFieldCaptions[c.index]));
    return;
  }

  bool valid = true;
  try {
    ValidateProject(products, settings);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    valid = false;
    EXPECT_FALSE(e.Message().empty());
  }
  // Nothing at the ends of the range passes as a size, price or limit.
  if (std::fabs(c.value) >= 1e308) {
    EXPECT_FALSE(valid);
  }

  TCancelToken token;
  try {
    const TOptimizationResult r =
        TOptimizer().Execute(products, settings, *CreateCriterion(ckCombined), token);
    ASSERT_TRUE(valid) << "an invalid project was calculated";
    for (const TOptimizationSolution& s : r.Solutions) {
      EXPECT_TRUE(Finite(s.Pack)) << s.ProductId;
      EXPECT_TRUE(Finite(s.Box)) << s.ProductId;
      EXPECT_TRUE(std::isfinite(s.SavingPercent)) << s.ProductId;
      EXPECT_GE(s.Box.PackCount, 1);
      EXPECT_GT(s.Pack.VolumeM3, 0);
      EXPECT_GE(s.UnifiedGroupId, 1);
      EXPECT_LE(s.Box.GrossWeightKG, products[s.ProductId - 1].MaxBoxWeightKG + 1e-9);
    }
    EXPECT_TRUE(std::isfinite(r.AverageCostPerM3));
  } catch (const Exception& e) {
    EXPECT_FALSE(e.Message().empty()) << e.KindName();
    // A bare "Floating point overflow" once left the user guessing.
    if (IsArithmeticFailure(e.Kind())) {
      EXPECT_NE(e.Message().find(products[0].Name), std::string::npos) << e.Message();
      if (c.product) {
        EXPECT_EQ(e.Place().Field, ProductFieldNames[c.index]) << e.Message();
      } else {
        EXPECT_FALSE(e.Place().Field.empty()) << e.Message();
      }
    }
  }
}

// An extreme value in any field is refused by validation with its own
// message, or the run ends with a clean error or with solutions that hold
// together; it never crashes, hangs or lets a fault escape as anything else.
TEST_P(ExtremeValueRun, IsRefusedOrGivesASoundResult) {
  const FieldValue c = GetParam();
  // With the small search limits and with the defaults, which let the
  // generators run furthest.
  for (const TOptimizationSettings& base : {test::SmallSettings(), DefaultSettings()})
    CheckRun(c, base);
}

INSTANTIATE_TEST_SUITE_P(Table, ExtremeValueRun, ::testing::ValuesIn(AllFieldValues()));

// Tiny positive values pass validation, yet their reciprocals and products
// leave the range of double: the run must name the product and the field.
std::vector<FieldValue> TinyProductValues() {
  std::vector<FieldValue> cases;
  for (int i = 0; i < ProductFieldCount; ++i)
    if (i != ProductNameFieldIndex)
      for (const double v : {2.3e-308, 1e-305, 1e-303})
        cases.push_back({true, i, v});
  return cases;
}

class TinyValueRun : public ::testing::TestWithParam<FieldValue> {};

TEST_P(TinyValueRun, IsRefusedOrGivesASoundResultOrNamesTheField) {
  CheckRun(GetParam(), test::SmallSettings());
}

INSTANTIATE_TEST_SUITE_P(Table, TinyValueRun, ::testing::ValuesIn(TinyProductValues()));

TEST(ArithmeticFailure, OtherFailuresAndNamedOnesStayAsTheyAre) {
  TProduct product = DefaultProduct(1);
  product.OriginalBoxWidthMM = 1e-306;
  const Exception named = NamedArithmeticFailure(Exception(TErrorKind::Overflow, "x"), product);
  EXPECT_EQ(named.Place().Field, "OriginalBoxWidthMM");
  for (const Exception& kept : {Exception(TErrorKind::General, "general"),
                                Exception(TErrorKind::Overflow, "placed").InField("RatioLB")}) {
    try {
      std::rethrow_exception(WithProductNamed(std::make_exception_ptr(kept), product));
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), kept.Message());
      EXPECT_EQ(e.Place(), kept.Place());
    }
  }
}

// The assortment plan is refused before it is allocated when it cannot be
// held: sizes are checked without overflowing.
struct TableCase {
  size_t rows, columns, available;
  bool fits;
};

class PlanTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(PlanTable, FitsOnlyWithinTheAvailableMemory) {
  const TableCase c = GetParam();
  EXPECT_EQ(TableFits(c.rows, c.columns, c.available), c.fits);
}

constexpr size_t kMax = std::numeric_limits<size_t>::max();

INSTANTIATE_TEST_SUITE_P(Table, PlanTable,
                         ::testing::Values(TableCase{1000, 60000, size_t{480000000}, true},
                                           TableCase{1000, 60000, size_t{479999999}, false},
                                           TableCase{100000, 6000000, size_t{1} << 40, false},
                                           TableCase{size_t{1} << 32, size_t{1} << 32, kMax, false},
                                           TableCase{kMax / 8 + 1, 1, kMax, false},
                                           TableCase{kMax / 8, 1, kMax, true},
                                           TableCase{0, kMax, 0, true}));

TEST(PlanTable, BytesOverflowIsNone) {
  EXPECT_EQ(TableBytes(3, 5), std::optional<size_t>(120));
  EXPECT_EQ(TableBytes(size_t{1} << 61, 1), std::nullopt);
  EXPECT_EQ(TableBytes(size_t{1} << 32, size_t{1} << 32), std::nullopt);
}

// The available memory is never more than the machine has, and an address
// space limit of the process lowers it (checked in a child process, which
// keeps the limit to itself).
TEST(PlanTable, AvailableMemoryRespectsTheMachineAndTheProcessLimit) {
  const size_t available = AvailableMemoryBytes();
  const size_t physical =
      static_cast<size_t>(sysconf(_SC_PHYS_PAGES)) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
  EXPECT_GT(available, 0u);
  EXPECT_LE(available, physical);

  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const rlimit limit{size_t{1} << 32, RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(2);
    _exit(AvailableMemoryBytes() <= (size_t{1} << 32) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace quelmora
