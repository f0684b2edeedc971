#include <gtest/gtest.h>

#include <vector>

#include "ReportFixture.h"
#include "l10n/Localization.h"
#include "report/PackagingPreview.h"
#include "report/RecordingSurface.h"

namespace quelmora {
namespace {

using Kind = TRecordingSurface::TKind;
using testing::MakeSolution;

const TNumberFormat Point{"."};
const TNumberFormat Comma{","};

class PackPreviewTest : public testing::ReportFixture {};

TEST_F(PackPreviewTest, ScalesThePackIntoTheRectangle) {
  TRecordingSurface canvas;
  const TRect rect{10, 20, 410, 320};
  DrawPackPreview(canvas, rect, MakeSolution(1, 100, 50, 150), Point);

  // S = min(320 / 122.5, 238 / 166, 1.25) = 1.25: FW 125, FH Rnd(187.5) = 188, D Rnd(26.25) = 26.
  const int x0 = 10 + (400 - 125 - 26) / 2, y0 = 20 + 29 + 26;
  ASSERT_EQ(x0, 134);
  const auto& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].Kind, Kind::FillRect);
  EXPECT_EQ(calls[0].Rect, rect);
  EXPECT_EQ(calls[0].BrushColour, 0xFFFFFFu);

  const std::vector<std::vector<TPoint>> faces = {
      {{x0, y0}, {x0 + 26, y0 - 26}, {x0 + 151, y0 - 26}, {x0 + 125, y0}},
      {{x0 + 125, y0}, {x0 + 151, y0 - 26}, {x0 + 151, y0 + 162}, {x0 + 125, y0 + 188}},
      {{x0, y0}, {x0 + 125, y0}, {x0 + 125, y0 + 188}, {x0, y0 + 188}}};
  const std::vector<TColor> fills = {0xFFD59A, 0xEEA852, 0xFFC274};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[1 + i].Kind, Kind::Polygon);
    EXPECT_EQ(calls[1 + i].Points, faces[i]) << i;
    EXPECT_EQ(calls[1 + i].BrushColour, fills[i]) << i;
    EXPECT_EQ(calls[1 + i].PenColour, 0x1F4570u);
    EXPECT_EQ(calls[1 + i].PenWidth, 2);
  }

  EXPECT_EQ(calls[4].Kind, Kind::Line);
  EXPECT_EQ(calls[4].Points, (std::vector<TPoint>{{x0 + 62, y0 + 5}, {x0 + 62, y0 + 183}}));
  EXPECT_EQ(calls[4].PenColour, 0xFFFFFFu);
  EXPECT_EQ(calls[4].PenWidth, 2);

  EXPECT_EQ(calls[5].Kind, Kind::DrawText);
  EXPECT_EQ(calls[5].Rect, (TRect{10, 292, 410, 320}));
  EXPECT_EQ(calls[5].Flags, 37u);
  EXPECT_EQ(calls[5].Text, "100.0 × 50.0 × 150.0 мм");
  EXPECT_EQ(calls[5].BrushStyle, TBrushStyle::Clear);
  EXPECT_EQ(calls[5].Font, (TRecordingSurface::TFont{"Segoe UI", 9, false, 0x223449}));
}

TEST_F(PackPreviewTest, NeverDrawsSmallerThanTheMinimumSizes) {
  TRecordingSurface canvas;
  DrawPackPreview(canvas, {0, 0, 20, 20}, MakeSolution(1, 100, 50, 150), Point);
  // FW 28, FH 36, D 14; the drawing then leaves the rectangle.
  const std::vector<TPoint> front = {{-11, 22}, {17, 22}, {17, 58}, {-11, 58}};
  EXPECT_EQ(canvas.CallsOf(Kind::Polygon)[2].Points, front);
}

TEST_F(PackPreviewTest, CaptionUsesTheDecimalSeparatorAndTheLanguage) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  TRecordingSurface canvas;
  DrawPackPreview(canvas, {0, 0, 300, 200}, MakeSolution(1, 72.25, 36, 96.5), Comma);
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"72,2 × 36,0 × 96,5 mm"});
}

class BoxLayoutTest : public testing::ReportFixture {};

