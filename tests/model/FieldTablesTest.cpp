#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "model/Validation.h"
#include "support/ExpectError.h"

namespace quelmora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The keys as project files and CSV headers have always carried them.
const std::vector<std::string_view> WrittenSettingsKeys = {
    "DimensionDeviationMinPercent",
    "DimensionDeviationMaxPercent",
    "LengthGapMM",
    "WidthGapMM",
    "FlapMM",
    "MaxPalletHeightMM",
    "CardboardPricePerM2",
    "PackMaterialPricePerM2",
    "PalletLengthMM",
    "PalletWidthMM",
    "PackDimensionStepMM",
    "BoxUnificationToleranceMM",
    "BoardThicknessMM",
    "CardboardGramsPerM2",
    "PackMaterialGramsPerM2",
    "MaxBoxHeightMM",
    "WeightCost",
    "WeightDimension",
    "WeightRatio",
    "WeightFill",
    "WeightPallet",
    "WeightUnification",
    "MaxPackVariantsPerProduct",
    "MaxResultsPerProduct",
    "MaxPacksPerBox",
    "MaxCountPerAxis",
    "MaxGeometryEvaluations",
    "BoxGlueFlapMM",
    "TargetUnifiedBoxCount",
    // The pallet's own sizes and limits, written only when not the default.
    "PalletHeightMM",
    "PalletWeightKG",
    "MaxLoadedPalletWeightKG",
    "PalletOverhangMM",
    // The box strength check, written only when not the default.
    "EdgeCrushKNPerM",
    "StorageHumidityPercent",
    "DaysUnderLoad",
    "StackedPallets",
    "RequiredSafetyFactor",
};
const std::vector<std::string_view> WrittenProductKeys = {
    "MinVolumeM3",
    "MaxVolumeM3",
    "RatioLB",
    "RatioHB",
    "Name",
    "OriginalLengthMM",
    "OriginalWidthMM",
    "OriginalHeightMM",
    "ProductWeightG",
    "MaxBoxWeightKG",
    "OriginalBoxLengthMM",
    "OriginalBoxWidthMM",
    "OriginalBoxHeightMM",
    "OriginalBoxCount",
};

// The validation rules as they were written before the tables, kept as the
// reference the table-driven rules must match.
bool OldIsFiniteIn(double v, double low, double high) {
  return std::isfinite(v) && v >= low && v <= high;
}

bool OldIsSettingsFieldValid(const TOptimizationSettings& s, int index, double v) {
  switch (index) {
    case 0:
    case 1:
      return OldIsFiniteIn(v, -100, 100) && v > -100 &&
             s.DimensionDeviationMaxPercent >= s.DimensionDeviationMinPercent;
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 15:
      return OldIsFiniteIn(v, 0, 1000000) && v > 0;
    case 10:
      return OldIsFiniteIn(v, 0.01, 1000000);
    case 22:
      return OldIsFiniteIn(v, 1, 2000);
    case 23:
      return OldIsFiniteIn(v, 1, 200);
    case 24:
      return OldIsFiniteIn(v, 1, 1000);
    case 25:
    case 28:
      return OldIsFiniteIn(v, 1, 50);
    case 26:
      return OldIsFiniteIn(v, 100, 1000000);
    // The pallet settings came after the tables; their rules as first written.
    case 29:
      return OldIsFiniteIn(v, 0, 2000);
    case 30:
      return OldIsFiniteIn(v, 0, 5000);
    case 31:
      return OldIsFiniteIn(v, 0, 100000);
    case 32:
      return OldIsFiniteIn(v, 0, 1000);
    // The strength check's, likewise.
    case 33:
      return OldIsFiniteIn(v, 0, 100);
    case 34:
      return OldIsFiniteIn(v, 0, 100);
    case 35:
      return OldIsFiniteIn(v, 0, 36500);
    case 36:
      return OldIsFiniteIn(v, 1, 10);
    case 37:
      return OldIsFiniteIn(v, 1, 100);
    default:
      return OldIsFiniteIn(v, 0, 1000000);
  }
}

bool OldIsProductFieldValid(const TProduct& p, int index) {
  if (index == 4) return !Trim(p.Name).empty();
  const double v = GetProductField(p, index);
  switch (index) {
    case 0:
    case 1:
      return OldIsFiniteIn(v, 0, 1000000) && v > 0 && p.MaxVolumeM3 >= p.MinVolumeM3;
    case 8:
      return OldIsFiniteIn(v, 0, 1000000);
    case 13:
      return OldIsFiniteIn(v, 0, 100000) && v > 0;
    default:
      return OldIsFiniteIn(v, 0, 1000000) && v > 0;
  }
}

