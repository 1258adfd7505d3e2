#include "base/sjis.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk {
namespace {

using testing::sj;

TEST(Base_SjisTests, RoundTripsJapaneseThroughCp932) {
  std::string bytes = sj("駅名ﾃｽﾄ①");  // kanji, half-width kana, a CP932-only circled digit
  EXPECT_EQ(bytes.size(), 4u + 3u + 2u);
  EXPECT_EQ(sjis::to_utf8(bytes), "駅名ﾃｽﾄ①");
}

TEST(Base_SjisTests, UsesCp932MappingsForWaveDashAndFullWidthMinus) {
  // Plain SHIFT_JIS maps 0x8160 to U+301C; CP932 data means U+FF5E.
  EXPECT_EQ(sjis::to_utf8("\x81\x60"), "～");
  EXPECT_EQ(sjis::to_utf8("\x81\x7C"), "－");
  EXPECT_EQ(sjis::from_utf8("－"), "\x81\x7C");
}

TEST(Base_SjisTests, InvalidInputGivesNoValue) {
  EXPECT_FALSE(sjis::to_utf8("\x82"));          // lead byte at the end
  EXPECT_FALSE(sjis::to_utf8("\x81\x7F"));      // invalid trail byte
  EXPECT_FALSE(sjis::from_utf8("\xC3"));        // truncated UTF-8
  EXPECT_FALSE(sjis::from_utf8("\xF0\x9F\x98\x80"));  // emoji: not in CP932
}

TEST(Base_SjisTests, LossyConversionsReplaceOnlyTheBadPart) {
  EXPECT_EQ(sjis::to_utf8_lossy(sj("駅") + "\x82"), "駅\xEF\xBF\xBD");
  EXPECT_EQ(sjis::from_utf8_lossy("a\xF0\x9F\x98\x80" "b"), "a?b");
}

TEST(Base_SjisTests, CutNeverSplitsADoubleByteCharacter) {
  std::string text = "A" + sj("駅名");  // 1 + 2 + 2 bytes
  EXPECT_EQ(sjis::cut(text, 10), text);
  EXPECT_EQ(sjis::cut(text, 5), text);
  EXPECT_EQ(sjis::cut(text, 4), "A" + sj("駅"));
  EXPECT_EQ(sjis::cut(text, 2), "A");
  EXPECT_EQ(sjis::cut(text, 1), "A");
  EXPECT_EQ(sjis::cut(text, 0), "");
  // Half-width kana (0xA1-0xDF) are single bytes.
  std::string kana = sj("ｱｲｳ");
  EXPECT_EQ(sjis::cut(kana, 2).size(), 2u);
}

TEST(Base_SjisTests, CutCountsFromTheStartNotFromTheLimit) {
  // 0x82 0xA0 looks like a lead byte pair from the middle; counting from the
  // start keeps "ア" whole where a naive backwards check would cut it.
  std::string text = sj("あ") + sj("ア");
  EXPECT_EQ(sjis::cut(text, 3), sj("あ"));
}

}  // namespace
}  // namespace vosk
