#include "shell/message_ring.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

using testing::sj;

// A monospaced font: 6 pixels per byte, so a double-byte character is 12.
int mono(std::string_view text) { return static_cast<int>(text.size()) * 6; }

TEST(Shell_MessageRingTests, AddAdvancesTheNewestIndexAndWraps) {
  MessageRing ring;
  ring.add("line 1");
  EXPECT_EQ(ring.newest(), 0);
  EXPECT_EQ(ring.line(0), "line 1");
  for (int i = 2; i <= 256; ++i) ring.add("line " + std::to_string(i));
  EXPECT_EQ(ring.newest(), 255);
  EXPECT_EQ(ring.line(0), "line 1");
  ring.add("line 257");
  // 257 lines: the first one is overwritten and the newest index is 0.
  EXPECT_EQ(ring.newest(), 0);
  EXPECT_EQ(ring.line(0), "line 257");
  EXPECT_EQ(ring.line(1), "line 2");
  EXPECT_EQ(ring.line_back(0), "line 257");
  EXPECT_EQ(ring.line_back(1), "line 256");
  EXPECT_EQ(ring.line_back(255), "line 2");
  ring.add("line 258");
  EXPECT_EQ(ring.line(1), "line 258");  // now "line 2" is gone
}

TEST(Shell_MessageRingTests, EmptyTextIsStoredAsAFullWidthSpace) {
  MessageRing ring;
  ring.add("");
  EXPECT_EQ(ring.line_back(0), "\x81\x40");
  auto rows = message_rows(ring, 600, 13, 12, mono);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], "\x81\x40");  // a blank row, still drawn
}

TEST(Shell_MessageRingTests, LongTextsAreCutTo255BytesAtACharacterBoundary) {
  MessageRing ring;
  ring.add(std::string(300, 'a'));
  EXPECT_EQ(ring.line_back(0), std::string(255, 'a'));
  // 127 double-byte characters are 254 bytes; the 128th would straddle 255.
  std::string kana;
  for (int i = 0; i < 150; ++i) kana += sj("あ");
  ring.add(kana);
  EXPECT_EQ(ring.line_back(0).size(), 254u);
  EXPECT_EQ(ring.line_back(0), kana.substr(0, 254));
  // One ASCII byte first moves the boundary: 255 bytes fit exactly.
  ring.add("x" + kana);
  EXPECT_EQ(ring.line_back(0).size(), 255u);
  // A text of exactly 255 bytes is kept whole.
  ring.add(std::string(255, 'b'));
  EXPECT_EQ(ring.line_back(0), std::string(255, 'b'));
}

TEST(Shell_MessageRingTests, ClearEmptiesEveryLineAndResetsTheIndex) {
  MessageRing ring;
  for (int i = 0; i < 10; ++i) ring.add("x");
  ring.clear();
  EXPECT_EQ(ring.newest(), 0);
  for (int i = 0; i < MessageRing::kLines; ++i) EXPECT_EQ(ring.line(i), "") << i;
  ring.add("first");
  EXPECT_EQ(ring.newest(), 1);
}

TEST(Shell_MessageRingTests, ObserverHearsEveryChangeUntilDetached) {
  MessageRing ring;
  int calls = 0;
  ring.set_observer([&] { ++calls; });
  ring.add("a");
  ring.clear();
  EXPECT_EQ(calls, 2);
  ring.set_observer(nullptr);
  ring.add("b");
  EXPECT_EQ(calls, 2);
}

TEST(Shell_MessageLayoutTests, RowsThatFitAndNewestAtTheBottom) {
  MessageRing ring;
  ring.add("one");
  ring.add("two");
  ring.add("three");
  // Rows of 12 + 1 pixels: 40 / 13 = 3 rows.
  auto rows = message_rows(ring, 600, 40, 12, mono);
  EXPECT_EQ(rows, (std::vector<std::string>{"one", "two", "three"}));
  // Two rows: the oldest line drops out.
  EXPECT_EQ(message_rows(ring, 600, 26, 12, mono), (std::vector<std::string>{"two", "three"}));
  // Lines never written show as empty rows above.
  rows = message_rows(ring, 600, 65, 12, mono);
  EXPECT_EQ(rows, (std::vector<std::string>{"", "", "one", "two", "three"}));
  // Too short for one row.
  EXPECT_TRUE(message_rows(ring, 600, 12, 12, mono).empty());
}

TEST(Shell_MessageLayoutTests, NeverMoreThan255Rows) {
  MessageRing ring;
  for (int i = 0; i < 300; ++i) ring.add("x");
  EXPECT_EQ(message_rows(ring, 600, 100000, 12, mono).size(), 255u);
  // Split lines also count against the limit.
  for (int i = 0; i < 300; ++i) ring.add(std::string(100, 'y'));
  EXPECT_EQ(message_rows(ring, 60, 100000, 12, mono).size(), 255u);
}

TEST(Shell_MessageLayoutTests, WideLinesSplitAtTheLastCharacterThatFits) {
  MessageRing ring;
  ring.add("abcdefghij");  // 60 px
  // 25 px: four bytes (24 px) fit per row.
  EXPECT_EQ(message_rows(ring, 25, 13 * 5, 12, mono),
            (std::vector<std::string>{"", "", "abcd", "efgh", "ij"}));
  // Only the tail rows of a line fit: its first rows are left out.
  EXPECT_EQ(message_rows(ring, 25, 26, 12, mono), (std::vector<std::string>{"efgh", "ij"}));
}

TEST(Shell_MessageLayoutTests, SplitNeverCutsADoubleByteCharacter) {
  std::string text = "a" + sj("あいう");  // 1 + 6 bytes: 6 + 36 px
  // 30 px: "a" + "あ" (18 px) fits, "aあい" (30 px) too, "aあいう" (42) does not.
  EXPECT_EQ(wrap_line(text, 30, mono), (std::vector<std::string>{"a" + sj("あい"), sj("う")}));
  // 23 px: "aあ" (18) fits, "aあい" (30) does not; then "いう" (24) is too wide again.
  EXPECT_EQ(wrap_line(text, 23, mono),
            (std::vector<std::string>{"a" + sj("あ"), sj("い"), sj("う")}));
}

TEST(Shell_MessageLayoutTests, AtLeastOneCharacterPerRow) {
  // A window narrower than one character still makes progress.
  EXPECT_EQ(wrap_line("ab", 3, mono), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(wrap_line(sj("あ") + "b", 0, mono), (std::vector<std::string>{sj("あ"), "b"}));
  EXPECT_EQ(wrap_line("", 0, mono), (std::vector<std::string>{""}));
  // A lone lead byte at the end is one character of its own.
  EXPECT_EQ(wrap_line("ab\x82", 12, mono), (std::vector<std::string>{"ab", "\x82"}));
}

}  // namespace
}  // namespace vosk::shell