TEST_F(BoxLayoutTest, DrawsOneLayerToScale) {
  TOptimizationSolution s = MakeSolution(1, 100, 100, 50);
  s.Box.InnerLengthMM = 400;
  s.Box.InnerWidthMM = 300;
  s.Box.PackPlacement = {poLBH, 4, 3, 2, 24, 100, 100, 50};
  TRecordingSurface canvas;
  DrawBoxLayout(canvas, {0, 0, 448, 362}, s, Point);

  // Area 400 × 302 gives S = 1: the box is 400 × 300 at (24, 15).
  const std::vector<TRecordingSurface::TCall> rectangles = canvas.CallsOf(Kind::Rectangle);
  ASSERT_EQ(rectangles.size(), 1u + 12u);
  EXPECT_EQ(rectangles[0].Rect, (TRect{24, 15, 424, 315}));
  EXPECT_EQ(rectangles[0].BrushColour, 0xFBF8F4u);
  EXPECT_EQ(rectangles[0].PenColour, 0x223449u);
  EXPECT_EQ(rectangles[0].PenWidth, 3);
  EXPECT_EQ(rectangles[1].Rect, (TRect{25, 16, 123, 114}));
  EXPECT_EQ(rectangles[12].Rect, (TRect{325, 216, 423, 314}));
  for (size_t i = 1; i < rectangles.size(); ++i) {
    EXPECT_EQ(rectangles[i].BrushColour, 0xFFC274u);
    EXPECT_EQ(rectangles[i].PenColour, 0xC17C25u);
    EXPECT_EQ(rectangles[i].PenWidth, 3);
  }
  EXPECT_EQ(canvas.Texts(),
            std::vector<std::string>{"ящик 410.0 × 310.0 мм; 4 × 3 в слое; слоев: 2; всего: 24"});
  EXPECT_EQ(canvas.CallsOf(Kind::DrawText)[0].Rect, (TRect{0, 334, 448, 362}));
}

TEST_F(BoxLayoutTest, CutsTheLastRowAndColumnAtTheBoxEdges) {
  TOptimizationSolution s = MakeSolution(1, 100, 100, 50);
  s.Box.InnerLengthMM = 300;
  s.Box.InnerWidthMM = 200;
  s.Box.PackPlacement = {poLBH, 3, 2, 1, 6, 100, 100, 50};
  TRecordingSurface canvas;
  // S = 272 / 300: cells of Rnd(90.67) = 91 pixels in a box of 272 × 181.
  DrawBoxLayout(canvas, {0, 0, 320, 310}, s, Point);
  const std::vector<TRecordingSurface::TCall> rectangles = canvas.CallsOf(Kind::Rectangle);
  ASSERT_EQ(rectangles.size(), 1u + 6u);
  const TRect box = rectangles[0].Rect;
  EXPECT_EQ(box, (TRect{24, 48, 296, 229}));
  EXPECT_EQ(rectangles[1].Rect, (TRect{25, 49, 114, 138}));
  EXPECT_EQ(rectangles[6].Rect, (TRect{207, 140, 295, 228}));
  for (size_t i = 1; i < rectangles.size(); ++i) {
    EXPECT_LE(rectangles[i].Rect.Right, box.Right - 1);
    EXPECT_LE(rectangles[i].Rect.Bottom, box.Bottom - 1);
  }
}

TEST_F(BoxLayoutTest, ZeroCountsDrawOneCell) {
  ASSERT_TRUE(LoadLanguage("English.lng"));
  TOptimizationSolution s = MakeSolution(1, 100, 100, 50);
  s.Box.PackPlacement = {};
  TRecordingSurface canvas;
  DrawBoxLayout(canvas, {0, 0, 300, 200}, s, Comma);
  EXPECT_EQ(canvas.CallsOf(Kind::Rectangle).size(), 2u);
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>{
                                "box 410,0 × 310,0 mm; 1 × 1 per layer; layers: 1; total: 24"});
}

TEST(RoundPixelTest, RoundsTiesToEven) {
  EXPECT_EQ(RoundPixel(187.5), 188);
  EXPECT_EQ(RoundPixel(26.25), 26);
  EXPECT_EQ(RoundPixel(90.5), 90);
  EXPECT_EQ(RoundPixel(-0.5), 0);
  EXPECT_EQ(RoundPixel(1e300), 1000000000);
}

}  // namespace
}  // namespace quelmora
