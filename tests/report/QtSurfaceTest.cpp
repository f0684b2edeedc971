#include <gtest/gtest.h>

#include <QImage>

#include "report/QtSurface.h"

namespace quelmora {
namespace {

QImage Page(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  return image;
}

TColor At(const QImage& image, int x, int y) {
  return image.pixel(x, y) & 0xFFFFFF;
}

TEST(QtSurfaceTest, PointSizesBecomePixelsAtNinetySixDotsPerInch) {
  EXPECT_EQ(FontPixelSize(30, 96), 40);
  EXPECT_EQ(FontPixelSize(15, 96), 20);
  EXPECT_EQ(FontPixelSize(13, 96), 17);
  EXPECT_EQ(FontPixelSize(9, 96), 12);
  EXPECT_EQ(FontPixelSize(25, 96), 33);
  EXPECT_EQ(Page(10, 10).logicalDpiY(), 96);
}

TEST(QtSurfaceTest, ShapesCoverTheirRectangles) {
  QImage image = Page(100, 100);
  {
    TQtSurface surface(image);
    surface.SetBrush(0x00FF00, TBrushStyle::Solid);
    surface.FillRect({0, 0, 10, 10});
    surface.SetBrush(0xFF0000, TBrushStyle::Solid);
    surface.SetPen(0x0000FF, 1);
    surface.Rectangle({20, 20, 60, 50});
    surface.SetBrush(0xFF0000, TBrushStyle::Clear);
    surface.Rectangle({70, 70, 90, 90});
  }
  EXPECT_EQ(At(image, 9, 9), 0x00FF00u);
  EXPECT_EQ(At(image, 10, 10), 0xFFFFFFu);
  EXPECT_EQ(At(image, 20, 20), 0x0000FFu);
  EXPECT_EQ(At(image, 59, 49), 0x0000FFu);
  EXPECT_EQ(At(image, 60, 50), 0xFFFFFFu);
  EXPECT_EQ(At(image, 40, 35), 0xFF0000u);
  EXPECT_EQ(At(image, 70, 80), 0x0000FFu);
  EXPECT_EQ(At(image, 80, 80), 0xFFFFFFu);  // a clear brush fills nothing
}

TEST(QtSurfaceTest, TextStandsBelowAndRightOfItsPosition) {
  QImage image = Page(400, 200);
  int width = 0;
  {
    TQtSurface surface(image);
    surface.SetFont("Segoe UI", 30, true, 0x000000);
    surface.SetBrush(0xFFFFFF, TBrushStyle::Clear);
    surface.TextOut(100, 50, "Ящик");
    width = surface.TextWidth("Ящик");
  }
  EXPECT_GT(width, 40);
  int top = 200, bottom = 0, left = 400, right = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_GE(top, 50);
  EXPECT_GE(left, 100);
  EXPECT_LE(right, 100 + width);
  // Capitals of a 40-pixel font are about 29 pixels high.
  EXPECT_GE(bottom - top, 24);
  EXPECT_LE(bottom - top, 40);
}

TEST(QtSurfaceTest, DrawTextAlignsInItsRectangle) {
  QImage image = Page(400, 100);
  {
    TQtSurface surface(image);
    surface.SetFont("Segoe UI", 12, false, 0x000000);
    surface.SetBrush(0xFFFFFF, TBrushStyle::Clear);
    surface.DrawText({200, 10, 390, 40}, "Page 12", dtSingleLine | dtRight);
    surface.DrawText({0, 50, 400, 90}, "x", dtSingleLine | dtCenter | dtVCenter);
  }
  int left = 400, right = 0;
  for (int y = 10; y < 40; ++y)
    for (int x = 0; x < 400; ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_GE(left, 300);
  EXPECT_LE(right, 389);
  EXPECT_GE(right, 380);
  int centre = 0, count = 0;
  for (int y = 50; y < 90; ++y)
    for (int x = 0; x < 400; ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        centre += x;
        ++count;
      }
  ASSERT_GT(count, 0);
  EXPECT_NEAR(centre / count, 200, 4);
}

}  // namespace
}  // namespace quelmora
