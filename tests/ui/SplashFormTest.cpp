#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QTimer>

#include "ui/SplashForm.h"

namespace quelmora {
namespace {

TEST(SplashFormTest, BorderlessWindowWithTheBuiltInPicture) {
  TSplashForm splash;
  EXPECT_EQ(splash.size(), QSize(1000, 562));
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(Qt::black));
  ASSERT_TRUE(splash.HasPicture());
  EXPECT_EQ(splash.Picture().size(), QSize(1000, 562));
  EXPECT_EQ(splash.Image()->geometry(), QRect(0, 0, 1000, 562));
  // Not a blank picture: the background and the title differ.
  const QImage picture = splash.Picture().toImage();
  EXPECT_NE(picture.pixelColor(10, 10), picture.pixelColor(500, 300));
}

TEST(SplashFormTest, ProgramIconIsBuiltIn) {
  EXPECT_FALSE(ProgramIcon().isNull());
  EXPECT_FALSE(ProgramIcon().pixmap(256, 256).isNull());
}

TEST(SplashFormTest, WaitingProcessesEventsOnlyWhileTheTimeIsNotUp) {
  TSplashForm splash;
  bool delivered = false;
  QTimer::singleShot(0, [&] { delivered = true; });
  splash.WaitUntilShownFor(50);  // never shown: returns at once
  EXPECT_FALSE(delivered);

  splash.ShowAndPaint();
  EXPECT_TRUE(splash.isVisible());
  delivered = false;
  QTimer::singleShot(0, [&] { delivered = true; });
  splash.WaitUntilShownFor(0);  // the time is up before the first wait
  EXPECT_FALSE(delivered);
  splash.WaitUntilShownFor(static_cast<int>(splash.ElapsedMs()) + 30);
  EXPECT_TRUE(delivered);
}

}  // namespace
}  // namespace quelmora
