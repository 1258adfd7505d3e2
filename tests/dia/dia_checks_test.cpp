#include "dia/dia_checks.h"

#include <gtest/gtest.h>

#include "dia/effective_length.h"
#include "support/scripted_prompt.h"
#include "timing_fixtures.h"

namespace vosk::dia {
namespace {

using testing::ScriptedPrompt;
using testing::sj;
using timing_testing::hms;
using timing_testing::TestDia;
using timing_testing::TestMap;

// ---------------------------------------------------------------- lengths

class Dia_EffectiveLengthTests : public ::testing::Test {
 protected:
  TestMap map;
  TestDia t{map};
  int tx = map.add_station("甲");
  // A point track, then a station rail without stop mark, then the platform.
  int z = map.add_rail(0, 30, 0, 0, "分岐");
  int y = map.add_rail(z, 50, tx, 0, "構内");
  int x = map.add_rail(y, 120, tx, 100, "一番線");
  // A platform right at the start of the line.
  int v = map.add_rail(0, 120, tx, 100, "二番線");
  // A platform behind which the line leaves the station.
  int q = map.add_rail(0, 50, 0, 0, "本線");
  int w = map.add_rail(q, 120, tx, 100, "三番線");

  void SetUp() override { map.prails[map.rails[z].l_pack].point = 1; }

  // A run of a formation `length` metres long: a stop at `stop`, then its
  // final arrival at `end`.
  int run_of(int length, int stop, int end) {
    int n = t.add_run({{stop, hms(10, 0), kEventStop}, {end, hms(10, 10), kEventArrival}});
    t.add_unit(t.add_series(length), {n});
    return n;
  }

  LengthCheck check(int n) { return check_effective_length(t.checks(), n); }
};

TEST_F(Dia_EffectiveLengthTests, SixMetresToSpareFitsFiveDoNot) {
  EXPECT_TRUE(check(run_of(94, v, x)).ok);
  LengthCheck r = check(run_of(95, v, x));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(
      r.text,
      sj("二番線の有効長が足りません。\nAの編成長が長いため、入線出来ない可能性があります。"));
}

TEST_F(Dia_EffectiveLengthTests, TheRailsBehindTakeTheRestUntilAPoint) {
  EXPECT_TRUE(check(run_of(140, x, x)).ok);  // 45 m stand on the station rail behind
  int n = run_of(145, x, x);
  LengthCheck r = check(n);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.text, sj("一番線の有効長が足りません。\nT" + std::to_string(n) +
                       "の編成長が長いため、ポイントが転換しない可能性があります。"));
}

TEST_F(Dia_EffectiveLengthTests, ATurnbackMustStayWithinTheStoppingPlace) {
  int n = run_of(50, v, w);
  EXPECT_TRUE(check(n).ok);
  int m = run_of(100, x, w);  // 5 m reach back onto the line
  LengthCheck r = check(m);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.text, sj("三番線の有効長が足りません。\nT" + std::to_string(m) +
                       "の編成長が長いため、折り返しができません。"));

  // Going on in the same direction, the end is checked like a stop.
  int next = t.add_run({{w, hms(11, 0), kEventStop}, {w, hms(11, 0), kEventArrival}});
  t.dia.diagrams[m].next_working = next;
  EXPECT_TRUE(check(m).ok);
  t.dia.diagrams[next].direction = 1;
  EXPECT_FALSE(check(m).ok);

  // With no rail behind at all.
  int k = run_of(100, w, v);
  r = check(k);
  EXPECT_EQ(r.text, sj("編成長が長すぎます。"));
}

TEST_F(Dia_EffectiveLengthTests, CoupledFormationsAddUpAlongTheRunsAhead) {
  int front = run_of(50, v, x);
  int rear = run_of(50, v, x);
  EXPECT_EQ(formation_length(t.checks(), rear), 50);
  EXPECT_TRUE(check(rear).ok);
  t.dia.diagrams[rear].coupled_ahead = front;
  t.dia.diagrams[front].coupled_behind = rear;
  EXPECT_EQ(formation_length(t.checks(), rear), 100);
  EXPECT_EQ(formation_length(t.checks(), front), 50);
  EXPECT_FALSE(check(rear).ok);
  // A damaged chain that loops is walked once.
  t.dia.diagrams[front].coupled_ahead = rear;
  EXPECT_EQ(formation_length(t.checks(), rear), 100);
}

