#include "skin/render/bitmap.h"
#include "skin/render/layered_window.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

bool WaitUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

QImage Filled(int w, int h, QRgb c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

TEST(LayeredWindow, UnsupportedOnTheOffscreenPlatform) {
  ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
  EXPECT_FALSE(LayeredWindowsSupported());
  TspLayerManager manager;
  manager.ShowLayer(10, 10, 200, Filled(8, 8, 0xFF808080), Filled(8, 8, 0xFFFFFFFF));
  EXPECT_FALSE(manager.IsShowing());
  EXPECT_FALSE(manager.IsFading());
}

TEST(LayeredWindow, AlphaStepsByATenthOfTheLimit) {
  struct Case {
    int alpha, limit, next;
  };
  const Case cases[] = {
      {0, 200, 20}, {180, 200, 200}, {190, 200, 200}, {200, 200, 200},
      {0, 255, 25}, {250, 255, 255}, {0, 9, 0},       {0, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextLayerAlpha(c.alpha, c.limit), c.next) << c.alpha << " / " << c.limit;
}

TEST(LayeredWindow, ShowLayerFadesInToTheLimitAndHides) {
  TspLayerManager manager(nullptr, [] { return true; });
  // White picture, mask grey 90: alpha 90, colours clamped to it.
  manager.ShowLayer(10, 20, 100, Filled(6, 4, qRgb(90, 90, 90)), Filled(6, 4, 0xFFFFFFFF));
  ASSERT_TRUE(manager.IsShowing());
  TspLayerWindow* window = manager.Window();
  EXPECT_EQ(window->position(), QPoint(10, 20));
  EXPECT_EQ(window->size(), QSize(6, 4));
  EXPECT_EQ(window->ConstantAlpha(), 0);
  EXPECT_EQ(window->Picture().format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(window->Picture().pixel(3, 2), 0x5A5A5A5Au); // white at alpha 90, premultiplied
  const Qt::WindowFlags flags = window->flags();
  for (Qt::WindowFlags f : {Qt::WindowFlags(Qt::Tool), Qt::WindowFlags(Qt::WindowStaysOnTopHint),
                            Qt::WindowFlags(Qt::WindowTransparentForInput),
                            Qt::WindowFlags(Qt::WindowDoesNotAcceptFocus),
                            Qt::WindowFlags(Qt::X11BypassWindowManagerHint)})
    EXPECT_TRUE(flags & f);
  EXPECT_TRUE(manager.IsFading());

  ASSERT_TRUE(WaitUntil([&] { return !manager.IsFading(); }, 3000));
  EXPECT_EQ(manager.CurrentAlpha(), 100);
  EXPECT_EQ(window->ConstantAlpha(), 100);

  manager.HideLayer();
  EXPECT_FALSE(manager.IsShowing());
  EXPECT_EQ(manager.Window(), nullptr);
}

TEST(LayeredWindow, LowLimitStaysTransparentUntilHidden) {
  TspLayerManager manager(nullptr, [] { return true; });
  manager.SetTopmost(false);
  manager.ShowLayer(0, 0, 9, QImage(), Filled(3, 3, 0xFF102030));
  ASSERT_TRUE(manager.IsShowing());
  EXPECT_FALSE(manager.Window()->flags() & Qt::WindowStaysOnTopHint);
  // Without a mask of the bitmap's size the picture stays opaque.
  EXPECT_EQ(manager.Window()->Picture().pixel(0, 0), 0xFF102030u);
  WaitUntil([] { return false; }, 150);
  EXPECT_TRUE(manager.IsFading());
  EXPECT_EQ(manager.CurrentAlpha(), 0);

  // A new layer replaces the old one and starts over.
  manager.ShowLayer(5, 6, 255, QImage(), Filled(2, 2, 0xFFFFFFFF));
  EXPECT_EQ(manager.Window()->size(), QSize(2, 2));
  EXPECT_EQ(manager.CurrentAlpha(), 0);
  manager.HideLayer();
  EXPECT_FALSE(manager.IsFading());
}

TEST(LayeredWindow, ShowLayeredBitmapTakesPixelsAndClampsTheConstantAlpha) {
  TspBitmap bitmap;
  bitmap.SetSize(3, 2);
  bitmap.SetPixel(1, 1, 0x40202020u);
  TspLayerWindow window(true);
  window.setPosition(7, 8);
  ShowLayeredBitmap(bitmap, 300, window);
  EXPECT_EQ(window.ConstantAlpha(), 255);
  EXPECT_EQ(window.position(), QPoint(7, 8));
  EXPECT_EQ(window.size(), QSize(3, 2));
  EXPECT_EQ(window.Picture().pixel(1, 1), 0x40202020u); // taken as premultiplied already
  EXPECT_EQ(window.Picture().pixel(0, 0), 0u);
  ShowLayeredBitmap(bitmap, -4, window);
  EXPECT_EQ(window.ConstantAlpha(), 0);
}

} // namespace
