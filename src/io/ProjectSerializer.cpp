#include "io/ProjectSerializer.h"

#include <cmath>
#include <new>
#include <unordered_set>

#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
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
constexpr int32_t kMaxPalletMethod = pmBestLayer;

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
  const TOptimizationSettings defaults = DefaultSettings();
  TJsonValue object = JsonObject();
  for (const TSettingsField& field : SettingsFields) {
    const double value = ReadNumericField(settings, field);
    if (field.OmitAtDefault && value == ReadNumericField(defaults, field)) continue;
    AddJsonNumber(object, field.Key, value);
  }
  AddJsonBool(object, "SortBoxes", settings.SortBoxes);
  AddJsonBool(object, "AllowOversizeBoxes", settings.AllowOversizeBoxes);
  AddJsonNumber(object, "VolumeMismatchMode", settings.VolumeMismatchMode);
  object.Add("CurrencySymbol", JsonString(settings.CurrencySymbol));
  // Came later than the keys above: only when not the default.
  if (settings.PalletMethod != defaults.PalletMethod)
    AddJsonNumber(object, "PalletMethod", settings.PalletMethod);
  if (settings.LimitLayersToStrength != defaults.LimitLayersToStrength)
    AddJsonBool(object, "LimitLayersToStrength", settings.LimitLayersToStrength);
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
  if (object.Find("PalletMethod")) {
    const int32_t method = ReadJsonCount(object, "PalletMethod");
    if (method > kMaxPalletMethod) RaiseInvalidFile("PalletMethod");
    settings.PalletMethod = static_cast<TPalletMethod>(method);
  }
  if (object.Find("LimitLayersToStrength"))
    settings.LimitLayersToStrength = ReadJsonBool(object, "LimitLayersToStrength");
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

TJsonValue StrengthToJson(const TStrengthRecord& s) {
  TJsonValue object = JsonObject();
  AddJsonNumber(object, "McKeeN", s.McKeeN);
  AddJsonNumber(object, "ReducedN", s.ReducedN);
  AddJsonNumber(object, "LoadN", s.LoadN);
  AddJsonNumber(object, "SafetyFactor", s.SafetyFactor);
  AddJsonNumber(object, "Required", s.Required);
  AddJsonNumber(object, "SafeLayers", s.SafeLayers);
  AddJsonBool(object, "Safe", s.Safe);
  return object;
}

// The project document, handed to Write in pieces of about kPieceBytes: the
// same bytes as one tree written whole, without ever holding them all.
constexpr size_t kPieceBytes = size_t{64} << 10;

