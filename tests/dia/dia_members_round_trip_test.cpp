// Current-layout members read and written back byte for byte.
#include <gtest/gtest.h>

#include "dia/dia_members.h"
#include "dia_record_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using records_testing::fresh_dia;
using records_testing::written;
using testing::ScriptedPrompt;
using testing::sj;

struct Fixture {
  std::string train, unit, diagram, d_event;
  std::string between, rail, point, unit_accidents, station;

  std::string& of(std::string_view member) {
    if (member == "train.csv") return train;
    if (member == "unit.csv") return unit;
    if (member == "diagram.csv") return diagram;
    if (member == "d_event.csv") return d_event;
    if (member == "accident_between.csv") return between;
    if (member == "accident_rail.csv") return rail;
    if (member == "accident_point.csv") return point;
    if (member == "accident_unit.csv") return unit_accidents;
    return station;
  }
};

// Each text ends with "\n".
std::string lines(std::initializer_list<std::string> texts) {
  std::string all;
  for (const std::string& t : texts) all += t + "\n";
  return all;
}

// A small dia of version 1220: two duties, three formations, five runs (one
// coupled pair, a negative destination, a temporary dia), accidents of every
// kind with full, partial and empty texts.
Fixture fixture_1220() {
  Fixture f;
  f.train = lines({
      " 0,  0,  0,  0,,",
      " 1,  1, 12,  1," + sj("仕業Ａ") + ",",
      " 2,  4,105,  3,B,",
  });
  f.unit = lines({
      " 0,  0,  0,  0,  0,  0,,",
      " 1,  1,  1,  0,  2,  2," + sj("Ａ１") + ",",
      " 2,  2,  1,  1,  0,  2," + sj("Ａ２") + ",",
      " 3,  4,  2,  0,  0,  1,C,",
  });
  const std::string tokyo = sj("東京") + "," + sj("ひかり");
  f.diagram = lines({
      "  1,2, 5,0,1,  3,  3,1, 2, 0, 0,1, 1,1,1,  2,  0,  0,  5,101M," + tokyo + "," +
          sj("備考です") + ",",
      "  2,2, 5,0,1,  3,  0,1, 2, 0, 0,1, 1,1,1,  0,  1,  0,  5,101M," + tokyo + ",,",
      "  3,1, 7,0,0,  1,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0,102M,X,,,",
      "  4,1,-12,1,0,  0,  0,0, 3, 0, 2,0, 2,0,0,  0,  0,  7,  0,NONE," + sj("不定") + ",,,",
      " 12,2, 0,0,0,  0,  0,1, 0, 0, 0,1, 1,1,1,  0,  0,  0,  0,NONE," + sj("臨時") + ",,,",
  });
  f.d_event = lines({
      " 1,101,21600,1,",
      " 1,102,21720,3,",
      " 1,103,21900,2,",
      " 1,103,21900,0,",
      " 2,201,21600,1,",
      " 2,202,00005,5,",
      " 2,203,21900,2,",
      " 2,203,21900,0,",
      " 3,301,100800,1,",
      " 3,302,100860,2,",
      " 3,302,100860,0,",
      " 4,  7,36000,1,",
      " 4,  9,36060,2,",
      " 4,  9,36060,0,",
      "12, 55,00000,2,",
      "12, 55,00000,0,",
  });
  f.between = lines({
      "1,2,3,4,5,6,7,8,9,10," + sj("事故") + ",b,,,e,",
      "0,0,0,0,0,0,0,0,0,0,,,,,",
  });
  f.rail = lines({"-1,2,0,0,0,9,1,1,1,1,a,,,,,"});
  f.point = lines({"3,0,1,20,30,40,50,x,y,z,w,v,"});
  f.unit_accidents = lines({"1,2,3,4,5,6,7,8,,,,,"});
  f.station = lines({
      "1,2,3,4,50,6,7,8,50,t,,,,,",
      "0,0,0,0,9,0,0,0,9,,,,,",
  });
  return f;
}

DiaTables fixture_tables() {
  DiaTables dia;
  allocate_dia_tables(dia, {16, 2, 3, 2, 1, 1, 1, 2});
  return dia;
}

