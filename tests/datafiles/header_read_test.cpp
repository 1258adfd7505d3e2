#include <gtest/gtest.h>

#include "datafiles/header_reader.h"
#include "header_fixtures.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using testing::ScriptedPrompt;
using testing::sj;

constexpr const char* kProgram = "/opt/vosk";

HeaderReadResult read(const std::string& content, ScriptedPrompt& prompt) {
  return read_header(content, kProgram, prompt);
}

Header read_ok(const std::string& content) {
  ScriptedPrompt prompt;
  HeaderReadResult r = read(content, prompt);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(prompt.count(), 0u) << prompt.last().text;
  return r.header;
}

TEST(Datafiles_HeaderReadTests, FullHeaderReadsEveryKey) {
  Header h = read_ok(testing::full_header_1220());

  EXPECT_EQ(h.loaded_version, 1220);
  EXPECT_EQ(h.wdia_mode, 1);
  EXPECT_EQ(h.start_time, 25 * 3600 + 7 * 60 + 9);

  EXPECT_EQ(h.dia.unit, 10);
  EXPECT_EQ(h.dia.standard, 30);
  EXPECT_EQ(h.dia.reverse, 90);
  EXPECT_EQ(h.dia.base_target, 3);
  EXPECT_EQ(h.dia.stop_time_velocity, 1);
  EXPECT_EQ(h.dia.dia_title, sj("表示テスト線ダイヤ"));
  EXPECT_EQ(h.dia.dia_comment, sj("平日　朝ラッシュ"));

  const MapSettings& m = h.map;
  EXPECT_EQ(m.signal_version, 3);
  EXPECT_EQ(m.map_name, sj("東西線"));
  EXPECT_FALSE(m.map_pos_check);
  EXPECT_EQ(m.use_atc, 0);
  EXPECT_EQ(m.use_ats, 1);
  EXPECT_EQ(m.use_interlocking, 1);
  EXPECT_EQ(m.use_area, 2);
  EXPECT_EQ(m.use_electri, 3);
  EXPECT_EQ(m.use_characteristic, 4);
  EXPECT_EQ(m.right_down, 1);
  EXPECT_EQ(m.view_direc, 5);
  EXPECT_EQ(m.area_order, 6);
  EXPECT_EQ(m.route_warning_dist, 1500);
  EXPECT_EQ(m.route_check_dist, 300);
  EXPECT_EQ(m.break_spare_dist, 11);
  EXPECT_EQ(m.limit_spare_dist, 51);
  EXPECT_EQ(m.stop_spare_dist, 16);
  EXPECT_EQ(m.signal_find_dist, 700);
  EXPECT_EQ(m.max_speed, 110);
  EXPECT_EQ(m.re_accel_speed, 6);
  EXPECT_EQ(m.guidance_speed, 25);
  EXPECT_EQ(m.handle_atc, 300);
  EXPECT_EQ(m.safety_system, SafetySystem::Ats);

  EXPECT_TRUE(h.passengers.sp_avoid);
  EXPECT_FALSE(h.passengers.sp_graph);
  EXPECT_TRUE(h.passengers.sp_hour);
  EXPECT_TRUE(h.passengers.sp_train);

  for (std::size_t i = 0; i < kMemberCount; ++i) {
    Member member = static_cast<Member>(i);
    EXPECT_EQ(h.member(member).name, member_file_name(member)) << member_key(member);
    EXPECT_FALSE(h.member(member).from_old_map()) << member_key(member);
  }
  EXPECT_TRUE(h.has_stack());

  const int sizes[] = {5000, 2500, 300, 301, 150, 302, 80,  303, 12, 13,
                       14,   1,    2,   3,   4,   5,   640, 40,  41};
  for (std::size_t i = 0; i < kTableCount; ++i)
    EXPECT_EQ(h.sizes[static_cast<Table>(i)], sizes[i]) << table_key(static_cast<Table>(i));

  EXPECT_EQ(h.display.font_size_mode, 1);
  EXPECT_EQ(h.display.scale_x, 2048);
  EXPECT_EQ(h.display.scale_y, 8192);
}

