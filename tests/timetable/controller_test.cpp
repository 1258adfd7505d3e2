// The timetable window's controller: clicks and keys in both layouts, the
// selected run's fill, the vertical nickname, and the view flags' section.
#include "timetable/timetable_controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/recording_surface.h"
#include "base/sjis.h"
#include "support/scripted_prompt.h"
#include "timetable/vertical_text.h"
#include "timetable_fixture.h"

namespace vosk::testing {
namespace {

using timetable::ClickResult;
using timetable::KeyResult;
using timetable::RowKind;
using timetable::TimetableKey;

class Timetable_ControllerTests : public ::testing::Test {
 protected:
  void SetUp() override {
    a = line.down_run(hm(7, 0));
    b = line.down_run(hm(8, 0));
    line.ds.dia.diagrams[a].running_order = 1;
    line.ds.dia.diagrams[b].running_order = 2;
  }

  // Columns layout without title, nickname and remarks: three header rows.
  timetable::TimetableController make(bool rows) {
    timetable::TimetableFlags flags;
    flags.x_axis = rows;
    flags.title = flags.nickname = flags.remark = false;
    timetable::TimetableController c(line.ds, flags);
    c.layout(surface, surface.size());
    m = std::max(1, (5 * 96 + 360) / 720);
    row_h = surface.measure("00:00").height + 3 * m;
    const std::string type = sjis::to_utf8_lossy(line.ds.classification.train_types[1].short_name);
    col_w = std::max({surface.measure("00:00").width, surface.measure("101").width,
                      surface.measure(type).width}) +
            3 * m;
    station_w = surface.measure("A").width + surface.measure("発").width + m + 2;
    return c;
  }

  // Centre of the cell of run lane `lane` (-1 the stations) and slot `slot`
  // (0..2 header, 3.. table rows) of the down table, columns layout.
  Point column_cell(int lane, int slot) const {
    const int x = lane < 0 ? station_w / 2 : station_w + lane * col_w + col_w / 2;
    return {x, slot * row_h + row_h / 2};
  }