TEST_F(Dia_EffectiveLengthTests, RunsWithoutFormationAndRailsWithoutStopMarkAreNotChecked) {
  int n = t.add_run({{v, hms(10, 0), kEventStop}, {x, hms(10, 10), kEventArrival}});
  EXPECT_EQ(formation_length(t.checks(), n), 0);
  EXPECT_TRUE(check(n).ok);
  EXPECT_TRUE(check(run_of(500, y, y)).ok);
  EXPECT_TRUE(check(0).ok);
  EXPECT_TRUE(check(99).ok);
}

TEST_F(Dia_EffectiveLengthTests, ReportsGoLineByLineOrIntoABox) {
  int n = run_of(95, v, x);
  CollectedReport report;
  EXPECT_FALSE(report_effective_length(t.checks(), n, report));
  EXPECT_EQ(report.lines(),
            (std::vector<std::string>{sj("二番線の有効長が足りません。"),
                                      sj("Aの編成長が長いため、入線出来ない可能性があります。")}));
  ScriptedPrompt prompt;
  EXPECT_FALSE(effective_length_box(t.checks(), n, prompt));
  EXPECT_EQ(prompt.last().caption, "編成長エラー");
  EXPECT_EQ(prompt.last().text,
            "二番線の有効長が足りません。\nAの編成長が長いため、入線出来ない可能性があります。");
  EXPECT_TRUE(effective_length_box(t.checks(), run_of(10, v, x), prompt));
  EXPECT_EQ(prompt.count(), 1u);
}

// ---------------------------------------------------------------- overlaps

class Dia_PlatformOverlapTests : public ::testing::Test {
 protected:
  TestMap map;
  TestDia t{map};
  int ta = map.add_station("甲");
  int tb = map.add_station("乙");
  int a = map.add_rail(0, 200, ta, 150, "甲1");
  int b = map.add_rail(a, 200, tb, 150, "乙1");
  int b_up = map.add_rail_on_track_of(b, 0, 200, "乙1上");  // the same track, other way
  int b2 = map.add_rail(0, 200, tb, 150, "乙2");            // another track at 乙
  int series = t.add_series(100);

  // A run of its own formation: from 甲 at `dep`, then `b_events` at 乙.
  int run(int dep, std::vector<DiaEvent> b_events, bool own_unit = true) {
    std::vector<DiaEvent> events{{a, dep, kEventStop}};
    events.insert(events.end(), b_events.begin(), b_events.end());
    int n = t.add_run(events);
    if (own_unit) t.add_unit(series, {n}, "F" + std::to_string(n));
    return n;
  }

  OverlapResult check(int n, CheckReport& report, bool use_duplicate = true) {
    const CheckContext& ctx = t.checks();
    OccupationIndex index(ctx);
    return check_platform_overlap(ctx, index, n, use_duplicate, report);
  }
  std::vector<OverlapHit> hits(int n) {
    CollectedReport report;
    return check(n, report).hits;
  }
};

TEST_F(Dia_PlatformOverlapTests, AFinalArrivalHoldsItsTrackUntilTheEndOfTheDay) {
  int ends = run(hms(9, 0), {{b, hms(9, 10), kEventArrival}});
  int later = run(hms(20, 0), {{b, hms(20, 10), kEventStop}, {b2, hms(20, 20), kEventArrival}});
  t.dia.diagrams[ends].destination_text = sj("乙");
  t.dia.diagrams[ends].train_type = 2;
  CollectedReport report;
  OverlapResult r = check(later, report);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(r.hits.size(), 1u);
  EXPECT_EQ(r.hits[0], (OverlapHit{b, ends}));
  std::string line = "T" + std::to_string(ends) + "（快速 乙）と乙1で番線重複しています。";
  EXPECT_EQ(report.lines(), std::vector<std::string>{sj(line)});
  EXPECT_EQ(r.box_text, line);
  // And the other way round.
  EXPECT_EQ(hits(ends), (std::vector<OverlapHit>{{b, later}}));
}

TEST_F(Dia_PlatformOverlapTests, AfterMidnightCountsAsTheSameOperatingDay) {
  int ends = run(hms(22, 50), {{b, hms(23, 0), kEventArrival}});
  int late = run(hms(1, 20), {{b, hms(1, 30), kEventStop}, {b2, hms(1, 40), kEventArrival}});
  EXPECT_EQ(hits(late), (std::vector<OverlapHit>{{b, ends}}));
}

