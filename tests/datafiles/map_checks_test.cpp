#include "datafiles/map_checks.h"

#include <gtest/gtest.h>

#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using testing::ScriptedPrompt;
using testing::sj;
using testing::TempDir;

DataSet small_sample() { return samples::make_sample({.stations = 5, .runs = 8, .seed = 2}); }

// --- speed types -----------------------------------------------------------

struct SpeedTypeRow {
  int series_count;
  int measuring_series;
  Answer answer;  // Answer::Ok: no question expected
  int expected;
};

class Datafiles_SpeedTypeRepairTests : public ::testing::TestWithParam<SpeedTypeRow> {};

TEST_P(Datafiles_SpeedTypeRepairTests, MissingMeasuringSeriesIsOfferedSeriesOne) {
  const SpeedTypeRow& row = GetParam();
  dia::SpeedTypeTable types = dia::default_speed_types(120);
  types[1].measuring_series = row.measuring_series;
  types[1].name = sj("快速");
  ScriptedPrompt prompt;
  if (row.answer != Answer::Ok) prompt.script({row.answer});
  int repaired = repair_speed_types(types, row.series_count, prompt);
  EXPECT_EQ(types[1].measuring_series, row.expected);
  EXPECT_EQ(repaired, row.expected != row.measuring_series ? 1 : 0);
  ASSERT_EQ(prompt.count(), row.answer != Answer::Ok ? 1u : 0u);
  if (prompt.count()) {
    EXPECT_EQ(prompt.last().caption, "自動修正確認");
    EXPECT_EQ(prompt.last().text.rfind("速度種別快速の計測用形式データがありません。\n", 0), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, Datafiles_SpeedTypeRepairTests,
                         ::testing::Values(SpeedTypeRow{3, 3, Answer::Ok, 3},
                                           SpeedTypeRow{3, 4, Answer::Yes, 1},
                                           SpeedTypeRow{3, 4, Answer::No, 4},
                                           SpeedTypeRow{0, 4, Answer::Ok, 4}));

// --- signal settings dialog ------------------------------------------------

struct SettingsRow {
  const char* what;
  void (*change)(SignalSettingsInput&);
  const char* error;  // nullptr: applied
};

class Datafiles_SignalSettingsTests : public ::testing::TestWithParam<SettingsRow> {};

SignalSettingsContext plain_context() {
  SignalSettingsContext c;
  c.safety_choosable = false;
  c.weakest_brake = 4096;  // 4.0 km/h/s: aspects up to about 3.9 fit
  return c;
}

TEST_P(Datafiles_SignalSettingsTests, OkChecksInTheDialogsOrder) {
  const SettingsRow& row = GetParam();
  MapSettings map;
  map.signal_version = 1042;
  SignalSettingsInput in = signal_settings_values(map);
  row.change(in);
  ScriptedPrompt prompt;
  map::EditResult r = edit_signal_settings(map, in, plain_context(), prompt);
  if (!row.error) {
    EXPECT_TRUE(r.applied()) << row.what << ": " << r.error.text;
    return;
  }
  ASSERT_EQ(r.status, map::EditResult::Status::Refused) << row.what;
  EXPECT_EQ(r.error.caption, "入力データエラー");
  EXPECT_EQ(r.error.text, row.error) << row.what;
  EXPECT_EQ(map.break_spare_dist, MapSettings{}.break_spare_dist) << "nothing stored";
}

constexpr const char* kMarginError =
    "信号余裕距離は5[m]以上確保しなければなりません。\n再設定して下さい。\n";
constexpr const char* kPositiveError =
    "信号現示計算減速度は正の値でなければなりません。\n再設定して下さい。\n";
constexpr const char* kReAccelError =
    "再力行速度は正の値でなければなりません。\n再設定して下さい。\n";
constexpr const char* kTrainError =
    "信号現示計算減速度が列車性能を上回っています。\n余裕を持たせて再設定して下さい。\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, Datafiles_SignalSettingsTests,
    ::testing::Values(
        SettingsRow{"defaults", [](SignalSettingsInput&) {}, nullptr},
        SettingsRow{"margin 5", [](SignalSettingsInput& i) { i.margin = 5; }, nullptr},
        SettingsRow{"margin 4", [](SignalSettingsInput& i) { i.margin = 4; }, kMarginError},
        SettingsRow{"margin before deceleration",
                    [](SignalSettingsInput& i) { i.margin = 0, i.deceleration = 0; }, kMarginError},
        SettingsRow{"deceleration 0.009", [](SignalSettingsInput& i) { i.deceleration = 0.009; },
                    kPositiveError},
        SettingsRow{"arrival 0", [](SignalSettingsInput& i) { i.arrival_route_dist = 0; },
                    kPositiveError},
        SettingsRow{"departure -1", [](SignalSettingsInput& i) { i.departure_route_dist = -1; },
                    kPositiveError},
        SettingsRow{"re-acceleration 0", [](SignalSettingsInput& i) { i.re_accel_speed = 0; },
                    nullptr},
        SettingsRow{"re-acceleration -1", [](SignalSettingsInput& i) { i.re_accel_speed = -1; },
                    kReAccelError},
        // D = 390 * 1024 / 100 = 3993 = 4096 - 103; 3.95 gives 4044 > 4096 - 98.
        SettingsRow{"deceleration 3.90", [](SignalSettingsInput& i) { i.deceleration = 3.90; },
                    nullptr},
        SettingsRow{"deceleration 3.95", [](SignalSettingsInput& i) { i.deceleration = 3.95; },
                    kTrainError}));

TEST(Datafiles_SignalSettingsStoreTests, ValuesAreStoredInTheMapsUnits) {
  MapSettings map;
  SignalSettingsInput in = signal_settings_values(map);
  EXPECT_DOUBLE_EQ(in.deceleration, 3.6);
  in.deceleration = 2.9;
  in.margin = 12;
  in.arrival_route_dist = 1500;
  in.departure_route_dist = 300;
  in.re_accel_speed = 8;
  in.use_area = in.area_order = true;
  in.safety_system = SafetySystem::Ats;
  SignalSettingsContext context = plain_context();
  context.safety_choosable = true;
  ScriptedPrompt prompt;
  ASSERT_TRUE(edit_signal_settings(map, in, context, prompt).applied());
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ((std::vector<int>{map.handle_atc, map.break_spare_dist, map.route_warning_dist,
                              map.route_check_dist, map.re_accel_speed, map.use_area,
                              map.area_order, map.use_electri, map.use_atc, map.use_ats}),
            (std::vector<int>{290, 12, 1500, 300, 8, 1, 1, 0, 0, 1}));

  // Choosing ATC asks first; No keeps the dialog open and stores nothing.
  in.safety_system = SafetySystem::Atc;
  in.margin = 20;
  prompt.script({Answer::No, Answer::Yes});
  EXPECT_EQ(edit_signal_settings(map, in, context, prompt).status,
            map::EditResult::Status::Declined);
  EXPECT_EQ(map.break_spare_dist, 12);
  EXPECT_EQ(prompt.last().caption, "ＡＴＣ確認");
  ASSERT_TRUE(edit_signal_settings(map, in, context, prompt).applied());
  EXPECT_EQ(map.use_atc, 1);
  EXPECT_EQ(map.use_ats, 0);

  // Running characteristics without series that have them: one warning.
  in.use_characteristic = true;
  context.series_without_characteristics = true;
  prompt.script({Answer::Yes});
  ASSERT_TRUE(edit_signal_settings(map, in, context, prompt).applied());
  EXPECT_EQ(prompt.last().caption, "設定警告");
  EXPECT_EQ(prompt.count(), 4u);
}

// --- signal aspect conversion ----------------------------------------------

TEST(Datafiles_SignalConversionTests, OfferedBelow1042Only) {
  DataSet ds = small_sample();
  ds.header.map.signal_version = 1042;
  ScriptedPrompt silent;
  EXPECT_EQ(offer_signal_conversion(ds, silent, false), ConversionOutcome::NotOffered);
  EXPECT_EQ(silent.count(), 0u);

  ds.header.map.signal_version = 1041;
  ScriptedPrompt no;
  no.script({Answer::No});
  EXPECT_EQ(offer_signal_conversion(ds, no, false), ConversionOutcome::Declined);
  ASSERT_EQ(no.count(), 1u);
  EXPECT_EQ(no.last().caption, "バージョンエラー");
  EXPECT_EQ(ds.header.map.signal_version, 1041);

  ds.header.wdia_mode = 1;
  EXPECT_EQ(offer_signal_conversion(ds, silent, false), ConversionOutcome::NotOffered);

  // Nor can its signal settings be edited.
  auto refused = check_signal_settings_command(ds.header.map);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "このマップは、バージョンが古いため、信号設定に対応していません。");
}

