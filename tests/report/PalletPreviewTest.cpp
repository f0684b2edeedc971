#include "report/PalletPreview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportFixture.h"
#include "calc/PalletCalculator.h"
#include "l10n/Localization.h"
#include "model/Utf8.h"
#include "report/RecordingSurface.h"

namespace quelmora {
namespace {

using Kind = TRecordingSurface::TKind;
using TCall = TRecordingSurface::TCall;

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom;
}

bool IsBoxFill(const TCall& call) {
  return call.Kind == Kind::Rectangle &&
         (call.BrushColour == PalletBoxFill || call.BrushColour == PalletTurnedBoxFill);
}

// Every call of a drawing stays inside its rectangle.
void ExpectAllInside(const TRecordingSurface& canvas, const TRect& rect) {
  for (const TCall& call : canvas.Calls()) {
    if (call.Kind == Kind::Line) {
      for (const TPoint& p : call.Points)
        EXPECT_TRUE(p.X >= rect.Left && p.X <= rect.Right && p.Y >= rect.Top && p.Y <= rect.Bottom);
    } else {
      EXPECT_TRUE(Inside(call.Rect, rect)) << call.Rect.Left << "," << call.Rect.Top << ","
                                           << call.Rect.Right << "," << call.Rect.Bottom;
    }
  }
}

struct TPictureCase {
  double BoxL, BoxW, BoxH;
  TPalletSetup Pallet;
  TRect Rect;
};

TBoxVariant LoadedBox(const TPictureCase& c) {
  TBoxVariant box;
  box.LengthMM = c.BoxL;
  box.WidthMM = c.BoxW;
  box.HeightMM = c.BoxH;
  const double o = c.Pallet.OverhangMM;
  box.Pallet = TGridPalletOptimizer().Calculate(c.BoxL, c.BoxW, c.BoxH, c.Pallet.LengthMM + 2 * o,
                                                c.Pallet.WidthMM + 2 * o, c.Pallet.LoadHeightMM);
  return box;
}

class PalletPictureTest : public ::testing::TestWithParam<TPictureCase> {};

// One outlined rectangle per box, each in the fill of its orientation, and
// nothing outside the rectangle given: a box lost, doubled or drawn off the
// panel, or a view scaled past its part.
TEST_P(PalletPictureTest, OutlinesEveryBoxInsideTheRectangle) {
  const TPictureCase& c = GetParam();
  const TBoxVariant box = LoadedBox(c);
  const TPalletLayer layer = SolutionLayer(box, c.Pallet);
  ASSERT_GT(layer.Count, 0);
  TRecordingSurface canvas;
  DrawPalletPicture(canvas, c.Rect, box, layer, c.Pallet);
  ExpectAllInside(canvas, c.Rect);

  std::vector<TCall> boxes;
  for (const TCall& call : canvas.Calls())
    if (IsBoxFill(call)) boxes.push_back(call);
  ASSERT_EQ(boxes.size(), layer.Boxes.size());
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_GT(boxes[i].PenWidth, 0);
    EXPECT_EQ(boxes[i].BrushColour == PalletTurnedBoxFill,
              IsTurned(layer.Boxes[i], box.LengthMM, box.WidthMM));
  }
}