TEST_F(Dia_PlatformOverlapTests, ANextWorkingFreesTheTrackWhenItLeaves) {
  int ends = run(hms(9, 0), {{b, hms(9, 10), kEventArrival}});
  int next = t.add_run({{b_up, hms(9, 30), kEventStop}, {a, hms(9, 40), kEventArrival}});
  t.dia.units[t.dia.diagrams[ends].run.owning_unit].first_diagram = ends;
  t.dia.diagrams[ends].next_working = next;
  recompute_owners(t.dia);
  int tc = map.add_station("丙");
  int c1 = map.add_rail(0, 200, tc, 150, "丙1");
  int c2 = map.add_rail(0, 200, tc, 150, "丙2");
  int before = run(hms(9, 19), {{b, hms(9, 29), kEventStop}, {c1, hms(9, 40), kEventArrival}});
  int after = run(hms(9, 21), {{b, hms(9, 31, 30), kEventStop}, {c2, hms(9, 40), kEventArrival}});
  EXPECT_EQ(hits(before), (std::vector<OverlapHit>{{b, ends}}));  // 09:28:30 .. 09:29
  EXPECT_TRUE(hits(after).empty());  // from 09:31:00, after the next working left
}

TEST_F(Dia_PlatformOverlapTests, OnlyRailsOfTheSameTrackAreCompared) {
  int x = run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}});
  int other_way = t.add_run({{b_up, hms(9, 10, 15), kEventStop}, {a, hms(9, 20), kEventArrival}});
  t.add_unit(series, {other_way}, "G");
  int other_track = run(hms(8, 0), {{b2, hms(9, 10), kEventStop}, {a, hms(9, 20), kEventArrival}});
  EXPECT_EQ(hits(x), (std::vector<OverlapHit>{{b_up, other_way}}));
  // At 乙2 x arrives only at 09:20; both others end at 甲 at 09:20.
  EXPECT_EQ(hits(other_track), (std::vector<OverlapHit>{{a, other_way}}));
}

TEST_F(Dia_PlatformOverlapTests, ArrivalAndDepartureOccupyFromArrivalToDeparture) {
  int x = run(hms(9, 0), {{b, hms(9, 10), kEventArrival},
                          {b, hms(9, 20), kEventStop},
                          {b2, hms(9, 30), kEventArrival}});
  const CheckContext& ctx = t.checks();
  std::vector<Occupation> stays = run_occupations(ctx, x);
  ASSERT_EQ(stays.size(), 3u);
  EXPECT_EQ(stays[0].start, hms(8, 59, 30));  // departure − stop time
  EXPECT_EQ(stays[1].rail, b);
  EXPECT_EQ(stays[1].start, hms(9, 10));
  EXPECT_EQ(stays[1].end, hms(9, 20));
  EXPECT_EQ(stays[2].end, 100800);
  int y = run(hms(9, 5), {{b, hms(9, 15), kEventStop}, {b2, hms(9, 31), kEventArrival}});
  EXPECT_EQ(hits(y).size(), 2u);  // at 乙1 and, on 乙2, after x's final arrival
}

TEST_F(Dia_PlatformOverlapTests, RunsOfOneFormationNeverOverlap) {
  int first = run(hms(9, 0), {{b, hms(9, 10), kEventArrival}});
  int second =
      run(hms(9, 5), {{b, hms(9, 15), kEventStop}, {b2, hms(9, 25), kEventArrival}}, false);
  t.dia.units[t.dia.diagrams[first].run.owning_unit].first_diagram = first;
  t.dia.diagrams[first].next_working = second;
  recompute_owners(t.dia);
  EXPECT_TRUE(hits(second).empty());
}

TEST_F(Dia_PlatformOverlapTests, CoupledRunsOfTwoFormationsNeverOverlap) {
  int front = run(hms(12, 0), {{b, hms(12, 10), kEventStop}, {b2, hms(12, 20), kEventArrival}});
  int rear = run(hms(12, 0), {{b, hms(12, 10), kEventStop}, {b2, hms(12, 20), kEventArrival}});
  t.dia.diagrams[rear].coupled_ahead = front;
  t.dia.diagrams[front].coupled_behind = rear;
  EXPECT_TRUE(hits(front).empty());
  EXPECT_TRUE(hits(rear).empty());
}

TEST_F(Dia_PlatformOverlapTests, TemplatesFreeRunsAndLaterWorkingsAreNotCompared) {
  int r = run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}});
  int templ = run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}});
  t.dia.diagrams[templ].pattern_template = 1;
  run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}}, false);
  // A run that starts after r has ended and has a next working.
  int late = run(hms(9, 25), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 40), kEventArrival}});
  int late_next = t.add_run({{a, hms(10, 0), kEventStop}, {a, hms(10, 10), kEventArrival}});
  t.dia.units[t.dia.diagrams[late].run.owning_unit].first_diagram = late;
  t.dia.diagrams[late].next_working = late_next;
  recompute_owners(t.dia);
  EXPECT_TRUE(hits(r).empty());
  CollectedReport report;
  EXPECT_TRUE(check(templ, report).ok);
  EXPECT_TRUE(report.lines().empty());  // a template is not checked at all
}

