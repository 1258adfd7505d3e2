#include "map/rail_check.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"

namespace vosk::map {
namespace {

using testing::ScriptedPrompt;

// Two rails of one track joined end to end: 1 -> 2, each on its own PRail,
// display positions joined, every rail with a signal.
struct LineFixture {
  RecordTable<Rail> rails;
  RecordTable<PRail> prails;
  LineFixture() {
    rails.allocate(10);
    prails.allocate(10);
    rails.grow_to(2);
    Rail& a = rails[1];
    Rail& b = rails[2];
    a.l_next = 2;
    b.l_back = 1;
    a.signal = b.signal = 1;
    a.row = b.row = 1;
    a.row_pos_x_back = 0, a.row_pos_x_next = 10;
    b.row_pos_x_back = 10, b.row_pos_x_next = 20;
    a.l_pack = 1;
    b.l_pack = 2;
    prails.grow_to(2);
    prails[1].rail_a = 1;
    prails[2].rail_a = 2;
  }
};

TEST(Map_RailCheckTests, ConsistentMapPassesSilently) {
  LineFixture f;
  ScriptedPrompt prompt;
  EXPECT_EQ(check_rail_data(f.rails, f.prails, true, prompt), RailCheckResult::Accepted);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Map_RailCheckTests, DeadEndWithoutSignalIsOfferedARepair) {
  LineFixture f;
  f.rails[2].signal = 0;
  f.rails[2].label = "end";
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  check_rail_data(f.rails, f.prails, true, prompt);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text, "レールデータが不正です。\nendの信号設定を自動修正します。\nよろしいですか？\n");
  EXPECT_EQ(f.rails[2].signal, 1);

  f.rails[2].signal = 0;
  ScriptedPrompt no;
  no.script({Answer::No});
  check_rail_data(f.rails, f.prails, true, no);
  EXPECT_EQ(f.rails[2].signal, 0);
}

TEST(Map_RailCheckTests, NegativeLinksCompareByAbsoluteValue) {
  LineFixture f;
  f.rails[1].l_next = 2;
  f.rails[2].l_back = -1;
  ScriptedPrompt prompt;
  EXPECT_EQ(check_rail_data(f.rails, f.prails, true, prompt), RailCheckResult::Accepted);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Map_RailCheckTests, NegativeNextLinkPassesWhicheverSignTheBackLinkHas) {
  for (int back : {1, -1}) {
    LineFixture f;
    f.rails.grow_to(5);
    f.prails.grow_to(5);
    for (int r = 3; r <= 5; ++r) {
      f.rails[r].signal = 1;
      f.rails[r].l_pack = r;
      f.prails[r].rail_a = r;
    }
    f.rails[2].l_back = 0;
    f.rails[1].l_next = -5;
    f.rails[5].l_back = back;
    f.rails[5].l_next = 3;  // keeps rail 5 off the dead-end repair
    f.rails[3].l_back = 5;
    f.rails[3].l_next = 4;
    f.rails[4].l_back = 3;
    f.rails[4].l_next = -1;
    ScriptedPrompt prompt;
    EXPECT_EQ(check_rail_data(f.rails, f.prails, false, prompt), RailCheckResult::Accepted) << back;
    EXPECT_EQ(prompt.count(), 0u) << back;
  }
}

TEST(Map_RailCheckTests, UnmirroredLinkIsReportedAndAbortAbandons) {
  LineFixture f;
  f.rails[2].l_back = 0;
  ScriptedPrompt prompt;
  prompt.script({Answer::Abort});
  EXPECT_EQ(check_rail_data(f.rails, f.prails, true, prompt), RailCheckResult::Abandoned);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(prompt.last().buttons, Buttons::AbortRetryIgnore);
  EXPECT_NE(prompt.last().text.find(" l_next i:1 l_next:2\n"), std::string::npos);
}

TEST(Map_RailCheckTests, IgnoreStopsEveryLaterTestIncludingPassTwo) {
  LineFixture f;
  f.rails[2].l_back = 0;
  f.prails[2].rail_a = 5;  // would be a pass-two report
  ScriptedPrompt prompt;
  prompt.script({Answer::Ignore});
  EXPECT_EQ(check_rail_data(f.rails, f.prails, true, prompt), RailCheckResult::Accepted);
  EXPECT_EQ(prompt.count(), 1u);
}

TEST(Map_RailCheckTests, RetryGoesOnToTheNextTest) {
  LineFixture f;
  f.rails[2].l_back = 0;
  f.rails[2].length = 5;
  f.prails[1].rail_b = 2;  // rail 2's l_pack is 2, not 1
  ScriptedPrompt prompt;
  prompt.script({Answer::Retry, Answer::Retry, Answer::Retry, Answer::Retry});
  EXPECT_EQ(check_rail_data(f.rails, f.prails, true, prompt), RailCheckResult::Accepted);
  ASSERT_EQ(prompt.count(), 3u);
  EXPECT_NE(prompt.asked()[1].text.find("双方向パックレールデータが不正です。"), std::string::npos);
  EXPECT_NE(prompt.asked()[2].text.find(" dist error 1:0 2:5\n"), std::string::npos);
}

TEST(Map_RailCheckTests, DisplayPositionsAreCheckedOnlyWithMapPosCheck) {
  LineFixture f;
  f.rails[2].row_pos_x_back = 11;
  ScriptedPrompt off;
  EXPECT_EQ(check_rail_data(f.rails, f.prails, false, off), RailCheckResult::Accepted);
  EXPECT_EQ(off.count(), 0u);

  ScriptedPrompt on;
  on.script({Answer::Retry, Answer::Retry});
  check_rail_data(f.rails, f.prails, true, on);
  ASSERT_EQ(on.count(), 2u);
  EXPECT_EQ(on.asked()[0].text.rfind("レール表示データが不正です。", 0), 0u);
  EXPECT_NE(on.asked()[0].text.find(" row_pos_x i:1(10) l_next(2):11\n"), std::string::npos);
}

TEST(Map_RailCheckTests, LinksToMissingRailsAreReportedNotFollowed) {
  LineFixture f;
  f.rails[1].l_next = 4000;  // beyond the table
  f.rails[2].l_back = 0;
  ScriptedPrompt prompt;
  prompt.script({Answer::Retry});
  EXPECT_EQ(check_rail_data(f.rails, f.prails, true, prompt), RailCheckResult::Accepted);
  EXPECT_EQ(prompt.count(), 1u);
}

}  // namespace
}  // namespace vosk::map
