#include "diaedit/run_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "dia_edit_fixture.h"

namespace vosk::diaedit::testing {
namespace {

TEST(DiaEdit_RunSettingsTests, StoresTheValuesAsOneUndoStepAndPassesThemToCoupledRuns) {
  EditWindow w;
  // Q runs coupled behind R and takes its information from it.
  const int q = w.add_run(
      {{EditLine::rail(1, 1), hms(10, 0), 1}, {EditLine::rail(3, 1), hms(10, 11), 2}}, "Q");
  w.ds.dia.diagrams[q].follow_coupled = 1;
  w.ds.dia.diagrams[w.R].coupled_behind = q;
  w.ds.dia.diagrams[q].coupled_ahead = w.R;
  w.ds.dia.diagrams[w.R].destination = 3;
  RunSettings v = run_settings_of(w.ds.dia.diagrams[w.R]);
  v.train_number = std::string(18, '1') + "\x82\xa0";  // 20 bytes, the last character whole
  v.train_type = 3;
  v.destination = 0;  // free text: the last target is kept, negated
  v.destination_text = "Depot";
  v.crew = 0;

  ASSERT_TRUE(w.controller.set_run_settings(v, false, w.prompt).ok());
  const dia::Diagram& d = w.ds.dia.diagrams[w.R];
  EXPECT_EQ(d.train_type, 3);
  EXPECT_EQ(d.destination, -3);
  EXPECT_EQ(d.crew, 0);
  EXPECT_EQ(w.ds.dia.diagrams[q].train_number, v.train_number);
  EXPECT_EQ(w.ds.dia.diagrams[q].destination_text, "Depot");
  EXPECT_EQ(w.controller.history().undo_name(), "ダイヤ情報");
  ASSERT_TRUE(w.controller.undo());
  EXPECT_EQ(w.ds.dia.diagrams[w.R].train_number, "R");
  EXPECT_EQ(w.ds.dia.diagrams[q].train_number, "Q");
}

struct RefusalRow {
  const char* name;
  std::function<void(RunSettings&)> change;
  RunSettingsField field;
  const char* text_start;
};

class RunSettingsRefusals : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(RunSettingsRefusals, NameTheFieldAndChangeNothing) {
  const RefusalRow& row = GetParam();
  EditWindow w;
  RunSettings v = run_settings_of(w.ds.dia.diagrams[w.R]);
  v.train_number = "1234M";
  row.change(v);
  RunSettingsField field = RunSettingsField::None;
  const dia::EditResult r = w.controller.set_run_settings(v, false, w.prompt, &field);
  EXPECT_EQ(r.caption(), "入力データエラー");
  EXPECT_EQ(r.text().rfind(row.text_start, 0), 0u) << r.text();
  EXPECT_EQ(field, row.field);
  EXPECT_EQ(w.ds.dia.diagrams[w.R].train_number, "R");
  EXPECT_FALSE(w.controller.history().can_undo());
}

INSTANTIATE_TEST_SUITE_P(
    Values, RunSettingsRefusals,
    ::testing::Values(
        // A double-byte character that would end past byte 20.
        RefusalRow{"number_past_20_bytes",
                   [](RunSettings& v) { v.train_number = std::string(19, '1') + "\x82\xa0"; },
                   RunSettingsField::TrainNumber, "列車番号が長すぎます"},
        // Texts are written between commas, one record a line.
        RefusalRow{"comma_in_remarks", [](RunSettings& v) { v.remarks = "a,b"; },
                   RunSettingsField::Remarks, "備考に「,」"},
        RefusalRow{"line_break_in_destination", [](RunSettings& v) { v.destination_text = "B\nC"; },
                   RunSettingsField::DestinationText, "行先表示に「,」"},
        RefusalRow{"no_train_type", [](RunSettings& v) { v.train_type = 0; },
                   RunSettingsField::TrainType, "列車種別が不正です"},
        RefusalRow{"speed_type_past_table", [](RunSettings& v) { v.speed_type = 2; },
                   RunSettingsField::SpeedType, "速度種別が不正です"},
        RefusalRow{"destination_past_targets", [](RunSettings& v) { v.destination = 4; },
                   RunSettingsField::Destination, "行先が不正です"},
        RefusalRow{"eleven_conductors", [](RunSettings& v) { v.crew = 11; }, RunSettingsField::Crew,
                   "車掌の人数"},
        RefusalRow{"car_number_1000", [](RunSettings& v) { v.car_number = 1000; },
                   RunSettingsField::CarNumber, "号数は"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiaEdit_RunSettingsTests, ATemporaryDiaMayKeepItsMissingTrainType) {
  EditWindow w;
  const int t = w.ds.dia.diagrams.extent() + 1;
  dia::init_temporary_diagram(w.ds.dia.diagrams.grow_to(t), EditLine::rail(1, 1), 1);
  w.controller.select(t);
  RunSettings v = run_settings_of(w.ds.dia.diagrams[t]);
  v.train_number = "T1";
  EXPECT_TRUE(w.controller.set_run_settings(v, false, w.prompt).ok());
}

TEST(DiaEdit_RunSettingsTests, TheInformationItemAndThePatternLabelOpenTheDialog) {
  EditWindow w;
  EXPECT_EQ(w.controller.command(kCmdInfo, w.prompt).request, Outcome::Request::RunSettings);
  const Cell* label = w.find(CellAction::PatternInfo);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(w.click(EditWindow::centre(*label)).request, Outcome::Request::RunSettings);
}

}  // namespace
}  // namespace vosk::diaedit::testing
