// The bottom box's strength in the window's details.
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <string>
#include <vector>

#include "calc/PalletFigures.h"
#include "support/SmallProjects.h"
#include "ui/MainFormFixture.h"
#include "ui/ResultViews.h"

namespace quelmora::testing {
namespace {

struct TShownLine {
  std::string Text;
  bool Red = false;  // some of it in the warning colour
};

std::vector<TShownLine> ShownLines(const QPlainTextEdit& memo) {
  std::vector<TShownLine> lines;
  for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next()) {
    TShownLine line{block.text().toStdString(), false};
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().foreground().color().rgb() ==
          (0xFF000000u | StrengthWarningColour))
        line.Red = true;
    lines.push_back(line);
  }
  return lines;
}

std::string Plain(const std::string& text) {
  std::string lines;
  for (char c : text)
    if (c != '\r') lines += c;
  return lines;
}

struct StrengthCase {
  const char* Name;
  double Ect;
  double Required;
  int Warnings;  // -1: some, 0: none
};

class MainFormStrength : public MainFormTest, public ::testing::WithParamInterface<StrengthCase> {};

// Off: the details are exactly the texts they were. On: the strength lines
// follow each box's pallet, red exactly where the figure misses its target.
TEST_P(MainFormStrength, DetailsShowTheLinesOnlyWithTheCheckOn) {
  const StrengthCase& c = GetParam();
  TProjectData project = test::SmallProject();
  project.Settings.EdgeCrushKNPerM = c.Ect;
  project.Settings.RequiredSafetyFactor = c.Required;
  project.Settings.StackedPallets = 3;
  OpenProject(project);
  RunAndWait();
  const TOptimizationSettings& settings = Window().Project().Settings;
  const TPalletSetup pallet = PalletSetupOf(settings);
  const TNumberFormat point{"."};  // the fixture's locale
  int warnings = 0;
  for (int box = 0; box < Boxes()->count(); ++box) {
    Boxes()->setCurrentRow(box);
    for (int row = 0; row < Products()->count(); ++row) {
      Products()->setCurrentRow(row);
      const std::string name = Products()->item(row)->text().toStdString();
      const TOptimizationSolution* s = nullptr;
      for (const TOptimizationSolution& each : Window().Result().Solutions)
        if (SolutionProductName(Window().Project(), each.ProductId) ==
            name.substr(0, name.find(':')))
          s = &each;
      ASSERT_NE(s, nullptr);
      const std::pair<QPlainTextEdit*, const TBoxVariant*> memos[] = {
          {OptimalMemo(), &s->Box}, {OriginalMemo(), &s->OriginalBox}};
      for (const auto& [memo, shownBox] : memos) {
        const std::vector<TStrengthLine> expected = StrengthDetailLines(point, settings, *shownBox);
        EXPECT_EQ(expected.empty(), c.Ect == 0);
        const std::string pallets =
            Plain(PalletDetailsText(point, *shownBox, SolutionLayer(*shownBox, pallet), pallet));
        const std::string text = memo->toPlainText().toStdString();
        if (expected.empty()) {
          EXPECT_EQ(text.substr(text.size() - pallets.size()), pallets);
          for (const TShownLine& line : ShownLines(*memo))
            EXPECT_FALSE(line.Red) << line.Text;
          continue;
        }
        const std::vector<TShownLine> shown = ShownLines(*memo);
        ASSERT_GE(shown.size(), expected.size());
        const size_t first = shown.size() - expected.size();
        EXPECT_NE(text.find(pallets + "\n\n"), std::string::npos) << text;
        for (size_t i = 0; i < expected.size(); ++i) {
          EXPECT_EQ(shown[first + i].Text, expected[i].Text);
          EXPECT_EQ(shown[first + i].Red, expected[i].Warning) << expected[i].Text;
          warnings += expected[i].Warning;
        }
        for (size_t i = 0; i < first; ++i)
          EXPECT_FALSE(shown[i].Red) << shown[i].Text;
      }
    }
  }
  if (c.Warnings == 0)
    EXPECT_EQ(warnings, 0);
  else
    EXPECT_GT(warnings, 0);
}

const StrengthCase kCases[] = {
    {"Off", 0, 3, 0},
    {"Strong", 20, 1, 0},
    {"BelowTarget", 0.3, 50, -1},
};

INSTANTIATE_TEST_SUITE_P(Table, MainFormStrength, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quelmora::testing