TEST_F(Dia_PlatformOverlapTests, MergePartnersAreNotCompared) {
  // r's next working runs behind the next working of p: r merges with p.
  int r = run(hms(9, 0), {{b, hms(9, 10), kEventArrival}}, false);
  int r_next = t.add_run({{b, hms(9, 30), kEventStop}, {b2, hms(9, 40), kEventArrival}});
  int p = run(hms(9, 0), {{b, hms(9, 5), kEventArrival}}, false);
  int p_next = t.add_run({{b, hms(9, 30), kEventStop}, {b2, hms(9, 40), kEventArrival}});
  t.dia.diagrams[r_next].coupled_ahead = p_next;
  t.dia.diagrams[p_next].coupled_behind = r_next;
  t.add_unit(series, {r, r_next}, "R");
  t.add_unit(series, {p, p_next}, "P");
  ASSERT_EQ(CouplingRelations(t.dia).merge_partner(r), p);
  EXPECT_TRUE(hits(r).empty());
  EXPECT_TRUE(hits(p).empty());
}

TEST_F(Dia_PlatformOverlapTests, NoOverlapSaysSoUnlessTheCheckIsOff) {
  int x = run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}});
  CollectedReport report;
  EXPECT_TRUE(check(x, report).ok);
  EXPECT_EQ(report.lines(), std::vector<std::string>{sj("番線重複はありません。")});

  run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}});
  CollectedReport off;
  OverlapResult r = check(x, off, false);
  EXPECT_TRUE(r.ok);
  EXPECT_TRUE(r.hits.empty());
  EXPECT_TRUE(off.lines().empty());
}

TEST_F(Dia_PlatformOverlapTests, SeveralOverlapsPointToTheMessageWindow) {
  int x = run(hms(9, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 20), kEventArrival}});
  int y = run(hms(8, 0), {{b, hms(9, 10), kEventStop}, {b2, hms(9, 21), kEventArrival}});
  CollectedReport report;
  OverlapResult r = check(x, report);
  ASSERT_EQ(r.hits.size(), 2u);
  EXPECT_EQ(r.hits[0], (OverlapHit{b, y}));
  EXPECT_EQ(r.hits[1], (OverlapHit{b2, y}));
  EXPECT_EQ(report.lines().size(), 2u);
  std::string last = "T" + std::to_string(y) + "（普通 不定）と乙2で番線重複しています。";
  EXPECT_EQ(
      r.box_text,
      last + "\n\n複数の番線重複がありました。\nこれ以外はメッセージウインドウで確認できます。");
}

// ----------------------------------------------------- electrification etc.

class Dia_ElectrificationTests : public ::testing::Test {
 protected:
  TestMap map;
  TestDia t{map};
  int ta = map.add_station("甲");
  int tb = map.add_station("乙");
  int a = map.add_rail(0, 200, ta, 150, "甲1");
  int ab = map.add_rail(a, 800, 0, 0, "甲乙間");
  int b = map.add_rail(ab, 200, tb, 150, "乙1");
  int dc_series = t.add_series(100, {map::kDc1500V}, "直流車");

  void SetUp() override {
    map.prails[map.rails[ab].l_pack].electrification = map::kAc20000V;
    map.prails[map.rails[b].l_pack].electrification = map::kAc20000V;
  }

  int run() {
    int n = t.add_run(
        {{a, hms(9, 0), kEventStop}, {ab, hms(9, 2), kEventPass}, {b, hms(9, 5), kEventArrival}});
    t.add_unit(dc_series, {n}, "A");
    return n;
  }
};

TEST_F(Dia_ElectrificationTests, ADcSeriesStopsAtTheFirstAcTrack) {
  int n = run();
  CollectedReport report;
  ElectrificationCheck r = check_electrification(t.checks(), n, true, report);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.rail, ab);
  std::string train = "T" + std::to_string(n);
  EXPECT_EQ(report.lines(),
            (std::vector<std::string>{
                sj("電化方式が違います。"),
                sj(train + "(直流車 A編成)は甲乙間(交流20000[V])から先に入れません。")}));
  EXPECT_EQ(r.box_text, "電化方式が違います。\n" + train +
                            "(直流車 A編成)は甲乙間(交流20000[V])から先に入れません。");

  // In a stopping place the window names the place, the box the rail.
  map.prails[map.rails[ab].l_pack].electrification = map::kDc1500V;
  CollectedReport at_station;
  r = check_electrification(t.checks(), n, true, at_station);
  EXPECT_EQ(r.rail, b);
  EXPECT_EQ(at_station.lines()[1],
            sj(train + "(直流車 A編成)は乙(交流20000[V])から先に入れません。"));
  EXPECT_EQ(r.box_text, "電化方式が違います。\n" + train +
                            "(直流車 A編成)は乙1(交流20000[V])から先に入れません。");
}

