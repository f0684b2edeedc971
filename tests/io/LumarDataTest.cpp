#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "io/Json.h"
#include "io/LumarData.h"
#include "io/ProjectSerializer.h"
#include "model/Validation.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

struct ProductRow {
  int32_t id;
  const char* name;
  double vmin, vmax, ml, mh, sl, sb, sh, sw, wmax, l0, b0, h0, n0;
};

struct ReferenceRow {
  int32_t id;
  const char* name;
  double pack[3];
  double boxInner[3];
  double packsPerBox, cost, originalCost, saving;
};

// The older system's product table and its results, exactly as recorded.
const ProductRow kProducts[] = {
    {1, "Чай чёрный", 0.000248832, 0.0003, 1.62, 2.62, 72, 36, 96, 55, 5, 400, 300, 200, 88},
    {2, "Чай зелёный", 0.000215832, 0.0003, 1.62, 2.62, 69, 34, 92, 50, 5, 400, 300, 200, 88},
    {3, "Кофе молотый", 0.000291688, 0.0004, 1.62, 2.62, 76, 38, 101, 100, 5, 400, 300, 200, 35},
    {4, "Кофе растворимый", 0.0003344, 0.0004, 1.62, 2.62, 76, 40, 110, 100, 5, 400, 300, 200, 35},
    {5, "Какао", 0.00042527, 0.0005, 1.62, 2.62, 86, 43, 115, 100, 5, 400, 300, 200, 27},
    {6, "Сахар", 0.000579784, 0.0007, 1.62, 2.62, 92, 46, 137, 100, 5, 400, 300, 200, 24},
    {7, "Соль", 0.000573482, 0.0007, 1.62, 2.62, 91, 46, 137, 100, 5, 400, 300, 200, 24},
    {8, "Крупа гречневая", 0.00075, 0.0009, 1.62, 2.62, 100, 50, 150, 250, 5, 400, 300, 200, 24},
    {9, "Рис", 0.00083018, 0.001, 1.62, 2.62, 103, 52, 155, 200, 5, 400, 300, 200, 15},
    {10, "Мука пшеничная", 0.00131406, 0.0016, 1.62, 2.62, 121, 60, 181, 200, 5, 400, 300, 200, 15},
    {11, "Хлопья овсяные", 0.001500282, 0.0018, 1.62, 2.62, 126, 63, 189, 250, 5, 400, 300, 200,
     12},
    {12, "Крупа манная", 0.00043575, 0.0005, 1.62, 2.62, 83, 42, 125, 100, 5, 400, 300, 200, 28},
};
// clang-format off
const ReferenceRow kReferences[] = {
    {1, "Чай чёрный", {64.75, 42, 86.66666666666667}, {260, 127, 260},
     36, 1799.2688135545282, 1738.8018466463463, -3.477507631177489},
    {2, "Чай зелёный", {67, 38.25, 84}, {336, 154, 336},
     80, 1759.793934157411, 1880.8509022000555, 6.4362873155465214},
    {3, "Кофе молотый", {73.25, 42, 98}, {294, 127, 294},
     36, 1647.5752660888832, 2114.7744415420957, 22.09215159194616},
    {4, "Кофе растворимый", {70.33333333333333, 46.5, 106}, {212, 94, 212},
     12, 1747.6469179889982, 1937.1220298330884, 9.781268754680172},
    {5, "Какао", {76.5, 47.857142857142854, 112}, {336, 154, 336},
     42, 1436.1797455300527, 1842.3916963787449, 22.048077596480123},
    {6, "Сахар", {93, 52.75, 106}, {212, 94, 212},
     8, 1571.227064120944, 1583.7479205559202, 0.7905839226346798},
    {7, "Соль", {93, 52.75, 106}, {212, 94, 212},
     8, 1571.227064120944, 1594.8103772517532, 1.4787534284451338},
    {8, "Крупа гречневая", {73.5, 58.6, 153}, {294, 154, 294},
     20, 1296.9404675028904, 1348.7899538171707, 3.8441483173523485},
    {9, "Рис", {97.66666666666667, 58.8, 153}, {294, 154, 294},
     15, 1199.0856259075492, 1533.1565199927645, 21.789744864848625},
    {10, "Мука пшеничная", {111.66666666666667, 76.5, 168}, {336, 154, 336},
     12, 1012.4034356694585, 1138.8643652884239, 11.10412560734907},
    {11, "Хлопья овсяные", {126, 73.25, 147}, {294, 127, 294},
     8, 1090.4626653738585, 1147.0755233585003, 4.935408073121994},
    {12, "Крупа манная", {76.5, 47.857142857142854, 112}, {336, 154, 336},
     42, 1436.1797455300527, 1786.8310843257984, 19.62420185498689},
};
// clang-format on

