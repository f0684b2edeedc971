#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "io/Json.h"
#include "io/ProjectSerializer.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/OptimizationModel.h"
#include "model/ProductModel.h"
#include "model/TextFormat.h"
#include "support/ExpectError.h"
#include "support/InvalidFileByte.h"
#include "support/SmallProjects.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

const std::string kBom = "\xEF\xBB\xBF";

// One product named Чай, every setting at its default.
const std::string kTeaProjectJson =
    R"({"Version":1,"OptimizationCriterion":0,"Products":[{"Id":1,"Enabled":true,)"
    R"("MinVolumeM3":0.00095,"MaxVolumeM3":0.00105,"RatioLB":2,"RatioHB":4,)"
    R"("Name":"\u0427\u0430\u0439","OriginalLengthMM":100,"OriginalWidthMM":50,)"
    R"("OriginalHeightMM":200,"ProductWeightG":500,"MaxBoxWeightKG":15,)"
    R"("OriginalBoxLengthMM":410,"OriginalBoxWidthMM":310,"OriginalBoxHeightMM":210,)"
    R"("OriginalBoxCount":24}],"Settings":{"DimensionDeviationMinPercent":-15,)"
    R"("DimensionDeviationMaxPercent":15,"LengthGapMM":4,"WidthGapMM":4,"FlapMM":20,)"
    R"("MaxPalletHeightMM":1800,"CardboardPricePerM2":60,"PackMaterialPricePerM2":20,)"
    R"("PalletLengthMM":1200,"PalletWidthMM":800,"PackDimensionStepMM":1,)"
    R"("BoxUnificationToleranceMM":5,"BoardThicknessMM":3,"CardboardGramsPerM2":400,)"
    R"("PackMaterialGramsPerM2":60,"MaxBoxHeightMM":600,"WeightCost":1,"WeightDimension":0.1,)"
    R"("WeightRatio":0.1,"WeightFill":0.1,"WeightPallet":0.1,"WeightUnification":0.05,)"
    R"("MaxPackVariantsPerProduct":500,"MaxResultsPerProduct":30,"MaxPacksPerBox":120,)"
    R"("MaxCountPerAxis":12,"MaxGeometryEvaluations":50000,"BoxGlueFlapMM":40,)"
    R"("TargetUnifiedBoxCount":3,"SortBoxes":true,"AllowOversizeBoxes":false,)"
    R"("VolumeMismatchMode":0,"CurrencySymbol":"\u0440\u0443\u0431."}})";

std::string InvalidFile(const std::string& what) {
  return Format(SInvalidFile, what.c_str());
}

// The message LoadProject raises for the given file content, or "" when it loads.
std::string LoadMessage(const TTempFolder& folder, const std::string& bytes) {
  const std::string path = folder.File("case.vld");
  WriteBytes(path, bytes);
  try {
    LoadProject(path);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("not in the document: " + from);
  return text.replace(at, from.size(), to);
}

// --- writer ----------------------------------------------------------------

TEST(SaveProject, WritesTheDocumentByteForByte) {
  TTempFolder folder;
  const std::string path = folder.File("tea.vld");
  SaveProject(path, test::TeaProject());
  EXPECT_EQ(ReadBytes(path), kBom + kTeaProjectJson);
}

// The document goes to the file in pieces: many products, across many
// pieces, still give the text of the document written whole.
TEST(SaveProject, ManyProductsGiveTheDocumentOfOneProductRepeated) {
  TTempFolder folder;
  const std::string path = folder.File("many.vld");
  TProjectData project = test::TeaProject();
  const size_t open = kTeaProjectJson.find("[{") + 1;
  const size_t close = kTeaProjectJson.find("}]") + 1;
  const std::string product = kTeaProjectJson.substr(open, close - open);
  std::string expected = kTeaProjectJson.substr(0, open) + product;
  for (int32_t id = 2; id <= 1000; ++id) {
    project.Products.push_back(project.Products.front());
    project.Products.back().Id = id;
    expected += "," + Replaced(product, R"("Id":1,)", Format(R"("Id":%d,)", id));
  }
  expected += kTeaProjectJson.substr(close);
  SaveProject(path, project);
  EXPECT_EQ(ReadBytes(path), kBom + expected);
}

TEST(SaveProject, WritesEmptyListsAndEveryCriterion) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  TProjectData project = test::TeaProject();
  project.Products.clear();
  project.OptimizationCriterion = ckCombined;
  project.Settings.VolumeMismatchMode = Ask;
  project.Settings.SortBoxes = false;
  project.Settings.AllowOversizeBoxes = true;
  project.Settings.CurrencySymbol = "$/\"€\"";
  SaveProject(path, project);
  const std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find(R"("OptimizationCriterion":3,"Products":[],"Settings":{)"),
            std::string::npos);
  EXPECT_NE(bytes.find(R"("SortBoxes":false,"AllowOversizeBoxes":true,"VolumeMismatchMode":2,)"
                       R"("CurrencySymbol":"$\/\"\u20AC\""}})"),
            std::string::npos);
  // Printable ASCII only after the mark.
  for (size_t i = kBom.size(); i < bytes.size(); ++i)
    EXPECT_TRUE(bytes[i] >= 0x20 && bytes[i] < 0x7F) << "byte " << i;
}