// The pallet edge is outlined over the boxes; the overhang zone and the
// pallet under the stack appear exactly when they exist.
TEST_P(PalletPictureTest, ShowsThePalletEdgeOverhangAndOwnHeight) {
  const TPictureCase& c = GetParam();
  const TBoxVariant box = LoadedBox(c);
  const TPalletLayer layer = SolutionLayer(box, c.Pallet);
  TRecordingSurface canvas;
  DrawPalletPicture(canvas, c.Rect, box, layer, c.Pallet);
  const std::vector<TCall> rectangles = canvas.CallsOf(Kind::Rectangle);
  size_t lastBox = 0, edge = 0;
  for (size_t i = 0; i < rectangles.size(); ++i) {
    if (IsBoxFill(rectangles[i])) lastBox = i;
    if (rectangles[i].BrushStyle == TBrushStyle::Clear) edge = i;
  }
  ASSERT_GT(edge, lastBox);
  // The overhang zone is the one rectangle around the pallet edge.
  size_t around = 0;
  for (const TCall& call : rectangles)
    if (call.Rect != rectangles[edge].Rect && Inside(rectangles[edge].Rect, call.Rect)) ++around;
  EXPECT_EQ(around, c.Pallet.OverhangMM > 0 ? 1u : 0u);

  // In the side view: one rectangle per layer, then the pallet when it has a height.
  const std::vector<TCall> side(rectangles.begin() + static_cast<ptrdiff_t>(edge) + 1,
                                rectangles.end());
  const size_t pallet = c.Pallet.OwnHeightMM > 0 ? 1 : 0;
  ASSERT_EQ(side.size(), static_cast<size_t>(box.Pallet.LayerCount) + pallet);
  for (size_t i = 1; i + pallet < side.size(); ++i)
    EXPECT_EQ(side[i].Rect.Bottom, side[i - 1].Rect.Top);  // stacked, bottom up
  if (pallet != 0) {
    EXPECT_EQ(side.back().Rect.Top, side.front().Rect.Bottom);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PalletPictureTest,
    ::testing::Values(
        TPictureCase{400, 300, 200, {1200, 800, 0, 0, 0, 1800}, {0, 0, 300, 150}},
        TPictureCase{433.4, 208, 384, {1200, 800, 144, 25, 0, 1800}, {10, 20, 490, 150}},
        TPictureCase{600, 400, 250, {1200, 1000, 150, 22, 30, 1600}, {88, 1338, 566, 1468}},
        TPictureCase{120, 80, 100, {1200, 800, 144, 25, 20, 1800}, {0, 0, 260, 129}}));

// Boxes lying both ways in one layer get the two fills.
TEST(PalletPictureMixedTest, TurnedBoxesDifferInFill) {
  TBoxVariant box;
  box.LengthMM = 400;
  box.WidthMM = 300;
  box.HeightMM = 200;
  box.Pallet = {3, 1, 3, false, 0};
  TPalletLayer layer;
  layer.Boxes = {{0, 0, 400, 300}, {400, 0, 300, 400}, {700, 0, 400, 300}};
  layer.Count = layer.UpperBound = 3;
  TRecordingSurface canvas;
  DrawPalletPicture(canvas, {0, 0, 300, 150}, box, layer, {1200, 800, 0, 0, 0, 1800});
  std::vector<TColor> fills;
  for (const TCall& call : canvas.Calls())
    if (IsBoxFill(call)) fills.push_back(call.BrushColour);
  EXPECT_EQ(fills, (std::vector<TColor>{PalletBoxFill, PalletTurnedBoxFill, PalletBoxFill}));
}

// A layer of hundreds of thousands of boxes and layers thinner than a pixel
// are drawn in a bounded number of calls.
TEST(PalletPictureMixedTest, HugeLayersDrawAsBlocks) {
  const TPictureCase c{2, 2, 1, {1200, 800, 0, 0, 0, 1800}, {0, 0, 300, 150}};
  const TBoxVariant box = LoadedBox(c);
  const TPalletLayer layer = SolutionLayer(box, c.Pallet);
  ASSERT_EQ(layer.Boxes.size(), 240000u);
  TRecordingSurface canvas;
  DrawPalletPicture(canvas, c.Rect, box, layer, c.Pallet);
  EXPECT_LT(canvas.Calls().size(), 20u);
  ExpectAllInside(canvas, c.Rect);
}

class PalletFigureLinesTest : public testing::ReportFixture {};

// Both languages: every figure line comes out translated, with the
// separator given; the last line says proven or how many more at most.
TEST_F(PalletFigureLinesTest, AreTranslatedAndEndWithTheProof) {
  TPalletFigures f;
  f.BoxesPerLayer = 8;
  f.LayerCount = 9;
  f.BoxesPerPallet = 72;
  f.PacksPerPallet = 1728;
  f.LoadHeightMM = 1944;
  f.GrossWeightKG = 400.3;
  f.AreaUsedPercent = 95.5;
  f.VolumeUsedPercent = 90.25;
  const TNumberFormat comma{","};
  for (const char* file : {"English.lng", "German.lng"}) {
    ASSERT_TRUE(LoadLanguage(file));
    for (const bool proven : {true, false}) {
      f.Proven = proven;
      f.MoreAtMost = proven ? 0 : 3;
      const std::vector<std::string> lines = PalletFigureLines(comma, f);
      ASSERT_EQ(lines.size(), 7u);
      EXPECT_NE(lines[0].find("8 × 9 = 72"), std::string::npos);
      EXPECT_NE(lines[3].find("400,3"), std::string::npos);
      for (const std::string& line : lines) {
        const std::string shown = TrMultiline(line);
        size_t pos = 0;
        char32_t cp;
        while (pos < shown.size())
          if (DecodeUtf8(shown, pos, cp)) {
            EXPECT_FALSE(cp >= 0x400 && cp <= 0x4FF) << shown;
          }
      }
      EXPECT_EQ(lines.back().find(": 3") != std::string::npos, !proven) << lines.back();
    }
  }
}

}  // namespace
}  // namespace quelmora
