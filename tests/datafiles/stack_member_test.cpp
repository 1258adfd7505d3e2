#include "datafiles/stack_member.h"

#include <gtest/gtest.h>

#include "base/format.h"
#include "datafiles/executed_state_fixtures.h"
#include "support/scripted_prompt.h"

namespace vosk::datafiles {
namespace {

using testing_fixtures::small_data_set;
using vosk::testing::ScriptedPrompt;
using vosk::testing::sj;
using vosk::testing::TempDir;

std::string repeat(std::string_view s, int n) {
  std::string out;
  for (int k = 0; k < n; ++k) out += s;
  return out;
}

// "v,v,...," for `count` values `first`, `first` + 1, ...
std::string counting(int first, int count) {
  std::string out;
  for (int k = 0; k < count; ++k) out += std::to_string(first + k) + ",";
  return out;
}
std::string counting_line(int first, int count) { return counting(first, count) + "\n"; }

// A train line of the full described shape with distinct values: 3 ints, a
// text, 5 ints, a long, 7 ints, 2 longs, an int, a long, 3 ints, 2 longs, 6
// ints, 5 longs, 25 ints, 2 longs, 4 longs, an int, 2 ints (67 numbers
// after the text), 6 reals, 6 ints, a text.
std::string train_line(int base) {
  return counting(base, 3) + sj("仕業") + "," + counting(base + 10, 67) +
         "1.500000,-0.250000,12345.678900,0.000000,7.5,-0.000000," +  // 7.5: kept as read
         counting(-base, 6) + "tail,\n";
}

// A point record: its sequence list, the 20 rail blocks, the closing line.
std::string point_record(int n) {
  std::string out = "4,1,2,\n7,0,1,\n0,3,3,\n";
  for (int i = 0; i < 20; ++i) {
    out += std::to_string(i < 2 ? 10 * n + i : 0) + ",\n";
    for (int s = 0; s < 20; ++s) {
      out += format("%d,%d,%d,\n", (i + s) % 2, i * 100 + s, -(i * 100 + s));
    }
  }
  return out + counting(n, 21) + "P" + std::to_string(n) + ",2," + counting_line(1000 + n, 26);
}

// A stack text written by hand, section by section, with every record
// shape the member has: a running diagram with events, a free one, a train
// with a per-station list, units with entry lists, a point, stations with
// their columns, accident rows with and without texts.
std::string hand_made_stack() {
  std::string t = "45296,\n\n3,\n-1,\n\n";
  t += "diagram\n2,\n";
  t += repeat("0,", 18) + repeat(",", 4) + repeat("0,", 17) + "\n";
  t += counting(1, 18) + "101M," + sj("西") + ",nick,," + counting_line(-5, 17);
  t += "1,36000,1,\n2,1,5,\n4,36300,2,\n4,36300,0,\n";
  t += "0," + counting(2, 17) + "N,D,,," + counting_line(0, 17);
  t += "train\n1,\n" + train_line(0) + "0,\n" + train_line(40) + "3,\n5,-6,7,\n";
  t += "unit\n1,\n0,0,0,0,0,,0,\n0,\n1,1,0,0,2,K1,9,\n2,\n1,2,3,4,5,6,\n6,5,4,3,2,1,\n";
  t += "point\n1,\n" + point_record(0) + point_record(1);
  t += "route_lever\n1,\n" + counting_line(0, 16) + counting_line(20, 16);
  t += "route_button\n0,\n" + counting_line(3, 9);
  t += "station\n2,\n";
  for (int s = 0; s <= 2; ++s) {
    t += counting(s * 100, 11) + sj("東") + "," + sj("東") + "," + sj("東駅") + ",e.wav," +
         counting_line(7, 3);
    t += counting_line(s * 10, 8) + counting_line(s * 10 + 50, 8);
  }
  t += "rail\n2,\n" + counting_line(0, 7) + counting_line(7, 7) + counting_line(-7, 7);
  t += "p_rail\n1,\n0,0,\n1,3,\n";
  // A row without texts has ",,,," where the five texts would be.
  t += "accident_between\n1,\n" + repeat("0,", 10) + ",,,,\n1,2,3,4,5,6,7,8,9,10,a,,c,,,\n";
  t += "accident_rail\n0,\n" + repeat("0,", 10) + ",,,,\n";
  t += "accident_point\n1,\n" + repeat("0,", 7) + ",,,,\n1,2,3,4,5,6,7,t1,t2,t3,t4,t5,\n";
  t += "accident_unit\n0,\n" + repeat("0,", 8) + ",,,,\n";
  t += "accident_station\n1,\n" + repeat("0,", 9) + ",,,,\n4,3,2,1,11,12,13,14,11,,,,,x,\n";
  return t;
}

std::string written(const ExecutedState& s) { return stack_member_text(s); }

TEST(Datafiles_StackMemberTests, HandMadeStackReadsAndWritesBackByteIdentical) {
  std::string text = hand_made_stack();
  StackReadResult r = parse_stack_member(text);
  ASSERT_TRUE(r.ok()) << r.error_line << ": " << r.error;
  const ExecutedState& s = *r.state;
  EXPECT_EQ(s.time, 45296);
  EXPECT_EQ(s.manager, (std::array<std::int32_t, 2>{3, -1}));
  ASSERT_EQ(s.diagrams.size(), 3u);
  EXPECT_TRUE(s.diagrams[0].events.empty());
  EXPECT_EQ(s.diagrams[1].events.size(), 4u);
  EXPECT_EQ(s.diagrams[1].events[1], (dia::DiaEvent{2, 1, 5}));
  EXPECT_EQ(s.diagrams[1].line.texts[1], sj("西"));
  EXPECT_TRUE(s.diagrams[2].events.empty());  // first value 0: no events follow
  ASSERT_EQ(s.trains.size(), 2u);
  EXPECT_EQ(s.trains[1].line.numbers.size(), 76u);
  EXPECT_EQ(s.trains[1].line.reals[4], "7.5");
  EXPECT_EQ(s.trains[1].line.texts, (std::vector<std::string>{sj("仕業"), "tail"}));
  EXPECT_EQ(s.trains[1].per_station, (std::vector<std::int32_t>{5, -6, 7}));
  EXPECT_EQ(s.units[1].entries.size(), 2u);
  EXPECT_EQ(s.points[1].sequence.size(), 3u);
  EXPECT_EQ(s.points[1].rails[1], 11);
  EXPECT_EQ(s.points[1].back[19][19], -1919);
  EXPECT_EQ(s.points[1].line.texts[0], "P1");
  EXPECT_EQ(s.points[1].line.numbers[21], 2);
  ASSERT_EQ(s.stations.size(), 3u);
  EXPECT_EQ(s.stations[2].columns[1][0], 70);
  EXPECT_EQ(s.rails[2].numbers[0], -7);
  EXPECT_EQ(s.accident_between[1].texts[2], "c");
  EXPECT_EQ(s.accident_station[1].block[0], 11);
  EXPECT_EQ(s.accident_station[1].texts[4], "x");

  EXPECT_EQ(written(s), text);
}

TEST(Datafiles_StackMemberTests, SnapshotWrittenAndReadBackIsTheSame) {
  DataSet ds = small_data_set();
  ExecutedState s = make_snapshot(ds, 50000);
  std::string text = written(s);
  StackReadResult r = parse_stack_member(text);
  ASSERT_TRUE(r.ok()) << r.error_line << ": " << r.error;
  // The in-use diagram without events travels as a lone end entry on rail 0.
  ExecutedState expected = s;
  expected.diagrams[3].events = {dia::DiaEvent{}};
  EXPECT_EQ(*r.state, expected);
  EXPECT_EQ(written(*r.state), text);

  // Restored into a live model and taken again it stays the same text.
  DataSet other = small_data_set();
  restore_snapshot(*r.state, other);
  EXPECT_TRUE(other.dia.diagrams[3].events.empty());
  EXPECT_EQ(written(make_snapshot(other, 50000, &*r.state)), text);
}

TEST(Datafiles_StackMemberTests, RestoringAHandMadeStackAndTakingItAgainKeepsEveryByte) {
  std::string text = hand_made_stack();
  StackReadResult r = parse_stack_member(text);
  ASSERT_TRUE(r.ok());
  DataSet ds;
  restore_snapshot(*r.state, ds);
  EXPECT_EQ(ds.dia.diagrams[1].train_number, "101M");
  EXPECT_EQ(ds.map.stations[1].name, sj("東駅"));
  EXPECT_EQ(ds.map.route_levers[1].button_y, 32);
  // The live model has no rails; the carried ones still go out as read.
  ds.map.rails.grow_to(2);
  EXPECT_EQ(written(make_snapshot(ds, 45296, &*r.state)), text);
}

TEST(Datafiles_StackMemberTests, ExactFormatOfAnEmptySnapshot) {
  ExecutedState s = make_snapshot(DataSet{}, 3600);
  std::string point = "0,0,0,\n" + repeat("0,\n" + repeat("0,0,0,\n", 20), 20) + repeat("0,", 21) +
                      "," + repeat("0,", 27) + "\n";
  std::string expected =
      "3600,\n\n0,\n0,\n\n"
      "diagram\n0,\n" +
      repeat("0,", 18) + ",,,," + repeat("0,", 17) + "\n" + "train\n0,\n" + repeat("0,", 3) + "," +
      repeat("0,", 67) + repeat("0.000000,", 6) + repeat("0,", 6) + ",\n0,\n" +
      "unit\n0,\n0,0,0,0,0,,0,\n0,\n" + "point\n0,\n" + point + "route_lever\n0,\n" +
      repeat("0,", 16) + "\n" + "route_button\n0,\n" + repeat("0,", 9) + "\n" + "station\n0,\n" +
      repeat("0,", 11) + ",,,," + repeat("0,", 3) + "\n" + "rail\n0,\n" + repeat("0,", 7) + "\n" +
      "p_rail\n0,\n0,0,\n" + "accident_between\n0,\n" + repeat("0,", 10) + ",,,,\n" +
      "accident_rail\n0,\n" + repeat("0,", 10) + ",,,,\n" + "accident_point\n0,\n" +
      repeat("0,", 7) + ",,,,\n" + "accident_unit\n0,\n" + repeat("0,", 8) + ",,,,\n" +
      "accident_station\n0,\n" + repeat("0,", 9) + ",,,,\n";
  EXPECT_EQ(written(s), expected);
  ASSERT_TRUE(parse_stack_member(expected).ok());
}

TEST(Datafiles_StackMemberTests, WriterKeepsTheMemberReadable) {
  ExecutedState s = make_snapshot(small_data_set(), 0);
  // Events past the first end entry, a list without one, a sequence list
  // without its end entry: the writer stops at, or adds, the end entry.
  s.diagrams[1].events.push_back({9, 9, 1});
  s.diagrams[3].events = {{4, 10, 1}};
  s.points[1].sequence = {{2, 2, 2}};
  StackReadResult r = parse_stack_member(written(s));
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.state->diagrams[1].events.size(), 4u);
  EXPECT_EQ(r.state->diagrams[3].events, (std::vector<dia::DiaEvent>{{4, 10, 1}, {0, 0, 0}}));
  EXPECT_EQ(r.state->points[1].sequence, (std::vector<StackTriple>{{2, 2, 2}, {0, 0, 0}}));
}

struct Damage {
  const char* name;
  std::string text;
  const char* error_part;  // part of the error text
};

// Replaces the first `from` in the hand-made stack.
std::string damaged(std::string_view from, std::string_view to) {
  std::string t = hand_made_stack();
  std::size_t at = t.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return t.replace(at, from.size(), to);
}

TEST(Datafiles_StackMemberTests, DamagedStacksFailCleanly) {
  const std::string full = hand_made_stack();
  const Damage cases[] = {
      {"count far too large", damaged("diagram\n2,", "diagram\n2000000000,"), "残りの行数"},
      {"negative count", damaged("rail\n2,", "rail\n-1,"), "負"},
      {"station count squared too large", damaged("station\n2,", "station\n300,"), "残りの行数"},
      {"unit entries too many", damaged("\n2,\n1,2,3,4,5,6,", "\n5000,\n1,2,3,4,5,6,"),
       "残りの行数"},
      {"missing section", damaged("route_button\n0,\n" + counting_line(3, 9), ""), "route_button"},
      {"wrong keyword", damaged("p_rail\n", "prail\n"), "p_rail"},
      {"truncated train line", damaged("tail,\n", "\n"), "値の数"},
      {"truncated per-station list", damaged("5,-6,7,", "5,-6,"), "値の数"},
      {"extra values", damaged("0,0,\n1,3,\n", "0,0,\n1,3,4,\n"), "値の数"},
      {"text ends inside the point blocks", full.substr(0, full.find("route_lever") - 10),
       "途中で終わって"},
      {"no accident_station section", full.substr(0, full.find("accident_station")),
       "accident_station"},
      {"trailing text", full + "garbage,\n", "余分な行"},
      {"over-long line", damaged("tail,\n", std::string(5000, 'x') + ",\n"), "長すぎ"},
      {"events never end", damaged("4,36300,0,\n", "4,36300,2,\n"), ""},
      {"empty member", "", "途中で終わって"},
  };
  for (const Damage& c : cases) {
    StackReadResult r = parse_stack_member(c.text);
    EXPECT_FALSE(r.ok()) << c.name;
    EXPECT_FALSE(r.error.empty()) << c.name;
    EXPECT_GT(r.error_line, 0u) << c.name;
    EXPECT_NE(r.error.find(c.error_part), std::string::npos) << c.name << ": " << r.error;
  }
  // Trailing blank lines are not damage.
  EXPECT_TRUE(parse_stack_member(full + "\n\n").ok());
}

TEST(Datafiles_StackMemberTests, DamageNamesTheLine) {
  std::string text = damaged("1,3,\n", "1,3,9,\n");
  StackReadResult r = parse_stack_member(text);
  ASSERT_FALSE(r.ok());
  std::size_t line = 1 + static_cast<std::size_t>(
                             std::count(text.begin(), text.begin() + text.find("1,3,9,"), '\n'));
  EXPECT_EQ(r.error_line, line);
}

TEST(Datafiles_StackMemberTests, ReadErrorsAreToldWithTheFileName) {
  ScriptedPrompt prompt;
  EXPECT_FALSE(read_stack_member("diagram\n", "/t/roll_back_3.csv", prompt).has_value());
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込みエラー");
  EXPECT_NE(prompt.last().text.find("ファイル'/t/roll_back_3.csv'"), std::string::npos);
  EXPECT_EQ(prompt.last().text.back(), '\n');

  TempDir dir;
  EXPECT_FALSE(read_stack_file(dir / "missing.csv", prompt).has_value());
  EXPECT_EQ(prompt.last().text,
            "ファイル'" + (dir / "missing.csv").string() + "'は開けませんでした。\n");
  EXPECT_EQ(prompt.last().caption, "ファイル読み込みエラー");

  // A rollback file on disk has CR LF line ends.
  std::string text = hand_made_stack();
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  auto path = dir.write("roll_back_0.csv", crlf);
  std::optional<ExecutedState> s = read_stack_file(path, prompt);
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(written(*s), text);
  EXPECT_EQ(prompt.count(), 2u);
}

}  // namespace
}  // namespace vosk::datafiles