TEST(Datafiles_HeaderReadTests, EmptyHeaderGivesEveryDefault) {
  Header h = read_ok("");
  Header fresh;
  EXPECT_EQ(h.loaded_version, 0);
  EXPECT_EQ(h.wdia_mode, 0);
  EXPECT_EQ(h.start_time, 6 * 3600);
  EXPECT_EQ(h.dia.unit, 15);
  EXPECT_EQ(h.dia.standard, 45);
  EXPECT_EQ(h.dia.reverse, 120);
  EXPECT_EQ(h.dia.base_target, 0);
  EXPECT_EQ(h.dia.stop_time_velocity, 0);
  EXPECT_EQ(h.dia.dia_title, "");
  EXPECT_EQ(h.map.map_name, "");
  EXPECT_TRUE(h.map.map_pos_check);
  EXPECT_EQ(h.map.signal_version, 0);
  EXPECT_EQ(h.map.use_atc, 1);
  EXPECT_EQ(h.map.route_warning_dist, 2000);
  EXPECT_EQ(h.map.route_check_dist, 400);
  EXPECT_EQ(h.map.break_spare_dist, 10);
  EXPECT_EQ(h.map.limit_spare_dist, 50);
  EXPECT_EQ(h.map.stop_spare_dist, 15);
  EXPECT_EQ(h.map.signal_find_dist, 600);
  EXPECT_EQ(h.map.max_speed, 120);
  EXPECT_EQ(h.map.re_accel_speed, 5);
  EXPECT_EQ(h.map.guidance_speed, 15);
  EXPECT_EQ(h.map.handle_atc, 360);
  EXPECT_EQ(h.map.safety_system, SafetySystem::Atc);
  EXPECT_FALSE(h.passengers.sp_avoid);
  EXPECT_TRUE(h.passengers.sp_graph);
  EXPECT_FALSE(h.passengers.sp_hour);
  EXPECT_FALSE(h.passengers.sp_train);
  EXPECT_FALSE(h.has_stack());
  EXPECT_EQ(h.sizes[Table::Rail], 4095);
  EXPECT_EQ(h.sizes[Table::PRail], 2047);
  EXPECT_EQ(h.sizes[Table::Point], 255);
  EXPECT_EQ(h.sizes[Table::Target], 255);
  EXPECT_EQ(h.sizes[Table::Station], 127);
  EXPECT_EQ(h.sizes[Table::StationDraw], 255);
  EXPECT_EQ(h.sizes[Table::Row], 63);
  EXPECT_EQ(h.sizes[Table::Jump], 255);
  EXPECT_EQ(h.sizes[Table::Detail], 0);
  EXPECT_EQ(h.sizes[Table::RouteLever], 0);
  EXPECT_EQ(h.sizes[Table::RouteButton], 0);
  EXPECT_EQ(h.sizes[Table::AccidentStation], 0);
  EXPECT_EQ(h.sizes[Table::Diagram], 0);
  EXPECT_EQ(h.display.font_size_mode, 0);
  EXPECT_EQ(h.display.scale_x, 4096);
  EXPECT_EQ(h.display.scale_y, 4096);
  for (const auto& w : h.display_windows) EXPECT_FALSE(w.open);
  // A new data set starts from the same values.
  EXPECT_EQ(h.sizes, fresh.sizes);
}

TEST(Datafiles_HeaderReadTests, StartTime) {
  // No [開始時刻] at all: 6:00:00.
  EXPECT_EQ(read_ok("[K-ORV]\nversion=1220\n").start_time, 6 * 3600);
  // Only some keys: the others take their defaults.
  EXPECT_EQ(read_ok(sj("[開始時刻]\nminute=30\n")).start_time, 6 * 3600 + 30 * 60);
  EXPECT_EQ(read_ok(sj("[開始時刻]\nhour=04\nsecond=5\n")).start_time, 4 * 3600 + 5);
  // An hour too large for the 32-bit time saturates instead of wrapping.
  EXPECT_EQ(read_ok(sj("[開始時刻]\nhour=99999999999\n")).start_time, 2147483647);
  EXPECT_EQ(read_ok(sj("[開始時刻]\nhour=-99999999999\n")).start_time, -2147483647 - 1);
}

