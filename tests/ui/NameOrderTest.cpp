#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "report/ReportPages.h"
#include "ui/ResultViews.h"

namespace quelmora {
namespace {

using TCompare = int (*)(std::string_view, std::string_view);

struct OrderCase {
  const char* label;
  TCompare compare;
};

void PrintTo(const OrderCase& c, std::ostream* os) {
  *os << c.label;
}

int Sign(int v) {
  return (v > 0) - (v < 0);
}

// Names built from pieces that read as numbers in one or both orders, texts
// that start with digits, letters that fold, and characters that take two
// UTF-16 units.
std::vector<std::string> RandomNames(unsigned seed, size_t count) {
  static const char* const pieces[] = {"9",
                                       "10",
                                       "1a",
                                       "007",
                                       "7",
                                       "-5",
                                       "+3",
                                       " 12",
                                       "0x10",
                                       "$A",
                                       "x1F",
                                       "b",
                                       "B",
                                       "Чай",
                                       "чай",
                                       "Z",
                                       "\xC3\x84",
                                       "_",
                                       "\xF0\x9F\x8D\xB5",
                                       "",
                                       "99999999999999999999",
                                       "-9223372036854775808",
                                       "9223372036854775807"};
  std::mt19937 random(seed);
  std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(1, 3);
  std::vector<std::string> names(count);
  for (std::string& name : names)
    for (int k = length(random); k > 0; --k)
      name += pieces[piece(random)];
  return names;
}

class NameOrder : public ::testing::TestWithParam<OrderCase> {};

// A cycle or an equality that is not transitive makes a sort's result
// depend on the input order (and std::stable_sort undefined).
TEST_P(NameOrder, IsAStrictWeakOrderOnRandomNames) {
  const TCompare compare = GetParam().compare;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const std::vector<std::string> names = RandomNames(seed, 36);
    for (const std::string& a : names) {
      ASSERT_EQ(compare(a, a), 0) << a;
      for (const std::string& b : names) {
        const int ab = Sign(compare(a, b));
        ASSERT_EQ(ab, -Sign(compare(b, a))) << a << " / " << b;
        for (const std::string& c : names) {
          const int bc = Sign(compare(b, c));
          if (ab < 0 && bc < 0) {
            ASSERT_LT(compare(a, c), 0) << a << " < " << b << " < " << c;
          }
          if (ab == 0 && bc == 0) {
            ASSERT_EQ(compare(a, c), 0) << a << " ~ " << b << " ~ " << c;
          }
        }
      }
    }
  }
}

// The examples as written for both lists.
TEST_P(NameOrder, KeepsTheWrittenExamples) {
  const TCompare compare = GetParam().compare;
  EXPECT_LT(compare("9", "10"), 0);
  EXPECT_LT(compare("10", "Чай"), 0);
  EXPECT_LT(compare("9", "Чай"), 0);
  EXPECT_EQ(compare("b", "B"), 0);
  EXPECT_NE(compare("чай", "Чай"), 0);
  EXPECT_LT(compare("10", "1a"), 0);
  EXPECT_LT(compare("1a", "9a"), 0);
}

INSTANTIATE_TEST_SUITE_P(Both, NameOrder,
                         ::testing::Values(OrderCase{"Window", NaturalCompare},
                                           OrderCase{"Report", CompareProductNames}),
                         [](const auto& info) { return std::string(info.param.label); });

std::vector<int32_t> Ids(const TOptimizationResult& result, const std::vector<size_t>& order) {
  std::vector<int32_t> ids;
  for (size_t i : order)
    ids.push_back(result.Solutions[i].ProductId);
  return ids;
}

// Shuffling the solutions must not change the order of the products in
// either list, and the two lists agree on names both read alike.
TEST(NameOrderLists, DoNotDependOnTheSolutionOrder) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    std::vector<std::string> names = RandomNames(seed, 40);
    // Names the two orders read differently (hexadecimal, blanks) aside.
    std::erase_if(names,
                  [](const std::string& n) { return n.find_first_of(" $x") != std::string::npos; });
    TProjectData project;
    TOptimizationResult result;
    for (size_t i = 0; i < names.size(); ++i) {
      TProduct product;
      product.Id = static_cast<int32_t>(i + 1);
      product.Name = names[i];
      project.Products.push_back(product);
      TOptimizationSolution solution;
      solution.ProductId = product.Id;
      solution.UnifiedGroupId = 1;
      result.Solutions.push_back(solution);
    }
    const std::vector<int32_t> report = Ids(result, ReportOrder(project, result));
    std::vector<size_t> window;
    for (int i : SolutionsOfGroup(project, result, 1))
      window.push_back(static_cast<size_t>(i));
    EXPECT_EQ(Ids(result, window), report) << "seed " << seed;

    std::mt19937 random(seed);
    std::shuffle(result.Solutions.begin(), result.Solutions.end(), random);
    EXPECT_EQ(Ids(result, ReportOrder(project, result)), report) << "seed " << seed;
    window.clear();
    for (int i : SolutionsOfGroup(project, result, 1))
      window.push_back(static_cast<size_t>(i));
    EXPECT_EQ(Ids(result, window), report) << "seed " << seed;
  }
}

}  // namespace
}  // namespace quelmora