TEST(SaveProject, InvalidProductIsRefusedAndNothingIsWritten) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  TProjectData project = test::TeaProject();
  project.Products[0].OriginalLengthMM = -1;
  try {
    SaveProject(path, project);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    EXPECT_EQ(e.Message(), "Чай: L, мм");
  }
  EXPECT_EQ(folder.Listing(), "");

  // An existing file keeps its content.
  WriteBytes(path, "old");
  EXPECT_ERROR_KIND(SaveProject(path, project), TErrorKind::InvalidInput);
  EXPECT_EQ(ReadBytes(path), "old");
}

TEST(SaveProject, SettingsAreCheckedBeforeProducts) {
  TTempFolder folder;
  TProjectData project = test::TeaProject();
  project.Products[0].RatioLB = 0;
  project.Settings.MaxGeometryEvaluations = 99;
  try {
    SaveProject(folder.File("p.vld"), project);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    EXPECT_EQ(e.Message(), Format(SInvalidParameter, "Лимит проверок геометрии"));
  }
}

// A broken project names the file and the member at fault, so that a person
// can find it; the message stays the one the reader always gave.
struct BrokenMember {
  std::string from, to, member;
};

void PrintTo(const BrokenMember& c, std::ostream* out) {
  *out << c.member;
}

class LoadProjectFaultPlace : public ::testing::TestWithParam<BrokenMember> {};

TEST_P(LoadProjectFaultPlace, NamesFileAndMember) {
  TTempFolder folder;
  const std::string path = folder.File("broken.vld");
  TProjectData project = test::TeaProject();
  project.Products.push_back(project.Products[0]);
  project.Products[1].Id = 2;
  SaveProject(path, project);
  const std::string bytes = ReadBytes(path);
  // The second product's copy of the text: the fault goes there.
  const size_t second = bytes.find(R"({"Id":2)");
  ASSERT_NE(second, std::string::npos);
  std::string broken = bytes;
  const size_t at = broken.find(GetParam().from, second);
  ASSERT_NE(at, std::string::npos);
  broken.replace(at, GetParam().from.size(), GetParam().to);
  WriteBytes(path, broken);
  const auto caught = test::Caught([&] { LoadProject(path); });
  ASSERT_TRUE(caught);
  EXPECT_EQ(caught->Place().File, path);
  EXPECT_EQ(caught->Place().Member, GetParam().member);
}

INSTANTIATE_TEST_SUITE_P(
    Load, LoadProjectFaultPlace,
    ::testing::Values(BrokenMember{R"("RatioLB":2)", R"("RatioLB":0)", "Products[1].RatioLB"},
                      BrokenMember{R"("RatioLB":2)", R"("RatioLB":"x")", "Products[1].RatioLB"},
                      BrokenMember{R"("OriginalBoxCount":24)", R"("OriginalBoxCount":2.5)",
                                   "Products[1].OriginalBoxCount"},
                      BrokenMember{R"("Id":2)", R"("Id":1)", "Products[1].Duplicate Product.Id"}));

// A project with duplicate Ids could be saved but never opened again: saving
// refuses it with the loader's message and place; disabled products are no fault.
TEST(SaveProject, DuplicateIdsAreRefusedAsLoadingRefusesThemDisabledProductsAreNot) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  TProjectData project = test::TeaProject();
  project.Products.push_back(project.Products[0]);
  project.Products[0].Enabled = project.Products[1].Enabled = false;
  const std::optional<Exception> refused = test::Caught([&] { SaveProject(path, project); });
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Message(), InvalidFile("Duplicate Product.Id"));
  EXPECT_EQ(refused->Place().Member, "Products[1].Duplicate Product.Id");
  EXPECT_FALSE(std::filesystem::exists(path));

  project.Products[1].Id = project.Products[0].Id + 1;
  SaveProject(path, project);
  EXPECT_EQ(LoadProject(path), project);
}

// --- reader ----------------------------------------------------------------

TEST(LoadProject, SaveThenLoadGivesTheSameProject) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  TProjectData project;
  project.Settings = DefaultSettings();
  project.Settings.BoxGlueFlapMM = 40.5;
  project.Settings.WeightUnification = 1e-5;
  project.Settings.DimensionDeviationMinPercent = -99.5;
  project.Settings.MaxGeometryEvaluations = 1000000;
  project.Settings.VolumeMismatchMode = UseSampleVolume;
  project.Settings.AllowOversizeBoxes = true;
  project.Settings.CurrencySymbol = "€ \"x\" \\ / \t";
  project.OptimizationCriterion = ckPalletUtilization;
  for (int32_t id : {7, 2147483647, 3}) {
    TProduct p = DefaultProduct(id);
    p.Name = "Кофе \U0001F600 " + std::to_string(id);
    p.MinVolumeM3 = 0.000248832;
    p.MaxVolumeM3 = 123456.789012345;
    p.ProductWeightG = 0;
    p.OriginalBoxCount = 100000;
    p.Enabled = id != 3;
    project.Products.push_back(p);
  }
  SaveProject(path, project);
  EXPECT_EQ(LoadProject(path), project);
}