TEST(Datafiles_HeaderReadTests, SignalVersionFallsBackToTheOlderKey) {
  EXPECT_EQ(read_ok(sj("[マップ]\nsignal_version=3\nSignalVersion=0\n")).map.signal_version, 3);
  EXPECT_EQ(read_ok(sj("[マップ]\nsignal_version=3\n")).map.signal_version, 3);
  EXPECT_EQ(read_ok(sj("[マップ]\nsignal_version=3\nSignalVersion=2\n")).map.signal_version, 2);
  EXPECT_EQ(read_ok(sj("[マップ]\nSignalVersion=0\n")).map.signal_version, 0);
}

TEST(Datafiles_HeaderReadTests, SafetySystemFollowsUseAtc) {
  EXPECT_EQ(read_ok(sj("[マップ]\nUseATC=0\n")).map.safety_system, SafetySystem::Ats);
  EXPECT_EQ(read_ok(sj("[マップ]\nUseATC=2\n")).map.safety_system, SafetySystem::Atc);
  EXPECT_EQ(read_ok(sj("[マップ]\nUseATC=-1\nUseATS=1\n")).map.safety_system, SafetySystem::Atc);
}

TEST(Datafiles_HeaderReadTests, ValuesNotStartingWithDigitsReadAsZero) {
  Header h =
      read_ok(sj("[K-ORV]\nversion=1220\nWdiaMode=x\n"
                 "[開始時刻]\nhour=six\n"
                 "[ダイヤ設定]\nunit=abc\nstandard= 7s\nreverse=\n"
                 "[マップ]\nMapPosCheck=no\nMaxSpeed=fast\nUseATC=on\n"
                 "[乗客数]\nSPGraph=yes\n"
                 "[StructSize]\nRail=many\n"));
  EXPECT_EQ(h.wdia_mode, 0);
  EXPECT_EQ(h.start_time, 0);
  EXPECT_EQ(h.dia.unit, 0);
  EXPECT_EQ(h.dia.standard, 7);
  EXPECT_EQ(h.dia.reverse, 120);  // an empty value counts as missing
  EXPECT_FALSE(h.map.map_pos_check);
  EXPECT_EQ(h.map.max_speed, 0);
  EXPECT_EQ(h.map.use_atc, 0);
  EXPECT_EQ(h.map.safety_system, SafetySystem::Ats);
  EXPECT_FALSE(h.passengers.sp_graph);
  EXPECT_EQ(h.sizes[Table::Rail], 0);
}

TEST(Datafiles_HeaderReadTests, LongTextsAreCutWithoutSplittingACharacter) {
  // 128 two-byte characters = 256 bytes; 255 bytes would end in half of one.
  std::string title;
  for (int i = 0; i < 128; ++i) title += "表";
  Header h =
      read_ok(sj("[ダイヤ設定]\nDiaTitle=" + title + "\n[マップ]\nmap_name=" + title + "\n"));
  EXPECT_EQ(h.dia.dia_title.size(), 254u);
  EXPECT_EQ(h.dia.dia_title, sj(title).substr(0, 254));
  EXPECT_EQ(h.map.map_name.size(), 254u);
}

// ---- The newer-version question ----

constexpr const char* kNewerVersionText =
    "このデータは、現在お使いの当ソフトウェアよりも新しいバージョンで作られています。\n"
    "当ソフトウェアのバージョンアップをおすすめします。\n"
    "読み込みを続けた場合、正しく動作しない可能性があります。\n";

TEST(Datafiles_HeaderVersionTests, NewerVersionAsksAndIgnoreLoads) {
  ScriptedPrompt prompt;
  prompt.script({Answer::Ignore});
  HeaderReadResult r = read(sj("[K-ORV]\nversion=1300\n[マップ]\nmap_name=新線\n"), prompt);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(prompt.last().text, kNewerVersionText);
  EXPECT_EQ(prompt.last().buttons, Buttons::AbortRetryIgnore);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.header.loaded_version, 1300);
  EXPECT_EQ(r.header.map.map_name, sj("新線"));
}

