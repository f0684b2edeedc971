#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "ReportFixture.h"
#include "calc/PalletCalculator.h"
#include "io/Utf8File.h"
#include "l10n/Localization.h"
#include "model/Utf8.h"
#include "report/PdfReportExporter.h"
#include "report/RecordingSurface.h"
#include "report/ReportPages.h"
#include "report/ReportTexts.h"
#include "support/Cyrillic.h"

using quelmora::test::HasCyrillic;

namespace quelmora {
namespace {

using testing::MakeSolution;

// Unit words and words the catalogue translates, all in one product name.
const std::string Sugar = "Сахар 5 кг в слое всего мм";
const std::string Cocoa = "Какао";  // product 5 of the reference data

const QDateTime FixedTime(QDate(2026, 12, 9), QTime(14, 30));

struct LanguageCase {
  const char* File;
  TLanguageConventions Conventions;
  const char* Timestamp;
};

const LanguageCase kLanguages[] = {
    {"Russian.lng", {"ru_RU", ",", "dd.MM.yyyy HH:mm", TPluralRule::Slavic}, "09.12.2026 14:30"},
    {"English.lng", {"en_US", ".", "yyyy-MM-dd HH:mm", TPluralRule::Germanic}, "2026-12-09 14:30"},
    {"German.lng", {"de_DE", ",", "dd.MM.yyyy HH:mm", TPluralRule::Germanic}, "09.12.2026 14:30"},
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
  *os << c.File;
}

// Key -> value as the file itself has it, read apart from Tr.
std::map<std::string, std::string> ReadShipped(const std::string& file) {
  const std::string text = ReadUtf8TextFile(std::string(QUELMORA_SOURCE_DIR) + "/lang/" + file);
  std::map<std::string, std::string> table;
  std::string line;
  for (size_t start = 0; start < text.size();) {
    size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string::npos) stop = text.size();
    line = text.substr(start, stop - start);
    if (const size_t eq = line.find('='); eq != std::string::npos)
      table.emplace(line.substr(0, eq), line.substr(eq + 1));
    start = stop + 1;
  }
  return table;
}

std::string WithoutAll(std::string text, const std::string& part) {
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
    text.erase(at, part.size());
  return text;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The summary and both product pages of a two-product project, with the
// reference comparison and the strength check on, drawn in one language.
class ReportLanguage : public testing::ReportFixture,
                       public ::testing::WithParamInterface<LanguageCase> {
 protected:
  void SetUp() override {
    testing::ReportFixture::SetUp();
    ASSERT_TRUE(LoadLanguage(GetParam().File));
    project.Settings = DefaultSettings();
    project.Settings.CurrencySymbol = "€";
    project.Settings.EdgeCrushKNPerM = 0.3;
    project.Settings.RequiredSafetyFactor = 50;
    TProduct sugar = DefaultProduct(7);
    sugar.Name = Sugar;
    TProduct cocoa = DefaultProduct(5);
    cocoa.Name = Cocoa;
    project.Products = {sugar, cocoa};
    const TGridPalletOptimizer grid;
    for (int32_t id : {7, 5}) {
      TOptimizationSolution s = MakeSolution(id, 76.5, 47.9, 112);
      s.Box.GrossWeightKG = 12;
      s.Box.Pallet = grid.Calculate(410, 310, 210, 1200, 800, 1800);
      s.OriginalBox = s.Box;
      s.OriginalBox.PalletCount = 1;
      s.SavingPercent = 12.5;
      result.Solutions.push_back(s);
    }
    result.AverageCostPerM3 = 1234.5;
    options = ReportOptionsFor(GetParam().Conventions, FixedTime);

    TRecordingSurface canvas(40);  // narrow enough that no text is shortened
    const std::vector<size_t> order = ReportOrder(project, result);
    RenderSummaryPage(canvas, project, result, order, options);
    for (size_t k = 0; k < order.size(); ++k)
      RenderProductPage(canvas, project, result.Solutions[order[k]], static_cast<int>(k + 2),
                        options);
    texts = canvas.Texts();
  }

  // Every drawn text without the product names and the date.
  std::vector<std::string> Rest() const {
    std::vector<std::string> rest;
    for (const std::string& text : texts)
      rest.push_back(WithoutAll(WithoutAll(WithoutAll(text, Sugar), Cocoa), GetParam().Timestamp));
    return rest;
  }

  TProjectData project;
  TOptimizationResult result;
  TReportOptions options;
  std::vector<std::string> texts;
};

TEST_P(ReportLanguage, TheProductNameReachesThePageAsWritten) {
  const std::map<std::string, std::string> table = ReadShipped(GetParam().File);
  EXPECT_TRUE(Contains(texts, Sugar));  // its distribution row
  EXPECT_TRUE(Contains(texts, table.at("ИЗДЕЛИЕ") + ": " + Sugar));
  EXPECT_TRUE(Contains(texts, table.at("ИЗДЕЛИЕ") + ": " + Cocoa));
}

TEST_P(ReportLanguage, TheDateIsWrittenAsTheLanguageWritesIt) {
  EXPECT_EQ(options.Timestamp, GetParam().Timestamp);
  const std::string subtitle =
      ReadShipped(GetParam().File).at(RSummarySubtitle) + " " + GetParam().Timestamp;
  EXPECT_TRUE(Contains(texts, subtitle)) << subtitle;
  if (GetParam().Conventions.LocaleName == "en_US") {
    EXPECT_TRUE(std::regex_match(options.Timestamp, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")));
  }
}

TEST_P(ReportLanguage, EveryNumberHasTheLanguagesSeparator) {
  const std::string& separator = GetParam().Conventions.DecimalSeparator;
  const std::regex other(separator == "." ? R"(\d,\d)" : R"(\d\.\d)");
  const std::regex own(separator == "." ? R"(\d\.\d)" : R"(\d,\d)");
  int withOwn = 0;
  for (const std::string& text : Rest()) {
    EXPECT_FALSE(std::regex_search(text, other)) << text;
    withOwn += std::regex_search(text, own);
  }
  EXPECT_GT(withOwn, 30);
}

TEST_P(ReportLanguage, EveryHeadingDrawnIsItsLineOfTheLanguageFile) {
  const std::map<std::string, std::string> table = ReadShipped(GetParam().File);
  for (const char* heading :
       {RSummaryTitle,      RBoxSizesFigure,    RAverageFigure,   RParameters,
        RUnifiedBoxes,      RGroupColumn,       ROuterSizeColumn, RProductCountColumn,
        RAverageCostColumn, RDistribution,      RProductColumn,   RPackColumn,
        RBoxColumn,         RCostColumn,        RFooter,          RPackModel,
        RLayoutHeading,     ROptimalVariant,    ROriginalVariant, RReferenceHeading,
        RPalletHeading,     RStrengthUnsafeLine}) {
    const auto line = table.find(heading);
    ASSERT_NE(line, table.end()) << heading;
    EXPECT_TRUE(Contains(texts, line->second)) << heading << " = " << line->second;
  }
}

TEST_P(ReportLanguage, EnglishAndGermanShowNoRussianOutsideTheNames) {
  if (GetParam().Conventions.LocaleName == "ru_RU") GTEST_SKIP() << "the catalogue's language";
  for (const std::string& text : Rest()) {
    EXPECT_FALSE(HasCyrillic(text)) << text;
    EXPECT_EQ(text.find("M³"), std::string::npos) << text;
  }
}

// The Russian pages read as they always have.
TEST_P(ReportLanguage, RussianPagesKeepTheirWords) {
  if (GetParam().Conventions.LocaleName != "ru_RU") GTEST_SKIP() << "Russian only";
  for (const char* text :
       {"ИЗДЕЛИЕ: Сахар 5 кг в слое всего мм", "Сводка расчёта от 09.12.2026 14:30",
        "Группа унификации 1 · Ящик 410,0 × 310,0 × 210,0 мм", "Страница 3", "1234,50 €",
        "СРЕДНЕЕ, УПАКОВКА / М³", "Экономия: 12,5 %", "Укладка: 4 × 6 × 1, L-B-H",
        "Масса брутто: 12,000 кг", "Упаковка / м³: 0,00 €", "СРАВНЕНИЕ С ЛУМАР",
        "76,5 × 47,9 × 112,0 мм", "4 × 6 в слое; слоёв: 1; всего: 24"})
    EXPECT_TRUE(Contains(texts, text)) << text;
}

INSTANTIATE_TEST_SUITE_P(Table, ReportLanguage, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) {
                           return std::string(info.param.Conventions.LocaleName);
                         });

class ReportOptions : public testing::ReportFixture,
                      public ::testing::WithParamInterface<LanguageCase> {};

// The options follow the current language's conventions, not the system's.
TEST_P(ReportOptions, FollowTheCurrentLanguage) {
  const TReportOptions fixed = ReportOptionsFor(GetParam().Conventions, FixedTime);
  EXPECT_EQ(fixed.Numbers.DecimalSeparator, GetParam().Conventions.DecimalSeparator);
  EXPECT_EQ(fixed.Timestamp, GetParam().Timestamp);

  ASSERT_TRUE(LoadLanguage(GetParam().File));
  const TLanguageConventions now = LanguageConventions();
  const TReportOptions user = UserReportOptions();
  EXPECT_EQ(user.Numbers.DecimalSeparator, now.DecimalSeparator);
  EXPECT_EQ(user.Timestamp.size(),
            ReportOptionsFor(now, QDateTime::currentDateTime()).Timestamp.size());
}

INSTANTIATE_TEST_SUITE_P(Table, ReportOptions, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) {
                           return std::string(info.param.Conventions.LocaleName);
                         });

struct CountCase {
  const char* File;
  int Count;
  const char* Label;       // over the product count
  const char* PalletLine;  // the current packaging's boxes per pallet
};

void PrintTo(const CountCase& c, std::ostream* os) {
  *os << c.File << " " << c.Count;
}

class ReportCount : public testing::ReportFixture,
                    public ::testing::WithParamInterface<CountCase> {};

// Words after a count take its plural form in every language.
TEST_P(ReportCount, WordsTakeThePluralFormOfTheirCount) {
  const CountCase& c = GetParam();
  ASSERT_TRUE(LoadLanguage(c.File));
  if (TrPluralWord(RProductsFigure, 1) == TrPluralWord(RProductsFigure, 5))
    GTEST_SKIP() << "the language files give no plural forms yet";
  TProjectData project;
  project.Settings = DefaultSettings();
  TOptimizationResult result;
  for (int i = 1; i <= c.Count; ++i) {
    TProduct product = DefaultProduct(100 + i);
    product.Name = Sugar;
    project.Products.push_back(product);
    result.Solutions.push_back(MakeSolution(100 + i, 100, 50, 150));
  }
  result.Solutions[0].OriginalBox.PalletCount = c.Count;
  TRecordingSurface canvas(40);
  RenderSummaryPage(canvas, project, result, ReportOrder(project, result), TReportOptions());
  RenderProductPage(canvas, project, result.Solutions[0], 2, TReportOptions());
  EXPECT_TRUE(Contains(canvas.Texts(), c.Label)) << c.Label;
  EXPECT_TRUE(Contains(canvas.Texts(), c.PalletLine)) << c.PalletLine;
}

const CountCase kCounts[] = {
    {"Russian.lng", 1, "ИЗДЕЛИЕ", "На паллете: 1 ящик"},
    {"Russian.lng", 3, "ИЗДЕЛИЯ", "На паллете: 3 ящика"},
    {"Russian.lng", 5, "ИЗДЕЛИЙ", "На паллете: 5 ящиков"},
    {"Russian.lng", 11, "ИЗДЕЛИЙ", "На паллете: 11 ящиков"},
    {"Russian.lng", 21, "ИЗДЕЛИЕ", "На паллете: 21 ящик"},
    {"English.lng", 1, "PRODUCT", "Per pallet: 1 box"},
    {"English.lng", 2, "PRODUCTS", "Per pallet: 2 boxes"},
    {"German.lng", 1, "PRODUKT", "Pro Palette: 1 Karton"},
    {"German.lng", 2, "PRODUKTE", "Pro Palette: 2 Kartons"},
};

INSTANTIATE_TEST_SUITE_P(Table, ReportCount, ::testing::ValuesIn(kCounts));

}  // namespace
}  // namespace quelmora
