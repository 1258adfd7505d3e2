#include "base/ini.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk {
namespace {

TEST(Base_IniTests, ProfileIntRules) {
  EXPECT_EQ(ini::parse_profile_int("42"), 42);
  EXPECT_EQ(ini::parse_profile_int("-7"), -7);
  EXPECT_EQ(ini::parse_profile_int("+7"), 7);
  EXPECT_EQ(ini::parse_profile_int("12abc"), 12);
  EXPECT_EQ(ini::parse_profile_int("abc"), 0);
  EXPECT_EQ(ini::parse_profile_int("-"), 0);
  EXPECT_EQ(ini::parse_profile_int("99999999999"), 2147483647);
  EXPECT_EQ(ini::parse_profile_int("-99999999999"), -2147483647 - 1);
}

TEST(Base_IniTests, LookupIgnoresCaseTrimsAndUnquotes) {
  auto doc = ini::Document::parse(
      "[Setting]\r\n  CallSpeed = 7 \r\nName=\"quoted value\"\r\n[other]\r\nx=1\r\n");
  EXPECT_EQ(doc.get_int("setting", "CALLSPEED", 4), 7);
  EXPECT_EQ(doc.get_string("SETTING", "name", ""), "quoted value");
  EXPECT_EQ(doc.get_int("Setting", "x", 5), 5);  // key of another section
  EXPECT_EQ(doc.get_int("Missing", "x", 5), 5);
}

// Found by fuzzing the header: a value with a NUL inside read back longer
// than it could be written, so a save changed it again on the next save.
TEST(Base_IniTests, ANulEndsTheValueAndBlanksBeforeItAreTrimmed) {
  using namespace std::string_literals;
  auto doc = ini::Document::parse("[s]\nk=text 6 \0\0junk\t\nn=12\0 9\n"s);
  EXPECT_EQ(doc.get_string("s", "k", ""), "text 6");
  EXPECT_EQ(doc.get_int("s", "n", 0), 12);
  auto again = ini::Document::parse("[s]\nk=" + doc.get_string("s", "k", "") + "\n");
  EXPECT_EQ(again.get_string("s", "k", ""), "text 6");
}

TEST(Base_IniTests, FirstMatchingSectionAndKeyWin) {
  auto doc = ini::Document::parse("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(doc.get_int("A", "k", 0), 1);
  // The second [a] section is never looked at.
  EXPECT_EQ(doc.get_int("A", "j", 9), 9);
}

TEST(Base_IniTests, MissingOrEmptyValueGivesTheDefault) {
  auto doc = ini::Document::parse("[S]\nempty=\nword=abc\n");
  EXPECT_EQ(doc.get_int("S", "empty", 9), 9);
  EXPECT_EQ(doc.get_int("S", "word", 9), 0);
  EXPECT_EQ(doc.get_string("S", "absent", "dflt"), "dflt");
}

TEST(Base_IniTests, ValuesAreCutToTheBufferAtACharacterBoundary) {
  auto doc = ini::Document::parse("[S]\nv=A\x82\xA0\x82\xA0\n");
  EXPECT_EQ(doc.get_string("S", "v", "", 4), "A\x82\xA0");
}

TEST(Base_IniTests, WriteUpdatesInPlaceAndKeepsOtherLines) {
  std::string text = "; comment\n[S]\nk = 1 \n  odd line\n\n[T]\nm=2\n";
  auto doc = ini::Document::parse(text);
  doc.set_int("s", "K", 5);
  EXPECT_EQ(doc.text(), "; comment\n[S]\nK=5\n  odd line\n\n[T]\nm=2\n");
}

TEST(Base_IniTests, WriteAppendsKeyToItsSectionBeforeBlankSeparators) {
  auto doc = ini::Document::parse("[S]\na=1\n\n[T]\nm=2\n");
  doc.set_string("S", "b", "x");
  doc.set_string("T", "n", "y");
  EXPECT_EQ(doc.text(), "[S]\na=1\nb=x\n\n[T]\nm=2\nn=y\n");
}

TEST(Base_IniTests, WriteCreatesSectionAndFile) {
  testing::TempDir dir;
  auto path = dir / "new.ini";
  auto doc = ini::Document::load_or_empty(path);
  doc.set_flag("Setting", "UseUndo", true);
  doc.set_string("Path", "DataQvw", "/x/qvw_data/");
  ASSERT_TRUE(doc.save(path));
  EXPECT_EQ(dir.read("new.ini"), "[Setting]\r\nUseUndo=1\r\n[Path]\r\nDataQvw=/x/qvw_data/\r\n");
}

TEST(Base_IniTests, LoadForUpdateRefusesAFileThatExistsButCannotBeRead) {
  testing::TempDir dir;
  auto missing = ini::Document::load_for_update(dir / "none.ini");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->text(), "");
  auto present = ini::Document::load_for_update(dir.write("a.ini", "[S]\r\nk=1\r\n"));
  ASSERT_TRUE(present);
  EXPECT_EQ(present->get_int("S", "k", 0), 1);
  std::filesystem::create_directory(dir / "folder.ini");  // there, but no readable file
  EXPECT_FALSE(ini::Document::load_for_update(dir / "folder.ini"));
}

TEST(Base_IniTests, FileWithoutFinalNewlineGetsOneOnlyWhenAppendedTo) {
  auto doc = ini::Document::parse("[S]\na=1");
  EXPECT_EQ(doc.text(), "[S]\na=1");
  doc.set_string("S", "b", "2");
  EXPECT_EQ(doc.text(), "[S]\na=1\nb=2\n");
}

TEST(Base_IniTests, ShiftJisSectionNamesMatchByteForByte) {
  std::string files = testing::sj("ファイル");
  auto doc = ini::Document::parse("[" + files + "]\nrail=rail.csv\n");
  EXPECT_EQ(doc.get_string(files, "rail", ""), "rail.csv");
  // "ア" is 0x83 0x41 and "ヂ" 0x83 0x61: folding the trail byte as a
  // letter would make them the same name.
  auto kana = ini::Document::parse("[" + testing::sj("ア") + "]\nk=1\n");
  EXPECT_FALSE(kana.find(testing::sj("ヂ"), "k"));
  EXPECT_TRUE(kana.find(testing::sj("ア"), "K"));
}

}  // namespace
}  // namespace vosk