TEST(Datafiles_HeaderVersionTests, AbortAndRetryEndTheRead) {
  const std::string content = sj("[K-ORV]\nversion=1300\n[マップ]\nmap_name=新線\n");
  ScriptedPrompt abort_prompt;
  abort_prompt.script({Answer::Abort});
  HeaderReadResult aborted = read(content, abort_prompt);
  EXPECT_EQ(aborted.status, ReadStatus::Abort);
  EXPECT_FALSE(aborted.ok());
  EXPECT_EQ(aborted.header.map.map_name, "");  // nothing past the question was read

  ScriptedPrompt retry_prompt;
  retry_prompt.script({Answer::Retry});
  EXPECT_EQ(read(content, retry_prompt).status, ReadStatus::Retry);
}

TEST(Datafiles_HeaderVersionTests, CurrentAndOlderVersionsDoNotAsk) {
  EXPECT_EQ(read_ok("[K-ORV]\nversion=1220\n").loaded_version, 1220);
  EXPECT_EQ(read_ok("[K-ORV]\nversion=1219\n").loaded_version, 1219);
  ScriptedPrompt prompt;
  prompt.script({Answer::Ignore});
  EXPECT_TRUE(read("[K-ORV]\nversion=1221\n", prompt).ok());
  EXPECT_EQ(prompt.count(), 1u);
}

TEST(Datafiles_HeaderVersionTests, FailedTableLoadQuestion) {
  ScriptedPrompt prompt;
  prompt.script({Answer::Ignore, Answer::Retry, Answer::Abort});
  EXPECT_EQ(ask_after_failed_table_load(prompt), ReadStatus::Ok);
  EXPECT_EQ(ask_after_failed_table_load(prompt), ReadStatus::Retry);
  EXPECT_EQ(ask_after_failed_table_load(prompt), ReadStatus::Abort);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(prompt.last().text,
            "データの読み込みに失敗しました。\n"
            "このまま続けた場合、正しく動作しない可能性があります。\n");
  EXPECT_EQ(prompt.last().buttons, Buttons::AbortRetryIgnore);
}

// ---- Member list by version ----

// Every key a file of any version may carry, each naming a distinct member.
std::string member_list(int version) {
  return "[K-ORV]\nversion=" + std::to_string(version) + "\n" + sj("[ファイル]\n") +
         "rail=R\np_rail=PR\npoint1=P1\npoint2=P2\ntarget=T\nstation=S\nstation_draw=SD\n"
         "row=RW\njump=J\ndetail=DT\nsignal_set=SS\nsignal=SG\nseries=NEW_SERIES\n"
         "train_type=OLD_SERIES\ntrain=TR\nunit=U\ndiagram=DG\nd_event=DE\nd_type=TY\n"
         "d_mode=MO\nd_pattern=PA\nvelocity=V\nrequire_time=NEW_RT\ns_time=OLD_RT\n"
         "stop_time=ST\npassenger=PS\nroute_lever=RL\nroute_button=RB\n"
         "accident_between=AB\naccident_rail=AR\naccident_point=AP\naccident_unit=AU\n"
         "accident_station=AS\nsound=SO\ncrew_msg=CM\n";
}

std::string old_map(const char* file) { return std::string(kProgram) + "/old_map/" + file; }

struct MemberCase {
  int version;
  Member member;
  const char* name;      // expected member name, "" for none
  const char* old_file;  // expected old_map file, or null
};

void PrintTo(const MemberCase& c, std::ostream* os) {
  *os << "version " << c.version << " " << member_key(c.member);
}

class Datafiles_HeaderMemberVersionTests : public ::testing::TestWithParam<MemberCase> {};

