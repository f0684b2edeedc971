#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "BatchTool.h"
#include "calc/BoxStrength.h"
#include "io/Json.h"
#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "support/ScopedEnv.h"
#include "support/StrengthBox.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

namespace fs = std::filesystem;

using quelmora::testing::Outcome;
using quelmora::testing::RunTool;

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

const std::vector<std::string> kBox = {
    "--box-strength", "400x300x250", "--ect", "7.0", "--thickness", "4"};

class BoxStrengthToolTest : public ::testing::Test {
 protected:
  // The messages follow the locale: without one they are Russian.
  quelmora::testing::TScopedEnv locale_{"LC_ALL", "LC_MESSAGES", "LANG"};
  quelmora::testing::TTempFolder temp_;
  std::string Json() const { return temp_.File("strength.json"); }
};

// The file carries the calculator's own numbers (a differential check, not
// restated constants), the load and factor only when a load is given, and
// the printed lines follow the same rule.
struct OutputCase {
  const char* what;
  std::vector<std::string> extra;
  double humidity, days, loadKG;  // loadKG 0: none given
  friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.what; }
};

class BoxStrengthOutputTest : public BoxStrengthToolTest,
                              public ::testing::WithParamInterface<OutputCase> {};

TEST_P(BoxStrengthOutputTest, PrintsAndWritesTheCalculatorsResult) {
  const OutputCase& c = GetParam();
  const Outcome o = RunTool(With(With(kBox, c.extra), {"--json", Json()}));
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.err.empty()) << o.err;

  TBoxStrengthInput in = Box400x300();
  in.Conditions.HumidityPercent = c.humidity;
  in.Conditions.DaysUnderLoad = c.days;
  in.LoadN = c.loadKG * kStandardGravity;
  const TBoxStrength expected = EstimateBoxStrength(in);

  const bool loaded = c.loadKG > 0;
  EXPECT_NE(o.out.find("McKee estimate: "), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Reduced strength: "), std::string::npos) << o.out;
  EXPECT_EQ(o.out.find("Load: ") != std::string::npos, loaded) << o.out;
  EXPECT_EQ(o.out.find("Safety factor: ") != std::string::npos, loaded) << o.out;

  const TJsonValue root = ParseJson(ReadUtf8TextFile(Json()));
  ASSERT_TRUE(root.IsObject());
  auto number = [&](const char* key) {
    const TJsonValue* v = root.Find(key);
    return v && v->Kind == jkNumber ? v->Number : -1.0;
  };
  EXPECT_NEAR(number("McKeeN"), expected.McKeeN, expected.McKeeN * 1e-14);
  EXPECT_NEAR(number("ReducedN"), expected.ReducedN, expected.ReducedN * 1e-14);
  EXPECT_LE(number("ReducedN"), number("McKeeN"));
  EXPECT_EQ(root.Find("LoadN") != nullptr, loaded);
  EXPECT_EQ(root.Find("SafetyFactor") != nullptr, loaded);
  if (loaded) {
    EXPECT_NEAR(number("LoadN"), expected.LoadN, expected.LoadN * 1e-14);
    EXPECT_NEAR(number("SafetyFactor"), expected.SafetyFactor, expected.SafetyFactor * 1e-14);
  }
  EXPECT_EQ(root.Members.size(), loaded ? 4u : 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxStrengthOutputTest,
    ::testing::Values(
        OutputCase{"no load", {}, 50, 0, 0},
        OutputCase{"humid and long", {"--humidity", "85", "--days", "90"}, 85, 90, 0},
        OutputCase{"with load", {"--load-kg", "120"}, 50, 0, 120},
        OutputCase{
            "everything", {"--humidity", "85", "--days", "90", "--load-kg", "120"}, 85, 90, 120}));

TEST_F(BoxStrengthToolTest, WithoutJsonOnlyPrints) {
  const Outcome o = RunTool(kBox);
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("McKee estimate: "), std::string::npos);
  EXPECT_FALSE(fs::exists(Json()));
}

// Every value the calculator cannot take ends with its catalogue message as
// the last line, status 1, nothing printed and no file written.
struct BadCase {
  std::vector<std::string> args;
  std::string message;
  friend void PrintTo(const BadCase& c, std::ostream* os) {
    for (const std::string& a : c.args)
      *os << a << ' ';
  }
};

