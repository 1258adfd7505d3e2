#include "base/svg_surface.h"

#include <gtest/gtest.h>

#include <string>

namespace vosk {
namespace {

int count(const std::string& haystack, const std::string& needle) {
  int n = 0;
  for (auto at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++n;
  }
  return n;
}

TEST(Base_SvgSurfaceTests, DocumentStatesPixelsAndResolution) {
  SvgSurface svg({1920, 1080}, 96);
  const std::string doc = svg.document();
  EXPECT_EQ(doc.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_NE(doc.find("width=\"20in\" height=\"11.25in\""), std::string::npos);
  EXPECT_NE(doc.find("viewBox=\"0 0 1920 1080\""), std::string::npos);
  EXPECT_EQ(doc.substr(doc.size() - 7), "</svg>\n");
}

TEST(Base_SvgSurfaceTests, JoinedSegmentsOfOnePenBecomeOnePolylineOnPixelCentres) {
  SvgSurface svg({100, 100});
  svg.set_pen(Pen{PenStyle::Solid, 1, Rgb{255, 0, 0}});
  svg.move_to({0, 0});
  svg.line_to({10, 5});
  svg.line_to({20, 5});
  svg.set_pen(Pen{PenStyle::Dot, 1, Rgb{0, 0, 255}});
  svg.line_to({30, 5});  // a new pen starts a new polyline at the current position
  svg.move_to({50, 50});
  svg.line_to({60, 60});  // a gap too
  const std::string doc = svg.document();
  EXPECT_EQ(count(doc, "<polyline"), 3);
  EXPECT_NE(doc.find("stroke=\"#ff0000\" points=\"0.5,0.5 10.5,5.5 20.5,5.5\""),
            std::string::npos);
  EXPECT_NE(doc.find("stroke=\"#0000ff\" stroke-dasharray=\"3,3\" points=\"20.5,5.5 30.5,5.5\""),
            std::string::npos);
}

TEST(Base_SvgSurfaceTests, NullPenDrawsNoLineButMovesThePosition) {
  SvgSurface svg({100, 100});
  svg.set_pen(Pen{PenStyle::Null, 1, Rgb{}});
  svg.move_to({0, 0});
  svg.line_to({10, 10});
  svg.set_pen(Pen{});
  svg.line_to({20, 10});
  const std::string doc = svg.document();
  EXPECT_EQ(count(doc, "<polyline"), 1);
  EXPECT_NE(doc.find("points=\"10.5,10.5 20.5,10.5\""), std::string::npos);
}

TEST(Base_SvgSurfaceTests, RectangleFillsTheWholeBoxAndOutlinesItsInnerPixels) {
  SvgSurface svg({100, 100});
  svg.set_brush(Brush{Rgb{0, 128, 0}, false});
  svg.set_pen(Pen{PenStyle::Solid, 1, Rgb{0, 0, 0}});
  svg.rectangle({10, 20, 30, 25});
  const std::string doc = svg.document();
  EXPECT_NE(doc.find("<rect fill=\"#008000\" x=\"10\" y=\"20\" width=\"20\" height=\"5\"/>"),
            std::string::npos);
  EXPECT_NE(doc.find("x=\"10.5\" y=\"20.5\" width=\"19\" height=\"4\""), std::string::npos);

  SvgSurface hollow({100, 100});
  hollow.set_brush(Brush{Rgb{}, true});
  hollow.rectangle({0, 0, 0, 10});  // empty: nothing at all
  hollow.rectangle({0, 0, 5, 5});
  EXPECT_EQ(count(hollow.document(), "<rect"), 1);
}

TEST(Base_SvgSurfaceTests, TextIsEscapedAlignedAndRotatedAboutItsReferencePoint) {
  SvgSurface svg({200, 200});
  Font font;
  font.face = "ＭＳ ゴシック";
  font.height = -20;
  font.escapement = 900;
  svg.set_font(font);
  svg.set_text_align({HAlign::Right, VAlign::Bottom});
  svg.set_background(false, Rgb{});
  svg.text({100, 50}, "a<b&\"c\"\x01");
  const std::string doc = svg.document();
  EXPECT_NE(doc.find("<g transform=\"rotate(-90 100 50)\">"), std::string::npos);
  EXPECT_NE(doc.find(">a&lt;b&amp;&quot;c&quot;</text>"), std::string::npos);
  // Eight one-byte characters of 10 px, right-aligned at x = 100; the
  // bottom at y = 50 puts the baseline 20 - 17 px above it.
  EXPECT_NE(doc.find("<text x=\"20\" y=\"47\""), std::string::npos);
  EXPECT_EQ(count(doc, "<rect"), 0);  // transparent background
}

TEST(Base_SvgSurfaceTests, OpaqueTextPaintsItsBoxInTheBackgroundColour) {
  SvgSurface svg({200, 200});
  Font font;
  font.height = -10;
  svg.set_font(font);
  svg.set_background(true, Rgb{255, 255, 0});
  svg.text({0, 0}, "駅");
  EXPECT_NE(svg.document().find("<rect fill=\"#ffff00\" x=\"0\" y=\"0\" width=\"10\" height=\"10\"/>"),
            std::string::npos);
}

}  // namespace
}  // namespace vosk
