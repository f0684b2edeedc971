#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <new>
#include <ostream>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "io/CsvProductImporter.h"
#include "io/Json.h"
#include "io/ProjectSerializer.h"
#include "io/Utf8File.h"
#include "l10n/ErrorText.h"
#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/ProductFields.h"
#include "model/SettingsFields.h"
#include "model/TextFormat.h"
#include "model/Utf8.h"
#include "model/Validation.h"
#include "support/Cyrillic.h"
#include "support/ExpectError.h"
#include "support/TempFolder.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

using testing::TTempFolder;
using testing::WriteBytes;

// A product name that must come through every language untouched.
const std::string kName = "Сахар 5 кг";

const std::string kHeader =
    "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
    "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;OriginalBoxWidthMM;"
    "OriginalBoxHeightMM;OriginalBoxCount";

// A CSV of one product whose row has Cell in column Column (from 1).
std::string CsvWith(int column, const std::string& cell) {
  std::vector<std::string> cells = {"0,00095", "0,00105", "2",  "4",   kName, "100", "50",
                                    "200",     "500",     "15", "410", "310", "210", "24"};
  cells[static_cast<size_t>(column - 1)] = cell;
  std::string row;
  for (const std::string& c : cells)
    row += (row.empty() ? "" : ";") + c;
  return kHeader + "\n" + row + "\n";
}

const TProductField& Field(std::string_view key) {
  return ProductFields[static_cast<size_t>(FieldIndex(ProductFields, key))];
}

std::string Caption(std::string_view key) {
  return std::string(Field(key).Caption);
}

Exception Raised(const std::function<void()>& action) {
  const std::optional<Exception> e = test::Caught(action);
  if (!e) throw std::runtime_error("no error raised");
  return *e;
}

// A project file of one valid product, with Edit applied to its text.
std::string ProjectFile(const TTempFolder& folder,
                        const std::function<std::string(std::string)>& edit) {
  TProduct product = DefaultProduct(1);
  product.Name = kName;
  const std::string path = folder.File("project.vld");
  SaveProject(path, TProjectData{{product}, DefaultSettings(), ckCostPerVolume});
  WriteBytes(path, edit(testing::ReadBytes(path)));
  return path;
}

std::string Replaced(const std::string& text, const std::string& pattern, const std::string& by) {
  return std::regex_replace(text, std::regex(pattern), by);
}

// One family of failures: how it is raised, and its message as it read
// before messages carried their values (Russian, word for word).
struct Family {
  const char* name;
  std::function<Exception(const TTempFolder&)> raise;
  std::function<std::string(const TTempFolder&)> oldText;
};

void PrintTo(const Family& f, std::ostream* out) {
  *out << f.name;
}

const TSettingsField& FirstBoundedSetting() {
  for (const TSettingsField& field : SettingsFields)
    if (!field.IsText() && std::isfinite(field.Bounds.High)) return field;
  throw std::runtime_error("no bounded settings field");
}

