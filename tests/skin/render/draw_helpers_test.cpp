#include "skin/render/draw_helpers.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

// The painted pixels of a 12 x 12 white image as art: '#' where `colour` landed.
std::vector<std::string> Art(const QImage& img, QRgb colour) {
  std::vector<std::string> rows;
  for (int y = 0; y < img.height(); ++y) {
    std::string row;
    for (int x = 0; x < img.width(); ++x) row += img.pixel(x, y) == colour ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(DrawHelpers, ArrowsAreCentredInTheRectangle) {
  // Rectangle (1, 1, 12, 12): cx = 1 + 11 div 2 = 6, cy = 6.
  const std::vector<std::pair<int, std::vector<std::string>>> expected = {
      {1,
       {"............", "............", "............", ".......#....", "......##....",
        ".....###....", "....####....", ".....###....", "......##....", ".......#....",
        "............", "............"}},
      {2,
       {"............", "............", "............", ".....#......", ".....##.....",
        ".....###....", ".....####...", ".....###....", ".....##.....", ".....#......",
        "............", "............"}},
      {4,
       {"............", "............", "............", "............", "............",
        "...#######..", "....#####...", ".....###....", "......#.....", "............",
        "............", "............"}},
      {5,
       {"............", "............", ".....##.....", ".....##.....", ".....##.....",
        "..########..", "..########..", ".....##.....", ".....##.....", ".....##.....",
        "............", "............"}},
  };
  for (const auto& [kind, art] : expected) {
    QImage img(12, 12, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawArrow(p, {1, 1, 12, 12}, 0x000000FF, kind); // red
    p.end();
    EXPECT_EQ(Art(img, qRgb(255, 0, 0)), art) << "kind " << kind;
  }
}

TEST(DrawHelpers, DarkenColorRoundsHalvesAwayFromZero) {
  struct Case {
    TColor in;
    int p;
    TColor out;
  };
  const Case cases[] = {
      {0x000A64FF, 50, 0x0005327F}, // 255 -> 255 - 128 (127.5 rounds up), 100 -> 50, 10 -> 5
      {0x000A0A0A, 25, 0x00070707}, // 2.5 rounds to 3
      {0x00FFFFFF, 0, 0x00FFFFFF},   {0x00FFFFFF, 100, 0x00000000},
      {0x00102030, -50, 0x00183048}, // negative percentages brighten
      {0x00FFFFFF, -50, 0x00FFFFFF}, // but stay within a byte
      {0x020000FF, 0, 0x0000FF},     // only the high bit marks a system colour
  };
  for (const Case& c : cases)
    EXPECT_EQ(DarkenColor(c.in, c.p), c.out) << std::hex << c.in << " " << std::dec << c.p;
}

TEST(DrawHelpers, SystemColoursComeFromThePalette) {
  QPalette palette = QGuiApplication::palette();
  const QPalette saved = palette;
  palette.setColor(QPalette::Active, QPalette::Button, QColor(200, 100, 40));
  palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
  QGuiApplication::setPalette(palette);
  EXPECT_EQ(ColorToRGB(0x8000000Fu), 0x002864C8u); // button face
  EXPECT_EQ(ColorToRGB(0xFF00000Du), 0x00030201u); // highlight
  EXPECT_EQ(ColorToRGB(0x800000FFu), 0u);          // no such system colour
  EXPECT_EQ(DarkenColor(0x8000000Fu, 50), 0x00143264u);
  QGuiApplication::setPalette(saved);
}

TEST(DrawHelpers, GlyphFromStripIsTransparentInItsBottomLeftColour) {
  // Four 16 x 8 glyphs; glyph 2 is green with a blue background.
  QImage strip(64, 8, QImage::Format_RGB32);
  strip.fill(qRgb(9, 9, 9));
  for (int y = 0; y < 8; ++y)
    for (int x = 16; x < 32; ++x)
      strip.setPixel(x, y, (x - 16 == y) ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
  QImage canvas(40, 20, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter p(&canvas);
  DrawGlyphFromStrip(p, 3, 4, 2, 4, strip);
  p.end();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool diagonal = x - 3 == y - 4 && y >= 4 && y < 12 && x < 19;
      ASSERT_EQ(canvas.pixel(x, y), diagonal ? qRgb(0, 255, 0) : qRgb(255, 255, 255))
          << x << "," << y;
    }

  // Empty strips, no glyphs and glyphs outside the strip draw nothing.
  QImage before = canvas;
  QPainter q(&canvas);
  DrawGlyphFromStrip(q, 0, 0, 1, 4, QImage());
  DrawGlyphFromStrip(q, 0, 0, 1, 0, strip);
  DrawGlyphFromStrip(q, 0, 0, 5, 4, strip);
  DrawGlyphFromStrip(q, 0, 0, 0, 4, strip);
  DrawGlyphFromStrip(q, 0, 0, 1, 100, strip); // narrower than a pixel
  q.end();
  EXPECT_EQ(canvas, before);
}

} // namespace