// Every bound of either table, its neighbours, and the awkward doubles.
std::vector<double> ProbeValues() {
  std::vector<double> values = {-kInf, std::nan(""), -1e308,       -0.0,  4.9e-324, 0.5,
                                12.5,  2147483647,   2147483648.0, 1e308, kInf};
  auto addAround = [&](double bound) {
    for (double v :
         {bound, std::nextafter(bound, -kInf), std::nextafter(bound, kInf), bound - 1, bound + 1})
      values.push_back(v);
  };
  for (const TSettingsField& field : SettingsFields) {
    addAround(field.Bounds.Low);
    addAround(field.Bounds.High);
  }
  for (const TProductField& field : ProductFields) {
    addAround(field.Bounds.Low);
    addAround(field.Bounds.High);
  }
  return values;
}

std::string ValidationMessage(const std::function<void()>& check) {
  try {
    check();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    return e.Message();
  }
  return "";
}

template <class TRecord, size_t N>
void ExpectDistinctColumns(const std::array<TFieldDescriptor<TRecord>, N>& table) {
  std::set<std::string_view> keys, captions, helps;
  for (size_t i = 0; i < N; ++i) {
    const TFieldDescriptor<TRecord>& field = table[i];
    SCOPED_TRACE(field.Key);
    keys.insert(field.Key);
    captions.insert(field.Caption);
    helps.insert(field.Help);
    EXPECT_FALSE(Trim(field.Help).empty());
    EXPECT_EQ((field.Real != nullptr) + (field.Integer != nullptr) + (field.Text != nullptr), 1);
    for (size_t j = 0; j < i; ++j) {
      const TFieldDescriptor<TRecord>& other = table[j];
      EXPECT_FALSE(field.Real && field.Real == other.Real) << other.Key;
      EXPECT_FALSE(field.Integer && field.Integer == other.Integer) << other.Key;
      EXPECT_FALSE(field.Text && field.Text == other.Text) << other.Key;
    }
    if (!field.IsText()) {
      EXPECT_LE(field.Bounds.Low, field.Bounds.High);
    }
  }
  EXPECT_EQ(keys.size(), N);
  EXPECT_EQ(captions.size(), N);
  EXPECT_EQ(helps.size(), N);
}

TEST(FieldTablesTest, KeysStayAsWrittenAndEveryColumnIsDistinct) {
  EXPECT_EQ(std::vector<std::string_view>(SettingsFieldNames.begin(), SettingsFieldNames.end()),
            WrittenSettingsKeys);
  EXPECT_EQ(std::vector<std::string_view>(ProductFieldNames.begin(), ProductFieldNames.end()),
            WrittenProductKeys);
  ExpectDistinctColumns(SettingsFields);
  ExpectDistinctColumns(ProductFields);
  EXPECT_EQ(ProductFieldNames[ProductNameFieldIndex], "Name");
  for (int i = 0; i < SettingsFieldCount; ++i)
    EXPECT_EQ(SettingsFieldCaptions[i], SettingsFields[i].Caption);
  for (int i = 0; i < ProductFieldCount; ++i)
    EXPECT_EQ(ProductFieldCaptions[i], ProductFields[i].Caption);
}

TEST(FieldTablesTest, QuickFieldsAreTheMarkedSettingsInTableOrder) {
  int next = 0;
  for (int i = 0; i < SettingsFieldCount; ++i) {
    if (!SettingsFields[i].Quick) continue;
    ASSERT_LT(next, QuickSettingsFieldCount);
    EXPECT_EQ(QuickSettingsFields[next++], i);
  }
  EXPECT_EQ(next, QuickSettingsFieldCount);
}

// Writing a marker through one index reaches that field alone, reads back
// exactly, and an integer field refuses a fraction without storing anything.
TEST(FieldTablesTest, SettingsRoundTripThroughEveryEntry) {
  const TOptimizationSettings defaults = DefaultSettings();
  for (int i = 0; i < SettingsFieldCount; ++i) {
    SCOPED_TRACE(SettingsFieldNames[i]);
    TOptimizationSettings s = defaults;
    const double marker = 1000 + i;
    SetSettingsField(s, i, marker);
    EXPECT_EQ(GetSettingsField(s, i), marker);
    for (int j = 0; j < SettingsFieldCount; ++j)
      if (j != i) {
        EXPECT_EQ(GetSettingsField(s, j), GetSettingsField(defaults, j)) << j;
      }
    EXPECT_EQ(IsIntegerSettingsField(i), SettingsFields[i].IsInteger());

    TOptimizationSettings t = defaults;
    if (SettingsFields[i].IsInteger()) {
      try {
        SetSettingsField(t, i, 0.5);
        ADD_FAILURE() << "fraction accepted";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Kind(), TErrorKind::NotANumber);
        EXPECT_EQ(e.Message(), "Integer expected: " + std::string(SettingsFields[i].Caption));
      }
      EXPECT_EQ(t, defaults);
    } else {
      SetSettingsField(t, i, 0.5);
      EXPECT_EQ(GetSettingsField(t, i), 0.5);
    }
  }
}