TEST(LoadProject, NumbersComeBackRoundedToFifteenDigits) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  TProjectData project = test::TeaProject();
  project.Products[0].RatioLB = 1.0 / 3;
  project.Settings.WeightCost = 2.0 / 3;
  SaveProject(path, project);
  const TProjectData loaded = LoadProject(path);
  EXPECT_EQ(loaded.Products[0].RatioLB, 0.333333333333333);
  EXPECT_EQ(loaded.Settings.WeightCost, 0.666666666666667);
}

TEST(LoadProject, ReadsTheWrittenDocument) {
  TTempFolder folder;
  EXPECT_EQ(LoadMessage(folder, kBom + kTeaProjectJson), "");
  const std::string path = folder.File("tea.vld");
  WriteBytes(path, kTeaProjectJson);  // without the mark
  EXPECT_EQ(LoadProject(path), test::TeaProject());
}

TEST(LoadProject, RawUtf8LoadsLikeEscapes) {
  TTempFolder folder;
  const std::string path = folder.File("raw.vld");
  WriteBytes(path, Replaced(Replaced(kTeaProjectJson, R"(\u0427\u0430\u0439)", "Чай"),
                            R"(\u0440\u0443\u0431.)", "руб."));
  EXPECT_EQ(LoadProject(path), test::TeaProject());
}

TEST(LoadProject, WhitespaceAnywhereAndUnknownMembersAreAccepted) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  std::string text = kTeaProjectJson;
  std::string spaced;
  for (char c : text) {
    spaced += c;
    if (c == ',' || c == ':' || c == '[' || c == '{') spaced += " \r\n\t";
  }
  spaced = Replaced(spaced, R"({ )", R"({"Unknown":[1,{"x":null}], )");
  spaced = Replaced(spaced, R"("Id":)", R"("Extra":"x","Id":)");
  WriteBytes(path, "\r\n " + spaced + "\r\n\t ");
  EXPECT_EQ(LoadProject(path), test::TeaProject());
}

TEST(LoadProject, MembersInAnyOrder) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  WriteBytes(path,
             R"({"Settings":{"CurrencySymbol":"$","VolumeMismatchMode":1,"AllowOversizeBoxes":)"
             R"(true,"SortBoxes":false},"Products":[],"OptimizationCriterion":2,"Version":1})");
  const TProjectData project = LoadProject(path);
  TOptimizationSettings expected = DefaultSettings();
  expected.CurrencySymbol = "$";
  expected.VolumeMismatchMode = UseSampleVolume;
  expected.AllowOversizeBoxes = true;
  expected.SortBoxes = false;
  EXPECT_EQ(project.Settings, expected);  // absent numeric settings keep their defaults
  EXPECT_TRUE(project.Products.empty());
  EXPECT_EQ(project.OptimizationCriterion, ckPalletUtilization);
}

TEST(LoadProject, DuplicateKeysKeepTheFirstOccurrence) {
  TTempFolder folder;
  EXPECT_EQ(LoadMessage(folder,
                        Replaced(kTeaProjectJson, R"("Version":1)", R"("Version":1,"Version":2)")),
            "");
  EXPECT_EQ(LoadMessage(folder,
                        Replaced(kTeaProjectJson, R"("Version":1)", R"("Version":2,"Version":1)")),
            SUnsupportedProjectVersion);
  const std::string path = folder.File("p.vld");
  WriteBytes(path, Replaced(kTeaProjectJson, R"("RatioLB":2)", R"("RatioLB":2,"RatioLB":7)"));
  EXPECT_EQ(LoadProject(path).Products[0].RatioLB, 2);
}

TEST(LoadProject, LenientMemberTypes) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  std::string text = Replaced(kTeaProjectJson, R"("Enabled":true)", R"("Enabled":"false")");
  text = Replaced(text, R"("SortBoxes":true)", R"("SortBoxes":"false")");
  text = Replaced(text, R"("Name":"\u0427\u0430\u0439")", R"("Name":12.50)");
  text = Replaced(text, R"("CurrencySymbol":"\u0440\u0443\u0431.")", R"("CurrencySymbol":5)");
  WriteBytes(path, text);
  const TProjectData project = LoadProject(path);
  EXPECT_FALSE(project.Products[0].Enabled);
  EXPECT_FALSE(project.Settings.SortBoxes);
  EXPECT_EQ(project.Products[0].Name, "12.50");  // the number as written
  EXPECT_EQ(project.Settings.CurrencySymbol, "5");
}

// One change to the written document and the message it must give. "{file}"
// stands for the path of the file; "{syntax}" for the same naming the byte of
// the fault, which must lie in the changed text or in the escape after it.
struct LoadCase {
  const char* name;
  std::string from;
  std::string to;
  std::string message;
};
std::ostream& operator<<(std::ostream& os, const LoadCase& c) {
  return os << c.name;
}