  TimetableLine line;
  RecordingSurface surface{{1000, 800}, 96};
  int a = 0, b = 0;
  int m = 1, row_h = 0, col_w = 0, station_w = 0;
};

TEST_F(Timetable_ControllerTests, ClicksInTheColumnsLayout) {
  auto c = make(false);
  struct Row {
    const char* name;
    Point at;
    ClickResult::Kind kind;
    int target;
    int run;
  };
  const Row rows[] = {
      {"station lane, first row", column_cell(-1, 3), ClickResult::StationDialog, 1, 0},
      {"station lane, last row", column_cell(-1, 6), ClickResult::StationDialog, 4, 0},
      {"corner", column_cell(-1, 0), ClickResult::None, 0, 0},
      {"header of the second run", column_cell(1, 1), ClickResult::Information, 0, b},
      {"cell at C", column_cell(0, 5), ClickResult::Selected, 3, a},
      {"beyond the runs", column_cell(5, 4), ClickResult::None, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const ClickResult got = c.click(r.at);
    EXPECT_EQ(got.kind, r.kind);
    EXPECT_EQ(got.target, r.target);
    EXPECT_EQ(got.run, r.run);
  }
  EXPECT_EQ(c.selection().run, a);
  EXPECT_EQ(c.selection().target, 3);
  EXPECT_EQ(c.selection().row, RowKind::Departure);
}

TEST_F(Timetable_ControllerTests, TheRowsLayoutPutsRunsInRowsAndStationsInColumns) {
  auto c = make(true);
  const int slot_w = std::max(col_w, station_w + m);
  // Second run's row, the table's first station column (after three header slots).
  const ClickResult got = c.click({3 * col_w + slot_w / 2, row_h + row_h + row_h / 2});
  EXPECT_EQ(got.kind, ClickResult::Selected);
  EXPECT_EQ(got.run, b);
  EXPECT_EQ(got.target, 1);
  EXPECT_EQ(c.click({3 * col_w + 3 * slot_w + slot_w / 2, row_h / 2}).target, 4);  // station row
}

TEST_F(Timetable_ControllerTests, KeysMoveTheSelectionAndEditTheCell) {
  auto c = make(false);
  ScriptedPrompt prompt;
  c.click(column_cell(0, 4));  // run a at B
  EXPECT_EQ(c.key(TimetableKey::Right, prompt).kind, KeyResult::Redraw);
  EXPECT_EQ(c.selection().run, b);
  c.key(TimetableKey::Right, prompt);  // nothing after b: stays
  EXPECT_EQ(c.selection().run, b);
  c.key(TimetableKey::Left, prompt);
  EXPECT_EQ(c.selection().run, a);
  const KeyResult enter = c.key(TimetableKey::Enter, prompt);
  EXPECT_EQ(enter.kind, KeyResult::EditTime);
  EXPECT_EQ(enter.event, 1);
  EXPECT_EQ(c.key(TimetableKey::Digit, prompt).kind, KeyResult::Ignored);

  const KeyResult space = c.key(TimetableKey::Space, prompt);
  EXPECT_EQ(space.kind, KeyResult::DataChanged);
  EXPECT_EQ(line.ds.dia.diagrams[a].events[1].type, dia::kEventPass);
  EXPECT_EQ(c.key(TimetableKey::Space, prompt).kind, KeyResult::DataChanged);
  EXPECT_EQ(line.ds.dia.diagrams[a].events[1].type, dia::kEventStop);

  c.key(TimetableKey::Escape, prompt);
  EXPECT_EQ(c.selection().run, 0);
  EXPECT_EQ(c.key(TimetableKey::Enter, prompt).kind, KeyResult::Ignored);
}

TEST_F(Timetable_ControllerTests, APrintedPageShowsItsRunsBesideTheStations) {
  auto c = make(false);
  EXPECT_EQ(c.lane_count(), 2);
  EXPECT_EQ(c.lanes_per_page(station_w + col_w + col_w / 2), 1);
  c.set_lane_window(1, 1);
  c.layout(surface, surface.size());
  EXPECT_EQ(c.click(column_cell(0, 4)).run, b);                   // the page's first column
  EXPECT_EQ(c.click(column_cell(1, 4)).kind, ClickResult::None);  // nothing after it
  EXPECT_EQ(c.click(column_cell(-1, 4)).kind, ClickResult::StationDialog);
}

TEST_F(Timetable_ControllerTests, ASecondClickOnTheSelectedTrackCellChangesTheTrack) {
  map::Target& place = line.ds.map.targets[2];
  place.show_track_numbers = true;
  place.tracks.push_back({TimetableLine::rail(2, 1), 0, "1", "01"});
  auto c = make(false);
  // B's rows: track (slot 4), departure (slot 5).
  EXPECT_EQ(c.click(column_cell(0, 4)).kind, ClickResult::Selected);
  EXPECT_EQ(c.selection().row, RowKind::Track);
  const ClickResult again = c.click(column_cell(0, 4));
  EXPECT_EQ(again.kind, ClickResult::TrackChange);
  EXPECT_EQ(again.event, 1);
  EXPECT_EQ(c.click(column_cell(0, 5)).kind, ClickResult::Selected);  // another cell
}

TEST_F(Timetable_ControllerTests, DrawsTheSelectedRunFilledAndTheNicknameTopToBottom) {
  line.ds.dia.diagrams[a].nickname = sj("あ（い）ー");
  line.ds.dia.diagrams[a].car_number = 3;
  timetable::TimetableController c(line.ds, {});
  c.flags().x_axis = false;
  c.select_run(a);
  c.layout(surface, surface.size());
  c.draw(surface);
  const auto fills = surface.ops_of(OpKind::FillRect);
  EXPECT_FALSE(fills.empty());
  for (const DrawOp& f : fills) EXPECT_EQ(f.colour, (Rgb{192, 192, 192}));

  std::vector<DrawOp> nick;
  for (const DrawOp& op : surface.ops_of(OpKind::Text))
    if (op.align.horizontal == HAlign::Center) nick.push_back(op);
  std::vector<std::string> chars;
  for (const DrawOp& op : nick) chars.push_back(op.text);
  EXPECT_EQ(chars, (std::vector<std::string>{"あ", "︵", "い", "︶", "｜", "3", "号"}));
  for (std::size_t i = 1; i < nick.size(); ++i) {
    EXPECT_EQ(nick[i].from.x, nick[0].from.x);
    EXPECT_GT(nick[i].from.y, nick[i - 1].from.y);
  }
}

TEST_F(Timetable_ControllerTests, FirstTrainsAreFilledBetweenTheSearchedStations) {
  struct Quiet : dia::Progress {
    void report(const std::string&) override {}
  } progress;
  timetable::TimetableController c(line.ds, {});
  c.flags().x_axis = false;
  EXPECT_GE(c.search_first_trains(2, 3, progress), 1);
  EXPECT_EQ(line.ds.dia.diagrams[a].run.search_kind, dia::kSearchDirect);
  c.layout(surface, surface.size());
  c.draw(surface);
  // B's and C's departure cells of the marked runs, nothing at A or D.
  int direct = 0;
  for (const DrawOp& f : surface.ops_of(OpKind::FillRect)) {
    EXPECT_EQ(f.colour, (Rgb{135, 206, 235}));
    ++direct;
  }
  int marked = 0;
  for (int n : {a, b}) marked += line.ds.dia.diagrams[n].run.search_kind == dia::kSearchDirect;
  EXPECT_EQ(direct, 2 * marked);
}

TEST(Timetable_VerticalTextTests, HalfACharacterAtTheEndIsDropped) {
  EXPECT_EQ(timetable::vertical_characters("A\x82"), std::vector<std::string>{"A"});
  EXPECT_EQ(timetable::vertical_characters(""), std::vector<std::string>{});
  EXPECT_EQ(timetable::nickname_text("N", 0), "N");
}

TEST(Timetable_SettingsTests, ViewFlagsAreReadExceptTheWrittenOnlyOnes) {
  timetable::TimetableFlags all_off;
  for (bool timetable::TimetableFlags::*f :
       {&timetable::TimetableFlags::view_down, &timetable::TimetableFlags::suspense,
        &timetable::TimetableFlags::title, &timetable::TimetableFlags::x_axis,
        &timetable::TimetableFlags::remark})
    all_off.*f = false;
  all_off.coupled = true;
  all_off.pass = true;
  ini::Document doc;
  timetable::write_timetable_flags(all_off, doc);
  EXPECT_EQ(doc.get_string(timetable::kTimetableSection, "ViewSuspense", ""), "0");
  EXPECT_EQ(doc.get_string(timetable::kTimetableSection, "ViewDouble", ""), "1");
  const timetable::TimetableFlags read = timetable::read_timetable_flags(doc);
  EXPECT_FALSE(read.view_down);
  EXPECT_FALSE(read.title);
  EXPECT_FALSE(read.x_axis);
  EXPECT_FALSE(read.remark);
  EXPECT_TRUE(read.pass);
  EXPECT_TRUE(read.suspense);  // not read back
  EXPECT_FALSE(read.coupled);
}

}  // namespace
}  // namespace vosk::testing
