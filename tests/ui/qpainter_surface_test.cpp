#include "ui/qpainter_surface.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <string>

namespace vosk::ui {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr Rgb kBlue{0, 0, 255};

QImage blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// One row as a string: '#' for a pixel of `ink`, '.' for white, '?' else.
std::string row(const QImage& image, int y, QRgb ink, int from = 0, int to = -1) {
  if (to < 0) to = image.width();
  std::string out;
  for (int x = from; x < to; ++x) {
    const QRgb p = image.pixel(x, y);
    out += p == ink ? '#' : p == kWhite ? '.' : '?';
  }
  return out;
}

std::string repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

TEST(Ui_QPainterSurfaceTests, OnePixelLinesLeaveOutTheirEndPixel) {
  QImage image = blank(20, 4);
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    surface.set_pen({PenStyle::Solid, 1, kBlue});
    surface.line({2, 1}, {10, 1});
  }
  EXPECT_EQ(row(image, 1, qRgb(0, 0, 255)), ".." + repeat('#', 8) + repeat('.', 10));
  EXPECT_EQ(row(image, 0, qRgb(0, 0, 255)), repeat('.', 20));
}

TEST(Ui_QPainterSurfaceTests, ThickDashedLineIsAGridOfDashedStrokes) {
  QImage image = blank(80, 10);
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    draw_thick_line(surface, {0, 4}, {60, 4}, PenStyle::Dash, kBlue, 2);
  }
  const QRgb ink = qRgb(0, 0, 255);
  // Dashes of 18 pixels and gaps of 6, the stroke repeated one pixel to the
  // right: each dash grows by one pixel and each gap shrinks by one.
  const std::string dashed = repeat('#', 19) + repeat('.', 5) + repeat('#', 19) + repeat('.', 5) +
                             repeat('#', 13) + repeat('.', 19);
  EXPECT_EQ(row(image, 4, ink), dashed);
  EXPECT_EQ(row(image, 5, ink), dashed);  // two pixels thick
  EXPECT_EQ(row(image, 3, ink), repeat('.', 80));
  EXPECT_EQ(row(image, 6, ink), repeat('.', 80));
}

TEST(Ui_QPainterSurfaceTests, DottedStyleStaysDotted) {
  QImage image = blank(24, 3);
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    draw_thick_line(surface, {0, 1}, {12, 1}, PenStyle::Dot, kBlue, 0);
  }
  EXPECT_EQ(row(image, 1, qRgb(0, 0, 255)), "###...###..." + repeat('.', 12));
}

TEST(Ui_QPainterSurfaceTests, RectangleCoversLeftToRightMinusOne) {
  QImage image = blank(12, 8);
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    surface.set_pen({PenStyle::Solid, 1, {0, 0, 0}});
    surface.set_brush(Brush{{255, 0, 0}, false});
    surface.rectangle({2, 1, 8, 6});
    surface.fill_rect({9, 0, 11, 2}, {0, 255, 0});
  }
  const QRgb black = qRgb(0, 0, 0);
  EXPECT_EQ(row(image, 0, black, 0, 9), repeat('.', 9));
  EXPECT_EQ(row(image, 1, black, 0, 9), "..######.");
  EXPECT_EQ(image.pixel(3, 3), qRgb(255, 0, 0));  // interior in the brush
  EXPECT_EQ(row(image, 5, black, 0, 9), "..######.");
  EXPECT_EQ(row(image, 6, black, 0, 9), repeat('.', 9));
  EXPECT_EQ(image.pixel(10, 1), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(11, 1), kWhite);
}

// Bounding box of every non-white pixel.
QRect ink_box(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(Ui_QPainterSurfaceTests, TextIsMeasuredAlignedAndTurnedByItsEscapement) {
  QImage image = blank(200, 200);
  Size measured;
  QRect flat, turned;
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    surface.set_font(Font{"ＭＳ ゴシック", -16, 12, 400, false, false, false, 0});
    surface.set_background(false, {});
    measured = surface.measure("ABCDEFGH");
    EXPECT_GT(measured.width, 40);
    EXPECT_GE(measured.height, 16);
    surface.set_text_align({HAlign::Left, VAlign::Top});
    surface.text({10, 10}, "ABCDEFGH");
  }
  flat = ink_box(image);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    surface.set_font(Font{"ＭＳ ゴシック", -16, 12, 400, false, false, false, 900});
    surface.set_background(false, {});
    surface.set_text_align({HAlign::Left, VAlign::Bottom});
    surface.text({100, 150}, "ABCDEFGH");
  }
  turned = ink_box(image);
  // Left-top alignment puts the ink right of and below the reference point.
  EXPECT_GE(flat.left(), 10);
  EXPECT_GE(flat.top(), 10);
  EXPECT_LE(flat.right(), 10 + measured.width);
  EXPECT_GT(flat.width(), flat.height());
  // 90 degrees counter-clockwise: the text runs upwards from the point, and
  // bottom alignment puts it left of the point.
  EXPECT_GT(turned.height(), turned.width());
  EXPECT_LE(turned.bottom(), 150);
  EXPECT_LE(turned.right(), 100);
}

TEST(Ui_QPainterSurfaceTests, OpaqueTextFillsItsBox) {
  QImage image = blank(100, 40);
  Size size;
  {
    QPainter painter(&image);
    QPainterSurface surface(painter);
    surface.set_font(Font{"MS Gothic", -12, 9, 400, false, false, false, 0});
    surface.set_background(true, {255, 255, 0});
    size = surface.measure("12:34:56");
    surface.text({5, 5}, "12:34:56");
  }
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 0));
  EXPECT_EQ(image.pixel(5 + size.width - 1, 5 + size.height - 1), qRgb(255, 255, 0));
  EXPECT_EQ(image.pixel(5 + size.width, 5), kWhite);
}

TEST(Ui_QPainterSurfaceTests, WindowsFontNamesResolveToIpaGothic) {
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic"}) {
    const QFontInfo info(to_qfont(Font{name, -12, 9, 400, false, false, false, 0}, 96));
    EXPECT_TRUE(info.family().startsWith(QStringLiteral("IPA"))) << info.family().toStdString();
  }
  // Height -12 is a 12-pixel em; weight 700 is bold.
  const QFont bold = to_qfont(Font{"MS Gothic", -12, 9, 700, true, true, false, 0}, 96);
  EXPECT_EQ(bold.pixelSize(), 12);
  EXPECT_EQ(bold.weight(), QFont::Bold);
  EXPECT_TRUE(bold.italic());
  EXPECT_TRUE(bold.underline());
  // Height 0 takes the point size at the surface's resolution.
  EXPECT_EQ(to_qfont(Font{"MS Gothic", 0, 9, 400, false, false, false, 0}, 96).pixelSize(), 12);
}

}  // namespace
}  // namespace vosk::ui