class LoadProjectRefuses : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadProjectRefuses, WithTheFirstFaultsMessage) {
  TTempFolder folder;
  const LoadCase& c = GetParam();
  std::string expected = c.message;
  if (expected == "{file}") expected = InvalidFile(folder.File("case.vld"));
  const std::string text = c.from.empty() ? c.to : Replaced(kTeaProjectJson, c.from, c.to);
  if (expected == "{syntax}") {
    const long long at = c.from.empty() ? 0 : static_cast<long long>(kTeaProjectJson.find(c.from));
    const long long byte =
        test::InvalidFileByte(LoadMessage(folder, text), folder.File("case.vld"));
    EXPECT_GE(byte, at) << LoadMessage(folder, text);
    EXPECT_LE(byte, at + static_cast<long long>(c.to.size()) + 6);  // or the escape after it
    return;
  }
  EXPECT_EQ(LoadMessage(folder, text), expected);
}

const LoadCase kLoadCases[] = {
    // Not a JSON object.
    {"Empty", "", "", "{syntax}"},
    {"OnlyMark", "", kBom, "{syntax}"},
    {"Array", "", "[]", "{file}"},
    {"String", "", R"("Version")", "{file}"},
    {"Truncated", "}}", "}", "{syntax}"},
    {"TextAfterTheObject", "}}", "}}x", "{syntax}"},
    {"SecondObject", "}}", "}}{}", "{syntax}"},
    {"FormFeedAfterTheObject", "}}", "}}\f", "{syntax}"},
    {"NoBreakSpaceInside", ",", ",\xC2\xA0", "{syntax}"},
    {"TrailingComma", "}}", ",}}", "{syntax}"},
    {"SingleQuotes", R"("Version")", "'Version'", "{syntax}"},
    {"UnpairedSurrogate", R"(\u0427)", R"(\uD800)", "{syntax}"},
    // Version.
    {"VersionTwo", R"("Version":1)", R"("Version":2)", SUnsupportedProjectVersion},
    {"VersionZero", R"("Version":1)", R"("Version":0)", SUnsupportedProjectVersion},
    {"VersionString", R"("Version":1)", R"("Version":"1")", InvalidFile("Version")},
    {"VersionFraction", R"("Version":1)", R"("Version":1.5)", InvalidFile("Version")},
    {"VersionNegative", R"("Version":1)", R"("Version":-1)", InvalidFile("Version")},
    {"VersionHuge", R"("Version":1)", R"("Version":2147483648)", InvalidFile("Version")},
    {"VersionLowerCase", R"("Version":1)", R"("version":1)", InvalidFile("Version")},
    {"VersionNull", R"("Version":1)", R"("Version":null)", InvalidFile("Version")},
    {"VersionBeforeCriterion", R"("Version":1,"OptimizationCriterion":0)",
     R"("Version":"x","OptimizationCriterion":9)", InvalidFile("Version")},
    // Criterion.
    {"CriterionFour", R"("OptimizationCriterion":0)", R"("OptimizationCriterion":4)",
     InvalidFile("OptimizationCriterion")},
    {"CriterionMissing", R"("OptimizationCriterion":0,)", "", InvalidFile("OptimizationCriterion")},
    {"CriterionBool", R"("OptimizationCriterion":0)", R"("OptimizationCriterion":false)",
     InvalidFile("OptimizationCriterion")},
    // Products.
    {"ProductsObject", R"("Products":[)", R"("Products":{},"P":[)", InvalidFile("Products")},
    {"ProductsMissing", R"("Products")", R"("Product")", InvalidFile("Products")},
    {"ProductNotObject", R"("Products":[)", R"("Products":[1,)", InvalidFile("Product")},
    {"IdMissing", R"("Id":1,)", "", InvalidFile("Id")},
    {"IdNegative", R"("Id":1)", R"("Id":-1)", InvalidFile("Id")},
    {"IdFraction", R"("Id":1)", R"("Id":1.5)", InvalidFile("Id")},
    {"IdZero", R"("Id":1)", R"("Id":0)", Format(SInvalidProductId, "Чай", 0)},
    {"EnabledNumber", R"("Enabled":true)", R"("Enabled":1)", InvalidFile("Enabled")},
    {"EnabledUpperCase", R"("Enabled":true)", R"("Enabled":"True")", InvalidFile("Enabled")},
    {"EnabledMissing", R"("Enabled":true,)", "", InvalidFile("Enabled")},
    {"NameMissing", R"("Name":"\u0427\u0430\u0439",)", "", InvalidFile("Name")},
    {"NameBool", R"("Name":"\u0427\u0430\u0439")", R"("Name":true)", InvalidFile("Name")},
    {"NameBlank", R"("Name":"\u0427\u0430\u0439")", R"("Name":"  ")", "  : Название"},
    {"FieldString", R"("RatioHB":4)", R"("RatioHB":"4")", InvalidFile("RatioHB")},
    {"FieldMissing", R"("OriginalBoxHeightMM":210,)", "", InvalidFile("OriginalBoxHeightMM")},
    {"FieldOverflow", R"("OriginalLengthMM":100)", R"("OriginalLengthMM":1e400)",
     InvalidFile("OriginalLengthMM")},
    {"FieldNegativeOverflow", R"("MinVolumeM3":0.00095)", R"("MinVolumeM3":-1e309)",
     InvalidFile("MinVolumeM3")},
    {"CountFraction", R"("OriginalBoxCount":24)", R"("OriginalBoxCount":24.5)",
     "Integer expected: N0"},
    {"CountTooLarge", R"("OriginalBoxCount":24)", R"("OriginalBoxCount":100001)", "Чай: N0"},
    {"CountBeyond32Bits", R"("OriginalBoxCount":24)", R"("OriginalBoxCount":2147483648)",
     "Integer expected: N0"},
    {"NegativeLength", R"("OriginalLengthMM":100)", R"("OriginalLengthMM":-100)", "Чай: L, мм"},
    {"VolumeRangeReversed", R"("MinVolumeM3":0.00095)", R"("MinVolumeM3":0.002)",
     "Чай: Мин. объем, м³"},
    {"DuplicateId", R"("Products":[)",
     R"("Products":[{"Id":1,"Enabled":false,"MinVolumeM3":1,"MaxVolumeM3":1,"RatioLB":1,)"
     R"("RatioHB":1,"Name":"x","OriginalLengthMM":1,"OriginalWidthMM":1,"OriginalHeightMM":1,)"
     R"("ProductWeightG":1,"MaxBoxWeightKG":1,"OriginalBoxLengthMM":1,"OriginalBoxWidthMM":1,)"
     R"("OriginalBoxHeightMM":1,"OriginalBoxCount":1},)",
     InvalidFile("Duplicate Product.Id")},
    // Settings.
    {"SettingsMissing", R"("Settings")", R"("settings")", InvalidFile("Settings")},
    {"SettingsArray", R"("Settings":{)", R"("Settings":[],"x":{)", InvalidFile("Settings")},
    {"SettingString", R"("LengthGapMM":4)", R"("LengthGapMM":"4")", InvalidFile("LengthGapMM")},
    {"SettingNull", R"("WeightFill":0.1)", R"("WeightFill":null)", InvalidFile("WeightFill")},
    {"SettingOverflow", R"("FlapMM":20)", R"("FlapMM":1E999)", InvalidFile("FlapMM")},
    {"IntegerSettingFraction", R"("MaxCountPerAxis":12)", R"("MaxCountPerAxis":12.5)",
     "Integer expected: Макс. пачек по одной оси"},
    {"SettingOutOfRange", R"("MaxGeometryEvaluations":50000)", R"("MaxGeometryEvaluations":99)",
     Format(SInvalidParameter, "Лимит проверок геометрии")},
    {"IntegerSettingNegative", R"("MaxPacksPerBox":120)", R"("MaxPacksPerBox":-1)",
     Format(SInvalidParameter, "Макс. пачек в ящике")},
    {"SortBoxesMissing", R"("SortBoxes":true,)", "", InvalidFile("SortBoxes")},
    {"AllowOversizeNumber", R"("AllowOversizeBoxes":false)", R"("AllowOversizeBoxes":0)",
     InvalidFile("AllowOversizeBoxes")},
    {"ModeThree", R"("VolumeMismatchMode":0)", R"("VolumeMismatchMode":3)",
     InvalidFile("VolumeMismatchMode")},
    {"ModeString", R"("VolumeMismatchMode":0)", R"("VolumeMismatchMode":"0")",
     InvalidFile("VolumeMismatchMode")},
    {"PalletMethodTwo", R"("VolumeMismatchMode":0)", R"("VolumeMismatchMode":0,"PalletMethod":2)",
     InvalidFile("PalletMethod")},
    {"PalletMethodFraction", R"("VolumeMismatchMode":0)",
     R"("VolumeMismatchMode":0,"PalletMethod":0.5)", InvalidFile("PalletMethod")},
    {"OverhangBeyondItsBound", R"("Settings":{)", R"("Settings":{"PalletOverhangMM":1000.5,)",
     Format(SInvalidParameter, "Свес за край паллеты, мм")},
    {"LoadedWeightNegative", R"("Settings":{)", R"("Settings":{"MaxLoadedPalletWeightKG":-1,)",
     Format(SInvalidParameter, "Макс. масса груженой паллеты, кг")},
    {"CurrencyMissing", R"(,"CurrencySymbol":"\u0440\u0443\u0431.")", "",
     InvalidFile("CurrencySymbol")},
    {"CurrencyArray", R"("CurrencySymbol":"\u0440\u0443\u0431.")", R"("CurrencySymbol":[])",
     InvalidFile("CurrencySymbol")},
    {"CurrencyBlank", R"("CurrencySymbol":"\u0440\u0443\u0431.")", R"("CurrencySymbol":" ")",
     Format(SInvalidParameter, SCurrency)},
    // Order: the flags come before the mode, the mode before validation,
    // products before settings.
    {"FlagBeforeCurrency", R"("SortBoxes":true)", R"("CurrencySymbol":[],"SortBoxes":1)",
     InvalidFile("SortBoxes")},
    {"ModeBeforeSettingsValidation", R"("Settings":{)",
     R"("Settings":{"MaxCountPerAxis":0,"VolumeMismatchMode":7,)",
     InvalidFile("VolumeMismatchMode")},
    {"ProductBeforeSettings", R"("OriginalBoxCount":24}],"Settings":{)",
     R"("OriginalBoxCount":0}],"Settings":{"MaxCountPerAxis":0,)", "Чай: N0"},
};