std::string Message(const char* id, std::initializer_list<TFormatArg> args = {}) {
  return Exception(TErrorKind::InvalidInput, id, args).Message();
}

std::vector<std::string> Box(const std::string& size) {
  return {"--box-strength", size, "--ect", "7", "--thickness", "4"};
}

class BoxStrengthBadInputTest : public BoxStrengthToolTest,
                                public ::testing::WithParamInterface<BadCase> {};

TEST_P(BoxStrengthBadInputTest, FailsWithTheMessage) {
  const BadCase& c = GetParam();
  const Outcome o = RunTool(With(c.args, {"--json", Json()}));
  EXPECT_EQ(o.status, 1) << o.err;
  EXPECT_EQ(o.LastErrLine(), c.message);
  EXPECT_TRUE(o.out.empty()) << o.out;
  EXPECT_FALSE(fs::exists(Json()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxStrengthBadInputTest,
    ::testing::Values(BadCase{Box("400x300"), Message(SBoxSizeInvalid, {"400x300"})},
                      BadCase{Box("400x300x250x1"), Message(SBoxSizeInvalid, {"400x300x250x1"})},
                      BadCase{Box("400x300x0"), Message(SBoxSizeInvalid, {"400x300x0"})},
                      BadCase{Box("-400x300x250"), Message(SBoxSizeInvalid, {"-400x300x250"})},
                      BadCase{Box("400 x300x250"), Message(SBoxSizeInvalid, {"400 x300x250"})},
                      BadCase{Box("x300x250"), Message(SBoxSizeInvalid, {"x300x250"})},
                      BadCase{Box("nanx300x250"), Message(SBoxSizeInvalid, {"nanx300x250"})},
                      BadCase{{"--box-strength", "400x300x250", "--ect", "0", "--thickness", "4"},
                              Message(SPositiveNumberExpected, {"--ect", "0"})},
                      BadCase{{"--box-strength", "400x300x250", "--ect", "7,0", "--thickness", "4"},
                              Message(SPositiveNumberExpected, {"--ect", "7,0"})},
                      BadCase{
                          {"--box-strength", "400x300x250", "--ect", "1e400", "--thickness", "4"},
                          Message(SPositiveNumberExpected, {"--ect", "1e400"})},
                      BadCase{{"--box-strength", "400x300x250", "--ect", "7", "--thickness", "-4"},
                              Message(SPositiveNumberExpected, {"--thickness", "-4"})},
                      BadCase{With(Box("400x300x250"), {"--humidity", "101"}),
                              Message(SNumberInRangeExpected, {"--humidity", 0.0, 100.0, "101"})},
                      BadCase{With(Box("400x300x250"), {"--humidity", "inf"}),
                              Message(SNumberInRangeExpected, {"--humidity", 0.0, 100.0, "inf"})},
                      BadCase{With(Box("400x300x250"), {"--days", "-1"}),
                              Message(SNumberInRangeExpected, {"--days", 0.0, 3650.0, "-1"})},
                      BadCase{With(Box("400x300x250"), {"--load-kg", "0"}),
                              Message(SPositiveNumberExpected, {"--load-kg", "0"})},
                      BadCase{{"--box-strength", "400x300x250", "--thickness", "4"},
                              Message(SBoxStrengthNeedsBoard)},
                      BadCase{{"--box-strength", "400x300x250", "--ect", "7", "--thickness", "150"},
                              Message(SBoardLeavesNoInside, {150.0})}));

// Options that do not fit together are usage errors, as elsewhere in the tool.
TEST_F(BoxStrengthToolTest, MisplacedOptionsAreUsageErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--ect", "7"},
                                             {"--sample", "--load-kg", "10"},
                                             {"--box-strength"},
                                             With(kBox, {"--ect", "8"}),
                                             With(kBox, {"--sample"}),
                                             With(kBox, {"--csv", "a.csv"})}) {
    const Outcome o = RunTool(args);
    EXPECT_EQ(o.status, 2) << args[0];
    EXPECT_NE(o.err.find("usage: quelmora-batch"), std::string::npos);
  }
}

}  // namespace
}  // namespace quelmora