const std::vector<Family>& Families() {
  static const std::vector<Family> families = {
      {"CsvNotANumber",
       [](const TTempFolder&) { return Raised([] { ImportProductsCsv(CsvWith(7, "x")); }); },
       [](const TTempFolder&) { return "CSV, строка 2: " + Caption("OriginalWidthMM"); }},
      {"CsvShortRow",
       [](const TTempFolder&) { return Raised([] { ImportProductsCsv(kHeader + "\n1;2;3\n"); }); },
       [](const TTempFolder&) { return std::string("CSV, строка 2: Expected 14 fields"); }},
      {"CsvNotAnInteger",
       [](const TTempFolder&) { return Raised([] { ImportProductsCsv(CsvWith(14, "24.5")); }); },
       [](const TTempFolder&) {
         return "CSV, строка 2: Integer expected: " + Caption("OriginalBoxCount");
       }},
      {"CsvOutOfRange",
       [](const TTempFolder&) { return Raised([] { ImportProductsCsv(CsvWith(7, "-5")); }); },
       [](const TTempFolder&) {
         return "CSV, строка 2: " + kName + ": " + Caption("OriginalWidthMM");
       }},
      {"InvalidSetting",
       [](const TTempFolder&) {
         TOptimizationSettings settings = DefaultSettings();
         const TSettingsField& field = FirstBoundedSetting();
         if (field.Real)
           settings.*field.Real = field.Bounds.High + 1;
         else
           settings.*field.Integer = static_cast<int32_t>(field.Bounds.High) + 1;
         return Raised([&] { ValidateSettings(settings); });
       },
       [](const TTempFolder&) {
         return "Некорректный параметр: " + std::string(FirstBoundedSetting().Caption);
       }},
      {"DuplicateId",
       [](const TTempFolder&) {
         return Raised([] {
           ValidateProject({DefaultProduct(3), DefaultProduct(3)}, DefaultSettings());
         });
       },
       [](const TTempFolder&) { return std::string("Duplicate Product.Id"); }},
      {"MissingFile",
       [](const TTempFolder& folder) {
         return Raised([&] { LoadProject(folder.File("missing.vld")); });
       },
       [](const TTempFolder& folder) {
         return "Cannot open file \"" + folder.File("missing.vld") +
                "\": No such file or directory";
       }},
      {"NotUtf8",
       [](const TTempFolder& folder) {
         WriteBytes(folder.File("bad.csv"), "ab\xff");
         return Raised([&] { TCsvProductImporter().ImportFile(folder.File("bad.csv")); });
       },
       [](const TTempFolder& folder) {
         return "File \"" + folder.File("bad.csv") + "\" is not valid UTF-8 (byte 2)";
       }},
      {"JsonExpectedColon",
       [](const TTempFolder&) { return Raised([] { CheckJson("{\"a\" 1}"); }); },
       [](const TTempFolder&) { return std::string("Expected ':' at byte 5"); }},
      {"BrokenProject",
       [](const TTempFolder& folder) {
         WriteBytes(folder.File("broken.vld"), "{\"Version\": 1,");
         return Raised([&] { LoadProject(folder.File("broken.vld")); });
       },
       [](const TTempFolder& folder) {
         return "Некорректный файл: " + folder.File("broken.vld") + " (ошибка в байте 14)";
       }},
      {"UnsupportedVersion",
       [](const TTempFolder& folder) {
         const std::string path = ProjectFile(folder, [](std::string text) {
           return Replaced(text, "\"Version\":\\s*1", "\"Version\": 2");
         });
         return Raised([&] { LoadProject(path); });
       },
       [](const TTempFolder&) { return std::string("Неподдерживаемая версия проекта"); }},
      {"ProjectFieldOutOfRange",
       [](const TTempFolder& folder) {
         const std::string path = ProjectFile(folder, [](std::string text) {
           return Replaced(text, "\"OriginalWidthMM\":\\s*[0-9.]+", "\"OriginalWidthMM\": -5");
         });
         return Raised([&] { LoadProject(path); });
       },
       [](const TTempFolder&) { return kName + ": " + Caption("OriginalWidthMM"); }},
      {"ProjectMemberOfWrongType",
       [](const TTempFolder& folder) {
         const std::string path = ProjectFile(folder, [](std::string text) {
           return Replaced(text, "\"OriginalWidthMM\":\\s*[0-9.]+", "\"OriginalWidthMM\": \"w\"");
         });
         return Raised([&] { LoadProject(path); });
       },
       [](const TTempFolder&) { return std::string("Некорректный файл: OriginalWidthMM"); }},
  };
  return families;
}

// The text without the values a person typed, which stay as they are.
std::string WithoutValues(std::string text) {
  for (size_t at; (at = text.find(kName)) != std::string::npos;)
    text.erase(at, kName.size());
  return text;
}

