#include <gtest/gtest.h>

#include "timetable_fixture.h"

namespace vosk::testing {
namespace {

using timetable::RowKind;
using timetable::TableView;

const std::string kDots = "\xA5\xA5";
const std::string kPass = "\xDA";

std::vector<std::string> texts(const std::vector<timetable::Cell>& cells) {
  std::vector<std::string> out;
  for (const auto& c : cells) out.push_back(c.text);
  return out;
}

TEST(StationOrder, DownByDistanceUpReversedTiesByNumberOffTargetsLeftOut) {
  TimetableLine line;
  line.ds.map.targets[2].distances[0] = 200;  // ties with C
  line.ds.map.targets[4].distances[0] = -1;
  EXPECT_EQ(timetable::station_order(line.ds, 0, false), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(timetable::station_order(line.ds, 0, true), (std::vector<int>{2, 3, 1}));
  EXPECT_TRUE(timetable::station_order(line.ds, 1, false).empty());
}

struct QualifyCase {
  int owning_unit, coupled_behind, passengers, pattern_template;
  TableView view;
  bool shown;
};

TEST(Qualify, ViewFlagsAdmitRuns) {
  const QualifyCase cases[] = {
      {1, 0, 1, 0, {}, true},
      {0, 0, 1, 0, {}, true},  // ViewSuspense is on by default
      {0, 0, 1, 0, {.suspense = false}, false},
      {1, 5, 1, 0, {}, false},
      {1, 5, 1, 0, {.coupled = true}, true},
      {1, 0, 0, 0, {}, false},
      {1, 0, 0, 0, {.deadhead = true}, true},
      {1, 0, 1, 2, {.suspense = true, .coupled = true, .deadhead = true}, false},
  };
  for (const QualifyCase& c : cases) {
    TimetableLine line;
    const int n = line.down_run(hm(7, 0));
    dia::Diagram& d = line.ds.dia.diagrams[n];
    d.run.owning_unit = c.owning_unit;
    d.coupled_behind = c.coupled_behind;
    d.pattern_template = c.pattern_template;
    line.ds.classification.train_types[1].passenger_service = c.passengers;
    const auto tables = line.build(c.view);
    EXPECT_EQ(tables.down.runs.size(), c.shown ? 1u : 0u)
        << c.owning_unit << c.coupled_behind << c.passengers << c.pattern_template;
    EXPECT_TRUE(tables.up.runs.empty());
  }
}

TEST(Qualify, RunStoppingAtOneStationIsInNoTable) {
  TimetableLine line;
  line.add_run(1, {{TimetableLine::rail(2, 1), hm(8, 0), dia::kEventStop},
                   {TimetableLine::rail(3, 1), hm(8, 2), dia::kEventPass}});
  const auto tables = line.build();
  EXPECT_TRUE(tables.down.runs.empty());
  EXPECT_TRUE(tables.up.runs.empty());
}

TEST(Qualify, RightDownSwapsTheTables) {
  TimetableLine line;
  const int d1 = line.down_run(hm(7, 0));
  const int d2 = line.add_run(2, {{TimetableLine::rail(4, 2), hm(9, 0), dia::kEventStop},
                                  {TimetableLine::rail(1, 2), hm(9, 9), dia::kEventArrival}});
  auto tables = line.build();
  EXPECT_EQ(tables.down.runs, std::vector<int>{d1});
  EXPECT_EQ(tables.up.runs, std::vector<int>{d2});
  line.ds.header.map.right_down = 1;
  tables = line.build();
  EXPECT_EQ(tables.down.runs, std::vector<int>{d2});
  EXPECT_EQ(tables.up.runs, std::vector<int>{d1});
  EXPECT_TRUE(tables.spans[d1].up);
  EXPECT_FALSE(tables.spans[d1].down);
}

TEST(Columns, RunningOrderFirstThenUnnumberedRunsByTime) {
  TimetableLine line;
  const int late = line.down_run(hm(9, 0));
  const int early = line.down_run(hm(6, 0));
  const int numbered = line.down_run(hm(8, 0));
  const int after_midnight = line.down_run(hm(0, 30));
  line.ds.dia.diagrams[numbered].running_order = 1;
  EXPECT_EQ(line.build().down.runs, (std::vector<int>{numbered, early, late, after_midnight}));
}

TEST(Rows, ArrivalRowsForArrivalTargetsAndTheLastTrackRowWhenShown) {
  TimetableLine line;
  line.ds.map.targets[2].time_display = map::kArrivalsAndDepartures;
  line.ds.map.targets[3].show_track_numbers = true;
  const auto tables = line.build();
  const std::vector<timetable::TableRow> expected = {
      {1, RowKind::Departure}, {2, RowKind::Arrival},   {2, RowKind::Departure},
      {3, RowKind::Track},     {3, RowKind::Departure}, {4, RowKind::Arrival}};
  ASSERT_EQ(tables.down.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(tables.down.rows[i].target, expected[i].target) << i;
    EXPECT_EQ(tables.down.rows[i].kind, expected[i].kind) << i;
  }
  // The up table ends at A, which gets the arrival row.
  EXPECT_EQ(tables.up.rows.back().target, 1);
  EXPECT_EQ(tables.up.rows.back().kind, RowKind::Arrival);
}

TEST(TimeText, HoursSecondsAndColons) {
  EXPECT_EQ(timetable::time_text(hm(7, 5, 9), false, false), " 705");
  EXPECT_EQ(timetable::time_text(hm(7, 5, 9), false, true), " 7:05");
  EXPECT_EQ(timetable::time_text(hm(7, 5, 9), true, false), " 70509");
  EXPECT_EQ(timetable::time_text(hm(7, 5, 9), true, true), " 7:05:09");
  EXPECT_EQ(timetable::time_text(hm(1, 10), false, true), "25:10");
}

TEST(Cells, StopsPassesGapsAndOutsideTheRun) {
  TimetableLine line;
  line.ds.map.targets[2].time_display = map::kArrivalsAndDepartures;
  line.ds.map.targets[3].show_track_numbers = true;
  line.ds.map.targets[3].tracks = {{TimetableLine::rail(3, 1), 0, "2", ""}};
  // Starts at B, passes C, ends at D; A is outside the run.
  const int n = line.add_run(1, {{TimetableLine::rail(2, 1), hm(7, 0), dia::kEventStop},
                                 {TimetableLine::rail(3, 1), hm(7, 3), dia::kEventPass},
                                 {TimetableLine::rail(4, 1), hm(7, 6), dia::kEventStop}});
  TableView view;
  const auto tables = line.build(view);
  // Rows: A dep, B arr, B dep, C track, C dep, D arr.
  EXPECT_EQ(texts(timetable::run_cells(line.ds, tables, tables.down, n, view)),
            (std::vector<std::string>{kDots, kDots, " 700", "2", kPass, " 705"}));
  view.pass = true;
  const auto cells = timetable::run_cells(line.ds, tables, tables.down, n, view);
  EXPECT_EQ(cells[4].text, " 703");
  EXPECT_EQ(cells[0].colour, timetable::kGrey);
  EXPECT_EQ(cells[2].colour, (timetable::Colour{0x12, 0xAB, 0x0F}));
}

TEST(Cells, MissingStationInsideTheRunAndArrivalsWithADepartureAfter) {
  TimetableLine line;
  line.ds.map.targets[2].time_display = map::kArrivalsAndDepartures;
  // A stop, nothing at B, C split into arrival and departure, D arrival.
  const int n = line.add_run(1, {{TimetableLine::rail(1, 1), hm(23, 50), dia::kEventStop},
                                 {TimetableLine::rail(3, 1), hm(23, 58), dia::kEventArrival},
                                 {TimetableLine::rail(3, 1), hm(0, 1), dia::kEventStop},
                                 {TimetableLine::rail(4, 1), hm(0, 5), dia::kEventArrival}});
  TableView view;
  view.colons = true;
  const auto tables = line.build(view);
  // Rows: A dep, B arr, B dep, C dep, D arr.
  EXPECT_EQ(texts(timetable::run_cells(line.ds, tables, tables.down, n, view)),
            (std::vector<std::string>{"23:50", kDots, "||", "24:01", "24:05"}));
}

TEST(Cells, ArrivalRowOfAStopIsTheDepartureLessTheStopTime) {
  TimetableLine line;
  line.ds.map.targets[2].time_display = map::kArrivalsAndDepartures;
  line.ds.header.dia.standard = 40;
  const int n = line.down_run(hm(7, 0));
  TableView view;
  view.seconds = true;
  const auto tables = line.build(view);
  const auto cells = texts(timetable::run_cells(line.ds, tables, tables.down, n, view));
  EXPECT_EQ(cells[1], " 70120");      // B: 7:02:00 less 40 s
  EXPECT_EQ(cells.back(), " 70520");  // D, the last station
}

TEST(Cells, UpTableRunsFromItsFirstStation) {
  TimetableLine line;
  const int n = line.add_run(2, {{TimetableLine::rail(3, 2), hm(9, 0), dia::kEventStop},
                                 {TimetableLine::rail(2, 2), hm(9, 4), dia::kEventStop}});
  TableView view;
  const auto tables = line.build(view);
  ASSERT_EQ(tables.up.runs, std::vector<int>{n});
  // Rows: D, C, B departures and the arrival at A.
  EXPECT_EQ(texts(timetable::run_cells(line.ds, tables, tables.up, n, view)),
            (std::vector<std::string>{kDots, " 900", " 904", kDots}));
}

}  // namespace
}  // namespace vosk::testing