TEST_P(Datafiles_HeaderMemberVersionTests, MemberSourceByVersion) {
  const MemberCase& c = GetParam();
  Header h = read_ok(member_list(c.version));
  const MemberSource& s = h.member(c.member);
  EXPECT_EQ(s.name, c.name) << "version " << c.version << " " << member_key(c.member);
  EXPECT_EQ(s.fixed_path, c.old_file ? old_map(c.old_file) : "")
      << "version " << c.version << " " << member_key(c.member);
}

const MemberCase kMemberCases[] = {
    // Below 35 the map, sound and series come from old_map.
    MemberCase{34, Member::Rail, "", "rail.csv"},
    MemberCase{34, Member::PRail, "", "p_rail.csv"},
    MemberCase{34, Member::Point1, "", "point1.csv"},
    MemberCase{34, Member::Point2, "", "point2.csv"},
    MemberCase{34, Member::Station, "", "station.csv"},
    MemberCase{34, Member::Signal, "", "signal.csv"},
    MemberCase{34, Member::Sound, "", "sound.ini"},
    MemberCase{34, Member::Series, "", "train_type.csv"},
    MemberCase{34, Member::Target, "T", nullptr},
    MemberCase{0, Member::Rail, "", "rail.csv"},
    MemberCase{35, Member::Rail, "R", nullptr},
    MemberCase{35, Member::Sound, "SO", nullptr},
    // Series and require times under their old keys before 1000.
    MemberCase{35, Member::Series, "OLD_SERIES", nullptr},
    MemberCase{999, Member::Series, "OLD_SERIES", nullptr},
    MemberCase{999, Member::RequireTime, "OLD_RT", nullptr},
    MemberCase{1000, Member::Series, "NEW_SERIES", nullptr},
    MemberCase{1000, Member::RequireTime, "NEW_RT", nullptr},
    // Members that did not exist yet.
    MemberCase{1009, Member::Row, "", nullptr},
    MemberCase{1010, Member::Row, "RW", nullptr},
    MemberCase{1109, Member::Jump, "", nullptr},
    MemberCase{1110, Member::Jump, "J", nullptr},
    MemberCase{1149, Member::Detail, "", nullptr},
    MemberCase{1150, Member::Detail, "DT", nullptr},
    // Dia tables from old_map before they were members.
    MemberCase{1009, Member::DType, "", "d_type.csv"},
    MemberCase{1009, Member::DMode, "", "d_mode.csv"},
    MemberCase{1009, Member::CrewMsg, "", "crew_msg.ini"},
    MemberCase{1010, Member::DType, "TY", nullptr},
    MemberCase{1010, Member::DMode, "MO", nullptr},
    MemberCase{1010, Member::CrewMsg, "CM", nullptr},
    MemberCase{1019, Member::DPattern, "", "d_pattern.csv"},
    MemberCase{1020, Member::DPattern, "PA", nullptr},
    // Read in every version.
    MemberCase{34, Member::AccidentBetween, "AB", nullptr},
    MemberCase{34, Member::AccidentStation, "AS", nullptr},
    MemberCase{34, Member::Diagram, "DG", nullptr},
    MemberCase{1220, Member::StopTime, "ST", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Versions, Datafiles_HeaderMemberVersionTests,
                         ::testing::ValuesIn(kMemberCases));

TEST(Datafiles_HeaderMemberTests, StackMarksExecutedData) {
  EXPECT_FALSE(read_ok(member_list(1220)).has_stack());
  EXPECT_TRUE(read_ok(member_list(1220) + "stack=stack.csv\n").has_stack());
  EXPECT_TRUE(read_ok(member_list(20) + "stack=stack.csv\n").has_stack());
  EXPECT_FALSE(read_ok(member_list(1220) + "stack=\n").has_stack());
}

TEST(Datafiles_HeaderMemberTests, PathsAreComposedInTheMemberFolder) {
  ScriptedPrompt prompt;
  Header old = read_header(member_list(20), "/opt/vosk/", prompt).header;
  EXPECT_EQ(old.member(Member::Rail).path_in("/data/temp/"), "/opt/vosk/old_map/rail.csv");
  EXPECT_EQ(old.member(Member::Target).path_in("/data/temp/"), "/data/temp/T");
  // A missing key gives the folder itself; the table loader decides.
  Header none = read_ok("[K-ORV]\nversion=1220\n");
  EXPECT_EQ(none.member(Member::Rail).path_in("/data/temp/"), "/data/temp/");
}

// ---- Table sizes ----

TEST(Datafiles_HeaderTableSizeTests, NegativeAndAbsurdSizesWarnOnce) {
  ScriptedPrompt prompt;
  HeaderReadResult r =
      read("[StructSize]\nRail=-5\nPoint=2000000\nStation=1000000\nRow=0\nDiagram=-1\n", prompt);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.header.sizes[Table::Rail], 4095);      // default
  EXPECT_EQ(r.header.sizes[Table::Point], 1000000);  // cut to the limit
  EXPECT_EQ(r.header.sizes[Table::Station], 1000000);
  EXPECT_EQ(r.header.sizes[Table::Row], 0);
  EXPECT_EQ(r.header.sizes[Table::Diagram], 0);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(prompt.last().text,
            "'temp.qvd'の[StructSize]のRail=-5は範囲外のため、4095として読み込みます。\n");
  EXPECT_EQ(prompt.last().buttons, Buttons::Ok);
}