TEST(LumarData, TextIsTheResourceFileUnchanged) {
  EXPECT_EQ(LoadLumarText(), testing::ReadBytes(QUELMORA_SOURCE_DIR "/resources/lumardata.json"));
}

TEST(LumarData, DocumentCarriesItsSourceAndLegacySettings) {
  const std::string text = LoadLumarText();
  ASSERT_FALSE(text.starts_with("\xEF\xBB\xBF"));
  const TJsonValue document = ParseJson(text);
  EXPECT_EQ(document.Find("source")->Text, "C:\\lumar\\db\\tea.DB");
  EXPECT_EQ(document.Find("algorithm_source")->Kind, jkString);
  EXPECT_FALSE(document.Find("algorithm_source")->Text.empty());
  const TJsonValue& settings = *document.Find("settings");
  const std::pair<const char*, double> expected[] = {
      {"get_worse_percent", 20}, {"length_gap_mm", 1},      {"width_gap_mm", 1},
      {"pack_flap_mm", 20},      {"pack_price_per_m2", 10}, {"board_price_per_m2", 12},
      {"board_thickness_mm", 3},
  };
  EXPECT_EQ(settings.Members.size(), std::size(expected));
  for (const auto& [key, value] : expected) {
    ASSERT_NE(settings.Find(key), nullptr) << key;
    EXPECT_EQ(settings.Find(key)->Number, value) << key;
  }
  EXPECT_EQ(document.Find("rows")->Items.size(), 12u);
  EXPECT_EQ(document.Find("reference_results")->Items.size(), 12u);
}

TEST(LumarData, ProjectHoldsTheTwelveProductsExactly) {
  const TProjectData project = LoadLumarProject();
  ASSERT_EQ(project.Products.size(), std::size(kProducts));
  for (size_t i = 0; i < std::size(kProducts); ++i) {
    const ProductRow& r = kProducts[i];
    TProduct expected;
    expected.Id = r.id;
    expected.Name = r.name;
    expected.MinVolumeM3 = r.vmin;
    expected.MaxVolumeM3 = r.vmax;
    expected.RatioLB = r.ml;
    expected.RatioHB = r.mh;
    expected.OriginalLengthMM = r.sl;
    expected.OriginalWidthMM = r.sb;
    expected.OriginalHeightMM = r.sh;
    expected.ProductWeightG = r.sw;
    expected.MaxBoxWeightKG = r.wmax;
    expected.OriginalBoxLengthMM = r.l0;
    expected.OriginalBoxWidthMM = r.b0;
    expected.OriginalBoxHeightMM = r.h0;
    expected.OriginalBoxCount = static_cast<int32_t>(r.n0);
    expected.Enabled = true;
    EXPECT_EQ(project.Products[i], expected) << "product " << r.id;
  }
  EXPECT_EQ(project.Products[0].Name, "Чай чёрный");
  EXPECT_EQ(project.Products[0].OriginalBoxCount, 88);
  EXPECT_EQ(project.Products[0].RatioLB, 1.62);
}

TEST(LumarData, ProjectHasTheFixedSettingsAndCriterion) {
  const TProjectData project = LoadLumarProject();
  TOptimizationSettings expected = DefaultSettings();
  expected.DimensionDeviationMinPercent = -50;
  expected.DimensionDeviationMaxPercent = 100;
  expected.LengthGapMM = 1;
  expected.WidthGapMM = 1;
  expected.CardboardPricePerM2 = 12;
  expected.PackMaterialPricePerM2 = 10;
  expected.CurrencySymbol = "$";
  expected.MaxPackVariantsPerProduct = 15;
  expected.MaxResultsPerProduct = 8;
  expected.MaxPacksPerBox = 36;
  expected.MaxCountPerAxis = 6;
  expected.MaxGeometryEvaluations = 3000;
  // The rest of the list equals the defaults already.
  EXPECT_EQ(expected.FlapMM, 20);
  EXPECT_EQ(expected.BoxGlueFlapMM, 40);
  EXPECT_EQ(expected.BoardThicknessMM, 3);
  EXPECT_EQ(expected.TargetUnifiedBoxCount, 3);
  EXPECT_EQ(project.Settings, expected);
  EXPECT_EQ(project.OptimizationCriterion, ckCostPerVolume);
}

TEST(LumarData, SampleProjectIsValidAndSurvivesTheProjectFile) {
  const TProjectData project = LoadLumarProject();
  EXPECT_NO_THROW(ValidateProject(project.Products, project.Settings));
  testing::TTempFolder folder;
  const std::string path = folder.File("sample.vld");
  SaveProject(path, project);
  EXPECT_EQ(LoadProject(path), project);
}

