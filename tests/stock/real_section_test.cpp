#include "stock/real_section.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::stock {
namespace {

using vosk::testing::sj;

const std::string kSection = sj("形式情報");
const std::string kInertia = sj("慣性係数");

double inertia(std::string_view utf8_text) {
  return read_real_key(sj(utf8_text), kSection, kInertia, -1.0);
}

TEST(Stock_RealSectionTests, ReadsAKeyOfTheSection) {
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n走行特性=1\n慣性係数=0.125\n"), 0.125);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=  1.5e1\n"), 15.0);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=-0.5\n"), -0.5);
}

TEST(Stock_RealSectionTests, MissingKeyOrSectionGivesTheDefault) {
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n走行特性=1\n"), -1.0);
  EXPECT_DOUBLE_EQ(inertia("[他]\n慣性係数=0.5\n"), -1.0);
  EXPECT_DOUBLE_EQ(inertia("慣性係数=0.5\n[形式情報]\n"), -1.0);  // before any section
  EXPECT_DOUBLE_EQ(inertia(""), -1.0);
}

TEST(Stock_RealSectionTests, UnusableValuesReadZeroNotTheDefault) {
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=\n"), 0.0);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=abc\n"), 0.0);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=\"0.5\"\n"), 0.0);  // quotes stay
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=inf\n"), 0.0);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=1e999\n"), 0.0);
  // Conversion stops at the first unusable byte.
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=0.25kg ; note\n"), 0.25);
}

TEST(Stock_RealSectionTests, KeysAreComparedByteForByte) {
  // No trimming around the key: these keys are not "慣性係数".
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n 慣性係数=0.5\n"), -1.0);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数 =0.5\n"), -1.0);
  // A blank after '=' belongs to the value and is skipped by the conversion.
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数= 0.5\n"), 0.5);
  // No comment syntax: the key is ";慣性係数".
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n;慣性係数=0.5\n"), -1.0);
  // Section names are not trimmed either.
  EXPECT_DOUBLE_EQ(inertia("[ 形式情報]\n慣性係数=0.5\n"), -1.0);
  // Text after the closing bracket is ignored.
  EXPECT_DOUBLE_EQ(inertia("[形式情報] ; main\n慣性係数=0.5\n"), 0.5);
}

TEST(Stock_RealSectionTests, ASectionStartsOnlyAtTheFirstByte) {
  // " [他]" is not a section line, so the key after it still belongs to 形式情報.
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n [他]\n慣性係数=0.5\n"), 0.5);
  // A header without ']' names the rest of the line.
  EXPECT_DOUBLE_EQ(inertia("[形式情報\n慣性係数=0.5\n"), 0.5);
}

TEST(Stock_RealSectionTests, EverySectionOfTheNameIsSearchedFirstKeyWins) {
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\nx=1\n[他]\n慣性係数=9\n[形式情報]\n慣性係数=0.5\n"), 0.5);
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=0.5\n慣性係数=0.7\n"), 0.5);
}

TEST(Stock_RealSectionTests, DoubleByteCharactersAreTakenWhole) {
  // "ゾ" is 0x83 0x5D: its trail byte looks like ']' and must not end the name.
  std::string text = sj("[ゾーン]\n慣性係数=0.5\n");
  EXPECT_DOUBLE_EQ(read_real_key(text, sj("ゾーン"), kInertia, -1.0), 0.5);
  EXPECT_DOUBLE_EQ(read_real_key(text, "\x83", kInertia, -1.0), -1.0);
  // A lone lead byte swallows the '=' after it: the line has no key.
  std::string broken = "[" + kSection + "]\n\x82=0.5\n";
  EXPECT_FALSE(find_real_key(broken, kSection, "\x82").has_value());
  // A lead byte at the very end of a line does not run into the next line.
  std::string tail = "[" + kSection + "]\nx=\x82\n" + kInertia + "=0.5\n";
  EXPECT_DOUBLE_EQ(read_real_key(tail, kSection, kInertia, -1.0), 0.5);
}

TEST(Stock_RealSectionTests, LastLineWithoutLineEndIsRead) {
  EXPECT_DOUBLE_EQ(inertia("[形式情報]\n慣性係数=0.5"), 0.5);
}

}  // namespace
}  // namespace vosk::stock