// The shipped languages, one at a time; the language before is restored.
class ShippedLanguages : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = CurrentLanguageFile();
    OverrideLanguageFolder(std::string(QUELMORA_SOURCE_DIR) + "/lang");
  }
  void TearDown() override {
    if (!previous_.empty()) LoadLanguage(previous_);
    OverrideLanguageFolder("");
  }
  static void Use(const char* file) { ASSERT_TRUE(LoadLanguage(file)) << file; }

  TTempFolder folder_;

 private:
  std::string previous_;
};

class ErrorFamilies : public ShippedLanguages, public ::testing::WithParamInterface<Family> {};

TEST_P(ErrorFamilies, MessageReadsAsBefore) {
  EXPECT_EQ(GetParam().raise(folder_).Message(), GetParam().oldText(folder_));
}

TEST_P(ErrorFamilies, RussianIsTheMessageItself) {
  Use("Russian.lng");
  const Exception e = GetParam().raise(folder_);
  EXPECT_EQ(LocalizedMessage(e), e.Message());
  EXPECT_EQ(LocalizedFailure(e), e.Message());
  EXPECT_EQ(LocalizedRunFailure(e), ErrorText(e));
}

TEST_P(ErrorFamilies, EnglishAndGermanShowNoRussianButTheValues) {
  for (const char* file : {"English.lng", "German.lng"}) {
    Use(file);
    const Exception e = GetParam().raise(folder_);
    const std::string message = LocalizedMessage(e);
    EXPECT_FALSE(HasCyrillic(WithoutValues(message))) << file << ": " << message;
    if (e.Message().find(kName) != std::string::npos) {
      EXPECT_NE(message.find(kName), std::string::npos) << file << ": " << message;
    }
    const std::string detail = ErrorDetail(e);
    EXPECT_FALSE(HasCyrillic(WithoutValues(detail))) << file << ": " << detail;
  }
}

INSTANTIATE_TEST_SUITE_P(Errors, ErrorFamilies, ::testing::ValuesIn(Families()),
                         [](const auto& info) { return std::string(info.param.name); });

// The parts of the detail line that a person acts on, per language.
struct DetailCase {
  const char* family;
  const char* file;
  std::vector<std::string> parts;
};

void PrintTo(const DetailCase& c, std::ostream* out) {
  *out << c.family << " in " << c.file;
}

const Family& FamilyNamed(std::string_view name) {
  for (const Family& f : Families())
    if (name == f.name) return f;
  throw std::runtime_error("no such family");
}

class ErrorDetails : public ShippedLanguages, public ::testing::WithParamInterface<DetailCase> {};

TEST_P(ErrorDetails, SayWhatWasFoundAndWhere) {
  Use(GetParam().file);
  const Exception e = FamilyNamed(GetParam().family).raise(folder_);
  const std::string detail = ErrorDetail(e);
  for (const std::string& part : GetParam().parts)
    EXPECT_NE(detail.find(part), std::string::npos) << "«" << part << "» not in: " << detail;
  EXPECT_EQ(detail.find('\n'), std::string::npos) << detail;
}

// The range of OriginalWidthMM as the detail writes it, with a point.
std::string WidthRange() {
  const TFieldBounds& b = Field("OriginalWidthMM").Bounds;
  return Format("%.15g", b.Low) + "|" + Format("%.15g", b.High);
}