TEST(Datafiles_SignalConversionTests, YesFitsTheAspectsToTheWeakestTrain) {
  DataSet ds = small_sample();
  ds.header.map.signal_version = 1041;
  const int weakest = *weakest_train_brake(ds);
  ASSERT_GT(weakest, 0);
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  SignalSettingsInput shown;
  SignalSettingsDialog dialog = [&](DataSet& d, const SignalSettingsInput& proposed,
                                    const SignalSettingsContext& context) {
    shown = proposed;
    EXPECT_TRUE(context.for_conversion);
    return accept_proposed_signal_settings(d, proposed, context, prompt);
  };
  EXPECT_EQ(offer_signal_conversion(ds, prompt, false, dialog), ConversionOutcome::Converted);
  EXPECT_EQ(ds.header.map.signal_version, 1042);
  EXPECT_EQ(ds.header.map.handle_atc, std::min(360, (weakest * 100 - 9800) / 1024));
  EXPECT_EQ(shown.margin, 5);
  EXPECT_EQ(ds.header.map.break_spare_dist, 5);
}

TEST(Datafiles_SignalConversionTests, CancelRestoresTheTwoValues) {
  DataSet ds = small_sample();
  ds.header.map.signal_version = 1041;
  ds.header.map.handle_atc = 900;  // beyond every train: would be fitted
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  SignalSettingsDialog cancel = [](DataSet& d, const SignalSettingsInput&,
                                   const SignalSettingsContext&) {
    EXPECT_LT(d.header.map.handle_atc, 900);
    return false;
  };
  EXPECT_EQ(offer_signal_conversion(ds, prompt, false, cancel), ConversionOutcome::Declined);
  EXPECT_EQ(ds.header.map.handle_atc, 900);
  EXPECT_EQ(ds.header.map.break_spare_dist, 10);
  EXPECT_EQ(ds.header.map.signal_version, 1041);
}