TEST(Datafiles_HeaderTableSizeTests, SizesAtTheLimitsDoNotWarn) {
  Header h = read_ok("[StructSize]\nRail=1000000\nPRail=0\n");
  EXPECT_EQ(h.sizes[Table::Rail], 1000000);
  EXPECT_EQ(h.sizes[Table::PRail], 0);
}

// ---- Display windows ----

TEST(Datafiles_HeaderDisplayTests, OpenWindowsKeepTheirLinesClosedOnesNone) {
  Header h = read_ok(testing::full_header_1220());
  const DisplayWindowSection& w0 = h.display_windows[0];
  EXPECT_TRUE(w0.open);
  ASSERT_EQ(w0.lines.size(), 28u);
  EXPECT_EQ(w0.lines.front(), "PosLeft=10");
  EXPECT_EQ(w0.lines[16], sj("FaceName=ＭＳ ゴシック"));
  EXPECT_EQ(w0.lines.back(), "FlatteryTrain=7");
  EXPECT_FALSE(h.display_windows[1].open);
  EXPECT_TRUE(h.display_windows[1].lines.empty());
  EXPECT_TRUE(h.display_windows[2].open);
  EXPECT_EQ(h.display_windows[2].lines.front(), "ViewType=0");
  for (int i = 3; i < kDisplayWindowCount; ++i) EXPECT_FALSE(h.display_windows[i].open) << i;
}

TEST(Datafiles_HeaderDisplayTests, SectionsAreMatchedLikeProfileLookups) {
  Header h = read_ok(
      "[displaywindow03]\n"
      "  ViewType = 2 \n"
      "\n"
      "OPEN=1\n"
      "; a comment\n"
      "ScaleX=4096\n"
      "#temp.qvd\n"          // would start a bundle member
      "[DisplayWindow03]\n"  // a second section of the same name is never looked at
      "Open=1\n"
      "ViewFor=9\n"
      "[DisplayWindow04]\n"
      "Open=0\n"
      "ViewType=5\n"
      "[DisplayWindow5]\n"  // not the name of window 5
      "Open=1\n"
      "[DisplayWindow06]\n"
      "Open=1\n");
  const DisplayWindowSection& w3 = h.display_windows[3];
  EXPECT_TRUE(w3.open);
  EXPECT_EQ(w3.lines, (std::vector<std::string>{"  ViewType = 2 ", "; a comment", "ScaleX=4096"}));
  EXPECT_FALSE(h.display_windows[4].open);
  EXPECT_TRUE(h.display_windows[4].lines.empty());
  EXPECT_FALSE(h.display_windows[5].open);
  EXPECT_TRUE(h.display_windows[6].open);
  EXPECT_TRUE(h.display_windows[6].lines.empty());
}

}  // namespace
}  // namespace vosk::datafiles