INSTANTIATE_TEST_SUITE_P(Table, LoadProjectRefuses, ::testing::ValuesIn(kLoadCases),
                         [](const ::testing::TestParamInfo<LoadCase>& info) {
                           return std::string(info.param.name);
                         });

// The pallet settings came later: a file without them loads with their
// defaults and saves back to the same bytes; each one set is written under
// its own key and comes back.
TEST(LoadProject, PalletSettingsAreWrittenOnlyWhenSetAndComeBack) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  WriteBytes(path, kBom + kTeaProjectJson);
  const TProjectData old = LoadProject(path);
  EXPECT_EQ(old, test::TeaProject());
  SaveProject(path, old);
  EXPECT_EQ(ReadBytes(path), kBom + kTeaProjectJson);

  struct Change {
    const char* Key;
    std::function<void(TOptimizationSettings&)> Apply;
  };
  const Change changes[] = {
      {"PalletMethod", [](TOptimizationSettings& s) { s.PalletMethod = pmBestLayer; }},
      {"PalletHeightMM", [](TOptimizationSettings& s) { s.PalletHeightMM = 144; }},
      {"PalletWeightKG", [](TOptimizationSettings& s) { s.PalletWeightKG = 25.5; }},
      {"MaxLoadedPalletWeightKG",
       [](TOptimizationSettings& s) { s.MaxLoadedPalletWeightKG = 1000; }},
      {"PalletOverhangMM", [](TOptimizationSettings& s) { s.PalletOverhangMM = 30; }},
      {"EdgeCrushKNPerM", [](TOptimizationSettings& s) { s.EdgeCrushKNPerM = 7; }},
      {"StorageHumidityPercent", [](TOptimizationSettings& s) { s.StorageHumidityPercent = 85; }},
      {"DaysUnderLoad", [](TOptimizationSettings& s) { s.DaysUnderLoad = 90; }},
      {"StackedPallets", [](TOptimizationSettings& s) { s.StackedPallets = 2; }},
      {"RequiredSafetyFactor", [](TOptimizationSettings& s) { s.RequiredSafetyFactor = 4.5; }},
      {"LimitLayersToStrength", [](TOptimizationSettings& s) { s.LimitLayersToStrength = true; }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.Key);
    TProjectData project = test::TeaProject();
    change.Apply(project.Settings);
    SaveProject(path, project);
    const std::string bytes = ReadBytes(path);
    for (const Change& other : changes)
      EXPECT_EQ(bytes.find(std::string("\"") + other.Key + "\":") != std::string::npos,
                &other == &change)
          << other.Key;
    EXPECT_EQ(LoadProject(path), project);
  }
}

