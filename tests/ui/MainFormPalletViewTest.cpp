// The pallet of the selected solution in the window: picture and figures.
#include <QLineEdit>
#include <string>

#include "calc/PalletFigures.h"
#include "ui/MainFormFixture.h"
#include "ui/PalletView.h"
#include "ui/ResultViews.h"

namespace quelmora::testing {
namespace {

std::string Plain(const std::string& text) {
  std::string lines;
  for (char c : text)
    if (c != '\r') lines += c;
  return lines;
}

const TOptimizationSolution* SolutionNamed(const TMainForm& window, const std::string& row) {
  const std::string name = row.substr(0, row.find(':'));
  for (const TOptimizationSolution& s : window.Result().Solutions)
    if (SolutionProductName(window.Project(), s.ProductId) == name) return &s;
  return nullptr;
}

// Every product of every box: its proposal's and its current packaging's
// figures follow the selection, the picture holds the proposal's layer, and
// a change of the data takes the picture away with the result.
TEST_F(MainFormTest, SelectingASolutionShowsItsPalletFigures) {
  ShowWindow();
  auto* view = Control<TPalletView>("FPalletView");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(AllPixels(view->grab().toImage(), qRgb(255, 255, 255)));
  RunAndWait();
  const TPalletSetup pallet = PalletSetupOf(Window().Project().Settings);
  const TNumberFormat point{"."};  // the fixture's locale
  int shown = 0;
  for (int line = 0; line < Boxes()->count(); ++line) {
    Boxes()->setCurrentRow(line);
    for (int row = 0; row < Products()->count(); ++row) {
      Products()->setCurrentRow(row);
      const TOptimizationSolution* s =
          SolutionNamed(Window(), Products()->item(row)->text().toStdString());
      ASSERT_NE(s, nullptr);
      const std::string optimal = OptimalMemo()->toPlainText().toStdString();
      const std::string original = OriginalMemo()->toPlainText().toStdString();
      const std::string proposed =
          PalletDetailsText(point, s->Box, SolutionLayer(s->Box, pallet), pallet);
      const std::string current =
          PalletDetailsText(point, s->OriginalBox, SolutionLayer(s->OriginalBox, pallet), pallet);
      EXPECT_NE(optimal.find(Plain(proposed)), std::string::npos) << optimal;
      EXPECT_NE(original.find(Plain(current)), std::string::npos) << original;
      ASSERT_TRUE(view->Showing());
      EXPECT_EQ(view->Layer().Count, s->Box.Pallet.BoxesPerLayer);
      ++shown;
    }
  }
  EXPECT_EQ(shown, static_cast<int>(Window().Result().Solutions.size()));
  EXPECT_FALSE(AllPixels(view->grab().toImage(), qRgb(255, 255, 255)));

  Control<QLineEdit>("FQuick2")->setText("5");
  EXPECT_FALSE(view->Showing());
  EXPECT_TRUE(AllPixels(view->grab().toImage(), qRgb(255, 255, 255)));
}

}  // namespace
}  // namespace quelmora::testing
