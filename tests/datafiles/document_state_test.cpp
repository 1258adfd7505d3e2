#include "datafiles/document_state.h"

#include <gtest/gtest.h>

#include "datafiles/file_kind.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

TEST(Datafiles_FileKindTests, ExtensionDecidesIgnoringCase) {
  EXPECT_EQ(kind_of("/a/b.qvw"), FileKind::DiaQvw);
  EXPECT_EQ(kind_of("/a/b.QVB"), FileKind::DiaQvb);
  EXPECT_EQ(kind_of("b.Qvp"), FileKind::OldDia);
  EXPECT_EQ(kind_of("b.qve"), FileKind::Executed);
  EXPECT_EQ(kind_of("temp.qvd"), FileKind::Header);
  EXPECT_EQ(kind_of("noext"), FileKind::Header);
  EXPECT_TRUE(is_packed(FileKind::Executed));
  EXPECT_FALSE(is_packed(FileKind::OldDia));
  EXPECT_EQ(file_title_of("/x/y/東京線.qvw"), "東京線");
}

TEST(Datafiles_DocumentStateTests, InPlaceSaveNeedsAPathAndTheCurrentVersion) {
  DocumentState s;
  EXPECT_FALSE(s.can_save_in_place());
  s.dia_path = "/d/a.qvw";
  s.loaded_version = 1219;
  EXPECT_FALSE(s.can_save_in_place());
  s.loaded_version = 1220;
  EXPECT_TRUE(s.can_save_in_place());
  // Executed data opened after the dia: Save must not write it over the dia.
  s.executed_path = "/d/run.qve";
  EXPECT_FALSE(s.can_save_in_place());
  s.executed_path.clear();
  s.forget_files();
  EXPECT_FALSE(s.can_save_in_place());
}

TEST(Datafiles_DocumentStateTests, TitleInBothLanguages) {
  DocumentState s;
  s.file_title = "line";
  std::string dia = testing::sj("平日ダイヤ");
  EXPECT_EQ(window_title("VOSK", dia, s, false), "VOSK  ＜平日ダイヤ＞  line");
  s.edited = true;
  EXPECT_EQ(window_title("VOSK", dia, s, false), "VOSK  ＜平日ダイヤ＞  line（更新）");
  EXPECT_EQ(window_title("VOSK", dia, s, true, 4), "VOSK  <平日ダイヤ>  line(Edited)  4x");
  EXPECT_EQ(window_title("VOSK", "", s, false, 2), "VOSK  ＜＞  line（更新）  2倍速");
}

TEST(Datafiles_DocumentStateTests, PointKeyTitle) {
  EXPECT_EQ(point_key_title("", "AB"), "入力ポイントキー：AB");
  EXPECT_EQ(point_key_title("10:00:00", "A"), "10:00:00 / 入力ポイントキー：A");
}

}  // namespace
}  // namespace vosk::datafiles