// What an older reader meets in a newer file: settings it does not know.
TEST(LoadProject, UnknownSettingsAreIgnored) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  WriteBytes(path, Replaced(kTeaProjectJson, R"("Settings":{)",
                            R"("Settings":{"FutureSetting":7,"FutureList":[{"x":1}],)"));
  EXPECT_EQ(LoadProject(path), test::TeaProject());
}

TEST(LoadProject, ModeBeforeSettingsValidationReallyHasAnInvalidSetting) {
  // Guards the case above: the later fault alone gives its own message.
  TTempFolder folder;
  EXPECT_EQ(LoadMessage(folder, Replaced(kTeaProjectJson, R"("Settings":{)",
                                         R"("Settings":{"MaxCountPerAxis":0,)")),
            Format(SInvalidParameter, "Макс. пачек по одной оси"));
}

TEST(LoadProject, FileErrorsPassThrough) {
  TTempFolder folder;
  EXPECT_ERROR_KIND(LoadProject(folder.File("none.vld")), TErrorKind::FileOpen);
  const std::string path = folder.File("latin1.vld");
  WriteBytes(path, Replaced(kTeaProjectJson, R"(\u0427\u0430\u0439)", "\xD7\xE0\xE9"));
  EXPECT_ERROR_KIND(LoadProject(path), TErrorKind::Encoding);
}

TEST(LoadProject, FailureLeavesTheCallersProjectUnchanged) {
  TTempFolder folder;
  const std::string path = folder.File("p.vld");
  WriteBytes(path,
             Replaced(kTeaProjectJson, R"("VolumeMismatchMode":0)", R"("VolumeMismatchMode":3)"));
  TProjectData current = test::TeaProject();
  current.Products[0].Name = "Current";
  const TProjectData before = current;
  EXPECT_THROW(current = LoadProject(path), Exception);
  EXPECT_EQ(current, before);
}

// --- member readers --------------------------------------------------------