TEST(Datafiles_SignalConversionTests, TooOldMapsCannotBeConverted) {
  DataSet ds = small_sample();
  ds.header.map.signal_version = 999;
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  EXPECT_EQ(offer_signal_conversion(ds, prompt, false), ConversionOutcome::NotPossible);
  ASSERT_EQ(prompt.count(), 2u);
  EXPECT_EQ(prompt.last().text, "このマップは、バーションが古いため信号現示変換処理は出来ません。");
  EXPECT_EQ(ds.header.map.break_spare_dist, 10);
}

// --- the checks on open ----------------------------------------------------

TEST(Datafiles_MapChecksOnOpenTests, WdiaModeRunsOnlyTheRailDataCheck) {
  DataSet ds = small_sample();
  ds.header.map.signal_version = 1041;
  ds.classification.speed_types[1].measuring_series = 99;
  ds.header.wdia_mode = 1;
  std::vector<std::string> status;
  MapCheckOptions options;
  options.status = [&status](const char* text) { status.push_back(text); };
  ScriptedPrompt prompt;
  EXPECT_TRUE(run_map_checks(ds, prompt, options).accepted);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(status, std::vector<std::string>{"データチェック中"});

  ds.header.wdia_mode = 0;
  status.clear();
  ScriptedPrompt asked;
  asked.script({Answer::No, Answer::No});
  MapCheckOutcome outcome = run_map_checks(ds, asked, options);
  EXPECT_EQ(status, (std::vector<std::string>{"データチェック中", "マップ自動修正中"}));
  EXPECT_TRUE(outcome.accepted && !outcome.signals_converted);
  ASSERT_EQ(asked.count(), 2u);
  EXPECT_EQ(asked.asked()[0].caption, "自動修正確認");
  EXPECT_EQ(asked.asked()[1].caption, "バージョンエラー");
}

