#include "ui/picture_export.h"

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"

namespace vosk::ui {
namespace {

TEST(Ui_PictureExportTests, PngHoldsTheDrawingAliasedOnWhiteAtItsResolution) {
  testing::TempDir dir;
  const std::string path = (dir.path() / "line.png").string();
  const std::string error = write_png(path, {40, 20}, 96, [](Surface& s) {
    s.set_pen(Pen{PenStyle::Solid, 1, Rgb{255, 0, 0}});
    s.line({5, 10}, {30, 10});
  });
  ASSERT_EQ(error, "");
  QImage image(QString::fromStdString(path));
  ASSERT_EQ(image.size(), QSize(40, 20));
  EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(29, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(5, 9), qRgb(255, 255, 255));  // no anti-aliased fringe
  EXPECT_EQ(image.dotsPerMeterY(), 3780);             // 96 dpi
}

TEST(Ui_PictureExportTests, PdfGetsOnePagePerDrawCall) {
  testing::TempDir dir;
  const std::string path = (dir.path() / "pages.pdf").string();
  int calls = 0;
  const std::string error = write_pdf(path, {960, 540}, 96, 3, [&](Surface& s, int page) {
    EXPECT_EQ(page, calls++);
    s.fill_rect({0, 0, 100, 100}, Rgb{0, 0, 0});
  });
  ASSERT_EQ(error, "");
  EXPECT_EQ(calls, 3);
  std::ifstream in(path, std::ios::binary);
  const std::string pdf{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_NE(pdf.find("/Count 3"), std::string::npos);
}

TEST(Ui_PictureExportTests, UnwritablePathIsReported) {
  EXPECT_NE(write_png("/nonexistent-folder/x.png", {4, 4}, 96, [](Surface&) {}), "");
}

}  // namespace
}  // namespace vosk::ui