DiaTables read_all(Fixture& f, ScriptedPrompt& prompt, bool crlf = false) {
  DiaTables dia = fixture_tables();
  for (const DiaRecordMember& m : kDiaRecordMembers) {
    std::string content = f.of(m.name);
    if (crlf) {
      std::string with_cr;
      for (char c : content) {
        if (c == '\n') with_cr += '\r';
        with_cr += c;
      }
      content = with_cr;
    }
    MemberWarnings warnings(prompt, m.name);
    m.read(content, 1220, dia, warnings);
  }
  return dia;
}

TEST(Dia_RecordMemberTests, EveryMemberOfVersion1220WritesBackByteIdentical) {
  for (bool crlf : {false, true}) {
    Fixture f = fixture_1220();
    ScriptedPrompt prompt;
    DiaTables dia = read_all(f, prompt, crlf);
    EXPECT_EQ(prompt.count(), 0u) << prompt.last().text;
    for (const DiaRecordMember& m : kDiaRecordMembers) {
      EXPECT_EQ(written(m.write, dia), f.of(m.name)) << m.name << (crlf ? " (CR LF)" : "");
    }
  }
}

TEST(Dia_RecordMemberTests, FieldsLandInTheirRecords) {
  Fixture f = fixture_1220();
  ScriptedPrompt prompt;
  DiaTables dia = read_all(f, prompt);

  ASSERT_EQ(dia.trains.extent(), 2);
  EXPECT_EQ(dia.trains[1].name, sj("仕業Ａ"));
  EXPECT_EQ(dia.trains[2].first_diagram, 4);
  EXPECT_EQ(dia.trains[2].initial_rail, 105);
  EXPECT_EQ(dia.trains[2].head_unit, 3);

  ASSERT_EQ(dia.units.extent(), 3);
  const Unit& u2 = dia.units[2];
  EXPECT_EQ(u2.first_diagram, 2);
  EXPECT_EQ(u2.train, 1);
  EXPECT_EQ(u2.unit_ahead, 1);
  EXPECT_EQ(u2.unit_behind, 0);
  EXPECT_EQ(u2.series, 2);

  const Diagram& d1 = dia.diagrams[1];
  EXPECT_EQ(d1.direction, 2);
  EXPECT_EQ(d1.destination, 5);
  EXPECT_EQ(d1.flag_b, 1);
  EXPECT_EQ(d1.running_order, 3);
  EXPECT_EQ(d1.next_working, 3);
  EXPECT_EQ(d1.train_type, 2);
  EXPECT_EQ(d1.coupled_behind, 2);
  EXPECT_EQ(d1.car_number, 5);
  EXPECT_EQ(d1.train_number, "101M");
  EXPECT_EQ(d1.destination_text, sj("東京"));
  EXPECT_EQ(d1.nickname, sj("ひかり"));
  EXPECT_EQ(d1.remarks, sj("備考です"));
  EXPECT_EQ(dia.diagrams[4].destination, -12);
  EXPECT_EQ(dia.diagrams[4].applied_pattern, 2);
  EXPECT_EQ(dia.diagrams[4].value_d, 7);
  EXPECT_FALSE(dia.diagrams[5].in_use());

  ASSERT_EQ(dia.diagrams[2].events.size(), 4u);
  EXPECT_EQ(dia.diagrams[2].events[1], (DiaEvent{202, 5, kEventPoint}));
  EXPECT_EQ(dia.diagrams[3].events[0].time, 100800);
  EXPECT_EQ(dia.diagrams[1].event_count(), 3u);

  EXPECT_EQ(dia.accidents.between[1].numbers[5], 6);
  EXPECT_EQ(dia.accidents.between[1].block[3], 10);
  EXPECT_EQ(dia.accidents.between[1].texts[0], sj("事故"));
  EXPECT_EQ(dia.accidents.between[1].texts[4], "e");
  EXPECT_EQ(dia.accidents.rail[1].numbers[0], -1);
  EXPECT_EQ(dia.accidents.point[1].block[0], 20);
  EXPECT_EQ(dia.accidents.point[1].texts[4], "v");
  EXPECT_EQ(dia.accidents.station[1].block[0], 50);
  EXPECT_EQ(dia.accidents.station[1].texts[0], "t");
}

