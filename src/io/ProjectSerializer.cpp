#include "io/ProjectSerializer.h"

#include <cmath>
#include <unordered_set>

#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "model/Validation.h"

namespace quelmora {

namespace {

constexpr int32_t kProjectVersion = 1;
constexpr int32_t kMaxCriterion = ckCombined;
constexpr int32_t kMaxVolumeMismatchMode = Ask;

// What names the member at fault (or the file, when it is no JSON at all).
[[noreturn]] void RaiseInvalidFile(std::string_view what) {
  throw Exception(TErrorKind::InvalidInput, SInvalidFile, {what}).AtMember(std::string(what));
}

TJsonValue ProductToJson(const TProduct& product) {
  TJsonValue object = JsonObject();
  AddJsonNumber(object, "Id", product.Id);
  AddJsonBool(object, "Enabled", product.Enabled);
  for (const TProductField& field : ProductFields) {
    if (field.IsText())
      object.Add(field.Key, JsonString(product.*field.Text));
    else
      AddJsonNumber(object, field.Key, ReadNumericField(product, field));
  }
  return object;
}

TJsonValue SettingsToJson(const TOptimizationSettings& settings) {
  TJsonValue object = JsonObject();
  for (const TSettingsField& field : SettingsFields)
    AddJsonNumber(object, field.Key, ReadNumericField(settings, field));
  AddJsonBool(object, "SortBoxes", settings.SortBoxes);
  AddJsonBool(object, "AllowOversizeBoxes", settings.AllowOversizeBoxes);
  AddJsonNumber(object, "VolumeMismatchMode", settings.VolumeMismatchMode);
  object.Add("CurrencySymbol", JsonString(settings.CurrencySymbol));
  return object;
}

TProduct ProductFromJson(const TJsonValue& object) {
  TProduct product;
  product.Id = ReadJsonCount(object, "Id");
  product.Enabled = ReadJsonBool(object, "Enabled");
  for (const TProductField& field : ProductFields) {
    if (field.IsText())
      product.*field.Text = ReadJsonText(object, field.Key);
    else
      WriteNumericField(product, field, ReadJsonNumber(object, field.Key));
  }
  return product;
}

TOptimizationSettings SettingsFromJson(const TJsonValue& object) {
  // Numeric settings may be left out; the flags, the mode and the currency may not.
  TOptimizationSettings settings = DefaultSettings();
  for (const TSettingsField& field : SettingsFields)
    if (object.Find(field.Key))
      WriteNumericField(settings, field, ReadJsonNumber(object, field.Key));
  settings.SortBoxes = ReadJsonBool(object, "SortBoxes");
  settings.AllowOversizeBoxes = ReadJsonBool(object, "AllowOversizeBoxes");
  settings.CurrencySymbol = ReadJsonText(object, "CurrencySymbol");
  const int32_t mode = ReadJsonCount(object, "VolumeMismatchMode");
  if (mode > kMaxVolumeMismatchMode) RaiseInvalidFile("VolumeMismatchMode");
  settings.VolumeMismatchMode = static_cast<TVolumeMismatchMode>(mode);
  return settings;
}

TJsonValue SolutionToJson(const TOptimizationSolution& s) {
  TJsonValue object = JsonObject();
  AddJsonNumber(object, "ProductId", s.ProductId);
  AddJsonNumber(object, "PackLengthMM", s.Pack.LengthMM);
  AddJsonNumber(object, "PackWidthMM", s.Pack.WidthMM);
  AddJsonNumber(object, "PackHeightMM", s.Pack.HeightMM);
  AddJsonNumber(object, "PackVolumeM3", s.Pack.VolumeM3);
  AddJsonNumber(object, "BoxLengthMM", s.Box.LengthMM);
  AddJsonNumber(object, "BoxWidthMM", s.Box.WidthMM);
  AddJsonNumber(object, "BoxHeightMM", s.Box.HeightMM);
  AddJsonNumber(object, "PackCount", s.Box.PackCount);
  AddJsonNumber(object, "CountX", s.Box.PackPlacement.CountX);
  AddJsonNumber(object, "CountY", s.Box.PackPlacement.CountY);
  AddJsonNumber(object, "CountZ", s.Box.PackPlacement.CountZ);
  AddJsonNumber(object, "Orientation", s.Box.PackPlacement.Orientation);
  AddJsonNumber(object, "GrossWeightKG", s.Box.GrossWeightKG);
  AddJsonNumber(object, "BoxCost", s.Box.BoxCost);
  AddJsonNumber(object, "BlankAreaM2", s.Box.BlankAreaM2);
  AddJsonNumber(object, "PalletCount", s.Box.PalletCount);
  AddJsonNumber(object, "PackagingCostPerM3", s.Box.PackagingCostPerM3);
  AddJsonNumber(object, "SavingPercent", s.SavingPercent);
  AddJsonNumber(object, "UnifiedGroupId", s.UnifiedGroupId);
  AddJsonNumber(object, "Score", s.Box.Score);
  return object;
}

}  // namespace

const TJsonValue& RequireValue(const TJsonValue& Object, std::string_view Key) {
  const TJsonValue* value = Object.Find(Key);
  if (!value) RaiseInvalidFile(Key);
  return *value;
}

double ReadJsonNumber(const TJsonValue& Object, std::string_view Key) {
  const TJsonValue& value = RequireValue(Object, Key);
  if (value.Kind != jkNumber || !std::isfinite(value.Number)) RaiseInvalidFile(Key);
  return value.Number;
}

int32_t ReadJsonCount(const TJsonValue& Object, std::string_view Key) {
  const double value = ReadJsonNumber(Object, Key);
  if (value != std::trunc(value) || value < 0 || value > 2147483647.0) RaiseInvalidFile(Key);
  return static_cast<int32_t>(value);
}

std::string ReadJsonText(const TJsonValue& Object, std::string_view Key) {
  const TJsonValue& value = RequireValue(Object, Key);
  if (value.Kind != jkString && value.Kind != jkNumber) RaiseInvalidFile(Key);
  return value.Text;
}

bool ReadJsonBool(const TJsonValue& Object, std::string_view Key) {
  const TJsonValue& value = RequireValue(Object, Key);
  if (value.Kind == jkTrue) return true;
  if (value.Kind == jkFalse) return false;
  if (value.Kind == jkString) {
    if (value.Text == "true") return true;
    if (value.Text == "false") return false;
  }
  RaiseInvalidFile(Key);
}

void AddJsonNumber(TJsonValue& Object, std::string_view Key, double Value) {
  Object.Add(Key, JsonNumber(Value));
}

void AddJsonBool(TJsonValue& Object, std::string_view Key, bool Value) {
  Object.Add(Key, JsonBool(Value));
}

void SaveProject(const std::string& FileName, const TProjectData& Project) {
  ValidateSettings(Project.Settings);
  for (const TProduct& product : Project.Products)
    ValidateProduct(product);
  // Refused as loading refuses it: a file that could not be opened again.
  std::unordered_set<int32_t> ids;
  for (size_t i = 0; i < Project.Products.size(); ++i)
    if (!ids.insert(Project.Products[i].Id).second)
      throw Exception(TErrorKind::InvalidInput, SInvalidFile, {"Duplicate Product.Id"})
          .AtMember(Format("Products[%zu].Duplicate Product.Id", i))
          .InFile(FileName);

  TJsonValue root = JsonObject();
  AddJsonNumber(root, "Version", kProjectVersion);
  AddJsonNumber(root, "OptimizationCriterion", Project.OptimizationCriterion);
  TJsonValue& products = root.Add("Products", JsonArray());
  for (const TProduct& product : Project.Products)
    products.Append(ProductToJson(product));
  root.Add("Settings", SettingsToJson(Project.Settings));
  WriteUtf8TextFile(FileName, WriteJson(root));
}

namespace {

TProjectData ProjectFromText(const std::string& text, const std::string& FileName) {
  TJsonValue root;
  try {
    root = ParseJson(text);
  } catch (const Exception& e) {
    if (e.Kind() != TErrorKind::JsonSyntax) throw;
    // The reader's text is "<what> at byte N": N is what a person can look up.
    const int64_t byte = e.Args().size() == 2 ? e.Args()[1].Integer() : 0;
    throw Exception(TErrorKind::InvalidInput, SInvalidFileAtByte, {FileName, byte});
  }
  if (!root.IsObject()) throw Exception(TErrorKind::InvalidInput, SInvalidFile, {FileName});

  TProjectData project;
  if (ReadJsonCount(root, "Version") != kProjectVersion)
    throw Exception(TErrorKind::InvalidInput, SUnsupportedProjectVersion).AtMember("Version");

  const int32_t criterion = ReadJsonCount(root, "OptimizationCriterion");
  if (criterion > kMaxCriterion) RaiseInvalidFile("OptimizationCriterion");
  project.OptimizationCriterion = static_cast<TCriterionKind>(criterion);

  const TJsonValue& products = RequireValue(root, "Products");
  if (!products.IsArray()) RaiseInvalidFile("Products");
  project.Products.reserve(products.Items.size());
  std::unordered_set<int32_t> ids;
  for (size_t i = 0; i < products.Items.size(); ++i) {
    try {
      const TJsonValue& item = products.Items[i];
      if (!item.IsObject()) RaiseInvalidFile("Product");
      TProduct product = ProductFromJson(item);
      ValidateProduct(product);
      if (!ids.insert(product.Id).second) RaiseInvalidFile("Duplicate Product.Id");
      project.Products.push_back(std::move(product));
    } catch (Exception& e) {
      const std::string member = e.Place().Member.empty() ? e.Place().Field : e.Place().Member;
      throw std::move(e).AtMember(Format("Products[%zu]", i) + (member.empty() ? "" : ".") +
                                  member);
    }
  }

  const TJsonValue& settings = RequireValue(root, "Settings");
  if (!settings.IsObject()) RaiseInvalidFile("Settings");
  project.Settings = SettingsFromJson(settings);
  ValidateSettings(project.Settings);
  return project;
}

}  // namespace

TProjectData LoadProject(const std::string& FileName) {
  const std::string text = ReadUtf8TextFile(FileName);
  try {
    return ProjectFromText(text, FileName);
  } catch (Exception& e) {
    throw std::move(e).InFile(FileName);
  }
}

void SaveResultJson(const std::string& FileName, const TOptimizationResult& Result) {
  TJsonValue root = JsonObject();
  AddJsonNumber(root, "Version", 1);
  AddJsonBool(root, "Cancelled", Result.Cancelled);
  AddJsonNumber(root, "AverageCostPerM3", Result.AverageCostPerM3);
  AddJsonNumber(root, "OriginalAverageCostPerM3", Result.OriginalAverageCostPerM3);
  TJsonValue& solutions = root.Add("Solutions", JsonArray());
  for (const TOptimizationSolution& solution : Result.Solutions)
    solutions.Append(SolutionToJson(solution));
  WriteUtf8TextFile(FileName, WriteJson(root));
}

}  // namespace quelmora