std::vector<DetailCase> DetailCases() {
  const std::string low = WidthRange().substr(0, WidthRange().find('|'));
  const std::string high = WidthRange().substr(WidthRange().find('|') + 1);
  return {
      {"CsvNotANumber", "Russian.lng", {"строка 2, столбец 7", "«x»"}},
      {"CsvNotANumber", "English.lng", {"row 2, column 7", "“x”"}},
      {"CsvNotANumber", "German.lng", {"Zeile 2, Spalte 7", "„x“"}},
      {"CsvShortRow", "Russian.lng", {"строка 2", "3 полей, нужно 14"}},
      {"CsvShortRow", "English.lng", {"row 2", "3 fields, 14 needed"}},
      {"CsvShortRow", "German.lng", {"Zeile 2", "3 Felder, nötig sind 14"}},
      {"CsvOutOfRange", "Russian.lng", {"«-5»", low, high, "допустимо"}},
      {"CsvOutOfRange", "English.lng", {"“-5”", low, high, "allowed"}},
      {"CsvOutOfRange", "German.lng", {"„-5“", low, high, "zulässig"}},
      {"BrokenProject", "Russian.lng", {"broken.vld", "байт 14"}},
      {"BrokenProject", "English.lng", {"broken.vld", "byte 14"}},
      {"BrokenProject", "German.lng", {"broken.vld", "Byte 14"}},
      {"UnsupportedVersion", "Russian.lng", {"project.vld", "Version", "«2»", ": 1"}},
      {"UnsupportedVersion", "English.lng", {"project.vld", "Version", "“2”", ": 1"}},
      {"UnsupportedVersion", "German.lng", {"project.vld", "Version", "„2“", ": 1"}},
      {"ProjectFieldOutOfRange",
       "English.lng",
       {"project.vld", "Products[0].OriginalWidthMM", "“-5”", low, high}},
      {"ProjectFieldOutOfRange",
       "German.lng",
       {"project.vld", "Products[0].OriginalWidthMM", "„-5“", low, high}},
      {"ProjectMemberOfWrongType", "English.lng", {"project.vld", "OriginalWidthMM"}},
  };
}

INSTANTIATE_TEST_SUITE_P(Errors, ErrorDetails, ::testing::ValuesIn(DetailCases()));

TEST_F(ShippedLanguages, NumbersInTheDetailKeepThePointInEveryLanguage) {
  const Exception e =
      Exception(TErrorKind::InvalidInput, "m").WithFound("0,5").WithAllowed(AboveTo(0.25, 1.5));
  for (const char* file : {"Russian.lng", "English.lng", "German.lng"}) {
    Use(file);
    const std::string detail = ErrorDetail(e);
    EXPECT_NE(detail.find("0.25"), std::string::npos) << detail;
    EXPECT_NE(detail.find("1.5"), std::string::npos) << detail;
    EXPECT_NE(detail.find("0,5"), std::string::npos) << detail;  // found as it stood
  }
}

TEST_F(ShippedLanguages, EachOpenEndReadsDifferently) {
  Use("English.lng");
  std::vector<std::string> details;
  for (bool lowOpen : {false, true})
    for (bool highOpen : {false, true})
      details.push_back(ErrorDetail(Exception(TErrorKind::InvalidInput, "m")
                                        .WithAllowed(TFieldBounds{1, lowOpen, 2, highOpen})));
  for (size_t i = 0; i < details.size(); ++i)
    for (size_t j = i + 1; j < details.size(); ++j)
      EXPECT_NE(details[i], details[j]);
}

TEST_F(ShippedLanguages, NothingToSayGivesNoDetail) {
  Use("English.lng");
  EXPECT_EQ(ErrorDetail(Exception(TErrorKind::General, "m")), "");
}

TEST_F(ShippedLanguages, ForeignFailuresKeepTheirTextAndShortageOfMemoryIsTranslated) {
  Use("German.lng");
  EXPECT_EQ(LocalizedFailure(std::runtime_error("disk on fire")), "disk on fire");
  const std::string memory = LocalizedFailure(std::bad_alloc());
  EXPECT_FALSE(memory.empty());
  EXPECT_FALSE(HasCyrillic(memory)) << memory;
}

TEST_F(ShippedLanguages, NestedMessagesAreTranslatedWhole) {
  Use("English.lng");
  const Exception e = Raised([] { ImportProductsCsv(CsvWith(14, "24.5")); });
  // Row, the integer message and the caption, each in English.
  const std::string message = LocalizedMessage(e);
  EXPECT_NE(message.find("Integer expected"), std::string::npos) << message;
  EXPECT_NE(message.find(Tr(Caption("OriginalBoxCount"))), std::string::npos) << message;
  EXPECT_FALSE(HasCyrillic(message)) << message;
}

}  // namespace
}  // namespace quelmora