TEST(Dia_RecordMemberTests, EventTimesAreFiveDigitsAndEmptyTextsAreRecordsToo) {
  DiaTables dia = fresh_dia(4);
  Diagram& d = dia.diagrams.grow_to(1);
  d.direction = 1;
  d.events = {{3, 5, kEventStop}, {4, 100800, kEventArrival}, {4, 100800, kEventEnd}};
  EXPECT_EQ(written(write_d_event, dia), " 1,  3,00005,1,\n 1,  4,100800,2,\n 1,  4,100800,0,\n");
  EXPECT_EQ(written(write_diagram, dia),
            "  1,1, 0,0,0,  0,  0,0, 0, 0, 0,0, 0,0,0,  0,  0,  0,  0,,,,,\n");
}

TEST(Dia_RecordMemberTests, EmptyDiaWritesTheFillerLinesAndReadsThemBackAsEmpty) {
  DiaTables dia = fresh_dia(0);
  EXPECT_EQ(written(write_diagram, dia), "0,0,0,0,0,0,0\n");
  EXPECT_EQ(written(write_d_event, dia), "0,0,0,0,0,0,0,\n");
  // A table with free slots only is empty too.
  dia.diagrams.grow_to(3);
  EXPECT_EQ(written(write_diagram, dia), "0,0,0,0,0,0,0\n");

  DiaTables back = fresh_dia(16);
  ScriptedPrompt prompt;
  records_testing::read_into(read_diagram, "0,0,0,0,0,0,0\r\n", 1220, back, prompt);
  records_testing::read_into(read_d_event, "0,0,0,0,0,0,0,\r\n", 1220, back, prompt);
  EXPECT_EQ(prompt.count(), 0u);
  for (const Diagram& d : back.diagrams) EXPECT_FALSE(d.in_use());
  EXPECT_EQ(written(write_diagram, back), "0,0,0,0,0,0,0\n");
  EXPECT_EQ(written(write_d_event, back), "0,0,0,0,0,0,0,\n");
}

TEST(Dia_RecordMemberTests, RecordZeroLinesOfDutiesAreWrittenAndNeverRead) {
  DiaTables dia = fresh_dia(5);
  ScriptedPrompt prompt;
  records_testing::read_into(read_train, " 0,  9,  9,  9,zero,\n", 1220, dia, prompt);
  records_testing::read_into(read_unit, " 0,  9,  9,  9,  9,  9,zero,\n", 1220, dia, prompt);
  EXPECT_EQ(dia.trains.extent(), 0);
  EXPECT_EQ(dia.trains[0].name, "");
  EXPECT_EQ(written(write_train, dia), " 0,  0,  0,  0,,\n");
  EXPECT_EQ(written(write_unit, dia), " 0,  0,  0,  0,  0,  0,,\n");
}

TEST(Dia_RecordMemberTests, AccidentMembersListEveryRecordOfTheTableSize) {
  // A member that ends early leaves the rest cleared; all of them are
  // written back, the empty ones with ",,,," for their texts.
  DiaTables dia = fresh_dia(3);
  ScriptedPrompt prompt;
  records_testing::read_into(read_accident_point, "1,2,3,4,5,6,7,a,b,c,d,e,\n", 1220, dia, prompt);
  EXPECT_EQ(written(write_accident_point, dia),
            "1,2,3,4,5,6,7,a,b,c,d,e,\n0,0,0,0,0,0,0,,,,,\n0,0,0,0,0,0,0,,,,,\n");
  // The repeated number of accident_station.csv is block[0] again, whatever
  // the file held there.
  records_testing::read_into(read_accident_station, "1,2,3,4,50,6,7,8,99,t,,,,,\n", 1220, dia,
                             prompt);
  EXPECT_EQ(dia.accidents.station[1].texts[0], "t");
  EXPECT_EQ(written(write_accident_station, dia).substr(0, 27), "1,2,3,4,50,6,7,8,50,t,,,,,\n");
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Dia_RecordMemberTests, AccidentLinesBeyondTheTableSizeAreReportedOnce) {
  DiaTables dia = fresh_dia(1);
  ScriptedPrompt prompt;
  records_testing::read_into(read_accident_unit,
                             "1,0,0,0,0,0,0,0,,,,,\n2,0,0,0,0,0,0,0,,,,,\n3,0,0,0,0,0,0,0,,,,,\n",
                             1220, dia, prompt, "accident_unit.csv");
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_NE(prompt.last().text.find("accident_unit.csv"), std::string::npos);
  EXPECT_EQ(dia.accidents.unit.extent(), 1);
  EXPECT_EQ(written(write_accident_unit, dia), "1,0,0,0,0,0,0,0,,,,,\n");
}

}  // namespace
}  // namespace vosk::dia