TEST(MemberReaders, AcceptWhatTheyShouldAndNameTheKeyOtherwise) {
  const TJsonValue object = ParseJson(
      R"({"n":-2.5,"c":2147483647,"z":-0,"big":2147483648,"inf":1e999,"s":"txt","t":true,)"
      R"("f":false,"st":"true","sf":"false","num":0.50,"nul":null,"arr":[1],"obj":{}})");
  EXPECT_EQ(ReadJsonNumber(object, "n"), -2.5);
  EXPECT_EQ(ReadJsonCount(object, "c"), 2147483647);
  EXPECT_EQ(ReadJsonCount(object, "z"), 0);
  EXPECT_EQ(ReadJsonText(object, "s"), "txt");
  EXPECT_EQ(ReadJsonText(object, "num"), "0.50");
  EXPECT_TRUE(ReadJsonBool(object, "t"));
  EXPECT_FALSE(ReadJsonBool(object, "f"));
  EXPECT_TRUE(ReadJsonBool(object, "st"));
  EXPECT_FALSE(ReadJsonBool(object, "sf"));
  EXPECT_EQ(RequireValue(object, "nul").Kind, jkNull);
  EXPECT_EQ(&RequireValue(object, "arr"), object.Find("arr"));

  const auto message = [&](auto read, const char* key) {
    try {
      read(object, key);
    } catch (const Exception& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  const auto number = [](const TJsonValue& o, const char* k) { ReadJsonNumber(o, k); };
  const auto count = [](const TJsonValue& o, const char* k) { ReadJsonCount(o, k); };
  const auto text = [](const TJsonValue& o, const char* k) { ReadJsonText(o, k); };
  const auto flag = [](const TJsonValue& o, const char* k) { ReadJsonBool(o, k); };
  const auto require = [](const TJsonValue& o, const char* k) { RequireValue(o, k); };
  for (const char* key : {"s", "t", "nul", "arr", "obj", "inf", "missing"})
    EXPECT_EQ(message(number, key), InvalidFile(key)) << key;
  for (const char* key : {"n", "big", "inf", "s", "missing"})
    EXPECT_EQ(message(count, key), InvalidFile(key)) << key;
  for (const char* key : {"t", "nul", "arr", "obj", "missing"})
    EXPECT_EQ(message(text, key), InvalidFile(key)) << key;
  for (const char* key : {"n", "s", "nul", "arr", "missing"})
    EXPECT_EQ(message(flag, key), InvalidFile(key)) << key;
  EXPECT_EQ(message(require, "missing"), InvalidFile("missing"));
}

TEST(MemberWriters, AppendInOrder) {
  TJsonValue object = JsonObject();
  AddJsonNumber(object, "a", 0.5);
  AddJsonBool(object, "b", true);
  AddJsonBool(object, "c", false);
  AddJsonNumber(object, "d", 24);
  EXPECT_EQ(WriteJson(object), R"({"a":0.5,"b":true,"c":false,"d":24})");
}

// --- result file -----------------------------------------------------------

TOptimizationSolution SampleSolution() {
  TOptimizationSolution s;
  s.ProductId = 7;
  s.Pack.LengthMM = 64.75;
  s.Pack.WidthMM = 42;
  s.Pack.HeightMM = 86.66666666666667;
  s.Pack.VolumeM3 = 0.00025;
  s.Pack.Cost = 99;  // not written
  s.Box.LengthMM = 266;
  s.Box.WidthMM = 133;
  s.Box.HeightMM = 266;
  s.Box.InnerLengthMM = 260;  // not written
  s.Box.PackCount = 36;
  s.Box.PackPlacement.Orientation = poHBL;
  s.Box.PackPlacement.CountX = 3;
  s.Box.PackPlacement.CountY = 4;
  s.Box.PackPlacement.CountZ = 3;
  s.Box.GrossWeightKG = 12.345;
  s.Box.BlankAreaM2 = 0.14;
  s.Box.BoxCost = 8.4;
  s.Box.PalletCount = 48;
  s.Box.PackagingCostPerM3 = 1799.2688135545282;
  s.Box.Score = 1e-5;
  s.SavingPercent = -3.477507631177489;
  s.UnifiedGroupId = 2;
  s.UnifiedProductCount = 5;     // not written
  s.OriginalBox.LengthMM = 400;  // not written
  return s;
}

TEST(SaveResultJson, WritesTheDocumentByteForByte) {
  TTempFolder folder;
  const std::string path = folder.File("r.json");
  TOptimizationResult result;
  result.Cancelled = false;
  result.AverageCostPerM3 = 1234.5;
  result.OriginalAverageCostPerM3 = 1500.25;
  result.Log = {"not written"};
  result.Solutions = {SampleSolution(), TOptimizationSolution()};
  SaveResultJson(path, result);
  EXPECT_EQ(ReadBytes(path),
            kBom + R"({"Version":1,"Cancelled":false,"AverageCostPerM3":1234.5,)"
                   R"("OriginalAverageCostPerM3":1500.25,"Solutions":[{"ProductId":7,)"
                   R"("PackLengthMM":64.75,"PackWidthMM":42,"PackHeightMM":86.6666666666667,)"
                   R"("PackVolumeM3":0.00025,"BoxLengthMM":266,"BoxWidthMM":133,"BoxHeightMM":266,)"
                   R"("PackCount":36,"CountX":3,"CountY":4,"CountZ":3,"Orientation":5,)"
                   R"("GrossWeightKG":12.345,"BoxCost":8.4,"BlankAreaM2":0.14,"PalletCount":48,)"
                   R"("PackagingCostPerM3":1799.26881355453,"SavingPercent":-3.47750763117749,)"
                   R"("UnifiedGroupId":2,"Score":1E-5},{"ProductId":0,"PackLengthMM":0,)"
                   R"("PackWidthMM":0,"PackHeightMM":0,"PackVolumeM3":0,"BoxLengthMM":0,)"
                   R"("BoxWidthMM":0,"BoxHeightMM":0,"PackCount":0,"CountX":0,"CountY":0,)"
                   R"("CountZ":0,"Orientation":0,"GrossWeightKG":0,"BoxCost":0,"BlankAreaM2":0,)"
                   R"("PalletCount":0,"PackagingCostPerM3":0,"SavingPercent":0,"UnifiedGroupId":0,)"
                   R"("Score":0}]})");
}

TEST(SaveResultJson, EmptyAndCancelledRun) {
  TTempFolder folder;
  const std::string path = folder.File("r.json");
  TOptimizationResult result;
  result.Cancelled = true;
  SaveResultJson(path, result);
  EXPECT_EQ(ReadBytes(path), kBom + R"({"Version":1,"Cancelled":true,"AverageCostPerM3":0,)"
                                    R"("OriginalAverageCostPerM3":0,"Solutions":[]})");
}

// The strength records reach the file as they are, each inside its own
// solution; without records the document is the one above, byte for byte.
TEST(SaveResultJson, StrengthObjectsRoundTripPerSolution) {
  TTempFolder folder;
  TOptimizationResult result;
  result.Solutions = {SampleSolution(), TOptimizationSolution()};
  const std::vector<TStrengthRecord> records = {{3042.7, 970.6 / 3, 1176.8, 0.824795, 3, 4, false},
                                                {1e6, 5e5, 0, 0, 2.5, 2147483647, true}};
  SaveResultJson(folder.File("with.json"), result, records);
  SaveResultJson(folder.File("without.json"), result, {});
  SaveResultJson(folder.File("default.json"), result);
  EXPECT_EQ(ReadBytes(folder.File("without.json")), ReadBytes(folder.File("default.json")));
  EXPECT_EQ(ReadBytes(folder.File("without.json")).find("Strength"), std::string::npos);

  const TJsonValue root = ParseJson(ReadBytes(folder.File("with.json")).substr(kBom.size()));
  const TJsonValue& solutions = *root.Find("Solutions");
  ASSERT_EQ(solutions.Items.size(), records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const TJsonValue* strength = solutions.Items[i].Find("Strength");
    ASSERT_NE(strength, nullptr) << i;
    const TStrengthRecord read{
        ReadJsonNumber(*strength, "McKeeN"),   ReadJsonNumber(*strength, "ReducedN"),
        ReadJsonNumber(*strength, "LoadN"),    ReadJsonNumber(*strength, "SafetyFactor"),
        ReadJsonNumber(*strength, "Required"), ReadJsonCount(*strength, "SafeLayers"),
        ReadJsonBool(*strength, "Safe")};
    // The file keeps 15 significant digits.
    EXPECT_EQ(FormatJsonNumber(read.ReducedN), FormatJsonNumber(records[i].ReducedN)) << i;
    EXPECT_EQ(read.LoadN, records[i].LoadN) << i;
    EXPECT_EQ(read.SafeLayers, records[i].SafeLayers) << i;
    EXPECT_EQ(read.Safe, records[i].Safe) << i;
    EXPECT_EQ(FormatJsonNumber(read.McKeeN), FormatJsonNumber(records[i].McKeeN)) << i;
    EXPECT_EQ(FormatJsonNumber(read.SafetyFactor), FormatJsonNumber(records[i].SafetyFactor));
    EXPECT_EQ(read.Required, records[i].Required) << i;
  }
}

// A record list that does not match the solutions is a caller's fault and
// must not leave a file that pairs figures with the wrong boxes.
TEST(SaveResultJson, StrengthCountMustMatchTheSolutions) {
  TTempFolder folder;
  TOptimizationResult result;
  result.Solutions = {SampleSolution(), TOptimizationSolution()};
  EXPECT_ERROR_KIND(SaveResultJson(folder.File("r.json"), result, {TStrengthRecord()}),
                    TErrorKind::Internal);
  EXPECT_FALSE(std::filesystem::exists(folder.File("r.json")));
}

TEST(SaveResultJson, FileErrorsAreRaised) {
  TTempFolder folder;
  EXPECT_ERROR_KIND(SaveResultJson(folder.File("missing/r.json"), TOptimizationResult()),
                    TErrorKind::FileCreate);
}

}  // namespace
}  // namespace quelmora