TEST(Datafiles_MapChecksOnOpenTests, AbortAbandonsTheOpenAndLeavesTheCurrentDataSet) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet broken = small_sample();
  for (int r = 1; r <= broken.map.rails.extent(); ++r) {
    if (broken.map.rails[r].l_next > 0) {
      broken.map.rails[broken.map.rails[r].l_next].l_back = 0;
      break;
    }
  }
  ASSERT_TRUE(write_data_set(dir / "broken.qvw", broken, session, {}));

  DataSet current = small_sample();
  current.header.map.map_name = sj("現在");
  DocumentState state;
  state.dia_path = dir / "current.qvw";
  prompt.script({Answer::Abort});
  EXPECT_EQ(open_data_set(dir / "broken.qvw", current, state, session), OpenOutcome::Failed);
  EXPECT_EQ(current.header.map.map_name, sj("現在"));
  EXPECT_EQ(state.dia_path, dir / "current.qvw");
}

TEST(Datafiles_MapChecksOnOpenTests, DeadEndRepairIsSavedAndConversionForgetsTheFiles) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_sample();
  int dead_end = 0;
  for (int r = 1; r <= ds.map.rails.extent() && !dead_end; ++r)
    if (ds.map.rails[r].l_next == 0) dead_end = r;
  ASSERT_NE(dead_end, 0);
  ds.map.rails[dead_end].signal = 0;
  ds.header.map.signal_version = 1041;
  ASSERT_TRUE(write_data_set(dir / "old.qvw", ds, session, {}));

  DataSet current;
  DocumentState state;
  prompt.script({Answer::Yes, Answer::Yes});
  ASSERT_EQ(open_data_set(dir / "old.qvw", current, state, session), OpenOutcome::Opened);
  EXPECT_EQ(prompt.asked()[0].text.rfind("レールデータが不正です。\n", 0), 0u);
  EXPECT_EQ(current.map.rails[dead_end].signal, 1);
  EXPECT_EQ(current.header.map.signal_version, 1042);
  EXPECT_TRUE(state.dia_path.empty());
  EXPECT_FALSE(state.can_save_in_place());

  ASSERT_TRUE(write_data_set(dir / "new.qvw", current, session, {}));
  auto again = read_data_set(dir / "new.qvw", session);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->map.rails[dead_end].signal, 1);
  EXPECT_EQ(prompt.count(), 2u);
}

// --- interlocking panel mode -----------------------------------------------

TEST(Datafiles_InterlockingSwitchTests, SwitchingOnRebuildsTheLevers) {
  DataSet ds = small_sample();
  // The sample comes interlocked; as a map without area management it may
  // not be switched on.
  ds.header.map.use_interlocking = 0;
  ds.header.map.use_area = 0;
  ScriptedPrompt refused;
  EXPECT_EQ(toggle_interlocking(ds, refused), InterlockingSwitch::Refused);
  EXPECT_EQ(ds.header.map.use_interlocking, 0);

  ds.header.map.use_area = 1;
  ScriptedPrompt on;
  on.script({Answer::Yes});
  ASSERT_EQ(toggle_interlocking(ds, on), InterlockingSwitch::SwitchedOn);
  EXPECT_EQ(ds.header.map.use_interlocking, 1);
  EXPECT_EQ(on.last().caption, "進路制御方式確認");
  ASSERT_GT(ds.map.route_levers.extent(), 0);
  for (int l = 1; l <= ds.map.route_levers.extent(); ++l)
    EXPECT_NE(ds.map.route_levers[l].mode, map::kLeverRestore);

  ScriptedPrompt off;
  EXPECT_EQ(toggle_interlocking(ds, off), InterlockingSwitch::SwitchedOff);
  EXPECT_EQ(ds.header.map.use_interlocking, 0);
  EXPECT_EQ(off.count(), 0u);
}

}  // namespace
}  // namespace vosk::datafiles
