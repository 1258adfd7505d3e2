#include "shell/font_record.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

using testing::sj;

TEST(Shell_FontRecordTests, DefaultFaceFollowsTheStartLocale) {
  EXPECT_EQ(default_font_record(true).face_name, "MS Gothic");
  EXPECT_EQ(default_font_record(false).face_name, sj("ＭＳ ゴシック"));
  FontRecord f = default_font_record(false);
  EXPECT_EQ(f.point_size, 9);
  EXPECT_EQ(f.height, -12);
  EXPECT_EQ(f.weight, 400);
  EXPECT_EQ(f.italic + f.underline + f.strike_out, 0);
}

TEST(Shell_FontRecordTests, TheDrawingFontHasTheFaceInUtf8AndTheEffectsAsFlags) {
  FontRecord r = default_font_record(false);
  r.weight = 700;
  r.underline = 1;
  const Font f = drawing_font(r);
  EXPECT_EQ(f.face, "ＭＳ ゴシック");
  EXPECT_EQ(f.height, -12);
  EXPECT_EQ(f.weight, 700);
  EXPECT_TRUE(f.underline);
  EXPECT_FALSE(f.italic);
}

TEST(Shell_FontRecordTests, OnlyTheActiveLocaleKeyIsReadAndWritten) {
  auto doc = ini::Document::parse("[DefaultFont]\nFaceNameEnglish=Courier\nFaceName=" + sj("明朝") +
                                  "\nPointSize=12\nWeight=700\n");
  FontRecord en = load_font_record(doc, kDefaultFontSection, default_font_record(true), true);
  FontRecord ja = load_font_record(doc, kDefaultFontSection, default_font_record(false), false);
  EXPECT_EQ(en.face_name, "Courier");
  EXPECT_EQ(ja.face_name, sj("明朝"));
  EXPECT_EQ(en.point_size, 12);
  EXPECT_EQ(ja.weight, 700);
  EXPECT_EQ(ja.height, -12);

  en.face_name = "Arial";
  save_font_record(doc, kDefaultFontSection, en, true);
  EXPECT_EQ(doc.find("DefaultFont", "FaceNameEnglish"), "Arial");
  EXPECT_EQ(doc.find("DefaultFont", "FaceName"), sj("明朝"));  // the other locale's face stays
}

TEST(Shell_FontRecordTests, FreshSectionIsWrittenInKeyOrder) {
  ini::Document doc;
  FontRecord f = default_font_record(false);
  f.italic = 1;
  save_font_record(doc, "DiaGramWindowFont", f, false);
  EXPECT_EQ(doc.text(), "[DiaGramWindowFont]\nFaceName=" + sj("ＭＳ ゴシック") +
                            "\nPointSize=9\nHeight=-12\nWeight=400\nItalic=1\nUnderline=0\n"
                            "StrikeOut=0\n");
}

TEST(Shell_FontRecordTests, FaceNameIsCutToItsFieldAtACharacterBoundary) {
  // 15 double-byte characters and one more byte than 31 allow.
  std::string face = "A" + sj("あいうえおかきくけこさしすせそ");
  auto doc = ini::Document::parse("[F]\nFaceName=" + face + "\n");
  FontRecord f = load_font_record(doc, "F", default_font_record(false), false);
  EXPECT_EQ(f.face_name, face.substr(0, 31));
  auto two_byte =
      ini::Document::parse("[F]\nFaceName=" + sj("あいうえおかきくけこさしすせそた") + "\n");
  EXPECT_EQ(load_font_record(two_byte, "F", {}, false).face_name.size(), 30u);
}

}  // namespace
}  // namespace vosk::shell
