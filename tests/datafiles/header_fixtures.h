#pragma once
// Header members for the header tests, written as UTF-8 and turned into
// CP932 bytes with sj().
#include <string>

#include "support/temp_dir.h"

namespace vosk::testing {

// Every key present with a value other than its default; windows 0 and 2
// open (window 2 minimised, so without positions), the rest closed.
inline std::string full_header_1220() {
  return sj(R"([K-ORV]
version=1220
WdiaMode=1

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
stack=stack.csv

[開始時刻]
hour=25
minute=07
second=09

[ダイヤ設定]
unit=10
standard=30
reverse=90
base_target=03
stop_time_velocity=01
DiaTitle=表示テスト線ダイヤ
dia_comment=平日　朝ラッシュ

[マップ]
signal_version=3
map_name=東西線
MapPosCheck=0
SignalVersion=3
UseATC=0
UseATS=1
UseInterlocking=1
UseArea=2
UseElectri=3
UseCharacteristic=4
RightDown=1
ViewDirec=5
AreaOrder=6
RouteWarningDist=1500
RouteCheckDist=300
BreakSpareDist=11
LimitSpareDist=51
StopSpareDist=16
SignalFindDist=700
MaxSpeed=110
ReAccelSpeed=6
GuidanceSpeed=25
HandleATC=300

[表示設定]
font_size_mode=1
scale_x=2048
scale_y=8192

[DisplayWindow00]
Open=1
PosLeft=10
PosTop=20
PosRight=710
PosBottom=220
ViewType=1
ViewFor=2
SmartView=1
TrackView=0
RailView=3
RouteView=1
BoardView=0
FlatteryView=1
InterView=2
ViewImage16=0
ClockPosition=1
ViewToolBar=1
FaceName=ＭＳ ゴシック
PointSize=9
Height=-12
Weight=400
Italic=0
Underline=0
StrikeOut=0
ScaleX=4096
ScaleY=2048
ScrollPosX=-120
ScrollPosY=35
FlatteryTrain=7

[DisplayWindow01]
Open=0
[DisplayWindow02]
Open=1
ViewType=0
ViewFor=0
SmartView=0
TrackView=1
RailView=0
RouteView=0
BoardView=1
FlatteryView=0
InterView=0
ViewImage16=1
ClockPosition=0
ViewToolBar=0
FaceName=ＭＳ 明朝
PointSize=12
Height=-16
Weight=700
Italic=1
Underline=1
StrikeOut=1
ScaleX=8192
ScaleY=8192
ScrollPosX=0
ScrollPosY=0
FlatteryTrain=0

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
SPAvoid=1
SPGraph=0
SPHour=1
SPTrain=1

[StructSize]
Rail=5000
PRail=2500
Point=300
Target=301
Station=150
StationDraw=302
Row=80
Jump=303
Detail=12
RouteLever=13
RouteButton=14
AccidentBetween=1
AccidentRail=2
AccidentPoint=3
AccidentUnit=4
AccidentStation=5
Diagram=640
Train=40
Unit=41

)");
}

}  // namespace vosk::testing
