#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <string>

#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/TextFormat.h"
#include "support/TempFolder.h"
#include "ui/MainFormFixture.h"

namespace quelmora {
namespace {

using testing::MainFormTest;

std::string Text(const QString& text) {
  return text.toStdString();
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A file of 100 000 products comes into the grid whole, and the window
// stays usable: the rows can be reached and edited, and a run can be
// started and cancelled.
TEST_F(MainFormTest, HundredThousandProductsFillTheGrid) {
  constexpr int kCount = 100000;
  const std::string csv = temp_.File("large.csv");
  std::string text =
      "MinVolumeM3;MaxVolumeM3;RatioLB;RatioHB;Name;OriginalLengthMM;OriginalWidthMM;"
      "OriginalHeightMM;ProductWeightG;MaxBoxWeightKG;OriginalBoxLengthMM;"
      "OriginalBoxWidthMM;OriginalBoxHeightMM;OriginalBoxCount\n";
  for (int i = 1; i <= kCount; ++i)
    text += Format("0.00095;0.00105;2;4;Чай %06d;100;50;200;500;15;410;310;210;24\n", i);
  testing::WriteBytes(csv, text);

  ShowWindow();
  const size_t before = Window().Project().Products.size();
  dialogs_.OpenNames.push_back(QString::fromStdString(csv));
  const auto start = std::chrono::steady_clock::now();
  Click(cmdImport);
  QCoreApplication::processEvents();
  const double importSeconds = Since(start);
  ASSERT_TRUE(dialogs_.Errors.empty()) << dialogs_.Errors[0];
  ASSERT_EQ(Window().Project().Products.size(), before + kCount);
  EXPECT_EQ(Grid()->GridRowCount(), static_cast<int>(before + kCount) + 1);
  EXPECT_EQ(Text(Grid()->Cell(4, static_cast<int>(before + kCount))), "Чай 100000");

  // The last row can be reached and shown.
  const auto scroll = std::chrono::steady_clock::now();
  Grid()->setCurrentIndex(Grid()->model()->index(static_cast<int>(before + kCount) - 1, 4));
  Grid()->scrollToBottom();
  QCoreApplication::processEvents();
  const double scrollSeconds = Since(scroll);
  EXPECT_EQ(Grid()->currentIndex().row(), static_cast<int>(before + kCount) - 1);

  // A run starts in the background and a cancel ends it.
  const auto run = std::chrono::steady_clock::now();
  Click(cmdRun);
  ASSERT_TRUE(WaitUntil([&] { return Button(cmdCancel)->isEnabled(); }, 60));
  Click(cmdCancel);
  ASSERT_TRUE(WaitUntil([&] { return Button(cmdRun)->isEnabled(); }, 600));
  const double runSeconds = Since(run);
  EXPECT_EQ(Status(), Tr(SCalculationCancelled));
  std::printf(
      "[ measured ] import + grid fill of %d products %.2f s, scroll to the end %.3f s, "
      "start and cancel a run %.2f s\n",
      kCount, importSeconds, scrollSeconds, runSeconds);
}

}  // namespace
}  // namespace quelmora
