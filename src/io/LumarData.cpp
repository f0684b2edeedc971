#include "io/LumarData.h"

#include <cmath>
#include <cstddef>

#include "io/Json.h"

// Generated at build time from resources/lumardata.json.
extern const unsigned char QuelmoraLumarData[];
extern const std::size_t QuelmoraLumarDataSize;

namespace quelmora {

namespace {

// The document is fixed and known to be well formed, so absent members read
// as zero instead of raising.
double NumberOf(const TJsonValue* value) {
  return value && value->Kind == jkNumber ? value->Number : 0;
}

double Member(const TJsonValue& object, std::string_view key) {
  return NumberOf(object.Find(key));
}

std::string TextOf(const TJsonValue& object, std::string_view key) {
  const TJsonValue* value = object.Find(key);
  return value ? value->Text : std::string();
}

int32_t IntegerPart(double value) {
  return static_cast<int32_t>(std::trunc(value));
}

// The element of a three-number array member.
double Element(const TJsonValue& object, std::string_view key, size_t index) {
  const TJsonValue* array = object.Find(key);
  if (!array || !array->IsArray() || index >= array->Items.size()) return 0;
  return NumberOf(&array->Items[index]);
}

const std::vector<TJsonValue>& ArrayOf(std::string_view key) {
  static const TJsonValue document = ParseJson(LoadLumarText());
  static const std::vector<TJsonValue> empty;
  const TJsonValue* array = document.Find(key);
  return array && array->IsArray() ? array->Items : empty;
}

std::vector<TLumarReference> BuildReferences() {
  std::vector<TLumarReference> references;
  int32_t id = 0;
  for (const TJsonValue& item : ArrayOf("reference_results")) {
    TLumarReference r;
    r.ProductId = ++id;
    r.Name = TextOf(item, "name");
    r.PackLengthMM = Element(item, "pack_mm", 0);
    r.PackWidthMM = Element(item, "pack_mm", 1);
    r.PackHeightMM = Element(item, "pack_mm", 2);
    r.BoxInnerLengthMM = Element(item, "box_inner_mm", 0);
    r.BoxInnerWidthMM = Element(item, "box_inner_mm", 1);
    r.BoxInnerHeightMM = Element(item, "box_inner_mm", 2);
    r.PacksPerBox = IntegerPart(Member(item, "packs_per_box"));
    r.CostPerM3 = Member(item, "cost_per_m3");
    r.OriginalCostPerM3 = Member(item, "original_cost_per_m3");
    r.SavingPercent = Member(item, "saving_percent");
    references.push_back(std::move(r));
  }
  return references;
}

const std::vector<TLumarReference>& CachedReferences() {
  static const std::vector<TLumarReference> references = BuildReferences();
  return references;
}

}  // namespace

std::string LoadLumarText() {
  return std::string(reinterpret_cast<const char*>(QuelmoraLumarData), QuelmoraLumarDataSize);
}

TProjectData LoadLumarProject() {
  TProjectData project;
  // Fixed here rather than read from the document's own settings member.
  TOptimizationSettings& s = project.Settings;
  s = DefaultSettings();
  s.DimensionDeviationMinPercent = -50;
  s.DimensionDeviationMaxPercent = 100;
  s.LengthGapMM = 1;
  s.WidthGapMM = 1;
  s.FlapMM = 20;
  s.BoxGlueFlapMM = 40;
  s.MaxPalletHeightMM = 1800;
  s.CardboardPricePerM2 = 12;
  s.PackMaterialPricePerM2 = 10;
  s.PalletLengthMM = 1200;
  s.PalletWidthMM = 800;
  s.BoardThicknessMM = 3;
  s.CurrencySymbol = std::string("$");  // not the char* assign: GCC 12 warns falsely (-Wrestrict)
  s.MaxPackVariantsPerProduct = 15;
  s.MaxResultsPerProduct = 8;
  s.MaxPacksPerBox = 36;
  s.MaxCountPerAxis = 6;
  s.MaxGeometryEvaluations = 3000;
  s.TargetUnifiedBoxCount = 3;
  project.OptimizationCriterion = ckCostPerVolume;

  int32_t id = 0;
  for (const TJsonValue& row : ArrayOf("rows")) {
    TProduct p;
    p.Id = ++id;
    p.Name = TextOf(row, "Name");
    p.MinVolumeM3 = Member(row, "Vmin");
    p.MaxVolumeM3 = Member(row, "Vmax");
    p.RatioLB = Member(row, "Ml");
    p.RatioHB = Member(row, "Mh");
    p.OriginalLengthMM = Member(row, "SL");
    p.OriginalWidthMM = Member(row, "SB");
    p.OriginalHeightMM = Member(row, "SH");
    p.ProductWeightG = Member(row, "SW");
    p.MaxBoxWeightKG = Member(row, "Wmax");
    p.OriginalBoxLengthMM = Member(row, "L0");
    p.OriginalBoxWidthMM = Member(row, "B0");
    p.OriginalBoxHeightMM = Member(row, "H0");
    p.OriginalBoxCount = IntegerPart(Member(row, "N0"));
    p.Enabled = true;
    project.Products.push_back(std::move(p));
  }
  return project;
}

std::vector<TLumarReference> LoadLumarReferences() {
  return CachedReferences();
}

bool FindLumarReference(int32_t ProductId, TLumarReference& Reference) {
  for (const TLumarReference& r : CachedReferences()) {
    if (r.ProductId == ProductId) {
      Reference = r;
      return true;
    }
  }
  Reference = TLumarReference();
  return false;
}

bool FindLumarReference(int32_t ProductId, std::string_view Name, TLumarReference& Reference) {
  if (FindLumarReference(ProductId, Reference) && Reference.Name == Name) return true;
  Reference = TLumarReference();
  return false;
}

}  // namespace quelmora