TEST_F(Dia_ElectrificationTests, NothingIsCheckedWhenOffOrForUnknownSystemsAndTemplates) {
  int n = run();
  CollectedReport report;
  EXPECT_TRUE(check_electrification(t.checks(), n, false, report).ok);
  map.prails[map.rails[ab].l_pack].electrification = 9;  // unknown codes pass
  map.prails[map.rails[b].l_pack].electrification = -1;
  EXPECT_TRUE(check_electrification(t.checks(), n, true, report).ok);
  map.prails[map.rails[b].l_pack].electrification = map::kAc25000V;
  t.dia.diagrams[n].pattern_template = 1;
  EXPECT_TRUE(check_electrification(t.checks(), n, true, report).ok);
  t.dia.diagrams[n].pattern_template = 0;
  t.series[dc_series].electrification[map::kAc25000V] = 1;
  EXPECT_TRUE(check_electrification(t.checks(), n, true, report).ok);
  int free_run = t.add_run({{a, hms(9, 0), kEventStop}, {b, hms(9, 5), kEventArrival}});
  EXPECT_TRUE(check_electrification(t.checks(), free_run, true, report).ok);
  EXPECT_TRUE(report.lines().empty());
}

TEST_F(Dia_ElectrificationTests, ASelectedRunIsCheckedInTheWindowsOrder) {
  int n = run();
  t.dia.diagrams[n].events[1].time = 0;  // a missing time
  t.dia.diagrams[n].applied_pattern = 3;
  t.dia.diagrams[n].pattern_changed = 1;
  const CheckContext& ctx = t.checks();
  OccupationIndex index(ctx);
  CollectedReport report;
  SelectionCheck r = check_selected_run(ctx, index, n, {true, true}, report);
  EXPECT_TRUE(r.times_missing);
  EXPECT_TRUE(r.overlap.ok);
  EXPECT_TRUE(r.pattern_changed);
  EXPECT_FALSE(r.electrification.ok);
  ASSERT_EQ(report.lines().size(), 5u);
  EXPECT_EQ(report.lines()[0],
            sj("時刻が未設定の部分があります。TABキーを押して、自動計測を行って下さい。"));
  EXPECT_EQ(report.lines()[1], sj("番線重複はありません。"));
  EXPECT_EQ(report.lines()[2],
            sj("ダイヤパターンが変更されています。TABキーを押して、再適用を行って下さい。"));
  EXPECT_EQ(report.lines()[3], sj("電化方式が違います。"));
}

TEST_F(Dia_ElectrificationTests, CheckingAllRunsListsOnlyRunsWithFindings) {
  int bad = run();
  int good = t.add_run({{a, hms(10, 0), kEventStop}, {ab, hms(10, 5), kEventArrival}});
  t.add_unit(t.add_series(100, {map::kDc1500V, map::kAc20000V}), {good}, "B");
  int templ = run();
  t.dia.diagrams[templ].pattern_template = 1;
  std::vector<RunFindings> found = check_all_runs(t.checks(), {true, true});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].run, bad);
  EXPECT_EQ(found[0].lines.size(), 2u);  // the electrification lines only
}

TEST_F(Dia_ElectrificationTests, ADiagramWithoutEventsPassesEveryCheck) {
  int n = run();
  t.dia.diagrams[n].events.clear();
  int other = run();
  const CheckContext& ctx = t.checks();
  OccupationIndex index(ctx);
  EXPECT_TRUE(run_occupations(ctx, n).empty());
  EXPECT_TRUE(check_effective_length(ctx, n).ok);
  CollectedReport report;
  SelectionCheck r = check_selected_run(ctx, index, n, {true, true}, report);
  EXPECT_FALSE(r.times_missing);
  EXPECT_TRUE(r.overlap.ok);
  EXPECT_TRUE(r.electrification.ok);
  EXPECT_EQ(report.lines(), std::vector<std::string>{sj("番線重複はありません。")});
  std::vector<RunFindings> found = check_all_runs(ctx, {true, true});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].run, other);
}

}  // namespace
}  // namespace vosk::dia