TEST(FieldTablesTest, ProductRoundTripThroughEveryEntry) {
  const TProduct defaults = DefaultProduct(3);
  for (int i = 0; i < ProductFieldCount; ++i) {
    SCOPED_TRACE(ProductFieldNames[i]);
    TProduct p = defaults;
    if (ProductFields[i].IsText()) {
      EXPECT_ERROR_KIND(GetProductField(p, i), TErrorKind::OutOfRange);
      EXPECT_ERROR_KIND(SetProductField(p, i, 1), TErrorKind::OutOfRange);
      EXPECT_EQ(p, defaults);
      continue;
    }
    const double marker = 1000 + i;
    SetProductField(p, i, marker);
    EXPECT_EQ(GetProductField(p, i), marker);
    for (int j = 0; j < ProductFieldCount; ++j)
      if (j != i && !ProductFields[j].IsText()) {
        EXPECT_EQ(GetProductField(p, j), GetProductField(defaults, j)) << j;
      }
    EXPECT_EQ(p.Name, defaults.Name);

    TProduct q = defaults;
    if (ProductFields[i].IsInteger()) {
      EXPECT_ERROR_KIND(SetProductField(q, i, 0.5), TErrorKind::NotANumber);
      EXPECT_EQ(q, defaults);
    } else {
      SetProductField(q, i, 0.5);
      EXPECT_EQ(GetProductField(q, i), 0.5);
    }
  }
}

// One value probed at or near a bound, with the verdict the bound's kind gives.
struct BoundProbe {
  double value;
  bool valid;
};

std::vector<BoundProbe> ProbesAround(const TFieldBounds& b, bool integer) {
  const double below = integer ? b.Low - 1 : std::nextafter(b.Low, -kInf);
  const double above = integer ? b.High + 1 : std::nextafter(b.High, kInf);
  const double inLow = integer ? b.Low + 1 : std::nextafter(b.Low, kInf);
  const double inHigh = integer ? b.High - 1 : std::nextafter(b.High, -kInf);
  return {{b.Low, !b.LowOpen},   {below, false}, {inLow, true},
          {b.High, !b.HighOpen}, {above, false}, {inHigh, true}};
}

// Both members of an ordered pair take the value, so only the bounds decide.
template <class TRecord>
void WriteProbe(TRecord& record, const TFieldDescriptor<TRecord>& field, double value) {
  WriteNumericField(record, field, value);
  if (field.Ordered.Low) record.*field.Ordered.Low = record.*field.Ordered.High = value;
}

// The caption a refused probe is reported with: a pair is reported on its
// first entry, since both members hold the probe.
template <class TRecord, size_t N>
std::string_view RefusedCaption(const std::array<TFieldDescriptor<TRecord>, N>& table,
                                const TFieldDescriptor<TRecord>& field) {
  if (field.Ordered.Low)
    for (const TFieldDescriptor<TRecord>& entry : table)
      if (entry.Ordered.Low == field.Ordered.Low) return entry.Caption;
  return field.Caption;
}

TEST(FieldTablesTest, SettingsValidationHoldsAtEachBoundAndFailsJustBeyond) {
  for (int i = 0; i < SettingsFieldCount; ++i) {
    const TSettingsField& field = SettingsFields[i];
    for (const BoundProbe& probe : ProbesAround(field.Bounds, field.IsInteger())) {
      SCOPED_TRACE(std::string(field.Key) + " = " + std::to_string(probe.value));
      TOptimizationSettings s = DefaultSettings();
      WriteProbe(s, field, probe.value);
      EXPECT_EQ(IsSettingsFieldValid(s, i), probe.valid);
      EXPECT_EQ(ValidationMessage([&] { ValidateSettings(s); }),
                probe.valid ? ""
                            : "Некорректный параметр: " +
                                  std::string(RefusedCaption(SettingsFields, field)));
    }
  }
}

TEST(FieldTablesTest, ProductValidationHoldsAtEachBoundAndFailsJustBeyond) {
  for (int i = 0; i < ProductFieldCount; ++i) {
    const TProductField& field = ProductFields[i];
    if (field.IsText()) continue;
    for (const BoundProbe& probe : ProbesAround(field.Bounds, field.IsInteger())) {
      SCOPED_TRACE(std::string(field.Key) + " = " + std::to_string(probe.value));
      TProduct p = DefaultProduct(1);
      WriteProbe(p, field, probe.value);
      EXPECT_EQ(IsProductFieldValid(p, i), probe.valid);
      EXPECT_EQ(
          ValidationMessage([&] { ValidateProduct(p); }),
          probe.valid ? "" : p.Name + ": " + std::string(RefusedCaption(ProductFields, field)));
    }
  }
}