void WriteProjectText(const TProjectData& project, const TByteSink& write) {
  std::string out = "{";
  const auto addKey = [&](std::string_view key) {
    AppendJsonString(out, key);
    out += ':';
  };
  addKey("Version");
  out += FormatJsonNumber(kProjectVersion);
  out += ',';
  addKey("OptimizationCriterion");
  out += FormatJsonNumber(project.OptimizationCriterion);
  out += ',';
  addKey("Products");
  out += '[';
  for (size_t i = 0; i < project.Products.size(); ++i) {
    if (i > 0) out += ',';
    AppendJson(out, ProductToJson(project.Products[i]));
    if (out.size() >= kPieceBytes) {
      write(out);
      out.clear();
    }
  }
  out += "],";
  addKey("Settings");
  AppendJson(out, SettingsToJson(project.Settings));
  out += '}';
  write(out);
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

namespace {

void CheckAndSaveProject(const std::string& FileName, const TProjectData& Project) {
  ValidateSettings(Project.Settings);
  for (const TProduct& product : Project.Products)
    ValidateProduct(product);
  // Refused as loading refuses it: a file that could not be opened again.
  std::unordered_set<int32_t> ids;
  for (size_t i = 0; i < Project.Products.size(); ++i)
    if (!ids.insert(Project.Products[i].Id).second)
      throw Exception(TErrorKind::InvalidInput, SInvalidFile,
                      {TFormatArg::Key(SDuplicateProductId)})
          .AtMember(Format("Products[%zu].%s", i, SDuplicateProductId))
          .InFile(FileName)
          .WithFound(std::to_string(Project.Products[i].Id));
  WriteUtf8TextFileInPieces(FileName,
                            [&](const TByteSink& write) { WriteProjectText(Project, write); });
}

}  // namespace

void SaveProject(const std::string& FileName, const TProjectData& Project) {
  try {
    CheckAndSaveProject(FileName, Project);
  } catch (Exception& e) {
    throw std::move(e).InFile(FileName);
  } catch (const std::bad_alloc&) {
    throw Exception(TErrorKind::OutOfMemory, SNoMemoryToSaveProject,
                    {FileName, Project.Products.size()})
        .InFile(FileName);
  }
}

namespace {

// The first occurrence of each of Keys among the members of an object, as a
// tree the member readers take (arrays and objects left empty), and, when
// asked for, the text of each value found (empty for a key not there).
TJsonValue KnownMembers(std::string_view objectText, const std::vector<std::string_view>& keys,
                        std::vector<std::string_view>* texts = nullptr) {
  TJsonValue object = JsonObject();
  std::vector<bool> seen(keys.size());
  if (texts) texts->assign(keys.size(), std::string_view());
  ForEachJsonMember(objectText, [&](std::string_view key, std::string_view value) {
    for (size_t k = 0; k < keys.size(); ++k) {
      if (seen[k] || keys[k] != key) continue;
      seen[k] = true;
      object.Add(key, ParseJsonScalar(value));
      if (texts) (*texts)[k] = value;
      return;
    }
  });
  return object;
}

const std::vector<std::string_view>& ProductKeys() {
  static const std::vector<std::string_view> keys = [] {
    std::vector<std::string_view> k = {"Id", "Enabled"};
    for (const TProductField& field : ProductFields)
      k.push_back(field.Key);
    return k;
  }();
  return keys;
}

const std::vector<std::string_view>& SettingsKeys() {
  static const std::vector<std::string_view> keys = [] {
    std::vector<std::string_view> k = {"SortBoxes", "AllowOversizeBoxes", "VolumeMismatchMode",
                                       "CurrencySymbol"};
    for (const TSettingsField& field : SettingsFields)
      k.push_back(field.Key);
    // Written only when not the default.
    k.push_back("PalletMethod");
    k.push_back("LimitLayersToStrength");
    return k;
  }();
  return keys;
}

// Only the members the project uses are read, each straight into its
// record, so memory grows with the products and not with whatever else the
// file holds. The order of the checks is that of a whole-document reader:
// syntax anywhere, then version, criterion, products, settings.
TProjectData ProjectFromText(std::string_view text, const std::string& FileName) {
  try {
    CheckJson(text);
  } catch (const Exception& e) {
    if (e.Kind() != TErrorKind::JsonSyntax) throw;
    // The reader's text is "<what> at byte N": N is what a person can look up.
    const int64_t byte = e.Args().size() == 2 ? e.Args()[1].Integer() : 0;
    throw Exception(TErrorKind::InvalidInput, SInvalidFileAtByte, {FileName, byte}).AtByte(byte);
  }
  if (JsonKindOf(text) != jkObject)
    throw Exception(TErrorKind::InvalidInput, SInvalidFile, {FileName});

  enum { kProducts, kSettings };
  std::vector<std::string_view> texts;
  const TJsonValue root =
      KnownMembers(text, {"Products", "Settings", "Version", "OptimizationCriterion"}, &texts);

  TProjectData project;
  const int32_t version = ReadJsonCount(root, "Version");
  if (version != kProjectVersion)
    throw Exception(TErrorKind::InvalidInput, SUnsupportedProjectVersion)
        .AtMember("Version")
        .WithFound(std::to_string(version))
        .WithExpected(std::to_string(kProjectVersion));

  const int32_t criterion = ReadJsonCount(root, "OptimizationCriterion");
  if (criterion > kMaxCriterion) RaiseInvalidFile("OptimizationCriterion");
  project.OptimizationCriterion = static_cast<TCriterionKind>(criterion);

  if (!RequireValue(root, "Products").IsArray()) RaiseInvalidFile("Products");
  size_t count = 0;
  ForEachJsonItem(texts[kProducts], [&](std::string_view) { ++count; });
  project.Products.reserve(count);
  std::unordered_set<int32_t> ids;
  size_t i = 0;
  ForEachJsonItem(texts[kProducts], [&](std::string_view item) {
    try {
      if (JsonKindOf(item) != jkObject) RaiseInvalidFile("Product");
      TProduct product = ProductFromJson(KnownMembers(item, ProductKeys()));
      ValidateProduct(product);
      if (!ids.insert(product.Id).second)
        throw Exception(TErrorKind::InvalidInput, SInvalidFile,
                        {TFormatArg::Key(SDuplicateProductId)})
            .AtMember(SDuplicateProductId)
            .WithFound(std::to_string(product.Id));
      project.Products.push_back(std::move(product));
    } catch (Exception& e) {
      const std::string member = e.Place().Member.empty() ? e.Place().Field : e.Place().Member;
      throw std::move(e).AtMember(Format("Products[%zu]", i) + (member.empty() ? "" : ".") +
                                  member);
    }
    ++i;
  });

  if (!RequireValue(root, "Settings").IsObject()) RaiseInvalidFile("Settings");
  project.Settings = SettingsFromJson(KnownMembers(texts[kSettings], SettingsKeys()));
  ValidateSettings(project.Settings);
  return project;
}

}  // namespace

TProjectData LoadProject(const std::string& FileName) {
  try {
    const std::string text = ReadUtf8TextFile(FileName);
    return ProjectFromText(text, FileName);
  } catch (Exception& e) {
    throw std::move(e).InFile(FileName);
  } catch (const std::bad_alloc&) {
    throw Exception(TErrorKind::OutOfMemory, SNoMemoryToReadProject,
                    {FileName, FileMegabytes(FileName)})
        .InFile(FileName);
  }
}

void SaveResultJson(const std::string& FileName, const TOptimizationResult& Result,
                    const std::vector<TStrengthRecord>& Strengths) {
  if (!Strengths.empty() && Strengths.size() != Result.Solutions.size())
    throw Exception(TErrorKind::Internal, SStrengthsMismatch);
  TJsonValue root = JsonObject();
  AddJsonNumber(root, "Version", 1);
  AddJsonBool(root, "Cancelled", Result.Cancelled);
  AddJsonNumber(root, "AverageCostPerM3", Result.AverageCostPerM3);
  AddJsonNumber(root, "OriginalAverageCostPerM3", Result.OriginalAverageCostPerM3);
  TJsonValue& solutions = root.Add("Solutions", JsonArray());
  for (size_t i = 0; i < Result.Solutions.size(); ++i) {
    TJsonValue& solution = solutions.Append(SolutionToJson(Result.Solutions[i]));
    if (!Strengths.empty()) solution.Add("Strength", StrengthToJson(Strengths[i]));
  }
  WriteUtf8TextFile(FileName, WriteJson(root));
}

}  // namespace quelmora