TEST(LumarData, ReferencesAreExactAndInOrder) {
  const std::vector<TLumarReference> references = LoadLumarReferences();
  ASSERT_EQ(references.size(), std::size(kReferences));
  for (size_t i = 0; i < std::size(kReferences); ++i) {
    const ReferenceRow& r = kReferences[i];
    TLumarReference expected;
    expected.ProductId = r.id;
    expected.Name = r.name;
    expected.PackLengthMM = r.pack[0];
    expected.PackWidthMM = r.pack[1];
    expected.PackHeightMM = r.pack[2];
    expected.BoxInnerLengthMM = r.boxInner[0];
    expected.BoxInnerWidthMM = r.boxInner[1];
    expected.BoxInnerHeightMM = r.boxInner[2];
    expected.PacksPerBox = static_cast<int32_t>(r.packsPerBox);
    expected.CostPerM3 = r.cost;
    expected.OriginalCostPerM3 = r.originalCost;
    expected.SavingPercent = r.saving;
    EXPECT_EQ(references[i], expected) << "reference " << r.id;
  }
}

struct FindCase {
  int32_t id;
  bool found;
  const char* name;
};
std::ostream& operator<<(std::ostream& os, const FindCase& c) {
  return os << "Id " << c.id;
}

class FindLumarReferenceById : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindLumarReferenceById, MatchesByIdAlone) {
  TLumarReference reference;
  reference.Name = "stale";
  reference.PacksPerBox = 9;
  EXPECT_EQ(FindLumarReference(GetParam().id, reference), GetParam().found);
  EXPECT_EQ(reference.Name, GetParam().name);
  if (GetParam().found)
    EXPECT_EQ(reference.ProductId, GetParam().id);
  else
    EXPECT_EQ(reference, TLumarReference());  // all zero, also the stale fields
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindLumarReferenceById,
    ::testing::Values(FindCase{1, true, "Чай чёрный"}, FindCase{3, true, "Кофе молотый"},
                      FindCase{5, true, "Какао"}, FindCase{12, true, "Крупа манная"},
                      FindCase{0, false, ""}, FindCase{13, false, ""}, FindCase{-1, false, ""},
                      FindCase{2147483647, false, ""}));

struct NamedFindCase {
  int32_t id;
  const char* name;
  bool found;
};
std::ostream& operator<<(std::ostream& os, const NamedFindCase& c) {
  return os << "Id " << c.id << " " << c.name;
}

class FindLumarReferenceByIdAndName : public ::testing::TestWithParam<NamedFindCase> {};

// Products 1-12 of any project are not the sample's unless named alike.
TEST_P(FindLumarReferenceByIdAndName, NeedsBoth) {
  TLumarReference reference;
  reference.PacksPerBox = 9;
  EXPECT_EQ(FindLumarReference(GetParam().id, GetParam().name, reference), GetParam().found);
  if (GetParam().found) {
    EXPECT_EQ(reference.ProductId, GetParam().id);
    EXPECT_EQ(reference.Name, GetParam().name);
  } else {
    EXPECT_EQ(reference, TLumarReference());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindLumarReferenceByIdAndName,
    ::testing::Values(NamedFindCase{1, "Чай чёрный", true}, NamedFindCase{1, "Чай", false},
                      NamedFindCase{1, "чай чёрный", false}, NamedFindCase{1, "Чай чёрный ", false},
                      NamedFindCase{2, "Чай чёрный", false}, NamedFindCase{13, "", false},
                      NamedFindCase{0, "", false}));

// The sample keeps its comparison on every product.
TEST(FindLumarReference, EverySampleProductFindsItsOwn) {
  for (const TProduct& product : LoadLumarProject().Products) {
    TLumarReference reference;
    EXPECT_TRUE(FindLumarReference(product.Id, product.Name, reference)) << product.Name;
  }
}

TEST(FindLumarReference, CocoaHasItsBoxAndPackCount) {
  TLumarReference cocoa;
  ASSERT_TRUE(FindLumarReference(5, cocoa));
  EXPECT_EQ(cocoa.PacksPerBox, 42);
  EXPECT_EQ(cocoa.BoxInnerLengthMM, 336);
  EXPECT_EQ(cocoa.PackWidthMM, 47.857142857142854);
}

TEST(FindLumarReference, SafeFromManyThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> hits(16, 0);
  for (size_t t = 0; t < hits.size(); ++t)
    threads.emplace_back([t, &hits] {
      for (int32_t id = 0; id <= 13; ++id) {
        TLumarReference r;
        if (FindLumarReference(id, r) && r.ProductId == id) ++hits[t];
      }
    });
  for (std::thread& t : threads)
    t.join();
  for (int h : hits)
    EXPECT_EQ(h, 12);
}

}  // namespace
}  // namespace quelmora