// The first index the old rules refuse, or -1.
int OldFirstInvalidSetting(const TOptimizationSettings& s) {
  for (int i = 0; i < SettingsFieldCount; ++i)
    if (!OldIsSettingsFieldValid(s, i, GetSettingsField(s, i))) return i;
  return -1;
}

int OldFirstInvalidProductField(const TProduct& p) {
  for (int i = 0; i < ProductFieldCount; ++i)
    if (!OldIsProductFieldValid(p, i)) return i;
  return -1;
}

TEST(FieldTablesTest, SettingsRulesMatchTheOldRulesOverAGridOfValues) {
  const std::vector<double> values = ProbeValues();
  int compared = 0;
  for (int i = 0; i < SettingsFieldCount; ++i) {
    for (double v : values) {
      TOptimizationSettings s = DefaultSettings();
      try {
        SetSettingsField(s, i, v);
      } catch (const Exception& e) {
        ASSERT_EQ(e.Kind(), TErrorKind::NotANumber);
        continue;  // not storable: validation never sees it
      }
      ++compared;
      for (int j = 0; j < SettingsFieldCount; ++j)
        ASSERT_EQ(IsSettingsFieldValid(s, j), OldIsSettingsFieldValid(s, j, GetSettingsField(s, j)))
            << SettingsFieldNames[i] << " = " << v << ", checking " << SettingsFieldNames[j];
      const int first = OldFirstInvalidSetting(s);
      ASSERT_EQ(
          ValidationMessage([&] { ValidateSettings(s); }),
          first < 0 ? "" : "Некорректный параметр: " + std::string(SettingsFieldCaptions[first]))
          << SettingsFieldNames[i] << " = " << v;
    }
  }
  // The pair rule: every combination of the two deviations.
  for (double low : values)
    for (double high : values) {
      TOptimizationSettings s = DefaultSettings();
      s.DimensionDeviationMinPercent = low;
      s.DimensionDeviationMaxPercent = high;
      ++compared;
      for (int j : {0, 1})
        ASSERT_EQ(IsSettingsFieldValid(s, j), OldIsSettingsFieldValid(s, j, GetSettingsField(s, j)))
            << low << " .. " << high;
    }
  EXPECT_GT(compared, 10000);
}

TEST(FieldTablesTest, ProductRulesMatchTheOldRulesOverAGridOfValues) {
  const std::vector<double> values = ProbeValues();
  for (int i = 0; i < ProductFieldCount; ++i) {
    if (ProductFields[i].IsText()) continue;
    for (double v : values) {
      TProduct p = DefaultProduct(1);
      try {
        SetProductField(p, i, v);
      } catch (const Exception& e) {
        ASSERT_EQ(e.Kind(), TErrorKind::NotANumber);
        continue;
      }
      for (int j = 0; j < ProductFieldCount; ++j)
        ASSERT_EQ(IsProductFieldValid(p, j), OldIsProductFieldValid(p, j))
            << ProductFieldNames[i] << " = " << v << ", checking " << ProductFieldNames[j];
      const int first = OldFirstInvalidProductField(p);
      ASSERT_EQ(ValidationMessage([&] { ValidateProduct(p); }),
                first < 0 ? "" : p.Name + ": " + std::string(ProductFieldCaptions[first]));
    }
  }
  for (double low : values)
    for (double high : values) {
      TProduct p = DefaultProduct(1);
      p.MinVolumeM3 = low;
      p.MaxVolumeM3 = high;
      for (int j : {0, 1})
        ASSERT_EQ(IsProductFieldValid(p, j), OldIsProductFieldValid(p, j)) << low << " .. " << high;
    }
  for (const char* name : {"", " ", " \t ", "a", " a "}) {
    TProduct p = DefaultProduct(1);
    p.Name = name;
    EXPECT_EQ(IsProductFieldValid(p, ProductNameFieldIndex),
              OldIsProductFieldValid(p, ProductNameFieldIndex))
        << '"' << name << '"';
  }
}

TEST(FieldTablesTest, IndicesOutsideTheTablesAreRefusedByName) {
  const TOptimizationSettings s = DefaultSettings();
  const TProduct p = DefaultProduct(1);
  for (int index : {-1, SettingsFieldCount}) {
    try {
      IsSettingsFieldValid(s, index);
      ADD_FAILURE() << index;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Kind(), TErrorKind::OutOfRange);
      EXPECT_EQ(e.Message(), "Settings field");
    }
  }
  for (int index : {-1, ProductFieldCount}) {
    try {
      IsProductFieldValid(p, index);
      ADD_FAILURE() << index;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Kind(), TErrorKind::OutOfRange);
      EXPECT_EQ(e.Message(), "Product field");
    }
  }
}

}  // namespace
}  // namespace quelmora
