#include <gtest/gtest.h>

#include "datafiles/header.h"
#include "header_fixtures.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using testing::ScriptedPrompt;
using testing::sj;

Header read_ok(const std::string& content) {
  ScriptedPrompt prompt;
  HeaderReadResult r = read_header(content, "/opt/vosk", prompt);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(prompt.count(), 0u);
  return r.header;
}

// The sizes an unchanged data set passes: no records beyond the sizes read,
// and the dia tables at the sizes read.
HeaderWriteInput unchanged(const Header& h) {
  HeaderWriteInput in;
  in.records[Table::Diagram] = h.sizes[Table::Diagram];
  in.records[Table::Train] = h.sizes[Table::Train];
  in.records[Table::Unit] = h.sizes[Table::Unit];
  in.with_stack = h.has_stack();
  return in;
}

std::string write(Header& h, const HeaderWriteInput& in) {
  std::string out;
  write_header(out, h, in);
  return out;
}

// The text between "[name]\n" and the next section header.
std::string section(const std::string& text, const std::string& name) {
  std::size_t start = text.find("[" + name + "]\n");
  if (start == std::string::npos) return "<missing>";
  start += name.size() + 3;
  std::size_t end = text.find("\n[", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

TEST(Datafiles_HeaderRoundTripTests, FullHeaderWritesBackTheSameBytes) {
  const std::string fixture = testing::full_header_1220();
  Header h = read_ok(fixture);
  EXPECT_EQ(write(h, unchanged(h)), fixture);
}

TEST(Datafiles_HeaderRoundTripTests, WrittenHeaderReadsBackTheSameModel) {
  Header h = read_ok(testing::full_header_1220());
  std::string first = write(h, unchanged(h));
  Header again = read_ok(first);
  EXPECT_EQ(write(again, unchanged(again)), first);
  EXPECT_EQ(again.dia.dia_title, h.dia.dia_title);
  EXPECT_EQ(again.sizes, h.sizes);
}

TEST(Datafiles_HeaderWriteTests, NewDataSet) {
  Header fresh;
  HeaderWriteInput in;  // an empty dia
  std::string bundle = "#temp.qvd\n";
  write_header(bundle, fresh, in);

  std::string expected = sj(R"(#temp.qvd
[K-ORV]
version=1220
WdiaMode=0

[ファイル]
rail=rail.csv
p_rail=p_rail.csv
point1=point1.csv
point2=point2.csv
target=target.csv
station=station.csv
station_draw=station_draw.csv
row=row.csv
jump=jump.csv
detail=detail.csv
signal_set=signal_set.csv
signal=signal.csv
series=series.csv
train=train.csv
unit=unit.csv
diagram=diagram.csv
d_event=d_event.csv
d_type=d_type.csv
d_mode=d_mode.csv
d_pattern=d_pattern.csv
velocity=velocity.csv
require_time=require_time.csv
stop_time=stop_time.csv
passenger=passenger.csv
route_lever=route_lever.csv
route_button=route_button.csv
accident_between=accident_between.csv
accident_rail=accident_rail.csv
accident_point=accident_point.csv
accident_unit=accident_unit.csv
accident_station=accident_station.csv
sound=sound.ini
crew_msg=crew_msg.ini

[開始時刻]
hour=06
minute=00
second=00

[ダイヤ設定]
unit=15
standard=45
reverse=120
base_target=00
stop_time_velocity=00
DiaTitle=
dia_comment=

[マップ]
signal_version=0
map_name=
MapPosCheck=1
SignalVersion=0
UseATC=1
UseATS=0
UseInterlocking=0
UseArea=0
UseElectri=0
UseCharacteristic=0
RightDown=0
ViewDirec=0
AreaOrder=0
RouteWarningDist=2000
RouteCheckDist=400
BreakSpareDist=10
LimitSpareDist=50
StopSpareDist=15
SignalFindDist=600
MaxSpeed=120
ReAccelSpeed=5
GuidanceSpeed=15
HandleATC=360

[表示設定]
font_size_mode=0
scale_x=4096
scale_y=4096

[DisplayWindow00]
Open=0
[DisplayWindow01]
Open=0
[DisplayWindow02]
Open=0
[DisplayWindow03]
Open=0
[DisplayWindow04]
Open=0
[DisplayWindow05]
Open=0
[DisplayWindow06]
Open=0
[DisplayWindow07]
Open=0
[DisplayWindow08]
Open=0
[DisplayWindow09]
Open=0
[DisplayWindow10]
Open=0
[DisplayWindow11]
Open=0
[DisplayWindow12]
Open=0
[DisplayWindow13]
Open=0
[DisplayWindow14]
Open=0
[DisplayWindow15]
Open=0
[乗客数]
SPAvoid=0
SPGraph=1
SPHour=0
SPTrain=0

[StructSize]
Rail=4095
PRail=2047
Point=255
Target=255
Station=127
StationDraw=255
Row=63
Jump=255
Detail=0
RouteLever=0
RouteButton=0
AccidentBetween=0
AccidentRail=0
AccidentPoint=0
AccidentUnit=0
AccidentStation=0
Diagram=0
Train=0
Unit=0

)");
  EXPECT_EQ(bundle, expected);
}

TEST(Datafiles_HeaderWriteTests, StackLineOnlyForExecutedData) {
  Header h;
  HeaderWriteInput in;
  std::string files = section(write(h, in), sj("ファイル"));
  EXPECT_EQ(files.find("stack="), std::string::npos);
  EXPECT_TRUE(files.ends_with("\ncrew_msg=crew_msg.ini\n\n")) << files;

  in.with_stack = true;
  files = section(write(h, in), sj("ファイル"));
  EXPECT_TRUE(files.ends_with("\ncrew_msg=crew_msg.ini\nstack=stack.csv\n\n")) << files;
}

TEST(Datafiles_HeaderWriteTests, WritingMakesTheLoadedVersionCurrent) {
  Header h = read_ok("[K-ORV]\nversion=999\n");
  EXPECT_EQ(h.loaded_version, 999);
  std::string text = write(h, HeaderWriteInput{});
  EXPECT_EQ(section(text, "K-ORV"), "version=1220\nWdiaMode=0\n\n");
  EXPECT_EQ(h.loaded_version, 1220);
}

TEST(Datafiles_HeaderWriteTests, SizesHoldEveryRecordAddedSince) {
  Header h = read_ok("[StructSize]\nRail=100\nPoint=50\nDetail=0\nDiagram=64\nTrain=9\nUnit=9\n");
  HeaderWriteInput in;
  in.records[Table::Rail] = 80;
  in.records[Table::Point] = 51;
  in.records[Table::Detail] = 3;
  in.records[Table::Diagram] = 16;
  in.records[Table::Train] = 0;
  in.records[Table::Unit] = 12;
  // Rail: below the size read; Point: one added; Detail: added to a map
  // without any; Station: the default kept; the dia's sizes as given.
  EXPECT_EQ(section(write(h, in), "StructSize"),
            "Rail=100\nPRail=2047\nPoint=51\nTarget=255\nStation=127\nStationDraw=255\n"
            "Row=63\nJump=255\nDetail=3\nRouteLever=0\nRouteButton=0\nAccidentBetween=0\n"
            "AccidentRail=0\nAccidentPoint=0\nAccidentUnit=0\nAccidentStation=0\n"
            "Diagram=16\nTrain=0\nUnit=12\n\n");
  // The header now holds what was written.
  EXPECT_EQ(h.sizes[Table::Point], 51);
  EXPECT_EQ(h.sizes[Table::Rail], 100);
}

TEST(Datafiles_HeaderWriteTests, StartTimeFields) {
  Header h;
  h.start_time = 90429;  // 25:07:09
  EXPECT_EQ(section(write(h, {}), sj("開始時刻")), "hour=25\nminute=07\nsecond=09\n\n");
  h.start_time = 0;
  EXPECT_EQ(section(write(h, {}), sj("開始時刻")), "hour=00\nminute=00\nsecond=00\n\n");
  // Whatever time the model holds reads back unchanged.
  for (int t : {-3630, -1, 59, 3600, 100800, 86399}) {
    h.start_time = t;
    EXPECT_EQ(read_ok(write(h, {})).start_time, t) << t;
  }
}

TEST(Datafiles_HeaderWriteTests, TextsStayOnTheirLineAndInTheirField) {
  Header h;
  h.dia.dia_title = "line one\nline two";
  h.dia.dia_comment = "cr\rrest";
  std::string long_name;
  for (int i = 0; i < 128; ++i) long_name += sj("表");
  h.map.map_name = long_name;
  std::string text = write(h, {});
  std::string dia = section(text, sj("ダイヤ設定"));
  EXPECT_NE(dia.find("\nDiaTitle=line one\ndia_comment=cr\n\n"), std::string::npos) << dia;
  std::string map = section(text, sj("マップ"));
  EXPECT_NE(map.find("\nmap_name=" + long_name.substr(0, 254) + "\nMapPosCheck=1\n"),
            std::string::npos);
}

// ---- Display windows ----

TEST(Datafiles_HeaderWriteDisplayTests, KeptSectionsGoOutAsRead) {
  Header h = read_ok(
      "[DisplayWindow00]\nOpen=0\nViewType=3\n"
      "[DisplayWindow01]\nViewType=4\n\nOpen=1\nRailView=2\n\n\n"
      "[DisplayWindow02]\nOpen=1\n");
  std::string text = write(h, {});
  // A closed window is followed directly by the next section header.
  EXPECT_NE(text.find("[DisplayWindow00]\nOpen=0\n[DisplayWindow01]\n"), std::string::npos);
  EXPECT_NE(text.find("[DisplayWindow01]\nOpen=1\nViewType=4\nRailView=2\n\n[DisplayWindow02]\n"),
            std::string::npos);
  EXPECT_NE(text.find("[DisplayWindow02]\nOpen=1\n\n[DisplayWindow03]\nOpen=0\n"),
            std::string::npos);
  EXPECT_NE(text.find(sj("[DisplayWindow15]\nOpen=0\n[乗客数]\n")), std::string::npos);
}

// A track panel with window 1 open.
class OnePanel : public DisplayWindowSource {
 public:
  DisplaySettings display_settings() const override { return {2, 1024, 2048}; }
  std::optional<DisplayWindowView> open_window(int index) const override {
    if (index != 1) return std::nullopt;
    return view;
  }
  DisplayWindowView view;
};

TEST(Datafiles_HeaderWriteDisplayTests, APanelSuppliesTheOpenWindows) {
  // What was read is replaced by the panel's windows.
  Header h = read_ok(testing::full_header_1220());
  OnePanel panel;
  panel.view.position = WindowRect{-5, 10, 800, 600};
  panel.view.view_type = 2;
  panel.view.view_for = 1;
  panel.view.smart_view = true;
  panel.view.rail_view = 4;
  panel.view.board_view = true;
  panel.view.inter_view = 3;
  panel.view.view_image16 = true;
  panel.view.clock_position = 2;
  panel.view.view_tool_bar = false;
  panel.view.font = {sj("ＭＳ ゴシック"), 10, -13, 700, 1, 0, 1};
  panel.view.scale_x = 2048;
  panel.view.scroll_pos_x = -40;
  panel.view.flattery_train = 12;
  HeaderWriteInput in = unchanged(h);
  in.display_windows = &panel;
  std::string text = write(h, in);

  EXPECT_EQ(section(text, sj("表示設定")), "font_size_mode=2\nscale_x=1024\nscale_y=2048\n\n");
  EXPECT_EQ(section(text, "DisplayWindow00"), "Open=0\n");
  EXPECT_EQ(section(text, "DisplayWindow02"), "Open=0\n");
  EXPECT_EQ(section(text, "DisplayWindow01"),
            sj("Open=1\nPosLeft=-5\nPosTop=10\nPosRight=800\nPosBottom=600\n"
               "ViewType=2\nViewFor=1\nSmartView=1\nTrackView=0\nRailView=4\nRouteView=0\n"
               "BoardView=1\nFlatteryView=0\nInterView=3\nViewImage16=1\nClockPosition=2\n"
               "ViewToolBar=0\nFaceName=ＭＳ ゴシック\nPointSize=10\nHeight=-13\nWeight=700\n"
               "Italic=1\nUnderline=0\nStrikeOut=1\nScaleX=2048\nScaleY=4096\nScrollPosX=-40\n"
               "ScrollPosY=0\nFlatteryTrain=12\n\n"));

  // English start locale, window minimised: no positions, the English face key.
  panel.view.position.reset();
  panel.view.font.face_name = "MS Gothic";
  in.english_start_locale = true;
  std::string lines = section(write(h, in), "DisplayWindow01");
  EXPECT_TRUE(lines.starts_with("Open=1\nViewType=2\n")) << lines;
  EXPECT_NE(lines.find("\nViewToolBar=0\nFaceNameEnglish=MS Gothic\nPointSize=10\n"),
            std::string::npos);
  EXPECT_EQ(lines.find("FaceName="), std::string::npos);
}

TEST(Datafiles_HeaderWriteDisplayTests, PanelLinesReadBackAsKeptLines) {
  Header h;
  OnePanel panel;
  panel.view.font.face_name = "Arial";
  HeaderWriteInput in;
  in.display_windows = &panel;
  std::string with_panel = write(h, in);
  // Read back without a panel and written again: the same bytes.
  Header again = read_ok(with_panel);
  EXPECT_TRUE(again.display_windows[1].open);
  EXPECT_EQ(write(again, {}), with_panel);
}

}  // namespace
}  // namespace vosk::datafiles
